// Test support for the image file tests.
#include "tests/files/image_test_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/raster/frame_buffers.h"

namespace imgtest {

TempDir::TempDir() {
  char pattern[] = "/tmp/dalvenor-img-XXXXXX";
  const char* made = ::mkdtemp(pattern);
  path_ = made ? made : "/tmp";
}

TempDir::~TempDir() {
  std::error_code ec;
  if (path_ != "/tmp") std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> TempDir::entries() const {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(path_)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<uint8_t> read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

FrameScope::FrameScope(int32_t width, int32_t height) {
  image_width = width;
  image_height = height;
  allocate_vidmem24(width, height);
  allocate_vidmem8(width, height);
}

FrameScope::~FrameScope() {
  free_vidmem24();
  free_vidmem8();
  image_width = 800;
  image_height = 600;
}

void fill_frames(uint32_t seed) {
  for (int32_t y = 0; y < image_height; ++y)
    for (int32_t x = 0; x < image_width; ++x) {
      if (vidmem24.rows) vidmem24_row(y)[x] = pattern_rgb(x, y, seed);
      if (vidmem8.rows) vidmem8_row(y)[x] = pattern_index(x, y, seed);
    }
}

uint32_t pattern_rgb(int32_t x, int32_t y, uint32_t seed) {
  // Runs of 70 equal pixels on even rows, a changing colour on odd rows.
  const uint32_t v = (y % 2 == 0) ? static_cast<uint32_t>(x / 70 + y) : static_cast<uint32_t>(x * 7 + y * 13);
  const uint32_t h = (v + seed) * 2654435761u;
  return (h >> 8) & 0xFFFFFF;
}

uint8_t pattern_index(int32_t x, int32_t y, uint32_t seed) {
  // Row kinds: a run of 64 or more, bytes of 0xC0 and above one by one, pairs, then every value.
  switch ((y + static_cast<int32_t>(seed)) % 4) {
    case 0: return static_cast<uint8_t>(x < 70 ? 0x41 : 0xC5);
    case 1: return static_cast<uint8_t>(0xC0 + (x % 64));
    case 2: return static_cast<uint8_t>((x / 2) * 37 + y);
    default: return static_cast<uint8_t>(x * 13 + y * 7 + seed);
  }
}

uint32_t smooth_rgb(int32_t x, int32_t y) {
  const uint32_t r = static_cast<uint32_t>(128 + 100 * std::sin(x * 0.05));
  const uint32_t g = static_cast<uint32_t>(128 + 100 * std::cos(y * 0.07));
  const uint32_t b = static_cast<uint32_t>((x + y) * 2 % 200 + 20);
  return r << 16 | g << 8 | b;
}

Picture make_picture(int32_t width, int32_t height, uint32_t (*pixel)(int32_t, int32_t, uint32_t), uint32_t seed) {
  Picture p;
  p.width = width;
  p.height = height;
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) p.pixels.push_back(pixel(x, y, seed));
  return p;
}

void write_ppm(const std::string& path, const Picture& picture) {
  std::string text = "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
  std::vector<uint8_t> bytes(text.begin(), text.end());
  for (uint32_t p : picture.pixels) {
    bytes.push_back(static_cast<uint8_t>(p >> 16));
    bytes.push_back(static_cast<uint8_t>(p >> 8));
    bytes.push_back(static_cast<uint8_t>(p));
  }
  write_bytes(path, bytes);
}

bool read_ppm(const std::string& path, Picture* picture) {
  const std::vector<uint8_t> bytes = read_bytes(path);
  size_t pos = 0;
  auto token = [&]() {
    std::string t;
    while (pos < bytes.size()) {
      if (bytes[pos] == '#') {
        while (pos < bytes.size() && bytes[pos] != '\n') ++pos;
      } else if (std::isspace(bytes[pos])) {
        if (!t.empty()) break;
        ++pos;
      } else {
        t += static_cast<char>(bytes[pos++]);
      }
    }
    return t;
  };
  const std::string magic = token();
  if (magic != "P6" && magic != "P5") return false;
  picture->width = std::atoi(token().c_str());
  picture->height = std::atoi(token().c_str());
  if (std::atoi(token().c_str()) != 255) return false;
  ++pos;  // the single blank after the maximum
  const size_t channels = magic == "P6" ? 3 : 1;
  const size_t n = static_cast<size_t>(picture->width) * picture->height;
  if (bytes.size() < pos + n * channels) return false;
  picture->pixels.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* p = &bytes[pos + i * channels];
    picture->pixels[i] = channels == 3 ? (uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2]) : p[0] * 0x010101u;
  }
  return true;
}

double psnr(const Picture& a, const Picture& b) {
  if (a.width != b.width || a.height != b.height || a.pixels.empty()) return 0;
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i)
    for (int s = 0; s < 24; s += 8) {
      const double d = static_cast<double>((a.pixels[i] >> s) & 0xFF) - static_cast<double>((b.pixels[i] >> s) & 0xFF);
      sum += d * d;
    }
  const double mse = sum / (a.pixels.size() * 3.0);
  return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

bool have_convert() { return std::system("convert -version >/dev/null 2>&1") == 0; }

int run(const std::string& command) {
  const int status = std::system((command + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string run_output(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
  ::pclose(pipe);
  return out;
}

bool convert_to_picture(const std::string& path, Picture* picture) {
  const std::string ppm = path + ".out.ppm";
  if (run("convert '" + path + "' -depth 8 PPM:'" + ppm + "'") != 0) return false;
  const bool ok = read_ppm(ppm, picture);
  std::remove(ppm.c_str());
  return ok;
}

}  // namespace imgtest
