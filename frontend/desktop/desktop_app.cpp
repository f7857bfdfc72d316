// The desktop program: the toolkit application, its start-up order and its end.
#include <cstdlib>

#include <wx/app.h>
#include <wx/display.h>
#include <wx/init.h>

#include "engine/app/command_line.h"
#include "engine/app/engine_init.h"
#include "engine/files/movie_writer.h"
#include "engine/host/canvas.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/scene_panels.h"
#include "engine/raster/render_window.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/screen.h"
#include "frontend/desktop/desktop_host.h"
#include "frontend/desktop/desktop_state.h"
#include "frontend/desktop/main_frame.h"
#include "frontend/desktop/map_frames.h"
#include "frontend/desktop/render_frame.h"
#include "frontend/desktop/select_frame.h"
#include "frontend/desktop/tool_window.h"
#include "frontend/desktop_entry.h"

class MainApp : public wxApp {
 public:
  bool OnInit() override;
};

wxIMPLEMENT_APP_NO_MAIN(MainApp);

namespace {
template <typename Frame>
void place(Frame* frame, int x, int y) {
  frame->Move(place_on_main_client(x, y, frame->GetSize()));
}
}  // namespace

bool MainApp::OnInit() {
  DesktopHost& host = desktop_host();
  set_host(&host);
  // The render window is placed on the screen the program runs on, whatever its size.
  const wxRect screen = wxDisplay(0u).GetClientArea();
  render_screen_width = screen.width;
  render_screen_height = screen.height;

  register_render_class();
  display_init();
  create_render_window();

  main_frame = new MainFrame(nullptr, wxID_ANY, "Dalvenor", wxDefaultPosition, wxSize(825, 715),
                             wxDEFAULT_FRAME_STYLE);
  keep_window_on_screen(main_frame);
  main_frame->Show();
  SetTopWindow(main_frame);

  select_frame = new SelectFrame(main_frame, "Select", wxDefaultPosition, wxDefaultSize, kToolWindowStyle);
  select_frame->FitToTools();
  place(select_frame, 640, 0);
  select_frame->Show();

  topo_frame = new TopoFrame(main_frame, "Topo", wxSize(340, 385));
  place(topo_frame, 0, 0);
  topo_frame->Show();
  preview_frame = new PreviewFrame(main_frame, "Preview", wxSize(300, 250));
  place(preview_frame, 0, topo_frame->GetSize().y);
  preview_frame->Show();

  // The engine's panel records, then the engine itself drawing into the map's canvas.
  scene_panels_create();
  acquire_dc(desktop_host().main_canvas(kCanvasTopo));
  engine_init();
  release_dc();

  if (PanelRecord* camera = control_panel(kPanelCamera)) {
    EngineCall call;
    panel_window_create(camera);
  }
  return true;
}

bool desktop_available() {
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wayland && *wayland);
}

int run_desktop(int argc, char** argv) {
  set_command_line_args(argc, argv);
  int toolkit_argc = argc;
  // A display that is named but cannot be opened means an unattended run, not a failure.
  if (!wxEntryStart(toolkit_argc, argv)) return kDesktopUnavailable;
  movie_ask_codec = 1;
  int status = 1;
  if (wxTheApp && wxTheApp->CallOnInit()) status = wxTheApp->OnRun();
  if (wxTheApp) wxTheApp->OnExit();
  wxEntryCleanup();
  set_host(nullptr);
  return status;
}
