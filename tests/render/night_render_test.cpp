// The start-up scene at night, whole at 800 by 600 through engine initialisation and the Render command: stars
// over the dark sky and a lit moon, saved as a Targa file to look at. (No script keyword switches the night sky;
// the Sky panel and landscape files do.)
#include <string>

#include "engine/animation/path_frames.h"
#include "engine/files/targa.h"
#include "engine/app/engine_init.h"
#include "engine/render/render_start.h"
#include "engine/scene/star_field.h"
#include "engine/scene/sun_moon.h"
#include "tests/render/terrain_render_fixture.h"

TEST_F(TerrainRenderTest, NightSkyShowsStarsAndTheMoon) {
  engine_init();
  stars_on();
  moon_on();
  set_moon_size(30);
  const float unit[3] = {-0.6f, 0.6f, 0.53f};
  moon_position_dialog_accept(unit);
  set_camera(3840.0f, -1500.0f, 500.0f);
  set_target(1500.0f, 1500.0f, 1500.0f);
  EXPECT_EQ(render_start(), 1);

  // The moon's slot is in the picture, and so are stars: bright single pixels in the Sky slot.
  int32_t moon = 0, stars = 0;
  for (int32_t y = 0; y < 600; ++y)
    for (int32_t x = 0; x < 800; ++x) {
      const uint32_t p = px(x, y);
      moon += (p >> 24) == 79;
      stars += (p >> 24) == 33 && ((p >> 8) & 255) > 40;
    }
  EXPECT_GT(moon, 1000);
  EXPECT_GT(stars, 100);

  const std::string path = (artifact_dir() / "night_sky.tga").string();
  EXPECT_EQ(targa_save_frame(path.c_str()), 1);
  stars_off();
  free_path_frames();
}
