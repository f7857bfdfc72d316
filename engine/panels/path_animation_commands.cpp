// Path and animation commands: the Path panel's tools and buttons, the camera path script ids and the
// Animation panel's outputs and viewers; and the map clicks of the path tools.
#include <cstdio>

#include "engine/animation/animation_maker.h"
#include "engine/animation/motion_export.h"
#include "engine/animation/path_camera.h"
#include "engine/animation/path_model.h"
#include "engine/animation/path_scripts.h"
#include "engine/animation/path_spline.h"
#include "engine/animation/quality_scripts.h"
#include "engine/core/settings.h"
#include "engine/host/host.h"
#include "engine/panels/command_dispatch_internal.h"
#include "engine/panels/command_rows.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/node_editor.h"
#include "engine/panels/path_draw.h"
#include "engine/panels/path_editor.h"
#include "engine/panels/path_profile.h"
#include "engine/panels/path_tools.h"
#include "engine/panels/preview_panel.h"
#include "engine/panels/topo_map.h"
#include "engine/panels/vehicle_dialog.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/screen.h"
#include "engine/ui/status.h"

namespace {
constexpr int32_t kIdle = 1363;
int32_t& click_mode() { return render_settings.topo_click_mode; }

// The sending panel redrawn; the Path panel with its profile.
void sender(PanelRecord* panel) {
  redraw_panel(panel);
  if (panel && panel == path_panel()) draw_altitude_profile(current_frame);
}

void release_tool(int32_t id) { release_on_panel(kPanelPath, id); }

void name() { status_show_landscape_name(); }

// The pointer's hide count back to nothing hidden, after long work that may have left it hidden.
void pointer_restart() {
  pointer_reset_count();
  pointer_show();
}

// The path tool buttons: on arms the tool, off returns to dragging nodes.
void tool_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  click_mode() = gadget_state(panel, id) == kGadgetOn ? id : kIdle;
}

void create_path_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (gadget_state(panel, id) == kGadgetOn) {
    if (get_frame_count() != 0 && requester("Erase existing path?", "  Yes ", "  No  ") != 1) {
      gadget_deselect(panel, id);
      sender(panel);
      return;
    }
    click_mode() = id;
    clear_path();
    topo_and_preview_redraw();
  } else {
    click_mode() = kIdle;
  }
  sender(panel);
}

void preview_path_command(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (get_frame_count() == 0) {
    if (host().key_down('C')) {
      import_script_path();
      sender(panel);
    } else {
      preview_path_script(animation_state.frame_rate, 0);
    }
  } else {
    preview_path(0, animation_state.frame_rate, 0);
  }
  topo_and_preview_redraw();
  sender(panel);
  gadget_deselect(panel, id);
  click_mode() = kIdle;
}

void position_slider(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  set_current_frame(gadget_value(panel, id));
  topo_and_preview_redraw();
  sender(panel);
  draw_altitude_profile(get_current_frame());
}

void speed_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  rescale_node_speeds(gadget_value(panel, id));
  generate_path_frames(1);
  sender(panel);
}

void closed_loop_toggle(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  set_closed_loop(gadget_state(panel, id) == kGadgetOn ? 1 : 0);
  generate_path_frames(1);
  path_panel_refresh();
}

void vehicle_preset(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (id == 1385) vehicle_dialog(panel);
  else apply_vehicle_preset(id);
  generate_path_frames(1);
  set_current_frame(path_slider_frame());
  topo_and_preview_redraw();
  sender(panel);
}

void profile_zoom(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (id == 1376) profile_zoom_in();
  else if (id == 1377) profile_zoom_reset();
  else profile_zoom_out();
  sender(panel);
  gadget_deselect(panel, id);
}

void export_path(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  if (get_frame_count() == 0) requester("No path defined.", "  OK  ", nullptr);
  else export_motion_dialog();
  gadget_deselect(panel, id);
}

void path_script(int32_t id, int32_t, int32_t, PanelRecord*) {
  name();
  switch (id) {
    case 1103: path_script_new(); break;
    case 1104: path_script_open(); break;
    case 1105: path_script_add_keyframe(); break;
    case 1106: path_script_fly_to_target(); break;
    default:
      preview_path_script(animation_state.frame_rate, 0);
      topo_and_preview_redraw();
      break;
  }
}

// The output code of each Create button and whether it needs the 24-bit frame buffer.
struct AnimationButton {
  int32_t id, output;
  bool needs24;
};
constexpr AnimationButton kAnimationButtons[] = {
    {1114, 9, true}, {1112, 8, false}, {1110, 4, false}, {1108, 7, true}, {1109, 6, true}, {1107, 5, true},
};

void report_animation(int32_t r) {
  const char* text = nullptr;
  switch (r) {
    case -1: text = "User aborted script!"; break;
    case 0:
      std::snprintf(text_buffer, sizeof text_buffer, "Error running script! (frame %d of %d)",
                    animation_state.script_error_frame + 1, animation_state.script_frame_count);
      text = text_buffer;
      break;
    case -3: text = "Format error in script!"; break;
    case 1: text = "Script completed successfully."; break;
    default: break;
  }
  if (text) requester(text, "  OK  ", nullptr);
}

