// Landscape file previews: the colour ramp, the elevation range and both formats' readers.
#include "engine/files/landscape_preview.h"

#include <gtest/gtest.h>

#include "engine/render/dl4_landscape_file.h"
#include "engine/render/old_landscape_file.h"
#include "engine/files/file_requester.h"
#include "tests/files/landscape_file_fixture.h"

using namespace landtest;

TEST(LandscapePreview, RampExamples) {
  uint32_t ramp[256];
  dem_preview_ramp(ramp);
  EXPECT_EQ(ramp[0], 0x004000u);    // dark green
  EXPECT_EQ(ramp[84], 0x5E9E3Fu);   // 84 / 85 of the way to 96, 160, 64
  EXPECT_EQ(ramp[85], 0x502000u);   // the first brown
  EXPECT_EQ(ramp[170], 0x505050u);  // the first grey
  EXPECT_EQ(ramp[255], 0xDEDEDEu);  // 80 + 85 * 144 / 86 = 222
}

TEST(LandscapePreview, RangeAndStep) {
  uint32_t ramp[256];
  dem_preview_ramp(ramp);
  struct Case {
    std::vector<int16_t> samples;  // 2 by 2, first grid row first
    std::vector<uint32_t> image;   // top row (last grid row) first
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, {ramp[0], ramp[0], ramp[0], ramp[0]}},            // flat: step 1, all dark green
      {{0, 850, 2559, 10}, {ramp[255], ramp[1], ramp[0], ramp[85]}},  // 0 to 2559: step 10
      {{-32768, 100, -32767, 356}, {ramp[0], ramp[128], ramp[0], ramp[0]}},  // no-data samples stay out
  };
  for (const Case& c : cases) {
    ImageBuffer* image = image_alloc(2, 2);
    ASSERT_NE(image, nullptr);
    dem_preview_image(c.samples.data(), image, 2, 2);
    EXPECT_EQ(std::vector<uint32_t>(image->pixels, image->pixels + 4), c.image);
    image_free(image);
  }
}

TEST_F(LandscapeFileTest, PreviewsReadBothFormatsWithoutTouchingTheLandscape) {
  ASSERT_EQ(set_landscape_size(40, 30), 1);
  fill_grids(31);
  const std::string d4s = file("p.d4s"), dem = file("p.dem"), scm = file("p.scm");
  ASSERT_EQ(save_dl4_file(d4s.c_str(), 1, 1, 0, 1, 1, 1, 1, 1), 1);
  ASSERT_EQ(write_old_dem(dem.c_str(), 0, 0, grid_width, grid_height), 1);
  ASSERT_EQ(save_dl4_file(scm.c_str(), 0, 1, 0, 0, 0, 0, 0, 0), 1);
  std::vector<uint8_t> header_before(dem_header, dem_header + kDl4HeaderSize);
  ASSERT_EQ(set_landscape_size(20, 20), 1);
  const auto before = fingerprint();

  ImageBuffer* a = load_preview_image(d4s.c_str(), kFileTypeD4s);
  ImageBuffer* b = load_preview_image(dem.c_str(), kFileTypeDem);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(std::make_pair(a->width, a->height), std::make_pair(40, 30));
  EXPECT_EQ(std::vector<uint32_t>(a->pixels, a->pixels + 1200), std::vector<uint32_t>(b->pixels, b->pixels + 1200));
  free_preview_image(a);
  free_preview_image(b);
  EXPECT_EQ(preview_dl4_dem(scm.c_str()), nullptr);  // a scheme has no elevations
  EXPECT_EQ(preview_old_dem(d4s.c_str()), nullptr);  // each reader takes its own format only
  EXPECT_EQ(preview_dl4_dem(dem.c_str()), nullptr);
  auto cut = imgtest::read_bytes(d4s);
  cut.resize(read32(cut, 184) + 100);  // inside the elevations
  imgtest::write_bytes(file("cut.d4s"), cut);
  EXPECT_EQ(preview_dl4_dem(file("cut.d4s").c_str()), nullptr);
  EXPECT_TRUE(fingerprint() == before);
  EXPECT_EQ(std::vector<uint8_t>(dem_header, dem_header + kDl4HeaderSize), header_before);
  EXPECT_TRUE(host_->messages.empty());
}
