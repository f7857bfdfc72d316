// The main frame: menus, status bar and keys; the home of the program's floating windows.
#pragma once

#include <wx/frame.h>

class PanelFrame;
struct PanelRecord;

class MainFrame : public wxFrame {
 public:
  MainFrame(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos, const wxSize& size,
            long style);
  // Presses the tool of the frame's panel and releases every other panel tool; null releases them all.
  static void SyncSelectTools(PanelFrame* frame);
  // The action of the panel tools: open, hide or bring back the panel's window.
  void TogglePanel(int32_t panel_type);
  // A tool of the "Select" window or an item of a menu.
  void OnToolOrMenu(int id);
  // Sends the engine command of a menu code with the Topo record.
  static void SendMenuCode(uint32_t code);

 private:
  void OnMenu(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnIdle(wxIdleEvent& event);
  wxDECLARE_EVENT_TABLE();
};
