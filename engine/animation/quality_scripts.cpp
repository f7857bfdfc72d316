// Image-quality presets, the FLC and AVI viewers and the web links.
#include "engine/animation/quality_scripts.h"

#include <cstdio>

#include "engine/animation/animation_maker.h"
#include "engine/animation/script_runner.h"
#include "engine/files/default_dirs.h"
#include "engine/host/host.h"
#include "engine/core/fatal.h"
#include "engine/files/file_open.h"
#include "engine/files/file_requester.h"
#include "engine/files/file_utils.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"

namespace {

int32_t run_preset(const char* name) {
  char path[512];
  std::snprintf(path, sizeof path, "%s%s", iq_dir, name);
  return run_script(path, nullptr, 0);
}

int32_t view_animation(const char* title, const char* filter) {
  if (file_requester(title, anim_dir, anim_folder, anim_name, filter, anim_path, 0) != 1) return 1;
  wait_mouse_release();
  engine_cleanup();
  // The engine's window would be minimised while the player runs; the front end keeps it as it is.
  host().open_with_program(anim_path);
  return 1;
}

// The Help and Communities pages. Every entry opens this project's own help page, the README that ships in the
// program's folder (the current folder while the program runs); no page of another party is ever opened.
constexpr int32_t kFirstWebPage = 1073;
constexpr int32_t kLastWebPage = 1093;
constexpr const char* kHelpPage = "README.md";

}  // namespace

int32_t run_iq_script_low() { return run_preset("iq_low.scr"); }
int32_t run_iq_script_med() { return run_preset("iq_med.scr"); }
int32_t run_iq_script_hi() { return run_preset("iq_hi.scr"); }
int32_t run_iq_script_ultra() { return run_preset("iq_ultra.scr"); }

int32_t run_iq_script_user() {
  script_name[0] = 0;
  script_path[0] = 0;
  char folder[kDirBufferSize];
  std::snprintf(folder, sizeof folder, "%s", iq_dir);
  const int32_t r = file_requester("Run User IQ script", nullptr, folder, script_name, "*.SCR", script_path, 0);
  if (r != 1) return r;
  return run_script(script_path, nullptr, 0);
}

int32_t view_flc_animation() { return view_animation("View FLC animation", "*.FLC"); }
int32_t view_avi_animation() { return view_animation("View AVI animation", "*.AVI"); }

const char* web_link_address(int32_t page) {
  return page >= kFirstWebPage && page <= kLastWebPage ? kHelpPage : nullptr;
}

int32_t open_web_link(int32_t page) {
  const char* address = web_link_address(page);
  if (!address) return 0;
  char path[512];
  if (resolve_path(address, path, sizeof path) == 0 || !file_exists(path)) {
    requester("The help page is missing: README.md belongs in the program's folder.", "  OK  ", nullptr);
    return 0;
  }
  return host().open_with_program(path) ? 1 : 0;
}
