// The path block of session landscape files: encoding, writing, reading and applying it.
#include "engine/animation/path_block.h"

#include <cstring>
#include <vector>

#include "engine/animation/path_model.h"
#include "engine/animation/path_spline.h"
#include "engine/host/descriptor_io.h"

namespace {

void put_u32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}
void put_i32(uint8_t* p, int32_t v) { put_u32(p, static_cast<uint32_t>(v)); }
// A byte field goes out as a four-byte integer with the byte's value sign-extended.
void put_byte_field(uint8_t* p, uint8_t v) { put_i32(p, static_cast<int8_t>(v)); }
void put_f32(uint8_t* p, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  put_u32(p, bits);
}
uint32_t get_u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
int32_t get_i32(const uint8_t* p) { return static_cast<int32_t>(get_u32(p)); }
float get_f32(const uint8_t* p) {
  const uint32_t bits = get_u32(p);
  float v;
  std::memcpy(&v, &bits, 4);
  return v;
}

}  // namespace

void encode_path_block_header(uint8_t out[kPathBlockHeaderSize]) {
  put_i32(out + 0, path_node_count);
  put_byte_field(out + 4, use_min_clearance);
  put_byte_field(out + 8, closed_loop_work);
  put_byte_field(out + 12, vehicle.reserved_a);
  put_byte_field(out + 16, vehicle.spline_kind);
  put_byte_field(out + 20, closed_loop);
  put_byte_field(out + 24, fixed_frame_count);
  put_byte_field(out + 28, vehicle.banking_enabled);
  put_byte_field(out + 32, vehicle.vehicle_class);
  put_byte_field(out + 36, preset_flag);
  put_byte_field(out + 40, vehicle.pitch_follows_slope);
  put_i32(out + 44, vehicle.path_frame_target);
  put_i32(out + 48, vehicle.path_speed);
  put_i32(out + 52, vehicle.bank_factor);
  put_i32(out + 56, vehicle.node_height);
  put_i32(out + 60, vehicle.preset_reserved);
  put_i32(out + 64, vehicle.smoothing_passes);
  put_i32(out + 68, pitch_offset);
  put_i32(out + 72, vehicle.min_clearance);
  put_f32(out + 76, vehicle.profile_zoom);
}

void encode_path_block_nodes(uint8_t out[kPathBlockNodesSize]) {
  for (int32_t i = 0; i < kPathNodeCapacity; ++i) {
    const PathNode& n = path_nodes[i];
    uint8_t* p = out + i * 40;
    put_f32(p + 0, n.x);
    put_f32(p + 4, n.y);
    put_f32(p + 8, n.altitude);
    put_f32(p + 12, n.target_x);
    put_f32(p + 16, n.target_y);
    put_f32(p + 20, n.target_z);
    put_f32(p + 24, n.speed);
    put_i32(p + 28, n.target_state);
    put_i32(p + 32, n.roll);
    put_i32(p + 36, n.reserved);
  }
}

int32_t apply_path_block(const uint8_t* block) {
  const int32_t count = get_i32(block);
  const int32_t frame_target = get_i32(block + 44);
  if (count < 0 || count > kPathNodeCapacity) return 0;
  if (frame_target < 0 || frame_target > kPathFramesWanted) return 0;
  const uint8_t* nodes = block + kPathBlockHeaderSize;
  for (int32_t i = 0; i < kPathNodeCapacity; ++i) {
    PathNode& n = path_nodes[i];
    const uint8_t* p = nodes + i * 40;
    n.x = get_f32(p + 0);
    n.y = get_f32(p + 4);
    n.altitude = get_f32(p + 8);
    n.target_x = get_f32(p + 12);
    n.target_y = get_f32(p + 16);
    n.target_z = get_f32(p + 20);
    n.speed = get_f32(p + 24);
    n.target_state = get_i32(p + 28);
    n.roll = get_i32(p + 32);
    n.reserved = get_i32(p + 36);
  }
  path_node_count = count;
  use_min_clearance = block[4];
  closed_loop_work = block[8];
  vehicle.reserved_a = block[12];
  vehicle.spline_kind = block[16];
  closed_loop = block[20];
  fixed_frame_count = block[24];
  vehicle.banking_enabled = block[28];
  vehicle.vehicle_class = block[32];
  preset_flag = block[36];
  vehicle.pitch_follows_slope = block[40];
  vehicle.path_frame_target = frame_target;
  vehicle.path_speed = get_i32(block + 48);
  vehicle.bank_factor = get_i32(block + 52);
  vehicle.node_height = get_i32(block + 56);
  vehicle.preset_reserved = get_i32(block + 60);
  vehicle.smoothing_passes = get_i32(block + 64);
  pitch_offset = get_i32(block + 68);
  vehicle.min_clearance = get_i32(block + 72);
  vehicle.profile_zoom = get_f32(block + 76);
  generate_path_frames(0);
  return 1;
}

int32_t write_path_block(int descriptor) {
  std::vector<uint8_t> block(kPathBlockSize);
  encode_path_block_header(block.data());
  encode_path_block_nodes(block.data() + kPathBlockHeaderSize);
  if (!descriptor_write_all(descriptor, block.data(), kPathBlockHeaderSize)) return 0;
  return descriptor_write_all(descriptor, block.data() + kPathBlockHeaderSize, kPathBlockNodesSize) ? 1 : 0;
}

int32_t read_path_block(FILE* stream) {
  if (!stream) return 0;
  // Read whole into a buffer first, so that a short or refused block leaves the path as it was.
  std::vector<uint8_t> block(kPathBlockSize);
  if (std::fread(block.data(), 1, kPathBlockHeaderSize, stream) != static_cast<size_t>(kPathBlockHeaderSize)) return 0;
  if (std::fread(block.data() + kPathBlockHeaderSize, 1, kPathBlockNodesSize, stream) !=
      static_cast<size_t>(kPathBlockNodesSize))
    return 0;
  return apply_path_block(block.data());
}
