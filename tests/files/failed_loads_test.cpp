// A picture load that fails (missing, garbage or short file) leaves the frame exactly as it was, and the
// script commands say why.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/animation/script_interpreter.h"
#include "engine/files/bmp_image.h"
#include "engine/files/jpeg_image.h"
#include "engine/files/stereo_image.h"
#include "engine/files/targa.h"
#include "engine/raster/frame_buffers.h"
#include "tests/files/image_test_support.h"
#include "tests/support/headless_host.h"

using imgtest::FrameScope;
using imgtest::TempDir;

namespace {
std::vector<uint32_t> frame_pixels() {
  std::vector<uint32_t> out;
  for (int32_t y = 0; y < image_height; ++y) out.insert(out.end(), vidmem24_row(y), vidmem24_row(y) + image_width);
  return out;
}
}  // namespace

TEST(FailedLoads, LeaveTheFrameAsItWas) {
  ScopedHeadlessHost host;
  TempDir dir;
  {
    FrameScope frame(40, 30);
    // Good files of each kind, made from a filled frame, then cut short.
    imgtest::fill_frames(7);
    ASSERT_EQ(targa_save_frame(dir.file("good.tga").c_str()), 1);
    ASSERT_EQ(bmp_save_render_image(dir.file("good.bmp").c_str()), 1);
    ASSERT_EQ(save_jpeg_screen(dir.file("good.jpg").c_str()), 1);
    for (const char* name : {"good.tga", "good.bmp", "good.jpg"}) {
      std::vector<uint8_t> bytes = imgtest::read_bytes(dir.file(name));
      bytes.resize(bytes.size() * 2 / 3);
      imgtest::write_bytes(dir.file(std::string("cut_") + name), bytes);
    }
    imgtest::write_bytes(dir.file("garbage"), std::vector<uint8_t>(3000, 0x5A));

    struct Loader {
      const char* what;
      std::function<int32_t(const std::string&)> load;
      const char* cut;
    };
    const Loader loaders[] = {
        {"Targa", [](const std::string& p) { return targa_load_into_frame(p.c_str(), kTargaOpaque); }, "cut_good.tga"},
        {"BMP", [](const std::string& p) { return bmp_load_render_image(p.c_str()); }, "cut_good.bmp"},
        {"JPEG", [](const std::string& p) { return load_jpeg_to_screen(p.c_str()); }, "cut_good.jpg"},
        {"stereo pair", [&](const std::string& p) { return stereo_compose_anaglyph(dir.file("good.tga").c_str(), p.c_str()); },
         "cut_good.tga"},
    };
    for (const Loader& l : loaders) {
      for (const std::string& name : {std::string("missing"), std::string("garbage"), std::string(l.cut)}) {
        imgtest::fill_frames(3);
        const std::vector<uint32_t> before = frame_pixels();
        host->yes_no_answers = {1};
        EXPECT_NE(l.load(dir.file(name)), 1) << l.what << " " << name;
        EXPECT_EQ(frame_pixels(), before) << l.what << " " << name;
      }
    }
  }
  EXPECT_EQ(host->live_blocks, 0);
}

TEST(FailedLoads, ScriptCommandsSayWhy) {
  ScopedHeadlessHost host;
  TempDir dir;
  FrameScope frame(20, 10);
  imgtest::fill_frames(5);
  const std::vector<uint32_t> before = frame_pixels();
  const std::string lines[] = {"LoadStereoPair " + dir.file("left.tga") + " " + dir.file("right.tga"),
                               "LoadJPG " + dir.file("none.jpg"), "LoadTarga " + dir.file("none.tga"),
                               "LoadBMP " + dir.file("none.bmp")};
  for (const std::string& text : lines) {
    host->messages.clear();
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "%s", text.c_str());
    execute_script_line(buffer);
    ASSERT_FALSE(host->messages.empty()) << text;
    EXPECT_NE(host->messages[0].text.find("Error reading file"), std::string::npos) << host->messages[0].text;
    EXPECT_EQ(frame_pixels(), before) << text;
  }
}
