// The render window: geometry, panning and scaling of the frame buffers, live rows and its messages.
#include "engine/raster/render_window.h"
#include "engine/ui/render_redraw.h"

#include <cstring>
#include <vector>

#include "engine/host/host.h"
#include "engine/core/settings.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/image_palette.h"
#include "engine/ui/screen.h"

int32_t render_dc_held = 0;
int32_t render_rows_24bit = 1;
int32_t render_allow_move = 1;
int32_t rendering_active = 0;
int32_t render_abort = 0;
int32_t blit_24bit = 1;
int32_t scaled_view = 0;
int32_t render_window_width = 320, render_window_height = 200;
int32_t render_vscroll_steps = 0, render_hscroll_steps = 0;
int32_t render_vscroll_pos = 0, render_hscroll_pos = 0;
const char* render_menu = "RENDER_EXIT";
int32_t render_screen_width = 1600, render_screen_height = 1200;

namespace {
constexpr int32_t kStep = 50;
uint8_t window_palette[256][3];
std::vector<uint32_t> row_words;
std::vector<uint8_t> row_bytes;

bool live_drawing_allowed() { return render_dc_held && !(rendering_active && render_settings.view_mode != 1); }

// Whole steps of 50 pixels, a fraction counting as one; 0 for nothing to scroll.
int32_t steps_of(int64_t pixels) { return pixels > 0 ? static_cast<int32_t>((pixels + kStep - 1) / kStep) : 0; }

// A row into the window's canvas, cut to it.
void canvas_row(int32_t x, int32_t y, int32_t count, const uint32_t* words, const uint8_t* indexes) {
  Canvas* c = render_canvas();
  if (!c || c->depth != 24 || y < 0 || y >= c->height) return;
  for (int32_t i = 0; i < count; ++i) {
    const int64_t px = static_cast<int64_t>(x) + i;
    if (px < 0) continue;
    if (px >= c->width) break;
    uint32_t w = 0;
    if (words) {
      w = words[i] & 0xFFFFFFu;
    } else {
      const uint8_t* e = window_palette[indexes[i]];
      w = (static_cast<uint32_t>(e[0]) << 16) | (static_cast<uint32_t>(e[1]) << 8) | e[2];
    }
    c->rgb[static_cast<size_t>(y) * c->width + static_cast<size_t>(px)] = w;
  }
  c->needs_repaint = 1;
}

void emit24(int32_t x, int32_t y, int32_t count, const uint32_t* pixels) {
  host().render_row24(x, y, count, pixels);
  canvas_row(x, y, count, pixels, nullptr);
}

void emit8(int32_t x, int32_t y, int32_t count, const uint8_t* indexes) {
  host().render_row8(x, y, count, indexes);
  canvas_row(x, y, count, nullptr, indexes);
}

void set_bar_positions() {
  render_vscroll_pos = steps_of(render_scroll_y);
  render_hscroll_pos = steps_of(render_scroll_x);
}

void invalidate() {
  if (Canvas* c = render_canvas()) {
    c->needs_repaint = 1;
    host().canvas_changed(c);
  }
}

void resize_canvas(int32_t outer_w, int32_t outer_h) {
  int32_t cw = 0, ch = 0;
  render_client_from_window(outer_w, outer_h, &cw, &ch);
  Canvas* c = render_canvas();
  if (c && (c->width != cw || c->height != ch)) c->resize(cw, ch);
}

void hide_window() {
  if (Canvas* c = render_canvas()) c->visible = 0;
  host().render_window_event("hide");
}

void close_message() {
  if (in_dispatch) {
    render_abort = 1;  // the render stops; the window stays
    return;
  }
  hide_window();
}

void pan(int32_t command, bool horizontal_only) {
  render_blit(command, 0, nullptr);
  if (horizontal_only) {
    render_hscroll_pos = steps_of(render_scroll_x);
  } else {
    set_bar_positions();
  }
  invalidate();
}

void key_down(int32_t key) {
  if (key == kKeyEsc && rendering_active) render_abort = 1;
  if (in_dispatch) return;
  switch (key) {
    case kKeyEnter:
    case kKeyEsc:
      close_message();
      return;
    case kKeyUp: return pan(1, false);
    case kKeyDown: return pan(2, false);
    case kKeyPageUp: return pan(9, false);
    case kKeyPageDown: return pan(10, false);
    case kKeyInsert: return pan(11, false);
    case kKeyDelete: return pan(12, false);
    case kKeyHome: return pan(13, false);
    case kKeyEnd: return pan(14, false);
    case kKeyPadStar: return pan(5, false);
    case kKeyPadSlash: return pan(6, false);
    case kKeyLeft: return pan(4, true);
    case kKeyRight: return pan(3, true);
    default: return;
  }
}

void scroll(bool vertical, int32_t code, int32_t position) {
  if (code == 0) return key_down(vertical ? kKeyUp : kKeyLeft);
  if (code == 1) return key_down(vertical ? kKeyDown : kKeyRight);
  if (vertical && code == 2) return key_down(kKeyPageUp);
  if (vertical && code == 3) return key_down(kKeyPageDown);
  if (in_dispatch) return;
  if (!vertical && (code == 2 || code == 3)) {
    render_blit(code == 2 ? 8 : 7, 0, nullptr);
    set_bar_positions();
    invalidate();
    return;
  }
  if (code == 4) {
    const int64_t p = static_cast<int64_t>(position) * kStep;
    const int32_t v = p > INT32_MAX ? INT32_MAX : (p < 0 ? 0 : static_cast<int32_t>(p));
    if (vertical) {
      render_scroll_y = v;
    } else {
      render_scroll_x = v;
    }
    render_blit(0, 0, nullptr);
    set_bar_positions();
    invalidate();
  }
}

void paint() {
  if (in_dispatch) {
    if (render_settings.view_mode == 1 || render_settings.view_mode == 2) repaint_pending = 1;
    return;
  }
  if (render_settings.view_mode == 3) repaint_pending = 0;
  const int32_t held = render_dc_held;
  render_dc_held = 1;  // the paint context
  render_blit(0, 1, nullptr);
  render_dc_held = held;
}
}  // namespace

