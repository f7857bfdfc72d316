// add_extension, append_backslash and split_path.
#include "engine/core/path_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(PathNames, AddExtension) {
  struct Case {
    const char* path;
    const char* result;
  };
  const Case cases[] = {
      {"SCENE", "SCENE.PCX"},
      {"DIR.X\\SCENE", "DIR.X\\SCENE.PCX"},  // the scan stops at the backslash
      {"DIR.X/SCENE", "DIR.X/SCENE.PCX"},
      {"C:SCENE", "C:SCENE.PCX"},
      {"SCENE.V1", "SCENE.V1"},
      {"", ".PCX"},
  };
  for (const Case& c : cases) {
    char buffer[256];
    std::strcpy(buffer, c.path);
    add_extension(buffer, ".PCX");
    EXPECT_STREQ(buffer, c.result) << c.path;
  }
}

TEST(PathNames, AddExtensionNeverOverrunsTheBuffer) {
  char buffer[8] = "ABCDEF";
  add_extension(buffer, sizeof buffer, ".PCX");
  EXPECT_STREQ(buffer, "ABCDEF");
  char fits[10] = "ABCDE";
  add_extension(fits, sizeof fits, ".PCX");
  EXPECT_STREQ(fits, "ABCDE.PCX");
}

TEST(PathNames, AppendBackslash) {
  struct Case {
    const char* folder;
    const char* result;
    int32_t appended;
  };
  const Case cases[] = {
      {"D:", "D:", 0}, {"D:\\maps", "D:\\maps\\", 1}, {"D:\\maps\\", "D:\\maps\\", 0},
      {"", "", 0},     {"maps/", "maps/", 0},          {"iq", "iq\\", 1},
  };
  for (const Case& c : cases) {
    char buffer[256];
    std::strcpy(buffer, c.folder);
    EXPECT_EQ(append_backslash(buffer), c.appended) << c.folder;
    EXPECT_STREQ(buffer, c.result) << c.folder;
  }
  char full[4] = "abc";
  EXPECT_EQ(append_backslash(full, sizeof full), 0);
  EXPECT_STREQ(full, "abc");
}

TEST(PathNames, SplitPath) {
  struct Case {
    const char* path;
    const char* folder;  // folder after the split ("old" when unchanged)
    const char* rest;
  };
  const Case cases[] = {
      {"D:\\WORK\\IMG\\A.PCX", "D:\\WORK\\IMG", "A.PCX"},
      {"IMG/A.PCX", "IMG", "A.PCX"},
      {"D:A.PCX", "D:", "A.PCX"},
      {"A.PCX", "old", "A.PCX"},
      {"\\A.PCX", "", "A.PCX"},
  };
  for (const Case& c : cases) {
    char folder[256] = "old";
    char path[256];
    std::strcpy(path, c.path);
    split_path(folder, path);
    EXPECT_STREQ(folder, c.folder) << c.path;
    EXPECT_STREQ(path, c.rest) << c.path;
  }
}
