// The "Select" window: a column of text tools for the map, the preview, each control panel, Display and Render.
#pragma once

#include <wx/frame.h>
#include <wx/toolbar.h>

class SelectFrame : public wxFrame {
 public:
  SelectFrame(wxWindow* parent, const wxString& title, const wxPoint& pos, const wxSize& size, long style);
  ~SelectFrame() override;
  // Presses the tool of the panel type (4 to 17) and releases the other panel tools; 0 releases them all.
  void PressOnly(int panel_type);
  // The window's size: one tool wide plus 6 pixels, the client area 500 pixels high, fixed.
  void FitToTools();
  wxToolBar* m_toolBar = nullptr;

 private:
  void OnTool(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  wxDECLARE_EVENT_TABLE();
};
