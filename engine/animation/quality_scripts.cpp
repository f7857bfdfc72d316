// Image-quality presets, the FLC and AVI viewers and the web links.
#include "engine/animation/quality_scripts.h"

#include <cstdio>

#include "engine/animation/animation_maker.h"
#include "engine/animation/script_runner.h"
#include "engine/files/default_dirs.h"
#include "engine/host/host.h"
#include "engine/core/fatal.h"
#include "engine/files/file_requester.h"
#include "engine/ui/pointer.h"

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

struct WebLink {
  int32_t page;
  const char* address;
};
constexpr WebLink kWebLinks[] = {
    {1073, "https://dalvenor.example.org/tutorial/introduction"},
    {1074, "https://dalvenor.example.org/tutorial/loading-landscapes"},
    {1075, "https://dalvenor.example.org/tutorial/camera-and-target"},
    {1076, "https://dalvenor.example.org/tutorial/viewing-from-the-camera"},
    {1077, "https://dalvenor.example.org/tutorial/camera-lens"},
    {1078, "https://dalvenor.example.org/tutorial/smoother-images"},
    {1079, "https://dalvenor.example.org/tutorial/experiment"},
    {1080, "https://dalvenor.example.org/community/login"},
    {1081, "https://forum.landscape3d.example.org/"},
    {1082, "https://gallery.landscape3d.example.org/"},
    {1083, "https://forum.terrain-art.example.org/"},
    {1084, "https://forum.render-corner.example.org/"},
    {1085, "https://forum.virtual-worlds.example.org/"},
    {1086, "https://tutorials.landscape3d.example.org/"},
    {1087, "https://dalvenor.example.org/developers"},
    {1088, "https://dalvenor.example.org/community"},
    {1089, "https://dalvenor.example.org/questions"},
    {1090, "https://dalvenor.example.org/"},
    {1091, "https://dalvenor.example.org/support"},
    {1092, "https://dalvenor.example.org/bugs"},
    {1093, "https://dalvenor.example.org/community/tutorials"},
};

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
  for (const WebLink& link : kWebLinks) {
    if (link.page == page) return link.address;
  }
  return nullptr;
}

int32_t open_web_link(int32_t page) {
  const char* address = web_link_address(page);
  if (!address) return 0;
  return host().open_with_program(address) ? 1 : 0;
}
