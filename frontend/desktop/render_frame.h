// The render window: a top-level window of its own that shows the picture while and after it is rendered.
#pragma once

#include <wx/frame.h>

#include "frontend/desktop/canvas_view.h"

class RenderCanvas : public CanvasView {
 public:
  RenderCanvas(wxWindow* parent, Canvas* canvas);
  // The engine drew rows: show them without asking the engine to paint.
  void ShowRows();
  // The scroll bars as the engine sets them.
  void UpdateBars();

 private:
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnChar(wxKeyEvent& event);
  void OnScroll(wxScrollWinEvent& event);
  bool own_refresh_ = false;
  wxDECLARE_EVENT_TABLE();
};

class RenderFrame : public wxFrame {
 public:
  explicit RenderFrame(Canvas* canvas);
  ~RenderFrame() override;
  // What the engine did to the window: "fit show", "hide", "release", "close", "busy on" and the like.
  void EngineEvent(const char* what);
  // Shows rows drawn during a render.
  void ShowImage();

 private:
  void OnClose(wxCloseEvent& event);
  void OnMenu(wxCommandEvent& event);
  void OnMenuOpen(wxMenuEvent& event);
  void OnSize(wxSizeEvent& event);
  void UpdateMenu();
  void FitToCanvas();
  RenderCanvas* m_canvas = nullptr;
  bool sizing_ = false;
  wxDECLARE_EVENT_TABLE();
};
