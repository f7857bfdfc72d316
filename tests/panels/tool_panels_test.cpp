// The seven tool panels: what each synchronisation writes from the settings, the gadget tables' ids and
// groups, and the pictures of the drawn panels.
#include "engine/panels/tool_panels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "engine/animation/path_model.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/raster/frame_buffers.h"
#include "tests/panels/map_fixture.h"
#include "tests/ui/canvas_png.h"

namespace {

class ToolPanels : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    tool_panels_create();
    PanelRecord* panels[7] = {&manipulation_panel, &creation_panel, &placement_panel, &image_panel,
                              &vr_control_panel, &path_panel, &animation_panel};
    for (int32_t i = 0; i < 7; ++i) {
      canvases_[i].resize(300, 500);
      panels[i]->canvas = &canvases_[i];
    }
  }
  void TearDown() override {
    for (int32_t t = kPanelManipulation; t <= kPanelAnimation; ++t) {
      if (control_panels[t]) control_panels[t]->canvas = nullptr;
      control_panels[t] = nullptr;
    }
    MapFixture::TearDown();
  }
  static GadgetRecord& g(PanelRecord& p, int32_t id) {
    GadgetRecord* r = gadget_table::find(p.gadgets, id);
    EXPECT_NE(r, nullptr) << p.name << " " << id;
    static GadgetRecord none{};
    return r ? *r : none;
  }
  static float fv(PanelRecord& p, int32_t id) { return gadget_value_float(g(p, id)); }
  Canvas canvases_[7];

  // One row of a synchronisation table: a setting change, then the gadget states (id, state) and values.
  struct Row {
    std::string what;
    std::function<void()> set;
    std::vector<std::pair<int32_t, int32_t>> states;
    std::vector<std::pair<int32_t, int32_t>> values;
  };
  void check(PanelRecord& p, const std::vector<Row>& rows) {
    for (const Row& r : rows) {
      reset_engine_state();
      ui_test::fresh_screen();
      r.set();
      ASSERT_EQ(p.draw(&p), 1);
      for (const auto& [id, state] : r.states) EXPECT_EQ(g(p, id).state, state) << p.name << ": " << r.what << " id " << id;
      for (const auto& [id, value] : r.values) EXPECT_EQ(g(p, id).value, value) << p.name << ": " << r.what << " id " << id;
    }
  }
};

TEST_F(ToolPanels, RecordsAreRegisteredWithTheirTypesAndBoxes) {
  struct Case {
    PanelRecord* panel;
    const char* name;
    int32_t type;
  };
  const Case cases[] = {{&manipulation_panel, "Manipulation", 11}, {&creation_panel, "Creation", 12},
                        {&placement_panel, "Placement", 13},       {&image_panel, "Image", 14},
                        {&vr_control_panel, "VR Control", 15},     {&path_panel, "Path", 16},
                        {&animation_panel, "Animation", 17}};
  for (const Case& c : cases) {
    EXPECT_EQ(std::string(c.panel->name), c.name);
    EXPECT_EQ(c.panel->id, c.type);
    EXPECT_EQ(control_panel(c.type), c.panel);
    EXPECT_EQ(c.panel->x1, 300);
    EXPECT_EQ(c.panel->y1, 500);
    EXPECT_EQ(c.panel->event, &engine_panel_event);
  }
}

TEST_F(ToolPanels, ManipulationAndCreationShowTheLandscapeSettings) {
  const std::vector<Row> manipulation = {
      {"feature 1", [] { terrain_settings.feature_size = 1; }, {{1227, 1}, {1228, 0}, {1229, 0}, {1230, 0}}, {}},
      {"feature 4", [] { terrain_settings.feature_size = 4; }, {{1227, 0}, {1229, 1}}, {}},
      {"feature 3 lights none", [] { terrain_settings.feature_size = 3; }, {{1227, 0}, {1228, 0}, {1229, 0}, {1230, 0}}, {}},
      {"roughness", [] { terrain_settings.fractal_roughness = 77; }, {}, {{1216, 77}}},
      {"action buttons released", [] { gadget_table::find(manipulation_panel.gadgets, 1099)->state = 1; },
       {{1099, 0}, {1152, 0}, {1151, 0}, {1153, 0}, {1170, 0}, {1169, 0}, {1171, 0}}, {}},
  };
  check(manipulation_panel, manipulation);
  landscape_view.vertical_scale = 2.5f;
  grid_spacing_x = 12.5f;
  grid_spacing_y = 99.0f;
  manipulation_panel_init(&manipulation_panel);
  EXPECT_FLOAT_EQ(fv(manipulation_panel, 1214), 2.5f);
  EXPECT_FLOAT_EQ(fv(manipulation_panel, 1150), 12.5f);  // the x spacing only
  EXPECT_TRUE(write_canvas_png(canvases_[0], artifacts_folder() + "/manipulation_panel.png"));
  reset_grid_spacing();

  const std::vector<Row> creation = {
      {"seed", [] { terrain_settings.fractal_seed = 1234567; }, {}, {{1044, 1234567}}},
      {"feature 8", [] { terrain_settings.feature_size = 8; }, {{1230, 1}, {1227, 0}}, {}},
      {"roughness", [] { terrain_settings.fractal_roughness = 5; }, {}, {{1216, 5}}},
  };
  check(creation_panel, creation);
  EXPECT_EQ(g(creation_panel, 1044).width, 11);
  EXPECT_EQ(g(creation_panel, 1044).x, 182);
  EXPECT_TRUE(write_canvas_png(canvases_[1], artifacts_folder() + "/creation_panel.png"));
}

