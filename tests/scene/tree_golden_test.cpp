// Golden hashes of small scenes with trees and houses: each tree kind in 3-D, flat and billboard form, and a
// row of houses and office buildings. When a change is intended, look at the images (written to the test
// artifacts folder) and update the hashes.
#include <cstdio>
#include <string>

#include "engine/files/targa.h"
#include "engine/landscape/tree_classes.h"
#include "tests/render/terrain_render_fixture.h"

namespace {

// A 16 by 16 billboard picture per kind in its texture slot: a crown over a trunk, transparent elsewhere,
// with its smaller levels.
uint32_t billboard_texels[16 * 16 + 8 * 8 + 4 * 4 + 2 * 2 + 1];

void load_billboard(int32_t slot) {
  uint32_t* p = billboard_texels;
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 16; ++x) {
      const int32_t dx = x - 8, dy = y - 6;
      uint32_t c = 0;
      if (dx * dx + dy * dy < 30) c = 0xFF208020u + static_cast<uint32_t>((x * 7 + y * 3) & 31) * 0x100u;
      if (y >= 10 && (x == 7 || x == 8)) c = 0xFF604020u;
      p[y * 16 + x] = c;
    }
  TextureSlot& t = texture_slots[slot];
  t.loaded = static_cast<uint8_t>(slot);
  uint32_t* level = p;
  int32_t size = 16;
  for (int32_t i = 0; i < kTextureLevels; ++i) t.levels[i] = TextureLevel{};
  for (int32_t i = 0; i < 5; ++i) {
    t.levels[i] = TextureLevel{static_cast<uint32_t>(size), static_cast<uint32_t>(size),
                               i == 0 ? static_cast<uint32_t>(sizeof billboard_texels) : 0u, level};
    if (size > 1) texture_build_mip_level(level, level + size * size, size, size);
    level += size * size;
    size /= 2;
  }
}

// Hand-placed objects on a 7 by 7 patch of every second cell north of the camera.
void place(uint8_t object) {
  for (int32_t r = 40; r < 54; r += 2)
    for (int32_t c = 60; c < 74; c += 2) cover_row(r)[c].object = object;
  tree_settings.trees_enabled = 1;
  camera_state.camera_x = 67 * 30.0f;
  camera_state.camera_y = 36 * 30.0f;
  camera_state.camera_z = static_cast<float>(elevation_row(36)[67]) + 25.0f;
  camera_state.camera_heading = 0.0f;
  camera_state.camera_pitch = -6.0f;
  derived_data.shades_done_step = land_width;
}

template <int Kind, int Form>
void trees() {
  place(static_cast<uint8_t>(Kind + 26));
  tree_settings.tree_size[Kind - 34] = Kind == 37 ? 30 : 20;
  if (Form == 0) {
    tree_settings.trees_3d = 1;
    tree_settings.tree_detail = 1;
  } else if (Form == 2) {
    load_billboard(Kind);
  }
}

void houses() {
  for (int32_t c = 60; c < 76; c += 2) cover_row(44)[c].object = static_cast<uint8_t>(72 + (c / 2) % 4);
  place(0);
  for (int32_t c = 60; c < 76; c += 2) cover_row(44)[c].object = static_cast<uint8_t>(72 + (c / 2) % 4);
  camera_state.camera_x = 64 * 30.0f;
  camera_state.camera_y = 38 * 30.0f;
  camera_state.camera_z = static_cast<float>(elevation_row(38)[64]) + 30.0f;
  camera_state.camera_heading = 20.0f;
}

struct Golden {
  const char* name;
  void (*setup)();
  uint64_t hash;
};

}  // namespace

TEST_F(TerrainRenderTest, GoldenTreeAndHouseScenes) {
  const Golden scenes[] = {
      {"palm_3d", trees<34, 0>, 0xf348951c3a302a4bull},
      {"palm_flat", trees<34, 1>, 0xc6b358a0a7d137efull},
      {"palm_billboard", trees<34, 2>, 0x34bd7d3a903ceb06ull},
      {"oak_3d", trees<35, 0>, 0x1f0f503a641804e2ull},
      {"oak_flat", trees<35, 1>, 0xf5a27f945a15b02full},
      {"oak_billboard", trees<35, 2>, 0x76d226beb9a909a9ull},
      {"cactus_3d", trees<36, 0>, 0xf211adbcf419e2f8ull},
      {"cactus_flat", trees<36, 1>, 0x3dd506040a11e803ull},
      {"cactus_billboard", trees<36, 2>, 0x2562b79aad56be65ull},
      {"pine_3d", trees<37, 0>, 0xb6449d4e700f054bull},
      {"pine_flat", trees<37, 1>, 0x92e0282e5eaf9074ull},
      {"pine_billboard", trees<37, 2>, 0xb139e05f9303ab00ull},
      {"houses", houses, 0xcf351defe4c6311ull},
  };

  for (const Golden& g : scenes) {
    reset_all();
    reset_tree_pick_tables();
    ASSERT_EQ(set_landscape_size(258, 258), 1);
    image(96, 72);
    startup_scene();
    g.setup();
    ASSERT_EQ(render_frame(0, 1), 1) << g.name;
    const uint64_t h = image_hash();
    const std::string path = (artifact_dir() / (std::string("golden_") + g.name + ".tga")).string();
    targa_save_frame(path.c_str());
    EXPECT_EQ(h, g.hash) << g.name << " 0x" << std::hex << h;
    // The billboard pictures are not the slots' own blocks: take them out before the slots are freed.
    for (int32_t slot = 34; slot <= 37; ++slot) {
      texture_slots[slot].loaded = 0;
      for (TextureLevel& l : texture_slots[slot].levels) l = TextureLevel{};
    }
  }
}
