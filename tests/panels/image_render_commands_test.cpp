// The Image panel's options, Render, Display, grey, the image sizes and the Image menu's loads and saves: each id
// reaches its operation, a missing frame buffer only gives its message, and a failed load keeps the picture.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/core/settings.h"
#include "engine/files/background_image.h"
#include "engine/files/default_dirs.h"
#include "engine/files/targa.h"
#include "engine/raster/frame_buffers.h"
#include "engine/ui/pointer.h"
#include "engine/ui/status.h"
#include "tests/files/image_test_support.h"
#include "tests/panels/command_panel.h"
#include "tests/panels/map_fixture.h"

namespace {

class ImageRenderCommands : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    reset_default_dirs();
  }
  void TearDown() override {
    free_vidmem24();
    free_vidmem8();
    image_width = 800;
    image_height = 600;
    MapFixture::TearDown();
  }
  // Both buffers at exactly the image size, filled with a pattern.
  void frames(int32_t w = 32, int32_t h = 24) {
    render_settings.antialias_mode = 0;
    render_settings.flare_enabled = 0;
    ASSERT_EQ(set_image_size(w, h), 1);
    imgtest::fill_frames(7);
  }
  std::vector<std::string> texts() {
    std::vector<std::string> t;
    for (const auto& m : host_->messages) t.push_back(m.text);
    return t;
  }
  bool asked(const std::string& text) {
    for (const auto& m : host_->messages)
      if (m.text == text) return true;
    return false;
  }
  static std::vector<uint32_t> pixels24() {
    std::vector<uint32_t> v;
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) v.push_back(vidmem24_row(y)[x] & 0xFFFFFF);
    return v;
  }
  static std::vector<uint8_t> pixels8() {
    std::vector<uint8_t> v;
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) v.push_back(vidmem8_row(y)[x]);
    return v;
  }
  CommandPanel image;
  imgtest::TempDir dir;
};

constexpr const char* k24 = "This function requires 24-bit mode.";
constexpr const char* k8 = "This function requires 8-bit mode.";

