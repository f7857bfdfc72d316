// The star field: the star map's values, the same sky on every run, drawing, the night switches and a failed map.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "tests/scene/sky_scene_fixture.h"

namespace {

class StarFieldTest : public SkySceneTest {
 protected:
  void SetUp() override {
    SkySceneTest::SetUp();
    free_starmap();
    terrain_settings.fractal_seed = 0;
    build_starmap();
    ASSERT_NE(starmap, nullptr);
  }
  void TearDown() override {
    free_starmap();
    SkySceneTest::TearDown();
  }
  // A grey star straight ahead of the camera.
  static void draw_star_at_centre() {
    draw_star(static_cast<int32_t>(camera_state.camera_x), static_cast<int32_t>(camera_state.camera_y) + 16000,
              static_cast<int32_t>(camera_state.camera_z), 0x646464u);
  }
  static int32_t count_nonzero() {
    int32_t n = 0;
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) n += px(x, y) != 0;
    return n;
  }
};

TEST_F(StarFieldTest, MapValuesStayInRange) {
  for (int32_t i = 0; i < kStarCount; ++i) {
    const StarRecord& s = starmap[i];
    const double dx = s.dx, dy = s.dy, dz = s.dz;
    const double len = std::sqrt(dx * dx + dy * dy + dz * dz);
    for (int16_t d : {s.dx, s.dy, s.dz}) ASSERT_LE(std::abs(d), 16000) << i;
    ASSERT_GE(len, 8000.0) << i;  // the whole-number factor keeps at least half the length
    ASSERT_NE(s.dz, 0) << i;
    for (uint8_t c : {s.r, s.g, s.b}) {
      ASSERT_GE(c, 32) << i;
      ASSERT_LE(c, 190) << i;
    }
    const int32_t lo = std::min({s.r, s.g, s.b}), hi = std::max({s.r, s.g, s.b});
    ASSERT_LE(hi - lo, 31) << i;
  }
}

TEST_F(StarFieldTest, SameFieldOnEveryRun) {
  const std::vector<StarRecord> first(starmap, starmap + kStarCount);
  random_seed(999);  // whatever the stream held before
  free_starmap();
  terrain_settings.fractal_seed = 0;
  build_starmap();
  ASSERT_NE(starmap, nullptr);
  for (int32_t i = 0; i < kStarCount; ++i) {
    ASSERT_EQ(starmap[i].dx, first[i].dx) << i;
    ASSERT_EQ(starmap[i].r, first[i].r) << i;
  }
  // The first star of the start-up sky: seed 0, three discarded draws, then seven draws for the star.
  random_seed(0);
  for (int32_t i = 0; i < 3; ++i) random8();
  const int32_t dx = random8(), dy = random8();
  int32_t dz = random8();
  if (dz == 0) dz = 1;
  const int32_t f = 16000 / static_cast<int32_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy + dz * dz)));
  const int32_t base = (random8() & 127) + 32;
  EXPECT_EQ(first[0].dx, dx * f);
  EXPECT_EQ(first[0].dy, dy * f);
  EXPECT_EQ(first[0].dz, dz * f);
  EXPECT_EQ(first[0].r, base + (random8() & 31));
  EXPECT_EQ(first[0].g, base + (random8() & 31));
  EXPECT_EQ(first[0].b, base + (random8() & 31));
}

TEST_F(StarFieldTest, NightSkyShowsStarsOnlyWhenEnabled) {
  stars_on();
  look(0.0f, 45.0f);
  sun_moon_state.stars_enabled = 0;
  ASSERT_EQ(render_sky(), 1);
  const auto sky = image_pixels();
  draw_stars();
  EXPECT_EQ(image_pixels(), sky);
  sun_moon_state.stars_enabled = 1;
  draw_stars();
  const auto first = image_pixels();
  int32_t drawn = 0;
  for (size_t i = 0; i < sky.size(); ++i) drawn += sky[i] != first[i];
  EXPECT_GT(drawn, 9);
  ASSERT_EQ(render_sky(), 1);
  draw_stars();
  EXPECT_EQ(image_pixels(), first);
  // Stars are written with the Sky slot.
  for (int32_t y = 0; y < image_height; ++y)
    for (int32_t x = 0; x < image_width; ++x) ASSERT_EQ(px(x, y) >> 24, 33u);
}

