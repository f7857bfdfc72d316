// The cloud pattern (256 by 256 density bytes), the cloud settings and the opacity ramp made from them.
#pragma once

#include <cstdint>

#include "engine/core/cloud_pattern_size.h"

// CloudSettings, in the order the landscape file header stores them, with their start values.
struct CloudSettings {
  int32_t cloud_ramp_low = 96;     // pattern value below which cloud is fully transparent (128 after start-up)
  int32_t cloud_ramp_high = 128;   // pattern value above which cloud is fully opaque (178 after start-up)
  int32_t cloud_altitude = 4000;   // metres
  int32_t cloud_density = 40;      // coverage in percent, 0..100
  int32_t cloud_hardness = 50;     // sharpness of the cloud edges, 0..100
  int32_t cloud_subdiv_size = 11;  // screen size in pixels from which a cloud cell is split
  int32_t cloud_subdiv_depth = 6;  // deepest split of a cloud cell; 0 turns the fractal detail off
  int32_t cloud_scale = 8;         // pattern scale 2, 4, 8 or 16
  int32_t cloud_lining = 20;       // brightening of thin cloud edges
};
extern CloudSettings cloud_settings;

// The cloud layer is drawn only while this is non-zero (0 at start).
extern int32_t clouds_enabled;


// Row r, column c at index r * 256 + c; 0 clear to 255 dense.
extern uint8_t cloud_pattern[kCloudPatternBytes];
// One 0xAARRGGBB colour per pattern value: alpha is the opacity, the colour that of the Clouds class with lining.
extern uint32_t cloud_ramp[256];

// Restores the settings and clouds_enabled to their start values and clears the pattern and the ramp (engine
// reset; start-up then makes the seeded pattern).
void reset_cloud_settings();

// Entry points for the landscape files: copy the whole pattern out, or replace it from 65,536 bytes.
void cloud_pattern_copy_out(uint8_t out[kCloudPatternBytes]);
void cloud_pattern_replace(const uint8_t in[kCloudPatternBytes]);

// Start-up: the seeded pattern (seed 123456) at the current scale and the ramp bounds.
void init_clouds();

// Setters. Density and hardness are clamped to 0..100 and recompute the ramp bounds.
void set_cloud_density(int32_t v);
void set_cloud_hardness(int32_t v);
void set_cloud_altitude(int32_t v);
void set_cloud_lining(int32_t v);
void fractal_clouds_on();   // split size 11, depth 6
void fractal_clouds_off();  // depth 0

// Fills cloud_ramp from the ramp bounds and the Clouds colour (class 76).
void build_cloud_color_ramp();
// The colour with the lining added: channels raised by 255 - alpha, at most cloud_lining, kept <= 255.
uint32_t cloud_lining_color(uint32_t color);
// (random8() * a) / 64, truncating toward zero.
int32_t cloud_random_offset(int32_t a);

// One stretched sample: ((value - lowest) * 256) / range saturated to 0..255, so that samples beyond the sampled
// range stay at the dense or the clear end instead of wrapping to the other (a range of 0 counts as 1).
int32_t cloud_stretch(int32_t value, int32_t lowest, int32_t range);
// Feature size for a pattern scale: 256 / scale for the scales 2 to 16; any other scale (0 or a damaged value)
// counts as the start-up scale 8, so generation never divides by zero or asks for a seed spacing below 1.
int32_t cloud_feature_for_scale(int32_t scale);
// Replaces the pattern by a midpoint-displacement fractal of feature size f from the random8 stream. The seed
// spacing f / 4 is held within 1..256, and the stretched values saturate to the byte range.
void generate_cloud_pattern(int32_t f);
// The same, also giving the lowest and highest centre sample (every fourth of rows and columns 64..188) that the
// stretch spreads over the bytes; either pointer may be null.
void generate_cloud_pattern_range(int32_t f, int32_t* lowest, int32_t* highest);
