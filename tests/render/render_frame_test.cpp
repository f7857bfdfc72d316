// Whole frames: a flat landscape whose every pixel is known, reproducibility, view directions, stereo eyes,
// stopped frames and anti-aliasing.
#include <cstring>

#include "engine/render/antialias.h"
#include "engine/render/terrain_walk.h"
#include "tests/render/terrain_render_fixture.h"

namespace {

class RenderFrameTest : public TerrainRenderTest {
 protected:
  // A level road landscape of 32 by 32 cells at 0 m, seen from straight above its centre: every pixel is
  // road, lit by a sun at (0.6, 0, 0.8) with no noise, highlight, haze or shadow.
  void flat_road_scene() {
    ASSERT_EQ(set_landscape_size(34, 34), 1);
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c) {
        elevation_row(r)[c] = 0;
        cover_row(r)[c] = CoverCell{88, 0};
        shade_row(r)[c] = 0;
      }
    color_table[88] = ColorEntry{0, 200, 100, 50};
    color_table[77] = ColorEntry{0, 255, 255, 255};  // white sun
    class_attributes[88] = ClassAttributes{0, 0, 0, 0, 0};  // no highlight, no roughness: the surface stays level
    light_state.contrast = 255;                                         // all light from the sun, none ambient
    light_state.light_x = 0.6f;
    light_state.light_y = 0.0f;
    light_state.light_z = 0.8f;
    render_settings.light_roughness = 0;
    render_settings.haze_density = 0;
    render_settings.shadows_enabled = 0;
    render_settings.phong_enabled = 0;
    render_settings.blend_colors = render_settings.gouraud_enabled = 0;
    render_settings.exaggerate_shading = 0;
    light_state.auto_exposure = 0;
    light_state.brightness = 128;
    render_settings.flare_enabled = 0;
    render_settings.antialias_mode = 0;
    lens_state.stereo_camera = 1;
    lens_state.view_facing = 5;
    render_settings.grid_step = 1;
    set_detail_level(1, 2);
    camera_state.camera_x = 16 * 30.0f;
    camera_state.camera_y = 16 * 30.0f;
    camera_state.camera_z = 200.0f;
    camera_state.camera_heading = 0.0f;
    camera_state.camera_bank = 0.0f;
    camera_state.camera_pitch = -90.0f;
  }
  // A small start-up scene without lens flare or anti-aliasing.
  void small_startup(int32_t w, int32_t h) {
    image(w, h);
    startup_scene();
    render_settings.flare_enabled = 0;
    render_settings.antialias_mode = 0;
  }
};

// The road colour by hand: light = trunc(0.8 * 256) = 204; sun factors 255, ambient 0;
// R = ((200 * 204) >> 8) * 255 / 256 = 159 * 255 / 256 = 158, G = 79 * 255 / 256 = 78, B = 39 * 255 / 256 = 38;
// exposure m = 48 + 2 * 128 - 128 = 176: R = 158 * 176 / 128 = 217, G = 107, B = 52.
constexpr uint32_t kFlatRoadPixel = (88u << 24) | (217u << 16) | (107u << 8) | 52u;

TEST_F(RenderFrameTest, FlatLandscapeEveryPixelHasTheClassAndColourByHand) {
  image(64, 48);
  flat_road_scene();
  polygon_count = 0;
  ASSERT_EQ(render_frame(0, 1), 1);
  EXPECT_GT(polygon_count, 0);
  int32_t wrong = 0;
  for (int32_t y = 0; y < 48; ++y)
    for (int32_t x = 0; x < 64; ++x) wrong += px(x, y) != kFlatRoadPixel;
  EXPECT_EQ(wrong, 0) << std::hex << px(0, 0) << " " << px(32, 24);
}

