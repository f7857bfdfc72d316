// Texture slots: loading through Targa files, the halving levels with alpha weighting, refusals and saving.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/files/targa.h"
#include "tests/support/headless_host.h"
#include "engine/scene/texture_slots.h"
#include "tests/files/targa_fixture.h"

namespace {

class TextureSlotTest : public TargaScratch {
 protected:
  void SetUp() override {
    TargaScratch::SetUp();
    texture_slots_free_all();
    texture_slots_init();
  }
  void TearDown() override {
    texture_slots_free_all();
    TargaScratch::TearDown();
  }
  // Writes a 24-bit plain file from 0x00RRGGBB pixels, top row first (top-down descriptor).
  std::string write24(const std::string& name, int32_t w, int32_t h, const std::vector<uint32_t>& px) {
    auto bytes = header(2, static_cast<uint16_t>(w), static_cast<uint16_t>(h), 24, kTargaTopDown);
    for (uint32_t p : px)
      bytes.insert(bytes.end(), {static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p >> 16)});
    write_bytes(path(name), bytes);
    return path(name);
  }
  ScopedHeadlessHost host_;
};

TEST_F(TextureSlotTest, LevelsHalveDownToOnePixel) {
  struct Case {
    int32_t w, h;
    uint32_t last_w[3], last_h[3];
  };
  const Case cases[] = {{256, 256, {4, 2, 1}, {4, 2, 1}}, {512, 64, {8, 4, 2}, {1, 1, 1}}, {4, 4, {1, 1, 1}, {1, 1, 1}},
                        {2048, 1, {32, 16, 8}, {1, 1, 1}}};
  for (const Case& c : cases) {
    std::string p = write24("lv.tga", c.w, c.h, std::vector<uint32_t>(static_cast<size_t>(c.w) * c.h, 0x808080));
    char name[256];
    std::strcpy(name, p.c_str());
    ASSERT_EQ(texture_slot_load(40, name), 1);
    const TextureSlot& s = texture_slots[40];
    EXPECT_EQ(s.loaded, 40);
    uint64_t needed = 0;
    for (int l = 0; l < kTextureLevels; ++l) needed += uint64_t{s.levels[l].width} * s.levels[l].height * 4;
    EXPECT_EQ(s.levels[0].bytes, std::max<uint64_t>(needed, uint64_t(c.w) * c.h * 6)) << c.w << "x" << c.h;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(s.levels[6 + i].width, c.last_w[i]) << c.w << "x" << c.h;
      EXPECT_EQ(s.levels[6 + i].height, c.last_h[i]) << c.w << "x" << c.h;
    }
    // Each level lies right behind the one before it, all inside the block.
    for (int l = 1; l < kTextureLevels; ++l)
      EXPECT_EQ(s.levels[l].pixels, s.levels[l - 1].pixels + size_t{s.levels[l - 1].width} * s.levels[l - 1].height);
    EXPECT_EQ(s.levels[8].pixels[0], 0xFF808080u);
  }
}

TEST_F(TextureSlotTest, BlackIsTransparentAndLevelsWeighByAlpha) {
  // 2 by 2: two black and two white texels; the next level is white with alpha (510 + 2) / 4 = 128.
  std::string p = write24("bw.tga", 2, 2, {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000});
  char name[256];
  std::strcpy(name, p.c_str());
  ASSERT_EQ(texture_slot_load(50, name), 1);
  const TextureSlot& s = texture_slots[50];
  EXPECT_EQ(s.levels[0].pixels[0], 0u);
  EXPECT_EQ(s.levels[0].pixels[1], 0xFFFFFFFFu);
  EXPECT_EQ(s.levels[1].pixels[0], 0x80FFFFFFu);

  // Direct cases of the reduction, including odd sides and an all-transparent block.
  const uint32_t src[6] = {0xFF102030u, 0x00FFFFFFu, 0xFF000000u, 0x80402010u, 0x00000000u, 0xFFFFFFFFu};
  uint32_t dst[2] = {};
  texture_build_mip_level(src, dst, 3, 2);  // 3 by 2 -> 1 by 1, the third column unused
  // alpha sum 255 + 0 + 128 + 0 (row 2 starts at index 3): p00=src[0], p01=src[1], p10=src[3], p11=src[4]
  const uint32_t a = 255 + 128;
  const uint32_t r = (0x10 * 255 + 0x40 * 128 + a / 2) / a, g = (0x20 * 255 + 0x20 * 128 + a / 2) / a,
                 b = (0x30 * 255 + 0x10 * 128 + a / 2) / a;
  EXPECT_EQ(dst[0], ((a + 2) / 4) << 24 | r << 16 | g << 8 | b);
  const uint32_t clear[2] = {0, 0};
  texture_build_mip_level(clear, dst, 2, 1);
  EXPECT_EQ(dst[0], 0u);  // alpha (1 + 2) / 4 = 0, black
}

