// PCX files: the row codec, round trips of the 8-bit image with its palette, palettes alone, and
// damaged or hostile files.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/files/pcx_format.h"
#include "engine/files/pcx_image.h"
#include "tests/support/headless_host.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/image_palette.h"
#include "tests/files/file_size_limit.h"
#include "tests/files/image_test_support.h"

using imgtest::FrameScope;
using imgtest::TempDir;
using Bytes = std::vector<uint8_t>;

namespace {
Bytes encode(const Bytes& row) {
  Bytes out(row.size() * 2 + 2);
  out.resize(static_cast<size_t>(encode_pcx_row(row.data(), out.data(), static_cast<int32_t>(row.size()))));
  return out;
}

// Decodes rows of the given width from bytes; returns them joined, with a guard after each row.
Bytes decode(const Bytes& coded, int32_t width, int32_t rows) {
  FILE* f = std::tmpfile();
  std::fwrite(coded.data(), 1, coded.size(), f);
  std::rewind(f);
  Bytes out;
  for (int32_t r = 0; r < rows; ++r) {
    Bytes row(static_cast<size_t>(width) + 1, 0xEE);
    EXPECT_EQ(decode_pcx_row(f, row.data(), width), width);
    EXPECT_EQ(row.back(), 0xEE) << "wrote past the row";
    out.insert(out.end(), row.begin(), row.end() - 1);
  }
  std::fclose(f);
  return out;
}

Bytes repeat(size_t n, uint8_t v) { return Bytes(n, v); }
Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

void set_test_palette() {
  PaletteEntry entries[256];
  for (int i = 0; i < 256; ++i)
    entries[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 3), 0};
  set_palette(entries, 0, 256);
}

// A PCX file of the given header fields and coded rows, with a palette block of entry i = (i, i/2, 7).
Bytes make_pcx(int32_t width, int32_t height, const Bytes& rows, int bytes_per_line = -1) {
  pcx_fill_header(width, height);
  if (bytes_per_line >= 0) pcx_header.bytes_per_line = static_cast<uint16_t>(bytes_per_line);
  Bytes out(kPcxHeaderSize);
  pcx_header_to_bytes(pcx_header, out.data());
  out.insert(out.end(), rows.begin(), rows.end());
  out.push_back(12);
  for (int i = 0; i < 256; ++i) out.insert(out.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(i / 2), 7});
  return out;
}
}  // namespace

