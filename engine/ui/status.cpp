// Status line, progress read-out, abort polling and waiting.
#include "engine/ui/status.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/core/landscape_names.h"
#include "engine/host/host.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/pointer.h"
#include "engine/ui/render_redraw.h"
#include "engine/ui/screen.h"

namespace {
// "Never" for the throttles: any tick is far enough from it.
constexpr int32_t kNever = INT32_MIN;
constexpr int32_t kStatusInterval = 55;
constexpr int32_t kProgressInterval = 165;
constexpr int32_t kPumpInterval = 10;
constexpr int32_t kMaxDispatch = 1000;
constexpr int kStatusCells = 32;
// The strip on the map canvas: x 30 to 286, rows 1 to char_height, centred on x 158.
constexpr int32_t kStripLeft = 30;
constexpr int32_t kStripWidth = 256;
constexpr int32_t kStripRight = kStripLeft + kStripWidth;
constexpr int32_t kStripTop = 1;
constexpr int32_t kStripCentre = 158;

// The tick as the throttles keep it (wrapping into the negative range after 2^31 ms).
int32_t now_tick() { return static_cast<int32_t>(host().tick_count()); }

// True when a drawing throttled by interval may happen now; a wrapped counter resets the reference.
bool throttle_allows(int32_t& last, int32_t t, int32_t interval) {
  if (last != kNever && t < last) last = t;
  if (last != kNever && static_cast<int64_t>(t) < static_cast<int64_t>(last) + interval) return false;
  return true;
}

// True when more than interval ms passed since last; a wrapped counter counts as passed.
bool elapsed_more_than(int32_t last, int32_t t, int64_t interval) {
  if (last == kNever) return true;
  const int64_t elapsed = static_cast<int64_t>(t) - last;
  return elapsed < 0 || elapsed > interval;
}

// Formats with each conversion taking the next of the four numbers, so the caller's length
// modifiers never decide how an argument is read.
std::string format_four(const char* format, const int32_t (&args)[4]) {
  std::string out;
  int next = 0;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    if (p[1] == '%') {
      out += '%';
      ++p;
      continue;
    }
    std::string conversion = "%";
    const char* q = p + 1;
    while (*q && std::strchr("-+ #0123456789.", *q)) conversion += *q++;
    while (*q && std::strchr("hlLqjzt", *q)) ++q;  // length modifiers are replaced below
    const char conv = *q;
    if (!conv) break;
    const int32_t v = next < 4 ? args[next] : 0;
    if (next < 4) ++next;
    char piece[128];
    piece[0] = 0;
    switch (conv) {
      case 'd': case 'i':
        std::snprintf(piece, sizeof piece, (conversion + "ld").c_str(), static_cast<long>(v));
        break;
      case 'u': case 'x': case 'X': case 'o':
        std::snprintf(piece, sizeof piece, (conversion + "l" + conv).c_str(), static_cast<unsigned long>(static_cast<uint32_t>(v)));
        break;
      case 'c':
        std::snprintf(piece, sizeof piece, (conversion + "c").c_str(), static_cast<int>(v & 0xFF));
        break;
      case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
        std::snprintf(piece, sizeof piece, (conversion + conv).c_str(), static_cast<double>(v));
        break;
      default:  // "%s", "%p", "%n" and unknown conversions print nothing
        break;
    }
    out += piece;
    p = q;
  }
  return out;
}
}  // namespace

int32_t last_status_time = kNever;
int32_t last_progress_time = kNever, last_progress_percent = -1;
int32_t last_poll_tick = kNever, last_pump_time = kNever, last_redraw_time = 0;
// render_abort belongs to the render window (render_window.cpp), in_dispatch to the screen layer.
int32_t repaint_pending = 0;

void status_reset_state() {
  last_status_time = kNever;
  last_progress_time = kNever;
  last_progress_percent = -1;
  last_poll_tick = kNever;
  last_pump_time = kNever;
  last_redraw_time = 0;
  render_abort = 0;
  repaint_pending = 0;
  in_dispatch = 0;
}

void status_line_text(const char* text, char* out) {
  const char* s = text ? text : "";
  const size_t len = std::strlen(s);
  std::memset(out, ' ', kStatusCells);
  out[kStatusCells] = 0;
  if (len >= static_cast<size_t>(kStatusCells)) {
    std::memcpy(out, s, kStatusCells);
  } else {
    std::memcpy(out + (kStatusCells - len) / 2, s, len);
  }
}

void show_status(const char* text) {
  const int32_t t = now_tick();
  if (!throttle_allows(last_status_time, t, kStatusInterval)) return;
  last_status_time = t;
  char line[kStatusCells + 1];
  status_line_text(text, line);
  push_window();
  select_topo_canvas();
  draw_text(line, kStripLeft, kStripTop, ui_color_black, ui_color_face, 0);
  pop_window();
  host().status_strip(line);
  host().render_title(text ? text : "");
}

