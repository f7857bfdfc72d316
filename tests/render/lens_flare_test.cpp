// Lens flare: which pixels flare, the glow's strength and reach, edges, stops and failures.
#include "engine/render/lens_flare.h"

#include <cmath>

#include "engine/render/lens_flare_divide.h"

#include "tests/render/post_fixture.h"

namespace {
constexpr uint32_t kFlareSlot = 77;

class LensFlareTest : public PostFrameTest {
 protected:
  void SetUp() override {
    PostFrameTest::SetUp();
    for (auto& a : class_attributes) a.flare_intensity = 0;
    render_settings.flare_enabled = 1;
  }
  static void set_flare(uint32_t slot, int32_t intensity, int32_t radius) {
    class_attributes[slot].flare_intensity = static_cast<uint8_t>(intensity);
    class_attributes[slot].flare_radius = static_cast<uint8_t>(radius);
  }
};

TEST_F(LensFlareTest, GlowStrengthFallsOffWithDistance) {
  make_frame(21, 21);
  fill_buffer(rgb(3, 0, 0, 0));
  px(10, 10) = rgb(kFlareSlot, 200, 0, 0);  // glow colour (200, 12, 13)
  set_flare(kFlareSlot, 50, 10);             // divisor 256
  ASSERT_EQ(lens_flare(), 1);
  EXPECT_EQ(px(10, 10), rgb(kFlareSlot, 200, 0, 0));  // the source itself stays
  // Distance 1: t = trunc(256 * 0.1 + 1) = 26; red 200 * 256 / 256 / 26 = 7, green 12 / 26 = 0.
  EXPECT_EQ(px(11, 10), rgb(3, 7, 0, 0));
  EXPECT_EQ(px(10, 9), rgb(3, 7, 0, 0));
  // Distance 5: t = 129.
  EXPECT_EQ(px(15, 10), rgb(3, 1, 0, 0));
  // Distance 10 (the radius) is out of reach.
  EXPECT_EQ(px(20, 10), rgb(3, 0, 0, 0));
  EXPECT_EQ(px(0, 10), rgb(3, 0, 0, 0));
}

TEST_F(LensFlareTest, FullIntensityPushesTowardsWhiteAndClamps) {
  make_frame(5, 5);
  fill_buffer(rgb(3, 250, 100, 0));
  px(2, 2) = rgb(kFlareSlot, 255, 255, 255);
  set_flare(kFlareSlot, 100, 10);  // divisor 1
  ASSERT_EQ(lens_flare(), 1);
  // t = 26 at distance 1: red 250 + (286 * 6) / 26 = 316 -> 255.
  EXPECT_EQ(px(3, 2), rgb(3, 255, 255, 255));
}

TEST_F(LensFlareTest, DarkPixelsAndClassesWithoutIntensityDoNotFlare) {
  struct Case {
    uint32_t source;
    int32_t intensity;
    bool flares;
  };
  const Case cases[] = {
      {rgb(kFlareSlot, 64, 0, 0), 100, false},   // glow (64, 4, 4)
      {rgb(kFlareSlot, 80, 0, 0), 100, true},
      {rgb(kFlareSlot, 255, 255, 255), 0, false},  // intensity 0: never
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    make_frame(9, 9);
    fill_buffer(rgb(3, 0, 0, 0));
    px(4, 4) = c.source;
    set_flare(kFlareSlot, c.intensity, 4);
    ASSERT_EQ(lens_flare(), 1);
    EXPECT_EQ(px(5, 4) != rgb(3, 0, 0, 0), c.flares);
  }
}

TEST_F(LensFlareTest, RadiusOneAndZeroBrightenNothing) {
  for (int32_t radius : {1, 0}) {
    SCOPED_TRACE(radius);
    make_frame(5, 5);
    fill_buffer(rgb(3, 10, 10, 10));
    px(2, 2) = rgb(kFlareSlot, 255, 255, 255);
    set_flare(kFlareSlot, 100, radius);
    const auto before = snapshot();
    ASSERT_EQ(lens_flare(), 1);
    EXPECT_EQ(snapshot(), before);
  }
}

TEST_F(LensFlareTest, AllIntensitiesZeroEqualsFlareOff) {
  make_frame(12, 12);
  for (int32_t y = 0; y < 12; ++y)
    for (int32_t x = 0; x < 12; ++x) px(x, y) = rgb((x * 23 + y) & 255, 255 - x, 200, 17 * y);
  const auto before = snapshot();
  ASSERT_EQ(lens_flare(), 1);
  EXPECT_EQ(snapshot(), before);
  render_settings.flare_enabled = 0;
  EXPECT_EQ(lens_flare(), -1);
  EXPECT_EQ(snapshot(), before);
}

TEST_F(LensFlareTest, NeighbouringSourcesReadEachOthersUnflaredColour) {
  make_frame(7, 3);
  fill_buffer(rgb(3, 0, 0, 0));
  px(3, 1) = rgb(kFlareSlot, 200, 0, 0);
  px(4, 1) = rgb(kFlareSlot, 200, 0, 0);
  set_flare(kFlareSlot, 50, 10);
  ASSERT_EQ(lens_flare(), 1);
  // Each source is brightened by the other one (7 each), reading 200 from the copy.
  EXPECT_EQ(px(3, 1), rgb(kFlareSlot, 200 + (200 * 56 / 256) / 26, 0, 0));
  EXPECT_EQ(px(4, 1), px(3, 1));
  // Between both glows a pixel gets both contributions.
  EXPECT_EQ(red(px(2, 1)), 7u + 200u / 52u);  // t = 26 and t = trunc(51.2 + 1) = 52
}

// Sources in the corners and along the edges spread only inside the image (checked by the sanitizers),
// also when the recorded image size is larger than the buffer.
TEST_F(LensFlareTest, SourcesAtTheEdgesStayInsideTheBuffer) {
  make_frame(6, 4);
  fill_buffer(rgb(kFlareSlot, 255, 255, 255));
  set_flare(kFlareSlot, 100, 100);
  image_width = 60;
  image_height = 40;
  ASSERT_EQ(lens_flare(), 1);
  EXPECT_EQ(px(5, 3), rgb(kFlareSlot, 255, 255, 255));
}

TEST_F(LensFlareTest, FailuresAndStop) {
  EXPECT_EQ(lens_flare(), -1);  // no vidmem24
  make_frame(8, 8);
  fill_buffer(rgb(3, 0, 0, 0));
  px(4, 4) = rgb(kFlareSlot, 255, 255, 255);
  set_flare(kFlareSlot, 100, 5);
  const auto before = snapshot();
  user_abort = 1;  // stop requested before the first row
  EXPECT_EQ(lens_flare(), -1);
  EXPECT_EQ(snapshot(), before);
  image_width = 0;  // no pixels: nothing to copy, nothing to do
  EXPECT_EQ(lens_flare(), 1);
  image_width = 8;
  host->fail_at_size = 1;  // no memory for the copy
  EXPECT_EQ(lens_flare(), -1);
  EXPECT_EQ(snapshot(), before);
}
}  // namespace

