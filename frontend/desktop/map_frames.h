// The "Topo" and "Preview" windows: the map and the wire-frame preview, made once at start-up.
#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include "frontend/desktop/canvas_view.h"

class TopoCanvas : public CanvasView {
 public:
  TopoCanvas(wxWindow* parent, Canvas* canvas);

 private:
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnKeyUp(wxKeyEvent& event);
  void OnChar(wxKeyEvent& event);
  wxTimer startup_timer_;
  wxDECLARE_EVENT_TABLE();
};

class PreviewCanvas : public CanvasView {
 public:
  PreviewCanvas(wxWindow* parent, Canvas* canvas);

 private:
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);
  void OnChar(wxKeyEvent& event);
  wxDECLARE_EVENT_TABLE();
};

class TopoFrame : public wxFrame {
 public:
  TopoFrame(wxWindow* parent, const wxString& title, const wxSize& client);
  ~TopoFrame() override;
  TopoCanvas* m_canvas = nullptr;

 private:
  void OnActivate(wxActivateEvent& event);
  void OnClose(wxCloseEvent& event);
  wxDECLARE_EVENT_TABLE();
};

class PreviewFrame : public wxFrame {
 public:
  PreviewFrame(wxWindow* parent, const wxString& title, const wxSize& client);
  ~PreviewFrame() override;
  PreviewCanvas* m_canvas = nullptr;

 private:
  void OnActivate(wxActivateEvent& event);
  void OnClose(wxCloseEvent& event);
  wxDECLARE_EVENT_TABLE();
};

// The map or the preview took the focus: no panel tool pressed, no panel the last one.
void map_window_focused();
