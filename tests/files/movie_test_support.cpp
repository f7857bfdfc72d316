// Test support for the animation files: moving frames and reading movies back with ffprobe and ffmpeg.
#include "tests/files/movie_test_support.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "engine/raster/frame_buffers.h"

namespace movietest {

void fill_moving_frame(int32_t k) {
  for (int32_t y = 0; y < image_height; ++y)
    for (int32_t x = 0; x < image_width; ++x) {
      auto level = [](int32_t v) { return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
      const uint32_t r = level(x * 2 + k * 3);
      const uint32_t g = level(y * 3 + 20);
      const uint32_t b = level(x + y + 40 - k * 2);
      if (vidmem24.rows) vidmem24_row(y)[x] = r << 16 | g << 8 | b;
      if (vidmem8.rows) vidmem8_row(y)[x] = static_cast<uint8_t>((x / 4 + y / 3 + k * 7) & 0xFF);
    }
}

imgtest::Picture frame_picture() {
  imgtest::Picture p;
  p.width = image_width;
  p.height = image_height;
  for (int32_t y = 0; y < image_height; ++y)
    for (int32_t x = 0; x < image_width; ++x) p.pixels.push_back(vidmem24_row(y)[x] & 0xFFFFFF);
  return p;
}

imgtest::Picture indexed_picture() {
  imgtest::Picture p;
  p.width = image_width;
  p.height = image_height;
  PaletteEntry palette[256];
  get_palette(palette, 0, 256);
  for (int32_t y = 0; y < image_height; ++y)
    for (int32_t x = 0; x < image_width; ++x) {
      const PaletteEntry& e = palette[vidmem8_row(y)[x]];
      p.pixels.push_back(static_cast<uint32_t>(e.red) << 16 | static_cast<uint32_t>(e.green) << 8 | e.blue);
    }
  return p;
}

bool have_ffmpeg() {
  return imgtest::run("ffprobe -version") == 0 && imgtest::run("ffmpeg -version") == 0;
}

std::map<std::string, std::string> probe(const std::string& path) {
  std::map<std::string, std::string> out;
  const std::string text = imgtest::run_output(
      "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
      "stream=codec_name,width,height,nb_read_frames,r_frame_rate,avg_frame_rate:format=format_name "
      "-of default=noprint_wrappers=1 '" + path + "' 2>/dev/null");
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos) out[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return out;
}

std::vector<imgtest::Picture> decode(const std::string& path, const std::string& scratch_folder) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(scratch_folder) / "decoded";
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::vector<imgtest::Picture> frames;
  if (imgtest::run("ffmpeg -v error -i '" + path + "' -f image2 -pix_fmt rgb24 '" + (folder / "f%05d.ppm").string() +
                   "'") != 0) {
    return frames;
  }
  for (int i = 1;; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "f%05d.ppm", i);
    imgtest::Picture p;
    if (!imgtest::read_ppm((folder / name).string(), &p)) break;
    frames.push_back(p);
  }
  return frames;
}

}  // namespace movietest
