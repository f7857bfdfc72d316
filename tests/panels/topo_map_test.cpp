// The map: its image in each drawing mode, the overlays, zoom and scroll limits, clicks in each map mode, painting,
// and the nudge keys.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/core/color_classes.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/map_paint.h"
#include "engine/panels/map_state.h"
#include "engine/ui/panel_hooks.h"
#include "tests/panels/map_fixture.h"
#include "tests/ui/canvas_png.h"

namespace {

class TopoMap : public MapFixture {
 protected:
  static uint8_t image_at(int32_t col, int32_t row) { return static_cast<uint8_t*>(topo_image[row])[col]; }
  // True when some pixel within one of (x, y) has the colour.
  static bool colour_near(int32_t x, int32_t y, int32_t colour) {
    for (int32_t dy = -1; dy <= 1; ++dy)
      for (int32_t dx = -1; dx <= 1; ++dx)
        if (map_at(x + dx, y + dy) == colour) return true;
    return false;
  }
};

// One cell of each kind, drawn in each mode: zoom 16 shows sample (c, r) at image column c, row r.
TEST_F(TopoMap, ImageColoursInEachMode) {
  slope();
  terrain_settings.tree_line = 300;
  terrain_settings.snow_line = 700;
  cover_row(10)[10].color_class = 52;    // water
  cover_row(20)[20].color_class = 50;    // beach
  cover_row(30)[30].color_class = 89;    // road
  cover_row(40)[40].object = 61;         // an oak placed by hand
  cover_row(200)[50].color_class = 43;   // snow class
  cover_row(60)[60].color_class = 57;    // below the tree line
  struct Case {
    int32_t col, row;
    uint8_t elevation_mode, cover_mode, path_mode;
  };
  // Elevation 4 * row up to 1028: green steps of 38 below 300, brown steps of 51 to 700, grey steps of 42 above.
  const Case cases[] = {
      {10, 10, 60, 56, 60}, {20, 20, 10, 10, 32 + 80 / 38}, {30, 30, 10, 10, 10},
      {40, 40, 32 + 160 / 38, 21, 21}, {50, 200, 48 + (800 - 700) / 42, 50, 48 + (800 - 700) / 42},
      {60, 60, 32 + 240 / 38, 32, 32 + 240 / 38}, {5, 100, 40 + 100 / 51, 0, 40 + 100 / 51},
  };
  for (int32_t mode = 0; mode < 3; ++mode) {
    set_topo_mode(mode);
    topo_render();
    EXPECT_EQ(derived_data.landscape_changed, 0);
    for (const Case& c : cases) {
      const uint8_t want = mode == 0 ? c.elevation_mode : (mode == 1 ? c.cover_mode : c.path_mode);
      EXPECT_EQ(image_at(c.col, c.row), want) << "mode " << mode << " cell " << c.col << "," << c.row;
    }
  }
}

TEST_F(TopoMap, PixelsBeyondTheLandscapeAreTeal) {
  ASSERT_EQ(set_landscape_size(66, 34), 1);
  topo_reset_view();  // zoom 66 / 16 = 4: four samples per 16 pixels
  topo_render();
  EXPECT_EQ(topo_zoom, 4);
  EXPECT_NE(image_at(0, 0), 1);
  EXPECT_EQ(image_at(255, 255), 1);
  EXPECT_EQ(image_at(0, 255), 1);  // rows beyond the 33 the landscape has
}

TEST_F(TopoMap, ZoomStopsAtItsLimitsAndTinyLandscapesNeverDivideByZero) {
  for (int32_t i = 0; i < 12; ++i) engine_command(1320, 0, 0, topo_panel);
  EXPECT_EQ(topo_zoom, 1);
  for (int32_t i = 0; i < 12; ++i) engine_command(1321, 0, 0, topo_panel);
  EXPECT_EQ(topo_zoom, 256);
  engine_command(1322, 0, 0, topo_panel);
  EXPECT_EQ(topo_zoom, 16);
  // A landscape of a few samples: reset, zoom, scroll and centre all stay defined and on the map.
  ASSERT_EQ(set_landscape_size(6, 6), 1);
  engine_command(1322, 0, 0, topo_panel);
  EXPECT_EQ(topo_zoom, 1);
  engine_command(1320, 0, 0, topo_panel);
  camera_state.camera_x = 1e9f;  // far off the landscape
  engine_command(1323, 0, 0, topo_panel);
  EXPECT_GE(topo_center_x, 0);
  EXPECT_LE(topo_center_x, 255);
  topo_scroll_x(100000);
  EXPECT_EQ(topo_center_x, 255);
  topo_scroll_y(-5);
  EXPECT_EQ(topo_center_y, 0);
}

TEST_F(TopoMap, CentringOnTheCameraMovesItToTheMiddle) {
  engine_command(1320, 0, 0, topo_panel);  // zoom 8
  engine_command(1320, 0, 0, topo_panel);  // zoom 4: a quarter of the landscape shows
  camera_state.camera_x = 100 * 30.0f;
  camera_state.camera_y = 150 * 30.0f;
  engine_command(1323, 0, 0, topo_panel);
  int32_t px, py;
  world_to_topo(camera_state.camera_x, camera_state.camera_y, &px, &py);
  // The scroll position holds 256ths of the landscape: the centre lands within a sample (4 pixels here) or so.
  EXPECT_NEAR(px, 158, 6);
  EXPECT_NEAR(py, 153, 6);
  EXPECT_EQ(gadget_value(topo_panel, kTopoScrollH), topo_center_x);
}

// The wedge's two edges for a few camera poses: a pixel 40 pixels along each edge carries the wedge colour.
TEST_F(TopoMap, ViewWedgeForCameraPoses) {
  struct Case {
    float heading, lens_scale;
  };
  const Case cases[] = {{0, 2}, {90, 1}, {170, 2}, {-135, 1}};
  for (const Case& c : cases) {
    camera_state.camera_x = camera_state.camera_y = 128 * 30.0f;
    camera_state.camera_heading = c.heading;
    lens_state.lens_scale = c.lens_scale;
    topo_redraw();
    int32_t px, py;
    world_to_topo(camera_state.camera_x, camera_state.camera_y, &px, &py);
    const double h = std::atan(1.0 / c.lens_scale) * 180 / M_PI;
    for (const double side : {-h, h}) {
      const double a = (c.heading + side) * M_PI / 180;
      const int32_t x = px + static_cast<int32_t>(-std::sin(a) * 40), y = py + static_cast<int32_t>(-std::cos(a) * 40);
      EXPECT_TRUE(colour_near(x, y, ui_color_wedge)) << c.heading << " " << side;
    }
    EXPECT_EQ(map_at(px + 3, py), ui_color_marker);  // camera square's right edge
  }
}

TEST_F(TopoMap, PathModeDrawsNoMarkersOrWedge) {
  camera_state.camera_x = camera_state.camera_y = 128 * 30.0f;
  set_topo_mode(2);
  derived_data.landscape_changed = 1;
  topo_redraw();
  int32_t px, py;
  world_to_topo(camera_state.camera_x, camera_state.camera_y, &px, &py);
  EXPECT_NE(map_at(px + 3, py), ui_color_marker);
}

TEST_F(TopoMap, ClipLineKeepsInsideAndDropsOutside) {
  int32_t a = 0, b = 100, c = 400, d = 100;
  EXPECT_TRUE(topo_clip_line(&a, &b, &c, &d));
  EXPECT_EQ(a, 30);
  EXPECT_EQ(c, 284);
  a = 0, b = 0, c = 10, d = 10;
  EXPECT_FALSE(topo_clip_line(&a, &b, &c, &d));
  EXPECT_EQ(a + b + c + d, 0);
}

class MapClicks : public MapFixture {};

TEST_F(MapClicks, PlaceCameraThreeTimesAndTargetOnce) {
  render_settings.topo_click_mode = 2;
  for (const int32_t x : {40, 100, 200}) {
    engine_command(1, x, 200, topo_panel);
    EXPECT_FLOAT_EQ(camera_state.camera_x, (x - 30) * 30.0f);
  }
  EXPECT_FLOAT_EQ(camera_state.camera_y, 80 * 30.0f);
  render_settings.topo_click_mode = 1;
  engine_command(1, 60, 270, topo_panel);
  EXPECT_FLOAT_EQ(camera_state.target_x, 30 * 30.0f);
  EXPECT_EQ(render_settings.topo_click_mode, 1);  // a standing mode
}

// Zoomed out, the map shows teal beside the landscape: a click there places nothing.
TEST_F(MapClicks, ClickBesideTheLandscapeNeverPlacesOutsideTheGrid) {
  for (int32_t i = 0; i < 3; ++i) engine_command(1321, 0, 0, topo_panel);  // zoom 128
  render_settings.topo_click_mode = 2;
  const float x = camera_state.camera_x, y = camera_state.camera_y;
  for (const int32_t px : {31, 284}) {
    engine_command(1, px, 30, topo_panel);
    EXPECT_EQ(camera_state.camera_x, x);
    EXPECT_EQ(camera_state.camera_y, y);
  }
  engine_command(1, 158, 153, topo_panel);  // the middle is on the landscape
  EXPECT_GE(camera_state.camera_x, 0);
  EXPECT_LE(camera_state.camera_x, land_width * grid_spacing_x);
}

TEST_F(MapClicks, ClicksOffTheMapOrOnAnotherPanelDoNothing) {
  render_settings.topo_click_mode = 2;
  ui_test::TestPanel other(300, 300);
  std::strcpy(other.panel.name, "Light");
  const float x = camera_state.camera_x;
  engine_command(1, 100, 100, &other.panel);
  engine_command(1, 100, 280, topo_panel);
  engine_command(1, 29, 100, topo_panel);
  EXPECT_EQ(camera_state.camera_x, x);
}

TEST_F(MapClicks, OneShotToolsPutTheModeBackAndReleaseTheirButton) {
  slope();
  ui_test::TestPanel terrain(300, 300);
  GadgetRecord tree = gadget_table::make(kGadgetButton, 0, 10, 10, 1179, "Set tree line", nullptr);
  tree.state = kGadgetOn;
  terrain.panel.gadgets = &tree;
  control_panels[kPanelTerrain] = &terrain.panel;
  engine_command(1179, 0, 0, &terrain.panel);
  EXPECT_EQ(render_settings.topo_click_mode, 5);
  engine_command(1, 100, 280 - 50, topo_panel);  // row 50: elevation 200
  EXPECT_EQ(terrain_settings.tree_line, 200);
  EXPECT_EQ(render_settings.topo_click_mode, 0);
  EXPECT_EQ(tree.state, kGadgetOff);
  EXPECT_EQ(derived_data.palette_stale, land_width);
  control_panels[kPanelTerrain] = nullptr;
}

TEST_F(MapClicks, ModeButtonsArmAndDisarm) {
  ui_test::TestPanel panel(300, 300);
  GadgetRecord g = gadget_table::make(kGadgetButton, 0, 10, 10, 0, "x", nullptr);
  panel.panel.gadgets = &g;
  struct Case {
    int32_t id, on;
  };
  const Case cases[] = {{1042, 1}, {1043, 2}, {1097, 3}, {1098, 4}, {1179, 5}, {1177, 6}, {1178, 7}, {1337, 1337},
                        {1351, 1351}};
  for (const Case& c : cases) {
    g.id = c.id;
    g.state = kGadgetOn;
    engine_command(static_cast<uint32_t>(c.id), 0, 0, &panel.panel);
    EXPECT_EQ(render_settings.topo_click_mode, c.on) << c.id;
    g.state = kGadgetOff;
    engine_command(static_cast<uint32_t>(c.id), 0, 0, &panel.panel);
    EXPECT_EQ(render_settings.topo_click_mode, 0) << c.id;
  }
  EXPECT_EQ(keyboard_nudge_mode, 0);
}

TEST_F(MapClicks, PaintingAStrokeAndErasingWithTheRightButton) {
  render_settings.topo_click_mode = 1341;  // House1
  host_->pointer_script.push_back({100 + 1, 200, kHostButtonLeft});
  host_->pointer_script.push_back({100 + 3, 200, kHostButtonLeft});
  host_->pointer_script.push_back({100 + 3, 200, 0});
  engine_command(1, 100, 200, topo_panel);
  EXPECT_EQ(cover_row(80)[70].object, 72);
  EXPECT_EQ(cover_row(80)[73].object, 72);
  EXPECT_EQ(cover_row(80)[74].object, 0);
  render_settings.topo_click_mode = 1346;  // water keeps no object
  host_->pointer_script.push_back({100, 200, 0});
  engine_command(1, 100, 200, topo_panel);
  EXPECT_EQ(cover_row(80)[70].object, 0);
  EXPECT_EQ(cover_row(80)[70].color_class, 51);
  // The right button erases on the Placement panel only.
  cover_row(80)[71].color_class = 88;
  host_->pointer_script.push_back({101, 200, 0});
  engine_command(3, 101, 200, topo_panel);
  EXPECT_EQ(cover_row(80)[71].object, 72);
  current_panel = 1305;
  host_->pointer_script.push_back({101, 200, 0});
  engine_command(3, 101, 200, topo_panel);
  EXPECT_EQ(cover_row(80)[71].object, 0);
  EXPECT_EQ(cover_row(80)[71].color_class, 88);  // the house goes, its road stays
}

TEST_F(MapClicks, AStrokeThatLeavesTheLandscapeEnds) {
  ASSERT_EQ(set_landscape_size(66, 66), 1);
  topo_set_view(255, 255, 16);  // origin -64, -64: the landscape covers map x 94 to 158, y 152 to 216
  render_settings.topo_click_mode = 1337;
  host_->pointer_script.push_back({200, 210, kHostButtonLeft});  // beyond the last column: the stroke ends
  host_->pointer_script.push_back({100, 210, kHostButtonLeft});  // never reached
  host_->pointer_script.push_back({100, 210, 0});
  engine_command(1, 100, 210, topo_panel);
  EXPECT_EQ(cover_row(6)[6].object, 60);
  EXPECT_EQ(host_->pointer_script.size(), 2u);
}

TEST_F(MapClicks, NudgeKeysMoveTheChosenObjectAndStayOnTheLandscape) {
  camera_state.camera_x = 30, camera_state.camera_y = 30, camera_state.camera_z = 100;
  camera_state.target_x = 3000, camera_state.target_y = 3000;
  struct Case {
    uint32_t key;
    float dx, dy, dz;
  };
  const Case cases[] = {{0x14800, 0, 1, 0}, {0x15000, 0, -1, 0}, {0x14D00, 1, 0, 0},
                        {0x14B00, -1, 0, 0}, {0x14E2B, 0, 0, 1}, {0x14A2D, 0, 0, -1}};
  keyboard_nudge_mode = 2;
  for (const Case& c : cases) {
    const float x = camera_state.camera_x, y = camera_state.camera_y, z = camera_state.camera_z;
    engine_command(c.key, 0, 0, topo_panel);
    EXPECT_FLOAT_EQ(camera_state.camera_x, x + c.dx) << c.key;
    EXPECT_FLOAT_EQ(camera_state.camera_y, y + c.dy) << c.key;
    EXPECT_FLOAT_EQ(camera_state.camera_z, z + c.dz) << c.key;
  }
  keyboard_nudge_mode = 1;
  engine_command(0x14800, 0, 0, topo_panel);
  EXPECT_FLOAT_EQ(camera_state.target_y, 3001);
  // At the edge the camera stops.
  keyboard_nudge_mode = 2;
  camera_state.camera_x = 0;
  engine_command(0x14B00, 0, 0, topo_panel);
  EXPECT_FLOAT_EQ(camera_state.camera_x, 0);
  // Mode 0: nothing moves, nothing is shown.
  keyboard_nudge_mode = 0;
  host_->status_texts.clear();
  const float before = camera_state.camera_y;
  engine_command(0x14800, 0, 0, topo_panel);
  EXPECT_EQ(camera_state.camera_y, before);
  EXPECT_TRUE(host_->status_texts.empty());
}

// Pictures to look at: the start-up sized landscape with some relief in the three modes.
TEST_F(TopoMap, WritesMapPictures) {
  slope();
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c)
      elevation_row(r)[c] = static_cast<int16_t>(500 + 400 * std::sin(r / 20.0) * std::cos(c / 25.0));
  scan_elevation_range();
  default_levels();
  color_landscape();
  camera_state.camera_x = 60 * 30.0f, camera_state.camera_y = 40 * 30.0f, camera_state.camera_heading = -30;
  for (int32_t mode = 0; mode < 3; ++mode) {
    derived_data.landscape_changed = set_topo_mode(mode) | 1;
    main_panels_redraw();
    EXPECT_TRUE(write_canvas_png(*topo_canvas(), artifacts_folder() + "/map_mode" + std::to_string(mode) + ".png"));
  }
}

}  // namespace
