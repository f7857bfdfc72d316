// Background and foreground pictures and stereo pairs composed from Targa files.
#include <gtest/gtest.h>

#include "engine/files/background_image.h"
#include "engine/files/stereo_image.h"
#include "engine/files/targa.h"
#include "tests/support/headless_host.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "tests/files/image_test_support.h"

using imgtest::FrameScope;
using imgtest::TempDir;

namespace {
// Writes a w by h Targa whose pixel (x, y) is pixel(x, y).
void write_targa(const std::string& path, int32_t w, int32_t h, uint32_t (*pixel)(int32_t, int32_t, uint32_t),
                 uint32_t seed) {
  FrameScope frame(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) vidmem24_row(y)[x] = pixel(x, y, seed);
  ASSERT_EQ(targa_save_frame(path.c_str()), 1);
}
uint32_t pattern(int32_t x, int32_t y, uint32_t seed) { return imgtest::pattern_rgb(x, y, seed); }
// Black sky in the top half, a colour below.
uint32_t black_sky(int32_t x, int32_t y, uint32_t) { return y < 4 ? 0 : 0x203040u + static_cast<uint32_t>(x); }
uint32_t grey(uint32_t p) { return (38 * ((p >> 16) & 0xFF) + 76 * ((p >> 8) & 0xFF) + 14 * (p & 0xFF) + 64) >> 7; }
bool shown(const HeadlessHost& host, const std::string& text) {
  for (const auto& m : host.messages)
    if (m.text == text) return true;
  return false;
}
}  // namespace

TEST(BackgroundImages, ChoosingAndCancellingSwitchThePictureOnAndOff) {
  ScopedHeadlessHost host;
  host->file_choices.push_back("TEXTURE/BackGr/sky.tga");
  EXPECT_EQ(choose_background_file(), 1);
  EXPECT_STREQ(background_name, "TEXTURE/BackGr/sky.tga");
  EXPECT_EQ(render_settings.background_enabled, 1);
  EXPECT_EQ(choose_background_file(), -1);
  EXPECT_EQ(render_settings.background_enabled, 0);
  // A path longer than the stored name is refused.
  host->file_choices.push_back(std::string(200, 'a') + ".tga");
  EXPECT_EQ(choose_foreground_file(), -1);
  EXPECT_EQ(render_settings.foreground_enabled, 0);
  EXPECT_TRUE(shown(*host, "Picture path too long (at most 127 characters)."));
}

TEST(BackgroundImages, BackgroundReplacesAndForegroundOverlaysTheFrame) {
  ScopedHeadlessHost host;
  TempDir dir;
  write_targa(dir.file("fg.tga"), 8, 8, black_sky, 0);
  write_targa(dir.file("bg.tga"), 8, 8, pattern, 5);
  FrameScope frame(8, 8);
  imgtest::fill_frames(9);
  std::snprintf(foreground_name, sizeof foreground_name, "%s", dir.file("fg.tga").c_str());
  ASSERT_EQ(load_foreground_image(), 1);
  EXPECT_EQ(vidmem24_row(1)[3], imgtest::pattern_rgb(3, 1, 9)) << "black parts leave the frame";
  EXPECT_EQ(vidmem24_row(6)[3] & 0xFFFFFF, 0x203043u);
  std::snprintf(background_name, sizeof background_name, "%s", dir.file("bg.tga").c_str());
  ASSERT_EQ(load_background_image(), 1);
  EXPECT_EQ(vidmem24_row(1)[3] & 0xFFFFFF, imgtest::pattern_rgb(3, 1, 5));
  std::snprintf(background_name, sizeof background_name, "%s", dir.file("missing.tga").c_str());
  EXPECT_EQ(load_background_image(), 0);
  EXPECT_EQ(vidmem24_row(1)[3], 0u) << "a background that cannot be read leaves the frame cleared";
  free_vidmem24();
  EXPECT_EQ(load_background_image(), 0);
  EXPECT_EQ(load_foreground_image(), 0);
}

