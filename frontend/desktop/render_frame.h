// The render window: a top-level window of its own that shows the picture while and after it is rendered. A
// picture larger than the window is panned with its scroll bars, the keys and the "Pan" menu.
#pragma once

#include <cstdint>

#include <wx/frame.h>
#include <wx/scrolbar.h>

#include "frontend/desktop/canvas_view.h"

class RenderCanvas : public CanvasView {
 public:
  RenderCanvas(wxWindow* parent, Canvas* canvas);
  // The engine drew rows: show them without asking the engine to paint.
  void ShowRows();
  // The engine invalidated the window: the next paint asks it to draw the picture.
  void EnginePaint();

 private:
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnChar(wxKeyEvent& event);
  bool show_rows_ = false;     // a repaint asked for to show rows the engine drew
  bool engine_paint_ = false;  // a repaint the engine asked for
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
  RenderCanvas* View() const { return m_canvas; }
  // A message of the window to the engine; the bars and the picture then show what it did.
  void Message(int32_t what, int32_t a = 0, int32_t b = 0);

 private:
  void OnClose(wxCloseEvent& event);
  void OnMenu(wxCommandEvent& event);
  void OnMenuOpen(wxMenuEvent& event);
  void OnSize(wxSizeEvent& event);
  void OnScroll(wxScrollEvent& event);
  void UpdateMenu();
  void FitToCanvas();
  // Shows, sizes and places the scroll bars as the engine has set them, and the picture beside them.
  void SyncBars();
  RenderCanvas* m_canvas = nullptr;
  wxScrollBar* m_vbar = nullptr;
  wxScrollBar* m_hbar = nullptr;
  bool sizing_ = false;
  wxSize wanted_client_;
  wxDECLARE_EVENT_TABLE();
};
