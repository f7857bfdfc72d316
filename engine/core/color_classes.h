// Colour classification: altitude band classes, cliff classes by slope or strata, and the image draped as ground colours.
#pragma once

#include <cstdint>

struct Vec3f;

// Colour classes: the index of a sample's, polygon's or pixel's entry in color_table, class_attributes
// and texture_slots. Ranges are named by their first (and where tested, last) member.
enum ColorClass : uint8_t {
  kClassSkyHaze = 25,       // haze towards the sky (not a ground class)
  kClassHaze = 26,          // haze (not a ground class)
  kClassHorizon = 32,       // the horizon
  kClassSky = 33,           // the sky
  kClassLeaves1 = 34,       // leaves of palm, oak, cactus, pine: 34 to 37
  kClassBare1 = 38,         // between tree line and snow line: 38 to 41
  kClassSnow1 = 42,         // above the snow line: 42 to 45
  kClassCliff1 = 46,        // by slope: 46 to 49
  kClassBeach = 50,         // placed by hand
  kClassWater1 = 51,        // water: 51 to 55
  kClassWater5 = 55,
  kClassTree1 = 56,         // ground below the tree line: 56 to 59
  kClassBark1 = 64,         // bark of palm, oak, cactus, pine: 64 to 67
  kClassHouse1 = 68,        // house walls: 68 to 71
  kClassHouseGround1 = 72,  // ground under houses: 72 to 75
  kClassClouds = 76,        // the cloud layer
  kClassSun = 77,           // sun colour and sun light
  kClassAmbient = 78,       // ambient light
  kClassMoon = 79,          // the moon
  kClassRoad1 = 88,         // roads placed by hand: 88 to 91
  kClassRoad4 = 91,
  kClassImage1 = 128,       // colours of an image draped over the landscape: 128 to 255
};

// The classification reads its cliff, strata and roughness settings from TerrainSettings (core/settings.h).

// A cliff class 46..49 per strata layer.
extern uint8_t strata_bands[256];
// Per colour class: the elevation of the middle of the class's quarter band, or -32768.
extern int16_t class_band_elevation[256];

// Restores the classification settings to their start values.
void reset_color_class_settings();

int32_t color_landscape();
int32_t color_cliffs();
void set_cliff_angle(int32_t angle);
void cliffs_on();
void cliffs_off();
void roughness_on();
void roughness_off();
void build_strata_bands();
void compute_altitude_quartiles();
int16_t class_mean_elevation(int32_t color_class);
int32_t tree_class(int32_t elevation);
int32_t bare_class(int32_t elevation);
int32_t snow_class(int32_t elevation);
int32_t cliff_class_by_angle(int32_t slope);
int32_t strata_class(float x, float y, float z, int32_t warp);
int32_t cell_roughness(int32_t col, int32_t row, int32_t radius);
int32_t cell_jitter(int32_t col, int32_t row);
// cell_jitter of a sample whose random_at2 hash is already known.
int32_t cell_jitter_from_hash(int32_t hash);
int32_t face_slope_angle(const Vec3f& a, const Vec3f& b, Vec3f* normal);
void image_to_colormap();
void rebuild_rgb_image();
