// Movie writer: row sizes, rates, the codec question, opening, continuing and refusing movies.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/files/movie_writer.h"
#include "tests/support/headless_host.h"
#include "engine/core/settings.h"
#include "engine/raster/frame_buffers.h"
#include "tests/files/image_test_support.h"
#include "tests/files/movie_test_support.h"
#include "tests/support/engine_test.h"

namespace {

using imgtest::FrameScope;
using imgtest::TempDir;

class MovieWriterTest : public EngineTest {
 protected:
  void SetUp() override {
    reset_movie_codec_options();
    movie_ask_codec = 1;
    animation_state.frame_rate = 15;
  }
  void TearDown() override {
    avi_close();
    reset_movie_codec_options();
    animation_state.frame_rate = 15;
  }
  // A new movie of frames frames.
  void write_movie(const std::string& path, int32_t frames, int32_t rate = 15) {
    ASSERT_EQ(avi_open(path.c_str(), image_width, image_height, kMovieCreate, rate), 1);
    for (int32_t k = 0; k < frames; ++k) {
      movietest::fill_moving_frame(k);
      ASSERT_EQ(avi_write_frame(k), 1);
    }
    avi_close();
  }
  ScopedHeadlessHost host_;
};

TEST(MovieRows, RowsArePaddedToFourBytes) {
  EXPECT_EQ(movie_row_bytes(801), 2404);
  EXPECT_EQ(movie_row_bytes(800), 2400);
  EXPECT_EQ(movie_row_bytes(1), 4);
  EXPECT_EQ(movie_row_bytes(801) * 600, 2404 * 600);
}

TEST(MovieRate, RateAndScaleGiveFramesPerSecond) {
  struct Case {
    int32_t rate, scale, fps;
  } cases[] = {{15, 1, 15}, {25, 1, 25}, {30000, 1001, 30}, {2997, 100, 30}, {1, 2, 1}, {50, 2, 25}, {0, 1, 1}, {7, 0, 7}};
  for (const Case& c : cases) EXPECT_EQ(movie_rate_from(c.rate, c.scale), c.fps) << c.rate << "/" << c.scale;
}

TEST(MovieContainer, ExtensionChoosesTheContainerAndItsCodecs) {
  EXPECT_STREQ(movie_container_for("a.AVI"), "avi");
  EXPECT_STREQ(movie_container_for("a.mpg"), "mpeg");
  EXPECT_STREQ(movie_container_for("dir.mpg/a.Mpeg"), "mpeg");
  EXPECT_STREQ(movie_container_for("flight"), "avi");
  MovieCodecChoice list[8];
  const int32_t avi = movie_codecs_for("avi", list, 8);
  ASSERT_GE(avi, 2);
  EXPECT_STREQ(list[0].name, "mjpeg");
  EXPECT_STREQ(list[1].name, "mpeg4");
  const int32_t mpeg = movie_codecs_for("mpeg", list, 8);
  ASSERT_EQ(mpeg, 2);
  EXPECT_STREQ(list[0].name, "mpeg1video");
  EXPECT_STREQ(list[1].name, "mpeg2video");
}

TEST_F(MovieWriterTest, WritingWithoutAnOpenMovieGivesZero) {
  FrameScope frames(32, 16);
  EXPECT_EQ(avi_is_open(), 0);
  EXPECT_EQ(avi_write_frame(0), 0);
  avi_close();  // harmless too
  EXPECT_EQ(avi_write_frame(3), 0);
}

TEST_F(MovieWriterTest, CancelledCodecQuestionLeavesNoFile) {
  TempDir dir;
  FrameScope frames(32, 16);
  const std::string path = dir.file("m.avi");
  host_->value_answers.push_back({0, 0});
  EXPECT_EQ(avi_open(path.c_str(), 32, 16, kMovieCreate, 15), kMovieCancelled);
  EXPECT_EQ(avi_is_open(), 0);
  EXPECT_TRUE(dir.entries().empty());
  // Cancelling the quality question cancels too.
  host_->value_answers.push_back({1, 1});
  host_->value_answers.push_back({0, 0});
  EXPECT_EQ(avi_open(path.c_str(), 32, 16, kMovieCreate, 15), kMovieCancelled);
  EXPECT_TRUE(dir.entries().empty());
}

TEST_F(MovieWriterTest, TheCodecChosenLastIsPreselectedAndUnattendedRunsAskNothing) {
  TempDir dir;
  FrameScope frames(32, 16);
  host_->value_answers.push_back({1, 2});     // MPEG-4 Part 2
  host_->value_answers.push_back({1, 9000});  // quality
  ASSERT_EQ(avi_open(dir.file("a.avi").c_str(), 32, 16, kMovieCreate, 15), 1);
  avi_close();
  EXPECT_STREQ(movie_codec_options.avi_codec, "mpeg4");
  EXPECT_EQ(movie_codec_options.quality, 9000);
  ASSERT_EQ(host_->messages.size(), 2u);
  EXPECT_NE(host_->messages[0].text.find("1 Motion JPEG\n2 MPEG-4 Part 2"), std::string::npos);

  // A number outside the list is asked again.
  host_->messages.clear();
  host_->value_answers.push_back({1, 99});
  ASSERT_EQ(avi_open(dir.file("b.avi").c_str(), 32, 16, kMovieCreate, 15), 1);
  avi_close();
  EXPECT_EQ(host_->messages[1].text, "There is no codec of that number.");
  EXPECT_STREQ(movie_codec_options.avi_codec, "mpeg4");  // the re-asked question kept the preselection

  host_->messages.clear();
  movie_ask_codec = 0;
  FrameScope again(32, 16);
  write_movie(dir.file("c.avi"), 2);
  EXPECT_TRUE(host_->messages.empty());
  if (movietest::have_ffmpeg()) EXPECT_EQ(movietest::probe(dir.file("c.avi"))["codec_name"], "mpeg4");
}

TEST_F(MovieWriterTest, ContinuingTakesTheRateAndCountAndRefusesOtherSizes) {
  TempDir dir;
  const std::string path = dir.file("m.avi");
  {
    FrameScope frames(64, 48);
    write_movie(path, 4, 25);
  }
  const std::vector<uint8_t> before = imgtest::read_bytes(path);
  FrameScope frames(80, 48);
  EXPECT_EQ(avi_open(path.c_str(), 80, 48, 8, 15), kMovieWrongSize);
  EXPECT_EQ(avi_width(), 64);
  EXPECT_EQ(avi_height(), 48);
  EXPECT_EQ(avi_is_open(), 0);
  EXPECT_EQ(imgtest::read_bytes(path), before);
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"m.avi"}));

  animation_state.frame_rate = 15;
  FrameScope right(64, 48);
  ASSERT_EQ(avi_open(path.c_str(), 64, 48, 8, 15), 1);
  EXPECT_EQ(animation_state.frame_rate, 25);
  EXPECT_EQ(avi_frame_count(), 4);
  movietest::fill_moving_frame(9);
  EXPECT_EQ(avi_write_frame(4), 1);
  avi_close();
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"m.avi"}));
  ASSERT_EQ(avi_open(path.c_str(), 64, 48, 8, 15), 1);
  EXPECT_EQ(avi_frame_count(), 5);
  avi_close();
  EXPECT_EQ(avi_open(dir.file("missing.avi").c_str(), 64, 48, 8, 15), kMovieCannotOpen);
  imgtest::write_bytes(dir.file("junk.avi"), std::vector<uint8_t>(500, 7));
  EXPECT_EQ(avi_open(dir.file("junk.avi").c_str(), 64, 48, 8, 15), kMovieCannotOpen);
}

