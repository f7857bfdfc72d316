// Spline frame generation: the pipeline from the node table to a finished flight, and its first
// stage, the B-spline or Bezier sampling with target blending.
#pragma once

#include <cstdint>

// A point of a segment: position and, for B-spline segments, the node's speed.
struct SplinePoint {
  float x, y, z;
  float speed;
};

// No segment is sampled in more steps than this, whatever its length and speed.
constexpr double kMaxSegmentSteps = 1000000.0;

// What the pipeline draws while it works; each hook may be null (headless: nothing is drawn).
struct PathDrawHooks {
  void (*before)() = nullptr;  // redraw the map image and the nodes
  void (*after)() = nullptr;   // draw the frames and the altitude profile around the current frame
};
extern PathDrawHooks path_draw_hooks;

// Set when the last generation filled the frame array and the flight ended early.
extern int32_t path_frames_overflowed;

// The whole pipeline: spline stage, altitudes, headings, banks and rolls, pitches. redraw 1 draws
// through path_draw_hooks before and after; 0 (the path block loader) draws nothing.
void generate_path_frames(int32_t redraw);
// Stage 1: frame positions, node_index, node_start_frames and the targets.
void generate_spline_points();
// A uniform cubic B-spline segment between p1 and p2.
void bspline_segment(const SplinePoint& p0, const SplinePoint& p1, const SplinePoint& p2, const SplinePoint& p3);
void emit_bspline_segment(const SplinePoint& p0, const SplinePoint& p1, const SplinePoint& p2,
                          const SplinePoint& p3, float s1, float s2, double steps);
// A cubic Bezier segment between p1 and p2 with the path speed value v (centimetres per frame).
void bezier_segment(const SplinePoint& p0, const SplinePoint& p1, const SplinePoint& p2, const SplinePoint& p3,
                    float v);
void emit_bezier_segment(const SplinePoint& start, const SplinePoint& c1, const SplinePoint& c2,
                         const SplinePoint& end, double steps, float spacing);
// The spacing filter: the first point becomes frame 0; later points become frames when they lie at
// least spacing metres from the last frame and the array has room (else path_frames_overflowed).
void append_path_point(float x, float y, float z, float spacing);
