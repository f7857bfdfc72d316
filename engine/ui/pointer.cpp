// The pointer layer over the host: swapped buttons, press latch, relative motion, cursors and brackets.
#include "engine/ui/pointer.h"

#include "engine/host/host.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/screen.h"

int32_t left_button_code = 1, right_button_code = 2;
int32_t press_x = 0, press_y = 0;
int32_t warp_home_x = 0, warp_home_y = 0;
int32_t pointer_hide_count = 1, pointer_visible = 1;
int32_t cursor_kind = 1;

namespace {
int32_t last_buttons = 0;
// About a minute of 1 ms waits.
constexpr int kReleaseWaitPolls = 60000;

// The engine's code for the physical buttons now held: left first, one button at a time.
int32_t button_code() {
  const int32_t b = host().pointer_buttons();
  if (b & kHostButtonLeft) return left_button_code;
  if (b & kHostButtonRight) return right_button_code;
  return 0;
}
}  // namespace

void detect_swapped_buttons() {
  if (host().buttons_swapped()) {
    left_button_code = 2;
    right_button_code = 1;
  } else {
    left_button_code = 1;
    right_button_code = 2;
  }
}

// The position is in client coordinates of the panel's canvas (of the current canvas for a null panel).
int32_t mouse_poll(PanelRecord* panel, int32_t* x, int32_t* y, int32_t* buttons) {
  int32_t px = 0, py = 0;
  host().canvas_pointer(panel ? static_cast<Canvas*>(panel->canvas) : current_hwnd, &px, &py);
  const int32_t code = button_code();
  if (code) {
    press_x = px;
    press_y = py;
    last_buttons = code;
  }
  if (x) *x = px;
  if (y) *y = py;
  if (buttons) *buttons = code;
  return code;
}

int32_t mouse_buttons(int32_t* buttons) {
  const int32_t code = button_code();
  if (buttons) *buttons = code;
  return code;
}

void mouse_last_press(int32_t which, int32_t* x, int32_t* y, int32_t* buttons) {
  const bool latched = which == 1;
  if (x) *x = latched ? press_x : 0;
  if (y) *y = latched ? press_y : 0;
  if (buttons) *buttons = latched ? last_buttons : 0;
}

void mouse_warp_home(PanelRecord* panel) {
  int32_t x = 0, y = 0;
  mouse_poll(panel, &x, &y, nullptr);
  host().pointer_position(&warp_home_x, &warp_home_y);
  host().set_pointer_position(warp_home_x, warp_home_y);
}

void mouse_relative_motion(int32_t* dx, int32_t* dy, int32_t* buttons) {
  if (!host().has_focus()) {
    if (dx) *dx = 0;
    if (dy) *dy = 0;
    if (buttons) *buttons = 0;
    return;
  }
  int32_t x = 0, y = 0;
  host().pointer_position(&x, &y);
  if (dx) *dx = x - warp_home_x;
  if (dy) *dy = y - warp_home_y;
  host().set_pointer_position(warp_home_x, warp_home_y);
  if (buttons) *buttons = button_code();
}

void cursor_wait() {
  cursor_kind = 2;
  host().set_cursor(2);
}
void cursor_cross() {
  cursor_kind = 3;
  host().set_cursor(3);
}
void cursor_arrow() {
  cursor_kind = 1;
  host().set_cursor(1);
}

void pointer_hide() {
  if (pointer_hide_count == 1) pointer_visible = 0;
  --pointer_hide_count;
}

void pointer_show() {
  if (pointer_hide_count < 0) {
    ++pointer_hide_count;
  } else if (pointer_hide_count == 0) {
    pointer_hide_count = 1;
    pointer_visible = 1;
  }
}

int32_t pointer_reset() {
  detect_swapped_buttons();
  pointer_hide_count = 0;
  return 0;
}

void pointer_reset_count() { pointer_hide_count = 0; }

void wait_mouse_release() {
  // A busy poll of the live button state: no messages are dispatched meanwhile, so no engine
  // callback runs between the click and its release. Bounded so that a stuck button cannot hang.
  for (int i = 0; i < kReleaseWaitPolls && host().pointer_buttons() != 0; ++i) host().sleep_ms(1);
}