int32_t display_is_hicolor() { return host().display_bits() >= 15 ? 1 : 0; }

Canvas* render_canvas() { return host().main_canvas(kCanvasRender); }

void render_window_reset() {
  render_dc_held = 0;
  render_rows_24bit = 1;
  render_allow_move = 1;
  rendering_active = 0;
  render_abort = 0;
  blit_24bit = 1;
  scaled_view = 0;
  render_window_width = 320;
  render_window_height = 200;
  render_vscroll_steps = render_hscroll_steps = 0;
  render_vscroll_pos = render_hscroll_pos = 0;
  render_menu = "RENDER_EXIT";
  std::memset(window_palette, 0, sizeof window_palette);
}

void render_put_row24(int32_t x, int32_t y, int32_t count, const uint32_t* pixels) {
  if (count < 1 || !pixels || !live_drawing_allowed() || !render_rows_24bit) return;
  emit24(x, y, count, pixels);
}

void render_put_row24_alias(int32_t x, int32_t y, int32_t count, const uint32_t* pixels) {
  render_put_row24(x, y, count, pixels);
}

void render_put_row8(int32_t x, int32_t y, int32_t count, const uint8_t* indexes) {
  if (count < 1 || !indexes || !live_drawing_allowed() || render_rows_24bit) return;
  emit8(x, y, count, indexes);
}

void render_put_row8_any(int32_t x, int32_t y, int32_t count, const uint8_t* indexes) {
  if (count < 1 || !indexes) return;
  emit8(x, y, count, indexes);
}

void render_put_row24_raw(int32_t x, int32_t y, int32_t count, const uint32_t* pixels) {
  if (count < 1 || !pixels) return;
  emit24(x, y, count, pixels);
}

void render_put_pixel(int32_t x, int32_t y, int32_t index) {
  if (!live_drawing_allowed()) return;
  const uint8_t value = static_cast<uint8_t>(index & 0xFF);
  emit8(x, y, 1, &value);
}

