// The Light panel: synchronisation of the compass, knob, fields, toggles and sliders from the light settings.
#include <gtest/gtest.h>

#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/light_panel.h"
#include "tests/panels/map_fixture.h"
#include "tests/ui/canvas_png.h"

namespace {

class LightPanel : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    canvas_.resize(300, 500);
    light_panel_create();
    light_panel.canvas = &canvas_;
  }
  void TearDown() override {
    control_panels[kPanelLight] = nullptr;
    light_panel.canvas = nullptr;
    MapFixture::TearDown();
  }
  static GadgetRecord& g(int32_t id) { return *gadget_table::find(light_panel.gadgets, id); }
  Canvas canvas_;
};

TEST_F(LightPanel, CompassFollowsTheSunAndFieldsShowTheSettings) {
  struct Case {
    float azimuth, declination;
    int32_t lit;  // the compass letter on, 0 for none
  };
  const Case cases[] = {{0, 45, 1048}, {-90, 45, 1050}, {180, 45, 1049}, {90, 45, 1051}, {90, 44.9f, 0}, {10, 45, 0}};
  for (const Case& c : cases) {
    light_state.sun_azimuth = c.azimuth;
    light_state.sun_declination = c.declination;
    light_panel_sync();
    for (const int32_t id : {1048, 1049, 1050, 1051})
      EXPECT_EQ(g(id).state, id == c.lit ? kGadgetOn : kGadgetOff) << c.azimuth << " " << id;
    EXPECT_EQ(g(1160).value, static_cast<int32_t>(c.azimuth));
  }
  render_settings.shadows_enabled = 0;
  render_settings.light_roughness = 55;
  light_state.contrast = 200;
  light_state.brightness = 17;
  light_panel_init(&light_panel);
  EXPECT_EQ(g(1222).state, kGadgetOff);
  EXPECT_EQ(g(1213).value, 55);
  EXPECT_EQ(g(1328).value, 200);
  EXPECT_EQ(g(1329).value, 17);
  EXPECT_FLOAT_EQ(gadget_value_float(g(1218)), 45);
  EXPECT_TRUE(write_canvas_png(canvas_, artifacts_folder() + "/light_panel.png"));
}

}  // namespace
