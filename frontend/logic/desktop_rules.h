// Toolkit-free rules of the desktop windows: the value field's number, panel activation, pop-up placement and
// keeping windows on a screen smaller than the layout.
#pragma once

#include <cstdint>

// The number typed into a value box, read like atoi: leading blanks, an optional sign, then decimal digits up
// to the first other character; 0 when no digit follows. Values beyond the int range are held at its ends.
int32_t parse_value_text(const char* text);

// The engine command that switches to a control panel's mode (panel types 4 to 17); 0 for other types.
uint32_t panel_activation_command(int32_t panel_type);

struct WindowRect {
  int32_t x, y, width, height;
};
// A pop-up of the given outer size centred over the area (the main frame's client area, in screen pixels).
WindowRect centred_popup(const WindowRect& area, int32_t width, int32_t height);
// The rectangle moved (and, when larger, shrunk) so that it lies on the screen area.
WindowRect keep_on_screen(const WindowRect& window, const WindowRect& screen);
