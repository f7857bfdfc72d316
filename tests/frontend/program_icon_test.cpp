// The program's icon: every size shows sky, sun, snow, rock and ground in their places inside a dark frame.
#include <gtest/gtest.h>

#include "frontend/logic/program_icon.h"

namespace {
bool blueish(uint32_t c) { return (c & 0xFF) > ((c >> 16) & 0xFF) + 40; }
bool greenish(uint32_t c) { return ((c >> 8) & 0xFF) > ((c >> 16) & 0xFF) + 40 && ((c >> 8) & 0xFF) > (c & 0xFF) + 40; }
}  // namespace

TEST(ProgramIcon, SkySunSnowAndGroundInTheirPlaces) {
  for (int32_t size : {16, 32, 48, 64}) {
    const std::vector<uint32_t> px = program_icon_pixels(size);
    ASSERT_EQ(px.size(), static_cast<size_t>(size * size)) << size;
    auto at = [&](double u, double v) {
      return px[static_cast<size_t>(v * size) * size + static_cast<size_t>(u * size)];
    };
    EXPECT_EQ(at(0, 0), 0x202020u) << size;                       // the frame
    EXPECT_TRUE(blueish(at(0.1, 0.1))) << size;                   // sky at the top left
    EXPECT_EQ(at(0.76, 0.20), 0xFFD040u) << size;                 // the sun
    EXPECT_EQ(at(0.30, 0.32), 0xF4F4F4u) << size;                 // snow on the high peak
    EXPECT_TRUE(greenish(at(0.5, 0.9))) << size;                  // the ground
  }
  EXPECT_TRUE(program_icon_pixels(4).empty());
  EXPECT_TRUE(program_icon_pixels(1000).empty());
}
