// The render window on the toolkit: its menus, keys, buttons, scroll bars and closing, handed to the engine.
#include "frontend/desktop/render_frame.h"
#include "frontend/desktop/icons.h"

#include <algorithm>
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
  if (render_frame) {
    render_frame->Message(what, a, b);
    return;
  }
  EngineCall call;
  render_window_message(what, a, b);
}

// The engine's scroll message code of a scroll bar event: 0 line back, 1 line on, 2 page back, 3 page on, 4 the
// thumb at a position; -1 for events that only follow one of these.
int32_t scroll_code(const wxScrollEvent& event, int32_t* position) {
  const wxEventType t = event.GetEventType();
  *position = event.GetPosition();
  if (t == wxEVT_SCROLL_LINEUP) return 0;
  if (t == wxEVT_SCROLL_LINEDOWN) return 1;
  if (t == wxEVT_SCROLL_PAGEUP) return 2;
  if (t == wxEVT_SCROLL_PAGEDOWN) return 3;
  if (t == wxEVT_SCROLL_THUMBTRACK || t == wxEVT_SCROLL_THUMBRELEASE) return 4;
  if (t == wxEVT_SCROLL_TOP) {
    *position = 0;
    return 4;
  }
  if (t == wxEVT_SCROLL_BOTTOM) {
    *position = 1 << 20;  // the engine keeps the view inside the picture
    return 4;
  }
  return -1;
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
  if (engine_paint_ || !show_rows_) {
    EngineCall call;  // painting changes no bar, and the window is not resized while it paints
    render_window_message(kRenderPaint, 0, 0);
  }
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
  SetIcons(program_icon_bundle());  // the program's own icon, as its other main windows
  m_canvas = new RenderCanvas(this, canvas);
  // The bars are as wide as the engine counts them, so the picture beside them is the size it computes.
  m_vbar = new wxScrollBar(this, wxID_ANY, wxDefaultPosition, wxSize(kRenderScrollBar, 50), wxSB_VERTICAL);
  m_hbar = new wxScrollBar(this, wxID_ANY, wxDefaultPosition, wxSize(50, kRenderScrollBar), wxSB_HORIZONTAL);
  m_vbar->Hide();
  m_hbar->Hide();
  for (const auto& t : {wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM, wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN,
                        wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN, wxEVT_SCROLL_THUMBTRACK,
                        wxEVT_SCROLL_THUMBRELEASE}) {
    m_vbar->Bind(t, &RenderFrame::OnScroll, this);
    m_hbar->Bind(t, &RenderFrame::OnScroll, this);
  }
}

void RenderFrame::Message(int32_t what, int32_t a, int32_t b) {
  {
    EngineCall call;
    render_window_message(what, a, b);
  }
  SyncBars();
}

void RenderFrame::OnScroll(wxScrollEvent& event) {
  int32_t position = 0;
  const int32_t code = scroll_code(event, &position);
  if (code < 0) return;
  Message(event.GetEventObject() == m_vbar ? kRenderVScroll : kRenderHScroll, code, position);
}

void RenderFrame::SyncBars() {
  const wxSize client = GetClientSize();
  const bool v = render_vscroll_steps > 0, h = render_hscroll_steps > 0;
  const int bar = kRenderScrollBar;
  const int w = std::max(client.x - (v ? bar : 0), 1), ht = std::max(client.y - (h ? bar : 0), 1);
  m_canvas->SetSize(0, 0, w, ht);
  // Positions 0 to the step count; the thumb is as long as the steps the window shows.
  if (v) {
    const int thumb = std::max(ht / 50, 1);
    m_vbar->SetScrollbar(std::min(render_vscroll_pos, render_vscroll_steps), thumb,
                         render_vscroll_steps + thumb, thumb);
    m_vbar->SetSize(client.x - bar, 0, bar, ht);
  }
  if (h) {
    const int thumb = std::max(w / 50, 1);
    m_hbar->SetScrollbar(std::min(render_hscroll_pos, render_hscroll_steps), thumb,
                         render_hscroll_steps + thumb, thumb);
    m_hbar->SetSize(0, client.y - bar, w, bar);
  }
  m_vbar->Show(v);
  m_hbar->Show(h);
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
  SyncBars();
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
             w == "close" || w == "fit") {
    UpdateMenu();
    SyncBars();
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
  if (c == wanted_client_) {  // the size the engine asked for, arriving late
    SyncBars();
    return;
  }
  Canvas* canvas = m_canvas->canvas();
  if (canvas && (canvas->width != c.x || canvas->height != c.y)) {
    wanted_client_ = c;
    // The engine is told the client area beside the bars it shows now, and sets the bars for the new size.
    Message(kRenderSize, c.x - (render_vscroll_steps > 0 ? kRenderScrollBar : 0),
            c.y - (render_hscroll_steps > 0 ? kRenderScrollBar : 0));
    m_canvas->Refresh(false);
  } else {
    SyncBars();
  }
}
