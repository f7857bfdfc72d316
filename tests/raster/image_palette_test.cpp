// HSV conversions, the nearest-colour rules of the colour cache and palette sorting.
#include <algorithm>
#include <cstdlib>

#include "tests/raster/raster_fixture.h"

using ImagePaletteTest = RasterTest;

namespace {
ColorHSV hsv_of(uint8_t r, uint8_t g, uint8_t b) {
  ColorHSV c{r, g, b, 0, 0, 0};
  rgb_to_hsv(c);
  return c;
}
ColorHSV rgb_of(uint8_t h, uint8_t s, uint8_t v) {
  ColorHSV c{0, 0, 0, h, s, v};
  hsv_to_rgb(c);
  return c;
}
}  // namespace

TEST(Hsv, RgbToHsvCases) {
  struct Case {
    uint8_t r, g, b, h, s, v;
  };
  const Case cases[] = {
      {255, 0, 0, 0, 255, 255},      // s of 256 is stored as 255
      {0, 0, 255, 170, 255, 255},    // 1024 / 6
      {255, 0, 255, 214, 255, 255},  // red tested first: H = -256, h = -42 + 256
      {128, 128, 128, 0, 0, 128},    {0, 0, 0, 0, 0, 0},
      {0, 255, 0, 85, 255, 255},     {255, 128, 0, 21, 255, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.r) << "," << int(c.g) << "," << int(c.b));
    const ColorHSV got = hsv_of(c.r, c.g, c.b);
    EXPECT_EQ(got.h, c.h);
    EXPECT_EQ(got.s, c.s);
    EXPECT_EQ(got.v, c.v);
  }
}

TEST(Hsv, HsvToRgbHueWrapAndGrey) {
  for (int s : {1, 100, 255}) {
    const ColorHSV a = rgb_of(255, static_cast<uint8_t>(s), 200), b = rgb_of(0, static_cast<uint8_t>(s), 200);
    EXPECT_EQ(std::make_tuple(a.r, a.g, a.b), std::make_tuple(b.r, b.g, b.b));
  }
  const ColorHSV grey = rgb_of(77, 0, 123);
  EXPECT_EQ(std::make_tuple(grey.r, grey.g, grey.b), std::make_tuple(123, 123, 123));
  const ColorHSV blue = rgb_of(172, 255, 255);  // sector 4
  EXPECT_EQ(blue.b, 255);
  EXPECT_EQ(blue.g, 0);
}

