// Frame-sequence files: header, 6-bit palette, frames bottom row first, frame counts and failures.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/files/byte_order.h"
#include "engine/files/dan_writer.h"
#include "engine/raster/frame_buffers.h"
#include "tests/files/image_test_support.h"
#include "tests/support/engine_test.h"

namespace {

class DanFile : public EngineTest {};

using imgtest::FrameScope;
using imgtest::TempDir;

void set_entry(int32_t index, uint8_t r, uint8_t g, uint8_t b) {
  PaletteEntry palette[256];
  get_palette(palette, 0, 256);
  palette[index] = {r, g, b, 0};
  set_palette(palette, 0, 256);
}

TEST_F(DanFile, FirstFrameMakesHeaderPaletteAndOneFrame) {
  TempDir dir;
  FrameScope frames(320, 200);
  imgtest::fill_frames(4);
  set_entry(7, 255, 128, 3);
  const std::string path = dir.file("a.dan");
  ASSERT_EQ(dan_append_frame(path.c_str()), 1);
  std::vector<uint8_t> bytes = imgtest::read_bytes(path);
  ASSERT_EQ(bytes.size(), 1024u + 64000u);
  EXPECT_EQ(std::memcmp(bytes.data(), "DANIMWN\0", 8), 0);
  EXPECT_EQ(get32(&bytes[8]), 64000u);
  EXPECT_EQ(get32(&bytes[12]), 1024u);
  EXPECT_EQ(get32(&bytes[16]), 64000u);
  EXPECT_EQ(get32(&bytes[20]), 256u);
  EXPECT_EQ(get32(&bytes[24]), 320u);
  EXPECT_EQ(get32(&bytes[28]), 200u);
  EXPECT_EQ(get32(&bytes[32]), 1u);
  EXPECT_EQ(get32(&bytes[36]), 0u);
  EXPECT_EQ(bytes[256 + 21], 63);
  EXPECT_EQ(bytes[256 + 22], 32);
  EXPECT_EQ(bytes[256 + 23], 0);
  // Bottom row first.
  EXPECT_EQ(std::memcmp(&bytes[1024], vidmem8_row(199), 320), 0);
  EXPECT_EQ(std::memcmp(&bytes[1024 + 199 * 320], vidmem8_row(0), 320), 0);

  // A later frame adds its pixels only; the first palette stays.
  set_entry(7, 0, 0, 0);
  imgtest::fill_frames(5);
  ASSERT_EQ(dan_append_frame(path.c_str()), 1);
  bytes = imgtest::read_bytes(path);
  ASSERT_EQ(bytes.size(), 1024u + 2 * 64000u);
  EXPECT_EQ(bytes[256 + 21], 63);
  DanFileInfo info;
  ASSERT_EQ(dan_read_info(path.c_str(), &info), 1);
  EXPECT_EQ(info.valid, 1);
  EXPECT_EQ(info.width, 320);
  EXPECT_EQ(info.height, 200);
  EXPECT_EQ(info.frame_count, 2);
}

TEST_F(DanFile, CountsRoundDownAndGuardAZeroStride) {
  TempDir dir;
  uint8_t header[256];
  dan_fill_header(header, 10, 10);
  std::vector<uint8_t> bytes(header, header + 256);
  bytes.resize(1024 + 250);  // two whole frames and half of one
  const std::string path = dir.file("a.dan");
  imgtest::write_bytes(path, bytes);
  DanFileInfo info;
  ASSERT_EQ(dan_read_info(path.c_str(), &info), 1);
  EXPECT_EQ(info.frame_count, 2);
  put32(bytes.data() + 16, 0);
  imgtest::write_bytes(path, bytes);
  ASSERT_EQ(dan_read_info(path.c_str(), &info), 1);
  EXPECT_EQ(info.frame_count, 0);
  bytes[0] = 'X';
  imgtest::write_bytes(path, bytes);
  ASSERT_EQ(dan_read_info(path.c_str(), &info), 1);
  EXPECT_EQ(info.valid, 0);
  imgtest::write_bytes(path, std::vector<uint8_t>(100));
  EXPECT_EQ(dan_read_info(path.c_str(), &info), 0);
}

TEST_F(DanFile, FailuresReturnZero) {
  TempDir dir;
  {
    FrameScope frames(16, 16);
    imgtest::fill_frames(1);
    EXPECT_EQ(dan_append_frame("/dev/full"), 0);  // every row is written short
  }
  free_vidmem8();
  const std::string path = dir.file("b.dan");
  EXPECT_EQ(dan_append_frame(path.c_str()), 0);  // no 8-bit frame: the header alone is left
  EXPECT_EQ(imgtest::read_bytes(path).size(), 1024u);
}

}  // namespace
