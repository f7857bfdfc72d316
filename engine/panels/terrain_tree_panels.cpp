// The Terrain and Tree control panels' gadget tables, synchronisation and drawing.
#include "engine/panels/terrain_tree_panels.h"

#include <cmath>
#include <cstring>

#include "engine/core/maths.h"
#include "engine/core/settings.h"
#include "engine/panels/command_dispatch.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/screen.h"

PanelRecord terrain_panel{};
PanelRecord tree_panel{};

namespace {
using gadget_table::make;
GadgetRecord terrain_gadgets[30];
GadgetRecord tree_gadgets[24];
char terrain_text[9][16], tree_text[3][16];
const char kOn[] = "  On  ", kOff[] = "  Off ";

GadgetRecord label(int32_t x, int32_t y, const char* text) { return make(kGadgetLabel, 0, x, y, 0, text, nullptr); }
GadgetRecord int_field(int32_t y, int32_t id, char* buffer, const char* tip) {
  std::memcpy(buffer, "---------------", 16);
  return make(kGadgetInteger, 0, 222, y, id, nullptr, tip, 0, 6, 0, buffer, 16);
}
GadgetRecord toggle(int32_t y, int32_t id, const char* tip, bool on) {
  GadgetRecord g = make(kGadgetButton, 0, 222, y, id, kOn, tip);
  g.extra.off_text = kOff;
  g.state = on ? kGadgetOn : kGadgetOff;
  return g;
}
void set_state(PanelRecord& p, int32_t id, bool on) {
  if (GadgetRecord* g = gadget_table::find(p.gadgets, id)) g->state = on ? kGadgetOn : kGadgetOff;
}
void set_value(PanelRecord& p, int32_t id, int32_t v) {
  if (GadgetRecord* g = gadget_table::find(p.gadgets, id)) g->value = v;
}
void setup(PanelRecord& p, const char* name, int32_t type, int32_t (*draw)(PanelRecord*), GadgetRecord* list) {
  std::strcpy(p.name, name);
  p.id = type;
  p.x0 = 0, p.y0 = 0, p.x1 = 300, p.y1 = 500, p.width = 300, p.height = 500;
  p.draw = draw;
  p.event = engine_panel_event;
  p.gadgets = list;
  control_panels[type] = &p;
}
int32_t whole(double v) { return std::isfinite(v) ? static_cast<int32_t>(v) : 0; }
}  // namespace

void terrain_panel_create() {
  GadgetRecord* g = terrain_gadgets;
  int32_t i = 0;
  char(*t)[16] = terrain_text;
  g[i++] = label(30, 8, "      Terrain properties      ");
  g[i++] = make(kGadgetButton, 1, 30, 48, 1177, "Set snow line.........", "Set the snowline by clicking on the topo map.");
  g[i++] = int_field(48, 1196, t[0], "Set the snowline.  Snow colors and textures are applied to altitudes above the snowline.");
  g[i++] = make(kGadgetButton, 1, 30, 76, 1179, "Set tree line.........", "Set the treeline by clicking on the topo map.");
  g[i++] = int_field(76, 1195, t[1], "Set the treeline.  Tree colors and textures are applied to altitudes below the treeline.");
  g[i++] = label(30, 104, "Boundary roughness.....");
  g[i++] = int_field(104, 1198, t[2], "Roughness of the treeline and snowline.");
  g[i++] = label(30, 152, "Valley effect..........");
  g[i++] = toggle(152, 1262, "When on, snow decends, trees ascend into valleys.", true);
  g[i++] = label(30, 180, "Valley width...........");
  g[i++] = int_field(180, 1263, t[3], "Width of valley effect (meters).");
  g[i++] = label(30, 208, "Valley strength........");
  g[i++] = int_field(208, 1264, t[4], "Strength of valley effect.");
  g[i++] = label(30, 256, "Cliffs.................");
  g[i++] = toggle(256, 1256, "When on, steep areas are drawn with cliff colors.", true);
  g[i++] = label(30, 284, "Cliff threshold........");
  g[i++] = int_field(284, 1257, t[5], "Threshold angle (in degrees) over which cliffs are rendered.");
  g[i++] = label(30, 312, "Stratified cliffs......");
  g[i++] = toggle(312, 1258, "Stratified cliffs or color-by-slope.", false);
  g[i++] = label(30, 340, "Strata thickness.......");
  g[i++] = int_field(340, 1259, t[6], "Average thickness of cliff strata (meters).");
  g[i++] = label(30, 368, "Strata warp............");
  g[i++] = int_field(368, 1261, t[7], "Deformation of cliff strata (0=none, 100=nominal).");
  g[i++] = label(30, 396, "Strata tilt............");
  g[i] = make(kGadgetKnob, 0, 230, 396, 1260, nullptr, "Sets the stacking direction of cliff stratafication.", 0, 16);
  g[i++].state = kGadgetOn;
  g[i++] = make(kGadgetButton, 0, 30, 424, 1357, " Cliff colors ", "Set the cliff colors.");
  g[i++] = make(kGadgetButton, 0, 30, 468, 1356, "    Colors    ", "Set the ground colors.");
  g[i++] = make(kGadgetButton, 0, 158, 468, 1313, "   Textures   ", "Select 2D texture maps for the different terrain types.");
  setup(terrain_panel, "Terrain", kPanelTerrain, terrain_panel_init, gadget_table::link(g, i));
}

