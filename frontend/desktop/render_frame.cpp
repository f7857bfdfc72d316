// The render window on the toolkit: its menus, keys, buttons, scroll bars and closing, handed to the engine.
#include "frontend/desktop/render_frame.h"

#include <cstring>

#include <wx/dcclient.h>
#include <wx/menu.h>

#include "engine/host/canvas.h"
#include "engine/raster/render_window.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/screen.h"
#include "engine/ui/status.h"
#include "frontend/desktop/desktop_host.h"
#include "frontend/desktop/desktop_state.h"
#include "frontend/desktop/panel_frames.h"
#include "frontend/desktop/tool_window.h"

wxBEGIN_EVENT_TABLE(RenderCanvas, CanvasView)
  EVT_PAINT(RenderCanvas::OnPaint)
  EVT_MOUSE_EVENTS(RenderCanvas::OnMouse)
  EVT_KEY_DOWN(RenderCanvas::OnKeyDown)
  EVT_CHAR(RenderCanvas::OnChar)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(RenderFrame, wxFrame)
  EVT_CLOSE(RenderFrame::OnClose)
  EVT_MENU(wxID_ANY, RenderFrame::OnMenu)
  EVT_MENU_OPEN(RenderFrame::OnMenuOpen)
  EVT_SIZE(RenderFrame::OnSize)
wxEND_EVENT_TABLE()

namespace {
// Menu ids: 1 close, 10 to 15 the pan items (as the engine numbers them).
constexpr int kCloseItem = 1;

void message(int32_t what, int32_t a = 0, int32_t b = 0) {
  EngineCall call;
  render_window_message(what, a, b);
}
}  // namespace

RenderCanvas::RenderCanvas(wxWindow* parent, Canvas* canvas) : CanvasView(parent, canvas) {
  SetBackgroundColour(*wxBLACK);
}

void RenderCanvas::ShowRows() {
  show_rows_ = true;
  Refresh(false);
}

void RenderCanvas::EnginePaint() {
  engine_paint_ = true;
  Refresh(false);
}

void RenderCanvas::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  // A paint the window system asks for lets the engine draw the picture again (or note it for later while a
  // render runs); rows the engine drew itself are only shown.
  if (engine_paint_ || !show_rows_) message(kRenderPaint);
  engine_paint_ = false;
  show_rows_ = false;
  dc.SetBackground(*wxBLACK_BRUSH);
  dc.Clear();
  ShowRaster(dc);
}

void RenderCanvas::OnMouse(wxMouseEvent& event) {
  if (event.LeftUp()) message(kRenderLeftUp);
  if (event.RightUp()) message(kRenderRightUp);
  if (event.LeftDown()) SetFocus();
}

void RenderCanvas::OnKeyDown(wxKeyEvent& event) {
  int32_t code = engine_code_of_key(event.GetKeyCode());
  if (code == 0) {
    event.Skip();
    return;
  }
  message(kRenderKeyDown, code);
}

void RenderCanvas::OnChar(wxKeyEvent& event) {
  if (event.GetUnicodeKey() == ' ') {
    message(kRenderChar, ' ');
    return;
  }
  event.Skip();
}

RenderFrame::RenderFrame(Canvas* canvas)
    : wxFrame(nullptr, wxID_ANY, "Empty View", wxPoint(50, 50), wxSize(320, 200),
              wxDEFAULT_FRAME_STYLE | wxNO_FULL_REPAINT_ON_RESIZE) {
  auto* bar = new wxMenuBar;
  auto* close = new wxMenu;
  close->Append(kCloseItem, "&Close!");
  bar->Append(close, "&Close!");
  auto* pan = new wxMenu;
  pan->Append(10, "Top Left\tInsert");
  pan->Append(11, "Bottom Left\tDelete");
  pan->Append(12, "Top Right\tHome");
  pan->Append(13, "Bottom Right\tEnd");
  pan->Append(14, "Center\tKP_Divide");
  pan->AppendSeparator();
  pan->Append(15, "Scale\tKP_Multiply");
  bar->Append(pan, "&Pan");
  SetMenuBar(bar);
  m_canvas = new RenderCanvas(this, canvas);
}

RenderFrame::~RenderFrame() {
  if (render_frame == this) render_frame = nullptr;
}

void RenderFrame::UpdateMenu() {
  wxMenuBar* bar = GetMenuBar();
  if (!bar) return;
  const char* menu = render_menu ? render_menu : "RENDER_EXIT";
  if (std::strcmp(menu, "RENDERING") == 0) {
    bar->SetMenuLabel(0, "Press right mouse button to abort rendering");
    bar->EnableTop(1, false);
  } else {
    bar->SetMenuLabel(0, "&Close!");
    bar->EnableTop(1, std::strcmp(menu, "SMALL_MENU") != 0);
  }
}

void RenderFrame::FitToCanvas() {
  Canvas* c = m_canvas->canvas();
  if (!c) return;
  sizing_ = true;
  wanted_client_ = wxSize(c->width, c->height);
  SetClientSize(wanted_client_);
  keep_window_on_screen(this);
  sizing_ = false;
}

void RenderFrame::EngineEvent(const char* what) {
  const std::string w = what;
  if (w == "fit show") {
    FitToCanvas();
    UpdateMenu();
    if (!IsShown()) Show();
    Raise();
    m_canvas->ShowRows();
  } else if (w == "hide") {
    Hide();
  } else if (w == "release" || w == "redraw" || w == "refresh" || w == "busy on" || w == "busy off" ||
             w == "close") {
    UpdateMenu();
    m_canvas->ShowRows();
  }
}

void RenderFrame::ShowImage() {
  if (IsShown()) m_canvas->ShowRows();
}

void RenderFrame::OnClose(wxCloseEvent& event) {
  if (!event.CanVeto() || quit_requested) {
    event.Skip();
    return;
  }
  // Closing stops a render, or hides the window; it is never destroyed this way.
  message(kRenderClose);
  event.Veto();
}

void RenderFrame::OnMenu(wxCommandEvent& event) { message(kRenderCommand, event.GetId()); }

void RenderFrame::OnMenuOpen(wxMenuEvent& event) {
  if (wxMenuBar* bar = GetMenuBar()) {
    const bool pan = render_pan_menu_enabled() != 0;
    for (int id = 10; id <= 15; ++id) bar->Enable(id, pan);
  }
  event.Skip();
}

void RenderFrame::OnSize(wxSizeEvent& event) {
  event.Skip();
  if (sizing_ || !IsShown() || IsIconized()) return;
  const wxSize c = GetClientSize();
  if (c == wanted_client_) return;  // the size the engine asked for, arriving late
  Canvas* canvas = m_canvas->canvas();
  if (canvas && (canvas->width != c.x || canvas->height != c.y)) {
    wanted_client_ = c;
    message(kRenderSize, c.x, c.y);
    m_canvas->Refresh(false);
  }
}
