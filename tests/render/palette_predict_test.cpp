// Palette prediction and picking: histogram picks and merging, make_palette, ui_make_palette, remap and conversion.
#include "engine/render/palette_predict.h"
#include "engine/render/palette_predict_steps.h"

#include <cstring>
#include <set>

#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/raster/dither.h"
#include "engine/raster/haze.h"
#include "engine/raster/image_palette.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/scene/texture_slots.h"
#include "tests/render/post_fixture.h"

namespace {
class PaletteTest : public PostFrameTest {
 protected:
  uint32_t saved_dither_seed = 0;

  void SetUp() override {
    PostFrameTest::SetUp();
    saved_dither_seed = dither_seed;
    std::memset(image_palette, 0, sizeof image_palette);
    set_landscape_size(258, 258);
  }
  void TearDown() override {
    texture_slots[40].loaded = 0;
    texture_slots[40].levels[0] = {};
    texture_slots[40].levels[2] = {};
    clear_color_cache();
    std::memset(image_palette, 0, sizeof image_palette);
    std::memset(display_palette, 0, sizeof display_palette);
    dither_seed = saved_dither_seed;
    point_distance = 0;
    haze_factor = 0;
    set_landscape_size(258, 258);
    PostFrameTest::TearDown();
  }
  static int32_t c555(int32_t r, int32_t g, int32_t b) { return (r << 10) | (g << 5) | b; }
  static uint32_t entry_rgb(int32_t i) {
    return (uint32_t{image_palette[i].red} << 16) | (uint32_t{image_palette[i].green} << 8) | image_palette[i].blue;
  }
  static uint32_t bin_colour(int32_t c) {
    return (uint32_t((c >> 10) & 31) * 8 << 16) | (uint32_t((c >> 5) & 31) * 8 << 8) | uint32_t(c & 31) * 8;
  }
  // A scene whose sky, cloud and horizon all shade to one colour and whose landscape is one dark sample.
  static void one_colour_scene() {
    for (auto& e : color_table) e = {0, 0, 0, 0};
    color_table[33] = color_table[76] = color_table[32] = {0, 0, 150, 90};
    render_settings.haze_density = 0;
    light_state.flat_intensity = light_state.sky_intensity = 200;
    set_landscape_size(3, 3);
  }
};

TEST_F(PaletteTest, MostAndLeastFrequentTakeTheFirstOfEqualCounts) {
  zero_color_cache();
  EXPECT_EQ(most_frequent_color(), 0);
  EXPECT_EQ(least_frequent_color(), 0);
  color_cache[500] = 7;
  color_cache[90] = 9;
  color_cache[300] = 9;
  color_cache[1000] = 7;
  color_cache[2000] = 40000;  // too frequent to count as least
  EXPECT_EQ(most_frequent_color(), 2000);
  EXPECT_EQ(least_frequent_color(), 500);
}

TEST_F(PaletteTest, FrequencySearchesMatchOneLoopKeepingTheStrictlyBetterBin) {
  // Random histograms, sparse and dense, with counts about the 32767 limit and ties, against the plain loops.
  uint32_t state = 12345;
  auto next = [&] { return state = state * 1664525u + 1013904223u; };
  for (int32_t trial = 0; trial < 40; ++trial) {
    zero_color_cache();
    const uint32_t fill = trial % 4;  // every bin, one in 16, one in 1024, none
    for (int32_t c = 0; c < kHistogramBins; ++c) {
      const uint32_t r = next();
      if (fill == 3 || (fill == 1 && (r & 15) != 0) || (fill == 2 && (r & 1023) != 0)) continue;
      const uint32_t kind = (r >> 8) % 5;
      color_cache[c] = static_cast<uint16_t>(kind == 0 ? 32766 + (r >> 16) % 3 : kind == 1 ? 0xFFFF : 1 + (r >> 16) % 50);
    }
    int32_t most = 0, least = 0;
    uint16_t most_count = 0, least_count = 32767;
    for (int32_t c = 0; c < kHistogramBins; ++c) {
      if (color_cache[c] > most_count) most_count = color_cache[c], most = c;
      if (color_cache[c] != 0 && color_cache[c] < least_count) least_count = color_cache[c], least = c;
    }
    EXPECT_EQ(most_frequent_color(), most) << "trial " << trial;
    EXPECT_EQ(least_frequent_color(), least) << "trial " << trial;
  }
}

TEST_F(PaletteTest, MergeNeighbourhoodGrowsWithColoursPerSlot) {
  struct Case {
    uint32_t colors, slots;
    std::vector<int32_t> emptied, kept;
  };
  const int32_t c = c555(10, 10, 10);
  const Case cases[] = {
      {5, 5, {c}, {c555(9, 10, 10), c555(11, 10, 10)}},                                   // q 1
      {10, 5, {c, c555(9, 10, 10), c555(10, 9, 10), c555(10, 10, 9)}, {c555(11, 10, 10)}},  // q 2
      {15, 5, {c, c555(11, 10, 10), c555(10, 9, 10), c555(10, 10, 11)}, {c555(11, 11, 10)}},  // q 3
      {20, 5, {c555(11, 11, 11), c555(9, 9, 9)}, {c555(12, 10, 10)}},                      // q 4: d 1
      {100, 4, {c555(12, 8, 10), c555(8, 12, 12)}, {c555(13, 10, 10)}},                    // q 25: d 2
      {20, 0, {c555(12, 8, 10)}, {c555(13, 10, 10)}},  // no slot left: q is the colour count, d 2
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.colors * 100 + k.slots);
    zero_color_cache();
    for (int32_t r = 7; r <= 13; ++r)
      for (int32_t g = 7; g <= 13; ++g)
        for (int32_t b = 7; b <= 13; ++b) color_cache[c555(r, g, b)] = 3;
    histogram_total = 3 * 343;
    histogram_colors = k.colors;
    palette_slots_left = k.slots;
    merge_nearby_colors(c);
    for (int32_t e : k.emptied) EXPECT_EQ(color_cache[e], 0) << e;
    for (int32_t e : k.kept) EXPECT_EQ(color_cache[e], 3) << e;
    EXPECT_EQ(palette_slots_left, k.slots == 0 ? 0u : k.slots - 1);  // never wraps below 0
  }
}