TEST(PcxCodec, EncodesRunsSinglesAndHighBytes) {
  struct Case {
    const char* what;
    Bytes row, coded;
  };
  const Case cases[] = {
      {"64 equal bytes", repeat(64, 0x10), {0xFF, 0x10, 0x10}},
      {"130 equal bytes", repeat(130, 0x22), {0xFF, 0x22, 0xFF, 0x22, 0xC4, 0x22}},
      {"63 equal bytes", repeat(63, 0x05), {0xFF, 0x05}},
      {"single high byte", {0x01, 0xC5, 0x02}, {0x01, 0xC1, 0xC5, 0x02}},
      {"single low byte", {0x41}, {0x41}},
      {"pair", {0x41, 0x41}, {0xC2, 0x41}},
      {"0xC0 and 0xFF singles", {0xC0, 0xFF}, {0xC1, 0xC0, 0xC1, 0xFF}},
      {"empty", {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(encode(c.row), c.coded) << c.what;
    if (!c.row.empty()) {
      EXPECT_EQ(decode(c.coded, static_cast<int32_t>(c.row.size()), 1), c.row) << c.what;
    }
  }
}

TEST(PcxCodec, DecodingNeverWritesPastTheRow) {
  struct Case {
    const char* what;
    Bytes coded;
    int32_t width, rows;
    Bytes expected;
  };
  const Case cases[] = {
      // A run longer than the row: the rest is dropped and the next row starts with a fresh code.
      {"run past the row end", {0xC5, 0x07, 0x09, 0x08}, 3, 2, {7, 7, 7, 9, 8, 0xFF}},
      {"zero-length run", {0xC0, 0x55, 0x01, 0x02}, 2, 1, {1, 2}},
      // Missing bytes read as 0xFF, a 63-byte run of 0xFF.
      {"truncated", {0x03}, 4, 2, {3, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"run code at the end", {0xC3}, 5, 1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const Case& c : cases) EXPECT_EQ(decode(c.coded, c.width, c.rows), c.expected) << c.what;
}

TEST(PcxFiles, RenderImageRoundTripsWithItsPalette) {
  ScopedHeadlessHost host;
  TempDir dir;
  for (auto [w, h] : {std::pair{1, 1}, {33, 4}, {101, 8}, {200, 5}}) {
    FrameScope frame(w, h);
    imgtest::fill_frames(1);
    set_test_palette();
    const std::string path = dir.file("round.pcx");
    ASSERT_EQ(save_screen_pcx(path.c_str()), 1) << w;
    const Bytes file = imgtest::read_bytes(path);
    ASSERT_GT(file.size(), 128u + 769u);
    EXPECT_EQ(file[file.size() - 769], 12);
    EXPECT_EQ(file[8] | file[9] << 8, w - 1);

    clear_vidmem8();
    PaletteEntry grey[256] = {};
    set_palette(grey, 0, 256);
    ASSERT_EQ(load_pcx_to_screen(path.c_str()), 1);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        const uint8_t v = imgtest::pattern_index(x, y, 1);
        ASSERT_EQ(vidmem8_row(y)[x], v) << w << " at " << x << "," << y;
        ASSERT_EQ(vidmem24_row(y)[x], uint32_t{v} << 16 | uint32_t(255 - v) << 8 | uint8_t(v * 3));
      }
    EXPECT_EQ(display_palette[200].green, 55);
  }
  EXPECT_EQ(host->live_blocks, 0);
}

TEST(PcxFiles, LoadClipsLargePicturesAndKeepsTheRestOfSmallOnes) {
  ScopedHeadlessHost host;
  TempDir dir;
  const std::string path = dir.file("clip.pcx");
  // 70 by 3 picture: each row a 64+ run; rows 0x10, 0x11, 0x12.
  const Bytes rows = cat({encode(repeat(70, 0x10)), encode(repeat(70, 0x11)), encode(repeat(70, 0x12))});
  imgtest::write_bytes(path, make_pcx(70, 3, rows));
  {
    FrameScope frame(50, 2);
    ASSERT_EQ(load_pcx_to_screen(path.c_str()), 1);
    EXPECT_EQ(vidmem8_row(1)[49], 0x11);
  }
  {
    FrameScope frame(80, 5);
    ASSERT_EQ(load_pcx_to_screen(path.c_str()), 1);
    EXPECT_EQ(vidmem8_row(2)[69], 0x12);
    EXPECT_EQ(vidmem8_row(2)[70], 0);
    EXPECT_EQ(vidmem8_row(4)[0], 0);
    EXPECT_EQ(display_palette[100].red, 100);
  }
}

TEST(PcxFiles, PaddedRowsOfOtherProgramsLoad) {
  ScopedHeadlessHost host;
  TempDir dir;
  // Width 33 stored with 34 bytes per line, the pad byte coded at the end of each row.
  const Bytes row0 = cat({repeat(33, 0xC7), {0}}), row1 = cat({repeat(33, 0x05), {0}});
  const std::string path = dir.file("padded.pcx");
  imgtest::write_bytes(path, make_pcx(33, 2, cat({encode(row0), encode(row1)}), 34));
  FrameScope frame(33, 2);
  ASSERT_EQ(load_pcx_to_screen(path.c_str()), 1);
  EXPECT_EQ(vidmem8_row(0)[32], 0xC7);
  EXPECT_EQ(vidmem8_row(1)[0], 0x05);
  EXPECT_EQ(vidmem8_row(1)[32], 0x05);
}

TEST(PcxFiles, RefusesWrongKindsAndSizesBeforeTouchingTheFrame) {
  ScopedHeadlessHost host;
  TempDir dir;
  struct Case {
    const char* what;
    size_t at;
    uint8_t value;
    int32_t code;
  };
  const Case cases[] = {
      {"version 3", 1, 3, kPcxWrongKind},      {"4 bits", 3, 4, kPcxWrongKind},
      {"3 planes", 65, 3, kPcxWrongKind},      {"not coded", 2, 0, kPcxWrongKind},
      {"xmin past xmax", 4, 50, kPcxBadSize},  {"ymin past ymax", 6, 9, kPcxBadSize},
  };
  const Bytes good = make_pcx(33, 2, cat({encode(repeat(33, 1)), encode(repeat(33, 2))}));
  for (const Case& c : cases) {
    Bytes bytes = good;
    bytes[c.at] = c.value;
    const std::string path = dir.file("bad.pcx");
    imgtest::write_bytes(path, bytes);
    FrameScope frame(40, 4);
    vidmem8_row(3)[39] = 0x99;
    EXPECT_EQ(load_pcx_to_screen(path.c_str()), c.code) << c.what;
    EXPECT_EQ(load_pcx_palette(path.c_str()), c.code) << c.what;
    EXPECT_EQ(vidmem8_row(3)[39], 0x99) << c.what;
  }
  // 8192 wide loads; 8193 is refused.
  for (auto [w, code] : {std::pair{8192, kPcxOk}, {8193, kPcxBadSize}}) {
    const std::string path = dir.file("wide.pcx");
    Bytes coded;
    for (int32_t i = 0; i < w; i += 63) coded.insert(coded.end(), {0xFF, 0x21});
    imgtest::write_bytes(path, make_pcx(w, 1, coded));
    FrameScope frame(16, 16);
    EXPECT_EQ(load_pcx_to_screen(path.c_str()), code) << w;
    EXPECT_EQ(vidmem8_row(0)[0], code == kPcxOk ? 0x21 : 0) << w;
  }
  // A short header, a missing file, and no 8-bit frame.
  imgtest::write_bytes(dir.file("short.pcx"), Bytes(good.begin(), good.begin() + 100));
  FrameScope frame(40, 4);
  EXPECT_EQ(load_pcx_to_screen(dir.file("short.pcx").c_str()), kPcxCannotRead);
  EXPECT_EQ(load_pcx_to_screen(dir.file("missing.pcx").c_str()), kPcxCannotRead);
  free_vidmem8();
  imgtest::write_bytes(dir.file("good.pcx"), good);
  EXPECT_EQ(load_pcx_to_screen(dir.file("good.pcx").c_str()), kPcxCannotRead);
  EXPECT_EQ(save_screen_pcx(dir.file("none.pcx").c_str()), 0);
  EXPECT_FALSE(imgtest::exists(dir.file("none.pcx")));
}

TEST(PcxFiles, PaletteIsReadOnlyFromFilesLongEnoughToHoldIt) {
  ScopedHeadlessHost host;
  TempDir dir;
  const std::string path = dir.file("pal.pcx");
  // A proper file: the palette lands in the image palette, its fourth bytes untouched.
  image_palette[5].spare = 0x77;
  imgtest::write_bytes(path, make_pcx(33, 1, encode(repeat(33, 3))));
  ASSERT_EQ(load_pcx_palette(path.c_str()), 1);
  EXPECT_EQ(image_palette[200].green, 100);
  EXPECT_EQ(image_palette[5].spare, 0x77);

  // No marker: 1 and nothing changes.
  Bytes no_marker = make_pcx(33, 1, encode(repeat(33, 3)));
  no_marker[no_marker.size() - 769] = 11;
  no_marker[no_marker.size() - 768 + 3 * 200 + 1] = 1;
  imgtest::write_bytes(path, no_marker);
  EXPECT_EQ(load_pcx_palette(path.c_str()), 1);
  EXPECT_EQ(image_palette[200].green, 100);

  // A file one byte shorter than a header and a palette block, with 12 where the block would start
  // (the header's last byte): no palette is read from it, and its pixels load with the current palette.
  Bytes short_file = make_pcx(33, 1, encode(repeat(33, 3)));
  short_file.resize(kPcxHeaderSize + kPcxPaletteBlockSize - 1, 0x40);
  short_file[kPcxHeaderSize - 1] = 12;
  imgtest::write_bytes(path, short_file);
  EXPECT_EQ(load_pcx_palette(path.c_str()), 1);
  EXPECT_EQ(image_palette[200].green, 100);
  FrameScope frame(33, 1);
  set_test_palette();
  ASSERT_EQ(load_pcx_to_screen(path.c_str()), 1);
  EXPECT_EQ(display_palette[200].green, 55);
  EXPECT_EQ(vidmem8_row(0)[32], 3);
}

TEST(PcxFiles, FailedSavesKeepThePreviousFile) {
  ScopedHeadlessHost host;
  TempDir dir;
  const std::string path = dir.file("keep.pcx");
  imgtest::write_bytes(path, make_pcx(33, 1, encode(repeat(33, 3))));
  const Bytes before = imgtest::read_bytes(path);
  {
    FrameScope frame(300, 200);
    imgtest::fill_frames(4);
    imgtest::FileSizeLimit limit(1000);
    EXPECT_EQ(save_screen_pcx(path.c_str()), 0);
  }
  EXPECT_EQ(imgtest::read_bytes(path), before);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"keep.pcx"});
}

TEST(PcxCodec, PalettesWrittenIntoFiles) {
  uint8_t rgb[768];
  grey_palette(rgb);
  EXPECT_EQ(rgb[3 * 77], 77);
  EXPECT_EQ(rgb[3 * 77 + 2], 77);
  elevation_palette(rgb);
  // Entry 0: hue 168 (blue), value 96; entry 255: hue 3 (red), value 216; saturation 192 throughout.
  EXPECT_LT(rgb[0], rgb[2]);
  EXPECT_EQ(rgb[2], 96);
  EXPECT_EQ(rgb[3 * 255], 216);
  EXPECT_GT(rgb[3 * 255], rgb[3 * 255 + 1]);
  EXPECT_GT(rgb[3 * 255 + 1], rgb[3 * 255 + 2]);
  for (int b = 1; b < 16; ++b) EXPECT_GT(rgb[3 * (16 * 7 + b)] + rgb[3 * (16 * 7 + b) + 1] + rgb[3 * (16 * 7 + b) + 2],
                                         rgb[3 * (16 * 7 + b - 1)] + rgb[3 * (16 * 7 + b - 1) + 1] + rgb[3 * (16 * 7 + b - 1) + 2]);
}
