// Animation files read back by ffprobe and ffmpeg: sizes, frame counts, rates and the decoded frames.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/files/flc_writer.h"
#include "engine/files/movie_writer.h"
#include "tests/support/headless_host.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "tests/files/image_test_support.h"
#include "tests/files/movie_test_support.h"
#include "tests/support/engine_test.h"

namespace {

using imgtest::FrameScope;
using imgtest::Picture;
using imgtest::TempDir;

class AnimationInteropTest : public EngineTest {
 protected:
  void SetUp() override {
    if (!movietest::have_ffmpeg()) GTEST_SKIP() << "ffprobe and ffmpeg are not installed";
    reset_movie_codec_options();
    movie_ask_codec = 0;
    animation_state.frame_rate = 15;
  }
  void TearDown() override {
    avi_close();
    movie_ask_codec = 1;
    reset_movie_codec_options();
    animation_state.frame_rate = 15;
  }
  ScopedHeadlessHost host_;
};

TEST_F(AnimationInteropTest, FlcFramesDecodeExactly) {
  TempDir dir;
  FrameScope frames(64, 48);
  PaletteEntry palette[256];
  for (int i = 0; i < 256; ++i) palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                              static_cast<uint8_t>(i * 7), 0};
  set_palette(palette, 0, 256);
  const std::string path = dir.file("a.flc");
  std::vector<Picture> written;
  for (int32_t k = 0; k < 5; ++k) {
    movietest::fill_moving_frame(k);
    ASSERT_EQ(flc_append_frame(path.c_str(), 15), 1);
    written.push_back(movietest::indexed_picture());
  }
  auto info = movietest::probe(path);
  EXPECT_EQ(info["codec_name"], "flic");
  EXPECT_EQ(info["width"], "64");
  EXPECT_EQ(info["height"], "48");
  EXPECT_EQ(info["nb_read_frames"], "5");
  EXPECT_EQ(info["r_frame_rate"], "1000/67");  // 67 ms a frame for 15 frames a second
  const std::vector<Picture> decoded = movietest::decode(path, dir.path());
  ASSERT_EQ(decoded.size(), written.size());
  for (size_t i = 0; i < decoded.size(); ++i) EXPECT_EQ(decoded[i].pixels, written[i].pixels) << "frame " << i;
}

struct MovieCase {
  const char* file;
  const char* codec;
  const char* container;
  double min_psnr;
};

TEST_F(AnimationInteropTest, MoviesHaveTheirSizeCountRateAndFrames) {
  const MovieCase cases[] = {
      {"a.avi", "mjpeg", "avi", 30.0},
      {"b.avi", "mpeg4", "avi", 30.0},
      {"c.avi", "ffv1", "avi", 99.0},
      {"d.mpg", "mpeg1video", "mpeg", 30.0},
      {"e.mpg", "mpeg2video", "mpeg", 30.0},
  };
  for (const MovieCase& c : cases) {
    SCOPED_TRACE(c.file);
    TempDir dir;
    FrameScope frames(96, 64);
    const std::string path = dir.file(c.file);
    std::snprintf(std::strcmp(c.container, "avi") == 0 ? movie_codec_options.avi_codec : movie_codec_options.mpeg_codec,
                  sizeof movie_codec_options.avi_codec, "%s", c.codec);
    ASSERT_EQ(avi_open(path.c_str(), 96, 64, kMovieCreate, 15), 1);
    std::vector<Picture> written;
    for (int32_t k = 0; k < 6; ++k) {
      movietest::fill_moving_frame(k);
      ASSERT_EQ(avi_write_frame(k), 1);
      written.push_back(movietest::frame_picture());
    }
    avi_close();
    auto info = movietest::probe(path);
    EXPECT_NE(info["format_name"].find(c.container), std::string::npos) << info["format_name"];
    EXPECT_EQ(info["codec_name"], c.codec);
    EXPECT_EQ(info["width"], "96");
    EXPECT_EQ(info["height"], "64");
    EXPECT_EQ(info["nb_read_frames"], "6");
    EXPECT_EQ(info["r_frame_rate"], "15/1");
    const std::vector<Picture> decoded = movietest::decode(path, dir.path());
    ASSERT_EQ(decoded.size(), written.size());
    for (size_t i = 0; i < decoded.size(); ++i) {
      EXPECT_GE(imgtest::psnr(decoded[i], written[i]), c.min_psnr) << "frame " << i;
    }
  }
}

TEST_F(AnimationInteropTest, AContinuedMovieHasTheFramesOfBothRuns) {
  for (const char* name : {"m.avi", "m.mpg"}) {
    SCOPED_TRACE(name);
    TempDir dir;
    FrameScope frames(64, 48);
    const std::string path = dir.file(name);
    std::vector<Picture> written;
    ASSERT_EQ(avi_open(path.c_str(), 64, 48, kMovieCreate, 25), 1);
    for (int32_t k = 0; k < 3; ++k) {
      movietest::fill_moving_frame(k);
      ASSERT_EQ(avi_write_frame(k), 1);
      written.push_back(movietest::frame_picture());
    }
    avi_close();
    animation_state.frame_rate = 15;
    ASSERT_EQ(avi_open(path.c_str(), 64, 48, 8, animation_state.frame_rate), 1);
    EXPECT_EQ(animation_state.frame_rate, 25);
    const int32_t start = avi_frame_count();
    EXPECT_EQ(start, 3);
    for (int32_t k = 0; k < 4; ++k) {
      movietest::fill_moving_frame(20 + k);
      ASSERT_EQ(avi_write_frame(start + k), 1);
      written.push_back(movietest::frame_picture());
    }
    avi_close();
    auto info = movietest::probe(path);
    EXPECT_EQ(info["nb_read_frames"], "7");
    EXPECT_EQ(info["r_frame_rate"], "25/1");
    const std::vector<Picture> decoded = movietest::decode(path, dir.path());
    ASSERT_EQ(decoded.size(), written.size());
    for (size_t i = 0; i < decoded.size(); ++i) EXPECT_GE(imgtest::psnr(decoded[i], written[i]), 30.0) << i;
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"decoded", name}));
  }
}

}  // namespace
