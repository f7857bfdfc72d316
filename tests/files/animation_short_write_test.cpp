// FLC and frame-sequence appends that run out of room leave the frames already there as they were.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>

#include "engine/files/dan_writer.h"
#include "engine/files/flc_writer.h"
#include "engine/raster/frame_buffers.h"
#include "tests/files/image_test_support.h"
#include "tests/support/engine_test.h"

namespace {

class AnimationShortWrite : public EngineTest {};

using imgtest::FrameScope;
using imgtest::TempDir;

// Lets files of this process grow to at most limit bytes; a longer write then falls short.
void limit_file_size(rlim_t limit) {
  ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit r = {limit, limit};
  ::setrlimit(RLIMIT_FSIZE, &r);
}

TEST_F(AnimationShortWrite, FrameSequenceIsCutBackToItsWholeFrames) {
  TempDir dir;
  FrameScope frames(64, 48);
  imgtest::fill_frames(1);
  const std::string path = dir.file("a.dan");
  ASSERT_EQ(dan_append_frame(path.c_str()), 1);
  EXPECT_EXIT(
      {
        limit_file_size(1024 + 64 * 48 + 1000);
        const bool refused = dan_append_frame(path.c_str()) == 0;
        std::exit(refused && std::filesystem::file_size(path) == 1024u + 64u * 48u ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(AnimationShortWrite, FlcKeepsItsFramesAndHeader) {
  TempDir dir;
  FrameScope frames(64, 48);
  imgtest::fill_frames(1);
  const std::string path = dir.file("a.flc");
  ASSERT_EQ(flc_append_frame(path.c_str(), 15), 1);
  const std::vector<uint8_t> before = imgtest::read_bytes(path);
  imgtest::fill_frames(2);
  EXPECT_EXIT(
      {
        limit_file_size(before.size() + 100);
        const bool refused = flc_append_frame(path.c_str(), 15) == 0;
        std::exit(refused && imgtest::read_bytes(path) == before ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
