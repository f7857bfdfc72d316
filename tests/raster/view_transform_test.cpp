// Tests of the view matrix, the world-to-view transforms, the view-to-world inverse and the object rotation.
#include <gtest/gtest.h>

#include "engine/landscape/camera.h"
#include "engine/core/settings.h"
#include "engine/raster/view_transform.h"
#include "tests/support/engine_test.h"

namespace {

class ViewTransformTest : public EngineTest {
 protected:
  void SetUp() override {
    camera_state.camera_x = 1000.0f;
    camera_state.camera_y = 2000.0f;
    camera_state.camera_z = 300.0f;
    lens_state.lens_scale_inv = 1.0f;
  }
  void TearDown() override {
    reset_camera_state();
    reset_settings_defaults();
    set_view_matrix(0, 0, 0);
  }
  static void view_of(float x, float y, float z, float out[3]) { world_to_view(x, y, z, &out[0], &out[1], &out[2]); }
};

TEST_F(ViewTransformTest, ZeroAnglesGiveIdentityAndLensScaleDividesDepth) {
  set_view_matrix(0, 0, 0);
  const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(view_matrix[i], identity[i]) << i;
  lens_state.lens_scale_inv = 0.5f;
  float v[3];
  view_of(camera_state.camera_x + 10, camera_state.camera_y + 100, camera_state.camera_z - 5, v);
  EXPECT_FLOAT_EQ(v[0], 10.0f);
  EXPECT_FLOAT_EQ(v[1], 5.0f);
  EXPECT_FLOAT_EQ(v[2], 50.0f);
}

TEST_F(ViewTransformTest, AnglesTurnTheLineOfSight) {
  lens_state.lens_scale_inv = 0.5f;
  float v[3];
  // Heading 90 looks along -x.
  set_view_matrix(0, 90, 0);
  view_of(camera_state.camera_x - 100, camera_state.camera_y, camera_state.camera_z, v);
  EXPECT_NEAR(v[0], 0.0f, 1e-3);
  EXPECT_NEAR(v[1], 0.0f, 1e-3);
  EXPECT_NEAR(v[2], 50.0f, 1e-3);
  // Pitch 30 looks up: a point 100 m along the tilted line of sight lies at the centre.
  set_view_matrix(0, 0, 30);
  view_of(camera_state.camera_x, camera_state.camera_y + 86.6f, camera_state.camera_z + 50, v);
  EXPECT_NEAR(v[0], 0.0f, 1e-3);
  EXPECT_NEAR(v[1], 0.0f, 0.01);
  EXPECT_NEAR(v[2], 50.0f, 0.01);
  // A level point ahead is then seen below the centre (y grows downwards).
  view_of(camera_state.camera_x, camera_state.camera_y + 100, camera_state.camera_z, v);
  EXPECT_GT(v[1], 0.0f);
  // With a positive bank a point to the right of the line of sight is seen above the centre.
  set_view_matrix(30, 0, 0);
  view_of(camera_state.camera_x + 100, camera_state.camera_y + 1000, camera_state.camera_z, v);
  EXPECT_LT(v[1], 0.0f);
  EXPECT_GT(v[0], 0.0f);
}

TEST_F(ViewTransformTest, PointAndPolygonFormsMatchTheScalarTransform) {
  set_view_matrix(12.5f, -37.0f, 8.0f);
  lens_state.lens_scale_inv = 0.625f;
  const float p[3] = {1234.5f, 1876.25f, 410.0f};
  float expect[3];
  view_of(p[0], p[1], p[2], expect);
  float q[3] = {p[0], p[1], p[2]};
  world_to_view_point(q);
  PolygonRecord poly{};
  poly.count = 2;
  poly.vertices[0].x = p[0];
  poly.vertices[0].y = p[1];
  poly.vertices[0].z = p[2];
  poly.vertices[1] = poly.vertices[0];
  poly.vertices[2] = poly.vertices[0];  // beyond count: left alone
  world_to_view_polygon(&poly);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(q[i], expect[i]);
  EXPECT_EQ(poly.vertices[0].x, expect[0]);
  EXPECT_EQ(poly.vertices[1].z, expect[2]);
  EXPECT_EQ(poly.vertices[2].x, p[0]);
}

TEST_F(ViewTransformTest, RotateByViewIgnoresCameraAndLens) {
  lens_state.lens_scale_inv = 0.25f;
  set_view_matrix(0, 90, 0);
  float x, y, z;
  rotate_by_view(-1, 0, 0, &x, &y, &z);
  EXPECT_NEAR(x, 0.0f, 1e-6);
  EXPECT_NEAR(y, 0.0f, 1e-6);
  EXPECT_NEAR(z, 1.0f, 1e-6);
  rotate_by_view(0, 0, 1, &x, &y, &z);  // up is view -y
  EXPECT_NEAR(y, -1.0f, 1e-6);
}

TEST_F(ViewTransformTest, ViewToWorldExamplesAndLeavesIdentity) {
  float x = 0, y = 0, z = 1;
  view_to_world_direction(0, 0, 0, &x, &y, &z);
  EXPECT_FLOAT_EQ(x, camera_state.camera_x);
  EXPECT_FLOAT_EQ(y, camera_state.camera_y + 1);
  EXPECT_FLOAT_EQ(z, camera_state.camera_z);
  x = 0, y = 0, z = 1;
  view_to_world_direction(5, 0, 30, &x, &y, &z);
  EXPECT_NEAR(x, camera_state.camera_x, 1e-3);
  EXPECT_NEAR(y, camera_state.camera_y + 0.866f, 1e-3);
  EXPECT_NEAR(z, camera_state.camera_z + 0.5f, 1e-3);
  const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(view_matrix[i], identity[i]) << i;
}

TEST_F(ViewTransformTest, ViewToWorldInvertsWorldToView) {
  struct Case {
    float heading, pitch, vx, vy, vz;
  };
  const Case cases[] = {{90, 0, 0, 0, 1}, {-135, 20, 0.3f, -0.2f, 1}, {40, -60, -2, 3, 5}, {179, 89, 1, 1, 1}};
  for (const Case& c : cases) {
    float x = c.vx, y = c.vy, z = c.vz;
    view_to_world_direction(0, c.heading, c.pitch, &x, &y, &z);
    set_view_matrix(0, c.heading, c.pitch);
    float v[3];
    view_of(x, y, z, v);
    EXPECT_NEAR(v[0], c.vx, 1e-3) << c.heading;
    EXPECT_NEAR(v[1], c.vy, 1e-3) << c.heading;
    EXPECT_NEAR(v[2], c.vz, 1e-3) << c.heading;
  }
}

TEST_F(ViewTransformTest, ObjectRotationOrder) {
  float x = 1, y = 0, z = 0;
  set_object_matrix(0, 0, 90);
  rotate_by_object(&x, &y, &z);
  EXPECT_NEAR(x, 0.0f, 1e-6);
  EXPECT_NEAR(y, 1.0f, 1e-6);
  EXPECT_NEAR(z, 0.0f, 1e-6);
  x = 0, y = 1, z = 0;
  set_object_matrix(90, 0, 0);
  rotate_by_object(&x, &y, &z);
  EXPECT_NEAR(x, 0.0f, 1e-6);
  EXPECT_NEAR(y, 0.0f, 1e-6);
  EXPECT_NEAR(z, 1.0f, 1e-6);
  // Turned about z first, then about x: (1, 0, 0) -> (0, 1, 0) -> (0, 0, 1).
  x = 1, y = 0, z = 0;
  set_object_matrix(90, 0, 90);
  rotate_by_object(&x, &y, &z);
  EXPECT_NEAR(z, 1.0f, 1e-6);
}

}  // namespace
