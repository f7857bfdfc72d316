// Targa files: the run-length row coder, round trips in every type and depth, row order, modes and hostile files.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>

#include "engine/files/image_buffer.h"
#include "engine/files/targa.h"
#include "engine/files/targa_writer.h"
#include "tests/support/headless_host.h"
#include "targa_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The packet bytes of a coded 24-bit row, skipping the pixel bytes.
Bytes packet_bytes(const std::vector<uint32_t>& row) {
  Bytes out(targa_rle_row_bound(static_cast<int32_t>(row.size()), 3));
  const int32_t n = targa_write_rle_row(row.data(), static_cast<int32_t>(row.size()), 3, out.data());
  Bytes packets;
  for (int32_t i = 0; i < n;) {
    const uint8_t p = out[i];
    packets.push_back(p);
    i += 1 + ((p & 0x80) ? 3 : 3 * ((p & 0x7F) + 1));
  }
  return packets;
}

TEST(TargaRle, RowCoderPackets) {
  const uint32_t a = 0x111111, b = 0x222222, c = 0x333333;
  struct Case {
    const char* what;
    std::vector<uint32_t> row;
    Bytes packets;
  };
  const Case cases[] = {
      {"300 equal", std::vector<uint32_t>(300, a), {0xFF, 0xFF, 0xAB}},
      {"a b b c", {a, b, b, c}, {0x03}},
      {"a a a", {a, a, a}, {0x02}},
      {"a b c c c", {a, b, c, c, c}, {0x04}},
      {"a a a a b", {a, a, a, a, b}, {0x83, 0x00}},
      {"single", {a}, {0x00}},
      {"slot byte differs", {a, a | 0x1000000u, a, a, a, a}, {0x01, 0x83}},
  };
  for (const Case& k : cases) EXPECT_EQ(packet_bytes(k.row), k.packets) << k.what;
  // 200 different pixels: literal packets of 128 and 72.
  std::vector<uint32_t> ramp(200);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<uint32_t>(i);
  EXPECT_EQ(packet_bytes(ramp), (Bytes{0x7F, 0x47}));
}

class TargaFiles : public TargaScratch {
 protected:
  ScopedHeadlessHost host_;
};

TEST_F(TargaFiles, RoundTripEveryTypeAndDepth) {
  const int32_t w = 37, h = 9;
  for (int32_t bits : {24, 32})
    for (bool rle : {false, true}) {
      const auto src = picture(w, h, bits == 32);
      const std::string p = path("rt.tga");
      ASSERT_EQ(targa_write_rows(p.c_str(), w, h, bits, rle,
                                 [&](int32_t i, uint32_t* row) {
                                   std::memcpy(row, &src[static_cast<size_t>(h - 1 - i) * w], w * 4);
                                 }),
                1);
      const Bytes file = read_bytes(p);
      ASSERT_GE(file.size(), 18u);
      EXPECT_EQ(file[2], rle ? 10 : 2);
      EXPECT_EQ(file[16], bits);
      EXPECT_EQ(file[17], 0);
      if (!rle) {
        EXPECT_EQ(file.size(), 18u + static_cast<size_t>(w) * h * bits / 8);
      }
      int32_t rw = 0, rh = 0;
      ASSERT_EQ(targa_read_size(p.c_str(), &rw, &rh), 1);
      EXPECT_EQ(rw, w);
      EXPECT_EQ(rh, h);
      ImageBuffer* img = image_alloc(w, h);
      ASSERT_EQ(targa_load_texture(p.c_str(), img, kTargaKeepAlpha), 1);
      for (size_t i = 0; i < src.size(); ++i) {
        const uint32_t want = bits == 32 ? src[i] : (src[i] | 0xFF000000u);
        ASSERT_EQ(img->pixels[i], want) << bits << " rle " << rle << " pixel " << i;
      }
      image_free(img);
      ImageBuffer* opaque = targa_load_image(p.c_str());
      ASSERT_NE(opaque, nullptr);
      EXPECT_EQ(opaque->pixels[5], src[5] | 0xFF000000u);
      image_free(opaque);
    }
}

TEST_F(TargaFiles, TextureWriterIs32BitBottomUp) {
  const uint32_t px[4] = {0x80102030u, 0xFF405060u, 0x00000000u, 0x12345678u};  // top row first
  const std::string p = path("tex.tga");
  ASSERT_EQ(targa_save_texture(p.c_str(), px, 2, 2), 1);
  const Bytes f = read_bytes(p);
  ASSERT_EQ(f.size(), 18u + 16u);
  EXPECT_EQ(f[2], 2);
  EXPECT_EQ(f[16], 32);
  // The first file row is the picture's bottom row: pixel 2 then 3, blue, green, red, alpha.
  EXPECT_EQ(Bytes(f.begin() + 18, f.begin() + 26), (Bytes{0, 0, 0, 0, 0x78, 0x56, 0x34, 0x12}));
}