TEST_F(ToolPanels, PlacementLightsTheArmedMode) {
  const int32_t objects[11] = {1337, 1338, 1339, 1340, 1341, 1342, 1343, 1344, 1345, 1346, 1351};
  struct Case {
    int32_t mode, lit, camera, target;
  };
  const Case cases[] = {{0, 0, 0, 0},       {2, 0, 1, 0},       {1, 0, 0, 1},       {1346, 1346, 0, 0},
                        {1345, 1345, 0, 0}, {1351, 1351, 0, 0}, {1340, 1340, 0, 0}, {1363, 0, 0, 0}};
  for (const Case& c : cases) {
    render_settings.topo_click_mode = c.mode;
    g(placement_panel, 1359).state = kGadgetOn;  // colour and texture buttons are left alone
    placement_panel_init(&placement_panel);
    for (const int32_t id : objects) EXPECT_EQ(g(placement_panel, id).state, id == c.lit ? 1 : 0) << c.mode << " " << id;
    EXPECT_EQ(g(placement_panel, 1043).state, c.camera) << c.mode;
    EXPECT_EQ(g(placement_panel, 1042).state, c.target) << c.mode;
    EXPECT_EQ(g(placement_panel, 1359).state, kGadgetOn);
  }
  for (GadgetRecord* r = placement_panel.gadgets->next; r; r = r->next) EXPECT_EQ(r->group, 1u) << r->id;
  render_settings.topo_click_mode = 1340;
  placement_panel_init(&placement_panel);
  EXPECT_TRUE(write_canvas_png(canvases_[2], artifacts_folder() + "/placement_panel.png"));
}

TEST_F(ToolPanels, ImagePanelShowsRenderOptionsSizesAndDepth) {
  const std::vector<Row> rows = {
      {"defaults", [] {}, {{1292, 1}, {1291, 1}, {1290, 1}, {1289, 1}, {1283, 0}, {1284, 0}, {1219, 0}, {1027, 0}}, {}},
      {"options off",
       [] {
         light_state.auto_exposure = 0;
         render_settings.phong_enabled = 0;
         render_settings.flare_enabled = 0;
         render_settings.antialias_mode = 0;
       },
       {{1292, 0}, {1291, 0}, {1290, 0}, {1289, 0}}, {}},
      {"gaussian antialiasing", [] { render_settings.antialias_mode = 2; }, {{1289, 1}}, {}},
      {"background and foreground", [] { render_settings.background_enabled = render_settings.foreground_enabled = 1; },
       {{1283, 1}, {1284, 1}}, {}},
      {"dither and palette",
       [] {
         render_settings.dither_amount = 33;
         render_settings.palette_colors = 200;
         render_settings.palette_locked = 1;
       },
       {{1219, 1}}, {{1223, 33}, {1221, 200}}},
      {"8-bit display", [] { display_depth = 8; }, {{1026, 1}}, {}},
      {"24-bit display", [] { display_depth = 24; }, {{1026, 0}}, {}},
      {"image size", [] { image_width = 321, image_height = 123; }, {}, {{1032, 321}, {1033, 123}}},
  };
  check(image_panel, rows);
  const int32_t depth = display_depth;
  display_depth = 24;
  image_width = 800, image_height = 600;
  // The size drop-down: seven items, the first two marked in the static data.
  GadgetRecord* sizes = nullptr;
  for (GadgetRecord* r = image_panel.gadgets; r; r = r->next)
    if (r->kind == kGadgetDropDown) sizes = r;
  ASSERT_NE(sizes, nullptr);
  const uint32_t ids[7] = {1017, 1018, 1020, 1021, 1022, 1024, 1025};
  int32_t n = 0;
  for (MenuItem* m = sizes->extra.items; m->kind; ++m, ++n) {
    EXPECT_EQ(m->id, ids[n]);
    EXPECT_EQ(m->marked, n < 2 ? 1u : 0u);
    EXPECT_EQ(m->group, 1u);
  }
  EXPECT_EQ(n, 7);
  image_panel_init(&image_panel);
  EXPECT_TRUE(write_canvas_png(canvases_[3], artifacts_folder() + "/image_panel.png"));
  display_depth = depth;
}

