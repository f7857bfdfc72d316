// Allocation of the camera-path frame array.
#include <gtest/gtest.h>

#include "engine/animation/path_frames.h"
#include "tests/support/headless_host.h"
#include "tests/support/engine_test.h"

namespace {

class PathFramesTest : public EngineTest {
 protected:
  void SetUp() override { free_path_frames(); }
  void TearDown() override {
    free_path_frames();
    clear_path();
  }
  ScopedHeadlessHost host_;
};

TEST_F(PathFramesTest, TakesTenThousandElseFiveThousandElseReports) {
  struct Case {
    size_t fail_at;  // allocations of at least this size fail (0: none)
    int32_t capacity;
    bool message;
  };
  const Case cases[] = {
      {0, 9999, false},
      {sizeof(PathFrame) * 10000, 4999, false},
      {sizeof(PathFrame) * 5000, 0, true},
  };
  for (const Case& c : cases) {
    free_path_frames();
    host_->messages.clear();
    host_->fail_at_size = c.fail_at;
    alloc_path_frames();
    EXPECT_EQ(path_frame_capacity, c.capacity);
    EXPECT_EQ(path_frames != nullptr, !c.message);
    ASSERT_EQ(host_->messages.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(host_->messages[0].text, "Out of memory (map)!");
      EXPECT_EQ(host_->messages[0].button1, "  OK  ");
    }
  }
}

TEST_F(PathFramesTest, SecondCallKeepsTheArrayAndClearPathEmptiesCounts) {
  alloc_path_frames();
  PathFrame* first = path_frames;
  path_frames[3].heading = 45.0f;
  alloc_path_frames();
  EXPECT_EQ(path_frames, first);
  EXPECT_EQ(path_frames[3].heading, 45.0f);

  path_frame_count = 12;
  path_node_count = 5;
  current_frame = 3;
  clear_path();
  EXPECT_EQ(path_frame_count, 0);
  EXPECT_EQ(path_node_count, 0);
  EXPECT_EQ(current_frame, 3);
  EXPECT_EQ(path_frames[3].heading, 45.0f);  // the array is not cleared
}

}  // namespace