TEST_F(RenderFrameTest, FlatLandscapeLightShadowAndHighlightByHand) {
  struct Case {
    const char* what;
    void (*setup)();
    uint32_t r, g, b;
  } cases[] = {
      // Light 204 as above.
      {"plain", [] {}, 217, 107, 52},
      // n.L = 0.5 with the arc-cosine curve: l = 1 - acos(0.5) / 1.5708 = 0.3333, light 85;
      // R = ((200 * 85) >> 8) * 255 / 256 = 65 -> 89, G = 32 -> 44, B = 15 -> 20.
      {"exaggerated",
       [] {
         render_settings.exaggerate_shading = 1;
         light_state.light_x = 0.8660254f;
         light_state.light_z = 0.5f;
       },
       89, 44, 20},
      // Every corner in cast shadow (16..31, mean at least 8): light halves to 102;
      // R = 79 * 255 / 256 = 78 -> 107, G = 38 -> 52, B = 18 -> 24.
      {"cast shadow",
       [] {
         render_settings.shadows_enabled = 1;
         light_state.sun_declination = 90.0f;  // the shading is not recomputed: the marks stay as set
         for (int32_t r = 0; r < grid_height; ++r)
           for (int32_t c = 0; c < grid_width; ++c) shade_row(r)[c] = kShadeTerrainShadow;
       },
       107, 52, 24},
      // Phong sharpness 0 gives the value 256 at any angle; strength 100 adds 255 * 100 * 256 / 65536 = 99:
      // R = 158 + 99 = 257 -> 353, clamped 255; G = 78 + 99 -> 243; B = 38 + 99 -> 188.
      {"highlight",
       [] {
         render_settings.phong_enabled = 1;
         class_attributes[88].phong_intensity = 100;
         class_attributes[88].phong_sharpness = 0;
       },
       255, 243, 188},
  };
  for (const Case& c : cases) {
    image(64, 48);
    flat_road_scene();
    c.setup();
    ASSERT_EQ(render_frame(0, 1), 1) << c.what;
    const uint32_t expected = (88u << 24) | (c.r << 16) | (c.g << 8) | c.b;
    int32_t wrong = 0;
    for (int32_t y = 0; y < 48; ++y)
      for (int32_t x = 0; x < 64; ++x) wrong += px(x, y) != expected;
    EXPECT_EQ(wrong, 0) << c.what << " " << std::hex << px(32, 24);
  }
}

TEST_F(RenderFrameTest, TexturedSlotLitPerPixelMatchesTheFlatColour) {
  // A uniform texture of the road's own colour: shaded per pixel with the triangle's light it must give the
  // same picture as the untextured road.
  static uint32_t texels[8 * 8];
  for (uint32_t& t : texels) t = 0xFFC86432u;  // alpha 255, 200, 100, 50
  image(64, 48);
  flat_road_scene();
  TextureSlot& slot = texture_slots[88];
  slot.loaded = 88;
  for (TextureLevel& level : slot.levels) level = TextureLevel{8, 8, 0, texels};
  ASSERT_EQ(render_frame(0, 1), 1);
  int32_t wrong = 0;
  for (int32_t y = 0; y < 48; ++y)
    for (int32_t x = 0; x < 64; ++x) wrong += px(x, y) != kFlatRoadPixel;
  slot.loaded = 0;
  for (TextureLevel& level : slot.levels) level = TextureLevel{};
  EXPECT_EQ(wrong, 0) << std::hex << px(32, 24);
}

TEST_F(RenderFrameTest, ProgressShowsTheFrameCaption) {
  image(64, 48);
  flat_road_scene();
  host->tick_step = 1000;  // every read-out is due
  ASSERT_EQ(render_frame(4, 10), 1);
  ASSERT_FALSE(host->progress_texts.empty());
  EXPECT_EQ(host->progress_texts.front().rfind("Frame 5 of 10: ", 0), 0u) << host->progress_texts.front();
  host->progress_texts.clear();
  ASSERT_EQ(render_frame(0, 1), 1);
  ASSERT_FALSE(host->progress_texts.empty());
  EXPECT_EQ(host->progress_texts.front().rfind("Render: ", 0), 0u) << host->progress_texts.front();
}