void render_hline(int32_t x, int32_t y, int32_t count, int32_t index) {
  if (count < 1 || !live_drawing_allowed()) return;
  if (count > 8192) count = 8192;
  row_bytes.assign(static_cast<size_t>(count), static_cast<uint8_t>(index & 0xFF));
  emit8(x, y, count, row_bytes.data());
}

void render_set_palette(const uint8_t* rgb, int32_t first, int32_t count) {
  if (!render_dc_held || !rgb || first < 0 || first >= 256 || count < 1) return;
  if (count > 256 - first) count = 256 - first;
  std::memcpy(window_palette[first], rgb, static_cast<size_t>(count) * 3);
  host().render_palette(rgb, first, count);
}

void render_client_from_window(int32_t w, int32_t h, int32_t* cw, int32_t* ch) {
  *cw = w - 2 * kRenderFrame;
  *ch = h - (kRenderCaption + 2 * kRenderFrame - 2 * kRenderBorder + kRenderMenu + 1);
}

void render_window_from_client(int32_t cw, int32_t ch, int32_t* w, int32_t* h) {
  *w = cw + 2 * kRenderFrame;
  *h = ch + (kRenderCaption + 2 * kRenderFrame - 2 * kRenderBorder + kRenderMenu + 1);
}

void render_view_geometry(int32_t client_w, int32_t client_h) {
  render_client_width = client_w;
  render_client_height = client_h;
  if (image_width >= client_w) {
    render_origin_x = 0;
    render_scroll_x = (image_width - client_w) / 2;
  } else {
    render_origin_x = (client_w - image_width) / 2;
    render_scroll_x = 0;
  }
  if (image_height >= client_h) {
    render_origin_y = 0;
    render_scroll_y = (image_height - client_h) / 2;
  } else {
    render_origin_y = (client_h - image_height) / 2;
    render_scroll_y = 0;
  }
}

void render_set_scroll_ranges(int32_t cw, int32_t ch) {
  const int32_t saved = rendering_active;
  rendering_active = 1;  // no blit while the bars change
  render_vscroll_steps = steps_of(static_cast<int64_t>(image_height) - ch);
  if (render_vscroll_steps > 0) cw -= kRenderScrollBar;
  render_hscroll_steps = steps_of(static_cast<int64_t>(image_width) - cw);
  if (render_hscroll_steps > 0) {
    ch -= kRenderScrollBar;
    if (render_vscroll_steps == 0) {
      render_vscroll_steps = steps_of(static_cast<int64_t>(image_height) - ch);
      if (render_vscroll_steps > 0) cw -= kRenderScrollBar;
    }
  }
  render_scroll_x = render_scroll_y = 0;
  render_view_geometry(cw, ch);
  // The view starts centred, so the bars start where the view is, not at the top and left edges.
  set_bar_positions();
  rendering_active = saved;
}

void render_window_fit(int32_t mode) {
  int32_t w = 0, h = 0;
  render_window_from_client(image_width, image_height, &w, &h);
  if (w > render_screen_width) w = render_screen_width;
  if (h > render_screen_height) h = render_screen_height;
  render_window_width = w;
  render_window_height = h;
  render_vscroll_steps = render_hscroll_steps = 0;
  render_abort = 0;
  render_window_set_title("Dalvenor Image");
  if (Canvas* c = render_canvas()) c->minimized = 0;
  int32_t cw = 0, ch = 0;
  render_client_from_window(w, h, &cw, &ch);
  render_view_geometry(cw, ch);
  host().render_window_event(mode ? "fit show" : "fit");
  if (mode) {
    if (render_allow_move) {
      resize_canvas(w, h);
      render_allow_move = 0;
    }
    render_menu = "RENDERING";
    render_blit(11, 0, nullptr);
    render_window_show();
  }
  repaint_pending = 0;
}

