// Colour classification: altitude band classes, cliff classes by slope or strata, and the image draped as ground colours.
#pragma once

#include <cstdint>

struct Vec3f;

// Colour class codes used by the classification.
constexpr uint8_t kClassSkyHaze = 25;
constexpr uint8_t kClassHaze = 26;
constexpr uint8_t kClassBare1 = 38;
constexpr uint8_t kClassSnow1 = 42;
constexpr uint8_t kClassCliff1 = 46;
constexpr uint8_t kClassBeach = 50;
constexpr uint8_t kClassWater1 = 51;
constexpr uint8_t kClassWater5 = 55;
constexpr uint8_t kClassTree1 = 56;
constexpr uint8_t kClassRoad1 = 88;
constexpr uint8_t kClassRoad4 = 91;

// TerrainSettings: the classification's part.
// The cliff, strata and roughness settings are fields of TerrainSettings (core/settings.h).

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
int32_t face_slope_angle(const Vec3f& a, const Vec3f& b, Vec3f* normal);
void image_to_colormap();
void rebuild_rgb_image();
