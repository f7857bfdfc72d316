// Shared helpers of the Targa tests: a scratch folder, raw file bytes and small pictures.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/files/targa.h"
#include "tests/support/engine_test.h"

class TargaScratch : public EngineTest {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("dalvenor_tga_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    targa_compression = 0;
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    targa_compression = 0;
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  static std::vector<uint8_t> read_bytes(const std::string& p) {
    std::ifstream f(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
  }
  static void write_bytes(const std::string& p, const std::vector<uint8_t>& bytes) {
    std::ofstream f(p, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // An 18-byte header.
  static std::vector<uint8_t> header(uint8_t type, uint16_t w, uint16_t h, uint8_t bits, uint8_t descriptor = 0) {
    return {0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8),
            static_cast<uint8_t>(h), static_cast<uint8_t>(h >> 8), bits, descriptor};
  }
  // A deterministic picture with opaque and partly transparent pixels and some runs.
  static std::vector<uint32_t> picture(int32_t w, int32_t h, bool with_alpha) {
    std::vector<uint32_t> p(static_cast<size_t>(w) * h);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        uint32_t rgb = (x / 5 == 2) ? 0x204060u : (static_cast<uint32_t>(x * 37 + y * 11) & 0xFF) << 16 |
                                                    (static_cast<uint32_t>(y * 53) & 0xFF) << 8 | ((x * y) & 0xFF) | 1;
        const uint32_t a = with_alpha ? static_cast<uint32_t>((x * 29 + y * 7) & 0xFF) : 0xFFu;
        p[static_cast<size_t>(y) * w + x] = a << 24 | rgb;
      }
    return p;
  }
  std::filesystem::path dir_;
};
