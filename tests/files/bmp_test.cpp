// BMP files: round trips at odd widths, the layouts other programs write, and damaged or hostile files.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "engine/files/bmp_format.h"
#include "engine/files/bmp_image.h"
#include "tests/support/headless_host.h"
#include "engine/raster/frame_buffers.h"
#include "tests/files/file_size_limit.h"
#include "tests/files/image_test_support.h"

using imgtest::FrameScope;
using imgtest::TempDir;

namespace {
void put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  put16(b, at, v);
  put16(b, at + 2, v >> 16);
}

// A BMP of the given depth whose pixel (x, y) is pattern_rgb (8-bit: palette entry x + y, holding
// that entry's colour); top_down stores the top row first.
struct BmpSpec {
  int32_t width, height, bits;
  bool top_down;
};
uint32_t palette_colour(int32_t i) { return imgtest::pattern_rgb(i, 1, 3); }
uint32_t expected_pixel(const BmpSpec& s, int32_t x, int32_t y) {
  return s.bits == 8 ? palette_colour((x + y) & 0xFF) : imgtest::pattern_rgb(x, y, 5);
}
std::vector<uint8_t> make_bmp(const BmpSpec& s) {
  const uint32_t palette_bytes = s.bits == 8 ? 1024 : 0;
  const uint32_t row = (static_cast<uint32_t>(s.width) * s.bits + 31) / 32 * 4;
  std::vector<uint8_t> b(54 + palette_bytes + row * s.height, 0);
  b[0] = 'B';
  b[1] = 'M';
  put32(b, 2, static_cast<uint32_t>(b.size()));
  put32(b, 10, 54 + palette_bytes);
  put32(b, 14, 40);
  put32(b, 18, static_cast<uint32_t>(s.width));
  put32(b, 22, static_cast<uint32_t>(s.top_down ? -s.height : s.height));
  put16(b, 26, 1);
  put16(b, 28, static_cast<uint32_t>(s.bits));
  for (int32_t i = 0; i < 256 && palette_bytes; ++i) put32(b, 54 + 4 * i, palette_colour(i));
  for (int32_t y = 0; y < s.height; ++y) {
    const int32_t stored = s.top_down ? y : s.height - 1 - y;
    uint8_t* p = &b[54 + palette_bytes + static_cast<size_t>(stored) * row];
    for (int32_t x = 0; x < s.width; ++x) {
      const uint32_t c = expected_pixel(s, x, y);
      if (s.bits == 8) {
        p[x] = static_cast<uint8_t>(x + y);
      } else {
        const int32_t n = s.bits / 8;
        p[n * x] = static_cast<uint8_t>(c);
        p[n * x + 1] = static_cast<uint8_t>(c >> 8);
        p[n * x + 2] = static_cast<uint8_t>(c >> 16);
        if (n == 4) p[n * x + 3] = 0x80;  // an alpha byte the reader drops
      }
    }
  }
  return b;
}
}  // namespace

TEST(BmpFiles, RenderImageRoundTripsAtOddWidths) {
  ScopedHeadlessHost host;
  TempDir dir;
  for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {33, 5}, {101, 4}, {64, 2}}) {
    FrameScope frame(w, h);
    imgtest::fill_frames(7);
    const std::string path = dir.file("round.bmp");
    ASSERT_EQ(bmp_save_render_image(path.c_str()), 1) << w;
    const auto bytes = imgtest::read_bytes(path);
    const uint32_t row = static_cast<uint32_t>((w * 3 + 3) / 4 * 4);
    EXPECT_EQ(bytes.size(), 54 + row * h) << w;
    EXPECT_EQ(bytes[2] | bytes[3] << 8 | bytes[4] << 16, static_cast<int>(54 + row * h)) << "file size field";
    // A 101-pixel row is 303 bytes of pixels and one of padding.
    if (w == 101) {
      EXPECT_EQ(row, 304u);
    }

    clear_vidmem24();
    ASSERT_EQ(bmp_load_render_image(path.c_str()), 1);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) ASSERT_EQ(vidmem24_row(y)[x], imgtest::pattern_rgb(x, y, 7)) << x << "," << y;

    ImageBuffer* image = bmp_load_image(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, w);
    EXPECT_EQ(image->height, h);
    EXPECT_EQ(image->pixels[image->width * (h - 1)], imgtest::pattern_rgb(0, h - 1, 7));
    image_free(image);
  }
  EXPECT_EQ(host->live_blocks, 0);
}