TEST_F(RenderFrameTest, BlackClassesAndUndersidesDrawNoTerrain) {
  const std::pair<const char*, void (*)()> cases[] = {
      {"black road", [] { color_table[88] = ColorEntry{0, 0, 0, 0}; }},
      {"seen from below",
       [] {
         camera_state.camera_z = -200.0f;
         camera_state.camera_pitch = 90.0f;
       }},
  };
  for (const auto& [what, setup] : cases) {
    image(64, 48);
    flat_road_scene();
    setup();
    ASSERT_EQ(render_frame(0, 1), 1) << what;
    int32_t road = 0;
    for (int32_t y = 0; y < 48; ++y)
      for (int32_t x = 0; x < 64; ++x) road += (px(x, y) >> 24) == 88;
    EXPECT_EQ(road, 0) << what;
  }
}

TEST_F(RenderFrameTest, AntiAliasFiltersKeepAUniformImage) {
  for (int32_t mode : {1, 2}) {
    image(64, 48);
    flat_road_scene();
    render_settings.antialias_mode = mode;
    ASSERT_EQ(render_frame(0, 1), 1) << mode;
    EXPECT_EQ(image_width, 64);
    EXPECT_EQ(image_height, 48);
    int32_t wrong = 0;
    for (int32_t y = 0; y < 48; ++y)
      for (int32_t x = 0; x < 64; ++x) wrong += px(x, y) != kFlatRoadPixel;
    EXPECT_EQ(wrong, 0) << "mode " << mode;
  }
}

TEST_F(RenderFrameTest, SameRenderTwiceGivesTheSameImage) {
  small_startup(160, 120);
  render_settings.light_roughness = 100;  // the lighting noise must not depend on anything before the frame
  ASSERT_EQ(render_frame(0, 1), 1);
  const std::vector<uint32_t> first = image_pixels();
  random_seed(12345);  // whatever state the streams are left in
  clear_frame_buffers();
  ASSERT_EQ(render_frame(0, 1), 1);
  EXPECT_TRUE(first == image_pixels());
}

TEST_F(RenderFrameTest, LookingBackEqualsTurnedHeadingWithBankAndPitchNegated) {
  small_startup(96, 72);
  camera_state.camera_bank = 10.0f;
  camera_state.camera_heading = 30.0f;
  camera_state.camera_pitch = 5.0f;
  lens_state.view_facing = 6;
  ASSERT_EQ(render_frame(0, 1), 1);
  const std::vector<uint32_t> back = image_pixels();
  EXPECT_EQ(camera_state.camera_bank, 10.0f);
  EXPECT_EQ(camera_state.camera_heading, 30.0f);
  EXPECT_EQ(camera_state.camera_pitch, 5.0f);

  clear_frame_buffers();
  lens_state.view_facing = 5;
  camera_state.camera_bank = -10.0f;
  camera_state.camera_heading = 210.0f;
  camera_state.camera_pitch = -5.0f;
  ASSERT_EQ(render_frame(0, 1), 1);
  EXPECT_TRUE(back == image_pixels());
}

TEST_F(RenderFrameTest, StereoEyeEqualsMovedCameraPlusImageShift) {
  small_startup(160, 120);
  ASSERT_EQ(camera_state.camera_heading, 0.0f);  // the default view looks along +y: the right eye sits at +x
  ASSERT_EQ(camera_state.camera_bank, 0.0f);
  const float x = camera_state.camera_x, y = camera_state.camera_y, z = camera_state.camera_z;
  lens_state.stereo_camera = 3;
  lens_state.stereo_separation = 10.0f;
  lens_state.stereo_image_shift = 32;
  ASSERT_EQ(render_frame(0, 1), 1);
  const std::vector<uint32_t> eye = image_pixels();
  EXPECT_EQ(std::memcmp(&camera_state.camera_x, &x, sizeof x), 0);  // put back exactly
  EXPECT_EQ(camera_state.camera_y, y);
  EXPECT_EQ(camera_state.camera_z, z);

  clear_frame_buffers();
  lens_state.stereo_camera = 1;
  camera_state.camera_x = x + 10.0f;
  ASSERT_EQ(render_frame(0, 1), 1);
  const std::vector<uint32_t> moved = image_pixels();
  int32_t wrong = 0;
  for (int32_t row = 0; row < 120; ++row)
    for (int32_t col = 0; col < 160; ++col) {
      const uint32_t expected = (col >= 32 && col + 32 < 160) ? moved[row * 160 + col - 32] : 0u;
      wrong += eye[row * 160 + col] != expected;
    }
  EXPECT_EQ(wrong, 0);
}

