// The Camera panel: synchronisation from the settings and the effect of its gadgets through the command handler.
#include <gtest/gtest.h>

#include <bit>

#include "engine/panels/camera_panel.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "tests/panels/map_fixture.h"
#include "tests/ui/canvas_png.h"

namespace {

class CameraPanel : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    canvas_.resize(300, 500);
    camera_panel_create();
    camera_panel.canvas = &canvas_;
  }
  void TearDown() override {
    control_panels[kPanelCamera] = nullptr;
    camera_panel.canvas = nullptr;
    MapFixture::TearDown();
  }
  static GadgetRecord& g(int32_t id) { return *gadget_table::find(camera_panel.gadgets, id); }
  static void type_float(int32_t id, float v) { gadget_set_value_float(g(id), v); }
  Canvas canvas_;
};

TEST_F(CameraPanel, SynchronisesFromTheSettings) {
  set_camera(100, 200, 300);
  set_target(100, 200 + 400, 0);
  camera_state.lock_y = 1;
  camera_state.camera_bank = -12.7f;
  lens_state.lens_scale = 1.0f;
  lens_state.focal_length = 16;
  render_settings.topo_click_mode = 2;
  light_state.auto_exposure = 0;
  camera_panel_init(&camera_panel);
  EXPECT_EQ(g(1043).state, kGadgetOn);
  EXPECT_EQ(g(1042).state, kGadgetOff);
  EXPECT_FLOAT_EQ(gadget_value_float(g(1181)), 200);
  EXPECT_FLOAT_EQ(gadget_value_float(g(1186)), 0);
  EXPECT_EQ(g(1175).state, kGadgetOn);
  EXPECT_EQ(g(1187).value, 500);
  EXPECT_EQ(g(1192).value, -12);
  EXPECT_EQ(g(1231).state, kGadgetOn);
  EXPECT_EQ(g(1232).state, kGadgetOff);
  EXPECT_EQ(g(1292).state, kGadgetOff);
  lens_state.lens_scale = 1.5f;  // neither standard lens
  camera_panel_sync();
  EXPECT_EQ(g(1231).state, kGadgetOff);
  EXPECT_EQ(g(1232).state, kGadgetOff);
  EXPECT_TRUE(write_canvas_png(canvas_, artifacts_folder() + "/camera_panel.png"));
}

TEST_F(CameraPanel, GadgetsChangeTheCameraAndLens) {
  set_camera(1000, 1000, 500);
  set_target(2000, 1000, 0);
  // A locked axis keeps its value when the field is edited, and the field shows the kept value.
  g(1174).state = kGadgetOn;
  engine_command(1174, 0, 0, &camera_panel);
  EXPECT_EQ(camera_state.lock_x, 1);
  type_float(1180, 1234);
  engine_command(1180, 0, 0, &camera_panel);
  EXPECT_FLOAT_EQ(camera_state.camera_x, 1000);
  EXPECT_FLOAT_EQ(gadget_value_float(g(1180)), 1000);
  g(1174).state = kGadgetOff;
  engine_command(1174, 0, 0, &camera_panel);
  type_float(1181, 1500);
  engine_command(1181, 0, 0, &camera_panel);
  EXPECT_FLOAT_EQ(camera_state.camera_y, 1500);
  // Focal length 0 or less is stored as 1.
  struct Case {
    int32_t typed, stored;
  };
  for (const Case c : {Case{0, 1}, Case{-5, 1}, Case{50, 50}}) {
    g(1233).value = c.typed;
    engine_command(1233, 0, 0, &camera_panel);
    EXPECT_EQ(lens_state.focal_length, c.stored);
    EXPECT_FLOAT_EQ(lens_state.lens_scale, c.stored / 16.0f);
  }
  engine_command(1231, 0, 0, &camera_panel);
  EXPECT_EQ(lens_state.focal_length, 16);
  EXPECT_EQ(g(1231).state, kGadgetOn);
  g(1191).value = 90;
  engine_command(1191, 0, 0, &camera_panel);
  EXPECT_NEAR(camera_state.camera_heading, 90, 0.01);
  g(1292).state = kGadgetOff;
  engine_command(1292, 0, 0, &camera_panel);
  EXPECT_EQ(light_state.auto_exposure, 0);
}

TEST_F(CameraPanel, VrViewAndEyeButtons) {
  ui_test::TestPanel vr(300, 500);
  GadgetRecord b = gadget_table::make(kGadgetButton, 256, 10, 10, 1237, "Port", nullptr);
  vr.panel.gadgets = &b;
  struct Case {
    int32_t id, state, facing;
  };
  const Case cases[] = {{1237, 1, 7}, {1237, 0, 5}, {1239, 1, 8}, {1240, 1, 6}, {1238, 0, 5}};
  for (const Case& c : cases) {
    b.id = c.id;
    b.state = c.state;
    engine_command(static_cast<uint32_t>(c.id), 0, 0, &vr.panel);
    EXPECT_EQ(lens_state.view_facing, c.facing) << c.id;
  }
}

}  // namespace
