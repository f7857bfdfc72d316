// The start-up scene rendered whole at 800 by 600 through engine initialisation and the Render command: sky
// above, terrain below, saved as a Targa file to look at.
#include <string>

#include "engine/animation/path_frames.h"
#include "engine/files/targa.h"
#include "engine/app/engine_init.h"
#include "engine/render/render_start.h"
#include "tests/render/terrain_render_fixture.h"

TEST_F(TerrainRenderTest, StartupSceneHasSkyAboveAndTerrainBelow) {
  engine_init();
  ASSERT_EQ(image_width, 800);
  ASSERT_EQ(image_height, 600);
  ASSERT_EQ(grid_width, 258);
  EXPECT_EQ(render_start(), 1);
  EXPECT_EQ(image_width, 800);
  EXPECT_EQ(image_height, 600);
  EXPECT_GT(polygon_count, 10000);

  // Top rows are sky (slot 33), the bottom rows terrain (a ground class: not sky, horizon or empty).
  int32_t sky_top = 0, terrain_bottom = 0;
  for (int32_t x = 0; x < 800; ++x) {
    sky_top += (px(x, 0) >> 24) == 33;
    const uint32_t slot = px(x, 599) >> 24;
    terrain_bottom += slot != 33 && slot != 32 && slot != 0;
  }
  EXPECT_EQ(sky_top, 800);
  EXPECT_EQ(terrain_bottom, 800);

  const std::string path = (artifact_dir() / "startup_render.tga").string();
  EXPECT_EQ(targa_save_frame(path.c_str()), 1);
  free_path_frames();
}
