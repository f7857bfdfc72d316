// The main frame's menus, status bar and key table, and the engine commands they send.
#include "frontend/desktop/main_frame.h"
#include "frontend/desktop/icons.h"

#include <vector>

#include <wx/app.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/statusbr.h>

#include "engine/app/menu_table.h"
#include "engine/panels/command_dispatch.h"
#include "engine/panels/control_panels.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/screen.h"
#include "engine/ui/status.h"
#include "frontend/desktop/desktop_host.h"
#include "frontend/desktop/desktop_state.h"
#include "frontend/desktop/map_frames.h"
#include "frontend/desktop/panel_frames.h"
#include "frontend/desktop/render_frame.h"
#include "frontend/desktop/select_frame.h"
#include "frontend/logic/key_codes.h"
#include "frontend/logic/menu_items.h"

wxBEGIN_EVENT_TABLE(MainFrame, wxFrame)
  EVT_MENU(wxID_ANY, MainFrame::OnMenu)
  EVT_CLOSE(MainFrame::OnClose)
  EVT_IDLE(MainFrame::OnIdle)
wxEND_EVENT_TABLE()

MainFrame* main_frame = nullptr;
SelectFrame* select_frame = nullptr;
TopoFrame* topo_frame = nullptr;
PreviewFrame* preview_frame = nullptr;
PanelFrame* last_panel_frame = nullptr;
RenderFrame* render_frame = nullptr;
int32_t topo_first_paint = 1;
int32_t engine_calls = 0;
bool quit_requested = false;

bool engine_in_use() { return engine_busy != 0 || engine_calls > 0; }

namespace {
// Builds the menu of the rows from index i on at this depth; returns the index after them.
int32_t fill_menu(wxMenu* menu, const MenuItemRow* rows, int32_t count, int32_t i, int32_t depth) {
  while (i < count && rows[i].depth >= depth) {
    const MenuItemRow& r = rows[i];
    if (r.depth > depth) {  // rows of a submenu already consumed
      ++i;
      continue;
    }
    if (!r.label) {
      menu->AppendSeparator();
      ++i;
    } else if (r.submenu) {
      auto* sub = new wxMenu;
      const int32_t next = fill_menu(sub, rows, count, i + 1, depth + 1);
      menu->Append(r.id, wxString::FromUTF8(r.label), sub, wxString::FromUTF8(r.help));
      i = next;
    } else {
      menu->Append(r.id, wxString::FromUTF8(r.label), wxString::FromUTF8(r.help));
      ++i;
    }
  }
  return i;
}

SpecialKey special_of(int code) {
  switch (code) {
    case WXK_ESCAPE: return kSpecialEscape;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER: return kSpecialEnter;
    case WXK_BACK: return kSpecialBack;
    case WXK_TAB: return kSpecialTab;
    case WXK_UP:
    case WXK_NUMPAD_UP: return kSpecialUp;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN: return kSpecialDown;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT: return kSpecialLeft;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT: return kSpecialRight;
    case WXK_HOME:
    case WXK_NUMPAD_HOME: return kSpecialHome;
    case WXK_END:
    case WXK_NUMPAD_END: return kSpecialEnd;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP: return kSpecialPageUp;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN: return kSpecialPageDown;
    case WXK_INSERT:
    case WXK_NUMPAD_INSERT: return kSpecialInsert;
    case WXK_DELETE:
    case WXK_NUMPAD_DELETE: return kSpecialDelete;
    case WXK_NUMPAD_MULTIPLY: return kSpecialPadStar;
    case WXK_NUMPAD_DIVIDE: return kSpecialPadSlash;
    case WXK_NUMPAD_ADD: return kSpecialPadPlus;
    case WXK_NUMPAD_SUBTRACT: return kSpecialPadMinus;
    default: break;
  }
  if (code >= WXK_F1 && code <= WXK_F10) return static_cast<SpecialKey>(kSpecialF1 + (code - WXK_F1));
  return kSpecialNone;
}

void run_frame_action(const FrameKeyAction& a) {
  if (a.command == 0) return;
  PanelRecord* record = a.camera ? control_panel(kPanelCamera) : nullptr;
  if (a.camera && !record) return;
  send_engine_command(a.command, record);
}
}  // namespace

int32_t engine_code_of_key(int key_code) { return special_key_code(special_of(key_code)); }

void send_engine_command(uint32_t command, PanelRecord* record) {
  if (engine_in_use() || !topo_panel) return;
  EngineCall call;
  if (!record) {
    release_dc();
    acquire_dc(topo_canvas());
    release_dc();
    record = topo_panel;
  }
  engine_command(command, 0, 0, record);
  release_dc();
}

void request_quit() {
  quit_requested = true;
  if (engine_in_use()) {
    // Whatever runs stops at its next poll; the program closes when the engine is idle again.
    user_abort = 1;
    render_abort = 1;
    return;
  }
  if (main_frame) main_frame->Close(true);
}

void engine_call_started() { desktop_host().new_engine_call(); }

void engine_idle_again() {
  if (engine_in_use()) return;
  PopupFrame::DestroyClosed();
  if (quit_requested && main_frame) main_frame->Close(true);
}

