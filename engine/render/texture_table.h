// The texture table of the current landscape format: 256 entries of 404 bytes describing each texture slot
// by name or by an embedded block of its pixels. The table never holds memory addresses.
#pragma once

#include <cstdint>

#include "engine/scene/texture_slots.h"

constexpr int32_t kTextureEntryBytes = 404;
constexpr int32_t kTextureTableBytes = 256 * kTextureEntryBytes;

// Fills an entry for a slot written by name: loaded flag, level-0 byte count and all data fields 0.
void texture_entry_from_slot(const TextureSlot& slot, uint8_t* entry);
// 1 when the slot has pixels that can be embedded (loaded, pixels and byte count present).
bool texture_slot_embeddable(const TextureSlot& slot);
// Marks an entry as embedded with its block at the file offset: loaded flag, level-0 byte count and offset,
// and the offsets of levels 1 to 8 from the start of the block.
void texture_entry_set_block(const TextureSlot& slot, uint32_t block_offset, uint8_t* entry);

// An entry as read from a file.
struct TextureEntry {
  uint8_t loaded;
  int16_t deformation;
  char name[256];
  uint32_t width[kTextureLevels], height[kTextureLevels], bytes0, data[kTextureLevels];
};
void texture_entry_parse(const uint8_t* bytes, TextureEntry* entry);
// 1 when the entry's embedded block is consistent: level sizes halve from a level 0 of 1 to 8192 pixels a
// side and every level lies inside the block of bytes0 bytes.
bool texture_entry_block_sound(const TextureEntry& entry);
