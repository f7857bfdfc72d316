// Control panel and pop-up windows: opening, focus and the engine's panel mode, painting and input.
#include "frontend/desktop/panel_frames.h"

#include <algorithm>
#include <vector>

#include <wx/dcclient.h>

#include "engine/host/canvas.h"
#include "engine/panels/command_dispatch.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/screen.h"
#include "frontend/desktop/desktop_host.h"
#include "frontend/desktop/desktop_state.h"
#include "frontend/desktop/main_frame.h"
#include "frontend/desktop/render_frame.h"
#include "frontend/desktop/tool_window.h"
#include "frontend/logic/desktop_rules.h"

wxBEGIN_EVENT_TABLE(PanelFrame, wxFrame)
  EVT_ACTIVATE(PanelFrame::OnActivate)
  EVT_CLOSE(PanelFrame::OnClose)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(PopupFrame, wxFrame)
  EVT_CLOSE(PopupFrame::OnClose)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(PanelCanvas, CanvasView)
  EVT_PAINT(PanelCanvas::OnPaint)
  EVT_MOUSE_EVENTS(PanelCanvas::OnMouse)
  EVT_KEY_DOWN(PanelCanvas::OnKeyDown)
  EVT_KEY_UP(PanelCanvas::OnKeyUp)
  EVT_CHAR(PanelCanvas::OnChar)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(PopupCanvas, CanvasView)
  EVT_PAINT(PopupCanvas::OnPaint)
  EVT_MOUSE_EVENTS(PopupCanvas::OnMouse)
  EVT_CHAR(PopupCanvas::OnChar)
wxEND_EVENT_TABLE()

namespace {
std::vector<PopupFrame*> closed_popups;

// A canvas large enough for the record's box, which lies at (x0, y0) of it.
Canvas* new_panel_canvas(const PanelRecord* record) {
  auto* c = new Canvas;
  c->name = record->name;
  c->depth = 8;
  const int32_t x0 = std::max(record->x0, 0), y0 = std::max(record->y0, 0);
  c->resize(std::clamp(x0 + record->width, 1, 8192), std::clamp(y0 + record->height, 1, 8192));
  // The window's background is the panel face, as the engine draws only the gadgets on it.
  std::fill(c->pixels.begin(), c->pixels.end(), static_cast<uint8_t>(ui_color_face));
  c->visible = 1;
  return c;
}

wxSize record_size(const PanelRecord* record) {
  return {std::clamp(record->width, 1, 8192), std::clamp(record->height, 1, 8192)};
}

// Fixes a frame's client area at the size: the user cannot resize it.
void fix_client_size(wxFrame* frame, const wxSize& client) {
  frame->SetClientSize(client);
  const wxSize outer = frame->GetSize();
  frame->SetSizeHints(outer, outer);
}

void deliver_mouse(PanelRecord* record, wxMouseEvent& event) {
  if (!record || !record->event) return;
  const bool nested = engine_in_use();
  note_button_press(event);
  // An event that arrives while the engine handles another one (it dispatches messages while it polls) is left to
  // that poll, except the right button, which asks a running command to stop.
  if (nested && !(event.RightDown() || event.RightDClick())) return;
  EngineCall call;
  record->event(record);
  // A press that came while the engine handled this event is handed to it now.
  if (desktop_host().press_waiting()) record->event(record);
}
}  // namespace

void note_button_press(const wxMouseEvent& event) {
  if (event.LeftDown() || event.LeftDClick()) desktop_host().note_press(kHostButtonLeft);
  if (event.RightDown() || event.RightDClick()) desktop_host().note_press(kHostButtonRight);
}

void draw_record(PanelRecord* record) {
  if (!record || !record->draw || !record->canvas) return;
  EngineCall call;
  Canvas* before = current_hwnd;
  const int32_t held = current_hdc;
  release_dc();
  acquire_dc(static_cast<Canvas*>(record->canvas));
  record->draw(record);
  release_dc();
  if (before) {
    acquire_dc(before);
    if (!held) release_dc();
  }
}