TEST_F(ImageRenderCommands, MissingFrameBuffersOnlyGiveTheirMessage) {
  struct Case {
    uint32_t id;
    bool keep24;  // the 32-bit buffer is there, only the 8-bit one is missing
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {1035, false, {k24}}, {1036, false, {k24}}, {1037, false, {k24}}, {1039, false, {k24}},
      {1040, false, {k24}}, {1041, false, {k24}}, {1283, false, {k24}}, {1284, false, {k24}},
      {1289, false, {k24}}, {1290, false, {k24}}, {1038, true, {k8}},   {1142, false, {k8}},
      {1422, false, {k8}},  {1285, false, {k24, k8}}, {1285, true, {k8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    free_vidmem24();
    free_vidmem8();
    image_width = 32;
    image_height = 24;
    if (c.keep24) {
      ASSERT_NE(allocate_vidmem24(32, 24), nullptr);
    }
    render_settings.flare_enabled = 0;
    render_settings.antialias_mode = 0;
    render_settings.background_enabled = 0;
    render_settings.foreground_enabled = 0;
    image.on(c.id);
    host_->messages.clear();
    host_->file_choices.assign({dir.file("shot.tga")});
    engine_command(c.id, 0, 0, image.get());
    EXPECT_EQ(texts(), c.messages);
    EXPECT_EQ(host_->file_choices.size(), 1u);  // no file was asked for
    EXPECT_TRUE(dir.entries().empty());
    EXPECT_EQ(render_settings.flare_enabled, 0);
    EXPECT_EQ(render_settings.antialias_mode, 0);
    EXPECT_EQ(render_settings.background_enabled, 0);
    EXPECT_EQ(render_settings.foreground_enabled, 0);
    if (c.id == 1283 || c.id == 1284 || c.id == 1289 || c.id == 1290) {
      EXPECT_EQ(image.state(c.id), kGadgetOff);
    }
  }
}

TEST_F(ImageRenderCommands, SavesWriteEachFormatAndLoadsBringThePictureBack) {
  frames();
  const std::vector<uint32_t> picture = pixels24();
  struct Case {
    uint32_t save, load;
    const char* name;
    std::vector<uint8_t> magic;
    bool exact;
  };
  const Case cases[] = {
      {1039, 1035, "shot.tga", {}, true},
      {1040, 1036, "shot.bmp", {'B', 'M'}, true},
      {1041, 1037, "shot.jpg", {0xFF, 0xD8}, false},
      {1038, 1034, "shot.pcx", {0x0A}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    imgtest::fill_frames(7);
    host_->messages.clear();
    host_->file_choices.assign({dir.file(c.name)});
    host_->value_answers.push_back({1, 90});  // JPEG quality
    engine_command(c.save, 0, 0, image.get());
    ASSERT_TRUE(imgtest::exists(dir.file(c.name)));
    const auto bytes = imgtest::read_bytes(dir.file(c.name));
    ASSERT_GE(bytes.size(), c.magic.size());
    EXPECT_TRUE(std::equal(c.magic.begin(), c.magic.end(), bytes.begin()));
    clear_vidmem24();
    host_->file_choices.assign({dir.file(c.name)});
    engine_command(c.load, 0, 0, image.get());
    EXPECT_TRUE(host_->file_choices.empty());
    for (const std::string& t : texts()) EXPECT_EQ(t.find("Error"), std::string::npos) << t;
    if (c.exact) {
      EXPECT_EQ(pixels24(), picture);
    } else {
      EXPECT_NE(pixels24(), std::vector<uint32_t>(picture.size(), 0));
    }
    EXPECT_EQ(derived_data.palette_stale, land_width);  // the image was refreshed
  }
}

// A file that cuts off inside its pixels: the error is shown and the picture in both buffers stays as it was.
TEST_F(ImageRenderCommands, FailedLoadKeepsThePicture) {
  frames();
  struct Case {
    uint32_t save, load;
    const char* name;
  };
  const Case cases[] = {
      {1039, 1035, "cut.tga"}, {1040, 1036, "cut.bmp"}, {1041, 1037, "cut.jpg"}, {1038, 1034, "cut.pcx"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    imgtest::fill_frames(7);
    host_->file_choices.assign({dir.file(c.name)});
    host_->value_answers.push_back({1, 90});
    engine_command(c.save, 0, 0, image.get());
    auto bytes = imgtest::read_bytes(dir.file(c.name));
    ASSERT_GT(bytes.size(), 200u);
    // Targa, BMP and JPEG cut off inside their pixels; the PCX made a four-bit picture, which this reader refuses.
    if (c.load == 1034) bytes[3] = 4;
    else bytes.resize(bytes.size() / 3);
    imgtest::write_bytes(dir.file(c.name), bytes);
    imgtest::fill_frames(9);
    const auto before24 = pixels24();
    const auto before8 = pixels8();
    host_->messages.clear();
    host_->file_choices.assign({dir.file(c.name)});
    engine_command(c.load, 0, 0, image.get());
    ASSERT_FALSE(host_->messages.empty());
    EXPECT_EQ(host_->messages.back().text.rfind("Error reading file:", 0), 0u) << host_->messages.back().text;
    EXPECT_NE(host_->messages.back().text.find(c.name), std::string::npos);
    EXPECT_EQ(pixels24(), before24);
    EXPECT_EQ(pixels8(), before8);
  }
  // A cancelled load says nothing.
  host_->messages.clear();
  engine_command(1035, 0, 0, image.get());
  EXPECT_TRUE(host_->messages.empty());
}

TEST_F(ImageRenderCommands, OptionsAndImageSizes) {
  frames();
  struct Case {
    uint32_t id;
    std::function<void()> before;
    std::function<void()> check;
  };
  CommandPanel& p = image;
  const Case cases[] = {
      {1291, [&] { p.off(1291); }, [] { EXPECT_EQ(render_settings.phong_enabled, 0); }},
      {1291, [&] { p.on(1291); }, [] { EXPECT_EQ(render_settings.phong_enabled, 1); }},
      {1290, [&] { p.on(1290); }, [] {
         EXPECT_EQ(render_settings.flare_enabled, 1);
         EXPECT_EQ(vidmem24.height, 48);  // flare doubles the buffer height
       }},
      {1289, [&] { p.on(1289); }, [&] {
         EXPECT_EQ(render_settings.antialias_mode, 1);
         EXPECT_FALSE(asked("Antialias type:"));
       }},
      {1289, [&] { p.on(1289); host_->shift = 1; host_->yes_no_answers.push_back(0); }, [&] {
         host_->shift = 0;
         EXPECT_EQ(render_settings.antialias_mode, 2);
       }},
      {1289, [&] { p.off(1289); render_settings.antialias_mode = 2; }, [] { EXPECT_EQ(render_settings.antialias_mode, 0); }},
      {1223, [&] { p.value(1223, 50); host_->control = 1; host_->yes_no_answers.push_back(1); }, [&] {
         host_->control = 0;
         EXPECT_EQ(render_settings.dither_amount, 50);
         EXPECT_EQ(render_settings.dither_type, 1);
       }},
      {1223, [&] { p.value(1223, 0); render_settings.dither_type = 2; }, [] {
         EXPECT_EQ(render_settings.dither_amount, 0);
         EXPECT_EQ(render_settings.dither_type, 2);
       }},
      {1221, [&] { p.value(1221, 1); }, [] { EXPECT_EQ(render_settings.palette_colors, 2); }},
      {1221, [&] { p.value(1221, 1000); derived_data.palette_stale = 0; }, [] {
         EXPECT_EQ(render_settings.palette_colors, 256);
         EXPECT_EQ(derived_data.palette_stale, land_width);
       }},
      {1219, [&] { p.on(1219); }, [] { EXPECT_EQ(render_settings.palette_locked, 1); }},
      {1131, [&] { p.on(1131); render_settings.palette_locked = 1; }, [&] {
         EXPECT_EQ(render_settings.palette_locked, 0);  // cancelled
         EXPECT_EQ(p.state(1131), kGadgetOff);
       }},
      {1026, [&] { p.on(1026); }, [] { EXPECT_EQ(display_depth, 8); }},
      {1026, [&] { p.off(1026); host_->display_bits_per_pixel = 8; }, [&] {
         host_->display_bits_per_pixel = 24;
         EXPECT_TRUE(asked("Direct color display not available."));
         EXPECT_EQ(display_depth, 8);
       }},
      {1032, [&] { p.value(1032, 400); }, [] { EXPECT_EQ(image_width, 400); EXPECT_EQ(image_height, 24); }},
      {1033, [&] { p.value(1033, 30); }, [] { EXPECT_EQ(image_width, 32); EXPECT_EQ(image_height, 30); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    render_settings.antialias_mode = 0;
    render_settings.flare_enabled = 0;
    ASSERT_EQ(set_image_size(32, 24), 1);
    host_->messages.clear();
    c.before();
    engine_command(c.id, 0, 0, image.get());
    c.check();
  }
  struct Size {
    uint32_t id;
    int32_t w, h;
  };
  const Size sizes[] = {{1017, 320, 200}, {1018, 320, 240}, {1019, 640, 400},   {1020, 640, 480},
                        {1021, 800, 600}, {1022, 1024, 768}, {1024, 1600, 1200}, {1025, 2048, 1536}};
  for (const Size& s : sizes) {
    engine_command(s.id, 0, 0, image.get());
    EXPECT_EQ(image_width, s.w) << s.id;
    EXPECT_EQ(image_height, s.h) << s.id;
  }
}

TEST_F(ImageRenderCommands, BufferOptionRevertsWhenMemoryIsShort) {
  frames();
  host_->fail_at_size = 32 * 24 * 4 + 1;  // the buffers as they are fit, twice as tall does not
  image.on(1290);
  engine_command(1290, 0, 0, image.get());
  host_->fail_at_size = 0;
  EXPECT_TRUE(asked("Insufficient memory, reverting."));
  EXPECT_EQ(render_settings.flare_enabled, 0);
  EXPECT_EQ(image.state(1290), kGadgetOff);
  EXPECT_NE(vidmem24.rows, nullptr);
  EXPECT_EQ(vidmem24.height, 24);
}

TEST_F(ImageRenderCommands, RenderWithoutScreenOutputBlitsNothing) {
  frames();
  render_settings.view_mode = 0;
  image.on(1045);
  engine_command(1045, 0, 0, image.get());
  EXPECT_EQ(screen_output_off, 0);
  EXPECT_EQ(host_->rows24 + host_->rows8, 0);
  EXPECT_GT(polygon_count, 0);
  EXPECT_EQ(image.state(1045), kGadgetOff);
  EXPECT_EQ(render_settings.topo_click_mode, 0);
  render_settings.view_mode = 1;
  engine_command(1045, 0, 0, image.get());
  EXPECT_GT(host_->rows24 + host_->rows8, 0);
}

TEST_F(ImageRenderCommands, GreyAndDisplay) {
  frames();
  engine_command(1422, 0, 0, image.get());
  for (uint32_t px : pixels24()) {
    EXPECT_EQ(px & 0xFF, (px >> 8) & 0xFF);
    EXPECT_EQ(px & 0xFF, (px >> 16) & 0xFF);
  }
  engine_command(1142, 0, 0, image.get());
  host_->shift = 1;
  engine_command(1142, 0, 0, image.get());
  host_->shift = 0;
  EXPECT_TRUE(host_->messages.empty());
  EXPECT_EQ(pointer_hide_count, 1);  // the pointer counts balance
}

TEST_F(ImageRenderCommands, BackgroundAndForegroundPictures) {
  frames();
  const std::string picture = dir.file("back.tga");
  ASSERT_EQ(targa_save_frame(picture.c_str()), 1);
  // Cancelled: released and off.
  image.on(1283);
  engine_command(1283, 0, 0, image.get());
  EXPECT_EQ(image.state(1283), kGadgetOff);
  EXPECT_EQ(render_settings.background_enabled, 0);
  // Chosen: on, sky and horizon off.
  image.on(1283);
  host_->file_choices.assign({picture});
  engine_command(1283, 0, 0, image.get());
  EXPECT_EQ(render_settings.background_enabled, 1);
  EXPECT_EQ(render_settings.sky_enabled, 0);
  EXPECT_EQ(render_settings.horizon_enabled, 0);
  // Switched off.
  image.off(1283);
  engine_command(1283, 0, 0, image.get());
  EXPECT_EQ(render_settings.background_enabled, 0);
  // A foreground that cannot be read: the message, released, off and the picture kept.
  auto bytes = imgtest::read_bytes(picture);
  bytes.resize(bytes.size() / 2);
  imgtest::write_bytes(dir.file("cut.tga"), bytes);
  imgtest::fill_frames(3);
  const auto before = pixels24();
  image.on(1284);
  host_->file_choices.assign({dir.file("cut.tga")});
  engine_command(1284, 0, 0, image.get());
  EXPECT_TRUE(asked("Error loading foreground image."));
  EXPECT_EQ(image.state(1284), kGadgetOff);
  EXPECT_EQ(render_settings.foreground_enabled, 0);
  EXPECT_EQ(pixels24(), before);
}

TEST_F(ImageRenderCommands, StereoAsksForTheKindThenItsPictures) {
  frames();
  host_->yes_no_answers.push_back(1);
  engine_command(1285, 0, 0, image.get());
  EXPECT_TRUE(asked("Red/Blue or Cyberscope?"));
  EXPECT_EQ(host_->messages.size(), 1u);  // the picture requesters were cancelled: nothing else
  // Pictures of different sizes: the composition's own message, then the reading error; the picture stays.
  ASSERT_EQ(targa_save_frame(dir.file("left.tga").c_str()), 1);
  {
    imgtest::FrameScope other(20, 10);
    imgtest::fill_frames(1);
    ASSERT_EQ(targa_save_frame(dir.file("right.tga").c_str()), 1);
  }
  frames();
  const auto before = pixels24();
  host_->messages.clear();
  host_->yes_no_answers.push_back(1);
  host_->file_choices.assign({dir.file("left.tga"), dir.file("right.tga")});
  engine_command(1285, 0, 0, image.get());
  ASSERT_FALSE(host_->messages.empty());
  EXPECT_EQ(host_->messages.back().text.rfind("Error reading file:", 0), 0u);
  EXPECT_EQ(loaded_image_width, 0);
  EXPECT_EQ(pixels24(), before);
}

}  // namespace
