// The Creation and Manipulation panels' commands and the grid keys: each id reaches its operation, and the
// size prompts, vertical rescale and sample spacing keep camera and landscape in step.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/fractal.h"
#include "engine/panels/setsize_panel.h"
#include "engine/panels/view_reset.h"
#include "tests/panels/command_panel.h"
#include "tests/panels/map_fixture.h"

namespace {

class LandscapeCommands : public MapFixture {
 protected:
  bool asked(const std::string& text) {
    for (const auto& m : host_->messages)
      if (m.text == text) return true;
    return false;
  }
  CommandPanel creation;
};

int16_t& at(int32_t row, int32_t column) { return elevation_row(row)[column]; }

TEST_F(LandscapeCommands, EveryIdReachesItsOperation) {
  struct Case {
    uint32_t id;
    std::function<void()> before;
    std::function<void()> check;
  };
  CommandPanel& p = creation;
  const Case cases[] = {
      {1216, [&] { p.value(1216, 77); }, [] { EXPECT_EQ(terrain_settings.fractal_roughness, 77); }},
      {1227, [&] { p.off(1227); }, [&] { EXPECT_EQ(terrain_settings.feature_size, 1); EXPECT_EQ(p.state(1227), kGadgetOn); }},
      {1228, [&] { p.off(1228); }, [&] { EXPECT_EQ(terrain_settings.feature_size, 2); EXPECT_EQ(p.state(1228), kGadgetOn); }},
      {1229, [&] { p.off(1229); }, [&] { EXPECT_EQ(terrain_settings.feature_size, 4); EXPECT_EQ(p.state(1229), kGadgetOn); }},
      {1230, [&] { p.off(1230); }, [&] { EXPECT_EQ(terrain_settings.feature_size, 8); EXPECT_EQ(p.state(1230), kGadgetOn); }},
      {1044,
       [&] {
         p.value(1044, 5);
         grid_spacing_x = grid_spacing_y = 45.0f;
       },
       [] {
         EXPECT_EQ(terrain_settings.fractal_seed, 5);
         EXPECT_EQ(grid_spacing_x, 30.0f);  // a new landscape has the standard spacing
         EXPECT_GT(landscape_view.max_elevation, landscape_view.base_level);
       }},
      {1225,
       [&] {
         p.on(1225);
         p.value(1044, -1);
       },
       [&] {
         EXPECT_EQ(p.value_of(1044), terrain_settings.fractal_seed);  // the field shows the new seed
         EXPECT_EQ(p.state(1225), kGadgetOff);
         EXPECT_GT(landscape_view.max_elevation, landscape_view.base_level);
       }},
      {1099,
       [&] {
         at(100, 100) = 1000;
         p.on(1099);
       },
       [&] {
         EXPECT_LT(at(100, 100), 1000);
         EXPECT_GT(at(100, 101), 0);
         EXPECT_EQ(derived_data.shades_done_step, land_width);
         EXPECT_EQ(p.state(1099), kGadgetOff);
       }},
      {1152,
       [&] {
         // Stopped at once by the right button, then the erosion is rejected: the landscape as it was.
         at(50, 50) = 300;
         host_->tick_step = 20;
         host_->buttons = kHostButtonRight;
         host_->yes_no_answers.push_back(0);
       },
       [&] {
         host_->buttons = 0;
         EXPECT_TRUE(asked("Accept erosion?"));
         EXPECT_EQ(at(50, 50), 300);
       }},
      {1151, [] { generate_fractal_landscape(); at(60, 60) = 500; },
       [] { EXPECT_EQ(derived_data.colors_done_step, land_width); EXPECT_EQ(derived_data.cliffs_done_step, land_width); }},
      {1153, [] { generate_fractal_landscape(); derived_data.colors_done_step = 0; },
       [] { EXPECT_EQ(derived_data.colors_done_step, land_width); }},
      {1170, [&] {
         // The corner pick is cancelled with the right button.
         host_->pointer_script.push_back({100, 200, 0});
         host_->pointer_script.push_back({100, 200, kHostButtonRight});
       },
       [&] {
         EXPECT_TRUE(host_->pointer_script.empty());  // the corner pick ran
         EXPECT_EQ(grid_width, 258);  // the pick was not completed: nothing enlarged
       }},
      {1169, [] {}, [] { EXPECT_EQ(grid_width, 514); EXPECT_EQ(grid_height, 514); }},
      {1171, [] { region_mode = 1; }, [] { EXPECT_LT(grid_width, 258); }},
      {1214, [&] { at(10, 10) = 100; p.value_float(1214, 2.0f); }, [] {
         EXPECT_EQ(at(10, 10), 200);
         EXPECT_EQ(landscape_view.built_vertical_scale, 2.0f);
       }},
      {1150, [&] { camera_state.camera_x = 300.0f; p.value_float(1150, 60.0f); }, [] {
         EXPECT_EQ(grid_spacing_x, 60.0f);
         EXPECT_EQ(camera_state.camera_x, 600.0f);
       }},
      {0x10635, [] { at(1, 7) = 77; }, [] { EXPECT_NE(at(1, 7), 77); }},
      {0x10736, [] { at(7, 1) = 77; }, [] { EXPECT_NE(at(7, 1), 77); }},
      {0x10B30, [] { at(0, 20) = 55; }, [] { EXPECT_EQ(at(0, 20), 0); }},
      {0x11265, [] { at(20, land_width - 1) = 66; }, [] { EXPECT_EQ(at(20, land_width), 66); }},
      {1421, [&] { host_->file_choices.push_back("/nonexistent/vector.txt"); }, [&] {
         EXPECT_TRUE(host_->file_choices.empty());  // the import asked for its file
         EXPECT_TRUE(asked("X column number (0 - N)"));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    ASSERT_EQ(set_landscape_size(258, 258), 1);
    reset_view_state();
    region_mode = 0;
    host_->messages.clear();
    host_->status_texts.clear();
    c.before();
    engine_command(c.id, 0, 0, creation.get());
    c.check();
    EXPECT_EQ(engine_busy, 0);
  }
}

TEST_F(LandscapeCommands, ShiftSizePromptsClampAndCancelKeepsTheSize) {
  host_->shift = 1;
  host_->value_answers.push_back({1, 10});
  host_->value_answers.push_back({1, 9000});
  engine_command(1053, 0, 0, creation.get());
  EXPECT_EQ(grid_width, 16);
  EXPECT_EQ(grid_height, 8194);
  EXPECT_EQ(region_mode, 2);
  EXPECT_EQ(grid_spacing_x, 30.0f);
  // Cancelled prompts keep the size shown, and the landscape is made again at that size.
  ASSERT_EQ(set_landscape_size(100, 60), 1);
  elevation_row(5)[5] = 99;
  host_->value_answers.push_back({0, 5000});
  host_->value_answers.push_back({0, 5000});
  engine_command(1053, 0, 0, creation.get());
  EXPECT_EQ(grid_width, 100);
  EXPECT_EQ(grid_height, 60);
  host_->shift = 0;
}

TEST_F(LandscapeCommands, SizeWithoutShiftOpensOnePopUpEvenWhenSentTwice) {
  engine_command(1053, 0, 0, creation.get());
  PanelRecord* popup = creation.get()->child;
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->event, setsize_handler);
  engine_command(1053, 0, 0, creation.get());
  EXPECT_EQ(creation.get()->child, popup);
  EXPECT_EQ(popup->sibling, nullptr);
  panel_free(popup);
  EXPECT_EQ(creation.get()->child, nullptr);
}

TEST_F(LandscapeCommands, VerticalScaleKeepsCameraAndTargetBetweenBaseAndTop) {
  slope();  // rows 0..257 at 4 m steps: base 0, top 1028
  const int32_t top = landscape_view.max_elevation;
  ASSERT_GT(top, 0);
  camera_state.camera_z = static_cast<float>(top / 2);
  camera_state.target_z = static_cast<float>(top / 4);
  creation.value_float(1214, 2.0f);
  engine_command(1214, 0, 0, creation.get());
  EXPECT_EQ(landscape_view.max_elevation, 2 * top);
  EXPECT_EQ(camera_state.camera_z, static_cast<float>(top));
  EXPECT_EQ(camera_state.target_z, static_cast<float>(top / 2));
  // The same scale again does nothing.
  const int16_t row100 = elevation_row(100)[3];
  engine_command(1214, 0, 0, creation.get());
  EXPECT_EQ(elevation_row(100)[3], row100);
  // 0: both scales back to 1.0, the elevations stay as they are.
  creation.value_float(1214, 0.0f);
  engine_command(1214, 0, 0, creation.get());
  EXPECT_EQ(landscape_view.vertical_scale, 1.0f);
  EXPECT_EQ(landscape_view.built_vertical_scale, 1.0f);
  EXPECT_EQ(elevation_row(100)[3], row100);
}

TEST_F(LandscapeCommands, SampleSpacingScalesPositionsAndRefusesBackwardsGrids) {
  camera_state.camera_x = 300.0f;
  camera_state.camera_y = 150.0f;
  camera_state.target_x = 900.0f;
  camera_state.target_y = 600.0f;
  creation.value_float(1150, 60.0f);
  engine_command(1150, 0, 0, creation.get());
  EXPECT_EQ(camera_state.camera_y, 300.0f);
  EXPECT_EQ(camera_state.target_x, 1800.0f);
  EXPECT_EQ(camera_state.target_y, 1200.0f);
  // 0, a negative spacing or no number: the standard 30 metres (positions halve from 60).
  for (float bad : {0.0f, -60.0f, std::numeric_limits<float>::quiet_NaN()}) {
    grid_spacing_x = grid_spacing_y = 60.0f;
    camera_state.camera_x = 600.0f;
    creation.value_float(1150, bad);
    engine_command(1150, 0, 0, creation.get());
    EXPECT_EQ(grid_spacing_x, 30.0f) << bad;
    EXPECT_EQ(grid_spacing_y, 30.0f) << bad;
    EXPECT_EQ(camera_state.camera_x, 300.0f) << bad;
  }
}

TEST_F(LandscapeCommands, EnlargeAllRefusesOnlyWhenBothSidesAreLarge) {
  ASSERT_EQ(set_landscape_size(4100, 4100), 1);
  engine_command(1169, 0, 0, creation.get());
  EXPECT_TRUE(asked("Unable to make landscape larger."));
  EXPECT_EQ(grid_width, 4100);
  // One long side only: the enlargement is tried (and refused by the grid's limit with its own message).
  host_->messages.clear();
  ASSERT_EQ(set_landscape_size(5002, 302), 1);
  engine_command(1169, 0, 0, creation.get());
  EXPECT_FALSE(asked("Unable to make landscape larger."));
  EXPECT_FALSE(host_->messages.empty());
  EXPECT_EQ(grid_width, 5002);
}

}  // namespace