TEST_F(RenderFrameTest, StoppedFrameRestoresSizesAndAdvancesNothing) {
  small_startup(64, 48);
  render_settings.antialias_mode = 1;
  sun_moon_state.sun_rotation_speed_x = 1.5f;
  sun_moon_state.moon_rotation_speed_z = 2.0f;
  const float sun0 = sun_moon_state.sun_rotation_x, moon0 = sun_moon_state.moon_rotation_z, wave0 = wave_settings.wave_phase_radians;

  // Stopped in the sky, and stopped in the middle of the walk.
  static int32_t cells_seen;
  cells_seen = 0;
  walk_cell_observer = [](int32_t, int32_t, int32_t) {
    if (++cells_seen == 50) user_abort = 1;
  };
  for (bool in_sky : {true, false}) {
    if (in_sky) user_abort = 1;
    cells_seen = 0;
    EXPECT_EQ(render_frame(0, 1), -1) << in_sky;
    EXPECT_EQ(image_width, 64);
    EXPECT_EQ(image_height, 48);
    EXPECT_EQ(proj_width, 64);
    EXPECT_EQ(sun_moon_state.sun_rotation_x, sun0);
    EXPECT_EQ(sun_moon_state.moon_rotation_z, moon0);
    EXPECT_EQ(wave_settings.wave_phase_radians, wave0);
    EXPECT_EQ(cells_seen, in_sky ? 0 : 50);
  }
  walk_cell_observer = nullptr;
  user_abort = 0;

  // A completed frame advances sun, moon and waves by one step each.
  EXPECT_EQ(render_frame(0, 1), 1);
  EXPECT_EQ(sun_moon_state.sun_rotation_x, sun0 + 1.5f);
  EXPECT_EQ(sun_moon_state.moon_rotation_z, moon0 + 2.0f);
  EXPECT_EQ(wave_settings.wave_phase_radians, wave0 + wave_settings.wave_phase_step);
}

TEST_F(RenderFrameTest, EveryCameraFieldComesBackAfterAFinishedOrStoppedFrame) {
  small_startup(64, 48);
  static int32_t cells_seen;
  walk_cell_observer = [](int32_t, int32_t, int32_t) {
    if (++cells_seen == 50) user_abort = 1;
  };
  // Turned view directions with both stereo eyes, each finished, stopped in the sky and stopped mid-walk.
  for (int32_t facing : {5, 6, 7, 8}) {
    for (int32_t eye : {0, 2, 3}) {
      for (int32_t stop : {0, 1, 2}) {
        lens_state.view_facing = facing;
        lens_state.stereo_camera = eye;
        camera_state.camera_x += 3.25f;
        camera_state.camera_bank = 7.5f;
        camera_state.camera_pitch = -12.0f;
        const CameraState before = camera_state;
        cells_seen = 0;
        user_abort = stop == 1 ? 1 : 0;
        if (stop != 2) cells_seen = -1000000;
        const int32_t result = render_frame(0, 1);
        EXPECT_EQ(result, stop == 0 ? 1 : -1) << facing << " " << eye << " " << stop;
        EXPECT_EQ(std::memcmp(&before, &camera_state, sizeof before), 0) << facing << " " << eye << " " << stop;
        user_abort = 0;
      }
    }
  }
  walk_cell_observer = nullptr;
}

