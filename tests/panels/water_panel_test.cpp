// The Water panel: synchronisation from the sea and wave settings, and its tools arming the map modes.
#include <gtest/gtest.h>

#include "engine/landscape/waves.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/water_panel.h"
#include "tests/panels/map_fixture.h"
#include "tests/ui/canvas_png.h"

namespace {

class WaterPanel : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    canvas_.resize(300, 500);
    water_panel_create();
    water_panel.canvas = &canvas_;
  }
  void TearDown() override {
    control_panels[kPanelWater] = nullptr;
    water_panel.canvas = nullptr;
    MapFixture::TearDown();
  }
  static GadgetRecord& g(int32_t id) { return *gadget_table::find(water_panel.gadgets, id); }
  Canvas canvas_;
};

TEST_F(WaterPanel, SynchronisesAndArmsTheLakeTool) {
  terrain_settings.sea_level = 12;
  wave_settings.waves_enabled = 0;
  wave_settings.wave_length = 33.9f;
  wave_settings.wave_direction = 45;
  water_panel_init(&water_panel);
  EXPECT_EQ(g(1194).value, 12);
  EXPECT_EQ(g(1331).state, kGadgetOff);
  EXPECT_EQ(g(1333).value, 33);
  EXPECT_EQ(g(1332).value, 135);
  EXPECT_EQ(g(1332).extra.elevation, 0);
  g(1097).state = kGadgetOn;
  engine_command(1097, 0, 0, &water_panel);
  EXPECT_EQ(render_settings.topo_click_mode, 3);
  water_panel_sync();  // a synchronisation releases the tool buttons
  EXPECT_EQ(g(1097).state, kGadgetOff);
  EXPECT_TRUE(write_canvas_png(canvas_, artifacts_folder() + "/water_panel.png"));
}

}  // namespace
