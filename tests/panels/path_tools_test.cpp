// The path tools on the map through scripted clicks: hit tests at several zooms, laying out, adding, removing
// and dragging nodes, targets and rolls, and their effect on the node table.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/landscape/topo_view.h"
#include "engine/panels/node_editor.h"
#include "engine/ui/panel_ops.h"
#include "tests/panels/path_edit_fixture.h"

namespace {

using maptest::left_click;
using maptest::right_click;

class PathTools : public PathEditTest {
 protected:
  // Four nodes in a row along the map's x axis at y 150, and their frames.
  void row_of_nodes() {
    nodes_at({{60, 150}, {110, 150}, {160, 150}, {210, 150}});
    generate_path_frames(0);
  }
};

TEST_F(PathTools, NodeAtFindsNodesWithinThreePixelsAtEveryZoom) {
  path_node_count = 0;
  append_path_node(make_path_node(3000, 3000), 0, 0);
  append_path_node(make_path_node(4500, 3300), 0, 0);
  for (const int32_t zoom : {4, 8, 16, 32, 64}) {
    topo_set_view(128, 128, zoom);
    redraw_map_with_path();
    for (int32_t k = 0; k < 2; ++k) {
      int32_t x, y;
      world_to_topo(path_nodes[k].x, path_nodes[k].y, &x, &y);
      EXPECT_EQ(node_topo_x[k], x);
      EXPECT_EQ(node_topo_y[k], y);
      EXPECT_EQ(node_at(x + 3, y - 3, nullptr, nullptr), k) << zoom;
      EXPECT_NE(node_at(x + 4, y, nullptr, nullptr), k) << zoom;
      EXPECT_NE(node_at(x, y + 4, nullptr, nullptr), k) << zoom;
    }
  }
}

TEST_F(PathTools, NodeAtPrefersTheEarlierNodeAndGivesNeighbours) {
  nodes_at({{100, 100}, {102, 101}, {150, 100}, {200, 100}});
  int32_t p = 0, q = 0;
  EXPECT_EQ(node_at(101, 100, &p, &q), 0);
  EXPECT_EQ(p, -1);
  EXPECT_EQ(q, 1);
  EXPECT_EQ(node_at(200, 100, &p, &q), 3);
  EXPECT_EQ(p, 2);
  EXPECT_EQ(q, -1);
  closed_loop = 1;
  EXPECT_EQ(node_at(99, 99, &p, &q), 0);
  EXPECT_EQ(p, 3);
  EXPECT_EQ(node_at(201, 102, &p, &q), 3);
  EXPECT_EQ(q, 0);
  EXPECT_EQ(node_at(250, 250, &p, &q), -1);
  EXPECT_EQ(p, -1);
  EXPECT_EQ(q, -1);
  // A count beyond the table (a damaged file) never reads past it.
  path_node_count = 5000;
  EXPECT_EQ(node_at(-1000, -1000, nullptr, nullptr), -1);
  path_node_count = 0;
  EXPECT_EQ(node_at(100, 100, nullptr, nullptr), -1);
}

TEST_F(PathTools, PointSegmentDistanceStepsOneMetreAtATime) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    float ax, ay, bx, by, px, py;
    double want;
  } cases[] = {
      {0, 0, 10, 0, 5, 3, 3.0},     {0, 0, 10, 0, -4, 0, 4.0},    {0, 0, 10, 0, 10, 0, 1.0},
      {10, 0, 0, 0, 10, 0, 1.0},    {0, 0, 10, 0, 20, 0, 11.0},   {0, 0, 0, 10, 3, 5, 3.0},
      {0, 0, 10, 10, 0, 10, std::sqrt(50.0)},                     {5, 5, 5, 5, 5, 5, inf},
      {0, 0, 1e9f, 0, 5e8f, 2, 2.0}, {0, 0, 0.5f, 0, 0, 0, 0.0},
  };
  for (const Case& c : cases) {
    const double d = point_segment_distance(c.ax, c.ay, c.bx, c.by, c.px, c.py);
    if (c.want == inf) {
      EXPECT_EQ(d, inf);
    } else {
      EXPECT_NEAR(d, c.want, 1e-6) << c.ax << "," << c.ay << " " << c.bx << "," << c.by << " " << c.px << "," << c.py;
    }
  }
}

