// One flight per vehicle preset over the default landscape: the same frames on every run, pinned
// by golden values.
#include <gtest/gtest.h>


#include "engine/core/random.h"
#include "tests/animation/path_fixture.h"

namespace {

// FNV-1a over the frames' bytes.
uint64_t frames_hash() {
  uint64_t h = 1469598103934665603ull;
  const auto* p = reinterpret_cast<const uint8_t*>(path_frames);
  const size_t n = sizeof(PathFrame) * static_cast<size_t>(path_frame_count);
  for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 1099511628211ull;
  return h;
}

class PathGolden : public PathTest {
 protected:
  // A tour over the stepped pyramid with a look-at target, a release and a roll.
  void place_tour() {
    random_seed(1234);  // the default landscape's uneven ground comes from the random stream
    make_default_landscape();
    const float pts[8][2] = {{1500, 1500}, {3840, 1200}, {6200, 1800}, {6500, 3840},
                             {5800, 6200}, {3840, 6500}, {1600, 5900}, {1300, 3840}};
    path_node_count = 0;
    for (const auto& p : pts) ASSERT_EQ(append_path_node(make_path_node(p[0], p[1]), 0, 0), 1);
    path_nodes[2].target_state = kTargetLook;
    path_nodes[2].target_x = 3840.0f;
    path_nodes[2].target_y = 3840.0f;
    path_nodes[2].target_z = 200.0f;
    path_nodes[4].target_state = kTargetRelease;
    path_nodes[3].roll = 24;
    path_nodes[5].speed = 4500.0f;
  }
};

struct Golden {
  int32_t preset;
  int32_t frames;
  uint64_t hash;
  float x, y, altitude, bank, heading, pitch;  // of the middle frame
};

TEST_F(PathGolden, EveryPresetFliesTheSameFramesOnEveryRun) {
  const Golden goldens[] = {
#include "tests/animation/path_golden_values.inc"
  };
  for (const Golden& g : goldens) {
    SCOPED_TRACE(g.preset);
    reset_path_state();
    apply_vehicle_preset(g.preset);
    place_tour();
    generate_path_frames(0);
    const uint64_t first = frames_hash();
    const PathFrame mid = path_frames[path_frame_count / 2];
    // Again from the same nodes: frame for frame the same.
    generate_path_frames(0);
    EXPECT_EQ(frames_hash(), first);
    EXPECT_TRUE(all_finite());
    EXPECT_EQ(path_frame_count, g.frames);
    EXPECT_EQ(first, g.hash);
    EXPECT_EQ(mid.x, g.x);
    EXPECT_EQ(mid.y, g.y);
    EXPECT_EQ(mid.altitude, g.altitude);
    EXPECT_EQ(mid.bank, g.bank);
    EXPECT_EQ(mid.heading, g.heading);
    EXPECT_EQ(mid.pitch, g.pitch);
  }
}

}  // namespace
