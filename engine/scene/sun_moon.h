// The sun and the moon: textured spheres drawn behind the landscape, their sizes, their per-frame rotation step
// and the non-interactive halves of the two placement commands.
#pragma once

#include <cstdint>

#include "engine/raster/polygon.h"

// Draw the sun and the moon; both return 1 (callers ignore it).
int32_t draw_sun();
int32_t draw_moon();
// After every completed frame: each sun and moon rotation angle grows by its speed.
void advance_sun_moon();

// One facet of a sphere handed to emit_sky_sphere_polygon: view-space corners, texture coordinates, light 0..255.
struct SkySphereFacet {
  int32_t count;  // 4
  float x[4], y[4], z[4];
  float u[4], v[4];
  int32_t light[4];
  const uint32_t* texels;
  int32_t width, height;
};

// Latitude steps per hemisphere for a sphere of this radius whose centre lies `distance` from the camera:
// trunc(sqrt(proj_width * radius * lens_scale / distance)) within 4..18.
int32_t sky_sphere_bands(double radius, double distance);
// Draws a textured sphere of the given centre and radius (world metres) turned by three angles in degrees; lit 0
// draws it at full light, 1 lights it from the sun's light vector. slot is the colour class (77 or 79).
void draw_sky_sphere(double cx, double cy, double cz, float rx, float ry, float rz, double radius, int32_t lit,
                     int32_t slot, const uint32_t* texels, int32_t width, int32_t height);
// Light 0..255 of a sphere point with outward vector n: trunc(255.9 * sqrt(light . n / |n|)), 0 when facing away.
int32_t sphere_light(double nx, double ny, double nz);
// Builds the polygon record of one facet and draws it, culling back faces when cull is set.
void emit_sky_sphere_polygon(const SkySphereFacet& facet, int32_t cull, int32_t slot);

// Sizes 0..99 times the true size (0: not drawn); other values are ignored.
void set_sun_size(int32_t v);
void set_moon_size(int32_t v);

// The placement commands without their direction picker: the unit vector the picker starts from (the position
// divided by its distance setting, 0 when that distance is 0), and the position the chosen unit vector gives.
constexpr const char* kSunPositionTitle = "        Set sun position:       ";
constexpr const char* kMoonPositionTitle = "       Set moon position:       ";
constexpr int32_t kSunPositionMode = 10;
constexpr int32_t kMoonPositionMode = 9;
void sun_position_dialog_vector(float out[3]);
void moon_position_dialog_vector(float out[3]);
void sun_position_dialog_accept(const float unit[3]);
void moon_position_dialog_accept(const float unit[3]);
