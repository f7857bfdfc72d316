// Texture table entries: writing slots by name or embedded, and checking entries read from a file.
#include "engine/render/texture_table.h"

#include <cstring>

#include "engine/files/byte_order.h"

namespace {
constexpr int32_t kLevels = 260;  // offset of the nine level records
constexpr uint32_t kMaxSide = 8192;
}  // namespace

void texture_entry_from_slot(const TextureSlot& s, uint8_t* e) {
  std::memset(e, 0, kTextureEntryBytes);
  put16(e + 2, static_cast<uint16_t>(s.deformation));
  std::memcpy(e + 4, s.name, 256);
  e[4 + 255] = 0;
  for (int32_t l = 0; l < kTextureLevels; ++l) {
    put32(e + kLevels + 16 * l, s.levels[l].width);
    put32(e + kLevels + 16 * l + 4, s.levels[l].height);
  }
}

bool texture_slot_embeddable(const TextureSlot& s) {
  return s.loaded != 0 && s.levels[0].pixels != nullptr && s.levels[0].bytes != 0;
}

void texture_entry_set_block(const TextureSlot& s, uint32_t block_offset, uint8_t* e) {
  e[0] = s.loaded;
  put32(e + kLevels + 8, s.levels[0].bytes);
  put32(e + kLevels + 12, block_offset);
  const uintptr_t base = reinterpret_cast<uintptr_t>(s.levels[0].pixels);
  for (int32_t l = 1; l < kTextureLevels; ++l) {
    const uintptr_t p = reinterpret_cast<uintptr_t>(s.levels[l].pixels);
    const uint32_t offset = (p >= base && p - base < s.levels[0].bytes) ? static_cast<uint32_t>(p - base) : 0;
    put32(e + kLevels + 16 * l + 12, offset);
  }
}

void texture_entry_parse(const uint8_t* b, TextureEntry* e) {
  e->loaded = b[0];
  e->deformation = static_cast<int16_t>(get16(b + 2));
  std::memcpy(e->name, b + 4, 256);
  e->name[255] = 0;
  for (int32_t l = 0; l < kTextureLevels; ++l) {
    e->width[l] = get32(b + kLevels + 16 * l);
    e->height[l] = get32(b + kLevels + 16 * l + 4);
    e->data[l] = get32(b + kLevels + 16 * l + 12);
  }
  e->bytes0 = get32(b + kLevels + 8);
}

bool texture_entry_block_sound(const TextureEntry& e) {
  if (e.width[0] == 0 || e.height[0] == 0 || e.width[0] > kMaxSide || e.height[0] > kMaxSide) return false;
  for (int32_t l = 0; l < kTextureLevels; ++l) {
    if (l > 0) {
      const uint32_t w = e.width[l - 1] / 2 > 0 ? e.width[l - 1] / 2 : 1;
      const uint32_t h = e.height[l - 1] / 2 > 0 ? e.height[l - 1] / 2 : 1;
      if (e.width[l] != w || e.height[l] != h) return false;
    }
    const uint64_t offset = l == 0 ? 0 : e.data[l];
    if (offset % 4 != 0) return false;
    if (offset + uint64_t{e.width[l]} * e.height[l] * 4 > e.bytes0) return false;
  }
  return true;
}