TEST_F(PaletteTest, MergeKeepsCountersAndClipsAtTheCubeEdges) {
  zero_color_cache();
  color_cache[0] = 5;
  color_cache[c555(1, 1, 1)] = 6;
  color_cache[c555(31, 31, 31)] = 2;
  count_histogram();
  EXPECT_EQ(histogram_total, 13u);
  EXPECT_EQ(histogram_colors, 3u);
  palette_slots_left = 1;
  histogram_colors = 30;  // q 30: d 2
  merge_nearby_colors(0);
  EXPECT_EQ(histogram_total, 2u);
  EXPECT_EQ(histogram_colors, 28u);
  EXPECT_EQ(color_cache[c555(31, 31, 31)], 2);
}

TEST_F(PaletteTest, EveryFourthPickIsTheLeastFrequent) {
  render_settings.palette_colors = 6;
  zero_color_cache();
  const int32_t a = c555(31, 0, 0), b = c555(0, 31, 0), c = c555(0, 0, 31), d = c555(31, 31, 0),
                rare = c555(0, 31, 31), e = c555(16, 16, 16);
  color_cache[a] = 100;
  color_cache[b] = 90;
  color_cache[c] = 80;
  color_cache[d] = 70;
  color_cache[e] = 60;
  color_cache[rare] = 5;
  count_histogram();
  palette_slots_left = 5;  // 6 colours over 5 slots: each pick empties its own bin only
  ASSERT_EQ(pick_palette_colors(1), 1);
  std::set<uint32_t> chosen;
  for (int32_t i = 1; i < 6; ++i) chosen.insert(entry_rgb(i));
  EXPECT_EQ(chosen, (std::set<uint32_t>{bin_colour(a), bin_colour(b), bin_colour(c), bin_colour(d), bin_colour(rare)}));
  EXPECT_EQ(derived_data.palette_stale, 0);
}

TEST_F(PaletteTest, LockedOrCurrentPaletteIsKept) {
  image_palette[5] = {1, 2, 3, 4};
  for (int32_t locked : {1, 0}) {
    render_settings.palette_locked = locked;
    derived_data.palette_stale = locked ? 258 : 0;
    EXPECT_EQ(make_palette(), 1);
    EXPECT_EQ(ui_make_palette(), 1);
    EXPECT_EQ(image_palette[5].red, 1);
    EXPECT_EQ(image_palette[1].red, 0);
  }
}

