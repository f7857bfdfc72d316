// The landscape open and save commands: the questions of Save Landscape, refusals that write nothing, and
// files that are not landscapes.
#include "engine/render/landscape_open_save.h"

#include <gtest/gtest.h>

#include "engine/render/dl4_landscape_file.h"
#include "tests/files/landscape_file_fixture.h"

using namespace landtest;

namespace {
void mark_derived_current() {
  derived_data.colors_done_step = derived_data.cliffs_done_step = derived_data.shades_done_step = 1;
  derived_data.palette_stale = 0;
  render_settings.grid_step = 1;
}
std::vector<std::string> texts(const HeadlessHost& h) {
  std::vector<std::string> out;
  for (const auto& m : h.messages) out.push_back(m.text);
  return out;
}
}  // namespace

TEST_F(LandscapeFileTest, SaveLandscapeAsksOnlyWhatIsNeeded) {
  mark_derived_current();
  const std::string path = file("s.d4s");
  host_->file_choices = {path};
  ASSERT_EQ(save_session_dialog(0), 1);
  EXPECT_TRUE(host_->messages.empty());  // nothing to compute, no textures, all sections
  const auto bytes = imgtest::read_bytes(path);
  for (size_t slot : {172u, 176u, 184u, 188u, 192u, 196u, 200u, 376u, 380u, 844u, 848u})
    EXPECT_NE(read32(bytes, slot), 0u) << slot;
  EXPECT_EQ(read32(bytes, 180), 0u);  // no texture loaded, no table

  // With ask set, No to the elevations skips the grid and cloud questions and sections.
  host_->file_choices = {path};
  host_->yes_no_answers = {1, 0};  // Replace, then "Include elevation data?" No
  ASSERT_EQ(save_session_dialog(1), 1);
  EXPECT_EQ(texts(*host_), (std::vector<std::string>{"Replace " + path + " ?", "Include elevation data?"}));
  const auto fewer = imgtest::read_bytes(path);
  for (size_t slot : {184u, 188u, 192u, 376u}) EXPECT_EQ(read32(fewer, slot), 0u) << slot;
}

TEST_F(LandscapeFileTest, SaveLandscapeQuitAtTheColourQuestionWritesNothing) {
  const std::string path = file("keep.d4s");
  imgtest::write_bytes(path, {1, 2, 3});
  mark_derived_current();
  derived_data.shades_done_step = 32;  // shading stale
  host_->file_choices = {path};
  host_->yes_no_answers = {1, 0};  // Replace, then Quit
  EXPECT_EQ(save_session_dialog(0), -1);
  EXPECT_EQ(texts(*host_), (std::vector<std::string>{"Replace " + path + " ?", "Need to calculate colors/shades"}));
  EXPECT_EQ(imgtest::read_bytes(path), (std::vector<uint8_t>{1, 2, 3}));
  host_->file_choices.clear();
  EXPECT_EQ(save_session_dialog(0), -1);  // cancelled dialog
}

TEST_F(LandscapeFileTest, SaveLandscapeAsksAboutEmbeddingWhenATextureIsLoaded) {
  mark_derived_current();
  make_texture(40, 4, 4, 1, "t.tga");
  host_->file_choices = {file("e.d4s")};
  host_->yes_no_answers = {0};  // "Names only"
  ASSERT_EQ(save_session_dialog(0), 1);
  ASSERT_EQ(host_->messages.size(), 1u);
  EXPECT_EQ(host_->messages[0].text, "Embed textures or only their names?");
  EXPECT_EQ(host_->messages[0].button1, "Embed textures");
  const auto bytes = imgtest::read_bytes(file("e.d4s"));
  const uint32_t table = read32(bytes, 180);
  ASSERT_NE(table, 0u);
  EXPECT_EQ(read32(bytes, table + 40 * 404 + 260 + 12), 0u);  // by name: no block
}

TEST_F(LandscapeFileTest, OpeningForeignFilesKeepsTheLandscapeAndItsName) {
  set_landscape_name("Kept");
  fill_grids(8);
  imgtest::write_bytes(file("text.d4s"), std::vector<uint8_t>(4096, 'x'));
  imgtest::write_bytes(file("short.d4s"), std::vector<uint8_t>(100, 'x'));
  const auto before = fingerprint();
  struct Case {
    std::string path, message;
  };
  const Case cases[] = {
      {file("text.d4s"), "Not a Dalvenor Landscape file."},
      {file("short.d4s"), "Error reading file: \"" + file("short.d4s") + "\""},
      {file("missing.d4s"), "Error opening file: \"" + file("missing.d4s") + "\""},
  };
  for (const Case& c : cases) {
    host_->messages.clear();
    host_->file_choices = {c.path};
    EXPECT_EQ(load_landscape_dialog(), 0);
    EXPECT_EQ(first_message(*host_), c.message);
    EXPECT_TRUE(fingerprint() == before);
    EXPECT_STREQ(landscape_name, "Kept");
  }
  host_->file_choices.clear();
  EXPECT_EQ(load_landscape_dialog(), -1);
}

TEST_F(LandscapeFileTest, OpeningASchemeFileAppliesItsSettings) {
  lens_state.lens_scale = 4.0f;
  const std::string path = file("s.scm");
  ASSERT_EQ(save_dl4_file(path.c_str(), 0, 1, 0, 0, 0, 0, 0, 0), 1);
  lens_state.lens_scale = 2.0f;
  fill_grids(6);
  const auto grids = fingerprint().elevations;
  EXPECT_EQ(load_landscape(path.c_str()), 2);
  EXPECT_EQ(lens_state.lens_scale, 4.0f);
  EXPECT_EQ(fingerprint().elevations, grids);
}

TEST_F(LandscapeFileTest, ShippedExampleSessionOpens) {
  const std::string here = __FILE__;
  const std::string example = here.substr(0, here.rfind("/tests/")) + "/examples/valley.d4s";
  ASSERT_EQ(load_landscape(example.c_str()), 2);
  EXPECT_TRUE(host_->messages.empty()) << first_message(*host_);
  EXPECT_EQ(std::make_pair(grid_width, grid_height), std::make_pair(258, 258));
  EXPECT_STREQ(landscape_name, "Valley");
}