TEST_F(PathTools, NearestSegmentAtSeveralZooms) {
  for (const int32_t zoom : {8, 16, 32}) {
    topo_set_view(128, 128, zoom);
    // Nodes placed at these pixels at this zoom.
    nodes_at({{60, 150}, {110, 150}, {160, 150}, {210, 150}});
    struct Case {
      int32_t x, y, index;
    } cases[] = {{45, 150, 0}, {70, 152, 1}, {135, 149, 2}, {190, 150, 3}, {230, 150, 4}, {85, 110, 1}};
    for (const Case& c : cases) EXPECT_EQ(nearest_segment(c.x, c.y), c.index) << zoom << " " << c.x;
  }
  nodes_at({{60, 150}});
  EXPECT_EQ(nearest_segment(10, 10), 1);
}

TEST_F(PathTools, CreatingNeedsFourNodesAndIgnoresClicksOffTheMap) {
  slope();
  path_gadget(1362)->state = kGadgetOn;
  engine_command(1362, 0, 0, &path_.panel);
  EXPECT_EQ(render_settings.topo_click_mode, 1362);
  left_click(*host_, 120, 120);
  left_click(*host_, 10, 10);    // beside the map
  left_click(*host_, 285, 100);  // on the map's frame
  left_click(*host_, 160, 140);
  right_click(*host_, 160, 140);  // three nodes: not enough
  left_click(*host_, 200, 160);
  right_click(*host_, 200, 160);
  map_click(80, 100);
  EXPECT_EQ(path_node_count, 4);
  EXPECT_EQ(messages(), "You must place at least 4 spline nodes.");
  const int32_t want[4][2] = {{80, 100}, {120, 120}, {160, 140}, {200, 160}};
  for (int k = 0; k < 4; ++k) {
    float wx, wy;
    topo_to_world(want[k][0], want[k][1], &wx, &wy);
    EXPECT_FLOAT_EQ(path_nodes[k].x, wx) << k;
    EXPECT_FLOAT_EQ(path_nodes[k].y, wy) << k;
    EXPECT_FLOAT_EQ(path_nodes[k].altitude, static_cast<float>(node_height_at(wx, wy))) << k;
    EXPECT_EQ(path_nodes[k].speed, 3000.0f);
    EXPECT_EQ(path_nodes[k].target_state, 0);
  }
  EXPECT_GT(path_frame_count, 0);
  EXPECT_EQ(render_settings.topo_click_mode, 1363);
  EXPECT_EQ(path_gadget(1362)->state, kGadgetOff);
}

TEST_F(PathTools, CreateAsksBeforeErasingAPath) {
  row_of_nodes();
  path_gadget(1362)->state = kGadgetOn;
  host_->yes_no_answers.push_back(0);
  engine_command(1362, 0, 0, &path_.panel);
  EXPECT_EQ(messages(), "Erase existing path?");
  EXPECT_EQ(path_node_count, 4);
  EXPECT_EQ(path_gadget(1362)->state, kGadgetOff);
  path_gadget(1362)->state = kGadgetOn;
  engine_command(1362, 0, 0, &path_.panel);
  EXPECT_EQ(path_node_count, 0);
  EXPECT_EQ(path_frame_count, 0);
  EXPECT_EQ(render_settings.topo_click_mode, 1362);
}

TEST_F(PathTools, AddNodeGoesBeforeBetweenOrAfter) {
  row_of_nodes();
  struct Case {
    int32_t x, y, index;
  } cases[] = {{45, 150, 0}, {135, 152, 2}, {225, 150, 4}};
  for (const Case& c : cases) {
    row_of_nodes();
    path_gadget(1365)->state = kGadgetOn;
    engine_command(1365, 0, 0, &path_.panel);
    EXPECT_EQ(render_settings.topo_click_mode, 1365);
    map_click(c.x, c.y);
    ASSERT_EQ(path_node_count, 5) << c.x;
    float wx, wy;
    topo_to_world(c.x, c.y, &wx, &wy);
    EXPECT_FLOAT_EQ(path_nodes[c.index].x, wx) << c.x;
    EXPECT_EQ(render_settings.topo_click_mode, 1363);
    EXPECT_EQ(path_gadget(1365)->state, kGadgetOff);
  }
}