TEST(BmpFiles, ReadsTopDownThirtyTwoAndEightBitPictures) {
  ScopedHeadlessHost host;
  TempDir dir;
  const BmpSpec specs[] = {
      {33, 5, 24, true}, {101, 3, 32, false}, {101, 3, 32, true}, {33, 6, 8, false}, {7, 4, 8, true},
  };
  for (const BmpSpec& s : specs) {
    const std::string path = dir.file("kind.bmp");
    imgtest::write_bytes(path, make_bmp(s));
    ImageBuffer* image = bmp_load_image(path.c_str());
    ASSERT_NE(image, nullptr) << s.bits;
    for (int32_t y = 0; y < s.height; ++y)
      for (int32_t x = 0; x < s.width; ++x)
        ASSERT_EQ(image->pixels[y * s.width + x], expected_pixel(s, x, y))
            << s.bits << " bits, top-down " << s.top_down << " at " << x << "," << y;
    image_free(image);

    // Into a smaller frame: a bottom-up file shows its bottom part, a top-down one its top part.
    FrameScope frame(s.width - 1, s.height - 1);
    ASSERT_EQ(bmp_load_render_image(path.c_str()), 1);
    const int32_t skip = s.top_down ? 0 : 1;
    for (int32_t y = 0; y < s.height - 1; ++y)
      for (int32_t x = 0; x < s.width - 1; ++x) ASSERT_EQ(vidmem24_row(y)[x], expected_pixel(s, x, y + skip));
  }
}

TEST(BmpFiles, RefusesDamagedAndHostileHeadersBeforeTouchingTheFrame) {
  ScopedHeadlessHost host;
  TempDir dir;
  struct Case {
    const char* what;
    size_t at;       // byte to patch, or SIZE_MAX to cut the file at `value`
    int width;       // 2: 16-bit field, 4: 32-bit field
    uint32_t value;
    int32_t code;
  };
  const Case cases[] = {
      {"short header", SIZE_MAX, 0, 40, kBmpCannotRead},
      {"magic", 0, 2, 'B' | 'X' << 8, kBmpNotBmp},
      {"planes", 26, 2, 2, kBmpNotBmp},
      {"16 bits", 28, 2, 16, kBmpUnsupported},
      {"4 bits", 28, 2, 4, kBmpUnsupported},
      {"run-length coded", 30, 4, 1, kBmpUnsupported},
      {"12-byte header", 14, 4, 12, kBmpUnsupported},
      {"width 0", 18, 4, 0, kBmpBadSize},
      {"negative width", 18, 4, static_cast<uint32_t>(-33), kBmpBadSize},
      {"huge width", 18, 4, 0x7FFFFFFF, kBmpBadSize},
      {"height 0", 22, 4, 0, kBmpBadSize},
      {"most negative height", 22, 4, 0x80000000u, kBmpBadSize},
      {"huge height", 22, 4, 40000, kBmpBadSize},
      {"data inside the header", 10, 4, 20, kBmpBadSize},
  };
  const std::vector<uint8_t> good = make_bmp({33, 5, 24, false});
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    if (c.at == SIZE_MAX) bytes.resize(c.value);
    else if (c.width == 2) put16(bytes, c.at, c.value);
    else put32(bytes, c.at, c.value);
    const std::string path = dir.file("bad.bmp");
    imgtest::write_bytes(path, bytes);

    FILE* f = std::fopen(path.c_str(), "rb");
    BmpLayout layout;
    EXPECT_EQ(bmp_read_layout(f, &layout), c.code) << c.what;
    std::fclose(f);
    if (c.code == kBmpUnsupported) {
      EXPECT_STREQ(bmp_last_error, kBmpUnsupportedMessage) << c.what;
    }

    FrameScope frame(40, 8);
    for (int32_t y = 0; y < 8; ++y) std::fill_n(vidmem24_row(y), 40, 0x123456u);
    EXPECT_EQ(bmp_load_render_image(path.c_str()), 0) << c.what;
    EXPECT_EQ(vidmem24_row(7)[39], 0x123456u) << c.what << ": the frame was touched";
    EXPECT_EQ(bmp_load_image(path.c_str()), nullptr) << c.what;
  }
  EXPECT_EQ(host->live_blocks, 0);
}