TEST_F(MovieWriterTest, PalettisedMoviesCannotBeContinued) {
  if (!movietest::have_ffmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
  TempDir dir;
  const std::string path = dir.file("pal.avi");
  ASSERT_EQ(imgtest::run("ffmpeg -v error -f lavfi -i testsrc=size=64x48:rate=15 -frames:v 3 -pix_fmt pal8 "
                         "-c:v rawvideo '" + path + "'"),
            0);
  FrameScope frames(64, 48);
  EXPECT_EQ(avi_open(path.c_str(), 64, 48, 8, 15), kMoviePalettised);
  EXPECT_EQ(avi_is_open(), 0);
}

TEST_F(MovieWriterTest, OddSizesArePaddedForTheCodecAndStillContinue) {
  TempDir dir;
  const std::string path = dir.file("odd.avi");
  FrameScope frames(65, 49);
  host_->value_answers.push_back({1, 2});  // MPEG-4 Part 2 needs even sides
  host_->value_answers.push_back({1, 7500});
  write_movie(path, 3);
  ASSERT_EQ(avi_open(path.c_str(), 65, 49, 8, 15), 1);
  EXPECT_EQ(avi_frame_count(), 3);
  movietest::fill_moving_frame(3);
  EXPECT_EQ(avi_write_frame(3), 1);
  avi_close();
  if (!movietest::have_ffmpeg()) return;
  auto info = movietest::probe(path);
  EXPECT_EQ(info["width"], "66");
  EXPECT_EQ(info["height"], "50");
  EXPECT_EQ(info["nb_read_frames"], "4");
}

TEST_F(MovieWriterTest, ANewMovieTakesTheSizeOfItsFirstFrameAndKeepsIt) {
  TempDir dir;
  {
    FrameScope frames(32, 16);
    ASSERT_EQ(avi_open(dir.file("a.avi").c_str(), 32, 16, kMovieCreate, 15), 1);
  }
  // The script set another image size before its first frame.
  FrameScope frames(48, 32);
  movietest::fill_moving_frame(0);
  EXPECT_EQ(avi_write_frame(0), 1);
  EXPECT_EQ(host_->messages.size(), 2u);  // the codec was asked for once
  // Once frames are in the movie, a frame of another size is refused.
  image_width = 40;
  EXPECT_EQ(avi_write_frame(1), 0);
  image_width = 48;
  EXPECT_EQ(avi_write_frame(1), 1);
  avi_close();
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"a.avi"}));
  if (!movietest::have_ffmpeg()) return;
  auto info = movietest::probe(dir.file("a.avi"));
  EXPECT_EQ(info["width"], "48");
  EXPECT_EQ(info["nb_read_frames"], "2");
}

TEST_F(MovieWriterTest, ANewMovieWithoutFramesLeavesNoFile) {
  TempDir dir;
  FrameScope frames(32, 16);
  ASSERT_EQ(avi_open(dir.file("sub/a.mpg").c_str(), 32, 16, kMovieCreate, 15), 1);
  EXPECT_EQ(avi_is_open(), 1);
  avi_close();
  EXPECT_FALSE(imgtest::exists(dir.file("sub/a.mpg")));
  EXPECT_FALSE(imgtest::exists(dir.file("sub/a.mpg.partial")));
}

}  // namespace
