// A window that shows one engine canvas: 8-bit pixels through the UI palette, or 24-bit pixels as they are.
#pragma once

#include <wx/window.h>

struct Canvas;

class CanvasView : public wxWindow {
 public:
  CanvasView(wxWindow* parent, Canvas* canvas, long style = 0);
  ~CanvasView() override;
  Canvas* canvas() const { return canvas_; }
  // Copies the canvas to the window.
  void ShowRaster(wxDC& dc);
  // The canvas was drawn into: show it at the next paint.
  void RequestShow();
  // The canvas pixel shown at the window's top left corner (pop-ups show their box of a larger canvas).
  void SetOrigin(const wxPoint& origin) { origin_ = origin; }
  wxPoint Origin() const { return origin_; }

 protected:
  Canvas* canvas_;
  bool drawn_ = false;
  wxPoint origin_{0, 0};  // the engine has drawn the canvas once through the paint path
};
