// The cloud layer pass: curved altitude, culling that agrees with the drawn cloud, strips, switches and stops.
#include <cmath>
#include "engine/files/targa.h"
#include <cstring>

#include "engine/core/float_convert.h"
#include "engine/raster/view_transform.h"
#include "tests/scene/sky_scene_fixture.h"

namespace {

class CloudLayerTest : public SkySceneTest {
 protected:
  void SetUp() override {
    SkySceneTest::SetUp();
    init_clouds();
  }
};

TEST_F(CloudLayerTest, CurvedAltitudeExamples) {
  camera_state.camera_x = camera_state.camera_y = 0.0f;
  struct Case {
    int32_t altitude, base;
    float spacing, x, y;
    int32_t expected;
  };
  const Case cases[] = {
      {4000, 0, 30.0f, 0.0f, 0.0f, 4000},  // at the camera
      {4000, 0, 30.0f, 20000.0f, 0.0f, 3666},
      {4000, 0, 30.0f, 0.0f, -60000.0f, 992},
      {4000, 1000, 60.0f, 36000.0f, 48000.0f, 3437},  // 60,000 m away
      {1000, 1000, 30.0f, 50000.0f, 0.0f, 1000},      // a layer at the base level stays flat
  };
  for (const Case& c : cases) {
    landscape_view.base_level = c.base;
    grid_spacing_x = c.spacing;
    EXPECT_EQ(cloud_curved_altitude(c.altitude, c.x, c.y), c.expected) << c.x << " " << c.y;
  }
}

TEST_F(CloudLayerTest, CurvedAltitudeBeyondTheSphereStaysFinite) {
  camera_state.camera_x = camera_state.camera_y = 0.0f;
  landscape_view.base_level = 0;
  grid_spacing_x = 30.0f;
  const int32_t at_radius = cloud_curved_altitude(4000, 600000.0f, 0.0f);
  EXPECT_EQ(at_radius, 4000 - 600000);
  // Farther out the drop stays at its largest instead of taking the root of a negative number.
  EXPECT_EQ(cloud_curved_altitude(4000, 900000.0f, 0.0f), at_radius);
  EXPECT_EQ(cloud_curved_altitude(4000, 1e30f, 0.0f), at_radius);
  // No usable spacing, a damaged altitude: still a whole number, never a wrapped one.
  grid_spacing_x = 0.0f;
  EXPECT_EQ(cloud_curved_altitude(4000, 0.0f, 0.0f), at_radius);
  grid_spacing_x = 30.0f;
  EXPECT_EQ(cloud_curved_altitude(2000000000, 1e9f, 0.0f), std::numeric_limits<int32_t>::min());
}

TEST_F(CloudLayerTest, CellsBehindTheCameraAreCulledStraddlingOnesAreNot) {
  render_settings.grid_step = 1;
  // Looking along +y from the middle: the rows at the camera's far side are behind it.
  look(0.0f, 30.0f);
  static float behind0[3 * 256], behind1[3 * 256], ahead0[3 * 256], ahead1[3 * 256];
  project_cloud_row(10, behind0, 4000);
  project_cloud_row(11, behind1, 4000);
  EXPECT_EQ(cloud_cell_culled(behind0, behind1, 120), 1);
  // The row through the camera's position and the one after: a cell above the camera straddles the view's
  // lower edge and is drawn (the pipeline clips it).
  const int32_t row = 120 + static_cast<int32_t>(camera_state.camera_y / (16 * 30.0f));
  const int32_t col = 120 + static_cast<int32_t>(camera_state.camera_x / (16 * 30.0f));
  project_cloud_row(row, ahead0, 4000);
  project_cloud_row(row + 2, ahead1, 4000);
  EXPECT_EQ(cloud_cell_culled(ahead0, ahead1, col), 0);
}

TEST_F(CloudLayerTest, CullingFollowsTheCurvedCloudThatIsDrawn) {
  // A narrow view just above the horizon towards the far rows. At the flat altitude those cells would lie well
  // above the top of the view; bent down with distance they lie inside it, and they must not be culled.
  render_settings.grid_step = 1;
  landscape_view.base_level = 0;
  camera_state.camera_x = 0.0f;
  camera_state.camera_y = 0.0f;
  camera_state.camera_z = 0.0f;
  const float saved_lens = lens_state.lens_scale, saved_inv = lens_state.lens_scale_inv;
  lens_state.lens_scale = 100.0f;  // half-angle of about 0.57 degrees
  lens_state.lens_scale_inv = 0.01f;
  set_view_matrix(0.0f, 0.0f, 0.6f);
  static float a[3 * 256], b[3 * 256];
  project_cloud_row(250, a, 4000);
  project_cloud_row(251, b, 4000);
  EXPECT_EQ(cloud_cell_culled(a, b, 120), 0);
  // The same cell at the flat altitude is beyond the upper edge.
  float flat[4][3];
  const float xs[2] = {0.0f, 16 * 30.0f}, ys[2] = {130 * 16 * 30.0f, 131 * 16 * 30.0f};
  int32_t above = 0;
  for (int32_t i = 0; i < 4; ++i) {
    world_to_view(xs[i % 2], ys[i / 2], 4000.0f, &flat[i][0], &flat[i][1], &flat[i][2]);
    above += flat[i][1] <= -flat[i][2];
  }
  EXPECT_EQ(above, 4);
  // The projected row holds exactly the corners the cell is drawn with.
  float x, y, z;
  world_to_view(0.0f, ys[0], static_cast<float>(cloud_curved_altitude(4000, 0.0f, ys[0])), &x, &y, &z);
  EXPECT_EQ(a[3 * 120], x);
  EXPECT_EQ(a[3 * 120 + 1], y);
  EXPECT_EQ(a[3 * 120 + 2], z);
  lens_state.lens_scale = saved_lens;
  lens_state.lens_scale_inv = saved_inv;
}

TEST_F(CloudLayerTest, SwitchedOffDrawsNothingAndKeepsTheRamp) {
  clouds_enabled = 0;
  std::memset(cloud_ramp, 0, sizeof cloud_ramp);
  EXPECT_EQ(render_clouds(), 1);
  EXPECT_EQ(polygon_count, 0);
  EXPECT_EQ(cloud_strips_drawn, 0);
  EXPECT_EQ(cloud_ramp[255], 0u);
}

TEST_F(CloudLayerTest, StripCountFollowsTheGridStep) {
  clouds_enabled = 1;
  look(0.0f, 20.0f);
  struct Case {
    int32_t step, strips;
  };
  for (const Case& c : {Case{8, 31}, Case{4, 63}, Case{1, 255}}) {
    render_settings.grid_step = c.step;
    EXPECT_EQ(render_clouds(), 1);
    EXPECT_EQ(cloud_strips_drawn, c.strips) << c.step;
  }
  EXPECT_EQ(cloud_ramp[255] >> 24, 255u);  // rebuilt by the pass
}

TEST_F(CloudLayerTest, CloudsAboveTheCameraCoverPartOfTheSky) {
  clouds_enabled = 1;
  render_settings.grid_step = 4;
  look(0.0f, 12.0f);
  ASSERT_EQ(render_sky(), 1);
  const auto sky = image_pixels();
  ASSERT_EQ(render_clouds(), 1);
  EXPECT_GT(polygon_count, 0);
  const auto after = image_pixels();
  int32_t changed = 0;
  for (size_t i = 0; i < sky.size(); ++i) changed += sky[i] != after[i];
  EXPECT_GT(changed, 64 * 48 / 5);
  // Dense cloud takes the pixel's slot over; the start-up density leaves gaps of open sky.
  EXPECT_GT(slot_count(76), 0);
  EXPECT_GT(slot_count(33), 64 * 48 / 5);
  targa_save_frame((artifact_dir() / "clouds_above.tga").string().c_str());
}

TEST_F(CloudLayerTest, FractalDetailSplitsNearCells) {
  clouds_enabled = 1;
  render_settings.grid_step = 8;
  look(0.0f, 40.0f);
  fractal_clouds_off();
  ASSERT_EQ(render_clouds(), 1);
  const int32_t flat = polygon_count;
  polygon_count = 0;
  fractal_clouds_on();
  ASSERT_EQ(render_clouds(), 1);
  EXPECT_GT(polygon_count, flat);
}

TEST_F(CloudLayerTest, StopEndsThePass) {
  clouds_enabled = 1;
  user_abort = 1;
  EXPECT_EQ(render_clouds(), -1);
  EXPECT_EQ(cloud_strips_drawn, 0);
  EXPECT_EQ(polygon_count, 0);
}

TEST_F(CloudLayerTest, JitterAndRange) {
  EXPECT_EQ(range_of4(3.0f, -2.0f, 7.5f, 1.0f), 9.5f);
  for (int32_t seed : {0, 1, -5, 123456789, std::numeric_limits<int32_t>::min()}) {
    const float j = cloud_jitter(seed, -40.0f);
    EXPECT_LE(std::fabs(j), 0.5f * 40.01f) << seed;
    EXPECT_EQ(j, cloud_jitter(seed, 40.0f)) << seed;  // the length counts by its size
  }
}

}  // namespace
