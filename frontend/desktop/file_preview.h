// The image preview beside the open dialog of picture and landscape files: a "Preview images" check box and a
// small canvas that shows the file the dialog has selected, drawn by the engine's preview pane.
#pragma once

#include <string>

#include <wx/checkbox.h>
#include <wx/panel.h>

#include "engine/host/canvas.h"
#include "frontend/desktop/canvas_view.h"

class wxFileDialog;

// The canvas of the preview area.
class FilePreviewCanvas : public CanvasView {
 public:
  FilePreviewCanvas(wxWindow* parent, Canvas* canvas);

 private:
  void OnPaint(wxPaintEvent& event);
  wxDECLARE_EVENT_TABLE();
};

// The panel the file dialog shows beside its own controls. It follows the dialog's selection whenever the
// dialog updates its extra controls.
class FilePreviewPane : public wxPanel {
 public:
  // The extra-control maker the file dialog calls with itself as the parent.
  static wxWindow* Create(wxWindow* dialog);
  ~FilePreviewPane() override;

 private:
  explicit FilePreviewPane(wxWindow* dialog);
  void OnUpdateUI(wxUpdateUIEvent& event);
  void OnCheckBox(wxCommandEvent& event);
  // Shows the preview of the dialog's selection when it changed since the last look.
  void Follow();
  wxFileDialog* m_dialog;
  Canvas m_canvas;
  FilePreviewCanvas* m_view = nullptr;
  wxCheckBox* m_check = nullptr;
  std::string m_selected;  // the selection last shown
  std::string m_folder;    // its folder
  wxDECLARE_EVENT_TABLE();
};
