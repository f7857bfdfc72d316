// The Manipulation and Creation panels: reshaping and fractal creation buttons, the vertical scale, sample
// spacing, seed, roughness and feature-size settings.
#include <initializer_list>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/panel_rows.h"
#include "engine/panels/tool_panels.h"

PanelRecord manipulation_panel{};
PanelRecord creation_panel{};

namespace {
using namespace panel_rows;
GadgetRecord manipulation_gadgets[19];
GadgetRecord creation_gadgets[17];
char manipulation_float[2][32], manipulation_int[16];
char creation_int[2][16];

// The four feature-size digits from x0, 16 pixels apart, the first one on.
int32_t add_feature_digits(GadgetRecord* g, int32_t i, int32_t x0, int32_t y) {
  const char* const digits[4] = {"1", "2", "4", "8"};
  const char* const tips[4] = {"Very small scale features will be added.", "Small scale features will be added.",
                               "Large scale features will be added.", "Very large scale features will be added."};
  for (int32_t k = 0; k < 4; ++k) g[i++] = button(16, x0 + 16 * k, y, 1227 + k, digits[k], tips[k]);
  g[i - 4].state = kGadgetOn;
  return i;
}

void sync_feature_digits(GadgetRecord* list) {
  const int32_t sizes[4] = {1, 2, 4, 8};
  for (int32_t k = 0; k < 4; ++k) set_state(list, 1227 + k, terrain_settings.feature_size == sizes[k]);
}
}  // namespace

void manipulation_panel_create() {
  GadgetRecord* g = manipulation_gadgets;
  int32_t i = 0;
  g[i++] = label(30, 8, "   Landscape manipulations    ");
  g[i++] = label(30, 64, "Vertical scale.........");
  g[i++] = float_field(222, 64, 1214, 6, manipulation_float[0], "Change the vertical scale of the landscape.");
  g[i++] = label(30, 92, "Sample spacing.........");
  g[i++] = float_field(222, 92, 1150, 6, manipulation_float[1], "The distance between altitude samples (both axis).");
  g[i++] = button(0, 30, 148, 1099, "            Smooth            ", "Smooth the landscape.");
  g[i++] = button(0, 30, 176, 1152, "            Erode             ",
                  "Fill depressions with sediment.  End with Esc or right mouse button.");
  g[i++] = label(30, 232, "Fractal roughness......");
  g[i++] = int_field(222, 232, 1216, 6, manipulation_int, "Degree of roughness to add.");
  g[i++] = label(30, 260, "Feature size...........");
  i = add_feature_digits(g, i, 218, 260);
  g[i++] = button(0, 30, 288, 1151, "            Roughen           ", "Roughen the landscape (using the current feature size).");
  g[i++] = button(0, 30, 316, 1153, "            Stretch           ",
                  "Exagerate features of the landscape (using the current feature size).");
  g[i++] = button(1, 30, 372, 1170, "        Enlarge section       ", "Expand a 1/4 section to fill the entire area.");
  g[i++] = button(1, 30, 400, 1169, "          Enlarge all         ", "Double the horizontal dimensions of the landscape.");
  g[i++] = button(1, 30, 428, 1171, "            Shrink            ", "Shrink the current landscape.");
  tool_panel_setup(manipulation_panel, "Manipulation", kPanelManipulation, manipulation_panel_init,
                   gadget_table::link(g, i));
}

void creation_panel_create() {
  GadgetRecord* g = creation_gadgets;
  int32_t i = 0;
  g[i++] = label(30, 8, "  Fractal landscape creation  ");
  g[i++] = button(0, 30, 64, 1053, "      Set landscape size      ", "Set the size of the landscape area.");
  g[i++] = button(0, 30, 120, 1225, "        Randomize seed        ", "Generate a random seed and it's landscape.");
  g[i++] = label(30, 148, "Seed value........");
  g[i++] = int_field(182, 148, 1044, 11, creation_int[0], "Create a fractal landscape from this seed.");
  g[i++] = label(30, 204, "Feature size...........");
  i = add_feature_digits(g, i, 212, 204);
  g[i++] = label(30, 232, "Fractal roughness......");
  g[i++] = int_field(222, 232, 1216, 6, creation_int[1], "Landscape roughness (height of mountains).");
  g[i++] = button(1, 30, 288, 1170, "        Enlarge section       ", "Expand a 1/4 section to fill the entire area.");
  g[i++] = button(0, 30, 344, 1099, "            Smooth            ", "Smooth the landscape.");
  g[i++] = button(0, 30, 372, 1152, "            Erode             ",
                  "Fill depressions with sediment.  End with Esc or right mouse button.");
  g[i++] = button(0, 30, 428, 1151, "            Roughen           ", "Roughen the landscape (using the current feature size).");
  g[i++] = button(0, 30, 456, 1153, "            Stretch           ",
                  "Exagerate features of the landscape (using the current feature size).");
  tool_panel_setup(creation_panel, "Creation", kPanelCreation, creation_panel_init, gadget_table::link(g, i));
}

int32_t manipulation_panel_sync() {
  GadgetRecord* list = manipulation_panel.gadgets;
  if (!list) return 1;
  set_float(list, 1214, landscape_view.vertical_scale);
  set_float(list, 1150, grid_spacing_x);
  for (const int32_t id : {1099, 1152, 1151, 1153, 1170, 1169, 1171}) set_state(list, id, false);
  set_value(list, 1216, terrain_settings.fractal_roughness);
  sync_feature_digits(list);
  return 1;
}

int32_t creation_panel_sync() {
  GadgetRecord* list = creation_panel.gadgets;
  if (!list) return 1;
  for (const int32_t id : {1053, 1225}) set_state(list, id, false);
  set_value(list, 1044, terrain_settings.fractal_seed);
  sync_feature_digits(list);
  set_value(list, 1216, terrain_settings.fractal_roughness);
  return 1;
}

int32_t manipulation_panel_init(PanelRecord*) { return tool_panel_draw(manipulation_panel, true, manipulation_panel_sync); }
int32_t creation_panel_init(PanelRecord*) { return tool_panel_draw(creation_panel, true, creation_panel_sync); }
