// Colour-scheme files: older colour tables with their default colours, current-format schemes that bring
// colours, class attributes and textures but nothing else, and the scheme dialogs.
#include "engine/render/color_scheme_files.h"

#include <gtest/gtest.h>

#include "engine/render/dl4_landscape_file.h"
#include "engine/render/landscape_open_save.h"
#include "engine/render/old_landscape_file.h"
#include "engine/files/session_section_hooks.h"
#include "tests/files/landscape_file_fixture.h"

using namespace landtest;

namespace {
// An older-format file whose colour table has entry 77 as given and everything else zero.
std::string old_scheme(const std::string& path, ColorEntry entry77) {
  std::memset(color_table, 0, sizeof color_table);
  color_table[77] = entry77;
  color_table[10] = ColorEntry{1, 10, 20, 30};
  EXPECT_EQ(write_old_dem(path.c_str(), 0, 0, grid_width, grid_height), 1);
  reset_color_table();
  return path;
}
}  // namespace

TEST_F(LandscapeFileTest, OlderColourTableGetsDefaultsForEmptyEntriesOnly) {
  struct Case {
    ColorEntry stored, expected;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, {0, 255, 248, 240}},  // empty: the sun colour
      {{1, 0, 0, 0}, {1, 0, 0, 0}},        // flag set, black: kept
      {{0, 5, 0, 0}, {0, 5, 0, 0}},
  };
  for (const Case& c : cases) {
    const std::string path = old_scheme(file("old.scm"), c.stored);
    fill_grids(3);
    const auto before = fingerprint();
    ASSERT_EQ(load_scheme_old(path.c_str()), 1);
    EXPECT_EQ(color_table[77].flag, c.expected.flag);
    EXPECT_EQ(color_table[77].red, c.expected.red);
    EXPECT_EQ(color_table[77].green, c.expected.green);
    EXPECT_EQ(color_table[77].blue, c.expected.blue);
    EXPECT_EQ(color_table[10].red, 10);
    EXPECT_EQ(color_table[56].red, 48);   // ground under trees 1
    EXPECT_EQ(color_table[90].green, 48);  // roads
    auto after = fingerprint();
    after.colors = before.colors;
    EXPECT_TRUE(after == before);  // elevations, textures and settings stay
  }
}

TEST_F(LandscapeFileTest, OlderSchemeLoaderRefusesSilently) {
  imgtest::write_bytes(file("short.scm"), std::vector<uint8_t>(100, 1));
  imgtest::write_bytes(file("text.scm"), std::vector<uint8_t>(3000, 'a'));
  const auto before = fingerprint();
  EXPECT_EQ(load_scheme_old(file("missing.scm").c_str()), 0);
  EXPECT_EQ(load_scheme_old(file("short.scm").c_str()), 0);
  EXPECT_EQ(load_scheme_old(file("text.scm").c_str()), 0);
  EXPECT_TRUE(host_->messages.empty());
  EXPECT_TRUE(fingerprint() == before);
}

TEST_F(LandscapeFileTest, CurrentSchemeBringsColoursAttributesAndTexturesOnly) {
  color_table[5] = ColorEntry{1, 50, 60, 70};
  class_attributes[5].roughness = 33;
  make_texture(42, 8, 8, 3, "scheme.tga");
  std::snprintf(background_name, kPictureNameSize, "%s", "scheme_back.tga");
  const std::string path = file("s.scm");
  host_->file_choices = {path};
  host_->yes_no_answers = {1};  // embed textures
  ASSERT_EQ(save_scheme_dialog(), 1);
  const auto pixels = texture_pixels(42);
  const auto bytes = imgtest::read_bytes(path);
  EXPECT_EQ(read32(bytes, 132), 0u);  // not a session
  for (size_t slot : {184u, 188u, 192u, 196u, 200u, 376u, 380u, 848u}) EXPECT_EQ(read32(bytes, slot), 0u) << slot;
  EXPECT_NE(read32(bytes, 844), 0u);  // the background name is carried

  // Another scheme and other settings in force; then the scheme file.
  reset_color_table();
  reset_class_attributes();
  texture_slots_free_all();
  make_texture(43, 4, 4, 1, "gone.tga");
  background_name[0] = 0;
  grid_spacing_x = 12.0f;
  camera_state.camera_x = 77.0f;
  fill_grids(5);
  image_palette[9].red = 201;
  std::snprintf(foreground_name, kPictureNameSize, "%s", "front.tga");
  auto before = fingerprint();
  host_->file_choices = {path};
  ASSERT_EQ(load_scheme_dialog(), 1);
  EXPECT_EQ(color_table[5].red, 50);
  EXPECT_EQ(class_attributes[5].roughness, 33);
  EXPECT_EQ(texture_pixels(42), pixels);
  EXPECT_EQ(texture_slots[43].loaded, 0);  // slots without an entry end up empty
  // No names, maps, palette, clouds or path; grid spacing and every setting kept.
  auto after = fingerprint();
  after.colors = before.colors;
  after.attributes = before.attributes;
  after.texture_names = before.texture_names;
  after.texture_loaded = before.texture_loaded;
  EXPECT_TRUE(after == before);
  EXPECT_EQ(grid_spacing_x, 12.0f);
  EXPECT_EQ(after.background, "");
}

TEST_F(LandscapeFileTest, SchemeDialogMessagesForForeignFiles) {
  imgtest::write_bytes(file("text.scm"), std::vector<uint8_t>(1500, 'a'));
  imgtest::write_bytes(file("tiny.scm"), std::vector<uint8_t>(500, 'a'));
  host_->file_choices = {file("text.scm")};
  EXPECT_EQ(load_scheme_dialog(), 0);
  EXPECT_EQ(first_message(*host_), "Not a Dalvenor Landscape file.");
  host_->messages.clear();
  host_->file_choices = {file("tiny.scm")};
  EXPECT_EQ(load_scheme_dialog(), 0);
  EXPECT_EQ(first_message(*host_).rfind("Error reading file:", 0), 0u);
  host_->file_choices.clear();
  EXPECT_EQ(load_scheme_dialog(), -1);
}
