// File existence, folder creation along a path, and the replace question.
#include "engine/files/file_utils.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/headless_host.h"
#include "tests/support/engine_test.h"

namespace fs = std::filesystem;

namespace {
class TempFolder : public EngineTest {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "dalvenor_files_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

bool is_dir(const fs::path& p) { return fs::is_directory(p); }
}  // namespace

TEST_F(TempFolder, MakePathDirsCreatesNestedFoldersWithEitherSeparator) {
  struct Case {
    const char* relative;
    const char* expected_folder;  // relative to the root, "/" separated
  };
  const Case cases[] = {
      {"\\DEM\\Alps\\peak.d4s", "DEM/Alps"},
      {"/pcx/a/b/c/img.pcx", "pcx/a/b/c"},
      {"\\mixed/one\\two/f.tga", "mixed/one/two"},
  };
  for (const Case& c : cases) {
    const std::string path = root_.string() + c.relative;
    make_path_dirs(path.c_str());
    EXPECT_TRUE(is_dir(root_ / c.expected_folder)) << c.relative;
    // The name after the last separator is a file name and is not created.
    const std::string name = path.substr(path.find_last_of("\\/") + 1);
    EXPECT_FALSE(fs::exists(root_ / c.expected_folder / name)) << name;
  }
}

TEST_F(TempFolder, MakePathDirsReusesFoldersOfOtherLetterCase) {
  fs::create_directory(root_ / "Scheme");
  const std::string path = root_.string() + "\\SCHEME\\sub\\x.scm";
  make_path_dirs(path.c_str());
  EXPECT_TRUE(is_dir(root_ / "Scheme" / "sub"));
  EXPECT_FALSE(fs::exists(root_ / "SCHEME"));
}

TEST_F(TempFolder, MakePathDirsIgnoresDrivePrefixAndPathsWithoutSeparator) {
  const fs::path saved = fs::current_path();
  fs::current_path(root_);
  make_path_dirs("D:\\maps\\x.dem");  // the drive prefix is no folder; "D:\maps" may be made
  make_path_dirs("plain.dem");
  fs::current_path(saved);
  EXPECT_FALSE(is_dir(root_ / "D:"));
  EXPECT_FALSE(fs::exists(root_ / "plain.dem"));
}

TEST_F(TempFolder, MakePathDirsStopsAtItsBufferOnOverlongPaths) {
  // 400 characters of nested folders: only the folders within the first 255 characters are made.
  std::string path = root_.string();
  std::string deepest_made;
  while (path.size() < 400) {
    path += "/abcdefghij";
    if (path.size() < 255) deepest_made = path;
  }
  path += "/file.dem";
  make_path_dirs(path.c_str());
  EXPECT_TRUE(is_dir(deepest_made));
  const fs::path beyond = path.substr(0, path.rfind('/'));
  EXPECT_FALSE(fs::exists(beyond));
}

TEST_F(TempFolder, FileExistsForFilesFoldersAndOtherCase) {
  fs::create_directory(root_ / "Folder");
  FILE* f = std::fopen((root_ / "Folder" / "Land.D4S").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(file_exists((root_ / "Folder").c_str()), 1);
  EXPECT_EQ(file_exists((root_.string() + "\\folder\\land.d4s").c_str()), 1);
  EXPECT_EQ(file_exists((root_ / "missing.d4s").c_str()), 0);
  EXPECT_EQ(file_exists(""), 0);
  EXPECT_EQ(file_exists(nullptr), 0);
}

TEST(ConfirmReplace, AsksWithThePathAndReplaceOrCancel) {
  ScopedHeadlessHost h;
  h->yes_no_answers = {1, 0};
  EXPECT_EQ(confirm_replace("D:\\x.dem"), 1);
  EXPECT_EQ(confirm_replace("D:\\x.dem"), 0);
  ASSERT_EQ(h->messages.size(), 2u);
  EXPECT_EQ(h->messages[0].text, "Replace D:\\x.dem ?");
  EXPECT_EQ(h->messages[0].button1, "Replace");
  EXPECT_EQ(h->messages[0].button2, "Cancel");
}
