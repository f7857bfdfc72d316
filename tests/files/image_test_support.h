// Test support for the image file tests: temporary folders, byte files, frames, patterns and ImageMagick.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace imgtest {

// A fresh folder removed with its contents at the end of the scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }
  // Names of the entries in the folder, sorted.
  std::vector<std::string> entries() const;

 private:
  std::string path_;
};

std::vector<uint8_t> read_bytes(const std::string& path);
void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool exists(const std::string& path);

// Sets the image size and allocates both frame buffers at it; restores 800 by 600 without buffers after.
class FrameScope {
 public:
  FrameScope(int32_t width, int32_t height);
  ~FrameScope();
};
// Fills vidmem24 (0x00RRGGBB) and vidmem8 over the image with the patterns below.
void fill_frames(uint32_t seed);

// A picture with long runs, single pixels, odd colours and every byte value: pixel (x, y) of seed s.
uint32_t pattern_rgb(int32_t x, int32_t y, uint32_t seed);
uint8_t pattern_index(int32_t x, int32_t y, uint32_t seed);
// A smooth picture for lossy formats.
uint32_t smooth_rgb(int32_t x, int32_t y);

// Pixels as 0x00RRGGBB, top row first.
struct Picture {
  int32_t width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Picture make_picture(int32_t width, int32_t height, uint32_t (*pixel)(int32_t, int32_t, uint32_t), uint32_t seed);
void write_ppm(const std::string& path, const Picture& picture);
bool read_ppm(const std::string& path, Picture* picture);  // P6 or P5, 8 bits
double psnr(const Picture& a, const Picture& b);

// ImageMagick.
bool have_convert();
int run(const std::string& command);                      // exit status of a shell command
std::string run_output(const std::string& command);       // its standard output
// Converts any picture to a PPM through ImageMagick and reads it.
bool convert_to_picture(const std::string& path, Picture* picture);

}  // namespace imgtest
