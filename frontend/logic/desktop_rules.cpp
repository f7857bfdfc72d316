// The desktop windows' toolkit-free rules.
#include "frontend/logic/desktop_rules.h"

#include <climits>

int32_t parse_value_text(const char* text) {
  if (!text) return 0;
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int64_t v = 0;
  while (*p >= '0' && *p <= '9') {
    if (v <= static_cast<int64_t>(INT32_MAX) + 1) v = v * 10 + (*p - '0');
    ++p;
  }
  if (negative) v = -v;
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

uint32_t panel_activation_command(int32_t panel_type) {
  static const uint32_t kCommands[14] = {1293, 1294, 1295, 1296, 1297, 1298, 1299,
                                         1300, 1301, 1305, 1304, 1303, 1306, 1307};
  if (panel_type < 4 || panel_type > 17) return 0;
  return kCommands[panel_type - 4];
}

WindowRect centred_popup(const WindowRect& area, int32_t width, int32_t height) {
  return {area.x + area.width / 2 - width / 2, area.y + area.height / 2 - height / 2, width, height};
}

WindowRect keep_on_screen(const WindowRect& window, const WindowRect& screen) {
  WindowRect r = window;
  if (r.width > screen.width) r.width = screen.width;
  if (r.height > screen.height) r.height = screen.height;
  if (r.x + r.width > screen.x + screen.width) r.x = screen.x + screen.width - r.width;
  if (r.y + r.height > screen.y + screen.height) r.y = screen.y + screen.height - r.height;
  if (r.x < screen.x) r.x = screen.x;
  if (r.y < screen.y) r.y = screen.y;
  return r;
}
