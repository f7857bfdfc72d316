// The file requester: folder, name and relative path of a choice, cancelling, and the preview fit.
#include "engine/files/file_requester.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "engine/files/bmp_format.h"
#include "tests/support/headless_host.h"
#include "tests/files/image_test_support.h"

namespace {
// Runs the test body in a temporary working folder.
class WorkingFolder {
 public:
  WorkingFolder() {
    char old[4096];
    old_ = ::getcwd(old, sizeof old) ? old : ".";
    EXPECT_EQ(::chdir(dir_.path().c_str()), 0);
  }
  ~WorkingFolder() { EXPECT_EQ(::chdir(old_.c_str()), 0); }
  const imgtest::TempDir& dir() const { return dir_; }

 private:
  imgtest::TempDir dir_;
  std::string old_;
};

std::string upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}
}  // namespace

TEST(FileRequester, ChoiceGivesFolderNameAndPathRelativeToTheWorkingFolder) {
  WorkingFolder work;
  const std::string cwd = work.dir().path();
  struct Case {
    std::string chosen, folder, name, path;
  };
  const Case cases[] = {
      {cwd + "/IMG/A.PCX", cwd + "/IMG\\", "A.PCX", "IMG/A.PCX"},
      {upper(cwd) + "/img/b.pcx", upper(cwd) + "/img\\", "b.pcx", "img/b.pcx"},  // letter case ignored
      {"D:\\WORK\\IMG\\A.PCX", "D:\\WORK\\IMG\\", "A.PCX", "D:\\WORK\\IMG\\A.PCX"},
      {"D:A.PCX", "D:", "A.PCX", "D:A.PCX"},
  };
  for (const Case& c : cases) {
    ScopedHeadlessHost host;
    host->file_choices.push_back(c.chosen);
    char spare[256] = "", folder[256] = "PCX\\", name[256] = "old.pcx", path[256] = "";
    ASSERT_EQ(file_requester("Load PCX file", spare, folder, name, "*.PCX", path, 0), 1) << c.chosen;
    EXPECT_EQ(std::string(folder), c.folder);
    EXPECT_EQ(std::string(name), c.name);
    EXPECT_EQ(std::string(path), c.path);
  }
}

TEST(FileRequester, CancelKeepsTheNameAndDropsOnlyTheFolderBackslash) {
  ScopedHeadlessHost host;
  char spare[256] = "", folder[256] = "PCX\\", name[256] = "keep.pcx", path[256] = "";
  EXPECT_EQ(file_requester("Load PCX file", spare, folder, name, "*.PCX", path, 0), -1);
  EXPECT_STREQ(folder, "PCX");
  EXPECT_STREQ(name, "keep.pcx");
  char root[256] = "\\";
  EXPECT_EQ(file_requester("Save PCX file", spare, root, name, "*.PCX", path, kFileRequesterSave), -1);
  EXPECT_STREQ(root, "\\");
}

TEST(FileRequester, PreviewIsFittedAndCentredOnBlack) {
  ScopedHeadlessHost host;
  struct Case {
    int32_t iw, ih, cw, ch;
    int32_t x0, y0, w, h;  // where the picture lands
  };
  const Case cases[] = {
      {400, 100, 150, 105, 0, 34, 150, 37},   // wide picture: full width, centred down
      {100, 400, 150, 105, 62, 0, 26, 105},   // tall picture: full height, centred across
      {150, 105, 150, 105, 0, 0, 150, 105},
  };
  for (const Case& c : cases) {
    ImageBuffer* image = image_alloc(c.iw, c.ih);
    ASSERT_NE(image, nullptr);
    std::fill_n(image->pixels, c.iw * c.ih, 0xFF8040u);
    ImageBuffer* fitted = fit_preview_image(image, c.cw, c.ch);
    ASSERT_EQ(fitted->width, c.cw);
    ASSERT_EQ(fitted->height, c.ch);
    int32_t minx = c.cw, miny = c.ch, maxx = -1, maxy = -1;
    for (int32_t y = 0; y < c.ch; ++y)
      for (int32_t x = 0; x < c.cw; ++x)
        if (fitted->pixels[y * c.cw + x]) {
          minx = std::min(minx, x), maxx = std::max(maxx, x);
          miny = std::min(miny, y), maxy = std::max(maxy, y);
        }
    EXPECT_EQ(minx, c.x0) << c.iw;
    EXPECT_EQ(miny, c.y0) << c.iw;
    EXPECT_EQ(maxx - minx + 1, c.w) << c.iw;
    EXPECT_EQ(maxy - miny + 1, c.h) << c.iw;
    image_free(fitted);
  }
  EXPECT_EQ(host->live_blocks, 0);
}

TEST(FileRequester, PreviewOfTheSelectedFile) {
  ScopedHeadlessHost host;
  imgtest::TempDir dir;
  // A 20 by 10 BMP.
  ImageBuffer* picture = image_alloc(20, 10);
  std::fill_n(picture->pixels, 200, 0x00FF00u);
  void* rows[11] = {};
  for (int y = 0; y < 10; ++y) rows[y] = picture->pixels + y * 20;
  ASSERT_EQ(bmp_write_rows(dir.file("p.bmp").c_str(), rows, 20, 10), 1);
  image_free(picture);

  ImageBuffer* shown = file_preview_select(dir.path().c_str(), "p.bmp", 40, 40);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->pixels[20 * 40 + 20], 0x00FF00u);
  EXPECT_EQ(shown->pixels[0], 0u);
  EXPECT_EQ(file_preview_select(dir.path().c_str(), "script.scr", 40, 40), nullptr);  // no preview kind
  EXPECT_EQ(file_preview_image, nullptr);
  file_preview_enabled = 0;
  EXPECT_EQ(file_preview_select(dir.path().c_str(), "p.bmp", 40, 40), nullptr);
  file_preview_enabled = 1;
  file_preview_drop();
  EXPECT_EQ(host->live_blocks, 0);
}
