// The "Select" tool bar window: its tools, their pressed state and their clicks handed to the main frame.
#include "frontend/desktop/select_frame.h"

#include <wx/bitmap.h>

#include "frontend/desktop/desktop_state.h"
#include "frontend/desktop/main_frame.h"

wxBEGIN_EVENT_TABLE(SelectFrame, wxFrame)
  EVT_TOOL_RANGE(2, 20, SelectFrame::OnTool)
  EVT_CLOSE(SelectFrame::OnClose)
wxEND_EVENT_TABLE()

namespace {
struct ToolRow {
  int id;  // 0: separator
  const char* label;
  bool check;
};
constexpr ToolRow kTools[] = {
    {2, "Topo", false},       {3, "Preview", false},  {0, nullptr, false},      {4, "Camera", true},
    {5, "Light", true},       {6, "Sky", true},       {7, "Terrain", true},     {8, "Water", true},
    {9, "Tree", true},        {10, "Texture", true},  {11, "Manipulation", true}, {12, "Creation", true},
    {13, "Placement", true},  {14, "Image", true},    {15, "VR Control", true}, {16, "Path", true},
    {17, "Animation", true},  {0, nullptr, false},    {0, nullptr, false},      {19, "Display", false},
    {0, nullptr, false},      {0, nullptr, false},    {20, "Render", false},
};
}  // namespace

SelectFrame::SelectFrame(wxWindow* parent, const wxString& title, const wxPoint& pos, const wxSize& size, long style)
    : wxFrame(parent, wxID_ANY, title, pos, size, style | wxNO_FULL_REPAINT_ON_RESIZE) {
  m_toolBar = CreateToolBar(wxTB_VERTICAL | wxTB_NOICONS | wxTB_TEXT | wxTB_HORZ_LAYOUT, 500);
  const wxBitmap picture(16, 16);  // not shown: the tools are text only
  for (const ToolRow& t : kTools) {
    if (t.id == 0) {
      m_toolBar->AddSeparator();
      continue;
    }
    m_toolBar->AddTool(t.id, t.label, picture, wxNullBitmap, t.check ? wxITEM_CHECK : wxITEM_NORMAL, t.label, "");
  }
  m_toolBar->Realize();
  Bind(wxEVT_CHAR_HOOK, frame_char_hook);
}

SelectFrame::~SelectFrame() { select_frame = nullptr; }

void SelectFrame::FitToTools() {
  // One tool wide: the widest label with the tool's margins, plus 6 pixels.
  int widest = 0;
  for (const ToolRow& t : kTools) {
    if (!t.label) continue;
    const wxSize s = m_toolBar->GetTextExtent(t.label);
    if (s.x > widest) widest = s.x;
  }
  const int tool_width = widest + 2 * m_toolBar->GetMargins().x + 16;
  const int best_height = m_toolBar->GetBestSize().y;
  SetClientSize(tool_width + 6, best_height > 500 ? best_height : 500);
  const wxSize outer = GetSize();
  SetSizeHints(outer, outer);
}

void SelectFrame::PressOnly(int panel_type) {
  for (int id = 4; id <= 17; ++id)
    if (m_toolBar->GetToolState(id) != (id == panel_type)) m_toolBar->ToggleTool(id, id == panel_type);
}

void SelectFrame::OnTool(wxCommandEvent& event) {
  if (main_frame) main_frame->OnToolOrMenu(event.GetId());
}

void SelectFrame::OnClose(wxCloseEvent& event) {
  // The window has no close box; a close request while the program runs is refused.
  if (event.CanVeto()) {
    event.Veto();
    return;
  }
  event.Skip();
}
