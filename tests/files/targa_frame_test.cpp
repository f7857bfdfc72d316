// Targa files and the frame buffer, the ground-colour picture, and interchange with ImageMagick.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/files/targa.h"
#include "tests/support/headless_host.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "targa_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

// ImageMagick 6 keeps a Targa file's rows in file order and only records the orientation; -auto-orient
// applies it, giving the picture as the file's descriptor defines it.
bool have_convert() { return std::system("convert -version >/dev/null 2>&1") == 0; }

// Runs a shell command and returns its standard output.
std::string run(const std::string& cmd) {
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

class TargaFrame : public TargaScratch {
 protected:
  void SetUp() override {
    TargaScratch::SetUp();
    reset_settings_defaults();
    user_abort = 0;  // a stop left by an earlier test must not end this one's operations
    status_reset_state();
    render_settings.antialias_mode = 0;
    render_settings.flare_enabled = 0;
    display_depth = 24;
    frame_alloc_width = frame_alloc_height = 0;
    ASSERT_EQ(set_image_size(23, 17), 1);
    ASSERT_NE(vidmem24.rows, nullptr);
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x)
        vidmem24_row(y)[x] = 0x37000000u | (x < 10 ? 0x102030u : static_cast<uint32_t>(x * 9) << 16 |
                                                                     static_cast<uint32_t>(y * 30) << 8 | 0x44u);
  }
  void TearDown() override {
    free_vidmem24();
    free_vidmem8();
    frame_alloc_width = frame_alloc_height = 0;
    reset_settings_defaults();
    TargaScratch::TearDown();
  }
  // The frame as ImageMagick's raw RGB would list it, top row first.
  Bytes frame_rgb() const {
    Bytes out;
    for (int32_t y = 0; y < image_height; ++y)
      for (int32_t x = 0; x < image_width; ++x) {
        const uint32_t p = vidmem24_row(y)[x];
        out.insert(out.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
      }
    return out;
  }
  ScopedHeadlessHost host_;
};

TEST_F(TargaFrame, SaveAndLoadFrameBothCodings) {
  for (int32_t compression : {0, 1}) {
    targa_compression = compression;
    const std::string p = path("frame.tga");
    ASSERT_EQ(targa_save_frame(p.c_str()), 1);
    EXPECT_EQ(read_bytes(p)[2], compression ? 10 : 2);
    const Bytes want = frame_rgb();
    clear_vidmem24();
    ASSERT_EQ(targa_load_into_frame(p.c_str(), kTargaOpaque), 1);
    EXPECT_EQ(frame_rgb(), want) << compression;
    EXPECT_EQ(vidmem24_row(0)[0] >> 24, 0xFFu);
  }
  // A picture taller than the image shows its bottom part; a smaller one fills the top-left corner.
  free_vidmem24();
  EXPECT_EQ(targa_save_frame(path("none.tga").c_str()), 0);
  EXPECT_EQ(targa_load_into_frame(path("frame.tga").c_str(), kTargaOpaque), 0);
}

TEST_F(TargaFrame, GroundColoursPicture) {
  set_landscape_size(10, 6);  // 8 by 4 cells
  clear_colors();
  cover_row(0)[0].color_class = 56;
  color_table[56] = {0, 10, 20, 30};
  color_table[0] = {0, 1, 2, 3};
  render_settings.grid_step = 1;
  const std::string p = path("ground.tga");
  ASSERT_EQ(texture_map_save_targa(p.c_str()), 1);
  const Bytes f = read_bytes(p);
  ASSERT_EQ(f.size(), 18u + 8 * 4 * 3);
  EXPECT_EQ(f[12], 8);
  EXPECT_EQ(f[14], 4);
  // The first grid row is the first file row, that is the picture's bottom row.
  EXPECT_EQ(Bytes(f.begin() + 18, f.begin() + 24), (Bytes{30, 20, 10, 3, 2, 1}));
  render_settings.bbox_enabled = 1;
  render_settings.bbox_x0 = 1, render_settings.bbox_x1 = 3, render_settings.bbox_y0 = 0, render_settings.bbox_y1 = 2;
  ASSERT_EQ(texture_map_save_targa(p.c_str()), 1);
  EXPECT_EQ(read_bytes(p)[12], 2);
  set_landscape_size(258, 258);
}

TEST_F(TargaFrame, ImageMagickReadsOurFiles) {
  if (!have_convert()) GTEST_SKIP() << "ImageMagick convert is not installed";
  for (int32_t compression : {0, 1}) {
    targa_compression = compression;
    const std::string p = path("ours.tga");
    ASSERT_EQ(targa_save_frame(p.c_str()), 1);
    EXPECT_EQ(run("identify -format '%w %h %z' '" + p + "'"), "23 17 8");
    const std::string rgb = run("convert '" + p + "' -auto-orient -depth 8 rgb:-");
    const Bytes want = frame_rgb();
    EXPECT_EQ(Bytes(rgb.begin(), rgb.end()), want) << compression;
  }
  // 32-bit texture with alpha.
  const auto pic = picture(13, 5, true);
  const std::string t = path("ours32.tga");
  ASSERT_EQ(targa_save_texture(t.c_str(), pic.data(), 13, 5), 1);
  EXPECT_EQ(run("identify -format '%w %h %z %[channels]' '" + t + "'"), "13 5 8 srgba");
  const std::string rgba = run("convert '" + t + "' -auto-orient -depth 8 rgba:-");
  ASSERT_EQ(rgba.size(), pic.size() * 4);
  for (size_t i = 0; i < pic.size(); ++i) {
    const uint32_t p = pic[i];
    const uint8_t* q = reinterpret_cast<const uint8_t*>(rgba.data()) + i * 4;
    ASSERT_EQ(q[0], static_cast<uint8_t>(p >> 16)) << i;
    ASSERT_EQ(q[1], static_cast<uint8_t>(p >> 8)) << i;
    ASSERT_EQ(q[2], static_cast<uint8_t>(p)) << i;
    ASSERT_EQ(q[3], static_cast<uint8_t>(p >> 24)) << i;
  }
}

TEST_F(TargaFrame, WeReadImageMagickFiles) {
  if (!have_convert()) GTEST_SKIP() << "ImageMagick convert is not installed";
  // A source picture as binary PPM (and PAM with alpha), with runs and varied pixels.
  const int32_t w = 41, h = 6;
  const auto pic = picture(w, h, true);
  Bytes ppm, pam;
  const std::string head = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
  const std::string pam_head = "P7\nWIDTH " + std::to_string(w) + "\nHEIGHT " + std::to_string(h) +
                               "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  ppm.assign(head.begin(), head.end());
  pam.assign(pam_head.begin(), pam_head.end());
  for (uint32_t p : pic) {
    ppm.insert(ppm.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
    pam.insert(pam.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p),
                           static_cast<uint8_t>(p >> 24)});
  }
  write_bytes(path("src.ppm"), ppm);
  write_bytes(path("src.pam"), pam);
  struct Case {
    const char* src;
    const char* options;
    bool alpha;
  };
  const Case cases[] = {{"src.ppm", "-compress None", false},
                        {"src.ppm", "-compress RLE", false},
                        {"src.pam", "-compress None", true},
                        {"src.pam", "-compress RLE", true}};
  for (const Case& c : cases) {
    const std::string out = path("im.tga");
    ASSERT_EQ(std::system(("convert '" + path(c.src) + "' " + c.options + " '" + out + "'").c_str()), 0);
    ImageBuffer* img = image_alloc(w, h);
    ASSERT_EQ(targa_load_texture(out.c_str(), img, kTargaKeepAlpha), 1) << c.options;
    EXPECT_EQ(targa_header.bits_per_pixel, c.alpha ? 32 : 24);
    EXPECT_EQ(targa_header.image_type, std::string(c.options).find("RLE") != std::string::npos ? 10 : 2);
    // Our reading must match ImageMagick's own oriented reading of the same file, pixel for pixel ...
    const std::string rgba = run("convert '" + out + "' -auto-orient -depth 8 rgba:-");
    ASSERT_EQ(rgba.size(), pic.size() * 4);
    const auto* q = reinterpret_cast<const uint8_t*>(rgba.data());
    for (size_t i = 0; i < pic.size(); ++i, q += 4) {
      const uint32_t im = static_cast<uint32_t>(q[3]) << 24 | static_cast<uint32_t>(q[0]) << 16 |
                          static_cast<uint32_t>(q[1]) << 8 | q[2];
      ASSERT_EQ(img->pixels[i], im) << c.src << " " << c.options << " pixel " << i;
    }
    // ... and hold the source's rows (ImageMagick may store them in either order).
    const bool flipped = img->pixels[0] != (c.alpha ? pic[0] : pic[0] | 0xFF000000u);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        const uint32_t src = pic[static_cast<size_t>(flipped ? h - 1 - y : y) * w + x];
        ASSERT_EQ(img->pixels[static_cast<size_t>(y) * w + x], c.alpha ? src : src | 0xFF000000u)
            << c.src << " " << c.options << " at " << x << "," << y;
      }
    image_free(img);
  }
}

