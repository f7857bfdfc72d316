// The camera's view matrix, world-to-view transforms, the view-to-world inverse and the object rotation.
#include "engine/raster/view_transform.h"

#include <cmath>

#include "engine/landscape/camera.h"
#include "engine/core/maths.h"
#include "engine/core/settings.h"

double view_matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
double object_matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

namespace {

float sin_f(float degrees) { return static_cast<float>(std::sin(degrees / kDegreesPerRadian)); }
float cos_f(float degrees) { return static_cast<float>(std::cos(degrees / kDegreesPerRadian)); }

}  // namespace

void set_view_matrix(float bank, float heading, float pitch) {
  const float sp = sin_f(pitch), cp = cos_f(pitch);
  const float sb = sin_f(bank), cb = cos_f(bank);
  const float sh = sin_f(-heading), ch = cos_f(-heading);
  view_matrix[0] = sh * sp * sb + cb * ch;
  view_matrix[1] = sh * sp * cb - ch * sb;
  view_matrix[2] = sh * cp;
  view_matrix[3] = cp * sb;
  view_matrix[4] = cp * cb;
  view_matrix[5] = -sp;
  view_matrix[6] = ch * sp * sb - sh * cb;
  view_matrix[7] = ch * sp * cb + sh * sb;
  view_matrix[8] = cp * ch;
}

void world_to_view_point(float* point) { world_to_view(point[0], point[1], point[2], &point[0], &point[1], &point[2]); }

void world_to_view_polygon(PolygonRecord* polygon) {
  int32_t n = polygon->count;
  if (n > kPolygonCapacity) n = kPolygonCapacity;
  for (int32_t i = 0; i < n; ++i) {
    PolygonVertex& v = polygon->vertices[i];
    world_to_view(v.x, v.y, v.z, &v.x, &v.y, &v.z);
  }
}

void rotate_by_view(float x, float y, float z, float* out_x, float* out_y, float* out_z) {
  const double* m = view_matrix;
  const float u0 = x, u1 = -z, u2 = y;
  *out_x = static_cast<float>(u0 * m[0] + u1 * m[3] + u2 * m[6]);
  *out_y = static_cast<float>(u0 * m[1] + u1 * m[4] + u2 * m[7]);
  *out_z = static_cast<float>(u0 * m[2] + u1 * m[5] + u2 * m[8]);
}

void view_to_world_direction(float /*bank*/, float heading, float pitch, float* x, float* y, float* z) {
  // The view matrix is orthonormal, so its transpose undoes the rotation: the (east, down, north) difference is
  // M * v; it is turned back into (east, north, up) and added to the camera position.
  set_view_matrix(0.0f, heading, pitch);
  const double* m = view_matrix;
  const double v0 = *x, v1 = *y, v2 = *z;
  const double east = m[0] * v0 + m[1] * v1 + m[2] * v2;
  const double down = m[3] * v0 + m[4] * v1 + m[5] * v2;
  const double north = m[6] * v0 + m[7] * v1 + m[8] * v2;
  *x = static_cast<float>(east) + camera_state.camera_x;
  *y = static_cast<float>(north) + camera_state.camera_y;
  *z = camera_state.camera_z - static_cast<float>(down);
  set_view_matrix(0.0f, 0.0f, 0.0f);
}

void set_object_matrix(float a, float b, float c) {
  const double ra = a / kDegreesPerRadian, rb = b / kDegreesPerRadian, rc = c / kDegreesPerRadian;
  const double sa = std::sin(ra), ca = std::cos(ra);
  const double sb = std::sin(rb), cb = std::cos(rb);
  const double sc = std::sin(rc), cc = std::cos(rc);
  object_matrix[0] = cc * cb;
  object_matrix[1] = sc * ca + cc * sb * sa;
  object_matrix[2] = sc * sa - cc * sb * ca;
  object_matrix[3] = -sc * cb;
  object_matrix[4] = cc * ca - sc * sb * sa;
  object_matrix[5] = cc * sa + sc * sb * ca;
  object_matrix[6] = sb;
  object_matrix[7] = -cb * sa;
  object_matrix[8] = cb * ca;
}

void rotate_by_object(float* x, float* y, float* z) {
  const double* o = object_matrix;
  const double vx = *x, vy = *y, vz = *z;
  *x = static_cast<float>(vx * o[0] + vy * o[3] + vz * o[6]);
  *y = static_cast<float>(vx * o[1] + vy * o[4] + vz * o[7]);
  *z = static_cast<float>(vx * o[2] + vy * o[5] + vz * o[8]);
}