// ---- control panels ----

PanelFrame::PanelFrame(PanelRecord* record, const wxPoint& pos)
    : wxFrame(main_frame, wxID_ANY, wxString::FromUTF8(record->name), pos, wxDefaultSize,
              kToolWindowStyle | wxSYSTEM_MENU | wxCLOSE_BOX),
      m_record(record) {
  m_canvas = new PanelCanvas(this, record);
  Bind(wxEVT_CHAR_HOOK, frame_char_hook);
  fix_client_size(this, record_size(record));
}

void PanelFrame::Open(PanelRecord* record) {
  auto* frame = new PanelFrame(record, wxDefaultPosition);
  frame->Move(place_on_main_client(340, 0, frame->GetSize()));
  record->frame = frame;
  frame->Show();
  last_panel_frame = frame;
  MainFrame::SyncSelectTools(frame);
  // The switch to the panel's mode comes after the engine call that opened the window has returned.
  frame->CallAfter([frame] { frame->Activated(); });
}

PanelFrame::~PanelFrame() {
  if (last_panel_frame == this) last_panel_frame = nullptr;
  if (m_record) {
    // The engine keeps the record; its canvas stays readable until the program ends.
    m_record->frame = nullptr;
  }
}

void PanelFrame::Activated() {
  if (m_ignoreFocus) {
    m_ignoreFocus = false;
    return;
  }
  if (!IsShown()) Show();
  MainFrame::SyncSelectTools(this);
  last_panel_frame = this;
  ActivatePanelMode();
}

void PanelFrame::ActivatePanelMode() {
  const uint32_t command = panel_activation_command(m_record ? m_record->id : 0);
  if (command != 0 && static_cast<uint32_t>(current_panel_id()) != command) send_engine_command(command, m_record);
}

void PanelFrame::OnActivate(wxActivateEvent& event) {
  if (event.GetActive() && last_panel_frame != this && IsShown()) Activated();
  event.Skip();
}

void PanelFrame::OnClose(wxCloseEvent& event) {
  if (!event.CanVeto()) {
    event.Skip();
    return;
  }
  // The close box hides the window; the record and its gadgets stay as they are.
  if (last_panel_frame == this) last_panel_frame = nullptr;
  m_ignoreFocus = true;
  Hide();
  MainFrame::SyncSelectTools(nullptr);
  event.Veto();
}

PanelCanvas::PanelCanvas(wxWindow* parent, PanelRecord* record)
    : CanvasView(parent, new_panel_canvas(record)), m_panel(record) {
  SetOrigin(wxPoint(std::max(record->x0, 0), std::max(record->y0, 0)));
  record->canvas = canvas_;
}

void PanelCanvas::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  if (!drawn_) {
    drawn_ = true;
    draw_record(m_panel);
  }
  ShowRaster(dc);
}

void PanelCanvas::OnMouse(wxMouseEvent& event) {
  if (event.LeftDown()) {
    SetFocus();
    auto* frame = static_cast<PanelFrame*>(GetParent());
    if (last_panel_frame != frame) frame->Activated();
  }
  deliver_mouse(m_panel, event);
}

void PanelCanvas::OnKeyDown(wxKeyEvent& event) {
  if (!event.AltDown() && event.GetKeyCode() == 'T' && m_panel->id == 13 && !engine_in_use()) {
    send_engine_command(1426, m_panel);
    return;
  }
  event.Skip();
}

void PanelCanvas::OnKeyUp(wxKeyEvent& event) {
  if (!event.AltDown() && event.GetKeyCode() == 'T' && m_panel->id == 13 && !engine_in_use()) {
    send_engine_command(1425, m_panel);
    return;
  }
  event.Skip();
}

void PanelCanvas::OnChar(wxKeyEvent& event) { frame_char(event); }

// ---- pop-ups ----