TEST_F(TargaFrame, Commands) {
  EXPECT_EQ(save_targa_dialog(), -1);  // no file chosen
  host_->file_choices.push_back(path("shot"));
  ASSERT_EQ(save_targa_dialog(), 1);
  EXPECT_EQ(std::string(targa_name), "shot.TGA");
  const Bytes first = read_bytes(path("shot.TGA"));
  ASSERT_EQ(first.size(), 18u + 23 * 17 * 3);
  // Replacing refused: nothing written.
  vidmem24_row(0)[0] = 0x00ABCDEFu;
  host_->file_choices.push_back(path("shot.TGA"));
  host_->yes_no_answers.push_back(0);
  EXPECT_EQ(save_targa_dialog(), -1);
  EXPECT_EQ(read_bytes(path("shot.TGA")), first);

  host_->file_choices.push_back(path("shot.TGA"));
  ASSERT_EQ(load_targa_dialog(), 1);
  EXPECT_EQ(loaded_image_width, 23);
  EXPECT_EQ(loaded_image_height, 17);
  EXPECT_EQ(loaded_image_bits, 24);
  EXPECT_NE(vidmem24_row(0)[0] & 0xFFFFFF, 0xABCDEFu);  // the saved frame came back
  host_->file_choices.push_back(path("absent.TGA"));
  EXPECT_EQ(load_targa_dialog(), 0);
  EXPECT_EQ(loaded_image_width, 0);
  EXPECT_EQ(loaded_image_bits, 0);

  // Ground colours not current at full detail: asked first; "Quit" ends without a file.
  set_landscape_size(34, 34);
  derived_data.colors_done_step = derived_data.cliffs_done_step = 32000;
  host_->file_choices.push_back(path("ground"));
  host_->yes_no_answers.push_back(0);
  EXPECT_EQ(save_texture_map_dialog(), -1);
  EXPECT_EQ(host_->messages.back().text, "Need to calculate colors first!");
  EXPECT_FALSE(std::filesystem::exists(path("ground.TGA")));
  host_->file_choices.push_back(path("ground"));
  host_->yes_no_answers.push_back(1);
  EXPECT_EQ(save_texture_map_dialog(), 1);
  EXPECT_EQ(derived_data.colors_done_step, 1);
  EXPECT_TRUE(std::filesystem::exists(path("ground.TGA")));
  set_landscape_size(258, 258);
}

}  // namespace