TEST_F(RenderFrameTest, ViewDirectionsTurnAndComeBack) {
  struct Case {
    int32_t facing;
    float bank, heading, pitch;
  } cases[] = {
      {5, 10, 30, 5}, {6, -10, 210, -5}, {7, -5, 120, 10}, {8, 5, -60, -10}, {9, 10, 30, 5},
  };
  for (const Case& c : cases) {
    camera_state.camera_bank = 10.0f;
    camera_state.camera_heading = 30.0f;
    camera_state.camera_pitch = 5.0f;
    lens_state.view_facing = c.facing;
    apply_view_direction();
    EXPECT_EQ(camera_state.camera_bank, c.bank) << c.facing;
    EXPECT_EQ(camera_state.camera_heading, c.heading) << c.facing;
    EXPECT_EQ(camera_state.camera_pitch, c.pitch) << c.facing;
    restore_view_direction();
    EXPECT_EQ(camera_state.camera_bank, 10.0f);
    EXPECT_EQ(camera_state.camera_heading, 30.0f);
    EXPECT_EQ(camera_state.camera_pitch, 5.0f);
  }
}

TEST_F(RenderFrameTest, StereoEyeOffsets) {
  lens_state.stereo_separation = 10.0f;
  struct Case {
    int32_t eye;
    float bank, heading;
    float dx, dy, dz;
  } cases[] = {
      {2, 0, 90, 0, -10, 0}, {2, 30, 90, 0, -8.660254f, 5}, {3, 0, 0, 10, 0, 0}, {3, 0, 90, 0, 10, 0},
      {1, 0, 90, 0, 0, 0},
  };
  for (const Case& c : cases) {
    lens_state.stereo_camera = c.eye;
    camera_state.camera_bank = c.bank;
    camera_state.camera_heading = c.heading;
    float dx, dy, dz;
    stereo_eye_offset(&dx, &dy, &dz);
    EXPECT_NEAR(dx, c.dx, 1e-4) << c.eye << " " << c.bank << " " << c.heading;
    EXPECT_NEAR(dy, c.dy, 1e-4);
    EXPECT_NEAR(dz, c.dz, 1e-4);
  }
}

TEST_F(RenderFrameTest, StereoShiftMovesRowsAndBlanksBothEdges) {
  image(100, 16);
  for (int32_t shift : {32, -32, 50, 0}) {
    for (int32_t y = 0; y < 16; ++y)
      for (int32_t x = 0; x < 100; ++x) vidmem24_row(y)[x] = 0x01000000u | static_cast<uint32_t>(x + 1);
    EXPECT_EQ(stereo_shift_image(shift), 1);
    for (int32_t x = 0; x < 100; ++x) {
      const bool inside = x - shift >= 0 && x - shift < 100 && x + shift >= 0 && x + shift < 100;
      const uint32_t expected = inside ? 0x01000000u | static_cast<uint32_t>(x - shift + 1) : 0u;
      ASSERT_EQ(px(x, 15), expected) << shift << " " << x;
    }
  }
}

TEST_F(RenderFrameTest, CaptionsAndGridLineProjection) {
  char caption[128];
  format_frame_caption(0, 1, caption);
  EXPECT_STREQ(caption, "Render");
  format_frame_caption(4, 10, caption);
  EXPECT_STREQ(caption, "Frame 5 of 10");

  // At step 4 every fourth entry is written, up to land_width itself; the others stay untouched.
  render_settings.grid_step = 4;
  set_view_matrix(0, 0, 0);
  static float buffer[kLineBufferEntries * 4];
  for (float& f : buffer) f = -7.0f;
  elevation_row(3)[8] = 55;
  project_grid_row(3, buffer);
  for (int32_t c = 0; c <= 258; ++c) {
    const bool written = c % 4 == 0 && c <= land_width;
    EXPECT_EQ(buffer[4 * c + 3] != -7.0f, written) << c;
  }
  EXPECT_EQ(buffer[4 * 8 + 3], 55.0f);
  float x, y, z;
  world_to_view(8 * 30.0f, 3 * 30.0f, 55.0f, &x, &y, &z);
  EXPECT_EQ(buffer[4 * 8 + 0], x);
  EXPECT_EQ(buffer[4 * 8 + 2], z);
}

}  // namespace
