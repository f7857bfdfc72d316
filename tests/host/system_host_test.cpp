// The system host: a clock that runs by itself and zero-filled memory.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/host/system_host.h"

TEST(SystemHost, ClockRunsWithRealTime) {
  SystemHost system;
  const uint32_t start = system.tick_count();
  system.sleep_ms(30);
  const uint32_t elapsed = system.tick_count() - start;  // wraps like the engine's own differences
  EXPECT_GE(elapsed, 25u);
  EXPECT_LT(elapsed, 10000u);
}

TEST(SystemHost, MemoryIsZeroFilledAndQuestionsTakeTheFirstButton) {
  SystemHost system;
  auto* block = static_cast<unsigned char*>(system.alloc_zeroed(4096));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 4096; ++i) ASSERT_EQ(block[i], 0) << i;
  system.free_block(block);
  int32_t value = 7;
  EXPECT_EQ(system.ask_value("How many?", "OK", "Cancel", &value), 1);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(system.ask_yes_no("Continue?", "Yes", "No"), 1);
}
