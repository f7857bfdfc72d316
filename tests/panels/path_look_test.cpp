// The path as drawn on the map and its altitude profile, compared with checked-in reference images (palette
// indexes as PGM); PNGs of both are written to the artifacts folder for a person to look at.
#include <cstdlib>
#include <string>

#include "engine/panels/topo_map.h"
#include "tests/panels/path_edit_fixture.h"
#include "tests/ui/canvas_png.h"

namespace {

// The part of a canvas from (x0, y0) to (x1, y1), corners included.
Canvas crop(const Canvas& c, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  Canvas out;
  out.resize(x1 - x0 + 1, y1 - y0 + 1);
  for (int32_t y = y0; y <= y1; ++y)
    for (int32_t x = x0; x <= x1; ++x)
      out.pixels[static_cast<size_t>(y - y0) * out.width + (x - x0)] = c.pixels[static_cast<size_t>(y) * c.width + x];
  return out;
}

// Compares with the reference of that name (written when DALVENOR_UPDATE_REFERENCES is set), after writing
// the PNG.
void expect_matches_reference(const Canvas& canvas, const std::string& name) {
  write_canvas_png(canvas, artifacts_folder() + "/ui/" + name + ".png");
  const std::string path = std::string(DALVENOR_UI_REFERENCES) + "/" + name + ".pgm";
  if (std::getenv("DALVENOR_UPDATE_REFERENCES")) {
    ASSERT_TRUE(write_canvas_pgm(canvas, path));
  }
  Canvas reference;
  ASSERT_TRUE(read_canvas_pgm(path, &reference)) << path;
  ASSERT_EQ(reference.width, canvas.width);
  ASSERT_EQ(reference.height, canvas.height);
  int32_t differing = 0;
  for (size_t i = 0; i < canvas.pixels.size(); ++i) differing += canvas.pixels[i] != reference.pixels[i];
  EXPECT_EQ(differing, 0) << name;
}

class PathLook : public PathEditTest {
 protected:
  // A valley between two ridges, a five-node flight with a target on the third node and a roll on the fourth.
  void lay_out() {
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c) {
        const int32_t d = c > 128 ? c - 128 : 128 - c;
        elevation_row(r)[c] = static_cast<int16_t>(d * 6 + r);
      }
    scan_elevation_range();
    derived_data.landscape_changed = 1;
    nodes_at({{80, 240}, {130, 200}, {150, 140}, {190, 90}, {250, 60}});
    path_nodes[2].target_state = kTargetLook;
    topo_to_world(220, 180, &path_nodes[2].target_x, &path_nodes[2].target_y);
    path_nodes[2].target_z = static_cast<float>(ground_height_at(path_nodes[2].target_x, path_nodes[2].target_y));
    path_nodes[3].roll = 40;
    generate_path_frames(0);
    set_current_frame(path_frame_count / 3);
  }
};

TEST_F(PathLook, PathOnTheMap) {
  lay_out();
  topo_redraw();
  expect_matches_reference(crop(*topo_canvas(), 24, 19, 291, 286), "path_map");
  // Node markers: a square for node 0, a circle for the rolling node 3; frame dots in green.
  EXPECT_EQ(map_at(node_topo_x[0] - 3, node_topo_y[0]), 5);
  EXPECT_EQ(map_at(node_topo_x[0] - 3, node_topo_y[0] - 3), 5);
  EXPECT_NE(map_at(node_topo_x[3] - 3, node_topo_y[3] - 3), 5);
}

TEST_F(PathLook, AltitudeProfile) {
  lay_out();
  draw_altitude_profile(current_frame);
  expect_matches_reference(crop(path_.canvas, 24, 312, 276, 436), "path_profile");
}

}  // namespace
