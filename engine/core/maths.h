// Integer sine and cosine, vector lengths, 2-D angles, the line stepper and segment rotations.
#pragma once

#include <cstdint>

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
void line_stepper_init(LineStepper* s, int32_t first_index, int32_t last_index, int32_t first_value,
                       int32_t last_value);
inline void line_stepper_advance(LineStepper* s) {
  s->value += s->step;
  s->error += s->remainder;
  if (s->error > s->steps) {
    s->error -= s->steps;
    s->value += s->sign;
  }
}

// The part of a 3-D tree segment that the rotations read and write; the tree code extends it.
struct SegmentRecord {
  float angle_x, angle_y, angle_z;  // rotation angles in degrees about the first, second and third axis
  float unit_x, unit_y, unit_z;     // unit direction
  float length;
  float vector_x, vector_y, vector_z;  // resulting vector
};
void segment_direction(SegmentRecord* s);
void segment_rotate_x(SegmentRecord* s);
void segment_rotate_y(SegmentRecord* s);
void segment_rotate_z(SegmentRecord* s);

// Degrees to radians: the angle divided by this constant.
constexpr double kDegreesPerRadian = 57.29577951308232;
