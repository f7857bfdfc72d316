// The landscape header buffers and their field helpers.
#include "engine/files/landscape_header.h"

#include <cstring>

#include "engine/files/byte_order.h"

uint8_t dem_header[kDl4HeaderSize];
uint8_t old_dem_header[kOldHeaderSize];
float grid_spacing_z = 1.0f;

namespace {
void clear_keeping_names(uint8_t* header, int32_t size) {
  std::memset(header, 0, 32);
  std::memset(header + 128, 0, static_cast<size_t>(size - 128));
}
}  // namespace

void reset_landscape_headers() {
  std::memset(dem_header, 0, sizeof dem_header);
  std::memset(old_dem_header, 0, sizeof old_dem_header);
  grid_spacing_z = 1.0f;
}

void dl4_header_reset() { clear_keeping_names(dem_header, kDl4HeaderSize); }
void old_header_reset() { clear_keeping_names(old_dem_header, kOldHeaderSize); }

int32_t header_has_magic(const uint8_t* header, const char* magic) {
  const size_t n = std::strlen(magic);
  return std::memcmp(header, magic, n) == 0 && header[n] == 0 ? 1 : 0;
}

float get_f32(const uint8_t* p) {
  const uint32_t bits = get32(p);
  float v;
  std::memcpy(&v, &bits, 4);
  return v;
}
void put_f32(uint8_t* p, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  put32(p, bits);
}
int32_t get_i32(const uint8_t* p) { return static_cast<int32_t>(get32(p)); }
void put_i32(uint8_t* p, int32_t v) { put32(p, static_cast<uint32_t>(v)); }