void create_animation(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const AnimationButton* button = nullptr;
  for (const AnimationButton& b : kAnimationButtons)
    if (b.id == id) button = &b;
  if (!button) return;
  if (!(button->needs24 ? need_24bit() : need_8bit())) {
    name();
    return;
  }
  animation_state.animation_output = button->output;
  name();
  gadget_deselect(panel, id);
  const int32_t r = make_animation(get_frame_count());
  pointer_restart();
  main_panels_redraw();
  report_animation(r);
  sender(panel);
  name();
}

void animation_speed(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  const int32_t v = gadget_value(panel, id);
  animation_state.frame_rate = v < 1 ? 1 : (v > 200 ? 200 : v);
  sender(panel);
}

void view_animation(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  name();
  if (id == 1115) view_flc_animation();
  else view_avi_animation();
  pointer_restart();
  main_panels_redraw();
  sender(panel);
}

void draw_after_generation() {
  draw_frames_on_map();
  draw_altitude_profile(current_frame);
}
}  // namespace

void path_regenerate_and_show() {
  generate_path_frames(1);
  set_current_frame(path_slider_frame());
  topo_and_preview_redraw();
}

void path_panel_refresh() {
  PanelRecord* panel = path_panel();
  redraw_panel(panel);
  draw_altitude_profile(current_frame);
}

int32_t path_map_click(int32_t mode, int32_t x, int32_t y, PanelRecord* panel) {
  switch (mode) {
    case 0:
      if (drag_node_altitude(x, y)) {
        path_regenerate_and_show();
        path_panel_refresh();
      }
      return 1;
    case 1362:
      panel_disable(panel);
      create_path_interactive(x, y);
      panel_enable(panel);
      generate_path_frames(1);
      set_current_frame(path_slider_frame());
      click_mode() = kIdle;
      release_tool(1362);
      path_panel_refresh();
      return 1;
    case 1363: {
      panel_disable(panel);
      const int32_t r = drag_node_command(x, y);
      panel_enable(panel);
      if (r) path_regenerate_and_show();
      click_mode() = kIdle;
      sender(panel);
      return 1;
    }
    case 1365:
    case 1366:
    case 1400:
    case 1401:
      if (mode == 1365) insert_node_command(x, y);
      else if (mode == 1366) delete_node_command(x, y);
      else if (mode == 1400) add_roll_command(x, y);
      else remove_roll_command(x, y);
      path_regenerate_and_show();
      release_tool(mode);
      click_mode() = kIdle;
      sender(panel);
      return 1;
    case 1364:
      edit_node_at(x, y);
      release_tool(1364);
      click_mode() = kIdle;
      sender(panel);
      return 1;
    case 1367:
    case 1368: {
      if (mode == 1367) panel_disable(panel);
      const int32_t r = mode == 1367 ? set_node_target_command(x, y) : unset_node_target_command(x, y);
      if (mode == 1367) panel_enable(panel);
      if (r) path_regenerate_and_show();
      release_tool(mode);
      click_mode() = kIdle;
      sender(panel);
      return 1;
    }
    default:
      return 0;
  }
}

void reset_path_editor_state() {
  reset_path_tools_state();
  reset_path_profile_state();
  reset_vehicle_dialog_state();
  reset_node_editor_state();
  path_click_hook = path_map_click;
  altitude_profile_hook = draw_altitude_profile;
  topo_path_overlay = draw_path;
  path_draw_hooks.before = redraw_map_with_nodes;
  path_draw_hooks.after = draw_after_generation;
  path_preview_hooks.preview_draw = [](int32_t flag) {
    window_stack_push();
    use_preview_window();
    preview_draw(flag);
    window_stack_pop();
  };
}

const CommandRow path_animation_commands[] = {
    {1362, create_path_toggle}, {1364, tool_toggle},       {1365, tool_toggle},       {1366, tool_toggle},
    {1367, tool_toggle},        {1368, tool_toggle},       {1400, tool_toggle},       {1401, tool_toggle},
    {1370, preview_path_command}, {1372, position_slider}, {1374, speed_field},       {1373, closed_loop_toggle},
    {1379, vehicle_preset},     {1380, vehicle_preset},    {1381, vehicle_preset},    {1382, vehicle_preset},
    {1383, vehicle_preset},     {1384, vehicle_preset},    {1385, vehicle_preset},    {1376, profile_zoom},
    {1377, profile_zoom},       {1378, profile_zoom},      {1396, export_path},       {1103, path_script},
    {1104, path_script},        {1105, path_script},       {1106, path_script},       {1159, path_script},
    {1114, create_animation},   {1112, create_animation},  {1110, create_animation},  {1108, create_animation},
    {1109, create_animation},   {1107, create_animation},  {1117, animation_speed},   {1115, view_animation},
    {1116, view_animation},     {0, nullptr},
};