TEST_F(PaletteTest, TwoColoursGiveBlackAndTheMostFrequentPrediction) {
  one_colour_scene();
  render_settings.palette_colors = 2;
  derived_data.palette_stale = 258;
  ASSERT_EQ(make_palette(), 1);
  EXPECT_EQ(entry_rgb(0), 0u);
  point_distance = 0;
  haze_factor = 0;
  const uint32_t sky = shade_color(0, 150, 90, 200, 0, 0);
  EXPECT_EQ(entry_rgb(1), bin_colour(rgb555_of(sky)));
  EXPECT_EQ(derived_data.palette_stale, 0);
  EXPECT_EQ(light_state.haze_color_slot, 26);
}

TEST_F(PaletteTest, PredictionRestartsTheRandomStreamsFromZero) {
  one_colour_scene();
  derived_data.palette_stale = 1;
  ASSERT_EQ(make_palette(), 1);
  const int32_t after = random8();
  random_seed(0);
  EXPECT_EQ(after, random8());
}

TEST_F(PaletteTest, SchemeColourWithRedZeroIsPredictedButBlackIsNot) {
  one_colour_scene();
  color_table[33] = color_table[76] = color_table[32] = {0, 0, 0, 0};
  const CloudSettings clouds = cloud_settings;
  cloud_settings.cloud_lining = 0;  // no lining: black cloud stays black
  color_table[60] = {0, 0, 0, 200};
  zero_color_cache();
  predict_colors();
  uint32_t total = 0;
  for (int32_t i = 1; i < kHistogramBins; ++i) total += color_cache[i];
  EXPECT_GT(total, 0u);  // only class 60 can give colours other than black
  color_table[60] = {0, 0, 0, 0};
  zero_color_cache();
  predict_colors();
  total = 0;
  for (int32_t i = 1; i < kHistogramBins; ++i) total += color_cache[i];
  EXPECT_EQ(total, 0u);
  cloud_settings = clouds;
}

TEST_F(PaletteTest, TexturedClassesArePredictedFromTheirTexels) {
  one_colour_scene();
  color_table[33] = color_table[76] = color_table[32] = {0, 0, 0, 0};
  const CloudSettings clouds = cloud_settings;
  cloud_settings.cloud_lining = 0;  // no lining: black cloud stays black
  color_table[40] = {0, 0, 200, 0};  // scheme colour not used while a texture is loaded
  static uint32_t texels[4] = {0xFF0000C8u, 0xFF0000C8u, 0xFF0000C8u, 0xFF0000C8u};
  texture_slots[40].loaded = 40;
  texture_slots[40].levels[0] = {2, 2, 0, texels};
  texture_slots[40].levels[2] = {};  // an empty level is skipped
  zero_color_cache();
  predict_colors();
  haze_factor = 0;
  uint32_t blue_total = 0, green_total = 0;
  for (int32_t i = 1; i < kHistogramBins; ++i) {
    if (((i >> 5) & 31) != 0) green_total += color_cache[i];
    if ((i & 31) != 0) blue_total += color_cache[i];
  }
  EXPECT_GT(blue_total, 0u);
  EXPECT_EQ(green_total, 0u);
  cloud_settings = clouds;
}

TEST_F(PaletteTest, PaletteSizeOutsideItsRangeIsClamped) {
  one_colour_scene();
  for (int32_t colors : {0, 1, -5, 257, 100000}) {
    SCOPED_TRACE(colors);
    render_settings.palette_colors = colors;
    derived_data.palette_stale = 1;
    ASSERT_EQ(make_palette(), 1);
    EXPECT_EQ(render_settings.palette_colors, colors < 2 ? 2 : 256);
    render_settings.palette_colors = colors;
    derived_data.palette_stale = 1;
    ASSERT_EQ(ui_make_palette(), 1);
  }
}

TEST_F(PaletteTest, StopWhilePickingKeepsThePaletteStale) {
  one_colour_scene();
  derived_data.palette_stale = 1;
  user_abort = 1;
  EXPECT_EQ(make_palette(), -1);
  EXPECT_NE(derived_data.palette_stale, 0);
}