void tree_panel_create() {
  GadgetRecord* g = tree_gadgets;
  int32_t i = 0;
  g[i++] = label(30, 8, "        Tree controls         ");
  g[i++] = label(30, 64, "Trees..................");
  g[i++] = toggle(64, 1199, "Enables the drawing of trees and selects their properties.", false);
  g[i++] = label(30, 92, "Average tree size......");
  g[i++] = int_field(92, 1200, tree_text[0], "Average tree size in meters.");
  g[i++] = label(30, 120, "Average tree density...");
  g[i++] = int_field(120, 1201, tree_text[1], "Average density of trees (0=no trees, 255 most trees).");
  g[i++] = make(kGadgetButton, 1, 30, 204, 1202, "  Draw as 2D  ", "Draw 2D trees (faster than 3D, less detailed).");
  g[i++] = make(kGadgetButton, 1, 158, 204, 1203, "  Draw as 3D  ", "Draw 3D trees (slower than 2D, more detailed).");
  g[i++] = label(30, 316, "3D detail level........");
  g[i++] = make(kGadgetButton, 8, 218, 316, 1206, "L", "Draw 3D trees with little detail.");
  g[i++] = make(kGadgetButton, 8, 234, 316, 1207, "M", "Draw medium-detailed 3D trees.");
  g[i++] = make(kGadgetButton, 8, 250, 316, 1208, "H", "Draw highly-detailed 3D trees.");
  g[i++] = make(kGadgetButton, 8, 266, 316, 1209, "U", "Draw ultra-detailed 3D trees.");
  g[i++] = label(30, 344, "3D branch bending......");
  g[i++] = int_field(344, 1205, tree_text[2], "Controls how bent 3d branches are.");
  g[i++] = make(kGadgetHSlider, 0, 30, 372, 1204, nullptr, "Controls how bent 3d branches are.", 0, 216, 101);
  g[i++] = make(kGadgetButton, 0, 30, 468, 1359, " Tree colors  ", "Set tree colors.");
  g[i++] = make(kGadgetButton, 0, 158, 468, 1315, " 2D textures  ", "Select 2D tree texture maps.");
  setup(tree_panel, "Tree", kPanelTree, tree_panel_init, gadget_table::link(g, i));
}

int32_t terrain_panel_sync() {
  if (!terrain_panel.gadgets) return 1;
  PanelRecord& p = terrain_panel;
  const TerrainSettings& s = terrain_settings;
  set_state(p, 1177, render_settings.topo_click_mode == 6);
  set_state(p, 1179, render_settings.topo_click_mode == 5);
  set_value(p, 1196, s.snow_line);
  set_value(p, 1195, s.tree_line);
  set_value(p, 1198, s.line_roughness);
  set_state(p, 1262, s.roughness_enabled != 0);
  set_value(p, 1263, s.roughness_radius);
  set_value(p, 1264, s.roughness_weight);
  set_state(p, 1256, s.cliffs_enabled != 0);
  set_value(p, 1257, s.cliff_angle);
  set_state(p, 1258, s.cliff_mode == 2);
  set_value(p, 1259, s.strata_thickness);
  set_value(p, 1261, s.strata_warp);
  if (GadgetRecord* k = gadget_table::find(p.gadgets, 1260)) {
    const double x = s.strata_normal_x, y = s.strata_normal_y, z = s.strata_normal_z;
    int32_t az = whole(atan2_deg(s.strata_normal_x, s.strata_normal_y) - 90.0f);
    if (az >= 181) az -= 360;
    k->value = az;
    k->extra.elevation = whole(atan2_deg(static_cast<float>(std::sqrt(x * x + y * y)), static_cast<float>(z)));
    k->state = kGadgetOff;
  }
  set_state(p, 1357, false);
  set_state(p, 1356, false);
  return 1;
}

int32_t tree_panel_sync() {
  if (!tree_panel.gadgets) return 1;
  PanelRecord& p = tree_panel;
  const TreeSettings& t = tree_settings;
  set_state(p, 1199, t.trees_enabled != 0);
  const int32_t size = (t.tree_size[0] + t.tree_size[1] + t.tree_size[2] + t.tree_size[3] + 2) / 4;
  const int32_t density = (t.tree_density[0] + t.tree_density[1] + t.tree_density[2] + t.tree_density[3] + 2) / 4;
  set_value(p, 1200, size);
  set_state(p, 1200, false);
  set_value(p, 1201, density);
  set_state(p, 1201, false);
  set_state(p, 1202, t.trees_3d == 0);
  set_state(p, 1203, t.trees_3d != 0);
  set_state(p, 1206, t.tree_detail == -1);
  set_state(p, 1207, t.tree_detail == 0);
  set_state(p, 1208, t.tree_detail == 1);
  set_state(p, 1209, t.tree_detail == 2);
  set_value(p, 1205, t.branch_bend[0]);
  set_value(p, 1204, t.branch_bend[0]);
  set_state(p, 1359, false);
  set_state(p, 1315, false);
  return 1;
}

int32_t terrain_panel_init(PanelRecord*) {
  if (!terrain_panel.gadgets) return 1;
  window_stack_push();
  use_panel_window(&terrain_panel);
  panel_fill_rect(&terrain_panel, 0, 0, terrain_panel.width, terrain_panel.height, ui_color_face);
  terrain_panel_sync();
  draw_gadgets(&terrain_panel, terrain_panel.gadgets);
  window_stack_pop();
  return 1;
}

int32_t tree_panel_init(PanelRecord*) {
  if (!tree_panel.gadgets) return 1;
  window_stack_push();
  use_panel_window(&tree_panel);
  tree_panel_sync();
  draw_gadgets(&tree_panel, tree_panel.gadgets);
  window_stack_pop();
  return 1;
}
