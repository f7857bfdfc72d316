// The surface-detail command: level buttons switch detail on and off; Shift asks for the thresholds.
#include <gtest/gtest.h>

#include "engine/core/settings.h"
#include "engine/panels/detail_command.h"
#include "engine/render/lighting.h"
#include "tests/support/engine_test.h"
#include "tests/support/headless_host.h"

namespace {

class DetailCommandTest : public EngineTest {
 protected:
  void TearDown() override { set_detail_level(1, 2); }  // the thresholds are module state
  ScopedHeadlessHost host_;
};

TEST_F(DetailCommandTest, LevelButtonsAndShiftPrompt) {
  set_detail_level(2, 0);
  surface_detail_command(3);  // from level 0 the mode becomes 1
  EXPECT_EQ(render_settings.detail_enabled, 1);
  EXPECT_EQ(max_polygon_size, 10);
  surface_detail_command(0);
  EXPECT_EQ(render_settings.detail_enabled, 0);
  // With Shift held the two thresholds are asked for.
  host_->shift = 1;
  host_->value_answers = {{1, 33}, {1, 5}};
  surface_detail_command(2);
  EXPECT_EQ(max_polygon_size, 33);
  EXPECT_EQ(max_detail_depth, 5);
}

}  // namespace
