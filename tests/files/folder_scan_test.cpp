// Folder scan: patterns in any letter case, pattern lists scanning everything, kinds and sizes, missing folders.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "engine/files/folder_scan.h"
#include "tests/support/engine_test.h"

namespace fs = std::filesystem;

namespace {

class FolderScanTest : public EngineTest {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "dalvenor_scan_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    std::ofstream(dir_ / "A.TXT", std::ios::binary) << "0123456789";
    std::ofstream(dir_ / "b.txt", std::ios::binary);
    std::ofstream(dir_ / "c.dat", std::ios::binary) << "xyz";
    fs::create_directory(dir_ / "Sub");
    std::ofstream(dir_ / "Sub" / "tile.txt", std::ios::binary) << "t";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  struct Entry {
    uint32_t size, kind;
  };
  // Every entry of a scan, by name; the handle is closed afterwards.
  static std::map<std::string, Entry> scan_all(const std::string& folder, const char* patterns) {
    std::map<std::string, Entry> out;
    const int32_t h = find_first(folder.c_str(), patterns);
    if (h == 0) return out;
    char name[kScanNameSize];
    uint32_t size = 0, kind = 0;
    while (find_next(h, name, &size, &kind) == 1) out[name] = {size, kind};
    EXPECT_EQ(find_close(h), 1);
    return out;
  }
  fs::path dir_;
};

TEST_F(FolderScanTest, APatternMatchesRegardlessOfLetterCase) {
  const auto found = scan_all(dir_.string(), "*.txt");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found.at("A.TXT").size, 10u);
  EXPECT_EQ(found.at("A.TXT").kind, kScanFile);
  EXPECT_EQ(found.at("b.txt").size, 0u);  // an empty file is a file of size 0
  EXPECT_EQ(found.at("b.txt").kind, kScanFile);
}

TEST_F(FolderScanTest, APatternListScansEveryEntryFoldersIncluded) {
  const auto found = scan_all(dir_.string(), "*.txt;*.dat");
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found.at("Sub").kind, kScanFolder);
  EXPECT_EQ(found.at("Sub").size, 0u);
  EXPECT_EQ(found.at("c.dat").size, 3u);
}

TEST_F(FolderScanTest, NothingMatchingOrNoFolderGivesHandleZero) {
  EXPECT_EQ(find_first(dir_.string().c_str(), "*.xyz"), 0);
  EXPECT_EQ(find_first((dir_ / "missing").string().c_str(), "*.*"), 0);
  char name[kScanNameSize];
  uint32_t size = 0, kind = 0;
  EXPECT_EQ(find_next(0, name, &size, &kind), 0);
}

TEST_F(FolderScanTest, BackslashesAndAnyCaseReachTheFolder) {
  std::string folder = dir_.string() + "\\sUB\\";
  const auto found = scan_all(folder, "TILE.*");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found.count("tile.txt"), 1u);
}

TEST_F(FolderScanTest, AClosedOrReplacedScanGivesNoMoreEntries) {
  const int32_t h = find_first(dir_.string().c_str(), "*.*");
  ASSERT_NE(h, 0);
  char name[kScanNameSize];
  uint32_t size = 0, kind = 0;
  EXPECT_EQ(find_next(h, name, &size, &kind), 1);
  const int32_t h2 = find_first(dir_.string().c_str(), "c.*");
  ASSERT_NE(h2, 0);
  EXPECT_EQ(find_next(h, name, &size, &kind), 0);  // only one scan is open at a time
  EXPECT_EQ(find_next(h2, name, &size, &kind), 1);
  EXPECT_STREQ(name, "c.dat");
  EXPECT_EQ(find_next(h2, name, &size, &kind), 0);
  EXPECT_EQ(find_close(h2), 1);
  EXPECT_EQ(find_next(h2, name, &size, &kind), 0);
}

TEST(FolderScanPatternTest, Patterns) {
  struct Case {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {
      {"*.*", "noext", true},      {"*.*", "a.b", true},         {"*.txt", "X.TXT", true},
      {"*.txt", "x.txt.bak", false}, {"a?c", "ABC", true},       {"a?c", "ac", false},
      {"*", "", true},             {"t*e*.D?M", "tile_07.dem", true}, {"tile*", "til", false},
      {"**x", "abx", true},        {"", "a", false},
  };
  for (const auto& c : cases) EXPECT_EQ(scan_pattern_matches(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

}  // namespace
