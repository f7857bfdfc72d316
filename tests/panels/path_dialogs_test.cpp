// The vehicle characteristics and Manual Node Editor pop-ups: their fields and presets, values out of range
// refused with the field unchanged, OK regenerating, and Cancel leaving the path as it was.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/panels/node_editor.h"
#include "engine/panels/vehicle_dialog.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/screen.h"
#include "tests/panels/path_edit_fixture.h"

namespace {

class PathDialogs : public PathEditTest {
 protected:
  void TearDown() override {
    for (PanelRecord* p : {vehicle_dialog_panel, node_editor_panel})
      if (p) note(p);
    for (PanelRecord* p : opened_) panel_free(p);
    PathEditTest::TearDown();
  }
  // Remembers a pop-up for freeing at the end (the front end frees them when their windows close).
  PanelRecord* note(PanelRecord* p) {
    for (PanelRecord* q : opened_)
      if (q == p) return p;
    if (p) opened_.push_back(p);
    return p;
  }
  std::vector<PanelRecord*> opened_;
  // A click on the gadget of the open pop-up, taken by its event callback.
  void click(PanelRecord* panel, GadgetRecord* list, int32_t id) {
    GadgetRecord* g = gadget_table::find(list, id);
    ASSERT_NE(g, nullptr) << id;
    ui_test::click_gadget(*host_, *panel, *g);
    panel->event(panel);
  }
  // Types a new number into the field and accepts it with Enter.
  void type(PanelRecord* panel, GadgetRecord* list, int32_t id, const std::string& digits) {
    GadgetRecord* g = gadget_table::find(list, id);
    ASSERT_NE(g, nullptr) << id;
    int32_t x, y;
    ui_test::gadget_centre(*panel, *g, &x, &y);
    ui_test::press_release(*host_, g->hit_x1 + panel->x0 - 2, y);
    host_->keys.push_back(kKeyRight);
    for (int i = 0; i < 12; ++i) host_->keys.push_back(kKeyBackspace);
    // The minus key turns the sign of what is typed, so it follows the digits.
    const bool negative = !digits.empty() && digits[0] == '-';
    for (char c : digits)
      if (c != '-') host_->keys.push_back(c);
    if (negative) host_->keys.push_back(kKeyMinus);
    host_->keys.push_back(kKeyEnter);
    panel->event(panel);
  }
  int32_t value(GadgetRecord* list, int32_t id) { return gadget_table::find(list, id)->value; }
  int32_t state(GadgetRecord* list, int32_t id) { return gadget_table::find(list, id)->state; }
  // Four nodes with their frames; node 1 with fractions, a released target and a roll.
  void four_nodes() {
    nodes_at({{60, 150}, {110, 170}, {160, 150}, {210, 170}});
    PathNode& n = path_nodes[1];
    n.x += 0.75f;
    n.altitude = 321.9f;
    n.speed = 2999.6f;
    n.target_x = 1234.5f, n.target_y = 2345.5f, n.target_z = 55.5f;
    n.target_state = kTargetRelease;
    n.roll = -30;
    generate_path_frames(0);
  }
};

TEST_F(PathDialogs, VehicleDialogShowsTheLastPresetAndItsLayout) {
  engine_command(1383, 0, 0, &path_.panel);  // Dune Buggy
  engine_command(1385, 0, 0, &path_.panel);
  PanelRecord* p = note(vehicle_dialog_panel);
  ASSERT_NE(p, nullptr);
  EXPECT_STREQ(p->name, "custom");
  EXPECT_EQ(p->width, 368);
  EXPECT_EQ(p->height, 310);
  EXPECT_EQ(p->parent, &path_.panel);
  GadgetRecord* g = vehicle_dialog_gadgets;
  EXPECT_EQ(state(g, kVehicleGroundButton), kGadgetOn);
  EXPECT_EQ(state(g, kVehicleAirButton), kGadgetOff);
  EXPECT_EQ(state(g, kVehiclePitch), vehicle.pitch_follows_slope ? kGadgetOn : kGadgetOff);
  EXPECT_EQ(value(g, kVehicleBank), vehicle.bank_factor);
  EXPECT_EQ(value(g, kVehicleExtraPitch), pitch_offset);
  EXPECT_EQ(value(g, kVehicleSmoothness), vehicle.smoothing_passes);
  EXPECT_EQ(value(g, kVehicleNodeHeight), vehicle.node_height);
  EXPECT_EQ(value(g, kVehicleClearance), vehicle.min_clearance);
  struct Row {
    int32_t id, kind, x, y;
    const char* text;
  } rows[] = {{1000, kGadgetButton, 16, 16, "  OK  "},         {1387, kGadgetButton, 64, 72, "     Air      "},
              {1386, kGadgetButton, 192, 72, "    Ground    "}, {1392, kGadgetInteger, 256, 100, nullptr},
              {1389, kGadgetButton, 256, 128, "  On  "},        {1390, kGadgetInteger, 256, 156, nullptr},
              {1388, kGadgetInteger, 256, 184, nullptr},        {1393, kGadgetInteger, 256, 212, nullptr},
              {1394, kGadgetInteger, 256, 240, nullptr}};
  for (const Row& r : rows) {
    GadgetRecord* x = gadget_table::find(g, r.id);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->kind, r.kind);
    EXPECT_EQ(x->x, r.x);
    EXPECT_EQ(x->y, r.y);
    if (r.text) {
      EXPECT_STREQ(x->text, r.text);
    }
  }
  EXPECT_STREQ(gadget_table::find(g, 1389)->extra.off_text, "  Off ");
  // A preset chosen afterwards overwrites what the dialog showed.
  engine_command(1380, 0, 0, &path_.panel);
  vehicle_dialog_sync();
  EXPECT_EQ(state(g, kVehicleAirButton), kGadgetOn);
}

