// Script numbers outside the range of their setting: refused as script errors naming the keyword and the
// value, with the setting unchanged; numbers inside are stored; renders after the edge values stay exact.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/animation/script_ranges.h"
#include "engine/animation/script_keywords.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/lighting.h"
#include "tests/animation/script_test_fixture.h"

namespace {

// The frame buffers the image-size lines allocate are freed again.
class ScriptRanges : public ScriptTest {
 protected:
  void TearDown() override {
    free_vidmem24();
    free_vidmem8();
    ScriptTest::TearDown();
  }
};

struct Case {
  const char* refused;   // a line out of range
  const char* accepted;  // a line at the edge of the same range
  std::function<double()> setting;
  double accepted_value;
};

TEST_F(ScriptRanges, OutOfRangeIsAScriptErrorAndLeavesTheSetting) {
  const Case cases[] = {
      {"TreeLine 2147483520", "TreeLine -1000000", [] { return terrain_settings.tree_line; }, -1000000},
      {"SnowLine -2147483520", "SnowLine 1000000", [] { return terrain_settings.snow_line; }, 1000000},
      {"SetColorContrast -1", "SetColorContrast 0", [] { return light_state.contrast; }, 0},
      {"PixelDither 2147483520", "PixelDither 1024", [] { return render_settings.dither_amount; }, 1024},
      {"PixelDitherOrdered 2147483520", "PixelDitherOrdered 0", [] { return render_settings.dither_amount; }, 0},
      {"PixelDitherRandom -1", "PixelDitherRandom 7.9", [] { return render_settings.dither_amount; }, 7},
      {"CameraHeight -2147483520", "CameraHeight -100000", [] { return camera_state.camera_height; }, -100000},
      {"Dither 2147483520", "Dither -10000", [] { return terrain_settings.line_roughness; }, -10000},
      {"SunDeclination -90.5", "SunDeclination -90", [] { return light_state.sun_declination; }, -90},
      {"SunDeclination 91", "SunDeclination 90", [] { return light_state.sun_declination; }, 90},
      {"SetAltitude 0 0 40000", "SetAltitude 0 0 -32768", [] { return elevation_row(0)[0]; }, -32768},
      {"RenderRange -2147483520", "RenderRange -1000000", [] { return render_settings.render_range; }, -1000000},
      {"FrTextureDepth 17", "FrTextureDepth 16", [] { return max_detail_depth; }, 16},
      {"CameraXYZ 1 2 3e6", "CameraXYZ 1 2 3", [] { return camera_state.camera_z; }, 3},
      {"ImageSize 8193 100", "ImageSize 4000 16", [] { return image_width; }, 4000},
  };
  for (const Case& c : cases) {
    host->messages.clear();
    host->yes_no_answers = {1};
    const double before = c.setting();
    EXPECT_EQ(line(c.refused), 1) << c.refused;
    ASSERT_EQ(host->messages.size(), 1u) << c.refused;
    const std::string& text = host->messages[0].text;
    std::string keyword(c.refused, std::string(c.refused).find(' '));
    EXPECT_EQ(text.rfind("Script error: " + keyword + ": ", 0), 0u) << text;
    EXPECT_NE(text.find("out of range"), std::string::npos) << text;
    EXPECT_EQ(c.setting(), before) << c.refused;
    host->messages.clear();
    EXPECT_EQ(line(c.accepted), 1) << c.accepted;
    EXPECT_TRUE(host->messages.empty()) << c.accepted << ": " << (host->messages.empty() ? "" : host->messages[0].text);
    EXPECT_EQ(c.setting(), c.accepted_value) << c.accepted;
  }
  // The value is named as given, and Cancel stops the script.
  host->messages.clear();
  host->yes_no_answers = {0};
  EXPECT_EQ(line("TreeLine 2147483520"), -1);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_EQ(host->messages[0].text, "Script error: TreeLine: 2147483520 is out of range (-1000000 to 1000000)");
}

// Where the commands clamp themselves, any value is taken and clamped.
TEST_F(ScriptRanges, ClampingCommandsStillClamp) {
  EXPECT_EQ(line("FieldOfView 100000"), 1);
  EXPECT_EQ(line("CloudDensity 2147483520"), 1);
  EXPECT_EQ(line("CliffStrataThickness -2147483520"), 1);
  EXPECT_EQ(terrain_settings.strata_thickness, 1);
  EXPECT_EQ(line("SetColorSky 300 128 -1"), 1);
  EXPECT_TRUE(host->messages.empty());
}

// ImageSize with a side missing or refused by the size change is a script error; the size stays.
TEST_F(ScriptRanges, ImageSizeRefusalsAreScriptErrors) {
  ASSERT_EQ(line("ImageSize 64 48"), 1);
  for (const char* l : {"ImageSize 0 0", "ImageSize -5 100", "ImageSize 100000 20", "ImageSize"}) {
    host->messages.clear();
    host->yes_no_answers = {1, 1};
    EXPECT_EQ(line(l), 1) << l;
    EXPECT_FALSE(host->messages.empty()) << l;
    EXPECT_EQ(host->messages.back().text.rfind("Script error: ", 0), 0u) << l;
    EXPECT_EQ(image_width, 64) << l;
    EXPECT_EQ(image_height, 48) << l;
  }
}

// Every row names a keyword code that exists, with a sane range per number.
TEST_F(ScriptRanges, TableRowsAreWellFormed) {
  for (const ScriptRangeRow* r = script_range_rows; r->code != 0; ++r) {
    EXPECT_GE(r->code, kScriptCodeFirst);
    EXPECT_LE(r->code, kScriptCodeLast);
    ASSERT_GE(r->count, 1);
    ASSERT_LE(r->count, 3);
    for (int32_t i = 0; i < r->count; ++i) EXPECT_LT(r->numbers[i].low, r->numbers[i].high) << r->code;
  }
}

}  // namespace
