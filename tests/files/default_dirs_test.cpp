// Default folder pairs: both members set, backslash rule.
#include "engine/files/default_dirs.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace {
struct Pair {
  void (*set)(const char*);
  const char* requester_folder;
  const char* spare;
};

const Pair kPairs[] = {
    {set_default_dir_dem, dem_dir_work, dem_dir},
    {set_default_dir_scheme, scheme_dir_work, scheme_dir},
    {set_default_dir_binary, binary_dir_work, binary_dir},
    {set_default_dir_palette, palette_dir, palette_dir_default},
    {set_default_dir_pcx, pcx_dir, pcx_dir_default},
    {set_default_dir_targa, targa_dir, targa_dir_default},
    {set_default_dir_bmp, bmp_dir, bmp_dir_default},
    {set_default_dir_jpg, jpeg_dir, jpeg_dir_default},
    {set_default_dir_background, background_dir, background_dir_default},
    {set_default_dir_foreground, foreground_dir, foreground_dir_default},
    {set_default_dir_stereo, stereo_dir, stereo_dir_default},
    {set_cloud_directory, cloud_dir, cloud_dir_default},
    {set_default_dir_script, script_folder, script_dir},
    {set_default_dir_anim, anim_folder, anim_dir},
    {set_default_dir_batch, batch_folder, batch_dir},
    {set_default_dir_iq, iq_dir, iq_folder},
    {set_default_dir_ground_texture, ground_texture_dir, ground_texture_dir_default},
    {set_house_texture_directory, house_texture_dir, house_texture_dir_default},
    {set_tree_texture_dir, tree_texture_dir, tree_texture_dir_default},
    {set_default_dir_sky_texture, sky_texture_dir, sky_texture_dir_default},
    {set_water_texture_dir, water_texture_dir, water_texture_dir_default},
};
}  // namespace

TEST(DefaultDirs, EverySetterFillsBothBuffersWithTheBackslashRule) {
  struct Case {
    const char* given;
    const char* stored;
  };
  const Case cases[] = {
      {"D:", "D:"},                 // a drive alone gets no backslash
      {"D:\\maps", "D:\\maps\\"},
      {"D:\\maps\\", "D:\\maps\\"},
      {"maps/alps/", "maps/alps/"},  // a folder written with "/" already ends in a separator
      {"", ""},
  };
  for (const Pair& p : kPairs) {
    for (const Case& c : cases) {
      p.set(c.given);
      EXPECT_STREQ(p.requester_folder, c.stored) << c.given;
      EXPECT_STREQ(p.spare, c.stored) << c.given;
    }
  }
  reset_default_dirs();
}

TEST(DefaultDirs, OverlongFolderIsCutToTheBuffer) {
  const std::string longer(400, 'a');
  set_default_dir_dem(longer.c_str());
  EXPECT_EQ(std::string(dem_dir_work).size(), kDirBufferSize - 1);
  EXPECT_STREQ(dem_dir, dem_dir_work);
  reset_default_dirs();
}

TEST(DefaultDirs, StartValues) {
  reset_default_dirs();
  EXPECT_STREQ(iq_dir, "iq\\");
  EXPECT_STREQ(house_texture_dir, "TEXTURE\\HOUSE");
  EXPECT_STREQ(background_dir, "TEXTURE\\BackGr");
  EXPECT_STREQ(foreground_dir, "TEXTURE\\ForeGr");
  EXPECT_STREQ(dem_dir_work, "");
}

TEST(DefaultDirs, StartUpFindersTakeExistingFoldersOnly) {
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "dalvenor_dirs_XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const fs::path root = pattern;
  fs::create_directories(root / "texture" / "Ground");
  fs::create_directories(root / "JPG");
  const std::string base = root.string() + "/";
  reset_default_dirs();

  ASSERT_NE(find_ground_texture_dir(base.c_str()), nullptr);
  EXPECT_EQ(std::string(ground_texture_dir), base + "TEXTURE\\GROUND");  // as found, no backslash added
  EXPECT_STREQ(ground_texture_dir_default, ground_texture_dir);
  EXPECT_EQ(find_house_texture_dir(base.c_str()), nullptr);
  EXPECT_STREQ(house_texture_dir, "TEXTURE\\HOUSE");  // unchanged when missing
  init_jpeg_dir(base.c_str());
  EXPECT_EQ(std::string(jpeg_dir), base + "JPG");
  const std::string overlong(300, 'x');
  EXPECT_EQ(find_sky_texture_dir(overlong.c_str()), nullptr);

  reset_default_dirs();
  fs::remove_all(root);
}