TEST_F(PathDialogs, VehicleFieldsTakeEffectAtOnceAndRefuseValuesOutOfRange) {
  four_nodes();
  vehicle_dialog(&path_.panel);
  PanelRecord* p = note(vehicle_dialog_panel);
  GadgetRecord* g = vehicle_dialog_gadgets;
  type(p, g, kVehicleSmoothness, "0");
  EXPECT_EQ(vehicle.smoothing_passes, 0);
  type(p, g, kVehicleBank, "25");
  EXPECT_EQ(vehicle.bank_factor, 25);
  type(p, g, kVehicleNodeHeight, "333");
  EXPECT_EQ(vehicle.node_height, 333);
  type(p, g, kVehicleExtraPitch, "-7");
  EXPECT_EQ(pitch_offset, -7);
  click(p, g, kVehicleGroundButton);
  EXPECT_EQ(vehicle.vehicle_class, kVehicleGround);
  click(p, g, kVehicleAirButton);
  EXPECT_EQ(vehicle.vehicle_class, kVehicleAir);
  EXPECT_EQ(state(g, kVehicleGroundButton), kGadgetOff);
  click(p, g, kVehiclePitch);
  EXPECT_EQ(vehicle.pitch_follows_slope, 0);
  struct Bad {
    int32_t id;
    const char* digits;
    const char* message;
  } bad[] = {{kVehicleSmoothness, "5000", "The value must lie between 0 and 1000."},
             {kVehicleExtraPitch, "400", "The value must lie between -90 and 90."},
             {kVehicleClearance, "99999", "The value must lie between -10000 and 10000."}};
  for (const Bad& b : bad) {
    host_->messages.clear();
    type(p, g, b.id, b.digits);
    EXPECT_EQ(messages(), b.message);
  }
  EXPECT_EQ(vehicle.smoothing_passes, 0);
  EXPECT_EQ(value(g, kVehicleSmoothness), 0);
  EXPECT_EQ(pitch_offset, -7);
  EXPECT_EQ(vehicle.min_clearance, 30);
}

TEST_F(PathDialogs, VehicleOkRegeneratesAtTheSliderFrameAndCloses) {
  four_nodes();
  vehicle_dialog(&path_.panel);
  PanelRecord* p = note(vehicle_dialog_panel);
  path_frames[2].altitude = -5000.0f;
  set_slider(3);
  click(p, vehicle_dialog_gadgets, kVehicleOk);
  EXPECT_NE(path_frames[2].altitude, -5000.0f);
  EXPECT_EQ(current_frame, 3);
  EXPECT_EQ(vehicle_dialog_panel, nullptr);
  EXPECT_EQ(static_cast<Canvas*>(p->canvas)->open, 0);
}

TEST_F(PathDialogs, NodeEditorShowsTheNodeTruncated) {
  four_nodes();
  ASSERT_EQ(node_editor_dialog(1), 1);
  PanelRecord* p = note(node_editor_panel);
  ASSERT_NE(p, nullptr);
  EXPECT_STREQ(p->name, "editnode");
  EXPECT_EQ(p->width, 360);
  EXPECT_EQ(p->height, 420);
  GadgetRecord* g = node_editor_gadgets;
  EXPECT_EQ(value(g, kNodeX), static_cast<int32_t>(path_nodes[1].x));
  EXPECT_EQ(value(g, kNodeZ), 321);
  EXPECT_EQ(value(g, kNodeSpeed), 2999);
  EXPECT_EQ(value(g, kNodeRoll), -30);
  EXPECT_EQ(state(g, kNodeTarget), kGadgetOn);
  EXPECT_EQ(value(g, kNodeTargetX), 1234);
  EXPECT_EQ(value(g, kNodeTargetZ), 55);
  EXPECT_STREQ(gadget_table::find(g, kNodeLabel)->text, "     Node 2 of 4 ");
  EXPECT_EQ(gadget_table::find(g, kNodeCancel)->x, 356 - 7 * char_width);
  EXPECT_EQ(gadget_table::find(g, kNodeCancel)->x, 300);
  EXPECT_EQ(node_editor_dialog(4), 0);
  EXPECT_EQ(node_editor_dialog(-1), 0);
}

