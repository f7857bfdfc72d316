// The About and image statistics pop-ups: fixed texts, the figures of the last render and loaded image.
#include <initializer_list>
#include <cstdio>

#include "engine/files/targa.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/info_panel_common.h"
#include "engine/panels/info_panels.h"
#include "engine/raster/frame_buffers.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_input.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/screen.h"

namespace {
GadgetRecord ok_gadget;
bool in_event = false;

GadgetRecord* ok_list() {
  ok_gadget = gadget_table::make(kGadgetButton, 0, 10, 10, kInfoOk, "  OK  ", nullptr);
  ok_gadget.help_x = ok_gadget.help_y = 0;
  return &ok_gadget;
}

// "  OK  ", Esc, Enter or the right button close; other results are ignored.
void close_on_ok(PopupSlot& slot, PanelRecord* panel) {
  if (in_event) return;
  in_event = true;
  int32_t x = 0, y = 0;
  const int32_t e = panel_event(panel, &x, &y);
  if (e == kInfoOk || e == kKeyEventBase + kKeyEsc || e == kKeyEventBase + kKeyEnter || e == kEventRightButton) {
    ok_gadget.state = kGadgetOff;
    info_popup_close(slot, panel);
  }
  in_event = false;
}
}  // namespace

int32_t draw_about_panel(PanelRecord* panel) {
  info_fill(panel);
  panel_set_gadgets(panel, ok_list());
  const int32_t h = char_height;
  draw_centered_text(panel, 3 * h, "Dalvenor");
  draw_centered_text(panel, 4 * h, "Version 4.2.4");
  draw_centered_text(panel, 6 * h, "Landscape generation, rendering");
  draw_centered_text(panel, 7 * h, "and animation.");
  draw_centered_text(panel, 9 * h, "Written by the");
  draw_centered_text(panel, 10 * h, "Dalvenor developers.");
  draw_centered_text(panel, 12 * h, "JPEG support: the Independent JPEG Group.");
  draw_centered_text(panel, 14 * h, "Thanks to everyone who tested");
  draw_centered_text(panel, 15 * h, "the program and shared their");
  draw_centered_text(panel, 16 * h, "landscapes, scripts and");
  draw_centered_text(panel, 17 * h, "pictures.");
  const char* const lines[4] = {" Dalvenor is a 3-D landscape generator", " and projector capable of accurately",
                                " displaying real-world and fractal", " landscapes."};
  for (int32_t i = 0; i < 4; ++i) panel_draw_label(panel, 4 * char_width, (20 + i) * h, lines[i]);
  return 1;
}

void image_stats_text(int32_t which, char* out, int32_t size) {
  const size_t n = size > 0 ? static_cast<size_t>(size) : 0;
  switch (which) {
    case 0: std::snprintf(out, n, "%d x %d", image_width, image_height); break;
    case 1: std::snprintf(out, n, "%d", polygon_count); break;
    case 2: std::snprintf(out, n, "%0.1lf", static_cast<double>(render_end_ms - render_start_ms) / 1000.0); break;
    default: std::snprintf(out, n, "%d x %d x %d", loaded_image_width, loaded_image_height, loaded_image_bits); break;
  }
}

int32_t draw_image_stats_panel(PanelRecord* panel) {
  info_fill(panel);
  panel_set_gadgets(panel, ok_list());
  for (const int32_t y : {53, 149, 245, 341}) draw_separator_line(panel, 0, 371, y);
  panel_draw_label(panel, 110, 8, "Image Statistics Panel");
  const char* const captions[4] = {"Image size:", "Polygon count:", "Rendering time (seconds):", "Last loaded image:"};
  const int32_t ys[4] = {82, 180, 278, 360};
  for (int32_t k = 0; k < 4; ++k) {
    draw_centered_text(panel, ys[k], captions[k]);
    image_stats_text(k, text_buffer, static_cast<int32_t>(sizeof text_buffer));
    draw_centered_text(panel, ys[k] + 20, text_buffer);
  }
  return 1;
}

int32_t show_about_panel(PanelRecord* parent) {
  info_popup_open(info_panels_state.about, parent, "About", 422, draw_about_panel, about_panel_event);
  return 1;
}

int32_t show_image_stats_panel(PanelRecord* parent) {
  info_popup_open(info_panels_state.image_stats, parent, "About Image", 422, draw_image_stats_panel,
                  image_stats_panel_event);
  return 1;
}

void about_panel_event(PanelRecord* panel) { close_on_ok(info_panels_state.about, panel); }
void image_stats_panel_event(PanelRecord* panel) { close_on_ok(info_panels_state.image_stats, panel); }