TEST(BmpFiles, TruncatedPixelsAndHostilePalettes) {
  ScopedHeadlessHost host;
  TempDir dir;
  const std::string path = dir.file("cut.bmp");
  // Pixels cut after two of five rows: the frame load fails, the preview keeps the two bottom rows.
  std::vector<uint8_t> bytes = make_bmp({33, 5, 24, false});
  bytes.resize(54 + 100 * 2 + 10);
  imgtest::write_bytes(path, bytes);
  {
    FrameScope frame(33, 5);
    EXPECT_EQ(bmp_load_render_image(path.c_str()), 0);
  }
  ImageBuffer* image = bmp_load_image(path.c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->pixels[33 * 4 + 1], imgtest::pattern_rgb(1, 4, 5));
  EXPECT_EQ(image->pixels[0], 0u);
  image_free(image);

  // An 8-bit file claiming 2^32-1 colours with room for 3: only those are read; others are black.
  bytes = make_bmp({7, 4, 8, false});
  put32(bytes, 46, 0xFFFFFFFFu);
  std::vector<uint8_t> shrunk(bytes.begin(), bytes.begin() + 54 + 12);
  shrunk.insert(shrunk.end(), bytes.begin() + 54 + 1024, bytes.end());
  put32(shrunk, 10, 54 + 12);
  imgtest::write_bytes(path, shrunk);
  image = bmp_load_image(path.c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->pixels[0], palette_colour(0));     // index 0
  EXPECT_EQ(image->pixels[2], palette_colour(2));     // index 2
  EXPECT_EQ(image->pixels[3], 0u);                    // index 3 lies outside the palette
  image_free(image);
  EXPECT_EQ(host->live_blocks, 0);
}

TEST(BmpFiles, NoFrameBufferNothingTouchedAndFailedSavesKeepTheOldFile) {
  ScopedHeadlessHost host;
  TempDir dir;
  const std::string path = dir.file("keep.bmp");
  imgtest::write_bytes(path, make_bmp({33, 5, 24, false}));
  const auto before = imgtest::read_bytes(path);

  image_width = 33;
  image_height = 5;
  ASSERT_EQ(vidmem24.rows, nullptr);
  EXPECT_EQ(bmp_save_render_image(dir.file("none.bmp").c_str()), 0);
  EXPECT_EQ(bmp_load_render_image(path.c_str()), 0);
  EXPECT_FALSE(imgtest::exists(dir.file("none.bmp")));

  {
    FrameScope frame(300, 200);
    imgtest::fill_frames(1);
    imgtest::FileSizeLimit limit(1000);
    EXPECT_EQ(bmp_save_render_image(path.c_str()), 0);
  }
  EXPECT_EQ(imgtest::read_bytes(path), before);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"keep.bmp"});
}

