// FLC writer: packet choice, row and frame sizes, speed, appending and refusing foreign files.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/files/byte_order.h"
#include "engine/files/flc_writer.h"
#include "engine/raster/frame_buffers.h"
#include "tests/files/image_test_support.h"
#include "tests/support/engine_test.h"

namespace {

class FlcAppend : public EngineTest {};

class FlcFrame : public EngineTest {};

using imgtest::FrameScope;
using imgtest::TempDir;

std::vector<uint8_t> encode(const std::vector<uint8_t>& row) {
  std::vector<uint8_t> out(flc_max_row_size(static_cast<int32_t>(row.size())));
  out.resize(flc_encode_brun_row(row.data(), static_cast<int32_t>(row.size()), out.data()));
  return out;
}

TEST(FlcRow, PacketsFollowTheRunAndLiteralRules) {
  struct Case {
    std::vector<uint8_t> row, coded;
  } cases[] = {
      {std::vector<uint8_t>(320, 0), {3, 127, 0, 127, 0, 66, 0}},
      {{0, 1, 2, 3}, {1, 0xFC, 0, 1, 2, 3}},
      {{5, 5}, {1, 0xFE, 5, 5}},
      {{1, 2, 3, 3, 3, 3}, {2, 0xFE, 1, 2, 4, 3}},   // a literal stops where three equal bytes begin
      {{7}, {1, 0xFF, 7}},
      {{9, 9, 9, 1, 2}, {2, 3, 9, 0xFE, 1, 2}},       // a run, then a tail too short for a run
  };
  for (const Case& c : cases) EXPECT_EQ(encode(c.row), c.coded);
}

TEST(FlcRow, LongLiteralsSplitAt127Bytes) {
  std::vector<uint8_t> row(300);
  for (size_t i = 0; i < row.size(); ++i) row[i] = static_cast<uint8_t>(i);
  const std::vector<uint8_t> coded = encode(row);
  EXPECT_EQ(coded[0], 3);
  EXPECT_EQ(coded[1], static_cast<uint8_t>(-127));
  EXPECT_EQ(coded[1 + 128], static_cast<uint8_t>(-127));
  EXPECT_EQ(coded[1 + 256], static_cast<uint8_t>(-46));
  EXPECT_EQ(coded.size(), flc_max_row_size(300));  // the worst case is reached exactly
}

TEST(FlcSpeed, MillisecondsPerFrameRoundToNearest) {
  EXPECT_EQ(flc_speed_for_rate(15), 67u);
  EXPECT_EQ(flc_speed_for_rate(30), 33u);
  EXPECT_EQ(flc_speed_for_rate(25), 40u);
  EXPECT_EQ(flc_speed_for_rate(0), 1000u);  // no rate: one frame a second rather than a division by 0
}

TEST_F(FlcFrame, FirstFrameOfBlankImageIs2200Bytes) {
  FrameScope frames(320, 200);
  for (int32_t y = 0; y < 200; ++y) std::memset(vidmem8_row(y), 0, 320);
  std::vector<uint8_t> out(flc_max_frame_size());
  EXPECT_EQ(flc_brun_chunk(out.data()), 1406u);
  ASSERT_EQ(flc_first_frame(out.data()), 2200u);
  EXPECT_EQ(get32(out.data()), 2200u);
  EXPECT_EQ(get16(out.data() + 4), 0xF1FAu);
  EXPECT_EQ(get16(out.data() + 6), 2u);
  EXPECT_EQ(get32(out.data() + 16), 778u);
  EXPECT_EQ(get16(out.data() + 20), 4u);
  EXPECT_EQ(get32(out.data() + 16 + 778), 1406u);
  EXPECT_EQ(get16(out.data() + 16 + 778 + 4), 15u);
  EXPECT_EQ(flc_next_frame(out.data()), 16u + 1406u);
  EXPECT_EQ(get16(out.data() + 6), 1u);
}

TEST_F(FlcFrame, OddChunksArePaddedAndSmallImagesFitTheBuffer) {
  FrameScope frames(16, 16);
  imgtest::fill_frames(3);  // hardly compressible
  std::vector<uint8_t> out(flc_max_frame_size());
  const size_t size = flc_first_frame(out.data());
  EXPECT_LE(size, out.size());
  EXPECT_EQ(get32(out.data() + 16 + 778) % 2, 0u);
}

TEST_F(FlcAppend, ThreeFramesMakeOneFileWithHeaderAndPalette) {
  TempDir dir;
  FrameScope frames(320, 200);
  PaletteEntry palette[256] = {};
  palette[1] = {10, 20, 30, 0};
  set_palette(palette, 0, 256);
  const std::string path = dir.file("sub/anim.flc");  // the folder is made
  size_t expected = 128;
  for (uint32_t seed = 0; seed < 3; ++seed) {
    imgtest::fill_frames(seed);
    std::vector<uint8_t> frame(flc_max_frame_size());
    expected += seed == 0 ? flc_first_frame(frame.data()) : flc_next_frame(frame.data());
    ASSERT_EQ(flc_append_frame(path.c_str(), 15), 1);
  }
  const std::vector<uint8_t> bytes = imgtest::read_bytes(path);
  ASSERT_EQ(bytes.size(), expected);
  const uint8_t* h = bytes.data();
  EXPECT_EQ(get32(h), expected);
  EXPECT_EQ(get16(h + 4), 0xAF12u);
  EXPECT_EQ(get16(h + 6), 3u);
  EXPECT_EQ(get16(h + 8), 320u);
  EXPECT_EQ(get16(h + 10), 200u);
  EXPECT_EQ(get16(h + 12), 8u);
  EXPECT_EQ(get32(h + 16), 67u);
  EXPECT_EQ(get16(h + 38), 1u);
  EXPECT_EQ(get16(h + 40), 1u);
  EXPECT_EQ(get32(h + 80), 128u);
  EXPECT_EQ(get32(h + 84), 128u);
  // The palette in the first frame's colour chunk.
  EXPECT_EQ(bytes[128 + 16 + 10 + 3], 10);
  EXPECT_EQ(bytes[128 + 16 + 10 + 4], 20);
  EXPECT_EQ(bytes[128 + 16 + 10 + 5], 30);
  // An appended file keeps its speed even when a later append names another rate.
  ASSERT_EQ(flc_append_frame(path.c_str(), 30), 1);
  uint8_t header[128];
  ASSERT_EQ(flc_read_header(path.c_str(), header), 1);
  EXPECT_EQ(get32(header + 16), 67u);
  EXPECT_EQ(get16(header + 6), 4u);
}

TEST_F(FlcAppend, ForeignOrMismatchedFilesAreLeftAlone) {
  TempDir dir;
  FrameScope frames(64, 48);
  imgtest::fill_frames(1);
  const std::string good = dir.file("a.flc");
  ASSERT_EQ(flc_append_frame(good.c_str(), 15), 1);
  const std::vector<uint8_t> original = imgtest::read_bytes(good);

  struct Case {
    const char* name;
    void (*spoil)(std::vector<uint8_t>&);
  } cases[] = {
      {"magic", [](std::vector<uint8_t>& b) { put16(b.data() + 4, 0x1234); }},
      {"width", [](std::vector<uint8_t>& b) { put16(b.data() + 8, 65); }},
      {"size beyond the end", [](std::vector<uint8_t>& b) { put32(b.data(), static_cast<uint32_t>(b.size() + 1)); }},
      {"short header", [](std::vector<uint8_t>& b) { b.resize(100); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes = original;
    c.spoil(bytes);
    const std::string path = dir.file(std::string(c.name) + ".flc");
    imgtest::write_bytes(path, bytes);
    EXPECT_EQ(flc_append_frame(path.c_str(), 15), 0);
    EXPECT_EQ(imgtest::read_bytes(path), bytes);
  }
  EXPECT_EQ(flc_read_header(dir.file("missing.flc").c_str(), std::vector<uint8_t>(128).data()), 0);
}

TEST_F(FlcAppend, AFrameBeyondTheStatedSizeIsReplaced) {
  TempDir dir;
  FrameScope frames(32, 16);
  imgtest::fill_frames(2);
  const std::string path = dir.file("a.flc");
  ASSERT_EQ(flc_append_frame(path.c_str(), 15), 1);
  std::vector<uint8_t> bytes = imgtest::read_bytes(path);
  const size_t one = bytes.size();
  bytes.insert(bytes.end(), 40, 0xEE);  // a frame whose header rewrite never happened
  imgtest::write_bytes(path, bytes);
  ASSERT_EQ(flc_append_frame(path.c_str(), 15), 1);
  std::vector<uint8_t> frame(flc_max_frame_size());
  EXPECT_EQ(imgtest::read_bytes(path).size(), one + flc_next_frame(frame.data()));
}

TEST_F(FlcAppend, NoFrameBufferWritesNothing) {
  TempDir dir;
  free_vidmem8();
  const std::string path = dir.file("a.flc");
  EXPECT_EQ(flc_append_frame(path.c_str(), 15), 0);
  EXPECT_FALSE(imgtest::exists(path));
}

}  // namespace
