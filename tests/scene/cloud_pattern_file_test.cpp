// Cloud pattern files: PCX round trip, foreign PCX pictures, the raw fallback, refusals and safe saving.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/scene/cloud_pattern_file.h"
#include "engine/files/pcx_format.h"
#include "tests/support/headless_host.h"
#include "engine/scene/cloud_pattern.h"
#include "tests/support/engine_test.h"

namespace {

namespace fs = std::filesystem;

class CloudFileTest : public EngineTest {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           (std::string("dalvenor_cloud_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fill_pattern(11);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  static void fill_pattern(int32_t salt) {
    for (int32_t i = 0; i < kCloudPatternBytes; ++i)
      cloud_pattern[i] = static_cast<uint8_t>((i * 31 + salt * (i / 256)) & 255);
  }
  static std::vector<uint8_t> pattern() { return {cloud_pattern, cloud_pattern + kCloudPatternBytes}; }
  static void write_bytes(const std::string& p, const std::vector<uint8_t>& bytes) {
    std::ofstream f(p, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  static std::vector<uint8_t> read_bytes(const std::string& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  }
  // A PCX picture of width by height with pixel (x, y) = index(x, y) and the given palette.
  struct Picture {
    int32_t width, height;
    uint8_t (*index)(int32_t x, int32_t y);
    uint8_t palette[768];
  };
  static void row_source(void* context, int32_t y, uint8_t* out, int32_t width) {
    auto* p = static_cast<Picture*>(context);
    for (int32_t x = 0; x < width; ++x) out[x] = p->index(x, y);
  }
  static void write_picture(const std::string& p, Picture* picture) {
    ASSERT_EQ(pcx_write_image(p.c_str(), picture->width, picture->height, row_source, picture, picture->palette), 1);
  }
  ScopedHeadlessHost host_;
  fs::path dir_;
};

TEST_F(CloudFileTest, SavedPatternLoadsBackUnchanged) {
  const auto saved = pattern();
  ASSERT_EQ(cloud_pattern_save_pcx(path("a.CLD").c_str()), 1);
  fill_pattern(3);
  ASSERT_EQ(cloud_pattern_load_pcx(path("a.CLD").c_str()), 1);
  EXPECT_EQ(pattern(), saved);
  fill_pattern(5);
  EXPECT_EQ(load_cloud_pattern_file(path("a.CLD").c_str()), 1);
  EXPECT_EQ(pattern(), saved);
}

TEST_F(CloudFileTest, SavedFileIsAGreyPcxWithRow255AtTheTop) {
  cloud_pattern[255 * 256 + 0] = 200;  // pattern row 255 is the picture's top row
  cloud_pattern[0 * 256 + 0] = 17;     // pattern row 0 is the bottom row
  ASSERT_EQ(cloud_pattern_save_pcx(path("b.CLD").c_str()), 1);
  const auto bytes = read_bytes(path("b.CLD"));
  ASSERT_GT(bytes.size(), 128u + 769u);
  EXPECT_EQ(bytes[0], 10);
  EXPECT_EQ(bytes[1], 5);
  EXPECT_EQ(bytes[3], 8);
  EXPECT_EQ(bytes[bytes.size() - 769], 12);
  for (int32_t i = 0; i < 256; ++i) {
    const size_t at = bytes.size() - 768 + 3 * static_cast<size_t>(i);
    ASSERT_EQ(bytes[at], i);
    ASSERT_EQ(bytes[at + 1], i);
    ASSERT_EQ(bytes[at + 2], i);
  }
  // The first pixel coded is the top row's first: 200 is above 191, so it is coded as a run of one.
  EXPECT_EQ(bytes[128], 0xC1);
  EXPECT_EQ(bytes[129], 200);
}

TEST_F(CloudFileTest, ImageMagickReadsASavedPatternAsGrey256By256) {
  if (std::system("command -v identify >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick not installed";
  ASSERT_EQ(cloud_pattern_save_pcx(path("c.CLD").c_str()), 1);
  const std::string out = path("identify.txt");
  const std::string cmd =
      "identify -format '%w %h %[type] %[fx:minima.r*255] %[fx:maxima.r*255]' 'PCX:" + path("c.CLD") + "' > '" + out +
      "' 2>/dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  const auto text = read_bytes(out);
  const std::string s(text.begin(), text.end());
  EXPECT_EQ(s.substr(0, 8), "256 256 ") << s;
  EXPECT_NE(s.find("Grayscale"), std::string::npos) << s;
  // The grey level of the top-left pixel is the density of pattern row 255, column 0.
  const std::string px =
      "convert 'PCX:" + path("c.CLD") + "' -format '%[fx:int(p{0,0}.r*255+0.5)]' info: > '" + out + "'";
  ASSERT_EQ(std::system(px.c_str()), 0);
  const auto v = read_bytes(out);
  EXPECT_EQ(std::stoi(std::string(v.begin(), v.end())), cloud_pattern[255 * 256]);
}

TEST_F(CloudFileTest, SmallGreyPictureFillsTheTopLeftOfThePattern) {
  Picture p{128, 128, [](int32_t x, int32_t y) { return static_cast<uint8_t>(x + y); }, {}};
  grey_palette(p.palette);
  write_picture(path("small.pcx"), &p);
  const auto before = pattern();
  ASSERT_EQ(cloud_pattern_load_pcx(path("small.pcx").c_str()), 1);
  for (int32_t r = 0; r < 256; ++r)
    for (int32_t c = 0; c < 256; ++c) {
      const int32_t i = r * 256 + c;
      if (r >= 128 && c < 128) {
        ASSERT_EQ(cloud_pattern[i], static_cast<uint8_t>(c + (255 - r))) << r << " " << c;
      } else {
        ASSERT_EQ(cloud_pattern[i], before[i]) << r << " " << c;
      }
    }
}

TEST_F(CloudFileTest, ColourPaletteBecomesDensities) {
  Picture p{256, 256, [](int32_t x, int32_t) { return static_cast<uint8_t>(x % 3 == 0 ? 7 : x % 3 == 1 ? 8 : 9); }, {}};
  p.palette[21 + 1] = 255;  // entry 7 pure green
  p.palette[24 + 2] = 255;  // entry 8 pure blue
  p.palette[27 + 0] = 255;  // entry 9 pure red
  write_picture(path("colour.pcx"), &p);
  ASSERT_EQ(cloud_pattern_load_pcx(path("colour.pcx").c_str()), 1);
  EXPECT_EQ(cloud_pattern[0], 150);
  EXPECT_EQ(cloud_pattern[1], 28);
  EXPECT_EQ(cloud_pattern[2], 76);
}

TEST_F(CloudFileTest, WidePicturesAreCutOrRefused) {
  Picture wide{300, 4, [](int32_t x, int32_t) { return static_cast<uint8_t>(x); }, {}};
  grey_palette(wide.palette);
  write_picture(path("wide.pcx"), &wide);
  ASSERT_EQ(cloud_pattern_load_pcx(path("wide.pcx").c_str()), 1);
  EXPECT_EQ(cloud_pattern[255 * 256 + 255], 255);
  EXPECT_EQ(cloud_pattern[252 * 256 + 10], 10);

  // The writer refuses a width of 9000 as well: patch the header of a narrower picture instead.
  Picture ok{200, 2, [](int32_t, int32_t) { return uint8_t{1}; }, {}};
  write_picture(path("huge.pcx"), &ok);
  auto bytes = read_bytes(path("huge.pcx"));
  bytes[8] = static_cast<uint8_t>(8999 & 255);
  bytes[9] = static_cast<uint8_t>(8999 >> 8);
  write_bytes(path("huge.pcx"), bytes);
  const auto before = pattern();
  EXPECT_EQ(cloud_pattern_load_pcx(path("huge.pcx").c_str()), -5);
  EXPECT_EQ(pattern(), before);
}

TEST_F(CloudFileTest, RefusedKindsAndMissingFiles) {
  const auto before = pattern();
  EXPECT_EQ(cloud_pattern_load_pcx(path("none.CLD").c_str()), 0);
  EXPECT_EQ(load_cloud_pattern_file(path("none.CLD").c_str()), 0);
  write_bytes(path("short.pcx"), {10, 5, 1, 8});
  EXPECT_EQ(cloud_pattern_load_pcx(path("short.pcx").c_str()), 0);
  Picture p{16, 16, [](int32_t, int32_t) { return uint8_t{3}; }, {}};
  write_picture(path("v4.pcx"), &p);
  auto bytes = read_bytes(path("v4.pcx"));
  bytes[1] = 4;
  write_bytes(path("v4.pcx"), bytes);
  EXPECT_EQ(cloud_pattern_load_pcx(path("v4.pcx").c_str()), -3);
  EXPECT_EQ(pattern(), before);
}

TEST_F(CloudFileTest, RawFilesFillThePatternAsFarAsTheyGo) {
  std::vector<uint8_t> raw(100);
  for (int32_t i = 0; i < 100; ++i) raw[i] = static_cast<uint8_t>(200 + i % 50);
  write_bytes(path("raw100.CLD"), raw);
  const auto before = pattern();
  ASSERT_EQ(load_cloud_pattern_file(path("raw100.CLD").c_str()), 1);
  for (int32_t i = 0; i < kCloudPatternBytes; ++i) ASSERT_EQ(cloud_pattern[i], i < 100 ? raw[i] : before[i]) << i;

  std::vector<uint8_t> longer(70000);
  for (size_t i = 0; i < longer.size(); ++i) longer[i] = static_cast<uint8_t>(i / 300);
  write_bytes(path("raw70000.CLD"), longer);
  ASSERT_EQ(load_cloud_pattern_file(path("raw70000.CLD").c_str()), 1);
  for (int32_t i = 0; i < kCloudPatternBytes; ++i) ASSERT_EQ(cloud_pattern[i], longer[i]) << i;

  write_bytes(path("empty.CLD"), {});
  const auto kept = pattern();
  EXPECT_EQ(load_cloud_pattern_file(path("empty.CLD").c_str()), 1);
  EXPECT_EQ(pattern(), kept);
}

TEST_F(CloudFileTest, TruncatedPcxKeepsTheRowsItCannotComplete) {
  ASSERT_EQ(cloud_pattern_save_pcx(path("full.CLD").c_str()), 1);
  const auto saved = pattern();
  auto bytes = read_bytes(path("full.CLD"));
  bytes.resize(128 + (bytes.size() - 128 - 769) / 2);  // about half of the coded rows, no palette
  write_bytes(path("half.CLD"), bytes);
  std::memset(cloud_pattern, 0, kCloudPatternBytes);
  ASSERT_EQ(cloud_pattern_load_pcx(path("half.CLD").c_str()), 1);
  int32_t read_rows = 0;
  for (int32_t r = 255; r >= 0; --r) {
    const bool same = std::equal(saved.begin() + r * 256, saved.begin() + r * 256 + 256, cloud_pattern + r * 256);
    const bool zero =
        std::all_of(cloud_pattern + r * 256, cloud_pattern + r * 256 + 256, [](uint8_t v) { return v == 0; });
    if (same) {
      ++read_rows;
    } else {
      ASSERT_TRUE(zero) << "row " << r << " was written from a truncated row, after " << read_rows;
    }
  }
  EXPECT_GT(read_rows, 64);
  EXPECT_LT(read_rows, 200);
}

TEST_F(CloudFileTest, FailedSaveKeepsTheOldFile) {
  ASSERT_EQ(cloud_pattern_save_pcx(path("keep.CLD").c_str()), 1);
  const auto old_bytes = read_bytes(path("keep.CLD"));
  fill_pattern(77);
  host_->fail_at_size = 1;  // no memory for the row buffer: the write fails before anything is renamed
  EXPECT_EQ(cloud_pattern_save_pcx(path("keep.CLD").c_str()), 0);
  host_->fail_at_size = 0;
  EXPECT_EQ(read_bytes(path("keep.CLD")), old_bytes);
  // A folder in the way of the file cannot be replaced either.
  fs::create_directories(path("dir.CLD"));
  EXPECT_EQ(cloud_pattern_save_pcx(path("dir.CLD").c_str()), 0);
  EXPECT_TRUE(fs::is_directory(path("dir.CLD")));
  // No temporary file is left behind.
  int32_t entries = 0;
  for (const auto& e : fs::directory_iterator(dir_)) {
    ++entries;
    EXPECT_TRUE(e.path().filename() == "keep.CLD" || e.path().filename() == "dir.CLD") << e.path();
  }
  EXPECT_EQ(entries, 2);
}

TEST_F(CloudFileTest, SaveCreatesTheFolders) {
  ASSERT_EQ(cloud_pattern_save_pcx(path("deep/er/x.CLD").c_str()), 1);
  EXPECT_TRUE(fs::exists(path("deep/er/x.CLD")));
}

TEST_F(CloudFileTest, SaveAndLoadCommands) {
  // Cancelled.
  EXPECT_EQ(ui_save_cloud_pattern(), -1);
  EXPECT_EQ(ui_load_cloud_pattern(), -1);
  // Saved under the chosen name with the extension added.
  const auto saved = pattern();
  host_->file_choices.push_back(path("sky"));
  EXPECT_EQ(ui_save_cloud_pattern(), 1);
  ASSERT_TRUE(fs::exists(path("sky.CLD")));
  // Replacing refused: -1 and the file as it was.
  fill_pattern(9);
  const auto old_bytes = read_bytes(path("sky.CLD"));
  host_->file_choices.push_back(path("sky.CLD"));
  host_->yes_no_answers.push_back(0);
  EXPECT_EQ(ui_save_cloud_pattern(), -1);
  EXPECT_EQ(read_bytes(path("sky.CLD")), old_bytes);
  ASSERT_FALSE(host_->messages.empty());
  EXPECT_EQ(host_->messages.back().text, "Replace " + path("sky.CLD") + " ?");
  // Loaded back.
  host_->file_choices.push_back(path("sky.CLD"));
  EXPECT_EQ(ui_load_cloud_pattern(), 1);
  EXPECT_EQ(pattern(), saved);
}

}  // namespace
