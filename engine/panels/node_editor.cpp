// The Manual Node Editor pop-up panel: its gadget table, filling it from a node, applying it, stepping through
// the nodes, and cancelling without leaving the path half-changed.
#include "engine/panels/node_editor.h"

#include <cstdio>
#include <cstring>

#include "engine/animation/path_camera.h"
#include "engine/animation/path_limits.h"
#include "engine/animation/path_model.h"
#include "engine/animation/path_spline.h"
#include "engine/core/float_convert.h"
#include "engine/host/frontend_services.h"
#include "engine/landscape/topo_view.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/path_draw.h"
#include "engine/panels/path_profile.h"
#include "engine/panels/topo_map.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/screen.h"

PanelRecord* node_editor_panel = nullptr;
int32_t node_editor_busy = 0;
int32_t edited_node = 0;

const NodeFieldRange node_field_ranges[8] = {
    {kNodeX, kPathCoordMin, kPathCoordMax},          {kNodeY, kPathCoordMin, kPathCoordMax},
    {kNodeZ, kPathAltitudeMin, kPathAltitudeMax},    {kNodeSpeed, kPathSpeedMin, kPathSpeedMax},
    {kNodeRoll, -kPathRollMax, kPathRollMax},        {kNodeTargetX, kPathCoordMin, kPathCoordMax},
    {kNodeTargetY, kPathCoordMin, kPathCoordMax},    {kNodeTargetZ, kPathAltitudeMin, kPathAltitudeMax},
};

namespace {
using gadget_table::make;

char field_buffers[8][16];
char node_label[32];
constexpr int32_t kCount = 14;

GadgetRecord gadgets[kCount] = {
    make(kGadgetButton, 0, 16, 16, kNodeOk, "  OK  ", nullptr),
    make(kGadgetButton, 0, 300, 16, kNodeCancel, "Cancel", nullptr),
    make(kGadgetInteger, 0, 192, 64, kNodeX, nullptr, nullptr, 0, 6, 0, field_buffers[0], 16),
    make(kGadgetInteger, 0, 192, 94, kNodeY, nullptr, nullptr, 0, 6, 0, field_buffers[1], 16),
    make(kGadgetInteger, 0, 192, 124, kNodeZ, nullptr, nullptr, 0, 6, 0, field_buffers[2], 16),
    make(kGadgetInteger, 0, 192, 168, kNodeSpeed, nullptr, nullptr, 0, 6, 0, field_buffers[3], 16),
    make(kGadgetInteger, 0, 192, 198, kNodeRoll, nullptr, nullptr, 0, 6, 0, field_buffers[4], 16),
    make(kGadgetButton, 0, 128, 242, kNodeTarget, "Enable Target", nullptr),
    make(kGadgetInteger, 0, 192, 272, kNodeTargetX, nullptr, nullptr, 0, 6, 0, field_buffers[5], 16),
    make(kGadgetInteger, 0, 192, 302, kNodeTargetY, nullptr, nullptr, 0, 6, 0, field_buffers[6], 16),
    make(kGadgetInteger, 0, 192, 332, kNodeTargetZ, nullptr, nullptr, 0, 6, 0, field_buffers[7], 16),
    make(kGadgetLabel, 0, 88, 390, kNodeLabel, nullptr, nullptr, 0, 0, 0, node_label, sizeof node_label),
    make(kGadgetButton, 0, 16, 390, kNodePrior, " Prior ", nullptr),
    make(kGadgetButton, 0, 288, 390, kNodeNext, " Next  ", nullptr),
};

struct Text {
  const char* text;
  int32_t y;
};
constexpr Text kTexts[] = {{"     Node X ", 64},  {"     Node Y ", 94},  {"     Node Z ", 124}, {"      Speed ", 168},
                           {"       Roll ", 198}, {"   Target X ", 272}, {"   Target Y ", 302}, {"   Target Z ", 332}};

GadgetRecord& gadget(int32_t id) { return *gadget_table::find(node_editor_gadgets, id); }

// The field values last accepted, so that a value out of range can be put back.
int32_t accepted[8];
int32_t range_slot(int32_t id) {
  for (int32_t i = 0; i < 8; ++i)
    if (node_field_ranges[i].id == id) return i;
  return -1;
}

// The node table as it was when the editor opened: Cancel puts it back.
PathNode saved_nodes[kPathNodeCapacity];
int32_t saved_topo_x[kPathNodeCapacity], saved_topo_y[kPathNodeCapacity];
int32_t saved_count = 0;

int32_t nodes() {
  return path_node_count < 0 ? 0 : (path_node_count > kPathNodeCapacity ? kPathNodeCapacity : path_node_count);
}

void save_nodes() {
  saved_count = nodes();
  for (int32_t i = 0; i < saved_count; ++i) {
    saved_nodes[i] = path_nodes[i];
    saved_topo_x[i] = node_topo_x[i];
    saved_topo_y[i] = node_topo_y[i];
  }
}

// True when some node differs from the saved table; the table is then restored.
bool restore_nodes() {
  bool changed = false;
  for (int32_t i = 0; i < saved_count && i < nodes(); ++i) {
    if (std::memcmp(&saved_nodes[i], &path_nodes[i], sizeof(PathNode)) != 0) changed = true;
    path_nodes[i] = saved_nodes[i];
    node_topo_x[i] = saved_topo_x[i];
    node_topo_y[i] = saved_topo_y[i];
  }
  return changed;
}

void close_editor(PanelRecord* panel) {
  ClosePanelWindow(panel);
  if (node_editor_panel == panel) node_editor_panel = nullptr;
}

// A field's new value stays when it lies in its range; otherwise the field shows the last accepted value.
void take_field(PanelRecord* panel, int32_t id) {
  const int32_t slot = range_slot(id);
  if (slot < 0) return;
  GadgetRecord& g = gadget(id);
  const NodeFieldRange& r = node_field_ranges[slot];
  if (g.value >= r.low && g.value <= r.high) {
    accepted[slot] = g.value;
    return;
  }
  g.value = accepted[slot];
  redraw_gadget(panel, id);
  std::snprintf(text_buffer, sizeof text_buffer, "The value must lie between %d and %d.", r.low, r.high);
  requester(text_buffer, "  OK  ", nullptr);
}

void step_to(PanelRecord* panel, int32_t index) {
  node_editor_apply(edited_node);
  edited_node = index;
  node_editor_sync(edited_node);
  draw_gadgets(panel, node_editor_gadgets);
}
}  // namespace

