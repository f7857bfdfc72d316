// Integer sine and cosine, vector lengths, 2-D angles, the line stepper and segment rotations.
#pragma once

#include <cstdint>

#include "engine/core/wrap.h"

// The 181 entries of round(sin(d) * 1024) for d = 0 to 180 degrees.
const int16_t* sine_table();

int32_t sin_deg(int32_t angle);
int32_t cos_deg(int32_t angle);
int32_t int_hypot3(int32_t x, int32_t y, int32_t z);
double hypot2(double x, double y);
double hypot3(double x, double y, double z);
float atan2_deg(float x, float y);

// Interpolates an integer value along an integer index in whole steps.
struct LineStepper {
  int32_t value;
  int32_t error;
  int32_t step;
  int32_t remainder;
  int32_t steps;
  int32_t sign;
};
// Inline so that the scan converter's many steppers per edge and span cost no calls.
inline void line_stepper_init(LineStepper* s, int32_t first_index, int32_t last_index, int32_t first_value,
                              int32_t last_value) {
  int32_t steps = sub_wrap32(last_index, first_index);
  if (steps == 0) steps = 1;
  int32_t delta = sub_wrap32(last_value, first_value);
  int32_t sign = 1;
  if (delta < 0) {
    sign = -1;
    delta = sub_wrap32(0, delta);
  }
  s->steps = steps;
  s->sign = sign;
  s->value = first_value;
  s->error = (steps + 1) / 2;
  if (delta == 0) {
    // A value that does not move (most opacities, slots and flat colours) skips the division.
    s->step = 0;
    s->remainder = 0;
    return;
  }
  s->step = (delta / steps) * sign;
  s->remainder = delta % steps;
}
inline void line_stepper_advance(LineStepper* s) {
  s->value += s->step;
  s->error += s->remainder;
  if (s->error > s->steps) {
    s->error -= s->steps;
    s->value += s->sign;
  }
}
// The stepper as line_stepper_advance leaves it after k more advances, in one go. While 1 <= error <= steps and
// 0 <= remainder < steps (as line_stepper_init sets up for a positive step count) the error term carries once
// each time it passes the step count, so the carries are counted with one division; any other state is stepped.
inline void line_stepper_jump(LineStepper* s, int32_t k) {
  if (k <= 0) return;
  if (s->steps < 1 || s->remainder < 0 || s->remainder >= s->steps || s->error < 1 || s->error > s->steps) {
    for (int32_t i = 0; i < k; ++i) line_stepper_advance(s);
    return;
  }
  const int64_t e = int64_t{s->error} + int64_t{k} * s->remainder;
  const int64_t carries = (e - 1) / s->steps;
  s->value = wrap32(int64_t{s->value} + int64_t{k} * s->step + carries * s->sign);
  s->error = static_cast<int32_t>(e - carries * s->steps);
}
// line_stepper_advance without a branch: the carry of the error term is applied through a mask, which keeps
// per-pixel loops free of unpredictable jumps. Same values step for step.
inline void line_stepper_advance_masked(LineStepper* s) {
  s->value += s->step;
  s->error += s->remainder;
  const int32_t over = -static_cast<int32_t>(s->error > s->steps);
  s->error -= s->steps & over;
  s->value += s->sign & over;
}

// One segment of a 3-D tree: seventeen 32-bit fields. The rotations read the angles, the direction and the
// length and write the vector; the same record with a temporary direction serves for side and ring vectors.
struct SegmentRecord {
  float base_x, base_y, base_z;     // world position of the segment's base
  float angle_x, angle_y, angle_z;  // rotation angles in degrees about the first, second and third axis
  float dir_x, dir_y, dir_z;        // unit direction before rotation
  float vec_x, vec_y, vec_z;        // base-to-tip vector: direction times length, rotated
  float length;                     // metres
  float width;                      // radius at the base in metres
  uint32_t bark;                    // bark colour 0x00RRGGBB
  uint32_t leaf;                    // leaf colour 0x00RRGGBB
  uint32_t shade;                   // the tree cell's shade word
};
static_assert(sizeof(SegmentRecord) == 68, "a segment record is seventeen 32-bit fields");
void segment_direction(SegmentRecord* s);
void segment_rotate_x(SegmentRecord* s);
void segment_rotate_y(SegmentRecord* s);
void segment_rotate_z(SegmentRecord* s);

// Degrees to radians: the angle divided by this constant.
constexpr double kDegreesPerRadian = 57.29577951308232;