void frame_char_hook(wxKeyEvent& event) {
  const int code = event.GetKeyCode();
  if (event.AltDown() && (code == 'X' || code == 'x')) {
    request_quit();
    return;
  }
  const SpecialKey special = special_of(code);
  if (engine_in_use()) {
    // The engine is busy: keys go to its key queue instead of starting commands; Esc also asks it to stop.
    if (special == kSpecialEscape) user_abort = 1;
    if (special != kSpecialNone) {
      desktop_host().push_key(special_key_code(special));
      return;
    }
    event.Skip();  // a character: it reaches the queue as a typed character
    return;
  }
  const FrameKeyAction a = frame_special_key(special);
  if (a.consumed) {
    run_frame_action(a);
    return;
  }
  event.Skip();
}

void frame_char(wxKeyEvent& event) {
  const int ch = static_cast<int>(event.GetUnicodeKey());
  if (ch == WXK_NONE || ch <= 0) {
    event.Skip();
    return;
  }
  if (engine_in_use()) {
    desktop_host().push_key(character_key_code(ch));
    return;
  }
  if (event.ControlDown() || event.AltDown()) {
    event.Skip();
    return;
  }
  const FrameKeyAction a = frame_character(ch);
  if (a.consumed) {
    run_frame_action(a);
    return;
  }
  event.Skip();
}

MainFrame::MainFrame(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos, const wxSize& size,
                     long style)
    : wxFrame(parent, id, title, pos, size, style | wxNO_FULL_REPAINT_ON_RESIZE) {
  SetIcons(program_icon_bundle());
  auto* bar = new wxMenuBar;
  for (const MenuTable& t : menu_tables) {
    auto* menu = new wxMenu;
    fill_menu(menu, t.rows, t.count, 0, 0);
    bar->Append(menu, wxString::FromUTF8(t.title));
  }
  SetMenuBar(bar);
  CreateStatusBar(2, wxSTB_SIZEGRIP, 0);
  Bind(wxEVT_CHAR_HOOK, frame_char_hook);
  SetStatusText("Dalvenor 4.2.4", 1);
  auto* background = new wxPanel(this, wxID_ANY);
  background->SetBackgroundColour(wxColour(128, 128, 128));
  background->Bind(wxEVT_CHAR, [](wxKeyEvent& e) { frame_char(e); });
  wxAcceleratorEntry exit_key(wxACCEL_ALT, 'X', kMenuExitId);
  SetAcceleratorTable(wxAcceleratorTable(1, &exit_key));
}

void MainFrame::SyncSelectTools(PanelFrame* frame) {
  if (!select_frame) return;
  select_frame->PressOnly(frame && frame->Record() ? frame->Record()->id : 0);
}

void MainFrame::TogglePanel(int32_t panel_type) {
  PanelRecord* record = control_panel(panel_type);
  if (!record) {
    // A panel the engine does not offer yet: nothing to show.
    SyncSelectTools(last_panel_frame);
    SetStatusText("Not available yet.", 0);
    return;
  }
  auto* frame = static_cast<PanelFrame*>(record->frame);
  if (!frame) {
    EngineCall call;
    panel_window_create(record);
    return;
  }
  if (frame == last_panel_frame) {
    frame->m_ignoreFocus = true;
    frame->Hide();
    last_panel_frame = nullptr;
    SyncSelectTools(nullptr);
    return;
  }
  frame->m_ignoreFocus = false;
  frame->Show();
  frame->Raise();
  frame->Activated();
}

void MainFrame::SendMenuCode(uint32_t code) { send_engine_command(menu_to_command_id(code), nullptr); }

void MainFrame::OnToolOrMenu(int id) {
  if (id == kMenuExitId) {
    request_quit();
    return;
  }
  if (id == 2 || id == 3) {
    wxFrame* f = id == 2 ? static_cast<wxFrame*>(topo_frame) : static_cast<wxFrame*>(preview_frame);
    if (f) {
      f->Raise();
      f->SetFocus();
    }
    map_window_focused();
    return;
  }
  if (id >= 4 && id <= 17) {
    TogglePanel(id);
    return;
  }
  if (id == 19) return send_engine_command(1142, nullptr);
  if (id == 20) return send_engine_command(1045, nullptr);
  if (const MenuItemRow* row = menu_row_by_id(id)) {
    if (row->menu_code) SendMenuCode(row->menu_code);
  }
}

void MainFrame::OnMenu(wxCommandEvent& event) { OnToolOrMenu(event.GetId()); }

void MainFrame::OnClose(wxCloseEvent& event) {
  if (engine_in_use()) {
    request_quit();
    if (event.CanVeto()) {
      event.Veto();
      return;
    }
  }
  quit_requested = true;
  if (render_frame) render_frame->Destroy();
  render_frame = nullptr;
  main_frame = nullptr;
  Destroy();
  // The program ends with its main frame, whatever hidden window the toolkit still keeps.
  if (wxTheApp) wxTheApp->ExitMainLoop();
}

void MainFrame::OnIdle(wxIdleEvent& event) {
  engine_idle_again();
  if (main_frame == this) desktop_host().show_changed_canvases();
  event.Skip();
}
