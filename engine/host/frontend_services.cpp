// Forwards the front-end services to the host in force.
#include "engine/host/frontend_services.h"

#include "engine/host/host.h"

void OpenPanelWindow(PanelRecord* panel) { host().open_panel_window(panel); }
void OpenPopupWindow(PanelRecord* panel) { host().open_popup_window(panel); }
void UsePanelCanvas(PanelRecord* panel) { host().use_panel_canvas(panel); }
void ClosePanelWindow(PanelRecord* panel) { host().close_panel_window(panel); }
void DispatchPendingEvents() { host().dispatch_pending_events(); }
int AskYesNo(const char* message, const char* button1, const char* button2) {
  return host().ask_yes_no(message, button1, button2);
}
int AskValue(const char* message, const char* button1, const char* button2, int32_t* value) {
  return host().ask_value(message, button1, button2, value);
}
void SetStatusLine(const char* text) { host().set_status_line(text); }
