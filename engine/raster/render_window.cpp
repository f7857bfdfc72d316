// The render window's output calls: window state kept here, drawing forwarded to the host.
#include "engine/raster/render_window.h"

#include <cstring>

#include "engine/host/host.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"

int32_t render_dc_held = 0;
int32_t render_rows_24bit = 1;
int32_t render_allow_move = 1;
int32_t rendering_active = 0;
int32_t render_abort = 0;

namespace {
// Rows longer than any frame buffer are cut; one row of one colour is built here for render_hline.
constexpr int32_t kMaxRowPixels = 8192;
uint8_t hline_row[kMaxRowPixels];

bool live_drawing_allowed() { return render_dc_held && !(rendering_active && render_settings.view_mode != 1); }
}  // namespace

int32_t display_is_hicolor() { return host().display_bits() >= 15 ? 1 : 0; }

void render_put_row24(int32_t x, int32_t y, int32_t count, const uint32_t* pixels) {
  if (count < 1 || !pixels || !live_drawing_allowed() || !render_rows_24bit) return;
  host().render_row24(x, y, count, pixels);
}

void render_put_row24_alias(int32_t x, int32_t y, int32_t count, const uint32_t* pixels) {
  render_put_row24(x, y, count, pixels);
}

void render_put_row8(int32_t x, int32_t y, int32_t count, const uint8_t* indexes) {
  if (count < 1 || !indexes || !live_drawing_allowed() || render_rows_24bit) return;
  host().render_row8(x, y, count, indexes);
}

void render_put_pixel(int32_t x, int32_t y, int32_t index) {
  if (!live_drawing_allowed()) return;
  const uint8_t value = static_cast<uint8_t>(index & 0xFF);
  host().render_row8(x, y, 1, &value);
}

void render_hline(int32_t x, int32_t y, int32_t count, int32_t index) {
  if (count < 1 || !live_drawing_allowed()) return;
  if (count > kMaxRowPixels) count = kMaxRowPixels;
  std::memset(hline_row, index & 0xFF, static_cast<size_t>(count));
  host().render_row8(x, y, count, hline_row);
}

void render_set_palette(const uint8_t* rgb, int32_t first, int32_t count) {
  if (!render_dc_held || !rgb || first < 0 || first >= 256 || count < 1) return;
  if (count > 256 - first) count = 256 - first;
  host().render_palette(rgb, first, count);
}

void render_window_fit(int32_t mode) {
  // The client area takes the image's size; the platform window limits it to the screen and reports back
  // through render_client_width and render_client_height once it exists.
  render_client_width = image_width;
  render_client_height = image_height;
  render_origin_x = render_origin_y = 0;
  render_scroll_x = render_scroll_y = 0;
  render_abort = 0;
  host().render_title("Dalvenor Image");
  host().render_window_event(mode ? "fit show" : "fit");
  if (mode) {
    render_allow_move = 0;
    render_dc_held = 1;
  }
}

void render_window_release() {
  if (!render_dc_held) return;
  host().render_window_event("release");
  render_dc_held = 0;
  render_abort = 0;
}

void render_window_close() {
  render_window_release();
  host().render_window_event("close");
}

void render_window_refresh(int32_t, int32_t, int32_t) {
  render_rows_24bit = (display_depth > 8 && display_is_hicolor()) ? 1 : 0;
  render_allow_move = 1;
  render_window_fit(0);
  render_window_release();
  host().render_window_event("refresh");
}

void render_set_busy(int32_t flag) {
  rendering_active = flag;
  render_abort = 0;
  host().render_window_event(flag ? "busy on" : "busy off");
}