TEST(StereoPairs, AnaglyphTakesRedFromTheLeftAndGreenBlueFromTheRight) {
  ScopedHeadlessHost host;
  TempDir dir;
  write_targa(dir.file("l.tga"), 12, 6, pattern, 1);
  write_targa(dir.file("r.tga"), 12, 6, pattern, 2);
  write_targa(dir.file("big.tga"), 14, 6, pattern, 2);
  FrameScope frame(12, 6);
  ASSERT_EQ(stereo_compose_anaglyph(dir.file("l.tga").c_str(), dir.file("r.tga").c_str()), 1);
  for (int32_t y = 0; y < 6; ++y)
    for (int32_t x = 0; x < 12; ++x) {
      const uint32_t l = grey(imgtest::pattern_rgb(x, y, 1)), r = grey(imgtest::pattern_rgb(x, y, 2));
      ASSERT_EQ(vidmem24_row(y)[x], l << 16 | r << 8 | r) << x << "," << y;
    }
  EXPECT_EQ(stereo_compose_anaglyph(dir.file("l.tga").c_str(), dir.file("big.tga").c_str()), 0);
  EXPECT_TRUE(shown(*host, kStereoSizesDiffer));
  EXPECT_EQ(stereo_compose_anaglyph(dir.file("l.tga").c_str(), dir.file("none.tga").c_str()), 0);
  // Cancelling the right requester leaves the frame untouched.
  imgtest::fill_frames(4);
  host->file_choices.push_back(dir.file("l.tga"));
  EXPECT_EQ(load_stereo_dialog(), -1);
  EXPECT_EQ(vidmem24_row(2)[2], imgtest::pattern_rgb(2, 2, 4));
  // Without memory for the grey buffer.
  host->fail_at_size = 12 * 6;
  EXPECT_EQ(stereo_compose_anaglyph(dir.file("l.tga").c_str(), dir.file("r.tga").c_str()), 0);
  EXPECT_TRUE(shown(*host, kStereoNoMemory));
  host->fail_at_size = 0;
  EXPECT_EQ(host->live_blocks, 4) << "only the frame buffers' blocks remain";
}

TEST(StereoPairs, CyberscopeTurnsBothBlocksAndDrawsTheDivider) {
  ScopedHeadlessHost host;
  TempDir dir;
  // 64 by 48: half 32, r0 8, c0 8, divider d = 1 (columns 30 to 33).
  write_targa(dir.file("l.tga"), 64, 48, pattern, 1);
  write_targa(dir.file("r.tga"), 64, 48, pattern, 2);
  FrameScope frame(64, 48);
  host->file_choices = {dir.file("l.tga"), dir.file("r.tga")};
  ASSERT_EQ(stereo_compose_cyberscope(), 1);
  EXPECT_EQ(vidmem24_row(5)[3] & 0xFFFFFF, imgtest::pattern_rgb(8 + 47 - 5, 8 + 3, 1));
  EXPECT_EQ(vidmem24_row(5)[32 + 10] & 0xFFFFFF, imgtest::pattern_rgb(8 + 5, 8 + 31 - 10, 2));
  for (int32_t y : {0, 47})
    for (int32_t x = 30; x <= 33; ++x) EXPECT_EQ(vidmem24_row(y)[x], 0u) << x;
  EXPECT_NE(vidmem24_row(0)[29], 0u);
  EXPECT_NE(vidmem24_row(0)[34], 0u);

  // Right requester cancelled: -1, the left picture shown as loaded.
  host->file_choices = {dir.file("l.tga")};
  EXPECT_EQ(stereo_compose_cyberscope(), -1);
  EXPECT_EQ(vidmem24_row(5)[3] & 0xFFFFFF, imgtest::pattern_rgb(3, 5, 1));
  EXPECT_EQ(host->live_blocks, 4) << "only the frame buffers' blocks remain";
}

TEST(StereoPairs, CyberscopeRefusesShapesItCannotTurn) {
  ScopedHeadlessHost host;
  for (auto [w, h] : {std::pair{64, 20}, {40, 64}}) {
    FrameScope frame(w, h);
    host->file_choices = {"l.tga", "r.tga"};
    EXPECT_EQ(stereo_compose_cyberscope(), 0) << w << "x" << h;
    EXPECT_TRUE(shown(*host, kStereoCyberscopeShape));
    EXPECT_EQ(host->file_choices.size(), 2u) << "nothing was asked";
  }
}
