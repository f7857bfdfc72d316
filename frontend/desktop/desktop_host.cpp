// The desktop host's services: windows for panels, the event loop for the engine's polls, pointer and keys.
#include "frontend/desktop/desktop_host.h"

#include <wx/app.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/gdicmn.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include "engine/panels/file_preview_pane.h"
#include "engine/raster/render_window.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/screen.h"
#include "frontend/desktop/canvas_view.h"
#include "frontend/desktop/desktop_state.h"
#include "frontend/desktop/dialogs.h"
#include "frontend/desktop/file_preview.h"
#include "frontend/desktop/main_frame.h"
#include "frontend/desktop/panel_frames.h"
#include "frontend/desktop/render_frame.h"
#include "frontend/logic/file_patterns.h"

namespace {
DesktopHost* the_host = nullptr;

// After a quit, every poll of the engine is told to stop, so that a script or an animation does not go on with
// its next frame.
void keep_stopping() {
  if (!quit_requested) return;
  user_abort = 1;
  render_abort = 1;
}
constexpr size_t kKeyQueueSize = 64;
// At most this many messages per call of dispatch_pending_events: a steady stream cannot hold the engine.
constexpr int kDispatchLimit = 1000;

// Runs the toolkit's pending messages, at most max_count of them; returns the count.
int run_pending(int max_count) {
  int n = 0;
  if (!wxTheApp) return 0;
  while (n < max_count && wxTheApp->Pending()) {
    if (!wxTheApp->Dispatch()) break;
    ++n;
  }
  return n;
}
}  // namespace

DesktopHost& desktop_host() {
  if (!the_host) the_host = new DesktopHost;
  return *the_host;
}

DesktopHost::~DesktopHost() {
  for (Canvas* c : retired_) delete c;
}

void DesktopHost::open_panel_window(PanelRecord* panel) {
  if (!panel || panel->frame || !main_frame) return;
  PanelFrame::Open(panel);
}

void DesktopHost::open_popup_window(PanelRecord* panel) {
  if (!panel || !main_frame) return;
  PopupFrame::Open(panel);
}

void DesktopHost::use_panel_canvas(PanelRecord*) {}

void DesktopHost::close_panel_window(PanelRecord* panel) {
  if (!panel) return;
  dispatch_pending_events();
  if (auto* frame = static_cast<PopupFrame*>(panel->frame)) frame->CloseFromEngine();
  panel->frame = nullptr;
  panel->canvas = nullptr;
}

void DesktopHost::dispatch_pending_events() {
  if (dispatching_) return;  // a poll inside a poll takes nothing
  dispatching_ = true;
  show_changed_canvases();
  run_pending(kDispatchLimit);
  dispatching_ = false;
}

int DesktopHost::ask_yes_no(const char* message, const char* button1, const char* button2) {
  // The user quits: what the engine still asks on its way out gets the answer that does not go on.
  if (quit_requested) return button2 ? 0 : 1;
  QuestionDialog dialog(main_frame, message ? message : "", button1 ? button1 : "  OK  ", button2);
  return dialog.ShowModal() == wxID_YES ? 1 : 0;
}

int DesktopHost::ask_value(const char* message, const char* button1, const char* button2, int32_t* value) {
  if (quit_requested) return button2 ? 0 : 1;  // quitting: the value stays as it is
  int32_t shown = value ? *value : 0;
  ValueDialog dialog(main_frame, message ? message : "", button1 ? button1 : "  OK  ", button2, &shown);
  if (dialog.ShowModal() != wxID_YES) return 0;
  if (value) *value = dialog.Value();
  return 1;
}

void DesktopHost::set_status_line(const char* text) {
  if (main_frame) main_frame->SetStatusText(wxString::FromUTF8(text ? text : ""), 0);
}

void DesktopHost::pointer_position(int32_t* x, int32_t* y) {
  const wxPoint p = wxGetMousePosition();
  *x = p.x;
  *y = p.y;
}

void DesktopHost::set_pointer_position(int32_t x, int32_t y) {
  if (!main_frame) return;
  const wxPoint p = main_frame->ScreenToClient(wxPoint(x, y));
  main_frame->WarpPointer(p.x, p.y);
}

int32_t DesktopHost::pointer_buttons() {
  const wxMouseState m = wxGetMouseState();
  int32_t b = 0;
  if (pressed_ && tick_count() - pressed_tick_ < 500) b = pressed_;
  pressed_ = 0;  // a press seen by a window is reported once, even when the button is already up again
  if (m.LeftIsDown()) b |= kHostButtonLeft;
  if (m.RightIsDown()) b |= kHostButtonRight;
  return b;
}

int32_t DesktopHost::has_focus() {
  // The pointer is over one of the program's windows: what the user does there is meant for it. The windows'
  // rectangles are known to the toolkit, so this asks the display only for the pointer.
  const wxPoint p = wxGetMousePosition();
  for (wxWindow* w : wxTopLevelWindows)
    if (w->IsShown() && w->GetRect().Contains(p)) return 1;
  return 0;
}

int32_t DesktopHost::key_down(int32_t key) {
  if (key == 'S') return wxGetKeyState(WXK_SHIFT) ? 1 : 0;
  if (key == 'C') return wxGetKeyState(WXK_CONTROL) ? 1 : 0;
  if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
  if (key <= 0 || key > 127) return 0;
  return wxGetKeyState(static_cast<wxKeyCode>(key)) ? 1 : 0;
}