TEST(BmpFiles, RunLengthPixelsStayInsideTheirRows) {
  ScopedHeadlessHost host;
  TempDir dir;
  struct Case {
    const char* what;
    std::vector<uint8_t> coded;
    int32_t result;
    std::vector<int> indexes;  // expected palette indexes, top row first, -1 for black
  };
  const Case cases[] = {
      {"runs and literals past the row end",
       {5, 1, 0, 0, 0, 5, 2, 2, 2, 2, 2, 0, 0, 0, 4, 3, 0, 1},
       1,
       {3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1}},
      {"jump far up", {1, 4, 0, 2, 0xFF, 0xFF, 7, 7}, 1, {-1, -1, -1, -1, -1, -1, -1, -1, 4, -1, -1, -1}},
      {"ends early", {2, 7}, 0, {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = make_bmp({4, 3, 8, false});
    bytes.resize(54 + 1024);
    bytes.insert(bytes.end(), c.coded.begin(), c.coded.end());
    put32(bytes, 30, 1);
    const std::string path = dir.file("rle.bmp");
    imgtest::write_bytes(path, bytes);
    FrameScope frame(4, 3);
    EXPECT_EQ(bmp_load_render_image(path.c_str()), c.result) << c.what;
    for (int32_t i = 0; i < 12 && c.result == 1; ++i)
      EXPECT_EQ(vidmem24_row(i / 4)[i % 4], c.indexes[i] < 0 ? 0u : palette_colour(c.indexes[i])) << c.what << " " << i;
  }
  EXPECT_EQ(host->live_blocks, 0);
}

// Enough runs of 255 pixels on one row to carry a 32-bit column counter past its largest value; the
// row must stay intact and the rest of the picture as coded.
TEST(BmpFiles, RunLengthColumnNeverWrapsOnALongRow) {
  ScopedHeadlessHost host;
  TempDir dir;
  std::vector<uint8_t> bytes = make_bmp({4, 2, 8, false});
  bytes.resize(54 + 1024);
  const size_t runs = (size_t{1} << 31) / 255 + 2;
  bytes.reserve(bytes.size() + 2 * runs + 8);
  for (size_t i = 0; i < runs; ++i) {
    bytes.push_back(255);
    bytes.push_back(5);
  }
  for (uint8_t b : {0, 0, 2, 9, 0, 1}) bytes.push_back(b);  // next row: two pixels of index 9, then the end
  put32(bytes, 30, 1);
  const std::string path = dir.file("long.bmp");
  imgtest::write_bytes(path, bytes);
  {
    FrameScope frame(4, 2);
    EXPECT_EQ(bmp_load_render_image(path.c_str()), 1);
    for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(vidmem24_row(1)[x], palette_colour(5)) << x;
    EXPECT_EQ(vidmem24_row(0)[0], palette_colour(9));
    EXPECT_EQ(vidmem24_row(0)[2], 0u);
  }
  EXPECT_EQ(host->live_blocks, 0);
}

// A 476-byte run-length file claiming 16137 by 16391 pixels: no image larger than the largest frame
// buffer is made for it; one just inside the limit is.
TEST(BmpFiles, NoImageLargerThanTheLargestFrame) {
  ScopedHeadlessHost host;
  TempDir dir;
  struct Case {
    int32_t width, height;
    bool made;
  };
  for (const Case& c : {Case{16137, 16391, false}, Case{8192, 8193, false}, Case{8192, 2, true}}) {
    std::vector<uint8_t> bytes = make_bmp({4, 3, 8, false});
    bytes.resize(54 + 1024);
    for (uint8_t b : {0, 1}) bytes.push_back(b);  // the end of the picture at once
    put32(bytes, 18, static_cast<uint32_t>(c.width));
    put32(bytes, 22, static_cast<uint32_t>(c.height));
    put32(bytes, 30, 1);
    const std::string path = dir.file("claims.bmp");
    imgtest::write_bytes(path, bytes);
    ImageBuffer* image = bmp_load_image(path.c_str());
    EXPECT_EQ(image != nullptr, c.made) << c.width << " by " << c.height;
    image_free(image);
  }
  EXPECT_EQ(host->live_blocks, 0);
}