TEST_F(PathTools, AddNodeStartFrameIsTheMeanOfItsNeighbours) {
  nodes_at({{60, 150}, {110, 150}, {160, 150}, {210, 150}});
  node_start_frames[0] = 0, node_start_frames[1] = 7, node_start_frames[2] = 20, node_start_frames[3] = 31;
  insert_node_command(135, 152);
  EXPECT_EQ(node_start_frames[2], 13);
  EXPECT_EQ(node_start_frames[3], 20);
  insert_node_command(40, 150);
  EXPECT_EQ(node_start_frames[0], -1);
  insert_node_command(230, 150);
  EXPECT_EQ(node_start_frames[path_node_count - 1], -1);
}

TEST_F(PathTools, EmptyAndFullTablesGiveMessages) {
  insert_node_command(100, 100);
  delete_node_command(100, 100);
  EXPECT_EQ(set_node_target_command(100, 100), 0);
  EXPECT_EQ(unset_node_target_command(100, 100), 0);
  EXPECT_EQ(messages(),
            "No nodes to insert between.  Create a new path first.|No points to delete|No points to delete|"
            "No points to delete");
  host_->messages.clear();
  path_node_count = 0;
  for (int32_t i = 0; i < kPathNodeCapacity; ++i) append_path_node(make_path_node(100.0f + i, 200.0f), 40 + i % 200, 100);
  ASSERT_EQ(path_node_count, kPathNodeCapacity);
  insert_node_command(150, 150);
  EXPECT_EQ(path_node_count, kPathNodeCapacity);
  EXPECT_EQ(messages(), "The path holds at most 1000 nodes.");
}

TEST_F(PathTools, RemoveNodeTakesTheNodeUnderTheClick) {
  row_of_nodes();
  const float third = path_nodes[2].x;
  path_gadget(1366)->state = kGadgetOn;
  engine_command(1366, 0, 0, &path_.panel);
  map_click(111, 148);
  EXPECT_EQ(path_node_count, 3);
  EXPECT_EQ(path_nodes[1].x, third);
  path_gadget(1366)->state = kGadgetOn;
  engine_command(1366, 0, 0, &path_.panel);
  map_click(250, 250);  // no node there
  EXPECT_EQ(path_node_count, 3);
  EXPECT_EQ(render_settings.topo_click_mode, 1363);
}

TEST_F(PathTools, DraggingMovesANodeOrLeavesItOnTheRightButton) {
  slope();
  row_of_nodes();
  vehicle.node_height = 77;
  const PathNode before = path_nodes[1];
  right_click(*host_, 130, 200);
  map_click(110, 150);
  EXPECT_EQ(path_nodes[1].x, before.x);
  EXPECT_EQ(path_nodes[1].altitude, before.altitude);
  left_click(*host_, 120, 200);
  map_click(110, 150);
  float wx, wy;
  topo_to_world(120, 200, &wx, &wy);
  EXPECT_FLOAT_EQ(path_nodes[1].x, wx);
  EXPECT_FLOAT_EQ(path_nodes[1].y, wy);
  EXPECT_FLOAT_EQ(path_nodes[1].altitude, static_cast<float>(ground_height_at(wx, wy) + 77));
  EXPECT_EQ(node_topo_x[1], 120);
  EXPECT_EQ(render_settings.topo_click_mode, 1363);
  // Dropped beside the landscape: the base level plus the node height.
  // The press that picked the node is released first, then the drop.
  host_->pointer_script.push_back({node_topo_x[2], node_topo_y[2], 0});
  left_click(*host_, 293, 150);
  map_click(node_topo_x[2], node_topo_y[2]);
  EXPECT_EQ(node_topo_x[2], 293);
  EXPECT_FLOAT_EQ(path_nodes[2].altitude, static_cast<float>(landscape_view.base_level + 77));
  // No node under the click: nothing moves and nothing is regenerated.
  const int32_t frames = path_frame_count;
  path_frame_count = 3;
  map_click(250, 60);
  EXPECT_EQ(path_frame_count, 3);
  path_frame_count = frames;
}

