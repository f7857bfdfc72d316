// Image menu loads and saves, the background and foreground pictures and the stereo pairs. Every load keeps a
// copy of the picture it replaces and puts it back when the load fails, so a bad file costs no rendered image.
#include "engine/panels/image_file_commands.h"

#include "engine/core/settings.h"
#include "engine/files/background_image.h"
#include "engine/files/bmp_image.h"
#include "engine/files/file_messages.h"
#include "engine/files/jpeg_image.h"
#include "engine/files/pcx_image.h"
#include "engine/files/stereo_image.h"
#include "engine/files/targa.h"
#include "engine/panels/command_dispatch_internal.h"
#include "engine/panels/frame_snapshot.h"
#include "engine/panels/topo_map.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/palette_predict.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

namespace {
void pointer_restart() {
  pointer_reset_count();
  pointer_show();
}

// One entry of the load and save table: its dialog, the path the dialog leaves the choice in, and the frame
// buffer it needs (24 or 8).
struct ImageFile {
  int32_t id;
  int32_t (*dialog)();
  const char* path;
  int32_t needs;
};

const ImageFile kLoads[] = {
    {1035, load_targa_dialog, targa_path, 24},
    {1036, load_bmp_dialog, bmp_path, 24},
    {1037, load_jpeg_dialog, jpeg_path, 24},
};
const ImageFile kSaves[] = {
    {1038, save_pcx_dialog, pcx_path, 8},
    {1039, save_targa_dialog, targa_path, 24},
    {1040, save_bmp_dialog, bmp_path, 24},
    {1041, save_jpeg_dialog, jpeg_path, 24},
};

template <size_t N>
const ImageFile* find(const ImageFile (&table)[N], int32_t id) {
  for (const ImageFile& f : table) {
    if (f.id == id) return &f;
  }
  return nullptr;
}

// Runs a load dialog with the picture kept aside; a failed load puts it back. The dialog's result.
int32_t guarded_load(int32_t (*dialog)()) {
  FrameSnapshot kept;
  kept.take();
  const int32_t r = dialog();
  if (r != 1 && r != -1) kept.restore();
  return r;
}
}  // namespace

void image_refresh(PanelRecord* panel, bool restart) {
  pointer_hide();
  disable_panel_gadgets(panel);
  derived_data.palette_stale = land_width;
  ui_make_palette();
  reset_palette();
  convert_vidmem24_to_8();
  refresh_display_palette();
  if (restart) {
    pointer_restart();
    main_panels_redraw();
    redraw_panel(panel);
  }
  enable_panel_gadgets(panel);
  pointer_show();
  derived_data.palette_stale = land_width;
}

void load_pcx_command(int32_t, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  const int32_t r = guarded_load(load_pcx_dialog);
  if (r == 1) image_refresh(panel, false);
  else if (r != -1) msg_error_reading(pcx_path);
}

void load_24bit_image_command(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  const ImageFile* f = find(kLoads, id);
  if (!f || !need_24bit()) return;
  const int32_t r = guarded_load(f->dialog);
  if (r != 1 && r != -1) msg_error_reading(f->path);
  if (r == 1) image_refresh(panel, true);
}

void save_image_command(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  const ImageFile* f = find(kSaves, id);
  if (f && (f->needs == 8 ? need_8bit() : need_24bit())) {
    disable_panel_gadgets(panel);
    if (f->dialog() == 0) msg_error_writing(f->path);
    enable_panel_gadgets(panel);
    topo_and_preview_redraw();
    redraw_panel(panel);
  }
  status_show_landscape_name();
}

void load_stereo_command(int32_t, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  const bool has24 = vidmem24.rows != nullptr, has8 = vidmem8.rows != nullptr;
  if (!has24 || !has8) {
    if (!has24) require_24bit_message();
    if (!has8) require_8bit_message();
    return;
  }
  const bool red_blue = requester("Red/Blue or Cyberscope?", "Red/Blue", "Cyberscope") == 1;
  const int32_t r = guarded_load(red_blue ? load_stereo_dialog : stereo_compose_cyberscope);
  if (r != 1 && r != -1) {
    msg_error_reading("Stereo image");
    loaded_image_width = loaded_image_height = loaded_image_bits = 0;
  }
  if (r == 1) {
    loaded_image_width = targa_header.width;
    loaded_image_height = targa_header.height;
    loaded_image_bits = targa_header.bits_per_pixel;
    image_refresh(panel, true);
  }
}

void picture_toggle_command(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const bool background = id == 1283;
  int32_t& enabled = background ? render_settings.background_enabled : render_settings.foreground_enabled;
  if (!vidmem24.rows) {
    require_24bit_message();
    gadget_deselect(panel, id);
    return;
  }
  if (gadget_state(panel, id) != 1) {
    enabled = 0;
    return;
  }
  if ((background ? choose_background_file() : choose_foreground_file()) != 1) {
    gadget_deselect(panel, id);
    enabled = 0;
    return;
  }
  FrameSnapshot kept;
  kept.take();
  if (targa_load_into_frame(background ? background_name : foreground_name, kTargaOpaque) == 0) {
    kept.restore();
    requester(background ? "Error loading background image." : "Error loading foreground image.", "  OK  ", nullptr);
    gadget_deselect(panel, id);
    enabled = 0;
    return;
  }
  image_refresh(panel, false);
  enabled = 1;
  if (background) {
    render_settings.sky_enabled = 0;
    render_settings.horizon_enabled = 0;
  }
}
