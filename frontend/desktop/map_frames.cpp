// The map and preview windows: the engine's start-up at the first map paint, painting, pointer and 'T'.
#include "frontend/desktop/map_frames.h"
#include "frontend/desktop/icons.h"

#include <wx/dcclient.h>

#include "engine/host/host.h"
#include "engine/panels/command_dispatch.h"
#include "engine/panels/preview_panel.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/panels/topo_panel.h"
#include "frontend/desktop/desktop_host.h"
#include "frontend/desktop/desktop_state.h"
#include "frontend/desktop/main_frame.h"
#include "frontend/desktop/panel_frames.h"
#include "frontend/desktop/tool_window.h"

wxBEGIN_EVENT_TABLE(TopoCanvas, CanvasView)
  EVT_PAINT(TopoCanvas::OnPaint)
  EVT_MOUSE_EVENTS(TopoCanvas::OnMouse)
  EVT_KEY_DOWN(TopoCanvas::OnKeyDown)
  EVT_KEY_UP(TopoCanvas::OnKeyUp)
  EVT_CHAR(TopoCanvas::OnChar)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(PreviewCanvas, CanvasView)
  EVT_PAINT(PreviewCanvas::OnPaint)
  EVT_MOUSE_EVENTS(PreviewCanvas::OnMouse)
  EVT_CHAR(PreviewCanvas::OnChar)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(TopoFrame, wxFrame)
  EVT_ACTIVATE(TopoFrame::OnActivate)
  EVT_CLOSE(TopoFrame::OnClose)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(PreviewFrame, wxFrame)
  EVT_ACTIVATE(PreviewFrame::OnActivate)
  EVT_CLOSE(PreviewFrame::OnClose)
wxEND_EVENT_TABLE()

void map_window_focused() {
  MainFrame::SyncSelectTools(nullptr);
  last_panel_frame = nullptr;
}

TopoCanvas::TopoCanvas(wxWindow* parent, Canvas* canvas) : CanvasView(parent, canvas) {}

void TopoCanvas::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  if (topo_first_paint) {
    // The engine's start-up (the command line, the start-up script and landscape) runs once, right after this
    // first paint has shown the map: a long start-up script then runs with the windows drawn.
    topo_first_paint = 0;
    drawn_ = true;
    startup_timer_.SetOwner(this);
    Bind(wxEVT_TIMER, [](wxTimerEvent&) {
      EngineCall call;
      engine_command(1419, 0, 0, topo_panel);
    });
    startup_timer_.StartOnce(1);
  } else if (!drawn_) {
    drawn_ = true;
    EngineCall call;
    main_panels_redraw();
  }
  ShowRaster(dc);
}

void TopoCanvas::OnMouse(wxMouseEvent& event) {
  if (event.LeftDown()) {
    SetFocus();
    map_window_focused();
  }
  note_button_press(event);
  if (engine_in_use()) return;  // left to the engine's poll that dispatched it
  if (topo_panel) {
    EngineCall call;
    topo_panel_event(topo_panel);
    if (desktop_host().press_waiting()) topo_panel_event(topo_panel);  // a press that came meanwhile
  }
}

void TopoCanvas::OnKeyDown(wxKeyEvent& event) {
  if (!event.AltDown() && event.GetKeyCode() == 'T' && current_panel_id() == 1305 && !engine_in_use()) {
    send_engine_command(1426, nullptr);
    return;
  }
  event.Skip();
}

void TopoCanvas::OnKeyUp(wxKeyEvent& event) {
  if (!event.AltDown() && event.GetKeyCode() == 'T' && current_panel_id() == 1305 && !engine_in_use()) {
    send_engine_command(1425, nullptr);
    return;
  }
  event.Skip();
}

void TopoCanvas::OnChar(wxKeyEvent& event) { frame_char(event); }

PreviewCanvas::PreviewCanvas(wxWindow* parent, Canvas* canvas) : CanvasView(parent, canvas) {}

void PreviewCanvas::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  if (!drawn_ && !topo_first_paint) {
    drawn_ = true;
    EngineCall call;
    preview_panel_redraw();
  }
  ShowRaster(dc);
}

void PreviewCanvas::OnMouse(wxMouseEvent& event) {
  if (event.LeftDown()) {
    SetFocus();
    map_window_focused();
  }
  note_button_press(event);
  if (engine_in_use()) return;  // left to the engine's poll that dispatched it
  PanelRecord* record = &preview_panel_record;
  if (record->event) {
    EngineCall call;
    record->event(record);
    if (desktop_host().press_waiting()) record->event(record);  // a press that came meanwhile
  }
}

void PreviewCanvas::OnChar(wxKeyEvent& event) { frame_char(event); }

namespace {
template <typename Frame, typename View>
void build_map_frame(Frame* frame, MainCanvas which, const wxSize& client) {
  Canvas* canvas = desktop_host().main_canvas(which);
  frame->m_canvas = new View(frame, canvas);
  frame->SetClientSize(client);
  const wxSize outer = frame->GetSize();
  frame->SetSizeHints(outer, outer);
}
}  // namespace

TopoFrame::TopoFrame(wxWindow* parent, const wxString& title, const wxSize& client)
    : wxFrame(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, kToolWindowStyle) {
  build_map_frame<TopoFrame, TopoCanvas>(this, kCanvasTopo, client);
  SetIcons(program_icon_bundle());
  Bind(wxEVT_CHAR_HOOK, frame_char_hook);
}
TopoFrame::~TopoFrame() { topo_frame = nullptr; }

void TopoFrame::OnActivate(wxActivateEvent& event) {
  if (event.GetActive()) map_window_focused();
  event.Skip();
}

// The map and the preview live as long as the program: a close request is refused (the engine draws into them).
void TopoFrame::OnClose(wxCloseEvent& event) {
  if (event.CanVeto()) {
    event.Veto();
    return;
  }
  event.Skip();
}

void PreviewFrame::OnClose(wxCloseEvent& event) {
  if (event.CanVeto()) {
    event.Veto();
    return;
  }
  event.Skip();
}

PreviewFrame::PreviewFrame(wxWindow* parent, const wxString& title, const wxSize& client)
    : wxFrame(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, kToolWindowStyle) {
  build_map_frame<PreviewFrame, PreviewCanvas>(this, kCanvasPreview, client);
  Bind(wxEVT_CHAR_HOOK, frame_char_hook);
}
PreviewFrame::~PreviewFrame() { preview_frame = nullptr; }

void PreviewFrame::OnActivate(wxActivateEvent& event) {
  if (event.GetActive()) map_window_focused();
  event.Skip();
}
