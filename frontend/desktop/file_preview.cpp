// The file dialog's preview pane on the toolkit: the check box, the preview canvas and following the selection.
#include "frontend/desktop/file_preview.h"

#include <wx/dcclient.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>

#include "engine/files/file_requester.h"
#include "engine/panels/file_preview_pane.h"
#include "frontend/desktop/desktop_state.h"

namespace {
constexpr int kPreviewWidth = 150, kPreviewHeight = 105;  // the preview area, in pixels
constexpr int kPreviewCheck = 1012;
const PreviewArea kArea{0, 0, kPreviewWidth, kPreviewHeight};
}  // namespace

wxBEGIN_EVENT_TABLE(FilePreviewCanvas, CanvasView)
  EVT_PAINT(FilePreviewCanvas::OnPaint)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(FilePreviewPane, wxPanel)
  EVT_UPDATE_UI(wxID_ANY, FilePreviewPane::OnUpdateUI)
  EVT_CHECKBOX(kPreviewCheck, FilePreviewPane::OnCheckBox)
wxEND_EVENT_TABLE()

FilePreviewCanvas::FilePreviewCanvas(wxWindow* parent, Canvas* canvas) : CanvasView(parent, canvas, wxBORDER_SUNKEN) {
  SetMinSize(wxSize(kPreviewWidth, kPreviewHeight));
  SetClientSize(wxSize(kPreviewWidth, kPreviewHeight));
}

void FilePreviewCanvas::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  ShowRaster(dc);
}

wxWindow* FilePreviewPane::Create(wxWindow* dialog) { return new FilePreviewPane(dialog); }

FilePreviewPane::FilePreviewPane(wxWindow* dialog)
    : wxPanel(dialog, wxID_ANY), m_dialog(wxDynamicCast(dialog, wxFileDialog)) {
  m_canvas.name = "file preview";
  m_canvas.depth = 24;
  m_canvas.resize(kPreviewWidth, kPreviewHeight);
  m_canvas.visible = 1;
  clear_preview(&m_canvas, kArea);
  m_view = new FilePreviewCanvas(this, &m_canvas);
  m_check = new wxCheckBox(this, kPreviewCheck, "Preview images");
  m_check->SetValue(file_preview_enabled != 0);
  auto* sizer = new wxBoxSizer(wxHORIZONTAL);
  sizer->Add(m_view, 0, wxALL, 4);
  sizer->Add(m_check, 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
  SetSizerAndFit(sizer);
}

FilePreviewPane::~FilePreviewPane() {
  file_preview_drop();  // the dialog is gone: so is its preview
}

void FilePreviewPane::OnUpdateUI(wxUpdateUIEvent&) { Follow(); }

void FilePreviewPane::OnCheckBox(wxCommandEvent& event) {
  file_preview_enabled = event.IsChecked() ? 1 : 0;
  m_selected.clear();  // ticked again: the selection is shown anew
  if (!file_preview_enabled) {
    file_preview_drop();
    clear_preview(&m_canvas, kArea);
    m_view->Refresh(false);
  } else {
    Follow();
  }
}

void FilePreviewPane::Follow() {
  if (!m_dialog) return;
  const std::string selected(m_dialog->GetCurrentlySelectedFilename().utf8_str());
  if (selected == m_selected) return;
  m_selected = selected;
  const size_t slash = selected.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : selected.substr(0, slash);
  const std::string name = slash == std::string::npos ? selected : selected.substr(slash + 1);
  if (folder != m_folder) {
    // Another folder: the old picture goes.
    m_folder = folder;
    file_preview_drop();
    clear_preview(&m_canvas, kArea);
  }
  // The engine reads the file: only plain files of a kind it previews, and a file it cannot read leaves the area
  // grey. An empty selection (a folder, or nothing) clears the area too.
  if (file_preview_enabled) preview_pane_select(&m_canvas, kArea, folder.empty() ? "/" : folder.c_str(), name.c_str());
  m_view->Refresh(false);
}
