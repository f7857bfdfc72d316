// Pictures to look at, not checks: an 800 by 600 render of a village of houses and office buildings among
// oaks on the start-up landscape. Houses are placed on the map, which scripts cannot do, so the picture is
// made here. Run with --gtest_also_run_disabled_tests; the image goes to the test artifacts folder.
#include <string>

#include "engine/files/targa.h"
#include "engine/landscape/tree_classes.h"
#include "tests/render/terrain_render_fixture.h"

TEST_F(TerrainRenderTest, DISABLED_VillagePicture) {
  image(800, 600);
  startup_scene();
  // Two streets of houses, office buildings at the crossing, oaks in the gardens.
  for (int32_t i = 0; i < 24; ++i) {
    cover_row(40)[50 + 2 * i].object = static_cast<uint8_t>(72 + (i % 2));
    cover_row(44)[50 + 2 * i].object = static_cast<uint8_t>(72 + ((i + 1) % 2));
    cover_row(42 + i)[74].object = static_cast<uint8_t>(i % 3 == 0 ? 74 : 73);
    if (i % 3 == 1) cover_row(38)[51 + 2 * i].object = 61;
    if (i % 4 == 2) cover_row(46)[49 + 2 * i].object = 61;
  }
  cover_row(42)[72].object = 75;
  cover_row(42)[76].object = 75;
  cover_row(46)[76].object = 75;
  tree_settings.trees_enabled = 1;
  tree_settings.trees_3d = 1;
  tree_settings.tree_size[1] = 14;
  derived_data.shades_done_step = land_width;
  prepare();
  camera_state.camera_x = 62 * 30.0f;
  camera_state.camera_y = 35 * 30.0f;
  camera_state.camera_z = static_cast<float>(elevation_row(35)[62]) + 35.0f;
  camera_state.camera_heading = -30.0f;
  camera_state.camera_pitch = -10.0f;
  ASSERT_EQ(render_frame(0, 1), 1);
  const std::string path = (artifact_dir() / "village.tga").string();
  targa_save_frame(path.c_str());
}
