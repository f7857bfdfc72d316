// Window placement on the main frame's client area and on the screen.
#include "frontend/desktop/tool_window.h"

#include <wx/display.h>

#include "frontend/desktop/desktop_state.h"
#include "frontend/desktop/main_frame.h"
#include "frontend/logic/desktop_rules.h"

namespace {
WindowRect screen_area() {
  const wxRect r = wxDisplay(0u).GetClientArea();
  return {r.x, r.y, r.width, r.height};
}
}  // namespace

wxPoint place_on_main_client(int x, int y, const wxSize& outer) {
  wxPoint p(x, y);
  if (main_frame) p = main_frame->ClientToScreen(p);
  const WindowRect r = keep_on_screen({p.x, p.y, outer.x, outer.y}, screen_area());
  return {r.x, r.y};
}

void keep_window_on_screen(wxTopLevelWindow* window) {
  if (!window) return;
  const wxRect w = window->GetRect();
  const WindowRect r = keep_on_screen({w.x, w.y, w.width, w.height}, screen_area());
  if (r.x != w.x || r.y != w.y || r.width != w.width || r.height != w.height) window->SetSize(r.x, r.y, r.width, r.height);
}
