// The command handler: the busy guard, the family search, panel activation,
// the map display keys and the two event callbacks.
#include <gtest/gtest.h>

#include <set>

#include "engine/panels/command_dispatch_internal.h"
#include "engine/panels/command_rows.h"
#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/map_state.h"
#include "engine/ui/status.h"
#include "tests/panels/map_fixture.h"

namespace {

class Dispatch : public MapFixture {};

TEST_F(Dispatch, BusyCommandIsDroppedAndBusyStaysSet) {
  topo_zoom = 16;
  engine_busy = 1;
  engine_command(1320, 0, 0, topo_panel);  // zoom in, while another command runs
  EXPECT_EQ(topo_zoom, 16);
  EXPECT_EQ(engine_busy, 1);
  engine_busy = 0;
  engine_command(1320, 0, 0, topo_panel);
  EXPECT_EQ(topo_zoom, 8);
  EXPECT_EQ(engine_busy, 0);  // cleared when the body ends
}

TEST_F(Dispatch, NullPanelIsReported) {
  engine_command(1312, 0, 0, nullptr);
  ASSERT_FALSE(host_->messages.empty());
  EXPECT_EQ(host_->messages[0].text, "Please report error: WL01");
  EXPECT_EQ(engine_busy, 0);
}

// Every id of the dispatcher's own families reaches a body; samples of the other families do too.
TEST_F(Dispatch, EveryIdReachesItsHandler) {
  const uint32_t own[] = {1293, 1294, 1295, 1296, 1297, 1298, 1299, 1300, 1301, 1302, 1303, 1304, 1305, 1306,
                          1307, 1426, 1425, 1312, 0x14400, 1419,
                          // map
                          1, 3, 1042, 1043, 1097, 1098, 1177, 1178, 1179, 1337, 1338, 1339, 1340, 1341, 1342,
                          1343, 1344, 1345, 1346, 1351, 1355, 0x14800, 0x15000, 0x14D00, 0x14B00, 0x14E2B, 0x14A2D,
                          // camera, lens, view and map view
                          1174, 1175, 1176, 1180, 1181, 1182, 1183, 1184, 1185, 1186, 1187, 1191, 1192, 1193, 1231,
                          1232, 1233, 1292, 1234, 1235, 1236, 1237, 1238, 1239, 1240, 1275, 1277, 1318, 1319, 1320,
                          1321, 1322, 1323, 1324, 1247, 1325, 1326, 1252};
  for (uint32_t id : own) EXPECT_NE(find_command_row(id), nullptr) << id;
  const uint32_t other_families[] = {1048, 1196, 1053, 1045, 1370, 1124, 1420, 1421, 1422, 1027, 1069, 1070, 1071};
  for (uint32_t id : other_families) EXPECT_NE(find_command_row(id), nullptr) << id;
  // Ids nobody claims do nothing and say nothing.
  host_->status_texts.clear();
  engine_command(999999, 0, 0, topo_panel);
  EXPECT_TRUE(host_->messages.empty());
  EXPECT_EQ(find_command_row(999999), nullptr);
}

TEST_F(Dispatch, PanelActivationSetsPanelClickModeAndMapMode) {
  struct Case {
    uint32_t id;
    int32_t click_mode, map_mode;
  };
  const Case cases[] = {{1294, 0, 0}, {1299, 0, 0}, {1302, 0, 0}, {1305, 0, 1}, {1306, 1363, 2}, {1307, 0, 0},
                        {1293, 0, 0}};
  for (const Case& c : cases) {
    render_settings.topo_click_mode = 5;
    engine_command(c.id, 0, 0, topo_panel);
    EXPECT_EQ(current_panel, static_cast<int32_t>(c.id));
    EXPECT_EQ(render_settings.topo_click_mode, c.click_mode) << c.id;
    EXPECT_EQ(topo_mode, c.map_mode) << c.id;
  }
}

TEST_F(Dispatch, SameMapModeLeavesMapCleanAndChangeRebuildsIt) {
  engine_command(1294, 0, 0, topo_panel);
  derived_data.landscape_changed = 1;
  ui_test::TestPanel light(200, 200);
  engine_command(1295, 0, 0, &light.panel);  // map mode 0 again: not changed, and the map was redrawn
  EXPECT_EQ(derived_data.landscape_changed, 0);
  engine_command(1305, 0, 0, &light.panel);  // ground cover: the image is rebuilt by the redraw
  EXPECT_EQ(topo_mode, 1);
  EXPECT_EQ(derived_data.landscape_changed, 0);
}

// After Place camera, another panel and back to the Camera panel: the camera placement mode comes back.
TEST_F(Dispatch, CameraPanelBringsBackTheNudgeMode) {
  ui_test::TestPanel camera(300, 300);
  GadgetRecord place = gadget_table::make(kGadgetButton, 0, 10, 10, 1043, "Place camera", nullptr);
  camera.panel.gadgets = &place;
  place.state = kGadgetOn;
  engine_command(1043, 0, 0, &camera.panel);
  EXPECT_EQ(render_settings.topo_click_mode, 2);
  engine_command(1294, 0, 0, &camera.panel);
  EXPECT_EQ(render_settings.topo_click_mode, 0);
  engine_command(1293, 0, 0, &camera.panel);
  EXPECT_EQ(render_settings.topo_click_mode, 2);
  EXPECT_EQ(place.state, kGadgetOff);  // both placement buttons show released
}

TEST_F(Dispatch, HoldingTShowsElevationBandsAndReleaseGoesBackToCover) {
  engine_command(1305, 0, 0, topo_panel);
  ASSERT_EQ(topo_mode, 1);
  engine_command(1426, 0, 0, topo_panel);
  EXPECT_EQ(topo_mode, 0);
  engine_command(1425, 0, 0, topo_panel);
  EXPECT_EQ(topo_mode, 1);
}

TEST_F(Dispatch, RightButtonOnAPanelDuringACommandAsksToStop) {
  ui_test::TestPanel panel(100, 100);
  engine_busy = 1;
  host_->pointer_script.push_back({10, 10, kHostButtonRight});
  engine_panel_event(&panel.panel);
  EXPECT_EQ(user_abort, 1);
  EXPECT_EQ(engine_busy, 1);
  // The map ignores the mouse meanwhile.
  user_abort = 0;
  host_->pointer_script.push_back({100, 100, kHostButtonRight});
  topo_panel_event(topo_panel);
  EXPECT_EQ(user_abort, 0);
  engine_busy = 0;
}

TEST_F(Dispatch, HoverAtTheLastColumnShowsTheReadOutButAClickThereDoesNothing) {
  host_->pointer_script.push_back({285, 100, 0});
  topo_panel_event(topo_panel);
  EXPECT_EQ(topo_hover_shown, 1);
  EXPECT_EQ(last_status().rfind("   X=", 0), 0u);
  // Leaving the map puts the landscape name back.
  host_->pointer_script.push_back({310, 350, 0});
  topo_panel_event(topo_panel);
  EXPECT_EQ(topo_hover_shown, 0);
  // A click at x 285 in camera placement places nothing.
  render_settings.topo_click_mode = 2;
  const float x = camera_state.camera_x, y = camera_state.camera_y;
  engine_command(1, 285, 100, topo_panel);
  EXPECT_EQ(camera_state.camera_x, x);
  EXPECT_EQ(camera_state.camera_y, y);
}

}  // namespace