TEST_F(PaletteTest, ImagePaletteAlwaysHoldsBlackWhiteAndGrey) {
  make_frame(16, 16);
  fill_buffer(rgb(1, 10, 200, 30));
  render_settings.palette_colors = 3;
  derived_data.palette_stale = 1;
  ASSERT_EQ(ui_make_palette(), 1);
  EXPECT_EQ(entry_rgb(0), 0u);
  EXPECT_EQ(entry_rgb(1), 0xF8F8F8u);  // sorted: equal hue and saturation, larger value first
  EXPECT_EQ(entry_rgb(2), 0x787878u);
  // With room for more, the image's colour is picked too.
  render_settings.palette_colors = 8;
  derived_data.palette_stale = 1;
  ASSERT_EQ(ui_make_palette(), 1);
  std::set<uint32_t> chosen;
  for (int32_t i = 0; i < 8; ++i) chosen.insert(entry_rgb(i));
  EXPECT_TRUE(chosen.count(bin_colour(rgb555_of(rgb(1, 10, 200, 30)))));
  EXPECT_TRUE(chosen.count(0xF8F8F8u));
  EXPECT_TRUE(chosen.count(0x787878u));
}

TEST_F(PaletteTest, ImagePaletteOfNoImageOrTwoColours) {
  render_settings.palette_colors = 2;  // fewer entries than the three fixed colours
  derived_data.palette_stale = 1;
  EXPECT_EQ(ui_make_palette(), 1);  // no vidmem24: the histogram stays empty
  EXPECT_EQ(palette_slots_left, 0u);
}

TEST_F(PaletteTest, RemapOfOneColourPalette) {
  PaletteEntry palette[256];
  for (auto& e : palette) e = {100, 50, 200, 9};
  uint32_t mapping[256];
  remap_to_palette(palette, mapping);
  EXPECT_EQ(palette[0].red, 0);
  EXPECT_EQ(palette[127].blue, 0);
  EXPECT_EQ(palette[128].red, 103);  // (100 >> 3) * 8 + 7
  EXPECT_EQ(palette[128].green, 55);
  EXPECT_EQ(palette[128].blue, 207);
  for (int32_t i = 129; i < 256; ++i) {
    EXPECT_EQ(palette[i].red, 7);
    EXPECT_EQ(palette[i].green, 7);
    EXPECT_EQ(palette[i].blue, 7);
  }
  for (uint32_t m : mapping) EXPECT_EQ(m, 128u);
}

// Counts are 1000 per entry in 16-bit bins: 156 entries of one colour wrap to 24928 and rank last.
TEST_F(PaletteTest, RemapRanksByWrappedCountsAndMapsToNearest) {
  PaletteEntry palette[256];
  for (int32_t i = 0; i < 256; ++i)
    palette[i] = i < 60 ? PaletteEntry{250, 10, 10, 0} : i < 100 ? PaletteEntry{10, 10, 250, 0} : PaletteEntry{12, 240, 9, 0};
  uint32_t mapping[256];
  remap_to_palette(palette, mapping);
  EXPECT_EQ(palette[128].red, 255);
  EXPECT_EQ(palette[129].blue, 255);
  EXPECT_EQ(palette[130].green, 247);
  EXPECT_EQ(palette[131].red, 7);
  for (int32_t i = 0; i < 256; ++i) EXPECT_EQ(mapping[i], i < 60 ? 128u : i < 100 ? 129u : 130u) << i;
}

TEST_F(PaletteTest, ConversionWithoutDitherIsRepeatable) {
  make_frame(32, 16);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 32; ++x) px(x, y) = rgb(1, x * 8, y * 16, (x * y) & 255);
  render_settings.palette_colors = 16;
  derived_data.palette_stale = 1;
  ASSERT_EQ(ui_make_palette(), 1);
  reset_palette();
  render_settings.dither_amount = 0;
  convert_vidmem24_to_8();
  std::vector<uint8_t> first;
  for (int32_t y = 0; y < 16; ++y) first.insert(first.end(), vidmem8_row(y), vidmem8_row(y) + 32);
  convert_vidmem24_to_8();
  std::vector<uint8_t> second;
  for (int32_t y = 0; y < 16; ++y) second.insert(second.end(), vidmem8_row(y), vidmem8_row(y) + 32);
  EXPECT_EQ(first, second);
  for (uint8_t i : first) {
    EXPECT_GE(i, 1);
    EXPECT_LT(i, 16);
  }
  EXPECT_EQ(display_palette[1].red, image_palette[1].red);
}
}  // namespace