TEST_F(PathDialogs, NodeEditorOkTruncatesAndTurnsAReleaseIntoATarget) {
  four_nodes();
  node_editor_dialog(1);
  PanelRecord* p = note(node_editor_panel);
  const float x = path_nodes[1].x;
  set_slider(2);
  click(p, node_editor_gadgets, kNodeOk);
  EXPECT_EQ(path_nodes[1].x, std::trunc(x));
  EXPECT_EQ(path_nodes[1].altitude, 321.0f);
  EXPECT_EQ(path_nodes[1].target_state, kTargetLook);
  EXPECT_EQ(path_nodes[1].target_x, 1234.0f);
  EXPECT_EQ(current_frame, 2);
  EXPECT_EQ(node_editor_panel, nullptr);
}

TEST_F(PathDialogs, NodeEditorTargetOffKeepsTheCoordinates) {
  four_nodes();
  node_editor_dialog(1);
  PanelRecord* p = note(node_editor_panel);
  click(p, node_editor_gadgets, kNodeTarget);
  EXPECT_EQ(state(node_editor_gadgets, kNodeTarget), kGadgetOff);
  click(p, node_editor_gadgets, kNodeOk);
  EXPECT_EQ(path_nodes[1].target_state, kTargetNone);
  EXPECT_EQ(path_nodes[1].target_x, 1234.5f);
}

TEST_F(PathDialogs, NodeEditorStepsAndRefusesValuesOutOfRange) {
  four_nodes();
  node_editor_dialog(0);
  PanelRecord* p = note(node_editor_panel);
  GadgetRecord* g = node_editor_gadgets;
  click(p, g, kNodePrior);  // the first node: only released
  EXPECT_EQ(edited_node, 0);
  EXPECT_EQ(state(g, kNodePrior), kGadgetOff);
  type(p, g, kNodeZ, "777");
  click(p, g, kNodeNext);
  EXPECT_EQ(edited_node, 1);
  EXPECT_EQ(path_nodes[0].altitude, 777.0f);
  EXPECT_STREQ(gadget_table::find(g, kNodeLabel)->text, "     Node 2 of 4 ");
  struct Bad {
    int32_t id;
    const char* digits;
  } bad[] = {{kNodeSpeed, "0"}, {kNodeZ, "200000"}, {kNodeRoll, "-20000"}, {kNodeX, "99999999"}};
  for (const Bad& b : bad) {
    const int32_t before = value(g, b.id);
    host_->messages.clear();
    type(p, g, b.id, b.digits);
    EXPECT_EQ(value(g, b.id), before) << b.id;
    EXPECT_EQ(host_->messages.size(), 1u) << b.id;
  }
  click(p, g, kNodeNext);
  click(p, g, kNodeNext);
  EXPECT_EQ(edited_node, 3);
  click(p, g, kNodeNext);  // the last node: only released
  EXPECT_EQ(edited_node, 3);
  EXPECT_EQ(state(g, kNodeNext), kGadgetOff);
  EXPECT_EQ(path_nodes[1].speed, 2999.0f);
}

TEST_F(PathDialogs, NodeEditorCancelLeavesThePathAsItWas) {
  four_nodes();
  PathNode before[4];
  for (int i = 0; i < 4; ++i) before[i] = path_nodes[i];
  const PathFrame frame = path_frames[5];
  node_editor_dialog(0);
  PanelRecord* p = note(node_editor_panel);
  GadgetRecord* g = node_editor_gadgets;
  type(p, g, kNodeZ, "900");
  click(p, g, kNodeNext);  // node 0 applied on the way
  type(p, g, kNodeSpeed, "50");
  click(p, g, kNodeNext);
  click(p, g, kNodeCancel);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(std::memcmp(&path_nodes[i], &before[i], sizeof(PathNode)), 0) << i;
  EXPECT_EQ(std::memcmp(&path_frames[5], &frame, sizeof(PathFrame)), 0);
  EXPECT_EQ(node_editor_panel, nullptr);
}

}  // namespace
