// JPEG files: round trips within a quality bound, clipping into the frame, and damaged or hostile files.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "engine/files/jpeg_codec.h"
#include "engine/files/jpeg_image.h"
#include "tests/support/headless_host.h"
#include "engine/raster/frame_buffers.h"
#include "tests/files/file_size_limit.h"
#include "tests/files/image_test_support.h"

using imgtest::FrameScope;
using imgtest::Picture;
using imgtest::TempDir;

namespace {
uint32_t smooth(int32_t x, int32_t y, uint32_t) { return imgtest::smooth_rgb(x, y); }

Picture from_image(const ImageBuffer* image) {
  Picture p;
  p.width = image->width;
  p.height = image->height;
  p.pixels.assign(image->pixels, image->pixels + static_cast<size_t>(image->width) * image->height);
  return p;
}

// Writes the smooth picture as a JPEG through the render image.
bool save_smooth(const std::string& path, int32_t w, int32_t h) {
  FrameScope frame(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) vidmem24_row(y)[x] = 0x7F000000u | imgtest::smooth_rgb(x, y);
  return save_jpeg_screen(path.c_str()) == 1;
}
}  // namespace

TEST(JpegFiles, RoundTripsWithinAQualityBound) {
  ScopedHeadlessHost host;
  TempDir dir;
  for (auto [w, h] : {std::pair{1, 1}, {33, 7}, {101, 17}, {64, 64}}) {
    const std::string path = dir.file("round.jpg");
    ASSERT_TRUE(save_smooth(path, w, h)) << w;
    ImageBuffer* image = read_jpeg_image(path.c_str());
    ASSERT_NE(image, nullptr) << w;
    EXPECT_EQ(image->width, w);
    EXPECT_EQ(image->height, h);
    EXPECT_EQ(jpeg_last_width, w);
    EXPECT_EQ(jpeg_last_height, h);
    EXPECT_EQ(jpeg_last_bits, 24);
    EXPECT_GT(imgtest::psnr(from_image(image), imgtest::make_picture(w, h, smooth, 0)), 30.0) << w;
    EXPECT_EQ(image->pixels[0] >> 24, 0u);
    image_free(image);
  }
  EXPECT_EQ(host->live_blocks, 0);
}

TEST(JpegFiles, QualityIsKeptBetween25And100) {
  EXPECT_EQ(jpeg_quality, 90);
  const std::pair<int32_t, int32_t> cases[] = {{10, 25}, {25, 25}, {90, 90}, {100, 100}, {150, 100}, {-5, 25}};
  for (auto [in, out] : cases) EXPECT_EQ(clamp_jpeg_quality(in), out) << in;
}

TEST(JpegFiles, LoadsClippedIntoTheFrameAndClearsTheRest) {
  ScopedHeadlessHost host;
  TempDir dir;
  const std::string path = dir.file("clip.jpg");
  ASSERT_TRUE(save_smooth(path, 40, 30));
  {  // larger picture than the frame: cut at the right and the bottom
    FrameScope frame(20, 10);
    ASSERT_EQ(load_jpeg_to_screen(path.c_str()), 1);
    EXPECT_NEAR(static_cast<int>(vidmem24_row(9)[19] >> 16), static_cast<int>(imgtest::smooth_rgb(19, 9) >> 16), 12);
  }
  {  // smaller picture: the rest of the frame is black
    FrameScope frame(50, 35);
    imgtest::fill_frames(2);
    ASSERT_EQ(load_jpeg_to_screen(path.c_str()), 1);
    EXPECT_EQ(vidmem24_row(34)[49], 0u);
    EXPECT_EQ(vidmem24_row(0)[45], 0u);
    EXPECT_NE(vidmem24_row(29)[39], 0u);
  }
  EXPECT_EQ(host->live_blocks, 0);
}

namespace {
// Files this process holds open.
size_t open_files() {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}
}  // namespace

