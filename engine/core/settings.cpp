// Start values of the engine's settings records, the colour table and the class attributes.
#include "engine/core/settings.h"

#include <cstring>

#include "engine/core/grid.h"

LensState lens_state;
LandscapeView landscape_view;
TerrainSettings terrain_settings;
RenderSettings render_settings;
LightState light_state;
SunMoonState sun_moon_state;
TreeSettings tree_settings;
AnimationState animation_state;
DerivedDataState derived_data;
StartupFiles startup_files;
ColorEntry color_table[256];
ClassAttributes class_attributes[256];

namespace {

void set_colors(int first, const uint8_t (*rgb)[3], int count) {
  for (int i = 0; i < count; ++i) color_table[first + i] = {0, rgb[i][0], rgb[i][1], rgb[i][2]};
}

void set_color_range(int first, int last, uint8_t r, uint8_t g, uint8_t b) {
  for (int i = first; i <= last; ++i) color_table[i] = {0, r, g, b};
}

void set_attr_range(int first, int last, uint8_t a0, uint8_t a1, uint8_t a2, uint8_t a3, uint8_t a4) {
  for (int i = first; i <= last; ++i) class_attributes[i] = {a0, a1, a2, a3, a4};
}

}  // namespace

void reset_color_table() {
  static const uint8_t c1[15][3] = {{176, 176, 176}, {32, 32, 32},  {160, 160, 144}, {160, 144, 112}, {128, 128, 96},
                                    {96, 112, 64},   {96, 80, 64},  {80, 80, 64},    {80, 112, 64},   {48, 64, 32},
                                    {48, 64, 16},    {0, 32, 0},    {96, 96, 144},   {96, 96, 112},   {16, 32, 48}};
  static const uint8_t c16[9][3] = {{0, 0, 0},     {247, 247, 247}, {34, 83, 0},    {0, 99, 0},    {49, 82, 33},
                                    {165, 115, 66}, {165, 165, 165}, {128, 128, 128}, {192, 192, 192}};
  static const uint8_t leaves[4][3] = {{32, 80, 16}, {48, 96, 32}, {64, 96, 48}, {88, 112, 64}};
  static const uint8_t bare[4][3] = {{80, 64, 32}, {112, 88, 64}, {144, 124, 96}, {160, 144, 112}};
  static const uint8_t cliff[4][3] = {{128, 96, 64}, {128, 112, 96}, {128, 96, 96}, {128, 128, 128}};
  static const uint8_t water[5][3] = {{16, 48, 80}, {24, 56, 88}, {64, 96, 112}, {128, 144, 152}, {192, 192, 192}};
  static const uint8_t ground[4][3] = {{48, 128, 16}, {80, 112, 16}, {56, 80, 32}, {80, 112, 64}};
  static const uint8_t placed[4][3] = {{48, 112, 16}, {144, 48, 16}, {56, 80, 32}, {80, 112, 64}};

  std::memset(color_table, 0, sizeof color_table);
  set_colors(1, c1, 15);
  set_colors(16, c16, 9);
  set_color_range(25, 26, 192, 192, 192);
  set_color_range(32, 32, 48, 112, 16);
  set_color_range(33, 33, 64, 128, 192);
  set_colors(34, leaves, 4);
  set_colors(38, bare, 4);
  set_color_range(42, 45, 192, 192, 192);
  set_colors(46, cliff, 4);
  set_color_range(50, 50, 176, 160, 128);
  set_colors(51, water, 5);
  set_colors(56, ground, 4);
  set_colors(60, placed, 4);
  set_color_range(64, 67, 80, 64, 48);
  set_color_range(68, 71, 128, 128, 128);
  set_color_range(72, 75, 48, 48, 48);
  set_color_range(76, 76, 192, 192, 192);
  set_color_range(77, 77, 255, 248, 240);
  set_color_range(78, 78, 240, 248, 255);
  set_color_range(79, 79, 128, 128, 128);
  set_color_range(80, 87, 48, 48, 48);
  set_color_range(88, 91, 160, 144, 112);
}

void reset_class_attributes() {
  set_attr_range(0, 32, 0, 0, 0, 0, 100);
  set_attr_range(33, 33, 100, 10, 0, 0, 100);
  set_attr_range(34, 37, 75, 10, 0, 0, 100);
  set_attr_range(38, 49, 50, 20, 0, 0, 100);
  set_attr_range(56, 63, 50, 20, 0, 0, 100);
  set_attr_range(50, 50, 100, 100, 0, 0, 100);
  set_attr_range(51, 52, 175, 100, 0, 0, 100);
  set_attr_range(53, 53, 75, 75, 0, 0, 100);
  set_attr_range(54, 54, 0, 0, 80, 5, 100);
  set_attr_range(55, 55, 0, 0, 80, 10, 100);
  set_attr_range(64, 67, 75, 5, 0, 0, 100);
  set_attr_range(68, 75, 75, 20, 0, 0, 100);
  set_attr_range(76, 76, 0, 0, 0, 0, 100);
  set_attr_range(77, 77, 0, 0, 80, 10, 100);
  set_attr_range(78, 79, 0, 0, 0, 0, 100);
  set_attr_range(80, 87, 75, 20, 0, 0, 100);
  set_attr_range(88, 255, 50, 20, 0, 0, 100);
}

void reset_settings_defaults() {
  lens_state = LensState{};
  landscape_view = LandscapeView{};
  terrain_settings = TerrainSettings{};
  render_settings = RenderSettings{};
  light_state = LightState{};
  sun_moon_state = SunMoonState{};
  tree_settings = TreeSettings{};
  animation_state = AnimationState{};
  derived_data = DerivedDataState{};
  startup_files = StartupFiles{};
  reset_color_table();
  reset_class_attributes();
}

void mark_derived_stale() {
  derived_data.shades_done_step = land_width;
  derived_data.colors_done_step = land_width;
  derived_data.cliffs_done_step = land_width;
}

namespace {
// The settings hold their start values before anything runs.
struct SettingsAtStart {
  SettingsAtStart() { reset_settings_defaults(); }
} settings_at_start;
}  // namespace