PopupFrame::PopupFrame(PanelRecord* record, const wxPoint& pos, const wxSize& size)
    : wxFrame(main_frame, wxID_ANY, wxString::FromUTF8(record->name), pos, size,
              wxCAPTION | wxFRAME_FLOAT_ON_PARENT | wxFRAME_TOOL_WINDOW | wxFRAME_NO_TASKBAR |
                  wxNO_FULL_REPAINT_ON_RESIZE),
      m_record(record) {
  m_canvas = new PopupCanvas(this, record);
  Bind(wxEVT_CHAR_HOOK, frame_char_hook);
  fix_client_size(this, record_size(record));
}

void PopupFrame::Open(PanelRecord* record) {
  const wxRect client(main_frame->ClientToScreen(wxPoint(0, 0)), main_frame->GetClientSize());
  const wxSize size = record_size(record);
  auto* frame = new PopupFrame(record, wxDefaultPosition, wxDefaultSize);
  const WindowRect r =
      centred_popup({client.x, client.y, client.width, client.height}, frame->GetSize().x, frame->GetSize().y);
  frame->Move(r.x, r.y);
  keep_window_on_screen(frame);
  record->frame = frame;
  frame->Show();
  frame->Raise();
  // Every other window of the program waits until the pop-up is gone; the render window stays usable.
  frame->m_disabler = new wxWindowDisabler(frame, render_frame);
  (void)size;
}

void PopupFrame::CloseFromEngine() {
  if (m_closing) return;
  m_closing = true;
  if (Canvas* c = m_canvas ? m_canvas->canvas() : nullptr) c->open = 0;
  Hide();
  closed_popups.push_back(this);
}

void PopupFrame::DestroyClosed() {
  if (closed_popups.empty() || engine_in_use()) return;
  // Newest first: each disabler gives back exactly what it took.
  std::vector<PopupFrame*> frames;
  frames.swap(closed_popups);
  for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
    (*it)->Finish();
    (*it)->Destroy();
  }
}

void PopupFrame::Finish() {
  if (m_record) {
    if (m_record->frame == this) m_record->frame = nullptr;
    PanelRecord* record = m_record;
    m_record = nullptr;
    if (m_canvas) m_canvas->DropRecord();  // the window lives on until the toolkit deletes it; the record does not
    if (!quit_requested && main_frame) {
      EngineCall call;
      popup_window_destroyed(record);  // the parent takes input again and the record is freed
    } else {
      // The program is closing (the engine idle): the record is freed all the same, with no call counted that
      // could start the closing again.
      popup_window_destroyed(record);
    }
  }
  delete m_disabler;  // the other windows take input again
  m_disabler = nullptr;
}

PopupFrame::~PopupFrame() {
  closed_popups.erase(std::remove(closed_popups.begin(), closed_popups.end(), this), closed_popups.end());
  Canvas* canvas = m_canvas ? m_canvas->canvas() : nullptr;
  Finish();
  if (canvas) {
    canvas->open = 0;
    desktop_host().retire_canvas(canvas);
  }
}

void PopupFrame::OnClose(wxCloseEvent& event) {
  // A pop-up ends through its own buttons, where the engine knows of it; a close request is refused.
  if (event.CanVeto() && !m_closing) {
    event.Veto();
    return;
  }
  event.Skip();
}

PopupCanvas::PopupCanvas(wxWindow* parent, PanelRecord* record)
    : CanvasView(parent, new_panel_canvas(record)), m_panel(record) {
  SetOrigin(wxPoint(std::max(record->x0, 0), std::max(record->y0, 0)));
  record->canvas = canvas_;
}

void PopupCanvas::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  if (!drawn_ && m_panel) {
    drawn_ = true;
    draw_record(m_panel);
  }
  ShowRaster(dc);
}

void PopupCanvas::OnMouse(wxMouseEvent& event) {
  if (event.LeftDown()) SetFocus();
  // Events still queued for the window after its record was freed (the release of the click that closed it)
  // reach nothing.
  if (m_panel) deliver_mouse(m_panel, event);
}

void PopupCanvas::OnChar(wxKeyEvent& event) { frame_char(event); }
