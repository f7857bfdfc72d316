// The Placement and VR Control panels: object placement modes with their colour and texture buttons, view
// directions and stereo cameras.
#include "engine/core/settings.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/panel_rows.h"
#include "engine/panels/tool_panels.h"

PanelRecord placement_panel{};
PanelRecord vr_control_panel{};

namespace {
using namespace panel_rows;
GadgetRecord placement_gadgets[21];
GadgetRecord vr_gadgets[14];
char vr_float[32], vr_int[16];
constexpr int32_t kObjectButtons[11] = {1337, 1338, 1339, 1340, 1341, 1342, 1343, 1344, 1345, 1346, 1351};
}  // namespace

void placement_panel_create() {
  GadgetRecord* g = placement_gadgets;
  int32_t i = 0;
  g[i++] = label(30, 8, "       Object placement       ");
  struct Row {
    int32_t x, y, id;
    const char* text;
    const char* tip;
  };
  const Row rows[] = {
      {30, 36, 1043, " Place camera ", "Position the camera by clicking on the topo map."},
      {158, 36, 1042, " Place target ", "Position the target by clicking on the topo map."},
      {30, 84, 1340, "     Pine     ", "Place pine trees (tree type 4)."},
      {158, 84, 1359, "    Colors    ", "Set tree colors."},
      {30, 112, 1339, "    Cactus    ", "Place cacti (tree type 3)."},
      {158, 112, 1315, "   Textures   ", "Select 2d tree texture maps."},
      {30, 140, 1338, "     Oak      ", "Place oak trees (tree type 2)."},
      {30, 168, 1337, "     Palm     ", "Place palm trees (tree type 1)."},
      {30, 216, 1344, "    House4    ", "Place house type 4 (tall office buildings)."},
      {158, 216, 1360, "    Colors    ", "Set building colors."},
      {30, 244, 1343, "    House3    ", "Place house type 3 (short office buildings)."},
      {158, 244, 1314, "   Textures   ", "Select 2d house texture maps."},
      {30, 272, 1342, "    House2    ", "Place house type 2 (two story house)."},
      {30, 300, 1341, "    House1    ", "Place house type 1 (one story house)."},
      {30, 328, 1351, "     Road     ", "Place Road."},
      {30, 376, 1346, "    Water     ", "Place water."},
      {158, 376, 1358, "    Colors    ", "Set water colors."},
      {30, 404, 1345, "    Beach     ", "Place beach."},
      {158, 404, 1316, "   Textures   ", "Select 2d water texture maps."},
      {158, 460, 1355, "  Erase all   ", "Erase all user objects."},
  };
  for (const Row& r : rows) g[i++] = button(1, r.x, r.y, r.id, r.text, r.tip);
  tool_panel_setup(placement_panel, "Placement", kPanelPlacement, placement_panel_init, gadget_table::link(g, i));
}

void vr_control_panel_create() {
  GadgetRecord* g = vr_gadgets;
  int32_t i = 0;
  g[i++] = label(30, 92, "   Virtual Reality Controls   ");
  g[i++] = button(256, 94, 119, 1238, "   Forward    ", "Selects camera facing forward.");
  g[i++] = button(256, 30, 146, 1237, "     Port     ", "Selects camera facing to the left.");
  g[i++] = button(256, 158, 146, 1239, "  Starboard   ", "Selects camera facing to the right.");
  g[i++] = button(256, 94, 173, 1240, "    Astern    ", "Selects camera facing backwards.");
  g[i++] = label(30, 281, "    Stereographic Controls    ");
  g[i++] = button(128, 30, 308, 1234, "  Left   ", "Selects the left camera for stereoscopic views.");
  g[i++] = button(128, 114, 308, 1235, " Center  ", "Selects the center camera for non-stereoscopic views.");
  g[i++] = button(128, 198, 308, 1236, "  Right  ", "Selects the right camera for stereoscopic views.");
  g[i++] = label(30, 335, "Camera separation......");
  g[i++] = float_field(222, 335, 1275, 6, vr_float, "Camera separation (interocular distance in meters).");
  g[i - 1].state = kGadgetOn;
  g[i++] = label(30, 362, "Image separation.......");
  g[i++] = int_field(222, 362, 1277, 6, vr_int, "Image separation (in pixels) to obtain interocular distance.");
  g[i - 1].state = kGadgetOn;
  tool_panel_setup(vr_control_panel, "VR Control", kPanelVrControl, vr_control_panel_init, gadget_table::link(g, i));
}

int32_t placement_panel_sync() {
  GadgetRecord* list = placement_panel.gadgets;
  if (!list) return 1;
  const int32_t mode = render_settings.topo_click_mode;
  for (const int32_t id : kObjectButtons) set_state(list, id, false);
  for (const int32_t id : kObjectButtons)
    if (id == mode) set_state(list, id, true);
  set_state(list, 1043, mode == 2);
  set_state(list, 1042, mode == 1);
  return 1;
}

int32_t vr_control_panel_sync() {
  GadgetRecord* list = vr_control_panel.gadgets;
  if (!list) return 1;
  const int32_t facing = lens_state.view_facing;
  set_state(list, 1238, facing == 5);
  set_state(list, 1237, facing == 7);
  set_state(list, 1239, facing == 8);
  set_state(list, 1240, facing == 6);
  const int32_t eye = lens_state.stereo_camera;
  set_state(list, 1234, eye == 2);
  set_state(list, 1235, eye == 1);
  set_state(list, 1236, eye == 3);
  set_float(list, 1275, lens_state.stereo_separation);
  set_value(list, 1277, lens_state.stereo_image_shift);
  return 1;
}

int32_t placement_panel_init(PanelRecord*) { return tool_panel_draw(placement_panel, true, placement_panel_sync); }
int32_t vr_control_panel_init(PanelRecord*) { return tool_panel_draw(vr_control_panel, true, vr_control_panel_sync); }