TEST_F(StarFieldTest, AntialiasingDrawsAThreeByThreePattern) {
  stars_on();
  render_settings.antialias_mode = 0;
  clear_frame_buffers();
  draw_star_at_centre();
  EXPECT_EQ(count_nonzero(), 1);
  render_settings.antialias_mode = 1;
  clear_frame_buffers();
  draw_star_at_centre();
  EXPECT_EQ(count_nonzero(), 9);
  int32_t full = 0, half = 0;
  for (int32_t y = 0; y < image_height; ++y)
    for (int32_t x = 0; x < image_width; ++x) {
      full += (px(x, y) & 0xFFFFFF) == 0x646464u;
      half += (px(x, y) & 0xFFFFFF) == 0x323232u;
    }
  EXPECT_EQ(full, 5);
  EXPECT_EQ(half, 4);
}

TEST_F(StarFieldTest, PixelsOutsideTheImageAreDropped) {
  // A square projection taller than the image: rows are centred, columns are not shifted.
  proj_width = proj_height = 64;
  clear_frame_buffers();
  plot_star_pixel(5, 8, 0x102030);  // image row 8 - (64 - 48) / 2 = 0
  EXPECT_EQ(px(5, 0) & 0xFFFFFF, 0x102030u);
  for (const auto& p : {std::pair{5, 7}, std::pair{5, 56}, std::pair{64, 20}, std::pair{-1, 20}}) {
    clear_frame_buffers();
    plot_star_pixel(p.first, p.second, 0xFFFFFF);
    EXPECT_EQ(count_nonzero(), 0) << p.first << " " << p.second;
  }
}

TEST_F(StarFieldTest, SwitchesSaveAndRestoreTheSkyColours) {
  // Off before any on: the saved colours are black.
  reset_star_field_state();
  stars_off();
  EXPECT_EQ(color_table[33].red + color_table[33].green + color_table[33].blue, 0);
  color_table[33] = {0, 10, 20, 30};
  color_table[26] = {0, 40, 50, 60};
  color_table[25] = {0, 70, 80, 90};
  stars_on();
  EXPECT_EQ(sun_moon_state.stars_enabled, 1);
  EXPECT_EQ(color_table[33].blue, 1);
  EXPECT_EQ(color_table[26].red, 16);
  EXPECT_EQ(color_table[25].blue, 24);
  stars_off();
  EXPECT_EQ(sun_moon_state.stars_enabled, 0);
  EXPECT_EQ(color_table[33].green, 20);
  EXPECT_EQ(color_table[26].blue, 60);
  EXPECT_EQ(color_table[25].red, 70);
  // On twice: the second call saves the night colours, which the following off keeps.
  stars_on();
  stars_on();
  stars_off();
  EXPECT_EQ(color_table[33].blue, 1);
  EXPECT_EQ(color_table[25].blue, 24);
  moon_on();
  EXPECT_EQ(sun_moon_state.moon_enabled, 1);
  moon_off();
  EXPECT_EQ(sun_moon_state.moon_enabled, 0);
}

TEST_F(StarFieldTest, FailedMapLeavesTheSkyEmptyAndSaysSoOnce) {
  free_starmap();
  host->fail_at_size = sizeof(StarRecord) * kStarCount;
  host->messages.clear();
  build_starmap();
  build_starmap();
  host->fail_at_size = 0;
  EXPECT_EQ(starmap, nullptr);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_EQ(host->messages[0].text, "Insufficient memory (starmap)");
  EXPECT_EQ(host->messages[0].button1, "  OK  ");
  stars_on();
  clear_frame_buffers();
  EXPECT_EQ(draw_stars(), 1);
  EXPECT_EQ(count_nonzero(), 0);
}

}  // namespace
