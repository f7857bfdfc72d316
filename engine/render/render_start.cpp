// The render start: light factors, derived data, the render window around the frame, timing.
#include "engine/render/render_start.h"

#include "engine/files/file_messages.h"

#include <cmath>

#include "engine/files/background_image.h"
#include "engine/host/host.h"
#include "engine/landscape/camera.h"
#include "engine/core/color_classes.h"
#include "engine/landscape/tree_scatter.h"
#include "engine/core/settings.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/pointer.h"
#include "engine/raster/render_window.h"
#include "engine/ui/requesters.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/image_palette.h"
#include "engine/render/lighting.h"
#include "engine/render/palette_predict.h"
#include "engine/render/render_frame.h"
#include "engine/raster/view_transform.h"

namespace {

// The colour of a colour-table entry at full value (brightness 255), hue and saturation kept.
ColorHSV full_brightness(const ColorEntry& entry) {
  ColorHSV c{};
  c.r = entry.red;
  c.g = entry.green;
  c.b = entry.blue;
  rgb_to_hsv(c);
  c.v = 255;
  hsv_to_rgb(c);
  return c;
}

// Fits and shows the render window before live drawing (view modes 1 to 3).
void show_render_window(int32_t mode) {
  render_window_fit(mode);
  render_window_release();
  render_set_busy(1);
  render_window_fit(mode);
}

}  // namespace

void scheme_sky_colors() {
  const ColorHSV sun = full_brightness(color_table[kClassSun]);
  const ColorHSV ambient = full_brightness(color_table[kClassAmbient]);
  // A negative contrast (from a damaged or hostile file) counts as none: its root has no value.
  const int32_t contrast = light_state.contrast > 0 ? light_state.contrast : 0;
  const double f = std::sqrt(std::sqrt(static_cast<double>(contrast) / 255.0));
  light_state.sun_light_r = static_cast<int32_t>(sun.r * f);
  light_state.sun_light_g = static_cast<int32_t>(sun.g * f);
  light_state.sun_light_b = static_cast<int32_t>(sun.b * f);
  light_state.ambient_light_r = static_cast<int32_t>(ambient.r * (1.0 - f));
  light_state.ambient_light_g = static_cast<int32_t>(ambient.g * (1.0 - f));
  light_state.ambient_light_b = static_cast<int32_t>(ambient.b * (1.0 - f));
}

int32_t prepare_render() {
  cursor_wait();
  if (color_landscape() != 1) return -1;
  if (color_cliffs() != 1) return -1;
  if (shade_landscape() != 1) return -1;
  tree_tables_init();
  return make_palette() == 1 ? 1 : -1;
}

int32_t render_start() {
  render_settings.grid_step = 1;
  if (!vidmem8.rows) {
    requester("No vidmem8, cannot render.", "  OK  ", nullptr);
    return 0;
  }
  if (!vidmem24.rows) {
    requester("No vidmem24, cannot render.", "  OK  ", nullptr);
    return 0;
  }
  scheme_sky_colors();
  set_flat_intensity();
  build_strata_bands();
  compute_altitude_quartiles();

  // The view mode is read once: a script or panel changing it meanwhile must not unbalance the brackets.
  const int32_t mode = render_settings.view_mode;
  if (mode == 0) pointer_hide();
  window_stack_push();
  use_topo_window();

  int32_t result = -1;
  if (prepare_render() != 1) {
    if (mode == 0) cursor_arrow();
  } else {
    if (mode == 1 || mode == 2) show_render_window(mode);
    clear_frame_buffers();
    reset_palette();
    set_view_matrix(camera_state.camera_bank, camera_state.camera_heading, camera_state.camera_pitch);

    polygon_count = 0;
    render_start_ms = host().tick_count();
    const bool pictures = render_settings.background_enabled || render_settings.foreground_enabled;
    // A picture that cannot be read is reported; the frame is rendered without it.
    if (render_settings.background_enabled && load_background_image() != 1) msg_error_reading(background_name);
    const int32_t rendered = render_frame(0, 1);
    if (rendered == 1 && render_settings.foreground_enabled && load_foreground_image() != 1)
      msg_error_reading(foreground_name);
    render_end_ms = host().tick_count();
    if (pictures) convert_vidmem24_to_8();
    result = rendered == 1 ? 1 : -1;

    if (mode == 3) show_render_window(3);
    if (mode != 0) {
      if (result == 1) {
        render_window_release();
      } else {
        render_window_close();
      }
      render_set_busy(0);
    } else {
      cursor_arrow();
    }
  }
  window_stack_pop();
  if (mode == 0) pointer_show();
  return result;
}
