// The Terrain and Tree panels: synchronisation from the terrain and tree settings, with the strata knob's angles.
#include <gtest/gtest.h>

#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/terrain_tree_panels.h"
#include "tests/panels/map_fixture.h"
#include "tests/ui/canvas_png.h"

namespace {

class TerrainTreePanels : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    terrain_canvas_.resize(300, 500);
    tree_canvas_.resize(300, 500);
    terrain_panel_create();
    tree_panel_create();
    terrain_panel.canvas = &terrain_canvas_;
    tree_panel.canvas = &tree_canvas_;
  }
  void TearDown() override {
    control_panels[kPanelTerrain] = control_panels[kPanelTree] = nullptr;
    terrain_panel.canvas = tree_panel.canvas = nullptr;
    MapFixture::TearDown();
  }
  static GadgetRecord& t(int32_t id) { return *gadget_table::find(terrain_panel.gadgets, id); }
  static GadgetRecord& tr(int32_t id) { return *gadget_table::find(tree_panel.gadgets, id); }
  Canvas terrain_canvas_, tree_canvas_;
};

TEST_F(TerrainTreePanels, StrataKnobAnglesAndTerrainFields) {
  struct Case {
    float x, y, z;
    int32_t azimuth, elevation;
  };
  const Case cases[] = {{-1, 0, 0, 90, 0}, {0, 0, 1, 0, 90}, {1, 0, 0, -90, 0}, {0, -1, 0, 180, 0}};
  for (const Case& c : cases) {
    terrain_settings.strata_normal_x = c.x, terrain_settings.strata_normal_y = c.y, terrain_settings.strata_normal_z = c.z;
    terrain_panel_sync();
    EXPECT_EQ(t(1260).value, c.azimuth) << c.x << "," << c.y << "," << c.z;
    EXPECT_EQ(t(1260).extra.elevation, c.elevation);
    EXPECT_EQ(t(1260).state, kGadgetOff);
  }
  terrain_settings.cliff_mode = 2;
  terrain_settings.snow_line = 812;
  render_settings.topo_click_mode = 6;
  terrain_panel_init(&terrain_panel);
  EXPECT_EQ(t(1258).state, kGadgetOn);
  EXPECT_EQ(t(1196).value, 812);
  EXPECT_EQ(t(1177).state, kGadgetOn);
  EXPECT_EQ(t(1179).state, kGadgetOff);
  EXPECT_TRUE(write_canvas_png(terrain_canvas_, artifacts_folder() + "/terrain_panel.png"));
}

TEST_F(TerrainTreePanels, TreeMeansDetailAndBending) {
  tree_settings.tree_size[0] = 10, tree_settings.tree_size[1] = 11, tree_settings.tree_size[2] = 12,
  tree_settings.tree_size[3] = 13;  // (46 + 2) / 4 = 12
  tree_settings.tree_detail = 2;
  tree_settings.trees_3d = 1;
  tree_settings.branch_bend[0] = 77;
  tree_panel_init(&tree_panel);
  EXPECT_EQ(tr(1200).value, 12);
  EXPECT_EQ(tr(1209).state, kGadgetOn);
  EXPECT_EQ(tr(1208).state, kGadgetOff);
  EXPECT_EQ(tr(1203).state, kGadgetOn);
  EXPECT_EQ(tr(1202).state, kGadgetOff);
  EXPECT_EQ(tr(1204).value, 77);
  EXPECT_TRUE(write_canvas_png(tree_canvas_, artifacts_folder() + "/tree_panel.png"));
}

}  // namespace