namespace {
// The glow arithmetic as written out: integer divisions in order, distance term in floating point.
void reference_flare(std::vector<uint32_t>& image, int32_t w, int32_t h) {
  const std::vector<uint32_t> copy = image;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t p = copy[y * w + x];
      const ClassAttributes& a = class_attributes[p >> 24];
      if (a.flare_intensity == 0) continue;
      const int32_t i = std::clamp<int32_t>(a.flare_intensity, 1, 100);
      const int32_t v = std::max((100 - i) * 512 / 100, 1);
      const int32_t radius = std::clamp<int32_t>(a.flare_radius, 1, 100);
      const int32_t r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      const int32_t fr = r + (g + b) / 16, fg = g + (fr + b) / 16, fb = b + (fr + fg) / 16;
      if (fr <= 64 && fg <= 64 && fb <= 64) continue;
      for (int32_t dy = -radius; dy <= radius; ++dy)
        for (int32_t dx = -radius; dx <= radius; ++dx) {
          if ((dx == 0 && dy == 0) || x + dx < 0 || x + dx >= w || y + dy < 0 || y + dy >= h) continue;
          const int32_t t = static_cast<int32_t>(
              256.0 * std::sqrt(static_cast<double>(dx * dx + dy * dy) / (radius * radius)) + 1.0);
          if (t >= 256) continue;
          uint32_t& q = image[(y + dy) * w + x + dx];
          auto ch = [&](int32_t qc, int32_t f) { return std::min(qc + (f * (256 - qc) / v) / t, 255); };
          q = (q & 0xFF000000u) | (uint32_t(ch((q >> 16) & 255, fr)) << 16) | (uint32_t(ch((q >> 8) & 255, fg)) << 8) |
              uint32_t(ch(q & 255, fb));
        }
    }
}

TEST_F(LensFlareTest, MatchesTheWrittenOutArithmeticOnAMixedImage) {
  const int32_t w = 23, h = 17;
  make_frame(w, h);
  uint32_t seed = 12345;
  auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
  for (int32_t s = 70; s < 80; ++s) set_flare(s, static_cast<int32_t>(next() % 120), static_cast<int32_t>(next() % 12));
  std::vector<uint32_t> expected;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      px(x, y) = ((70 + next() % 12) << 24) | (next() & 0xFFFFFF);
      expected.push_back(px(x, y));
    }
  reference_flare(expected, w, h);
  ASSERT_EQ(lens_flare(), 1);
  std::vector<uint32_t> actual;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) actual.push_back(px(x, y));
  EXPECT_EQ(actual, expected);
}

// Every divisor the glow uses (v * t for each intensity's v and t = 2..255), around each of its multiples up to
// the largest numerator 290 * 256.
TEST(LensFlareDivide, ReciprocalDivisionIsExactForEveryFlareDivisor) {
  for (uint32_t intensity = 1; intensity <= 100; ++intensity) {
    const uint32_t v = std::max((100 - intensity) * 512 / 100, 1u);
    for (uint32_t t = 2; t < 256; ++t) {
      const uint32_t d = v * t;
      const uint64_t m = flare_reciprocal(d);
      for (uint32_t k = d; k <= 290 * 256 + d; k += d)
        for (uint32_t n : {k - 1, k, k + 1}) ASSERT_EQ(flare_divide(n, m), n / d) << n << " / " << d;
    }
  }
}
}  // namespace