// The two conversions use hue circles of 256 and 258 steps, so a round trip keeps the value exactly and the
// other channels within a few levels; greys come back unchanged.
TEST(Hsv, RoundTripsStayClose) {
  int worst = 0;
  for (int r = 0; r < 256; r += 5) {
    for (int g = 0; g < 256; g += 5) {
      for (int b = 0; b < 256; b += 5) {
        ColorHSV c = hsv_of(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
        hsv_to_rgb(c);
        ASSERT_EQ(std::max({c.r, c.g, c.b}), std::max({r, g, b})) << r << "," << g << "," << b;
        worst = std::max({worst, std::abs(c.r - r), std::abs(c.g - g), std::abs(c.b - b)});
        if (r == g && g == b) {
          ASSERT_EQ(std::make_tuple(c.r, c.g, c.b), std::make_tuple(r, g, b));
        }
      }
    }
  }
  EXPECT_LE(worst, 14);
  for (int h = 0; h < 255; h += 3) {
    ColorHSV c = rgb_of(static_cast<uint8_t>(h), 200, 180);
    rgb_to_hsv(c);
    EXPECT_EQ(c.v, 180);
    EXPECT_NEAR(c.s, 200, 3);
  }
}

TEST_F(ImagePaletteTest, NearestColourRules) {
  render_settings.palette_colors = 6;
  image_palette[0] = {0, 0, 0, 0};
  image_palette[1] = {200, 200, 200, 0};
  image_palette[2] = {100, 0, 0, 0};
  image_palette[3] = {100, 0, 0, 0};   // duplicate of 2
  image_palette[4] = {0, 0, 104, 0};   // blue 13 at 5 bits
  image_palette[5] = {0, 0, 88, 0};    // blue 11: as far from 12 as entry 4
  clear_color_cache();
  struct Case {
    int32_t r, g, b, index;
  };
  const Case cases[] = {
      {100, 0, 0, 2},   // exact at 5-bit precision: the lowest such entry
      {103, 7, 7, 2},   // the same 5-bit colour
      {0, 0, 96, 4},    // blue 12: entries 4 and 5 tie, the smaller index wins
      {0, 0, 0, 5},     // black goes to the nearest entry from 1 on, never entry 0
      {255, 255, 255, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.r << "," << c.g << "," << c.b);
    const int32_t rgb = rgb555_of(c.r, c.g, c.b);
    EXPECT_EQ(nearest_palette_index(rgb), c.index);
    EXPECT_EQ(color_cache[rgb], c.index);
    const uint32_t px = (static_cast<uint32_t>(c.r) << 16) | (static_cast<uint32_t>(c.g) << 8) | c.b;
    uint8_t out = 0xEE;
    row_to_palette(0, 0, 0, &px, &out);
    EXPECT_EQ(out, c.index);
  }
  render_settings.palette_colors = 1;  // nothing to search: entry 0
  EXPECT_EQ(nearest_palette_index(rgb555_of(0, 0, 0)), 0);
  render_settings.palette_colors = 1000;  // a hostile count searches the table only
  EXPECT_EQ(nearest_palette_index(rgb555_of(200, 200, 200)), 1);
}

TEST_F(ImagePaletteTest, ZeroedCacheYieldsEntryZeroUntilCleared) {
  render_settings.palette_colors = 2;
  image_palette[1] = {255, 255, 255, 0};
  zero_color_cache();
  const uint32_t px[3] = {0xFFFFFF, 0x123456, 0};
  uint8_t out[3] = {9, 9, 9};
  row_to_palette(0, 2, 0, px, out);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 3), std::vector<uint8_t>(3, 0));
  clear_color_cache();
  EXPECT_EQ(color_cache[12345], kColorCacheUnknown);
  row_to_palette(0, 2, 0, px, out);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 3), std::vector<uint8_t>(3, 1));
  out[0] = 7;
  row_to_palette(5, 4, 0, px, out);  // an empty range writes nothing
  EXPECT_EQ(out[0], 7);
}

TEST_F(ImagePaletteTest, SortByHueThenSaturationThenValue) {
  render_settings.palette_colors = 2;
  image_palette[0] = {9, 9, 9, 1};
  image_palette[1] = {0, 0, 255, 2};
  sort_palette();  // a single sorted entry: nothing changes
  EXPECT_EQ(image_palette[1].blue, 255);

  render_settings.palette_colors = 6;
  image_palette[1] = {0, 0, 255, 11};    // h 170
  image_palette[2] = {255, 0, 0, 12};    // h 0, s 255, v 255
  image_palette[3] = {100, 100, 100, 13};  // h 0, s 0
  image_palette[4] = {128, 0, 0, 14};    // h 0, s 255, v 128
  image_palette[5] = {0, 255, 0, 15};    // h 85
  image_palette[6] = {1, 2, 3, 16};      // beyond palette_colors: untouched
  sort_palette();
  const uint8_t expected_red[] = {9, 255, 128, 100, 0, 0, 1};
  const uint8_t expected_green[] = {9, 0, 0, 100, 255, 0, 2};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(image_palette[i].red, expected_red[i]);
    EXPECT_EQ(image_palette[i].green, expected_green[i]);
  }
  EXPECT_EQ(image_palette[2].spare, 12);  // fourth bytes stay where they were
  EXPECT_EQ(image_palette[0].spare, 1);
}

TEST_F(ImagePaletteTest, EntryFrom555AndDisplayPalette) {
  image_palette[7].spare = 42;
  set_palette_entry_555(7, (31 << 10) | (16 << 5) | 1);
  EXPECT_EQ(image_palette[7].red, 248);
  EXPECT_EQ(image_palette[7].green, 128);
  EXPECT_EQ(image_palette[7].blue, 8);
  EXPECT_EQ(image_palette[7].spare, 42);
  open_window(0);
  set_display_palette();
  EXPECT_EQ(display_palette[7].green, 128);
  ASSERT_FALSE(host->palette_loads.empty());
  EXPECT_EQ(host->palette_loads.back(), std::make_pair(0, 256));
  EXPECT_EQ(host->render_palette_rgb[7 * 3], 248);
}
