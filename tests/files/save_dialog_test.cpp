// The save dialog shared by the image formats: extension, replace question, cancel.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/core/path_names.h"
#include "engine/files/save_dialog.h"
#include "tests/files/image_test_support.h"
#include "tests/support/headless_host.h"

using imgtest::TempDir;

TEST(SaveDialog, AddsTheExtensionAndAsksBeforeReplacing) {
  TempDir dir;
  const std::string existing = dir.file("old.BMP");
  if (FILE* f = std::fopen(existing.c_str(), "wb")) std::fclose(f);
  struct Case {
    std::string chosen;      // empty: the requester is cancelled
    int answer;              // to the replace question (1 replace, 0 cancel), -1 when none is asked
    int32_t result;
    std::string path;
  };
  const Case cases[] = {
      {dir.file("new"), -1, 1, dir.file("new.BMP")},
      {dir.file("pic.tga"), -1, 1, dir.file("pic.tga")},  // an extension of its own is kept
      {dir.file("old"), 1, 1, existing},
      {dir.file("old"), 0, -1, existing},
      {"", -1, -1, ""},
  };
  for (const Case& c : cases) {
    ScopedHeadlessHost host;
    if (!c.chosen.empty()) host->file_choices.push_back(c.chosen);
    if (c.answer >= 0) host->yes_no_answers.push_back(c.answer);
    char folder[kPathBufferSize] = "", spare[kPathBufferSize] = "";
    char name[kPathBufferSize] = "stale", path[kPathBufferSize] = "stale";
    EXPECT_EQ(save_file_dialog("Save BMP file", spare, folder, name, path, ".BMP"), c.result) << c.chosen;
    EXPECT_EQ(std::string(path), c.path) << c.chosen;
    const bool asked = !host->messages.empty() && host->messages.back().text == "Replace " + existing + " ?";
    EXPECT_EQ(asked, c.answer >= 0) << c.chosen;
  }
}
