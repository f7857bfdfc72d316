// The file dialog's preview pane: a Targa, a PCX, a JPEG and both landscape formats shown fitted in the pane,
// unreadable files leaving it cleared, and the UI palette untouched by showing a picture.
#include "engine/panels/file_preview_pane.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/core/grid.h"
#include "engine/files/file_requester.h"
#include "engine/files/jpeg_codec.h"
#include "engine/files/pcx_format.h"
#include "engine/render/dl4_landscape_file.h"
#include "engine/render/old_landscape_file.h"
#include "tests/files/image_test_support.h"
#include "tests/panels/map_fixture.h"
#include "tests/ui/canvas_png.h"

namespace {

constexpr int32_t kW = 80, kH = 40;  // the pictures: left half red, right half blue, a green top row band
uint32_t picture(int32_t x, int32_t y) {
  if (y < 4) return 0x00FF00;
  return x < kW / 2 ? 0xFF0000 : 0x0000FF;
}

class PreviewPane : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    file_preview_enabled = 1;
  }
  void TearDown() override {
    file_preview_drop();
    MapFixture::TearDown();
  }
  imgtest::TempDir dir;
  const PreviewArea area{10, 20, 150, 105};

  void write_targa(const std::string& name) {
    std::vector<uint8_t> b(18, 0);
    b[2] = 2;
    b[12] = kW & 0xFF, b[13] = kW >> 8, b[14] = kH & 0xFF, b[15] = kH >> 8;
    b[16] = 24;
    for (int32_t y = kH - 1; y >= 0; --y)  // bottom row first
      for (int32_t x = 0; x < kW; ++x) {
        const uint32_t p = picture(x, y);
        b.push_back(p & 0xFF), b.push_back((p >> 8) & 0xFF), b.push_back((p >> 16) & 0xFF);
      }
    imgtest::write_bytes(dir.file(name), b);
  }
  void write_pcx(const std::string& name) {
    uint8_t rgb[768] = {};
    rgb[3 * 1 + 0] = 255;  // 1 red
    rgb[3 * 2 + 2] = 255;  // 2 blue
    rgb[3 * 3 + 1] = 255;  // 3 green
    auto source = [](void*, int32_t y, uint8_t* out, int32_t width) {
      for (int32_t x = 0; x < width; ++x) out[x] = y < 4 ? 3 : (x < kW / 2 ? 1 : 2);
    };
    ASSERT_EQ(pcx_write_image(dir.file(name).c_str(), kW, kH, source, nullptr, rgb), 1);
  }
  void write_jpeg(const std::string& name) {
    RowTable rows = alloc_rows(kW, kH, 4);
    ASSERT_NE(rows, nullptr);
    for (int32_t y = 0; y < kH; ++y)
      for (int32_t x = 0; x < kW; ++x) static_cast<uint32_t*>(rows[y])[x] = picture(x, y);
    ASSERT_EQ(write_jpeg_rows(dir.file(name).c_str(), 95, kW, kH, rows), 1);
    free_rows(rows);
  }
  // The colour at a pane point of a 24-bit canvas.
  static uint32_t at(const Canvas& c, int32_t x, int32_t y) { return c.rgb[static_cast<size_t>(y) * c.width + x]; }
  static bool near(uint32_t a, uint32_t b) {
    for (int s = 0; s < 24; s += 8)
      if (std::abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF)) > 40) return false;
    return true;
  }
};

