// The 256 texture slots: a Targa texture per colour class and fixed slots for billboards, houses, sun and moon,
// each with nine size levels halving from full size in one block.
#pragma once

#include <cstdint>

struct TextureLevel {
  uint32_t width;
  uint32_t height;
  uint32_t bytes;     // level 0 only: size of the block holding all nine levels
  uint32_t* pixels;   // 0xAARRGGBB, row 0 at the top
};

constexpr int32_t kTextureLevels = 9;

struct TextureSlot {
  uint8_t loaded;       // the slot's own number while a texture is present, else 0
  int16_t deformation;  // texture-coordinate jitter of terrain textures
  char name[256];
  TextureLevel levels[kTextureLevels];
};

extern TextureSlot texture_slots[256];

void texture_slots_init();
void texture_slot_free(int32_t slot);
void texture_slots_free_all();
int32_t texture_slot_load(int32_t slot, char* name);
int32_t texture_slot_load_or_ask(int32_t slot, char* name);
int32_t choose_missing_texture_file(const char* title, char* name);
int32_t save_texture_slot_dialog(int32_t slot);
float texture_coord_jitter(int32_t a, int32_t b);
// texture_coord_jitter(a, b) when random_at2(a, b) is already known.
float texture_jitter_from_hash(int32_t hash);
void texture_build_mip_level(const uint32_t* source, uint32_t* destination, int32_t width, int32_t height);

// Size in bytes of the block for a w by h texture: w * h * 6, or exactly the nine levels where they need more.
// 0 when it would not fit in 32 bits.
uint64_t texture_block_bytes(uint32_t width, uint32_t height);
