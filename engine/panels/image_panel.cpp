// The Image panel: render options, dithering, the 8-bit palette, display depth, image size and display options.
#include "engine/core/settings.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/panel_rows.h"
#include "engine/panels/tool_panels.h"
#include "engine/raster/frame_buffers.h"

PanelRecord image_panel{};

namespace {
using namespace panel_rows;
GadgetRecord gadgets[27];
char int_text[4][16];
MenuItem size_items[8];

void build_size_items() {
  struct Row {
    uint32_t id;
    const char* text;
    uint32_t marked;
    const char* tip;
  };
  const Row rows[7] = {{1017, "         320 x 200          ", 1, "320 pixels wide, 200 pixels high."},
                       {1018, "         320 x 240          ", 1, "320 pixels wide, 240 pixels high."},
                       {1020, "         640 x 480          ", 0, "640 pixels wide, 480 pixels high."},
                       {1021, "         800 x 600          ", 0, "800 pixels wide, 600 pixels high."},
                       {1022, "        1024 x 768          ", 0, "1024 pixels wide, 768 pixels high."},
                       {1024, "        1600 x 1200         ", 0, "1600 pixels wide, 1200 pixels high."},
                       {1025, "        2048 x 1536         ", 0, "2048 pixels wide, 1536 pixels high."}};
  for (int32_t k = 0; k < 7; ++k) size_items[k] = MenuItem{1, 1, rows[k].id, rows[k].text, rows[k].marked, rows[k].tip, 8, 538};
  size_items[7] = MenuItem{};
}
}  // namespace

void image_panel_create() {
  build_size_items();
  GadgetRecord* g = gadgets;
  int32_t i = 0;
  g[i++] = label(30, 8, "       Image properties       ");
  g[i++] = label(30, 40, "Auto exposure..........");
  g[i++] = toggle(40, 1292, "Automatically compensate for lighting properties.");
  g[i++] = label(30, 68, "Phong hilites..........");
  g[i++] = toggle(68, 1291, "Enable Phong specular reflections (shiny spots).");
  g[i++] = label(30, 96, "Flare effects..........");
  g[i++] = toggle(96, 1290, "Enable flare effects (self illuminating objects).");
  g[i++] = label(30, 124, "Antialiasing...........");
  g[i++] = toggle(124, 1289, "Enable antialiasing (jaggy removal).");
  g[i++] = button(0, 30, 152, 1283, "      Select background       ", "Select a background image (loaded before each rendering).");
  g[i++] = button(0, 30, 180, 1284, "      Select foreground       ", "Select a foreground image (overlayed after each rendering).");
  g[i++] = label(30, 208, "Pixel dithering........");
  g[i++] = int_field(222, 208, 1223, 6, int_text[0], "Amount of dithering (0=none, 100=medium).");
  g[i++] = label(30, 236, "Palette colors.........");
  g[i++] = int_field(222, 236, 1221, 6, int_text[1], "Number of palette colors to use with 8 bit images.");
  g[i++] = label(30, 264, "Lock palette...........");
  g[i++] = toggle(264, 1219, "Lock the 8bit palette to it's current colors.");
  g[i++] = button(0, 30, 292, 1131, "         Load palette         ", "Load a palette from a PCX file.");
  g[i++] = button(0, 30, 320, 1026, "      Palettized display      ",
                  "Display images using a 256 color palette rather than direct RGB colors.");
  GadgetRecord sizes = gadget_table::make(kGadgetDropDown, 0, 30, 352, 0, "          Image size          ",
                                          "Select from a list of common image sizes.");
  sizes.extra.items = size_items;
  g[i++] = sizes;
  g[i++] = label(30, 380, "Image width............");
  g[i++] = int_field(222, 380, 1032, 6, int_text[2], "Width of rendered image in pixels.");
  g[i++] = label(30, 408, "Image height...........");
  g[i++] = int_field(222, 408, 1033, 6, int_text[3], "Height of rendered image in pixels.");
  g[i++] = button(0, 30, 460, 1027, "       Display options        ", "Set image window redraw (while rendering) interval.");
  tool_panel_setup(image_panel, "Image", kPanelImage, image_panel_init, gadget_table::link(g, i));
}

int32_t image_panel_sync() {
  GadgetRecord* list = image_panel.gadgets;
  if (!list) return 1;
  const RenderSettings& r = render_settings;
  set_state(list, 1292, light_state.auto_exposure != 0);
  set_state(list, 1291, r.phong_enabled != 0);
  set_state(list, 1290, r.flare_enabled != 0);
  set_state(list, 1289, r.antialias_mode != 0);
  set_state(list, 1283, r.background_enabled != 0);
  set_state(list, 1284, r.foreground_enabled != 0);
  set_value(list, 1223, r.dither_amount);
  set_value(list, 1221, r.palette_colors);
  set_state(list, 1219, r.palette_locked != 0);
  set_state(list, 1026, display_depth < 9);
  set_value(list, 1032, image_width);
  set_value(list, 1033, image_height);
  set_state(list, 1027, false);
  return 1;
}

int32_t image_panel_init(PanelRecord*) { return tool_panel_draw(image_panel, true, image_panel_sync); }