TEST_F(PreviewPane, PicturesOfEveryFormatAreFittedAndCentred) {
  write_targa("p.tga");
  write_pcx("P.PCX");  // extensions in either case
  write_jpeg("p.jpg");
  // 80 by 40 in 150 by 105: relatively wider, so 150 by 75 from row (105 - 75) / 2 = 15.
  for (const char* name : {"p.tga", "P.PCX", "p.jpg"}) {
    Canvas c;
    c.depth = 24;
    c.resize(170, 140);
    ASSERT_EQ(preview_pane_select(&c, area, dir.path().c_str(), name), 1) << name;
    ASSERT_NE(file_preview_image, nullptr);
    EXPECT_EQ(file_preview_image->width, 150);
    EXPECT_EQ(file_preview_image->height, 105);
    EXPECT_EQ(at(c, area.x + 5, area.y + 5), 0u) << name;                 // black above the picture
    EXPECT_EQ(at(c, area.x + 5, area.y + 14), 0u) << name;
    EXPECT_TRUE(near(at(c, area.x + 20, area.y + 16), 0x00FF00)) << name;  // the green band at the top
    EXPECT_TRUE(near(at(c, area.x + 20, area.y + 60), 0xFF0000)) << name;  // left half red
    EXPECT_TRUE(near(at(c, area.x + 130, area.y + 60), 0x0000FF)) << name;  // right half blue
    EXPECT_EQ(at(c, area.x + 5, area.y + 95), 0u) << name;                  // black below, from row 90
    EXPECT_EQ(at(c, 2, 2), 0u);  // nothing outside the pane
    EXPECT_EQ(std::string(file_preview_spec), name);
    std::string png = std::string("/preview_") + (name[0] == 'P' ? "pcx" : name + 2) + ".png";
    EXPECT_TRUE(write_canvas_png(c, artifacts_folder() + png));
  }
}

TEST_F(PreviewPane, LandscapesOfBothFormatsShowTheirThumbnails) {
  ASSERT_EQ(set_landscape_size(42, 26), 1);
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c) elevation_row(r)[c] = static_cast<int16_t>(c * 50);
  scan_elevation_range();
  ASSERT_EQ(save_dl4_file(dir.file("l.d4s").c_str(), 0, 1, 0, 1, 1, 1, 1, 1), 1);
  ASSERT_EQ(write_old_dem(dir.file("l.dem").c_str(), 0, 0, grid_width, grid_height), 1);
  for (const char* name : {"l.d4s", "l.dem"}) {
    Canvas c;
    c.resize(170, 140);  // an 8-bit canvas: colours from the UI colour cube
    uint8_t palette_before[256][4];
    std::memcpy(palette_before, ui_palette, sizeof palette_before);
    uint8_t table_before[256][4];
    std::memcpy(table_before, ui_palette_table, sizeof table_before);
    ASSERT_EQ(preview_pane_select(&c, area, dir.path().c_str(), name), 1) << name;
    EXPECT_EQ(std::memcmp(palette_before, ui_palette, sizeof palette_before), 0) << name;
    EXPECT_EQ(std::memcmp(table_before, ui_palette_table, sizeof table_before), 0) << name;
    // Low ground on the left is green, high ground on the right grey; every pane pixel is black or the cube.
    const auto index = [&](int32_t x, int32_t y) { return c.pixels[static_cast<size_t>(y) * c.width + x]; };
    const uint8_t left = index(area.x + 3, area.y + 52), right = index(area.x + 146, area.y + 52);
    EXPECT_GE(left, 128);
    EXPECT_LE(left, 191);
    EXPECT_GT(ui_palette_table[left][1], ui_palette_table[left][0]) << name;  // green over red
    EXPECT_EQ(ui_palette_table[right][0], ui_palette_table[right][1]) << name;  // grey
    for (int32_t y = area.y; y < area.y + area.height; ++y)
      for (int32_t x = area.x; x < area.x + area.width; ++x) {
        const uint8_t v = index(x, y);
        ASSERT_TRUE(v == 0 || (v >= 128 && v <= 191)) << name << " " << x << "," << y << " " << int(v);
      }
    EXPECT_TRUE(write_canvas_png(c, artifacts_folder() + "/preview_" + (name + 2) + ".png"));
  }
}

