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
      {"palm_3d", trees<34, 0>, 0xe9c2f7c3f450b94ull},
      {"palm_flat", trees<34, 1>, 0xa1bb664d8281683dull},
      {"palm_billboard", trees<34, 2>, 0xdbd2981c04166676ull},
      {"oak_3d", trees<35, 0>, 0xb70b6f1081881682ull},
      {"oak_flat", trees<35, 1>, 0x859960bfb25c7dfeull},
      {"oak_billboard", trees<35, 2>, 0xb34eebfecaa7a666ull},
      {"cactus_3d", trees<36, 0>, 0xfeeb2b496368420full},
      {"cactus_flat", trees<36, 1>, 0x12ba6fb0293e48f1ull},
      {"cactus_billboard", trees<36, 2>, 0x1df75a79d872a85full},
      {"pine_3d", trees<37, 0>, 0xd79dffef595b22aull},
      {"pine_flat", trees<37, 1>, 0xa6621a017e2f2c44ull},
      {"pine_billboard", trees<37, 2>, 0x9d6117c24a00a983ull},
      {"houses", houses, 0xe85d3cd1f7a8d1a5ull},
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