TEST_F(ToolPanels, VrControlShowsViewDirectionAndStereoCamera) {
  const std::vector<Row> rows = {
      {"forward centre", [] {}, {{1238, 1}, {1237, 0}, {1239, 0}, {1240, 0}, {1235, 1}, {1234, 0}, {1236, 0}}, {}},
      {"back", [] { lens_state.view_facing = 6; }, {{1240, 1}, {1238, 0}}, {}},
      {"port", [] { lens_state.view_facing = 7; }, {{1237, 1}}, {}},
      {"starboard left eye",
       [] {
         lens_state.view_facing = 8;
         lens_state.stereo_camera = 2;
       },
       {{1239, 1}, {1234, 1}, {1235, 0}}, {}},
      {"right eye", [] { lens_state.stereo_camera = 3; }, {{1236, 1}, {1235, 0}}, {}},
      {"image shift", [] { lens_state.stereo_image_shift = 48; }, {}, {{1277, 48}}},
  };
  check(vr_control_panel, rows);
  lens_state.stereo_separation = 6.5f;
  vr_control_panel_init(&vr_control_panel);
  EXPECT_FLOAT_EQ(fv(vr_control_panel, 1275), 6.5f);
  EXPECT_TRUE(write_canvas_png(canvases_[4], artifacts_folder() + "/vr_control_panel.png"));
}

TEST_F(ToolPanels, PathPanelArmsTheEditorAndShowsTheReadouts) {
  // No mode armed: the editor's mode without a lit button; no frames: zero read-outs and a range of 1.
  render_settings.topo_click_mode = 0;
  path_panel_init(&path_panel);
  EXPECT_EQ(render_settings.topo_click_mode, 1363);
  for (const int32_t id : {1362, 1365, 1366, 1364, 1367, 1368, 1400, 1401}) EXPECT_EQ(g(path_panel, id).state, 0) << id;
  EXPECT_EQ(g(path_panel, 1372).range, 1);
  EXPECT_EQ(g(path_panel, 1372).value, 0);
  EXPECT_EQ(std::string(path_frame_readout), "Frame 0 of 0                  ");
  EXPECT_EQ(std::string(path_altitude_readout), " Z = 0          H = 0         ");
  EXPECT_EQ(std::string(path_frame_readout).size(), 30u);
  // An armed Placement mode stays armed and lights no Path button.
  render_settings.topo_click_mode = 1340;
  path_panel_init(&path_panel);
  EXPECT_EQ(render_settings.topo_click_mode, 1340);
  const std::vector<Row> rows = {
      {"add node", [] { render_settings.topo_click_mode = 1365; }, {{1365, 1}, {1362, 0}, {1401, 0}}, {}},
      {"remove roll", [] { render_settings.topo_click_mode = 1401; }, {{1401, 1}, {1365, 0}}, {}},
      {"new path", [] { render_settings.topo_click_mode = 1362; }, {{1362, 1}}, {}},
      {"closed loop", [] { set_closed_loop(1); }, {{1373, 1}, {1370, 0}, {1376, 0}, {1377, 0}, {1378, 0}}, {}},
      {"speed", [] { vehicle.path_speed = 4321; }, {}, {{1374, 4321}}},
  };
  check(path_panel, rows);
  // The altitude profile is drawn for the current frame. The panel does not fill its background: the window's
  // own background shows there, which the picture stands in for with the face colour.
  std::fill(canvases_[5].pixels.begin(), canvases_[5].pixels.end(), static_cast<uint8_t>(ui_color_face));
  static int32_t profile_frame = -1;
  altitude_profile_hook = [](int32_t frame) { profile_frame = frame; };
  path_panel_init(&path_panel);
  altitude_profile_hook = nullptr;
  EXPECT_EQ(profile_frame, 0);
  EXPECT_TRUE(write_canvas_png(canvases_[5], artifacts_folder() + "/path_panel.png"));
}

TEST_F(ToolPanels, AnimationPanelShowsTheFrameRate) {
  const std::vector<Row> rows = {
      {"rate", [] { animation_state.frame_rate = 24; }, {{1114, 0}, {1112, 0}, {1107, 0}, {1115, 0}}, {{1117, 24}}},
  };
  check(animation_panel, rows);
  EXPECT_TRUE(write_canvas_png(canvases_[6], artifacts_folder() + "/animation_panel.png"));
}

}  // namespace