TEST_F(PreviewPane, NothingShownForOtherKindsUnreadableFilesOrPreviewsOff) {
  write_targa("p.tga");
  imgtest::write_bytes(dir.file("bad.tga"), {1, 2, 3});
  imgtest::write_bytes(dir.file("bad.pcx"), std::vector<uint8_t>(200, 7));
  imgtest::write_bytes(dir.file("s.scr"), {'x'});
  struct Case {
    const char* name;
    int32_t enabled;
  };
  const Case cases[] = {{"s.scr", 1}, {"bad.tga", 1}, {"bad.pcx", 1}, {"missing.jpg", 1}, {"", 1}, {"p.tga", 0}};
  for (const Case& c : cases) {
    file_preview_enabled = c.enabled;
    Canvas canvas;
    canvas.depth = 24;
    canvas.resize(170, 140);
    EXPECT_EQ(preview_pane_select(&canvas, area, dir.path().c_str(), c.name), 0) << c.name;
    EXPECT_EQ(file_preview_image, nullptr) << c.name;
    if (c.enabled) {
      EXPECT_EQ(at(canvas, area.x + 75, area.y + 50), 0xC0C0C0u) << c.name;  // cleared to grey
    }
  }
  EXPECT_NE(preview_pane_kind("A.PCX"), 0);
  EXPECT_NE(preview_pane_kind("a.d4s"), 0);
  EXPECT_EQ(preview_pane_kind("a.scr"), 0);
}

TEST_F(PreviewPane, AnUnscaledImageIsFittedWhenPainted) {
  // 400 by 100 in 150 by 105: 150 by 37 from row 34.
  ImageBuffer* image = image_alloc(400, 100);
  ASSERT_NE(image, nullptr);
  for (int32_t i = 0; i < 400 * 100; ++i) image->pixels[i] = 0xFFFFFFFF;
  Canvas c;
  c.depth = 24;
  c.resize(170, 140);
  paint_preview(&c, area, image);
  image_free(image);
  EXPECT_EQ(at(c, area.x + 10, area.y + 33), 0u);
  EXPECT_EQ(at(c, area.x + 10, area.y + 34), 0xFFFFFFu);
  EXPECT_EQ(at(c, area.x + 10, area.y + 70), 0xFFFFFFu);
  EXPECT_EQ(at(c, area.x + 10, area.y + 71), 0u);
}

}  // namespace

TEST_F(PreviewPane, PipesDevicesAndFoldersAreNeverOpened) {
  write_targa("p.tga");
  ASSERT_EQ(::mkfifo(dir.file("pipe.tga").c_str(), 0600), 0);  // opening it for reading would wait for a writer
  ASSERT_EQ(::mkdir(dir.file("folder.tga").c_str(), 0700), 0);
  ASSERT_EQ(::symlink("/dev/zero", dir.file("zero.tga").c_str()), 0);  // endless bytes
  ASSERT_EQ(::symlink(dir.file("p.tga").c_str(), dir.file("link.tga").c_str()), 0);
  const std::vector<uint8_t> whole = imgtest::read_bytes(dir.file("p.tga"));
  imgtest::write_bytes(dir.file("half.tga"), std::vector<uint8_t>(whole.begin(), whole.begin() + whole.size() / 2));
  struct Case {
    const char* name;
    int32_t shown;  // 1 shown, 0 cleared, -1 either (a cut picture may show what it holds)
  };
  const Case cases[] = {{"pipe.tga", 0}, {"folder.tga", 0}, {"zero.tga", 0},
                        {"link.tga", 1}, {"half.tga", -1},  {"p.tga", 1}};
  for (const Case& c : cases) {
    Canvas canvas;
    canvas.depth = 24;
    canvas.resize(170, 140);
    const int32_t shown = preview_pane_select(&canvas, area, dir.path().c_str(), c.name);
    if (c.shown >= 0) {
      EXPECT_EQ(shown, c.shown) << c.name;
    }
    EXPECT_EQ(file_preview_image != nullptr, shown == 1) << c.name;
    if (shown == 0) {
      EXPECT_EQ(at(canvas, area.x + 75, area.y + 50), 0xC0C0C0u) << c.name;
    }
  }
}