TEST_F(TextureSlotTest, EmptyNameMissingFileAndRefusals) {
  char empty[256] = "";
  EXPECT_EQ(texture_slot_load(38, empty), 1);
  EXPECT_EQ(texture_slots[38].loaded, 0);

  char missing[256];
  std::strcpy(missing, path("nope.tga").c_str());
  EXPECT_EQ(texture_slot_load(38, missing), 0);
  EXPECT_EQ(missing[0], '\0');
  ASSERT_FALSE(host_->messages.empty());
  EXPECT_EQ(host_->messages.back().text, "Error reading file: \"" + path("nope.tga") + "\"");
  EXPECT_EQ(host_->messages.back().button1, "  OK  ");

  // Sizes from the header: 0 is refused with its own message, a huge one before any allocation.
  write_bytes(path("zero.tga"), header(2, 0, 16, 24));
  char zero[256];
  std::strcpy(zero, path("zero.tga").c_str());
  EXPECT_EQ(texture_slot_load(38, zero), 0);
  EXPECT_NE(host_->messages.back().text.find("width or height 0"), std::string::npos);
  write_bytes(path("huge.tga"), header(2, 65535, 65535, 32));
  char huge[256];
  std::strcpy(huge, path("huge.tga").c_str());
  host_->allocations = 0;
  EXPECT_EQ(texture_slot_load(38, huge), 0);
  EXPECT_NE(host_->messages.back().text.find("too large"), std::string::npos);
  EXPECT_EQ(texture_slots[38].loaded, 0);

  // Memory refused: the message gives the block size (the nine levels of 4 by 4 need 108 bytes, more than 96).
  std::string p = write24("m.tga", 4, 4, std::vector<uint32_t>(16, 0x102030));
  char name[256];
  std::strcpy(name, p.c_str());
  host_->fail_at_size = 16 * 6;
  EXPECT_EQ(texture_slot_load(38, name), 0);
  host_->fail_at_size = 0;
  EXPECT_EQ(host_->messages.back().text, "Insufficient memory  (108 bytes needed).");
  EXPECT_EQ(name[0], '\0');
}

TEST_F(TextureSlotTest, SlotZeroAndFreeing) {
  std::string p = write24("z.tga", 2, 2, std::vector<uint32_t>(4, 0x102030));
  char name[256];
  std::strcpy(name, p.c_str());
  ASSERT_EQ(texture_slot_load(0, name), 1);
  EXPECT_EQ(texture_slots[0].loaded, 0);  // slot 0 never counts as loaded
  std::strcpy(texture_slots[51].name, p.c_str());
  ASSERT_EQ(texture_slot_load(51, texture_slots[51].name), 1);  // the slot's own buffer as the name
  EXPECT_EQ(texture_slots[51].loaded, 51);
  EXPECT_EQ(std::string(texture_slots[51].name), p);
  texture_slot_free(51);
  EXPECT_EQ(texture_slots[51].loaded, 0);
  EXPECT_EQ(texture_slots[51].levels[0].pixels, nullptr);
  EXPECT_EQ(std::string(texture_slots[51].name), p);
  texture_slots_free_all();
  EXPECT_EQ(texture_slots[51].name[0], '\0');
  EXPECT_EQ(texture_slots[88].deformation, 0);
  EXPECT_EQ(texture_slots[87].deformation, 100);
}

TEST_F(TextureSlotTest, CoordinateJitter) {
  EXPECT_FLOAT_EQ(texture_coord_jitter(1, 1), -0.3601226806640625f);
  EXPECT_FLOAT_EQ(texture_coord_jitter(100, 200), 0.173980712890625f);
  EXPECT_FLOAT_EQ(texture_coord_jitter(0, 0), -0.245086669921875f);
  for (int i = 0; i < 200; ++i) {
    const float j = texture_coord_jitter(i, i * 7);
    EXPECT_GE(j, -0.5f);
    EXPECT_LT(j, 0.5f);
  }
}

TEST_F(TextureSlotTest, SaveAndAskForMissing) {
  std::string p = write24("s.tga", 3, 2, {0x000000, 0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF});
  char name[256];
  std::strcpy(name, p.c_str());
  ASSERT_EQ(texture_slot_load(77, name), 1);
  EXPECT_EQ(save_texture_slot_dialog(77), -1);  // no file chosen: cancelled
  host_->file_choices.push_back(path("saved.tga"));
  ASSERT_EQ(save_texture_slot_dialog(77), 1);
  EXPECT_EQ(std::string(texture_slots[77].name), path("saved.tga"));
  char again[256];
  std::strcpy(again, path("saved.tga").c_str());
  ASSERT_EQ(texture_slot_load(79, again), 1);
  EXPECT_EQ(std::memcmp(texture_slots[79].levels[0].pixels, texture_slots[77].levels[0].pixels, 6 * 4), 0);
  EXPECT_EQ(texture_slots[79].levels[0].pixels[0], 0u);  // the transparent texel kept its alpha
  EXPECT_EQ(save_texture_slot_dialog(60), 1);  // empty slot: nothing asked

  char lost[256];
  std::strcpy(lost, path("lost.tga").c_str());
  host_->yes_no_answers.push_back(0);  // "Skip it"
  EXPECT_EQ(texture_slot_load_or_ask(40, lost), 0);
  EXPECT_EQ(host_->messages.back().text, "Unable to locate " + path("lost.tga"));
  host_->yes_no_answers.push_back(1);  // "Select another texture"
  host_->file_choices.push_back(path("saved.tga"));
  EXPECT_EQ(texture_slot_load_or_ask(40, lost), 1);
  EXPECT_EQ(texture_slots[40].loaded, 40);
}

}  // namespace
