// The image save and load commands: requester, extension, replace question, quality prompt, status
// text and the loaded-image figures.
#include <gtest/gtest.h>

#include "engine/files/bmp_format.h"
#include "engine/files/bmp_image.h"
#include "engine/files/jpeg_codec.h"
#include "engine/files/jpeg_image.h"
#include "engine/files/pcx_format.h"
#include "engine/files/pcx_image.h"
#include "engine/files/targa.h"
#include "tests/support/headless_host.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "tests/files/image_test_support.h"

using imgtest::FrameScope;
using imgtest::TempDir;

namespace {
bool shown(const HeadlessHost& host, const std::string& text) {
  for (const auto& m : host.messages)
    if (m.text == text) return true;
  return false;
}
bool status_shown(const HeadlessHost& host, const std::string& text) {
  for (const auto& s : host.status_texts)
    if (s.find(text) != std::string::npos) return true;
  return false;
}
}  // namespace

TEST(ImageCommands, SavesAddTheExtensionAndAskBeforeReplacing) {
  TempDir dir;
  FrameScope frame(33, 5);
  imgtest::fill_frames(3);
  struct Case {
    const char* ext;
    int32_t (*save)();
    const char* status;
  };
  const Case cases[] = {{".BMP", save_bmp_dialog, "Save BMP"},
                        {".JPG", save_jpeg_dialog, "Save JPEG"},
                        {".PCX", save_pcx_dialog, "Saving PCX File"}};
  for (const Case& c : cases) {
    ScopedHeadlessHost host;
    status_reset_state();  // the status line is drawn at most once per interval
    host->advance(10000);
    const std::string base = dir.file("shot");
    host->file_choices.push_back(base);
    ASSERT_EQ(c.save(), 1) << c.ext;
    EXPECT_TRUE(imgtest::exists(base + c.ext)) << c.ext;
    EXPECT_TRUE(status_shown(*host, c.status)) << c.ext;
    const auto before = imgtest::read_bytes(base + c.ext);

    // Replacing refused: -1 and the file as it was.
    host->file_choices.push_back(base + c.ext);
    host->yes_no_answers.push_back(0);
    EXPECT_EQ(c.save(), -1) << c.ext;
    EXPECT_TRUE(shown(*host, "Replace " + base + c.ext + " ?")) << c.ext;
    EXPECT_EQ(imgtest::read_bytes(base + c.ext), before);
    // Cancelled requester.
    EXPECT_EQ(c.save(), -1) << c.ext;
  }
}

TEST(ImageCommands, JpegQualityPromptIsKeptBetween25And100) {
  TempDir dir;
  FrameScope frame(16, 16);
  const std::pair<int32_t, int32_t> cases[] = {{10, 25}, {150, 100}, {60, 60}};
  for (auto [typed, kept] : cases) {
    ScopedHeadlessHost host;
    host->file_choices.push_back(dir.file("q.jpg"));
    host->yes_no_answers.push_back(1);
    host->value_answers.push_back({1, typed});
    ASSERT_EQ(save_jpeg_dialog(), 1);
    EXPECT_EQ(jpeg_quality, kept) << typed;
    EXPECT_EQ(host->messages.back().text, "Select JPEG quality (25-100):");
  }
  jpeg_quality = kJpegQualityDefault;
}

TEST(ImageCommands, LoadsSetTheLoadedFiguresAndRefusalsLeaveTheFrame) {
  ScopedHeadlessHost host;
  TempDir dir;
  FrameScope frame(33, 5);
  imgtest::fill_frames(6);
  ASSERT_EQ(bmp_save_render_image(dir.file("a.bmp").c_str()), 1);
  ASSERT_EQ(save_jpeg_screen(dir.file("a.jpg").c_str()), 1);
  ASSERT_EQ(save_screen_pcx(dir.file("a.pcx").c_str()), 1);
  struct Case {
    const char* file;
    int32_t (*load)();
    int32_t bits;
  };
  const Case cases[] = {{"a.bmp", load_bmp_dialog, 24}, {"a.jpg", load_jpeg_dialog, 24}, {"a.pcx", load_pcx_dialog, 8}};
  for (const Case& c : cases) {
    host->file_choices.push_back(dir.file(c.file));
    ASSERT_EQ(c.load(), 1) << c.file;
    EXPECT_EQ(loaded_image_width, 33);
    EXPECT_EQ(loaded_image_height, 5);
    EXPECT_EQ(loaded_image_bits, c.bits);
  }

  // A 16-bit BMP and a 4-bit PCX are refused; the frame keeps its picture and the figures are 0.
  auto bytes = imgtest::read_bytes(dir.file("a.bmp"));
  bytes[28] = 16;
  imgtest::write_bytes(dir.file("b.bmp"), bytes);
  bytes = imgtest::read_bytes(dir.file("a.pcx"));
  bytes[3] = 4;
  imgtest::write_bytes(dir.file("b.pcx"), bytes);
  imgtest::fill_frames(8);
  host->file_choices.push_back(dir.file("b.bmp"));
  EXPECT_EQ(load_bmp_dialog(), 0);
  EXPECT_TRUE(shown(*host, kBmpUnsupportedMessage));
  EXPECT_EQ(loaded_image_bits, 0);
  host->file_choices.push_back(dir.file("b.pcx"));
  EXPECT_EQ(load_pcx_dialog(), kPcxWrongKind);
  EXPECT_EQ(vidmem24_row(4)[32], imgtest::pattern_rgb(32, 4, 8));
  EXPECT_EQ(vidmem8_row(4)[32], imgtest::pattern_index(32, 4, 8));
  EXPECT_EQ(loaded_image_width, 0);
}

TEST(ImageCommands, LoadPcxClearsTheRestOfTheImage) {
  ScopedHeadlessHost host;
  TempDir dir;
  {
    FrameScope small(10, 3);
    imgtest::fill_frames(1);
    ASSERT_EQ(save_screen_pcx(dir.file("small.pcx").c_str()), 1);
  }
  FrameScope frame(20, 6);
  imgtest::fill_frames(2);
  host->file_choices.push_back(dir.file("small.pcx"));
  ASSERT_EQ(load_pcx_dialog(), 1);
  EXPECT_EQ(vidmem8_row(2)[9], imgtest::pattern_index(9, 2, 1));
  EXPECT_EQ(vidmem8_row(2)[10], 0);
  EXPECT_EQ(vidmem8_row(5)[0], 0);
}
