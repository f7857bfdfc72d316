// The camera's view matrix and the transforms from world space into view space (and back), plus the object rotation.
#pragma once

#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/raster/polygon.h"

// Rotation of the camera, M0..M8; written only by set_view_matrix (and view_to_world_direction).
extern double view_matrix[9];
// Rotation of the sun and moon spheres about their own centres, O0..O8; written only by set_object_matrix.
extern double object_matrix[9];

// Builds view_matrix from bank, heading and pitch in degrees.
void set_view_matrix(float bank, float heading, float pitch);

// World point to view space: x right, y down, z forward divided by the lens scale. Reads the camera position.
// Inline: every terrain corner and polygon vertex goes through it; the difference is taken in east, down, north
// order.
inline void world_to_view(float x, float y, float z, float* out_x, float* out_y, float* out_z) {
  const double* m = view_matrix;
  const float d0 = x - camera_state.camera_x;
  const float d1 = camera_state.camera_z - z;
  const float d2 = y - camera_state.camera_y;
  *out_x = static_cast<float>(d0 * m[0] + d1 * m[3] + d2 * m[6]);
  *out_y = static_cast<float>(d0 * m[1] + d1 * m[4] + d2 * m[7]);
  *out_z = static_cast<float>((d0 * m[2] + d1 * m[5] + d2 * m[8]) * lens_state.lens_scale_inv);
}
// The same transform in place on a point of three floats (x, y, z).
void world_to_view_point(float* point);
// The same transform in place on vertex positions 0 to count - 1 of a record.
void world_to_view_polygon(PolygonRecord* polygon);

// Turns a world direction into view axes: no camera position, no lens scale.
void rotate_by_view(float x, float y, float z, float* out_x, float* out_y, float* out_z);

// Turns a view-space vector (not divided by the lens scale) into the world point seen along it from the camera, for
// a camera of bank 0 with the given heading and pitch. Bank is accepted and not used. Leaves view_matrix as the
// identity; callers set the camera's matrix again afterwards.
void view_to_world_direction(float bank, float heading, float pitch, float* x, float* y, float* z);

// Builds object_matrix = Rx(a) * Ry(b) * Rz(c) from three angles in degrees.
void set_object_matrix(float a, float b, float c);
// Rotates (x, y, z) in place by object_matrix.
void rotate_by_object(float* x, float* y, float* z);
