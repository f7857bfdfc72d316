// Showing engine canvases in windows, and the table that finds a canvas's window.
#include "frontend/desktop/canvas_view.h"

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/image.h>

#include "engine/host/canvas.h"
#include "engine/ui/screen.h"
#include "frontend/desktop/desktop_host.h"

CanvasView::CanvasView(wxWindow* parent, Canvas* canvas, long style)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition,
               canvas ? wxSize(canvas->width, canvas->height) : wxDefaultSize,
               style | wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE, "panel"),
      canvas_(canvas) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  if (canvas_) desktop_host().bind_view(canvas_, this);
}

CanvasView::~CanvasView() {
  if (canvas_) desktop_host().unbind_view(canvas_, this);
}

void CanvasView::RequestShow() { Refresh(false); }

void CanvasView::ShowRaster(wxDC& dc) {
  if (!canvas_ || canvas_->width <= 0 || canvas_->height <= 0) return;
  const int w = canvas_->width, h = canvas_->height;
  wxImage image(w, h, false);
  unsigned char* out = image.GetData();
  const size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
  if (canvas_->depth == 24 && canvas_->rgb.size() >= n) {
    for (size_t i = 0; i < n; ++i) {
      const uint32_t v = canvas_->rgb[i];
      out[3 * i] = static_cast<unsigned char>(v >> 16);
      out[3 * i + 1] = static_cast<unsigned char>(v >> 8);
      out[3 * i + 2] = static_cast<unsigned char>(v);
    }
  } else if (canvas_->pixels.size() >= n) {
    for (size_t i = 0; i < n; ++i) {
      const uint8_t* e = ui_palette[canvas_->pixels[i]];
      out[3 * i] = e[0];
      out[3 * i + 1] = e[1];
      out[3 * i + 2] = e[2];
    }
  }
  dc.DrawBitmap(wxBitmap(image), -origin_.x, -origin_.y);
  canvas_->needs_repaint = 0;
}
