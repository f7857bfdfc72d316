// A failed save never destroys the file it was replacing, and no temporary file is left behind.
#include "engine/files/safe_write.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/files/file_size_limit.h"
#include "tests/files/image_test_support.h"

using imgtest::TempDir;

namespace {
int32_t write_text(const std::string& path, const std::string& text) {
  SafeWrite w;
  if (!safe_write_open(&w, path.c_str())) return 0;
  if (!safe_write_bytes(&w, text.data(), text.size())) {
    safe_write_abort(&w);
    return 0;
  }
  return safe_write_commit(&w);
}
std::string text_of(const std::string& path) {
  const auto bytes = imgtest::read_bytes(path);
  return std::string(bytes.begin(), bytes.end());
}
}  // namespace

TEST(SafeWrite, CommitReplacesTargetAndCreatesFolders) {
  TempDir dir;
  const std::string path = dir.file("deep/er/out.bin");
  ASSERT_EQ(write_text(path, "first"), 1);
  ASSERT_EQ(write_text(path, "second"), 1);
  EXPECT_EQ(text_of(path), "second");
}

TEST(SafeWrite, BackslashesAndLetterCaseFindTheExistingFolder) {
  TempDir dir;
  ASSERT_EQ(write_text(dir.file("Pics/a.bin"), "one"), 1);
  ASSERT_EQ(write_text(dir.path() + "\\PICS\\a.bin", "two"), 1);
  EXPECT_EQ(text_of(dir.file("Pics/a.bin")), "two");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"Pics"});
}

TEST(SafeWrite, FailuresKeepThePreviousFileAndLeaveNoTemporary) {
  TempDir dir;
  const std::string path = dir.file("keep.bin");
  ASSERT_EQ(write_text(path, "previous"), 1);

  {  // a write that fails part-way (the file may not grow past 4 bytes)
    imgtest::FileSizeLimit limit(4);
    EXPECT_EQ(write_text(path, std::string(100000, 'x')), 0);
  }
  {  // an abort after successful writes
    SafeWrite w;
    ASSERT_EQ(safe_write_open(&w, path.c_str()), 1);
    ASSERT_EQ(safe_write_bytes(&w, "new", 3), 1);
    safe_write_abort(&w);
    EXPECT_EQ(safe_write_commit(&w), 0);
  }
  EXPECT_EQ(text_of(path), "previous");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"keep.bin"});
}

TEST(SafeWrite, RefusesPathsThatCannotHoldAFile) {
  TempDir dir;
  imgtest::write_bytes(dir.file("plain"), {1});
  for (const std::string& path : {std::string(), dir.path() + "/", dir.file("plain/inside.bin")}) {
    SafeWrite w;
    EXPECT_EQ(safe_write_open(&w, path.c_str()), 0) << path;
    safe_write_abort(&w);
  }
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"plain"});
}
