// Spline frame generation: the pipeline and the spline stage with target blending.
#include "engine/animation/path_spline.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "engine/animation/path_model.h"
#include "engine/animation/path_passes.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

PathDrawHooks path_draw_hooks;
int32_t path_frames_overflowed = 0;

namespace {

double distance3(double ax, double ay, double az, double bx, double by, double bz) {
  const double dx = bx - ax, dy = by - ay, dz = bz - az;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

float length3(const SplinePoint& a, const SplinePoint& b) {
  return static_cast<float>(distance3(a.x, a.y, a.z, b.x, b.y, b.z));
}

SplinePoint node_point(int32_t i) {
  const PathNode& n = path_nodes[i];
  return SplinePoint{n.x, n.y, n.altitude, n.speed};
}

// A speed that is not a number or below 10 counts as 10.
float clamp_speed(float s) { return s >= 10.0f ? s : 10.0f; }

// The position of frame j plus 50 times its step to the next frame. The last frame of a segment
// has no next frame yet: it repeats the step that led to it.
void look_ahead(int32_t j, int32_t last, float* x, float* y, float* z) {
  const PathFrame& f = path_frames[j];
  float sx = 0.0f, sy = 0.0f, sz = 0.0f;
  if (j < last) {
    const PathFrame& g = path_frames[j + 1];
    sx = g.x - f.x;
    sy = g.y - f.y;
    sz = g.altitude - f.altitude;
  } else if (j > 0) {
    const PathFrame& p = path_frames[j - 1];
    sx = f.x - p.x;
    sy = f.y - p.y;
    sz = f.altitude - p.altitude;
  }
  *x = f.x + 50.0f * sx;
  *y = f.y + 50.0f * sy;
  *z = f.altitude + 50.0f * sz;
}

// Targets of the frames s .. e - 1 of the segment from node i1 toward node i2.
void blend_targets(int32_t s, int32_t e, int32_t i1, int32_t i2) {
  if (e <= s) return;
  const PathNode& n1 = path_nodes[i1];
  const PathNode& n2 = path_nodes[i2];
  const bool look1 = n1.target_state == kTargetLook;
  const bool look2 = n2.target_state == kTargetLook;
  const bool release2 = n2.target_state == kTargetRelease;
  if (!look1 && !look2) {
    for (int32_t j = s; j < e; ++j) path_frames[j].has_target = 0;
    return;
  }
  const float ax = n1.target_x, ay = n1.target_y, az = n1.target_z;
  const float bx = look2 ? n2.target_x : ax, by = look2 ? n2.target_y : ay, bz = look2 ? n2.target_z : az;
  // A segment of one frame has no span to blend over: its frame takes the blend's start.
  const int32_t m = e - 1 - s;
  auto blend = [&](float from, float to, int32_t j) {
    if (m < 1) return from;
    return static_cast<float>((static_cast<double>(e - 1 - j) * from + static_cast<double>(j - s) * to) / m);
  };
  for (int32_t j = s; j < e; ++j) {
    float fx, fy, fz, tx, ty, tz;
    if (look1 && !release2) {
      fx = ax, fy = ay, fz = az, tx = bx, ty = by, tz = bz;
    } else if (look1) {
      fx = ax, fy = ay, fz = az;
      look_ahead(j, e - 1, &tx, &ty, &tz);
    } else {
      look_ahead(j, e - 1, &fx, &fy, &fz);
      tx = bx, ty = by, tz = bz;
    }
    PathFrame& f = path_frames[j];
    f.target_x = blend(fx, tx, j);
    f.target_y = blend(fy, ty, j);
    f.target_z = blend(fz, tz, j);
    f.has_target = 1;
  }
}

// Status of a step with the frame count and pass numbers.
void status(const char* format, int32_t a = 0, int32_t b = 0, int32_t c = 0) { show_status_printf(format, a, b, c, 0); }

bool stop_requested() { return render_abort == 0 && poll_user_abort() == -1; }

}  // namespace

void append_path_point(float x, float y, float z, float spacing) {
  if (!path_frames) return;
  if (path_frame_count == 0) {
    if (path_frame_capacity < 1) {
      path_frames_overflowed = 1;
      return;
    }
    PathFrame& f = path_frames[0];
    f.x = x;
    f.y = y;
    f.altitude = z;
    path_frame_count = 1;
    return;
  }
  const PathFrame& last = path_frames[path_frame_count - 1];
  const double d = distance3(last.x, last.y, last.altitude, x, y, z);
  if (!(d >= spacing)) return;
  if (path_frame_count >= path_frame_capacity) {
    path_frames_overflowed = 1;
    return;
  }
  PathFrame& f = path_frames[path_frame_count];
  f.x = x;
  f.y = y;
  f.altitude = z;
  ++path_frame_count;
}

void emit_bspline_segment(const SplinePoint& p0, const SplinePoint& p1, const SplinePoint& p2,
                          const SplinePoint& p3, float s1, float s2, double steps) {
  auto coord = [](float a0, float a1, float a2, float a3, double t) {
    const double c3 = -a0 + 3.0 * a1 - 3.0 * a2 + a3;
    const double c2 = 3.0 * a0 - 6.0 * a1 + 3.0 * a2;
    const double c1 = -3.0 * a0 + 3.0 * a2;
    const double c0 = static_cast<double>(a0) + 4.0 * a1 + a2;
    return static_cast<float>((((c3 * t) + c2) * t + c1) * t / 6.0 + c0 / 6.0);
  };
  // Coincident nodes give no length and so no steps: the segment is its one point at t = 0.
  const bool one_point = !(steps > 0.0);
  if (steps > kMaxSegmentSteps) steps = kMaxSegmentSteps;
  const float dt = one_point ? 2.0f : static_cast<float>(1.0 / steps);
  for (float t = 0.0f; t <= 1.0f; t += dt) {
    const double td = t;
    append_path_point(coord(p0.x, p1.x, p2.x, p3.x, td), coord(p0.y, p1.y, p2.y, p3.y, td),
                      coord(p0.z, p1.z, p2.z, p3.z, td), static_cast<float>((s1 + (s2 - s1) * td) / 100.0));
    if (path_frames_overflowed) return;
  }
}

void bspline_segment(const SplinePoint& p0, const SplinePoint& p1, const SplinePoint& p2, const SplinePoint& p3) {
  const float length = length3(p0, p1) / 3.0f + length3(p1, p2) + length3(p2, p3) / 3.0f;
  const float s1 = clamp_speed(p1.speed), s2 = clamp_speed(p2.speed);
  const double steps = static_cast<double>(length) * 600.0 / (s1 < s2 ? s1 : s2);
  emit_bspline_segment(p0, p1, p2, p3, s1, s2, steps);
}

void emit_bezier_segment(const SplinePoint& start, const SplinePoint& c1, const SplinePoint& c2,
                         const SplinePoint& end, double steps, float spacing) {
  const double cx = 3.0 * (static_cast<double>(c1.x) - start.x), cy = 3.0 * (static_cast<double>(c1.y) - start.y),
               cz = 3.0 * (static_cast<double>(c1.z) - start.z);
  const double bx = 3.0 * (static_cast<double>(c2.x) - c1.x) - cx, by = 3.0 * (static_cast<double>(c2.y) - c1.y) - cy,
               bz = 3.0 * (static_cast<double>(c2.z) - c1.z) - cz;
  const double ax = static_cast<double>(end.x) - start.x - cx - bx, ay = static_cast<double>(end.y) - start.y - cy - by,
               az = static_cast<double>(end.z) - start.z - cz - bz;
  if (steps > kMaxSegmentSteps) steps = kMaxSegmentSteps;
  float dt = static_cast<float>(1.0 / steps);
  if (!(dt > 0.0f)) dt = 0.001f;
  append_path_point(start.x, start.y, start.z, spacing);
  for (float t = dt; t <= 1.0f; t += dt) {
    if (path_frames_overflowed) return;
    const double td = t;
    append_path_point(static_cast<float>(((ax * td + bx) * td + cx) * td + start.x),
                      static_cast<float>(((ay * td + by) * td + cy) * td + start.y),
                      static_cast<float>(((az * td + bz) * td + cz) * td + start.z), spacing);
  }
}

void bezier_segment(const SplinePoint& p0, const SplinePoint& p1, const SplinePoint& p2, const SplinePoint& p3,
                    float v) {
  // A speed of 0 or below, or none at all, would give no step: the slowest speed is 1 cm per frame.
  if (!(v >= 1.0f)) v = 1.0f;
  const float length = length3(p1, p2);
  // Each control point follows the chord through the neighbours, scaled to the segment length; a
  // chord of length 0 (coincident neighbours) leaves the control point on its end point.
  auto control = [length](const SplinePoint& base, const SplinePoint& from, const SplinePoint& to, double sign) {
    const float chord = length3(from, to);
    SplinePoint c = base;
    if (chord > 0.0f) {
      const double k = sign * length / chord / 2.8;
      c.x = static_cast<float>(base.x + (static_cast<double>(to.x) - from.x) * k);
      c.y = static_cast<float>(base.y + (static_cast<double>(to.y) - from.y) * k);
      c.z = static_cast<float>(base.z + (static_cast<double>(to.z) - from.z) * k);
    }
    return c;
  };
  const SplinePoint c1 = control(p1, p0, p2, 1.0);
  const SplinePoint c2 = control(p2, p1, p3, -1.0);
  const double steps = static_cast<double>(length) / 3.0 * 3000.0 / v;
  emit_bezier_segment(p1, c1, c2, p2, steps, v / 100.0f);
}

void generate_spline_points() {
  const int32_t n = path_node_count;
  path_frame_count = 0;
  path_frames_overflowed = 0;
  if (!path_frames || n < 4 || n > kPathNodeCapacity) return;
  float v = static_cast<float>(vehicle.path_speed);
  if (fixed_frame_count) {
    double d = 0.0;
    for (int32_t i = 1; i + 1 <= n - 2; ++i) d += length3(node_point(i), node_point(i + 1));
    if (vehicle.path_frame_target != 0) v = static_cast<float>(d * 100.0 / vehicle.path_frame_target);
  }
  const int32_t segments = closed_loop ? n : n - 3;
  for (int32_t i = 0; i < segments; ++i) {
    const int32_t i1 = (i + 1) % n, i2 = (i + 2) % n, i3 = (i + 3) % n;
    const int32_t s = path_frame_count;
    node_start_frames[i + 1] = s;
    status("Generating Splines...(%d/%d)", (i + 1) % n, segments);
    if (vehicle.spline_kind != 0) {
      bspline_segment(node_point(i), node_point(i1), node_point(i2), node_point(i3));
    } else {
      bezier_segment(node_point(i), node_point(i1), node_point(i2), node_point(i3), v);
    }
    const int32_t e = path_frame_count;
    for (int32_t j = s; j < e; ++j) path_frames[j].node_index = i1;
    blend_targets(s, e, i1, i2);
    if (path_frames_overflowed) {
      // The later segments have no frames.
      for (int32_t k = i + 2; k <= segments; ++k) node_start_frames[k] = path_frame_count;
      break;
    }
  }
}

void generate_path_frames(int32_t redraw) {
  cursor_wait();
  if (redraw == 1 && path_draw_hooks.before) path_draw_hooks.before();
  if (path_node_count < 4 || !path_frames) {
    path_frame_count = 0;
    cursor_arrow();
    return;
  }
  closed_loop_work = closed_loop;
  status("Generating Splines...");
  generate_spline_points();
  const int32_t n = path_frame_count;
  if (path_frames_overflowed) {
    frames_full_message(n);
  }
  status("Generating Points...");
  status("%d Points...Setting Alts", n);

  const int32_t passes = bounded_smoothing_passes();
  bool stopped = false;
  auto smooth_alts = [&] {
    for (int32_t p = 1; p <= passes / 2 && !stopped; ++p) {
      status("%d Points...Smoothing Alts (%d/%d)", n, p, passes / 2);
      smooth_altitudes();
      stopped = stop_requested();
    }
  };
  if (vehicle.vehicle_class == kVehicleGround) {
    altitudes_from_ground(static_cast<float>(bounded_clearance(vehicle.min_clearance)));
    smooth_alts();
  } else {
    smooth_alts();
    enforce_clearance(use_min_clearance ? static_cast<float>(bounded_clearance(vehicle.min_clearance)) : -10000.0f);
  }

  status("Making Headings");
  make_headings();
  for (int32_t p = 1; p <= passes && !stopped; ++p) {
    status("Smooth Headings (%d/%d)", p, passes);
    smooth_headings();
    stopped = stop_requested();
  }

  status("%d Points...Making Banks", n);
  make_banks();
  for (int32_t i = 0; i < path_node_count; ++i) {
    const int32_t roll = path_nodes[i].roll;
    if (roll == 0) continue;
    // The one roll count without a positive counterpart turns as slowly as the largest.
    const int32_t frames = roll == INT32_MIN ? INT32_MAX : roll < 0 ? -roll : roll;
    insert_barrel_roll(node_first_frame(i), frames, roll > 0);
  }
  for (int32_t p = 1; p <= 2 * passes && !stopped; ++p) {
    status("%d Points...Smooth Banks (%d/%d)", n, p, 2 * passes);
    smooth_banks();
    stopped = stop_requested();
  }

  status("Generating Pitches");
  if (vehicle.pitch_follows_slope) {
    make_pitches();
    for (int32_t p = 1; p <= passes / 2 && !stopped; ++p) {
      status("Smoothing Pitches (%d/%d)", p, passes / 2);
      smooth_pitches();
      stopped = stop_requested();
    }
  } else {
    constant_pitch();
  }

  if (current_frame < 0) current_frame = 0;
  if (current_frame > path_frame_count - 1) current_frame = path_frame_count - 1;
  if (current_frame < 0) current_frame = 0;
  if (redraw == 1 && path_draw_hooks.after) path_draw_hooks.after();
  cursor_arrow();
  show_status("");
}