TEST_F(TargaFiles, TopDownAndBottomUpLoadAlike) {
  // 2 by 2: top row red, green; bottom row blue, white.
  const Bytes top = {0, 0, 255, 0, 255, 0}, bottom = {255, 0, 0, 255, 255, 255};
  Bytes down = header(2, 2, 2, 24, kTargaTopDown), up = header(2, 2, 2, 24, 0);
  down.insert(down.end(), top.begin(), top.end());
  down.insert(down.end(), bottom.begin(), bottom.end());
  up.insert(up.end(), bottom.begin(), bottom.end());
  up.insert(up.end(), top.begin(), top.end());
  write_bytes(path("down.tga"), down);
  write_bytes(path("up.tga"), up);
  ImageBuffer* a = targa_load_image(path("down.tga").c_str());
  ImageBuffer* b = targa_load_image(path("up.tga").c_str());
  ASSERT_TRUE(a && b);
  const uint32_t want[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(a->pixels[i], want[i]) << i;
    EXPECT_EQ(b->pixels[i], want[i]) << i;
  }
  image_free(a);
  image_free(b);
}

TEST_F(TargaFiles, ReadModes) {
  // 24-bit: black transparent in keep-alpha mode, left alone in overlay mode.
  Bytes f24 = header(2, 2, 1, 24, kTargaTopDown);
  f24.insert(f24.end(), {0, 0, 0, 10, 20, 30});
  write_bytes(path("m24.tga"), f24);
  ImageBuffer* img = image_alloc(2, 1);
  img->pixels[0] = img->pixels[1] = 0x00FF0000u;
  ASSERT_EQ(targa_load_texture(path("m24.tga").c_str(), img, kTargaOverlay), 1);
  EXPECT_EQ(img->pixels[0], 0x00FF0000u);
  EXPECT_EQ(img->pixels[1], 0xFF1E140Au);
  ASSERT_EQ(targa_load_texture(path("m24.tga").c_str(), img, kTargaKeepAlpha), 1);
  EXPECT_EQ(img->pixels[0], 0u);
  ASSERT_EQ(targa_load_texture(path("m24.tga").c_str(), img, kTargaOpaque), 1);
  EXPECT_EQ(img->pixels[0], 0xFF000000u);
  // 32-bit overlay: alpha 0 keeps, alpha 128 blends over pure red, alpha 255 replaces.
  Bytes f32 = header(2, 2, 1, 32, kTargaTopDown);
  f32.insert(f32.end(), {200, 100, 50, 128, 1, 2, 3, 0});
  write_bytes(path("m32.tga"), f32);
  img->pixels[0] = img->pixels[1] = 0x00FF0000u;
  ASSERT_EQ(targa_load_texture(path("m32.tga").c_str(), img, kTargaOverlay), 1);
  const uint32_t r = (255 * 127 + 50 * 128) / 255, g = (100 * 128) / 255, b = (200 * 128) / 255;
  EXPECT_EQ(img->pixels[0], r << 16 | g << 8 | b);
  EXPECT_EQ(img->pixels[1], 0x00FF0000u);
  ASSERT_EQ(targa_load_texture(path("m32.tga").c_str(), img, kTargaOpaque), 1);
  EXPECT_EQ(img->pixels[0], 0xFF3264C8u);
  image_free(img);
}

// The header followed by n bytes of pixel data.
static Bytes with_data(Bytes header_bytes, size_t n) {
  header_bytes.resize(header_bytes.size() + n, 0x81);
  return header_bytes;
}

