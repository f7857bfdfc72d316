// The Terrain, Water, Tree and Texture panels' commands: every id reaches its operation, with the edge cases of
// wave length, strata thickness, branch bending, the detail buttons and the sea level.
#include "engine/core/color_classes.h"
#include "engine/landscape/tree_classes.h"
#include "engine/landscape/waves.h"
#include "engine/panels/command_dispatch_internal.h"
#include "engine/panels/command_rows.h"
#include "engine/render/terrain_quad.h"
#include "tests/panels/scene_commands_fixture.h"

namespace {

class TerrainTreeCommands : public SceneCommands {};

struct Case {
  const char* what;
  std::function<void()> send;
  std::function<void()> check;
};

void expect_colours_stale() {
  EXPECT_EQ(derived_data.colors_done_step, land_width);
  EXPECT_EQ(derived_data.cliffs_done_step, land_width);
}

TEST_F(TerrainTreeCommands, EveryIdReachesItsOperation) {
  const int32_t T = kPanelTerrain, W = kPanelWater, R = kPanelTree, X = kPanelTexture;
  auto texture_opened = [&](int32_t type, int32_t id, const char* title) {
    ASSERT_NE(texture_map_panel, nullptr);
    EXPECT_STREQ(texture_map_panel->name, title);
    EXPECT_EQ(gadget(type, id).state, kGadgetOff);
  };
  auto picker = [&](int32_t type, int32_t id, int32_t mode) {
    ASSERT_NE(getvect_state.panel, nullptr);
    EXPECT_EQ(getvect_state.panel->id, mode);
    EXPECT_EQ(gadget(type, id).state, kGadgetOff);
  };
  const Case cases[] = {
      {"snow line", [&] { enter(T, 1196, 900); },
       [] { EXPECT_EQ(terrain_settings.snow_line, 900); expect_colours_stale(); EXPECT_EQ(derived_data.palette_stale, land_width); }},
      {"tree line", [&] { enter(T, 1195, 300); }, [] { EXPECT_EQ(terrain_settings.tree_line, 300); expect_colours_stale(); }},
      {"boundary roughness", [&] { enter(T, 1198, 12); },
       [] { EXPECT_EQ(terrain_settings.line_roughness, 12); expect_colours_stale(); }},
      {"valley on", [&] { terrain_settings.roughness_enabled = 0; press(T, 1262, 1); },
       [] { EXPECT_EQ(terrain_settings.roughness_enabled, 1); expect_colours_stale(); }},
      {"valley off", [&] { terrain_settings.roughness_enabled = 1; press(T, 1262, 0); },
       [] { EXPECT_EQ(terrain_settings.roughness_enabled, 0); }},
      {"valley width", [&] { enter(T, 1263, 321); }, [] { EXPECT_EQ(terrain_settings.roughness_radius, 321); expect_colours_stale(); }},
      {"valley strength", [&] { enter(T, 1264, 7); }, [] { EXPECT_EQ(terrain_settings.roughness_weight, 7); }},
      {"cliffs on", [&] { terrain_settings.cliffs_enabled = 0; press(T, 1256, 1); }, [] { EXPECT_EQ(terrain_settings.cliffs_enabled, 1); expect_colours_stale(); }},
      {"cliffs off", [&] { terrain_settings.cliffs_enabled = 1; press(T, 1256, 0); },
       [] { EXPECT_EQ(terrain_settings.cliffs_enabled, 0); }},
      {"cliff threshold", [&] { enter(T, 1257, 50); }, [] { EXPECT_EQ(terrain_settings.cliff_angle, 50); expect_colours_stale(); }},
      {"stratified on", [&] { press(T, 1258, 1); }, [] { EXPECT_EQ(terrain_settings.cliff_mode, 2); }},
      {"stratified off", [&] { terrain_settings.cliff_mode = 2; press(T, 1258, 0); }, [] { EXPECT_EQ(terrain_settings.cliff_mode, 1); }},
      {"strata thickness", [&] { enter(T, 1259, 35); }, [] { EXPECT_EQ(terrain_settings.strata_thickness, 35); }},
      {"strata thickness 0", [&] { enter(T, 1259, 0); },
       [&] { EXPECT_EQ(terrain_settings.strata_thickness, 1); EXPECT_EQ(gadget(T, 1259).value, 1); }},
      {"strata warp", [&] { enter(T, 1261, 44); },
       [] { EXPECT_EQ(terrain_settings.strata_warp, 44); EXPECT_EQ(derived_data.cliffs_done_step, land_width); }},
      {"strata tilt", [&] { press(T, 1260, 1); }, [&] { picker(T, 1260, kGetvectStrata); }},
      {"ground colors", [&] { press(T, 1356, 1); }, [&] { EXPECT_EQ(gadget(T, 1356).state, kGadgetOff); }},
      {"cliff colors", [&] { press(T, 1357, 1); }, [&] { EXPECT_EQ(gadget(T, 1357).state, kGadgetOff); }},
      {"ground textures", [&] { press(T, 1313, 1); }, [&] { texture_opened(T, 1313, "Ground Texture"); }},
      {"sea level rejected", [&] { host_->yes_no_answers = {1, 0}; enter(W, 1194, 25); },
       [] { EXPECT_EQ(terrain_settings.sea_level, 25); expect_colours_stale(); }},
      {"sea level accepted", [&] { host_->yes_no_answers = {1, 1}; enter(W, 1194, 25); },
       [] { EXPECT_EQ(terrain_settings.sea_level, 0); expect_colours_stale(); }},
      {"waves off", [&] { press(W, 1331, 0); }, [] { EXPECT_EQ(wave_settings.waves_enabled, 0); }},
      {"waves on", [&] { wave_settings.waves_enabled = 0; press(W, 1331, 1); }, [] { EXPECT_EQ(wave_settings.waves_enabled, 1); }},
      {"wave length", [&] { enter(W, 1333, 40); }, [] { EXPECT_EQ(wave_settings.wave_length, 40.0f); }},
      {"wave length 0", [&] { enter(W, 1333, 0); }, [] { EXPECT_EQ(wave_settings.wave_length, 1.0f); }},
      {"wave amplitude", [&] { enter(W, 1334, 20); }, [] { EXPECT_EQ(wave_settings.wave_height, 20.0f); }},
      {"wave speed", [&] { enter(W, 1335, 50); }, [] { EXPECT_EQ(wave_settings.wave_period, 50.0f); }},
      {"wave direction", [&] { press(W, 1332, 1); }, [&] { picker(W, 1332, kGetvectWave); }},
      {"water colors", [&] { press(W, 1358, 1); }, [&] { EXPECT_EQ(gadget(W, 1358).state, kGadgetOff); }},
      {"water textures", [&] { press(W, 1316, 1); }, [&] { texture_opened(W, 1316, "Water Texture"); }},
      {"trees on", [&] { press(R, 1199, 1); },
       [] {
         EXPECT_EQ(tree_settings.trees_enabled, 1);
         ASSERT_NE(tree_control_panel, nullptr);
         EXPECT_EQ(tree_control_panel->id, 14);
       }},
      {"trees off", [&] { tree_settings.trees_enabled = 1; press(R, 1199, 0); },
       [] { EXPECT_EQ(tree_settings.trees_enabled, 0); EXPECT_EQ(tree_control_panel, nullptr); }},
      {"mean size", [&] { enter(R, 1200, 70); }, [] { EXPECT_EQ(tree_settings.tree_size[3], 120); expect_colours_stale(); }},
      {"mean density", [&] { enter(R, 1201, 100); }, [] { EXPECT_EQ(tree_settings.tree_density[0], 100); expect_colours_stale(); }},
      {"2D on", [&] { tree_settings.trees_3d = 1; press(R, 1202, 1); }, [] { EXPECT_EQ(tree_settings.trees_3d, 0); }},
      {"3D on", [&] { press(R, 1203, 1); }, [] { EXPECT_EQ(tree_settings.trees_3d, 1); }},
      {"detail L", [&] { press(R, 1206, 1); }, [] { EXPECT_EQ(tree_settings.tree_detail, -1); }},
      {"detail M pressed again", [&] { press(R, 1207, 0); },
       [&] { EXPECT_EQ(tree_settings.tree_detail, 0); EXPECT_EQ(gadget(R, 1207).state, kGadgetOn); }},
      {"detail H", [&] { press(R, 1208, 1); }, [] { EXPECT_EQ(tree_settings.tree_detail, 1); }},
      {"detail U", [&] { press(R, 1209, 1); }, [] { EXPECT_EQ(tree_settings.tree_detail, 2); }},
      {"bending field 150", [&] { enter(R, 1205, 150); },
       [] { for (int32_t b : tree_settings.branch_bend) EXPECT_EQ(b, 100); }},
      {"bending field -5", [&] { enter(R, 1205, -5); },
       [] { for (int32_t b : tree_settings.branch_bend) EXPECT_EQ(b, 0); }},
      {"bending slider", [&] { enter(R, 1204, 33); }, [] { for (int32_t b : tree_settings.branch_bend) EXPECT_EQ(b, 33); }},
      {"tree colors", [&] { press(R, 1359, 1); }, [&] { EXPECT_EQ(gadget(R, 1359).state, kGadgetOff); }},
      {"tree textures", [&] { press(R, 1315, 1); }, [&] { texture_opened(R, 1315, "Tree Texture"); }},
      {"detail O", [&] { render_settings.detail_level = 2; press(X, 1009, 0); },
       [&] { EXPECT_EQ(render_settings.detail_level, 0); EXPECT_EQ(gadget(X, 1009).state, kGadgetOn); }},
      {"detail M", [&] { press(X, 1011, 1); }, [] { EXPECT_EQ(render_settings.detail_level, 2); }},
      {"detail H", [&] { press(X, 1012, 1); }, [] { EXPECT_EQ(render_settings.detail_level, 3); }},
      {"detail L off", [&] { render_settings.detail_level = 1; press(X, 1010, 0); },
       [] { EXPECT_EQ(render_settings.detail_level, 0); }},
      {"large roughness", [&] { enter(X, 1014, 70); }, [] { EXPECT_EQ(fractal_amplitudes[0], 70); }},
      {"small roughness", [&] { enter(X, 1015, 9); }, [] { EXPECT_EQ(fractal_amplitudes[7], 9); }},
      {"deformation", [&] { press(X, 1016, 1); }, [] { EXPECT_EQ(horizontal_deform, 1); }},
      {"blend", [&] { press(X, 1226, 0); }, [] { EXPECT_EQ(render_settings.blend_colors, 0); }},
      {"gouraud", [&] { press(X, 1062, 1); },
       [] { EXPECT_EQ(render_settings.gouraud_enabled, 1); EXPECT_EQ(derived_data.shades_done_step, land_width); }},
      {"house textures", [&] { press(X, 1314, 1); }, [&] { texture_opened(X, 1314, "House Texture"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reset_scene_settings();
    horizontal_deform = 0;
    derived_data.colors_done_step = derived_data.cliffs_done_step = derived_data.shades_done_step = 1;
    derived_data.palette_stale = 1;
    derived_data.landscape_changed = 0;
    host_->yes_no_answers.clear();
    c.send();
    EXPECT_EQ(engine_busy, 0);
    c.check();
    close_popups();
  }
}

TEST_F(TerrainTreeCommands, EveryIdHasARowInItsFamily) {
  const uint32_t ids[] = {1009, 1010, 1011, 1012, 1014, 1015, 1016, 1062, 1194, 1195, 1196, 1198, 1199, 1200,
                          1201, 1202, 1203, 1204, 1205, 1206, 1207, 1208, 1209, 1226, 1256, 1257, 1258, 1259,
                          1260, 1261, 1262, 1263, 1264, 1313, 1314, 1315, 1316, 1331, 1332, 1333, 1334, 1335,
                          1356, 1357, 1358, 1359, 1360};
  for (uint32_t id : ids) {
    const CommandRow* row = find_command_row(id);
    ASSERT_NE(row, nullptr) << id;
    bool in_family = false;
    for (const CommandRow* r = terrain_tree_commands; r->run; ++r) in_family |= r == row;
    EXPECT_TRUE(in_family) << id;
  }
  // The map picks of these panels belong to the map's family, once.
  for (uint32_t id : {1097u, 1098u, 1177u, 1178u, 1179u}) {
    const CommandRow* row = find_command_row(id);
    ASSERT_NE(row, nullptr) << id;
    for (const CommandRow* r = terrain_tree_commands; r->run; ++r) EXPECT_NE(r->id, static_cast<int32_t>(id));
  }
}

// The trees switch clicked on twice, or a texture button while the tree pop-up is open: one pop-up.
TEST_F(TerrainTreeCommands, TreePopUpIsNeverDuplicated) {
  press(kPanelTree, 1199, 1);
  PanelRecord* first = tree_control_panel;
  ASSERT_NE(first, nullptr);
  press(kPanelTree, 1199, 1);
  press(kPanelTree, 1315, 1);
  EXPECT_EQ(tree_control_panel, first);
  EXPECT_EQ(texture_map_panel, nullptr);
  EXPECT_EQ(children(kPanelTree), 1);
  EXPECT_EQ(gadget(kPanelTree, 1315).state, kGadgetOff);
}

}  // namespace
