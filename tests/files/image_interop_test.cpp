// Files exchanged with ImageMagick: what we write opens there with the right size, type and pixels,
// and what it writes (odd widths, padded rows, palettes, greyscale, progressive, CMYK) loads here.
#include <gtest/gtest.h>

#include "engine/files/bmp_format.h"
#include "engine/files/bmp_image.h"
#include "engine/files/jpeg_codec.h"
#include "engine/files/jpeg_image.h"
#include "engine/files/pcx_format.h"
#include "engine/files/pcx_image.h"
#include "tests/support/headless_host.h"
#include "engine/raster/frame_buffers.h"
#include "tests/files/image_test_support.h"

using imgtest::FrameScope;
using imgtest::Picture;
using imgtest::TempDir;

namespace {
#define REQUIRE_CONVERT()                                          \
  do {                                                             \
    if (!imgtest::have_convert()) GTEST_SKIP() << "no ImageMagick convert"; \
  } while (0)

uint32_t pattern(int32_t x, int32_t y, uint32_t seed) { return imgtest::pattern_rgb(x, y, seed); }
uint32_t smooth(int32_t x, int32_t y, uint32_t) { return imgtest::smooth_rgb(x, y); }
// At most 200 colours, so that ImageMagick keeps a palette of 8 bits without merging colours.
uint32_t few_colours(int32_t x, int32_t y, uint32_t) {
  const uint32_t i = static_cast<uint32_t>((x * 7 + y * 3) % 200);
  return (i * 37 % 256) << 16 | (i * 5) << 8 | (255 - i);
}
uint32_t grey(int32_t x, int32_t y, uint32_t) { return (imgtest::smooth_rgb(x, y) & 0xFF) * 0x010101u; }

std::string identify(const std::string& path) {
  return imgtest::run_output("identify -format '%m %w %h %[channels]' '" + path + "'");
}

Picture frame_picture(int32_t w, int32_t h) {
  Picture p;
  p.width = w;
  p.height = h;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) p.pixels.push_back(vidmem24_row(y)[x] & 0xFFFFFF);
  return p;
}

Picture image_picture(const ImageBuffer* image) {
  Picture p;
  p.width = image->width;
  p.height = image->height;
  p.pixels.assign(image->pixels, image->pixels + static_cast<size_t>(image->width) * image->height);
  return p;
}

void to_frame(const Picture& p) {
  for (int32_t y = 0; y < p.height; ++y)
    for (int32_t x = 0; x < p.width; ++x) vidmem24_row(y)[x] = p.at(x, y);
}
}  // namespace

TEST(ImageInterop, FilesWeWriteOpenInImageMagick) {
  REQUIRE_CONVERT();
  ScopedHeadlessHost host;
  TempDir dir;
  for (auto [w, h] : {std::pair{33, 7}, {101, 5}}) {
    FrameScope frame(w, h);
    const Picture exact = imgtest::make_picture(w, h, pattern, 9);
    to_frame(exact);
    Picture got;

    const std::string bmp = dir.file("ours.bmp");
    ASSERT_EQ(bmp_save_render_image(bmp.c_str()), 1);
    EXPECT_EQ(identify(bmp).substr(0, 3), "BMP") << identify(bmp);
    ASSERT_TRUE(imgtest::convert_to_picture(bmp, &got));
    EXPECT_EQ(got.width, w);
    EXPECT_EQ(got.height, h);
    EXPECT_EQ(got.pixels, exact.pixels) << "BMP " << w;

    const std::string jpg = dir.file("ours.jpg");
    const Picture soft = imgtest::make_picture(w, h, smooth, 0);
    to_frame(soft);
    ASSERT_EQ(save_jpeg_screen(jpg.c_str()), 1);
    EXPECT_EQ(identify(jpg), "JPEG " + std::to_string(w) + " " + std::to_string(h) + " srgb");
    ASSERT_TRUE(imgtest::convert_to_picture(jpg, &got));
    EXPECT_GT(imgtest::psnr(got, soft), 30.0) << "JPEG " << w;

    // The 8-bit image: every index of the pattern through a palette of distinct colours.
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) vidmem8_row(y)[x] = imgtest::pattern_index(x, y, 2);
    PaletteEntry entries[256];
    for (int i = 0; i < 256; ++i)
      entries[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i * 7), static_cast<uint8_t>(255 - i), 0};
    set_palette(entries, 0, 256);
    const std::string pcx = dir.file("ours.pcx");
    ASSERT_EQ(save_screen_pcx(pcx.c_str()), 1);
    EXPECT_EQ(imgtest::run_output("identify -format '%m %w %h %[type]' '" + pcx + "'"),
              "PCX " + std::to_string(w) + " " + std::to_string(h) + " Palette");
    ASSERT_TRUE(imgtest::convert_to_picture(pcx, &got));
    ASSERT_EQ(got.pixels.size(), static_cast<size_t>(w * h));
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        const uint32_t i = imgtest::pattern_index(x, y, 2);
        ASSERT_EQ(got.at(x, y), i << 16 | ((i * 7) & 0xFF) << 8 | (255 - i)) << "PCX at " << x << "," << y;
      }
  }
}

