// The windows of the engine's panels: one floating window per control panel, and pop-up windows.
#pragma once

#include <wx/frame.h>
#include <wx/utils.h>

#include "frontend/desktop/canvas_view.h"

struct PanelRecord;
class PanelCanvas;
class PopupCanvas;

// A control panel's window: made once, hidden and shown, never destroyed before the program ends.
class PanelFrame : public wxFrame {
 public:
  // The window of the record (OpenPanelWindow).
  static void Open(PanelRecord* record);
  ~PanelFrame() override;
  PanelRecord* Record() const { return m_record; }
  // The window took the focus (or was clicked into): shown, its tool pressed, the engine in its mode.
  void Activated();
  void ActivatePanelMode();
  bool m_ignoreFocus = false;

 private:
  PanelFrame(PanelRecord* record, const wxPoint& pos);
  void OnActivate(wxActivateEvent& event);
  void OnClose(wxCloseEvent& event);
  PanelRecord* m_record;
  PanelCanvas* m_canvas = nullptr;
  wxDECLARE_EVENT_TABLE();
};

// A pop-up panel's window: every other window disabled while it exists; it ends when the engine closes it.
class PopupFrame : public wxFrame {
 public:
  static void Open(PanelRecord* record);
  ~PopupFrame() override;
  // ClosePanelWindow: hidden at once, destroyed once the engine is idle.
  void CloseFromEngine();
  // Destroys the pop-ups the engine closed, when it is idle.
  static void DestroyClosed();
  // Gives the record back to the engine (parent enabled, record freed) and the other windows their input.
  void Finish();

 private:
  PopupFrame(PanelRecord* record, const wxPoint& pos, const wxSize& size);
  void OnClose(wxCloseEvent& event);
  PanelRecord* m_record;
  PopupCanvas* m_canvas = nullptr;
  wxWindowDisabler* m_disabler = nullptr;
  bool m_closing = false;
  wxDECLARE_EVENT_TABLE();
};

// The engine's canvas of a control panel.
class PanelCanvas : public CanvasView {
 public:
  PanelCanvas(wxWindow* parent, PanelRecord* record);

 private:
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnKeyUp(wxKeyEvent& event);
  void OnChar(wxKeyEvent& event);
  PanelRecord* m_panel;
  wxDECLARE_EVENT_TABLE();
};

// The engine's canvas of a pop-up panel.
class PopupCanvas : public CanvasView {
 public:
  PopupCanvas(wxWindow* parent, PanelRecord* record);
  // The record was freed: the window, still waiting to be deleted, no longer calls it.
  void DropRecord() { m_panel = nullptr; }

 private:
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);
  void OnChar(wxKeyEvent& event);
  PanelRecord* m_panel;
  wxDECLARE_EVENT_TABLE();
};

// Calls the record's draw callback with its canvas current, then makes the window current before it again.
void draw_record(PanelRecord* record);
// Records a button press seen by a canvas, so that the engine's poll sees a click however short it was.
void note_button_press(const wxMouseEvent& event);