void render_window_show() {
  int32_t cw = 0, ch = 0;
  render_client_from_window(render_window_width, render_window_height, &cw, &ch);
  const int32_t saved = rendering_active;
  rendering_active = 1;
  if (cw >= image_width && ch >= image_height) {
    render_vscroll_steps = render_hscroll_steps = 0;
  } else {
    render_set_scroll_ranges(cw, ch);
  }
  if (Canvas* c = render_canvas()) c->visible = 1;
  rendering_active = saved;
  render_dc_held = 1;
}

void render_window_release() {
  if (!render_dc_held) return;
  int32_t cw = 0, ch = 0;
  render_client_from_window(render_window_width, render_window_height, &cw, &ch);
  render_set_scroll_ranges(cw, ch);
  render_menu = render_window_width < 150 ? "SMALL_MENU" : "RENDER_EXIT";
  invalidate();
  host().render_window_event("release");
  render_dc_held = 0;
  render_abort = 0;
}

void render_window_close() {
  render_window_release();
  host().render_window_event("close");
  close_message();
}

void render_window_refresh(int32_t, int32_t, int32_t) {
  render_rows_24bit = (display_depth > 8 && display_is_hicolor()) ? 1 : 0;
  render_allow_move = 1;
  render_blit(render_rows_24bit ? 15 : 16, 0, nullptr);
  render_window_fit(0);
  render_window_release();
  host().render_window_event("refresh");
}

void render_set_busy(int32_t flag) {
  rendering_active = flag;
  render_abort = 0;
  host().render_window_event(flag ? "busy on" : "busy off");
}

void render_window_set_title(const char* text) {
  const char* t = text ? text : "Dalvenor Image";
  if (Canvas* c = render_canvas()) c->title = t;
  host().render_title(t);
}

int32_t render_window_dc() { return render_dc_held; }

// The abort poll's periodic redraw (declared in the ui layer, answered here).
void render_blit_from_buffers() {
  host().render_window_event("redraw");
  render_blit(0, 1, nullptr);
}

int32_t render_pan_menu_enabled() { return render_vscroll_steps == 0 && render_hscroll_steps == 0 ? 0 : 1; }

