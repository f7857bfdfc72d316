// The path block of session files: header values and field order, byte fields, reading back,
// short and refused blocks.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "engine/animation/path_block.h"
#include "tests/animation/path_fixture.h"

namespace {

using PathBlock = PathTest;

int32_t word(const std::vector<uint8_t>& b, size_t offset) {
  return static_cast<int32_t>(b[offset] | b[offset + 1] << 8 | b[offset + 2] << 16 |
                              static_cast<uint32_t>(b[offset + 3]) << 24);
}

// The block as write_path_block puts it into a file.
std::vector<uint8_t> written_block() {
  FILE* f = std::tmpfile();
  EXPECT_NE(f, nullptr);
  EXPECT_EQ(write_path_block(fileno(f)), 1);
  std::vector<uint8_t> bytes(kPathBlockSize + 1);
  std::rewind(f);
  const size_t n = std::fread(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  EXPECT_EQ(n, static_cast<size_t>(kPathBlockSize));
  bytes.resize(n);
  return bytes;
}

// A stream holding the bytes.
FILE* stream_of(const std::vector<uint8_t>& bytes) {
  FILE* f = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  return f;
}

TEST_F(PathBlock, InitialHeaderValuesInTheirOrder) {
  const std::vector<uint8_t> b = written_block();
  const int32_t expected[] = {0, 0, 0, 1, 1, 0, 0, 1, 2, 0, 1, 200, 3000, 10, 100, 15, 20, 0, 30};
  for (size_t i = 0; i < 19; ++i) EXPECT_EQ(word(b, 4 * i), expected[i]) << "field " << i;
  const uint8_t one[4] = {0x00, 0x00, 0x80, 0x3F};  // 1.0f little-endian
  for (int i = 0; i < 4; ++i) EXPECT_EQ(b[76 + i], one[i]);
  apply_vehicle_preset(1381);
  EXPECT_EQ(word(written_block(), 36), 1);
}

TEST_F(PathBlock, EveryFieldAtItsOffset) {
  path_node_count = 2;
  use_min_clearance = 1;
  closed_loop_work = 1;
  vehicle.reserved_a = 0xFE;  // byte fields are sign-extended: -2
  vehicle.spline_kind = 0;
  closed_loop = 1;
  fixed_frame_count = 1;
  vehicle.banking_enabled = 0;
  vehicle.vehicle_class = 3;
  preset_flag = 1;
  vehicle.pitch_follows_slope = 0;
  vehicle.path_frame_target = 321;
  vehicle.path_speed = 4321;
  vehicle.bank_factor = -2;
  vehicle.node_height = 55;
  vehicle.preset_reserved = 7;
  vehicle.smoothing_passes = 33;
  pitch_offset = -9;
  vehicle.min_clearance = 44;
  vehicle.profile_zoom = 2.5f;
  path_nodes[0] = node(1.5f, 2.5f, 3.5f, 2800.0f);
  path_nodes[0].target_x = 4.0f;
  path_nodes[0].target_y = 5.0f;
  path_nodes[0].target_z = 6.0f;
  path_nodes[0].target_state = 2;
  path_nodes[0].roll = -30;
  path_nodes[999].reserved = 77;  // unused slots go out as they lie
  const std::vector<uint8_t> b = written_block();
  const int32_t expected[] = {2, 1, 1, -2, 0, 1, 1, 0, 3, 1, 0, 321, 4321, -2, 55, 7, 33, -9, 44};
  for (size_t i = 0; i < 19; ++i) EXPECT_EQ(word(b, 4 * i), expected[i]) << "field " << i;
  float f;
  std::memcpy(&f, &b[76], 4);
  EXPECT_EQ(f, 2.5f);
  const float floats[] = {1.5f, 2.5f, 3.5f, 4.0f, 5.0f, 6.0f, 2800.0f};
  for (int i = 0; i < 7; ++i) {
    std::memcpy(&f, &b[80 + 4 * i], 4);
    EXPECT_EQ(f, floats[i]) << i;
  }
  EXPECT_EQ(word(b, 80 + 28), 2);
  EXPECT_EQ(word(b, 80 + 32), -30);
  EXPECT_EQ(word(b, 80 + 36), 0);
  EXPECT_EQ(word(b, 80 + 999 * 40 + 36), 77);

  // Read back into fresh records: the same state, the byte fields from their low bytes.
  reset_path_state();
  FILE* s = stream_of(b);
  EXPECT_EQ(read_path_block(s), 1);
  std::fclose(s);
  EXPECT_EQ(path_node_count, 2);
  EXPECT_EQ(vehicle.reserved_a, 0xFE);
  EXPECT_EQ(vehicle.spline_kind, 0);
  EXPECT_EQ(closed_loop, 1);
  EXPECT_EQ(use_min_clearance, 1);
  EXPECT_EQ(fixed_frame_count, 1);
  EXPECT_EQ(vehicle.vehicle_class, 3);
  EXPECT_EQ(vehicle.path_frame_target, 321);
  EXPECT_EQ(vehicle.path_speed, 4321);
  EXPECT_EQ(pitch_offset, -9);
  EXPECT_EQ(vehicle.min_clearance, 44);
  EXPECT_EQ(vehicle.profile_zoom, 2.5f);
  EXPECT_EQ(path_nodes[0].roll, -30);
  EXPECT_EQ(path_nodes[0].target_state, 2);
  EXPECT_EQ(path_nodes[0].speed, 2800.0f);
  EXPECT_EQ(path_nodes[999].reserved, 77);
  EXPECT_EQ(path_frame_count, 0);  // fewer than 4 nodes: no frames
  EXPECT_EQ(written_block(), b);
}

TEST_F(PathBlock, ReadingRegeneratesWithoutDrawing) {
  static int draws = 0;
  draws = 0;
  path_draw_hooks.before = [] { ++draws; };
  for (int i = 0; i < 5; ++i) path_nodes[i] = node(2000.0f + 300.0f * i, 2000.0f + 500.0f * (i % 2), 400.0f);
  path_node_count = 5;
  const std::vector<uint8_t> b = written_block();
  path_node_count = 0;
  FILE* s = stream_of(b);
  EXPECT_EQ(read_path_block(s), 1);
  std::fclose(s);
  EXPECT_EQ(path_node_count, 5);
  EXPECT_GT(path_frame_count, 10);
  EXPECT_EQ(draws, 0);
}

TEST_F(PathBlock, ShortOrRefusedBlocksChangeNothing) {
  path_nodes[0] = node(1, 2, 3);
  path_node_count = 1;
  std::vector<uint8_t> b = written_block();
  path_nodes[0] = node(9, 9, 9);
  path_node_count = 3;
  vehicle.path_speed = 1111;
  struct Case {
    const char* what;
    size_t length;
    int32_t count, frame_target;
  };
  const Case cases[] = {
      {"short header", 79, 1, 200},
      {"short nodes", kPathBlockSize - 1, 1, 200},
      {"count above the table", kPathBlockSize, 1001, 200},
      {"negative count", kPathBlockSize, -1, 200},
      {"frame target past the frame array", kPathBlockSize, 1, 10001},
      {"negative frame target", kPathBlockSize, 1, -5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> bad = b;
    for (int i = 0; i < 4; ++i) {
      bad[i] = static_cast<uint8_t>(static_cast<uint32_t>(c.count) >> (8 * i));
      bad[44 + i] = static_cast<uint8_t>(static_cast<uint32_t>(c.frame_target) >> (8 * i));
    }
    bad.resize(c.length);
    FILE* s = stream_of(bad);
    EXPECT_EQ(read_path_block(s), 0);
    std::fclose(s);
    EXPECT_EQ(path_node_count, 3);
    EXPECT_EQ(path_nodes[0].x, 9.0f);
    EXPECT_EQ(vehicle.path_speed, 1111);
  }
  EXPECT_EQ(read_path_block(nullptr), 0);
  // The largest table and frame target are accepted.
  std::vector<uint8_t> full = b;
  full[0] = 0xE8;
  full[1] = 0x03;
  full[44] = 0x10;
  full[45] = 0x27;
  EXPECT_EQ(apply_path_block(full.data()), 1);
  EXPECT_EQ(path_node_count, 1000);
  EXPECT_EQ(vehicle.path_frame_target, 10000);
}

TEST_F(PathBlock, AFailedWriteGivesZero) {
  EXPECT_EQ(write_path_block(-1), 0);
  if (FILE* full = std::fopen("/dev/full", "w")) {
    EXPECT_EQ(write_path_block(fileno(full)), 0);
    std::fclose(full);
  }
}

}  // namespace