int32_t DesktopHost::next_key() {
  // Taking a message runs the others that wait: paints, and the keys that fill the queue. The one poll that a
  // pointer event makes runs nothing, so that the next pointer event comes after it instead of inside it; a
  // loop that polls again and again (editing a field, a command waiting for a key) gets the messages.
  if (!dispatching_ && ++key_polls_ > 1) {
    dispatching_ = true;
    show_changed_canvases();
    run_pending(10);
    dispatching_ = false;
  }
  keep_stopping();
  if (keys_.empty()) return 0;
  const int32_t k = keys_.front();
  keys_.pop_front();
  return k;
}

int32_t DesktopHost::dispatch_messages(int32_t max_count) {
  keep_stopping();
  if (dispatching_ || max_count <= 0) return 0;
  dispatching_ = true;
  show_changed_canvases();
  const int n = run_pending(max_count);
  dispatching_ = false;
  return n;
}

void DesktopHost::set_cursor(int32_t kind) {
  const wxStockCursor c = kind == 2 ? wxCURSOR_WAIT : (kind == 3 ? wxCURSOR_CROSS : wxCURSOR_ARROW);
  wxSetCursor(wxCursor(c));
}

void DesktopHost::invalidate_current_window() {
  if (current_hwnd) canvas_changed(current_hwnd);
}

int DesktopHost::choose_file(const HostFileChoice& choice, char* result, size_t result_size) {
  if (!result || result_size == 0) return -1;
  const wxString filter = wxString::FromUTF8(choice.filter && *choice.filter ? choice.filter : "*");
  // The names are matched regardless of case, as the engine finds its files.
  const wxString wildcard =
      filter + "|" + wxString::FromUTF8(case_free_pattern(choice.filter && *choice.filter ? choice.filter : "*")) +
      "|All files|*";
  wxFileDialog dialog(main_frame, wxString::FromUTF8(choice.title ? choice.title : ""),
                      wxString::FromUTF8(choice.folder ? choice.folder : ""),
                      wxString::FromUTF8(choice.name ? choice.name : ""), wildcard,
                      choice.save ? (wxFD_SAVE | wxFD_OVERWRITE_PROMPT) : (wxFD_OPEN | wxFD_FILE_MUST_EXIST));
  // Open dialogs of pictures and landscapes show the selected file's preview beside the file list.
  if (!choice.save && preview_pane_kind(choice.filter)) dialog.SetExtraControlCreator(&FilePreviewPane::Create);
  if (dialog.ShowModal() != wxID_OK) return -1;
  const wxScopedCharBuffer path = dialog.GetPath().utf8_str();
  if (path.length() + 1 > result_size) return -1;  // a path that does not fit is refused, not cut
  std::snprintf(result, result_size, "%s", path.data());
  return 1;
}

void DesktopHost::post_quit() { request_quit(); }

void DesktopHost::render_title(const char* text) {
  if (render_frame) render_frame->SetTitle(wxString::FromUTF8(text && *text ? text : "Dalvenor Image"));
}

void DesktopHost::render_window_event(const char* what) {
  if (render_frame && what) render_frame->EngineEvent(what);
}

int32_t DesktopHost::display_bits() { return wxDisplayDepth(); }

int32_t DesktopHost::create_render_window() {
  if (!render_frame) render_frame = new RenderFrame(main_canvas(kCanvasRender));
  return render_frame ? 1 : 0;
}

void DesktopHost::canvas_palette(const uint8_t*) {
  for (auto& [canvas, view] : views_)
    if (canvas->depth == 8) view->RequestShow();
}

void DesktopHost::canvas_pointer(Canvas* canvas, int32_t* x, int32_t* y) {
  const wxPoint p = wxGetMousePosition();
  CanvasView* v = view_of(canvas);
  const wxPoint c = v ? v->ScreenToClient(p) + v->Origin() : p;
  *x = c.x;
  *y = c.y;
}

void DesktopHost::canvas_changed(Canvas* canvas) {
  if (!canvas) return;
  canvas->needs_repaint = 1;
  if (render_frame && canvas == main_canvas(kCanvasRender)) {
    render_frame->View()->EnginePaint();  // the engine invalidated the window: it draws the picture again
    return;
  }
  if (CanvasView* v = view_of(canvas)) v->RequestShow();
}

void DesktopHost::bind_view(Canvas* canvas, CanvasView* view) { views_[canvas] = view; }

void DesktopHost::unbind_view(Canvas* canvas, CanvasView* view) {
  auto it = views_.find(canvas);
  if (it != views_.end() && it->second == view) views_.erase(it);
}

CanvasView* DesktopHost::view_of(Canvas* canvas) const {
  auto it = views_.find(canvas);
  return it == views_.end() ? nullptr : it->second;
}

void DesktopHost::show_changed_canvases() {
  for (auto& [canvas, view] : views_)
    if (canvas->needs_repaint) view->RequestShow();
  if (render_dirty_ && render_frame) {
    render_frame->ShowImage();
    render_dirty_ = false;
  }
}

void DesktopHost::push_key(int32_t code) {
  if (code == 0) return;
  if (keys_.size() >= kKeyQueueSize) keys_.pop_front();
  keys_.push_back(code & 0xFFFF);
}

void DesktopHost::note_press(int32_t buttons) {
  pressed_ |= buttons;
  pressed_tick_ = tick_count();
}

bool DesktopHost::press_waiting() { return pressed_ != 0 && tick_count() - pressed_tick_ < 500; }

void DesktopHost::retire_canvas(Canvas* canvas) {
  if (canvas) retired_.push_back(canvas);
}
