// The system interface: processes, working folder, environment, listing, temporary files and sync.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/host/system.h"

namespace {

// A fresh folder under the test's temporary area, removed with its entries at the end.
class SystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = ::testing::TempDir() + "dalvenor_system_" + std::to_string(reinterpret_cast<uintptr_t>(this));
    ASSERT_TRUE(system_make_folder(folder_.c_str()));
  }
  void TearDown() override {
    std::vector<std::string> names;
    system_list_folder(folder_.c_str(), [&](const char* name) {
      if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) names.push_back(name);
      return true;
    });
    for (const std::string& n : names) system_remove_file((folder_ + "/" + n).c_str());
    std::remove(folder_.c_str());
  }
  std::string folder_;
};

TEST_F(SystemTest, ProcessesGiveTheirExitCodeOrMinusTheError) {
  char sh[] = "/bin/sh", flag[] = "-c", three[] = "exit 3", killed[] = "kill -9 $$";
  char* exit3[] = {sh, flag, three, nullptr};
  char* signal9[] = {sh, flag, killed, nullptr};
  EXPECT_EQ(system_run_and_wait(exit3), 3);
  EXPECT_EQ(system_run_and_wait(signal9), 128 + 9);
  char missing[] = "/nonexistent/dalvenor-program";
  char* none[] = {missing, nullptr};
  EXPECT_EQ(system_run_and_wait(none), -ENOENT);
}

TEST_F(SystemTest, WorkingFolderChangesAndComesBack) {
  char here[4096], there[4096];
  ASSERT_TRUE(system_current_folder(here, sizeof here));
  char tiny[2];
  EXPECT_FALSE(system_current_folder(tiny, sizeof tiny));  // does not fit
  ASSERT_TRUE(system_change_folder(folder_.c_str()));
  ASSERT_TRUE(system_current_folder(there, sizeof there));
  EXPECT_NE(std::string(there).find("dalvenor_system_"), std::string::npos);
  EXPECT_FALSE(system_change_folder((folder_ + "/missing").c_str()));
  ASSERT_TRUE(system_change_folder(here));
}

TEST_F(SystemTest, EnvironmentStatusListingAndFolders) {
  EXPECT_EQ(system_environment("DALVENOR_SURELY_NOT_SET"), nullptr);
  EXPECT_NE(system_environment("PATH"), nullptr);
  EXPECT_TRUE(system_path_exists(folder_.c_str()));
  EXPECT_FALSE(system_make_folder(folder_.c_str()));  // exists already
  EXPECT_TRUE(system_make_folder((folder_ + "/Sub").c_str()));
  std::vector<std::string> names;
  EXPECT_TRUE(system_list_folder(folder_.c_str(), [&](const char* name) {
    names.push_back(name);
    return true;
  }));
  EXPECT_NE(std::find(names.begin(), names.end(), "Sub"), names.end());
  int visits = 0;
  system_list_folder(folder_.c_str(), [&](const char*) { return ++visits < 1; });
  EXPECT_EQ(visits, 1);  // visiting stops when asked to
  EXPECT_FALSE(system_list_folder((folder_ + "/missing").c_str(), [](const char*) { return true; }));
  std::remove((folder_ + "/Sub").c_str());
  EXPECT_FALSE(system_path_exists((folder_ + "/Sub").c_str()));
}

TEST_F(SystemTest, TemporaryFilesAreUniqueWritableAndSynced) {
  std::string a = folder_ + "/.t.XXXXXX", b = a;
  FILE* fa = system_open_temp_file(a.data());
  FILE* fb = system_open_temp_file(b.data());
  ASSERT_NE(fa, nullptr);
  ASSERT_NE(fb, nullptr);
  EXPECT_NE(a, b);
  EXPECT_GE(std::fputs("data", fa), 0);
  EXPECT_EQ(std::fflush(fa), 0);
  EXPECT_TRUE(system_sync_file(fa));
  std::fclose(fa);
  std::fclose(fb);
  EXPECT_TRUE(system_path_exists(a.c_str()));
  EXPECT_TRUE(system_remove_file(a.c_str()));
  EXPECT_FALSE(system_remove_file(a.c_str()));
  std::string bad = folder_ + "/missing/.t.XXXXXX";
  EXPECT_EQ(system_open_temp_file(bad.data()), nullptr);
}

TEST(System, StackLimitIsRaisedToAtLeastTheAskedSize) {
  EXPECT_GE(system_raise_stack_limit(1024 * 1024), 1024u * 1024u);
}

}  // namespace