void show_status_printf(const char* format, int32_t a, int32_t b, int32_t c, int32_t d) {
  status_show_landscape_name();
  const int32_t args[4] = {a, b, c, d};
  const std::string text = format_four(format ? format : "", args);
  std::snprintf(text_buffer, sizeof text_buffer, "%s", text.c_str());
  show_status(text_buffer);
}

void status_show_landscape_name() {
  // The first 32 characters of the file name, centred on the cleared strip.
  char name[kStatusCells + 1];
  const size_t len = strnlen(landscape_file_name, kStatusCells);
  std::memcpy(name, landscape_file_name, len);
  name[len] = 0;
  push_window();
  select_topo_canvas();
  fill_rect(kStripLeft, kStripTop, kStripRight, char_height, ui_color_face);
  draw_text(name, kStripLeft + (kStatusCells - static_cast<int32_t>(len)) * char_width / 2, kStripTop,
            ui_color_highlight, ui_color_face, 0);
  pop_window();
  char line[kStatusCells + 1];
  status_line_text(name, line);
  host().status_strip(line);
  host().render_title("Dalvenor Image");
}

void show_progress(const char* label, int32_t done, int32_t total) {
  if (total == 0) total = 1;
  const int64_t p64 = static_cast<int64_t>(done) * 100 / total;
  const int32_t p = static_cast<int32_t>(p64);
  if (p == last_progress_percent) return;
  const bool last_step = static_cast<int64_t>(done) >= static_cast<int64_t>(total) - 1;
  const int32_t t = now_tick();
  if (!last_step && !throttle_allows(last_progress_time, t, kProgressInterval)) return;
  last_progress_time = t;
  last_progress_percent = p;
  int64_t d = done < total ? done : total;
  if (total > 0 && d < 0) d = 0;  // the bar never reaches left of the strip
  const int32_t bar_end = static_cast<int32_t>(kStripLeft + d * kStripWidth / total);
  const int32_t shown = static_cast<int32_t>(d * 100 / total);
  char text[160];
  std::snprintf(text, sizeof text, "%.120s: %2d%%", label ? label : "", static_cast<int>(shown));
  const int32_t text_x = kStripCentre - static_cast<int32_t>(std::strlen(text)) * char_width / 2;
  push_window();
  select_topo_canvas();
  fill_rect(kStripLeft, kStripTop, bar_end, char_height, ui_color_text);
  fill_rect(bar_end + 1, kStripTop, kStripRight, char_height, ui_color_shadow);
  draw_text(text, text_x, kStripTop, ui_color_black, ui_color_face, 1);
  pop_window();
  host().progress_strip(text, bar_end);
  host().render_title(text);
}

int32_t poll_user_abort() {
  if (user_abort) {
    user_abort = 0;
    return -1;
  }
  if (render_abort) return -1;
  const int32_t t = now_tick();
  if (t == last_poll_tick) return 1;
  last_poll_tick = t;

  // One key of the current window.
  const int32_t key = poll_event();
  if (key != 0 && (key & 0xFFFF) == kKeyEsc) {
    host().invalidate_current_window();
    return -1;
  }
  // The right button while the engine's window has the keyboard focus (the poll also latches a press).
  int32_t px = 0, py = 0, buttons = 0;
  mouse_poll(nullptr, &px, &py, &buttons);
  if (host().has_focus() && (host().pointer_buttons() & kHostButtonRight)) {
    host().invalidate_current_window();
    return -1;
  }
  if (elapsed_more_than(last_pump_time, t, kPumpInterval)) {
    in_dispatch = 1;
    host().dispatch_messages(kMaxDispatch);
    last_pump_time = t;
    in_dispatch = 0;
  }
  if (repaint_pending ||
      (render_settings.view_mode == 2 && elapsed_more_than(last_redraw_time, t, static_cast<int64_t>(render_settings.redraw_interval) * 1000))) {
    const int32_t start = now_tick();
    render_blit_from_buffers();
    last_redraw_time = now_tick();
    const int64_t seconds = (static_cast<int64_t>(last_redraw_time) - start) / 1000;
    if (seconds > render_settings.redraw_interval) render_settings.redraw_interval = static_cast<int32_t>(seconds * 5 > INT32_MAX ? INT32_MAX : seconds * 5);
    if (render_settings.redraw_interval < 1) render_settings.redraw_interval = 1;
    repaint_pending = 0;
  }
  return 1;
}

void sleep_ms(int32_t ms) { host().sleep_ms(ms); }

uint32_t tick_count() { return host().tick_count(); }
