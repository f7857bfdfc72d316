// The Image panel's options, the Render and Display commands, grey by luminance and the image sizes, with the
// Image menu's loads and saves (image_file_commands.cpp): the image and render command family.
#include "engine/core/settings.h"
#include "engine/files/pcx_image.h"
#include "engine/panels/command_dispatch_internal.h"
#include "engine/panels/command_rows.h"
#include "engine/panels/image_file_commands.h"
#include "engine/panels/info_panels.h"
#include "engine/panels/preview_panel.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/greyscale.h"
#include "engine/render/render_start.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/screen.h"
#include "engine/ui/status.h"

namespace {
bool shift_held() { return (key_modifiers() & 3) != 0; }
bool ctrl_held() { return (key_modifiers() & 4) != 0; }

void pointer_restart() {
  pointer_reset_count();
  pointer_show();
}

// Display options (1027): the Display pop-up chooses how the render window shows a picture while it renders.
void display_options(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  show_display_panel(panel);
  main_panels_redraw();
  redraw_panel(panel);
  gadget_deselect(panel, id);
}

void render_command(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  poll_user_abort();
  status_show_landscape_name();
  render_settings.topo_click_mode = 0;
  disable_panel_gadgets(panel);
  if (render_settings.view_mode != 0) {
    screen_output_off = 0;
    render_start();
  } else {
    screen_output_off = 1;
    render_start();
    screen_output_off = 0;
  }
  enable_panel_gadgets(panel);
  gadget_deselect(panel, id);
  status_show_landscape_name();
}

// Display (1142) and grey by luminance (1422): both work on the finished image and need both buffers.
void display_command(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (id == 1142 && shift_held()) {
    preview_show_image();
  } else if (vidmem24.rows && vidmem8.rows) {
    poll_user_abort();
    pointer_hide();
    disable_panel_gadgets(panel);
    if (id == 1422) greyscale_luminance();
    refresh_display_palette();
    pointer_restart();
    enable_panel_gadgets(panel);
    main_panels_redraw();
    redraw_panel(panel);
    pointer_show();
  } else {
    require_8bit_message();
  }
  status_show_landscape_name();
}

void phong_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  render_settings.phong_enabled = gadget_state(panel, id) == 1 ? 1 : 0;
}

// Flare (1290) and anti-aliasing (1289) change the frame buffers' size; when the new size cannot be had the
// option goes off again and the buffers go back to the size without it.
void buffer_option_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (!vidmem24.rows) {
    require_24bit_message();
    gadget_deselect(panel, id);
    return;
  }
  const bool on = gadget_state(panel, id) == 1;
  const bool flare = id == 1290;
  int32_t& option = flare ? render_settings.flare_enabled : render_settings.antialias_mode;
  if (flare) {
    option = on ? 1 : 0;
  } else {
    option = on ? 1 : 0;
    if (on && shift_held()) option = requester("Antialias type:", "Linear", "Gaussian") == 1 ? 1 : 2;
    cursor_wait();
  }
  if (allocate_frame_buffers() != 1) {
    requester("Insufficient memory, reverting.", "  OK  ", nullptr);
    option = 0;
    allocate_frame_buffers();
    gadget_deselect(panel, id);
  }
  if (!flare) cursor_arrow();
}

void dither_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  render_settings.dither_amount = gadget_value(panel, id);
  if (ctrl_held()) render_settings.dither_type = requester("Choose dither type:", "Ordered", "Random") == 1 ? 1 : 2;
}

void palette_colors_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const int32_t v = gadget_value(panel, id);
  render_settings.palette_colors = v < 2 ? 2 : v > 256 ? 256 : v;
  derived_data.palette_stale = land_width;
  redraw_panel(panel);
}

void palette_lock_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  render_settings.palette_locked = gadget_state(panel, id) == 1 ? 1 : 0;
}

void load_palette(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  render_settings.palette_locked = load_pcx_palette_dialog() == 1 ? 1 : 0;
  gadget_deselect(panel, id);
  redraw_panel(panel);
  status_show_landscape_name();
}

void palettized_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const int32_t r = set_display_depth(gadget_state(panel, id) == 1 ? 8 : 24);
  if (r != 1) requester("Direct color display not available.", "  OK  ", nullptr);
  redraw_panel(panel);
}

struct ImageSize {
  int32_t id, width, height;
};
constexpr ImageSize kImageSizes[] = {
    {1017, 320, 200},  {1018, 320, 240},  {1019, 640, 400},   {1020, 640, 480},
    {1021, 800, 600},  {1022, 1024, 768}, {1024, 1600, 1200}, {1025, 2048, 1536},
};

void after_image_size(PanelRecord* panel) {
  main_panels_redraw();
  preview_panel_redraw();
  redraw_panel(panel);
}

void image_size_item(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  for (const ImageSize& s : kImageSizes) {
    if (s.id == id) change_image_size(s.width, s.height);
  }
  after_image_size(panel);
}

void image_size_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const int32_t v = gadget_value(panel, id);
  if (id == 1032) change_image_size(v, image_height);
  else change_image_size(image_width, v);
  after_image_size(panel);
}
}  // namespace

const CommandRow image_render_commands[] = {
    {1027, display_options},
    {1045, render_command},        {1142, display_command},       {1422, display_command},
    {1291, phong_toggle},          {1290, buffer_option_toggle},  {1289, buffer_option_toggle},
    {1283, picture_toggle_command}, {1284, picture_toggle_command}, {1223, dither_field},
    {1221, palette_colors_field},  {1219, palette_lock_toggle},   {1131, load_palette},
    {1026, palettized_toggle},     {1017, image_size_item},       {1018, image_size_item},
    {1019, image_size_item},       {1020, image_size_item},       {1021, image_size_item},
    {1022, image_size_item},       {1024, image_size_item},       {1025, image_size_item},
    {1032, image_size_field},      {1033, image_size_field},      {1034, load_pcx_command},
    {1035, load_24bit_image_command}, {1036, load_24bit_image_command}, {1037, load_24bit_image_command},
    {1285, load_stereo_command},   {1038, save_image_command},    {1039, save_image_command},
    {1040, save_image_command},    {1041, save_image_command},    {0, nullptr},
};
