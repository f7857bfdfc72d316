// A small PNG writer (zlib stored blocks) and PGM reader and writer for canvases.
#include "tests/ui/canvas_png.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "engine/ui/screen.h"

namespace {
uint32_t crc_table[256];
bool crc_ready = false;

uint32_t crc32(const uint8_t* data, size_t n, uint32_t crc = 0) {
  if (!crc_ready) {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      crc_table[i] = c;
    }
    crc_ready = true;
  }
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) crc = crc_table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  put32(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  put32(out, crc32(body.data(), body.size()));
}
}  // namespace

bool write_canvas_png(const Canvas& c, const std::string& path) {
  if (c.width <= 0 || c.height <= 0) return false;
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(c.height) * (1 + 3 * static_cast<size_t>(c.width)));
  for (int32_t y = 0; y < c.height; ++y) {
    raw.push_back(0);
    for (int32_t x = 0; x < c.width; ++x) {
      const size_t i = static_cast<size_t>(y) * c.width + x;
      if (c.depth == 24) {
        const uint32_t w = c.rgb[i];
        raw.push_back(static_cast<uint8_t>(w >> 16));
        raw.push_back(static_cast<uint8_t>(w >> 8));
        raw.push_back(static_cast<uint8_t>(w));
      } else {
        const uint8_t* e = ui_palette[c.pixels[i]];
        raw.insert(raw.end(), e, e + 3);
      }
    }
  }
  // zlib stream of stored blocks.
  std::vector<uint8_t> z = {0x78, 0x01};
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  for (size_t at = 0; at < raw.size() || at == 0;) {
    const size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
    z.push_back(at + n >= raw.size() ? 1 : 0);
    z.push_back(static_cast<uint8_t>(n));
    z.push_back(static_cast<uint8_t>(n >> 8));
    z.push_back(static_cast<uint8_t>(~n));
    z.push_back(static_cast<uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
    at += n;
    if (n == 0) break;
  }
  put32(z, (b << 16) | a);
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<uint8_t> ihdr;
  put32(ihdr, static_cast<uint32_t>(c.width));
  put32(ihdr, static_cast<uint32_t>(c.height));
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
  chunk(png, "IHDR", ihdr);
  chunk(png, "IDAT", z);
  chunk(png, "IEND", {});
  std::error_code ec;
  const auto parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(f);
}

bool write_canvas_pgm(const Canvas& c, const std::string& path) {
  if (c.depth != 8) return false;
  std::ofstream f(path, std::ios::binary);
  f << "P5\n" << c.width << " " << c.height << "\n255\n";
  f.write(reinterpret_cast<const char*>(c.pixels.data()), static_cast<std::streamsize>(c.pixels.size()));
  return static_cast<bool>(f);
}

bool read_canvas_pgm(const std::string& path, Canvas* c) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  std::string magic;
  int w = 0, h = 0, maxval = 0;
  f >> magic >> w >> h >> maxval;
  if (magic != "P5" || w <= 0 || h <= 0 || w > 8192 || h > 8192 || maxval != 255) return false;
  f.get();
  c->depth = 8;
  c->resize(w, h);
  f.read(reinterpret_cast<char*>(c->pixels.data()), static_cast<std::streamsize>(c->pixels.size()));
  return f.gcount() == static_cast<std::streamsize>(c->pixels.size());
}

std::string artifacts_folder() {
  const char* env = std::getenv("DALVENOR_TEST_ARTIFACTS");
  return env && *env ? std::string(env) : std::string("artifacts");
}