void render_blit(int32_t command, int32_t draw, int32_t* update) {
  if (!vidmem24.rows || !vidmem8.rows) return;
  const int32_t iw = image_width, ih = image_height;
  const int32_t cw = render_client_width, ch = render_client_height;
  const int32_t w = iw < cw ? iw : cw, h = ih < ch ? ih : ch;
  int32_t x = render_scroll_x, y = render_scroll_y;
  auto down = [&](int32_t by) {
    if (ih > h) {
      y += by;
      if (y + ch >= ih) y = ih - ch - 1;
    }
  };
  auto right = [&](int32_t by) {
    if (iw > w) {
      x += by;
      if (x + cw >= iw) x = iw - cw - 1;
    }
  };
  switch (command) {
    case 0:
      if (y < 0) {
        y = 0;
      } else if (y + ch > ih) {
        y = ih - ch;
      }
      if (x < 0) {
        x = 0;
      } else if (x + cw > iw) {
        x = iw - cw;
      }
      break;
    case 1: y = y - 20 < 0 ? 0 : y - 20; break;
    case 2: down(20); break;
    case 3: right(20); break;
    case 4: x = x - 20 < 0 ? 0 : x - 20; break;
    case 5: break;
    case 6:
      if (iw > w) x = (iw - cw) / 2;
      if (ih > h) y = (ih - ch) / 2;
      break;
    case 7: right(100); break;
    case 8: x = x - 100 < 0 ? 0 : x - 100; break;
    case 9: y = y - 100 < 0 ? 0 : y - 100; break;
    case 10: down(100); break;
    case 11:
      if (iw > w) x = 0;
      if (ih > h) y = 0;
      break;
    case 12:
      if (iw > w) x = 0;
      if (ih > h) y = ih - ch - 1;
      break;
    case 13:
      if (iw > w) x = iw - cw - 1;
      if (ih > h) y = 0;
      break;
    case 14:
      if (iw > w) x = iw - cw - 1;
      if (ih > h) y = ih - ch - 1;
      break;
    case 15: blit_24bit = (vidmem24.rows && display_is_hicolor()) ? 1 : 0; break;
    case 16: blit_24bit = 0; break;
    default: break;
  }
  if (command == 5) {
    scaled_view = 1;
  } else if ((command >= 1 && command <= 4) || (command >= 6 && command <= 14) || command >= 17) {
    scaled_view = 0;
  }
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  render_scroll_x = x;
  render_scroll_y = y;
  if (update) {
    update[0] = 0;
    update[1] = 0;
    update[2] = w;
    update[3] = h;
  }
  if (!draw) return;
  if ((rendering_active && render_settings.view_mode == 0) || !render_dc_held) return;
  if (iw <= 0 || ih <= 0 || cw <= 0 || ch <= 0) return;
  const bool scaled = scaled_view || (rendering_active && render_settings.antialias_mode);
  // Shrunk as a whole, the picture keeps its aspect ratio: the smaller of the two scales applies to both.
  int32_t ow = w, oh = h;
  if (scaled) {
    if (static_cast<int64_t>(cw) * ih < static_cast<int64_t>(ch) * iw) {
      ow = cw < iw ? cw : iw;
      oh = static_cast<int32_t>(static_cast<int64_t>(ih) * ow / iw);
    } else {
      oh = ch < ih ? ch : ih;
      ow = static_cast<int32_t>(static_cast<int64_t>(iw) * oh / ih);
    }
    if (ow < 1 || oh < 1) return;
  }
  const int32_t ox = cw > ow ? (cw - ow) / 2 : 0, oy = ch > oh ? (ch - oh) / 2 : 0;
  row_words.resize(static_cast<size_t>(ow));
  row_bytes.resize(static_cast<size_t>(ow));
  for (int32_t r = 0; r < oh; ++r) {
    const int32_t src_row = scaled ? static_cast<int32_t>(static_cast<int64_t>(r) * ih / oh) : y + r;
    if (src_row < 0 || src_row >= vidmem24.height) continue;
    const uint32_t* src = vidmem24_row(src_row);
    for (int32_t c = 0; c < ow; ++c) {
      const int32_t col = scaled ? static_cast<int32_t>(static_cast<int64_t>(c) * iw / ow) : x + c;
      row_words[static_cast<size_t>(c)] = col < vidmem24.width ? src[col] & 0xFFFFFFu : 0;
    }
    if (blit_24bit) {
      render_put_row24_raw(ox, oy + r, ow, row_words.data());
    } else {
      row_to_palette(0, ow - 1, r, row_words.data(), row_bytes.data());
      render_put_row8_any(ox, oy + r, ow, row_bytes.data());
    }
  }
}

void render_window_message(int32_t message, int32_t a, int32_t b) {
  switch (message) {
    case kRenderPaint:
      paint();
      break;
    case kRenderClose:
      close_message();
      break;
    case kRenderKeyDown:
      key_down(a);
      break;
    case kRenderChar:
      if (a == ' ') close_message();
      break;
    case kRenderCommand:
      if (a == 1) close_message();
      if (a == 10) key_down(kKeyInsert);
      if (a == 11) key_down(kKeyDelete);
      if (a == 12) key_down(kKeyHome);
      if (a == 13) key_down(kKeyEnd);
      if (a == 14) key_down(kKeyPadSlash);
      if (a == 15) key_down(kKeyPadStar);
      break;
    case kRenderVScroll:
      scroll(true, a, b);
      break;
    case kRenderHScroll:
      scroll(false, a, b);
      break;
    case kRenderLeftUp:
      invalidate();
      break;
    case kRenderRightUp:
      if (rendering_active) render_abort = 1;
      close_message();
      break;
    case kRenderSize: {
      // The new client size, with the room the bars take, becomes the outer size.
      int32_t cw = a, ch = b;
      if (render_vscroll_steps > 0) cw += kRenderScrollBar;
      if (render_hscroll_steps > 0) ch += kRenderScrollBar;
      render_window_from_client(cw, ch, &render_window_width, &render_window_height);
      resize_canvas(render_window_width, render_window_height);
      render_set_scroll_ranges(cw, ch);
      break;
    }
    default:
      break;
  }
}