TEST_F(TargaFiles, RefusedFiles) {
  struct Case {
    const char* what;
    Bytes bytes;
    TargaCheck check;
  };
  const Case cases[] = {
      {"colour-mapped", header(1, 2, 2, 8), kTargaUnreadable},
      {"16-bit", header(2, 2, 2, 16), kTargaUnreadable},
      {"short header", Bytes{0, 0, 2, 0, 0}, kTargaUnreadable},
      {"width 0", header(2, 0, 5, 24), kTargaEmpty},
      {"height 0", header(10, 5, 0, 32), kTargaEmpty},
      {"65535 square", header(2, 65535, 65535, 32), kTargaTooLarge},
      {"18 bytes claiming 16384 square", header(10, 16384, 16384, 24), kTargaTooLarge},
      {"one pixel more than the largest frame", header(2, 8192, 8193, 24), kTargaTooLarge},
      {"8192 square run-length with 8 bytes", with_data(header(10, 8192, 8192, 24), 8), kTargaTruncated},
      {"plain 2 by 3 with 8 bytes", with_data(header(2, 2, 3, 24), 8), kTargaTruncated},
      {"run-length 300 by 2 with 23 of 24 bytes", with_data(header(10, 300, 2, 24), 23), kTargaTruncated},
  };
  for (const Case& c : cases) {
    write_bytes(path("bad.tga"), c.bytes);
    int32_t w = -1, h = -1;
    EXPECT_EQ(targa_check_file(path("bad.tga").c_str(), &w, &h), c.check) << c.what;
    EXPECT_EQ(targa_read_size(path("bad.tga").c_str(), &w, &h), 0) << c.what;
    EXPECT_EQ(targa_load_image(path("bad.tga").c_str()), nullptr) << c.what;
  }
  EXPECT_EQ(targa_check_file(path("missing.tga").c_str(), nullptr, nullptr), kTargaUnreadable);
}

TEST_F(TargaFiles, RunLengthRowsAreBounded) {
  // Row 0's only packet repeats one pixel 4 times for a row of 2: the extra pixels are dropped and
  // row 1 starts with its own packet.
  Bytes f = header(10, 2, 2, 24, kTargaTopDown);
  f.insert(f.end(), {0x83, 1, 2, 3, 0x81, 9, 8, 7});
  write_bytes(path("rle.tga"), f);
  ImageBuffer* img = targa_load_image(path("rle.tga").c_str());
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->pixels[0], 0xFF030201u);
  EXPECT_EQ(img->pixels[1], 0xFF030201u);
  EXPECT_EQ(img->pixels[2], 0xFF070809u);
  EXPECT_EQ(img->pixels[3], 0xFF070809u);
  image_free(img);
  // Two whole rows, then a literal packet that runs past the end of the file: decoding stops at the end
  // of the data, the rows decoded so far stay and the rest stays black.
  Bytes t = header(10, 3, 4, 32, kTargaTopDown);
  t.insert(t.end(), {0x82, 1, 2, 3, 4, 0x82, 5, 6, 7, 8, 0x7F, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
  write_bytes(path("trunc.tga"), t);
  img = targa_load_image(path("trunc.tga").c_str());
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->pixels[0], 0xFF030201u);
  EXPECT_EQ(img->pixels[5], 0xFF070605u);
  EXPECT_EQ(img->pixels[6], 0u);
  EXPECT_EQ(img->pixels[11], 0u);
  image_free(img);
}

TEST_F(TargaFiles, ShortPlainFile) {
  Bytes f = header(2, 2, 3, 24, kTargaTopDown);
  f.insert(f.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});  // two whole rows and part of the last
  write_bytes(path("short.tga"), f);
  ImageBuffer* img = image_alloc(2, 3);
  EXPECT_EQ(targa_load_texture(path("short.tga").c_str(), img, kTargaKeepAlpha), 0);
  image_free(img);
  img = targa_load_image(path("short.tga").c_str());  // the rows read so far
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->pixels[0], 0xFF030201u);
  EXPECT_EQ(img->pixels[2], 0xFF090807u);
  EXPECT_EQ(img->pixels[4], 0u);
  image_free(img);
}

TEST_F(TargaFiles, FailedSaveKeepsThePreviousFile) {
  const std::string p = path("keep.tga");
  const auto small = picture(4, 4, true);
  ASSERT_EQ(targa_save_texture(p.c_str(), small.data(), 4, 4), 1);
  const Bytes before = read_bytes(p);
  // Make every write past 1000 bytes fail, as on a full disk.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit lim = old;
  lim.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lim), 0);
  const auto big = picture(100, 100, true);
  const int32_t result = targa_save_texture(p.c_str(), big.data(), 100, 100);
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(read_bytes(p), before);
  size_t files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir_)) files += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 1u);  // no temporary file left behind
  // Folders along the path are created.
  EXPECT_EQ(targa_save_texture(path("a/b/c.tga").c_str(), small.data(), 4, 4), 1);
  EXPECT_EQ(targa_save_texture(path("zero.tga").c_str(), small.data(), 0, 4), 0);
}

}  // namespace