TEST_F(PathTools, TargetsAreSetKeptAndReleased) {
  slope();
  row_of_nodes();
  path_gadget(1367)->state = kGadgetOn;
  engine_command(1367, 0, 0, &path_.panel);
  left_click(*host_, 140, 220);
  map_click(160, 150);
  float wx, wy;
  topo_to_world(140, 220, &wx, &wy);
  EXPECT_EQ(path_nodes[2].target_state, kTargetLook);
  EXPECT_FLOAT_EQ(path_nodes[2].target_x, wx);
  EXPECT_FLOAT_EQ(path_nodes[2].target_y, wy);
  EXPECT_FLOAT_EQ(path_nodes[2].target_z, static_cast<float>(ground_height_at(wx, wy)));
  EXPECT_EQ(path_gadget(1367)->state, kGadgetOff);
  EXPECT_EQ(render_settings.topo_click_mode, 1363);
  // The right button keeps the old target but still regenerates.
  right_click(*host_, 200, 200);
  path_frame_count = 0;
  render_settings.topo_click_mode = 1367;
  map_click(160, 150);
  EXPECT_EQ(path_nodes[2].target_x, wx);
  EXPECT_GT(path_frame_count, 0);
  render_settings.topo_click_mode = 1368;
  map_click(160, 150);
  EXPECT_EQ(path_nodes[2].target_state, kTargetRelease);
}

TEST_F(PathTools, RollsAskFramesAndDirection) {
  row_of_nodes();
  struct Case {
    int32_t node_x;
    std::vector<std::pair<int, int32_t>> values;
    std::vector<int> buttons;
    int32_t node, roll, remembered;
  } cases[] = {
      {110, {{1, 45}}, {1}, 1, 45, 45},    {160, {{1, 12}}, {0}, 2, -12, 12},
      {160, {{0, 99}}, {}, 2, -12, 12},     {60, {}, {}, 0, 0, 12},
      {110, {{1, -5}}, {}, 1, 45, 12},      {110, {{1, 20000}}, {}, 1, 45, 12},
  };
  for (const Case& c : cases) {
    host_->value_answers.assign(c.values.begin(), c.values.end());
    host_->yes_no_answers.assign(c.buttons.begin(), c.buttons.end());
    render_settings.topo_click_mode = 1400;
    map_click(c.node_x, 150);
    EXPECT_EQ(path_nodes[c.node].roll, c.roll) << c.node_x;
    EXPECT_EQ(roll_frames_input, c.remembered) << c.node_x;
  }
  // Remove roll does nothing without frames, and clears the roll with them.
  path_frame_count = 0;
  remove_roll_command(110, 150);
  EXPECT_EQ(path_nodes[1].roll, 45);
  generate_path_frames(0);
  render_settings.topo_click_mode = 1401;
  map_click(110, 150);
  EXPECT_EQ(path_nodes[1].roll, 0);
}

TEST_F(PathTools, EditNodeOpensTheEditorOnTheNodeUnderTheClick) {
  row_of_nodes();
  render_settings.topo_click_mode = 1364;
  map_click(250, 250);
  EXPECT_EQ(node_editor_panel, nullptr);
  render_settings.topo_click_mode = 1364;
  map_click(160, 151);
  ASSERT_NE(node_editor_panel, nullptr);
  EXPECT_EQ(edited_node, 2);
  EXPECT_STREQ(node_editor_panel->name, "editnode");
  EXPECT_EQ(node_editor_panel->parent, &path_.panel);
  EXPECT_EQ(render_settings.topo_click_mode, 1363);
  panel_free(node_editor_panel);
}

TEST_F(PathTools, GenerationDrawsTheNodesThenTheFramesAndTheProfile) {
  slope();
  nodes_at({{60, 150}, {110, 170}, {160, 150}, {210, 170}});
  std::fill(path_.canvas.pixels.begin(), path_.canvas.pixels.end(), 0);
  current_frame = 3;
  generate_path_frames(1);
  ASSERT_GT(path_frame_count, 8);
  int32_t x, y;
  world_to_topo(path_frames[path_frame_count / 2].x, path_frames[path_frame_count / 2].y, &x, &y);
  EXPECT_EQ(map_at(x, y), 6);
  EXPECT_EQ(map_at(node_topo_x[0] - 3, node_topo_y[0] - 3), 5);
  // The current frame's square in yellow, and the profile's centre line on the Path panel.
  world_to_topo(path_frames[3].x, path_frames[3].y, &x, &y);
  EXPECT_EQ(map_at(x - 3, y - 3), 2);
  EXPECT_EQ(path_.canvas.pixels[320 * 300 + 150], 5);
}

}  // namespace