TEST(ImageInterop, BmpFilesImageMagickWritesLoad) {
  REQUIRE_CONVERT();
  ScopedHeadlessHost host;
  TempDir dir;
  struct Case {
    const char* what;
    const char* options;  // before the output name
    uint32_t (*pixel)(int32_t, int32_t, uint32_t);
    int32_t bits;
  };
  const Case cases[] = {
      {"24-bit, old header", "BMP3:", pattern, 24},
      {"24-bit, long header", "-type truecolor BMP:", pattern, 24},
      {"32-bit bit fields", "-alpha on -type TrueColorAlpha BMP:", pattern, 32},
      {"8-bit palette", "-type palette -compress none BMP3:", few_colours, 8},
      {"8-bit palette, run-length", "-type palette -compress rle BMP3:", few_colours, 8},
  };
  for (const Case& c : cases)
    for (int32_t w : {33, 101}) {
      const Picture exact = imgtest::make_picture(w, 6, c.pixel, 4);
      const std::string ppm = dir.file("in.ppm"), bmp = dir.file("theirs.bmp");
      imgtest::write_ppm(ppm, exact);
      const std::string prefix = std::string(c.options);
      const size_t colon = prefix.rfind(' ');
      const std::string opts = colon == std::string::npos ? "" : prefix.substr(0, colon);
      const std::string format = colon == std::string::npos ? prefix : prefix.substr(colon + 1);
      ASSERT_EQ(imgtest::run("convert '" + ppm + "' " + opts + " " + format + "'" + bmp + "'"), 0) << c.what;
      const auto bytes = imgtest::read_bytes(bmp);
      ASSERT_GT(bytes.size(), 30u);
      ASSERT_EQ(bytes[28], c.bits) << c.what;

      ImageBuffer* image = bmp_load_image(bmp.c_str());
      ASSERT_NE(image, nullptr) << c.what << " " << w << ": " << bmp_last_error;
      EXPECT_EQ(image_picture(image).pixels, exact.pixels) << c.what << " " << w;
      image_free(image);
      FrameScope frame(w, 6);
      ASSERT_EQ(bmp_load_render_image(bmp.c_str()), 1) << c.what;
      EXPECT_EQ(frame_picture(w, 6).pixels, exact.pixels) << c.what << " " << w;
    }
  // 4-bit pictures (a palette of up to 16 colours) are refused with a message saying why.
  const std::string ppm = dir.file("in.ppm"), four = dir.file("four.bmp");
  imgtest::write_ppm(ppm, imgtest::make_picture(33, 6, [](int32_t x, int32_t, uint32_t) { return x % 4 * 0x404040u; }, 0));
  ASSERT_EQ(imgtest::run("convert '" + ppm + "' -type palette BMP3:'" + four + "'"), 0);
  ASSERT_EQ(imgtest::read_bytes(four)[28], 4);
  FrameScope frame(33, 6);
  EXPECT_EQ(bmp_load_render_image(four.c_str()), 0);
  EXPECT_STREQ(bmp_last_error, kBmpUnsupportedMessage);
}

TEST(ImageInterop, PcxFilesImageMagickWritesLoad) {
  REQUIRE_CONVERT();
  ScopedHeadlessHost host;
  TempDir dir;
  for (int32_t w : {33, 101, 200}) {
    const Picture exact = imgtest::make_picture(w, 5, few_colours, 0);
    const std::string ppm = dir.file("in.ppm"), pcx = dir.file("theirs.pcx");
    imgtest::write_ppm(ppm, exact);
    ASSERT_EQ(imgtest::run("convert '" + ppm + "' -type palette '" + pcx + "'"), 0);
    FrameScope frame(w, 5);
    ASSERT_EQ(load_pcx_to_screen(pcx.c_str()), 1) << w;
    EXPECT_EQ(frame_picture(w, 5).pixels, exact.pixels) << w;
  }
}

TEST(ImageInterop, JpegFilesImageMagickWritesLoad) {
  REQUIRE_CONVERT();
  ScopedHeadlessHost host;
  TempDir dir;
  struct Case {
    const char* what;
    const char* options;
    uint32_t (*pixel)(int32_t, int32_t, uint32_t);
    double min_psnr;
  };
  const Case cases[] = {
      {"baseline", "-quality 92", smooth, 30},
      {"progressive", "-quality 92 -interlace JPEG", smooth, 30},
      {"greyscale", "-quality 92 -colorspace Gray", grey, 30},
      {"CMYK", "-quality 92 -colorspace CMYK", smooth, 25},
  };
  for (const Case& c : cases)
    for (int32_t w : {33, 101}) {
      const Picture exact = imgtest::make_picture(w, 9, c.pixel, 0);
      const std::string ppm = dir.file("in.ppm"), jpg = dir.file("theirs.jpg");
      imgtest::write_ppm(ppm, exact);
      ASSERT_EQ(imgtest::run("convert '" + ppm + "' " + c.options + " '" + jpg + "'"), 0) << c.what;
      ImageBuffer* image = read_jpeg_image(jpg.c_str());
      ASSERT_NE(image, nullptr) << c.what;
      const Picture got = image_picture(image);
      image_free(image);
      EXPECT_GT(imgtest::psnr(got, exact), c.min_psnr) << c.what << " " << w;
      if (c.pixel == grey) {
        for (uint32_t p : got.pixels) ASSERT_EQ(p, (p & 0xFF) * 0x010101u) << "grey pixels";
      }
      FrameScope frame(w, 9);
      ASSERT_EQ(load_jpeg_to_screen(jpg.c_str()), 1) << c.what;
      EXPECT_EQ(frame_picture(w, 9).pixels, got.pixels) << c.what;
    }
}