TEST(JpegFiles, DamagedAndHostileFilesFailWithoutLeaks) {
  ScopedHeadlessHost host;
  const size_t files_before = open_files();
  TempDir dir;
  const std::string good_path = dir.file("good.jpg");
  ASSERT_TRUE(save_smooth(good_path, 101, 33));
  const std::vector<uint8_t> good = imgtest::read_bytes(good_path);
  // The frame header (SOF0) carries the height and the width after its marker, length and precision.
  size_t sof = 0;
  for (size_t i = 0; i + 1 < good.size(); ++i)
    if (good[i] == 0xFF && good[i + 1] == 0xC0) {
      sof = i;
      break;
    }
  ASSERT_GT(sof, 0u);

  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"not a JPEG", std::vector<uint8_t>(500, 0x41)});
  cases.push_back({"header only", std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(sof) + 4)});
  cases.push_back({"cut in the middle", std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2)});
  std::vector<uint8_t> huge = good;
  huge[sof + 5] = huge[sof + 6] = huge[sof + 7] = huge[sof + 8] = 0xFF;  // 65535 by 65535
  cases.push_back({"huge size", huge});
  std::vector<uint8_t> zero = good;
  zero[sof + 7] = zero[sof + 8] = 0;  // width 0
  cases.push_back({"width 0", zero});
  // Cut to 324 bytes and claiming 10806 by 10506 pixels: refused before anything is decoded.
  std::vector<uint8_t> claims(good.begin(), good.begin() + 324);
  claims[sof + 5] = 10506 >> 8;
  claims[sof + 6] = 10506 & 0xFF;
  claims[sof + 7] = 10806 >> 8;
  claims[sof + 8] = 10806 & 0xFF;
  cases.push_back({"324 bytes claiming 10806 by 10506", claims});
  // One pixel more than the largest frame buffer.
  std::vector<uint8_t> over = good;
  over[sof + 5] = 8193 >> 8;
  over[sof + 6] = 8193 & 0xFF;
  over[sof + 7] = 8192 >> 8;
  over[sof + 8] = 8192 & 0xFF;
  cases.push_back({"8192 by 8193", over});

  for (const Case& c : cases) {
    const std::string path = dir.file("bad.jpg");
    imgtest::write_bytes(path, c.bytes);
    FrameScope frame(101, 33);
    EXPECT_EQ(load_jpeg_to_screen(path.c_str()), 0) << c.what;
    if (std::string(c.what) != "cut in the middle") {
      EXPECT_EQ(read_jpeg_image(path.c_str()), nullptr) << c.what;
    }
  }
  // A file that ends early still previews what could be decoded.
  imgtest::write_bytes(dir.file("cut.jpg"), cases[3].bytes);
  ImageBuffer* partial = read_jpeg_image(dir.file("cut.jpg").c_str());
  ASSERT_NE(partial, nullptr);
  EXPECT_EQ(partial->width, 101);
  image_free(partial);
  // Cut inside the data of a picture claiming 2000 by 1500: decoding stops at the end of the data with
  // the picture's size and black rows, and the load into the frame fails.
  std::vector<uint8_t> cut_big(good.begin(), good.begin() + static_cast<long>(good.size() * 2 / 3));
  cut_big[sof + 5] = 1500 >> 8;
  cut_big[sof + 6] = 1500 & 0xFF;
  cut_big[sof + 7] = 2000 >> 8;
  cut_big[sof + 8] = 2000 & 0xFF;
  imgtest::write_bytes(dir.file("cut_big.jpg"), cut_big);
  partial = read_jpeg_image(dir.file("cut_big.jpg").c_str());
  ASSERT_NE(partial, nullptr);
  EXPECT_EQ(partial->height, 1500);
  EXPECT_EQ(partial->pixels[static_cast<size_t>(1499) * 2000 + 1999], 0u);
  image_free(partial);
  EXPECT_EQ(read_jpeg_image(dir.file("missing.jpg").c_str()), nullptr);
  EXPECT_EQ(host->live_blocks, 0);
  EXPECT_EQ(open_files(), files_before) << "a failed read left its file open";
}

TEST(JpegFiles, FailedWritesKeepThePreviousFile) {
  ScopedHeadlessHost host;
  TempDir dir;
  const std::string path = dir.file("keep.jpg");
  ASSERT_TRUE(save_smooth(path, 33, 7));
  const auto before = imgtest::read_bytes(path);
  {
    FrameScope frame(400, 300);
    imgtest::fill_frames(3);
    imgtest::FileSizeLimit limit(2000);
    const size_t files_before = open_files();
    EXPECT_EQ(save_jpeg_screen(path.c_str()), 0);
    EXPECT_EQ(open_files(), files_before) << "a failed write left its file open";
  }
  image_width = 33;
  image_height = 7;
  EXPECT_EQ(save_jpeg_screen(path.c_str()), 0) << "no frame buffer";
  EXPECT_EQ(load_jpeg_to_screen(path.c_str()), 0) << "no frame buffer";
  image_width = 800;
  image_height = 600;
  EXPECT_EQ(imgtest::read_bytes(path), before);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"keep.jpg"});
  EXPECT_EQ(host->live_blocks, 0);
}
