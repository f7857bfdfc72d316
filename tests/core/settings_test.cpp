// Start values of the settings, the colour table and class attributes, and the derived-data markers.
#include <gtest/gtest.h>

#include "engine/core/grid.h"
#include "engine/core/settings.h"

namespace {

TEST(Settings, StartValues) {
  reset_settings_defaults();
  EXPECT_EQ(light_state.light_x256, 179);
  EXPECT_EQ(light_state.light_z256, 182);
  EXPECT_EQ(light_state.light_x256, static_cast<int32_t>(light_state.light_x * 256));
  EXPECT_EQ(lens_state.focal_length, 32);
  EXPECT_FLOAT_EQ(lens_state.lens_scale, 2.0f);
  EXPECT_EQ(render_settings.view_mode, 2);
  EXPECT_EQ(render_settings.bbox_x1, 258);
  EXPECT_EQ(animation_state.animation_output, 4);
  EXPECT_EQ(derived_data.colors_done_step, 32000);
  EXPECT_STREQ(startup_files.startup_script_name, "STARTUP.SCR");
  EXPECT_STREQ(startup_files.startup_session_name, "STARTUP.D4S");
  EXPECT_EQ(tree_settings.tree_size[3], 60);
  EXPECT_EQ(tree_settings.branch_bend[1], 100);
}

TEST(Settings, ColorTableSamples) {
  reset_settings_defaults();
  struct Case {
    int index;
    uint8_t r, g, b;
  } cases[] = {{0, 0, 0, 0},         {1, 176, 176, 176},  {15, 16, 32, 48},    {17, 247, 247, 247},
               {24, 192, 192, 192},  {25, 192, 192, 192}, {32, 48, 112, 16},   {33, 64, 128, 192},
               {37, 88, 112, 64},    {41, 160, 144, 112}, {45, 192, 192, 192}, {47, 128, 112, 96},
               {50, 176, 160, 128},  {55, 192, 192, 192}, {56, 48, 128, 16},   {61, 144, 48, 16},
               {67, 80, 64, 48},     {71, 128, 128, 128}, {75, 48, 48, 48},    {77, 255, 248, 240},
               {78, 240, 248, 255},  {79, 128, 128, 128}, {87, 48, 48, 48},    {91, 160, 144, 112},
               {92, 0, 0, 0},        {255, 0, 0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(color_table[c.index].red, c.r) << c.index;
    EXPECT_EQ(color_table[c.index].green, c.g) << c.index;
    EXPECT_EQ(color_table[c.index].blue, c.b) << c.index;
    EXPECT_EQ(color_table[c.index].flag, 0) << c.index;
  }
}

TEST(Settings, ClassAttributeSamples) {
  reset_settings_defaults();
  struct Case {
    int index;
    uint8_t a[5];
  } cases[] = {{0, {0, 0, 0, 0, 100}},    {33, {100, 10, 0, 0, 100}}, {36, {75, 10, 0, 0, 100}},
               {49, {50, 20, 0, 0, 100}}, {50, {100, 100, 0, 0, 100}}, {52, {175, 100, 0, 0, 100}},
               {53, {75, 75, 0, 0, 100}}, {54, {0, 0, 80, 5, 100}},   {55, {0, 0, 80, 10, 100}},
               {59, {50, 20, 0, 0, 100}}, {66, {75, 5, 0, 0, 100}},   {74, {75, 20, 0, 0, 100}},
               {76, {0, 0, 0, 0, 100}},   {77, {0, 0, 80, 10, 100}},  {79, {0, 0, 0, 0, 100}},
               {85, {75, 20, 0, 0, 100}}, {200, {50, 20, 0, 0, 100}}};
  for (const auto& c : cases) {
    const ClassAttributes& a = class_attributes[c.index];
    EXPECT_EQ(a.phong_intensity, c.a[0]) << c.index;
    EXPECT_EQ(a.phong_sharpness, c.a[1]) << c.index;
    EXPECT_EQ(a.flare_intensity, c.a[2]) << c.index;
    EXPECT_EQ(a.flare_radius, c.a[3]) << c.index;
    EXPECT_EQ(a.roughness, c.a[4]) << c.index;
  }
}

TEST(Settings, DerivedMarkers) {
  reset_settings_defaults();
  render_settings.grid_step = 2;
  derived_data.colors_done_step = 1;
  EXPECT_TRUE(derived_valid(derived_data.colors_done_step, render_settings.grid_step));
  derived_data.colors_done_step = 4;
  EXPECT_FALSE(derived_valid(derived_data.colors_done_step, render_settings.grid_step));
  EXPECT_FALSE(derived_valid(32000, 8));
  mark_derived_stale();
  EXPECT_EQ(derived_data.shades_done_step, land_width);
  EXPECT_EQ(derived_data.cliffs_done_step, land_width);
  EXPECT_FALSE(derived_valid(derived_data.colors_done_step, 8));
  reset_settings_defaults();
}

}  // namespace