GadgetRecord* const node_editor_gadgets = gadget_table::link(gadgets, kCount);

void reset_node_editor_state() {
  node_editor_panel = nullptr;
  node_editor_busy = 0;
  edited_node = 0;
  saved_count = 0;
}

void node_editor_sync(int32_t k) {
  if (k < 0 || k >= nodes()) return;
  const PathNode& n = path_nodes[k];
  gadget(kNodeX).value = trunc_to_i32(n.x);
  gadget(kNodeY).value = trunc_to_i32(n.y);
  gadget(kNodeZ).value = trunc_to_i32(n.altitude);
  gadget(kNodeSpeed).value = trunc_to_i32(n.speed);
  const bool target = n.target_state != kTargetNone;
  gadget(kNodeTarget).state = target ? kGadgetOn : kGadgetOff;
  gadget(kNodeTargetX).value = target ? trunc_to_i32(n.target_x) : 0;
  gadget(kNodeTargetY).value = target ? trunc_to_i32(n.target_y) : 0;
  gadget(kNodeTargetZ).value = target ? trunc_to_i32(n.target_z) : 0;
  gadget(kNodeRoll).value = n.roll;
  gadget(kNodeOk).state = kGadgetOff;
  gadget(kNodeCancel).state = kGadgetOff;
  std::snprintf(node_label, sizeof node_label, "     Node %d of %d ", k + 1, path_node_count);
  gadget(kNodeCancel).x = 356 - (static_cast<int32_t>(std::strlen(gadget(kNodeCancel).text)) + 1) * char_width;
  for (int32_t i = 0; i < 8; ++i) accepted[i] = gadget(node_field_ranges[i].id).value;
}

void node_editor_apply(int32_t k) {
  if (k < 0 || k >= nodes()) return;
  PathNode& n = path_nodes[k];
  n.x = static_cast<float>(gadget(kNodeX).value);
  n.y = static_cast<float>(gadget(kNodeY).value);
  n.altitude = static_cast<float>(gadget(kNodeZ).value);
  n.speed = static_cast<float>(gadget(kNodeSpeed).value);
  if (gadget(kNodeTarget).state == kGadgetOn) {
    n.target_state = kTargetLook;
    n.target_x = static_cast<float>(gadget(kNodeTargetX).value);
    n.target_y = static_cast<float>(gadget(kNodeTargetY).value);
    n.target_z = static_cast<float>(gadget(kNodeTargetZ).value);
  } else {
    n.target_state = kTargetNone;
  }
  n.roll = gadget(kNodeRoll).value;
  world_to_topo(n.x, n.y, &node_topo_x[k], &node_topo_y[k]);
}

int32_t node_editor_dialog(int32_t index) {
  if (index < 0 || index >= nodes()) return 0;
  edited_node = index;
  save_nodes();
  node_editor_sync(index);
  pointer_hide();
  PanelRecord* panel = panel_open(path_panel(), "editnode", 1364, 0, 0, 360, 420, node_editor_draw, node_editor_event);
  pointer_show();
  node_editor_panel = panel;
  if (panel) node_editor_draw(panel);
  return 1;
}

int32_t node_editor_draw(PanelRecord* panel) {
  if (!panel) return 1;
  pointer_hide();
  panel_fill_rect(panel, 0, 0, panel->width - 1, panel->height - 1, ui_color_face);
  panel_set_gadgets(panel, node_editor_gadgets);
  panel_draw_text(panel, "Manual Node Editor", 116, 16, ui_color_black, ui_color_face);
  for (const Text& t : kTexts) panel_draw_text(panel, t.text, 88, t.y, ui_color_black, ui_color_face);
  pointer_show();
  return 1;
}

void node_editor_event(PanelRecord* panel) {
  if (node_editor_busy) return;
  node_editor_busy = 1;
  int32_t x = 0, y = 0;
  const int32_t r = panel_event(panel, &x, &y);
  node_editor_busy = 0;
  switch (r) {
    case kNodeOk:
      gadget_deselect(panel, kNodeOk);
      node_editor_apply(edited_node);
      average_node_speed();
      redraw_map_with_path();
      generate_path_frames(1);
      set_current_frame(path_slider_frame());
      topo_and_preview_redraw();
      saved_count = 0;
      close_editor(panel);
      break;
    case kNodeCancel:
      gadget_deselect(panel, kNodeCancel);
      // Nodes applied by stepping go back too: the path is as it was before the editor opened.
      if (restore_nodes()) redraw_map_with_path();
      saved_count = 0;
      close_editor(panel);
      break;
    case kNodePrior:
      if (edited_node >= 1) step_to(panel, edited_node - 1);
      gadget_deselect(panel, kNodePrior);
      break;
    case kNodeNext:
      if (edited_node < path_node_count - 1) step_to(panel, edited_node + 1);
      gadget_deselect(panel, kNodeNext);
      break;
    default:
      if (r >= kNodeX && r <= kNodeRoll) take_field(panel, r);
      break;
  }
}
