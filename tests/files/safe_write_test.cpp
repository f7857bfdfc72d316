// A failed save never destroys the file it was replacing, and no temporary file is left behind.
#include "engine/files/safe_write.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
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

namespace {
struct stat status_of(const std::string& path, bool follow = true) {
  struct stat st {};
  (follow ? ::stat : ::lstat)(path.c_str(), &st);
  return st;
}
// Files in a folder (the temporary files start with a dot).
size_t entries_in(const std::string& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
  return n;
}
}  // namespace

// A save keeps what the file was: its permissions, a symbolic link (written through to its target, the
// temporary file beside the target), the other names of a hard-linked file, and a device node.
TEST(SafeWrite, KeepsPermissionsLinksAndDevices) {
  TempDir dir;
  const std::string plain = dir.file("plain.bin");
  ASSERT_EQ(write_text(plain, "old"), 1);
  for (mode_t mode : {0600, 0640, 0755}) {
    ASSERT_EQ(::chmod(plain.c_str(), mode), 0);
    ASSERT_EQ(write_text(plain, "new"), 1);
    EXPECT_EQ(status_of(plain).st_mode & 07777, mode);
  }

  // A relative symbolic link into another folder.
  ASSERT_EQ(write_text(dir.file("real/target.bin"), "target"), 1);
  ASSERT_EQ(::symlink("real/target.bin", dir.file("link.bin").c_str()), 0);
  ASSERT_EQ(write_text(dir.file("link.bin"), "through"), 1);
  EXPECT_TRUE(S_ISLNK(status_of(dir.file("link.bin"), false).st_mode));
  EXPECT_EQ(text_of(dir.file("real/target.bin")), "through");
  // A link whose target does not exist yet creates the target.
  ASSERT_EQ(::symlink("real/new.bin", dir.file("dangling.bin").c_str()), 0);
  ASSERT_EQ(write_text(dir.file("dangling.bin"), "made"), 1);
  EXPECT_TRUE(S_ISLNK(status_of(dir.file("dangling.bin"), false).st_mode));
  EXPECT_EQ(text_of(dir.file("real/new.bin")), "made");

  // A hard link: both names see the new data, shorter than the old.
  ASSERT_EQ(write_text(dir.file("one.bin"), "a longer old text"), 1);
  ASSERT_EQ(::link(dir.file("one.bin").c_str(), dir.file("two.bin").c_str()), 0);
  ASSERT_EQ(write_text(dir.file("two.bin"), "short"), 1);
  EXPECT_EQ(text_of(dir.file("one.bin")), "short");
  EXPECT_EQ(status_of(dir.file("one.bin")).st_ino, status_of(dir.file("two.bin")).st_ino);
  EXPECT_EQ(status_of(dir.file("one.bin")).st_nlink, 2u);
  const size_t entries = entries_in(dir.path());

  // A character device (the null device, made here) is written to, not replaced.
  const std::string device = dir.file("null.dev");
  if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    EXPECT_EQ(write_text(device, "gone"), 1);
    EXPECT_TRUE(S_ISCHR(status_of(device, false).st_mode));
  }
  // A loop of links and a folder are refused.
  ASSERT_EQ(::symlink("loop_b", dir.file("loop_a").c_str()), 0);
  ASSERT_EQ(::symlink("loop_a", dir.file("loop_b").c_str()), 0);
  EXPECT_EQ(write_text(dir.file("loop_a"), "x"), 0);
  EXPECT_EQ(write_text(dir.file("real"), "x"), 0);
  // No temporary file was left anywhere.
  EXPECT_LE(entries_in(dir.path()), entries + 3);  // the device and the two loop links
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir.path()))
    EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
}

// A write-protected file is never replaced by a user who could not open it for writing: the save fails
// and the file keeps its data and permissions. Run as an ordinary user in a child process.
TEST(SafeWrite, WriteProtectedFileIsNotReplaced) {
  TempDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  const std::string path = dir.file("protected.bin");
  ASSERT_EQ(write_text(path, "keep me"), 1);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
    ::_exit(write_text(path, "replaced") == 0 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "cannot become an ordinary user here";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save succeeded";
  EXPECT_EQ(text_of(path), "keep me");
  EXPECT_EQ(status_of(path).st_mode & 07777, 0444u);
  for (const auto& e : std::filesystem::directory_iterator(dir.path()))
    EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
}
