// The Camera control panel's gadget table, synchronisation and drawing.
#include "engine/panels/camera_panel.h"

#include <cmath>
#include <cstring>

#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/panels/command_dispatch.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/screen.h"

PanelRecord camera_panel{};

namespace {
using gadget_table::make;
constexpr int32_t kCount = 26;
GadgetRecord gadgets[kCount];
char float_text[6][32];
char int_text[6][16];
const char kOn[] = "  On  ", kOff[] = "  Off ";

GadgetRecord* find(int32_t id) { return gadget_table::find(camera_panel.gadgets, id); }

GadgetRecord float_field(int32_t x, int32_t y, int32_t id, int32_t width, int32_t slot, const char* tip) {
  std::memcpy(float_text[slot], "0123456789012345678901234567890", 32);
  return make(kGadgetFloat, 0, x, y, id, nullptr, tip, 0, width, 0, float_text[slot], 32);
}
GadgetRecord int_field(int32_t x, int32_t y, int32_t id, int32_t slot, const char* tip) {
  std::memcpy(int_text[slot], "---------------", 16);
  return make(kGadgetInteger, 0, x, y, id, nullptr, tip, 0, 6, 0, int_text[slot], 16);
}
GadgetRecord label(int32_t x, int32_t y, const char* text) { return make(kGadgetLabel, 0, x, y, 0, text, nullptr); }

void set_float(int32_t id, float v) {
  if (GadgetRecord* g = find(id)) gadget_set_value_float(*g, v);
}
void set_int(int32_t id, int32_t v) {
  if (GadgetRecord* g = find(id)) g->value = v;
}
void set_state(int32_t id, bool on) {
  if (GadgetRecord* g = find(id)) g->state = on ? kGadgetOn : kGadgetOff;
}
int32_t trunc_i32(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int32_t>(v);
}
}  // namespace

void camera_panel_create() {
  int32_t i = 0;
  gadgets[i++] = label(30, 8, "       Camera controls        ");
  gadgets[i++] = make(kGadgetButton, 1, 30, 42, 1043, " Place camera ", "Position the camera by clicking on the topo map.");
  gadgets[i++] = make(kGadgetButton, 1, 158, 42, 1042, " Place target ", "Position the target by clicking on the topo map.");
  gadgets[i++] = float_field(58, 68, 1180, 7, 0, "Camera X position.");
  gadgets[i++] = make(kGadgetButton, 0, 146, 68, 1174, "X", "Locks the Camera and Target X coordinate.");
  gadgets[i++] = float_field(186, 68, 1184, 7, 1, "Target X position.");
  gadgets[i++] = float_field(58, 92, 1181, 7, 2, "Camera Y position.");
  gadgets[i++] = make(kGadgetButton, 0, 146, 92, 1175, "Y", "Locks the Camera and Target Y coordinate.");
  gadgets[i++] = float_field(186, 92, 1185, 7, 3, "Target Y position.");
  gadgets[i++] = float_field(58, 116, 1182, 7, 4, "Camera Z position.");
  gadgets[i++] = make(kGadgetButton, 0, 146, 116, 1176, "Z", "Locks the Camera and Target Z coordinate.");
  gadgets[i++] = float_field(186, 116, 1186, 7, 5, "Target Z position.");
  gadgets[i++] = label(30, 164, "Height above ground....");
  // The height field shares the float buffers' form; it has its own buffer below.
  static char height_text[32];
  std::memcpy(height_text, "0123456789012345678901234567890", 32);
  gadgets[i++] = make(kGadgetFloat, 0, 222, 164, 1183, nullptr, "Places camera this many meters above the surface.", 0, 6,
                      0, height_text, 32);
  gadgets[i++] = label(30, 188, "Camera-target distance.");
  gadgets[i++] = int_field(222, 188, 1187, 0, "Total distance between Camera and Target.");
  gadgets[i++] = label(30, 236, "Bank...................");
  gadgets[i++] = int_field(222, 236, 1192, 1, "Camera banking angle.");
  gadgets[i++] = label(30, 260, "Heading................");
  gadgets[i++] = int_field(222, 260, 1191, 2, "Camera heading angle.");
  gadgets[i++] = label(30, 284, "Pitch..................");
  gadgets[i++] = int_field(222, 284, 1193, 3, "Camera pitch angle.");
  gadgets[i++] = label(30, 330, "Focal length...........");
  gadgets[i++] = int_field(222, 330, 1233, 4, "Focal length of the lens.");
  gadgets[i++] = make(kGadgetButton, 32, 30, 356, 1231, "  Wide angle  ", "Selects the standard wide angle lens.");
  gadgets[i++] = make(kGadgetButton, 32, 158, 356, 1232, "  Zoom lens   ", "Selects the standard zoom lens.");
  static GadgetRecord tail[2];
  tail[0] = label(30, 404, "Auto exposure..........");
  tail[1] = make(kGadgetButton, 0, 222, 404, 1292, kOn, "Automatically compensate for lighting properties.");
  tail[1].extra.off_text = kOff;
  gadgets[24].state = kGadgetOff;
  gadgets[25].state = kGadgetOn;  // the zoom lens at start
  gadget_table::link(gadgets, kCount);
  gadgets[kCount - 1].next = &tail[0];
  tail[0].next = &tail[1];
  tail[1].next = nullptr;
  std::strcpy(camera_panel.name, "Camera");
  camera_panel.id = kPanelCamera;
  camera_panel.x0 = 0, camera_panel.y0 = 0, camera_panel.x1 = 300, camera_panel.y1 = 500;
  camera_panel.width = 300, camera_panel.height = 500;
  camera_panel.draw = camera_panel_init;
  camera_panel.event = engine_panel_event;
  camera_panel.gadgets = &gadgets[0];
  control_panels[kPanelCamera] = &camera_panel;
}

int32_t camera_panel_sync() {
  if (!camera_panel.gadgets) return 1;
  const CameraState& c = camera_state;
  set_state(1043, render_settings.topo_click_mode == 2);
  set_state(1042, render_settings.topo_click_mode == 1);
  set_float(1180, c.camera_x), set_float(1181, c.camera_y), set_float(1182, c.camera_z);
  set_float(1184, c.target_x), set_float(1185, c.target_y), set_float(1186, c.target_z);
  set_state(1174, c.lock_x != 0), set_state(1175, c.lock_y != 0), set_state(1176, c.lock_z != 0);
  set_float(1183, static_cast<float>(c.camera_height));
  const double dx = static_cast<double>(c.target_x) - c.camera_x, dy = static_cast<double>(c.target_y) - c.camera_y;
  const double dz = static_cast<double>(c.target_z) - c.camera_z;
  set_int(1187, trunc_i32(std::sqrt(dx * dx + dy * dy + dz * dz)));
  set_int(1192, trunc_i32(c.camera_bank));
  set_int(1191, trunc_i32(c.camera_heading));
  set_int(1193, trunc_i32(c.camera_pitch));
  set_int(1233, lens_state.focal_length);
  set_state(1232, lens_state.lens_scale == 2.0f);
  set_state(1231, lens_state.lens_scale == 1.0f);
  set_state(1292, light_state.auto_exposure != 0);
  return 1;
}

int32_t camera_panel_init(PanelRecord*) {
  if (!camera_panel.gadgets) return 1;
  window_stack_push();
  use_panel_window(&camera_panel);
  camera_panel_sync();
  draw_gadgets(&camera_panel, camera_panel.gadgets);
  window_stack_pop();
  return 1;
}
