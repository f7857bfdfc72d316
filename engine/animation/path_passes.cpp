// The frame passes of a generated flight: altitudes, clearance, headings, banks, rolls and pitches.
#include "engine/animation/path_passes.h"

#include <cmath>
#include <cstdlib>

#include "engine/animation/path_model.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/maths.h"
#include "engine/ui/status.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

int32_t frame_count() { return path_frames ? path_frame_count : 0; }

// The neighbours of a covered frame of a three-point pass; false when frame i is not covered.
bool neighbours(int32_t i, int32_t n, int32_t* prev, int32_t* next) {
  if (closed_loop) {
    *prev = i == 0 ? n - 1 : i - 1;
    *next = i == n - 1 ? 0 : i + 1;
    return true;
  }
  if (i < 1 || i > n - 2) return false;
  *prev = i - 1;
  *next = i + 1;
  return true;
}

// The three-point mean of angles with 360-degree wrap, folded back into 0 .. 360.
float wrapped_mean(float p, float c, float q) {
  if (c < 180.0f) {
    if (p > c + 180.0f) p -= 360.0f;
    if (q > c + 180.0f) q -= 360.0f;
  } else if (c > 180.0f) {
    if (p < c - 180.0f) p += 360.0f;
    if (q < c - 180.0f) q += 360.0f;
  }
  float v = (p + c + q) / 3.0f;
  if (v < 0.0f) v += 360.0f;
  if (v > 360.0f) v -= 360.0f;
  return v;
}

float clearance_of(const PathFrame& f) {
  return f.altitude - static_cast<float>(ground_height_at(f.x, f.y));
}

// A stop asked by the user (not a render window's stop left over from an earlier render).
bool stop_requested() { return render_abort == 0 && poll_user_abort() == -1; }

}  // namespace

int32_t bounded_smoothing_passes() {
  const int32_t p = vehicle.smoothing_passes;
  return p < 0 ? 0 : p > kMaxSmoothingPasses ? kMaxSmoothingPasses : p;
}

int32_t bounded_clearance(int32_t clearance) {
  return clearance < -kMaxClearance ? -kMaxClearance : clearance > kMaxClearance ? kMaxClearance : clearance;
}

void altitudes_from_ground(float clearance) {
  const int32_t n = frame_count();
  for (int32_t i = 0; i < n; ++i)
    path_frames[i].altitude = static_cast<float>(ground_height_at(path_frames[i].x, path_frames[i].y)) + clearance;
}

void smooth_altitudes() {
  const int32_t n = frame_count();
  if (n < 1) return;
  for (int32_t i = 0; i < n; ++i) path_frames[i].work = path_frames[i].altitude;
  for (int32_t i = 0; i < n; ++i) {
    int32_t p, q;
    if (!neighbours(i, n, &p, &q)) continue;
    path_frames[i].altitude = (path_frames[p].work + 2.0f * path_frames[i].work + path_frames[q].work) / 4.0f;
  }
}

int32_t enforce_clearance(float clearance) {
  const int32_t n = frame_count();
  if (n < 1) return 0;
  const float threshold = 0.9f * clearance;
  int32_t counter = 25, previous = 0, lifts = 0;
  for (;;) {
    float m = clearance_of(path_frames[0]);
    int32_t k = 0;
    for (int32_t i = 1; i < n; ++i) {
      const float c = clearance_of(path_frames[i]);
      if (c < m) {
        m = c;
        k = i;
      }
    }
    if (!(m < threshold)) break;
    raise_altitudes_window(k, path_frames[k].altitude - m + clearance);
    ++lifts;
    const int32_t whole = trunc_to_i32(m);
    if (whole != previous) {
      counter = 25;
    } else {
      --counter;
    }
    previous = whole;
    if (counter < 1 || lifts >= kMaxClearanceRounds || stop_requested()) break;
  }
  return lifts;
}

void raise_altitudes_window(int32_t k, float target) {
  const int32_t n = frame_count();
  if (n < 1 || k < 0 || k >= n) return;
  const float delta = (target - path_frames[k].altitude) / 2.0f;
  const int32_t passes = bounded_smoothing_passes();
  int32_t w = n < passes ? n : passes;
  if (w < 1) w = 1;
  for (int32_t o = -(w - 1); o <= w - 1; ++o) {
    int32_t j = k + o;
    if (closed_loop) {
      if (j < 0) j += n;
      else if (j >= n) j -= n;
    }
    if (j < 0 || j >= n) continue;
    const double lift = (std::cos(o * kPi / w) + 1.0) * delta;
    path_frames[j].altitude = static_cast<float>(path_frames[j].altitude + lift);
  }
}

void make_headings() {
  const int32_t n = frame_count();
  if (n < 1) return;
  if (n == 1) {
    path_frames[0].heading = 0.0f;
    return;
  }
  for (int32_t i = 0; i < n; ++i) {
    PathFrame& f = path_frames[i];
    float dx, dy;
    if (f.has_target == 1) {
      dx = f.target_x - f.x;
      dy = f.target_y - f.y;
    } else {
      // The step to the next frame; past the last frame of an open path the slot is stale, but
      // that heading is replaced below.
      const PathFrame& next = path_frames[i + 1 < n ? i + 1 : closed_loop ? 0 : i];
      dx = next.x - f.x;
      dy = next.y - f.y;
    }
    f.heading = atan2_deg(dx, dy) - 90.0f;
  }
  if (!closed_loop) {
    // The last frame continues the turn of the two before it; with two frames it keeps the first's.
    float h = n >= 3 ? 2.0f * path_frames[n - 2].heading - path_frames[n - 3].heading : path_frames[0].heading;
    if (h >= 360.0f) h -= 360.0f;
    path_frames[n - 1].heading = h;
  }
  for (int32_t i = 0; i < n; ++i)
    if (path_frames[i].heading < 0.0f) path_frames[i].heading += 360.0f;
}

void smooth_headings() {
  const int32_t n = frame_count();
  if (n < 1) return;
  for (int32_t i = 0; i < n; ++i) path_frames[i].work = path_frames[i].heading;
  for (int32_t i = 0; i < n; ++i) {
    int32_t p, q;
    if (!neighbours(i, n, &p, &q)) continue;
    path_frames[i].heading = wrapped_mean(path_frames[p].work, path_frames[i].work, path_frames[q].work);
  }
}

void make_banks() {
  const int32_t n = frame_count();
  if (n < 1) return;
  if (n < 3) {
    // No frame has neighbours on both sides: a short path flies level.
    for (int32_t i = 0; i < n; ++i) path_frames[i].bank = 0.0f;
    return;
  }
  for (int32_t i = 1; i <= n - 2; ++i) {
    const PathFrame& prev = path_frames[i - 1];
    const PathFrame& cur = path_frames[i];
    const PathFrame& next = path_frames[i + 1];
    double ax = prev.x - cur.x, ay = prev.y - cur.y;
    double bx = cur.x - next.x, by = cur.y - next.y;
    const double bz = static_cast<double>(cur.altitude) - next.altitude;
    const double len = std::sqrt(bx * bx + by * by + bz * bz);
    const double la = std::sqrt(ax * ax + ay * ay);
    const double lb = std::sqrt(bx * bx + by * by);
    // A zero vector normalises to straight up, which has no horizontal turn.
    if (la > 0.0) {
      ax /= la;
      ay /= la;
    } else {
      ax = ay = 0.0;
    }
    if (lb > 0.0) {
      bx /= lb;
      by /= lb;
    } else {
      bx = by = 0.0;
    }
    const double s = ax * by - ay * bx;
    double bank = len > 0.0 ? -s * vehicle.bank_factor * 1500.0 / len : 0.0;
    if (bank < -90.0) bank = -90.0;
    if (bank > 90.0) bank = 90.0;
    path_frames[i].bank = static_cast<float>(bank);
  }
  path_frames[0].bank = path_frames[1].bank;
  path_frames[n - 1].bank = path_frames[n - 2].bank;
}

int32_t node_first_frame(int32_t node) {
  const int32_t n = frame_count();
  for (int32_t i = 0; i < n; ++i)
    if (path_frames[i].node_index == node) return i;
  return n;
}

void insert_barrel_roll(int32_t start, int32_t frames, int32_t clockwise) {
  const int32_t n = frame_count();
  if (start < 0 || n < 1 || !elevation_rows || frames < 1) return;
  auto roll = [&](int32_t j, int64_t k) {
    const double turn = static_cast<double>(k + 1) * 360.0 / frames;
    float b = path_frames[j].bank;
    if (clockwise) {
      b = static_cast<float>(b + turn);
      if (b > 180.0f) b -= 360.0f;
    } else {
      b = static_cast<float>(b - turn);
      if (b < -180.0f) b += 360.0f;
    }
    path_frames[j].bank = b;
  };
  int64_t k = 0;
  for (; k < frames && start + k < n; ++k) roll(static_cast<int32_t>(start + k), k);
  if (k < frames && closed_loop_work) {
    for (; k < frames && start + k - n < n; ++k) roll(static_cast<int32_t>(start + k - n), k);
  }
}

void smooth_banks() {
  const int32_t n = frame_count();
  if (n < 1) return;
  for (int32_t i = 0; i < n; ++i) {
    int32_t p, q;
    if (!neighbours(i, n, &p, &q)) continue;
    path_frames[i].bank = wrapped_mean(path_frames[p].bank, path_frames[i].bank, path_frames[q].bank);
  }
}

void make_pitches() {
  const int32_t n = frame_count();
  for (int32_t i = 0; i < n; ++i) {
    const PathFrame& f = path_frames[i];
    double dx = 1.0, dy = 0.0, dz = 0.0;  // a single frame without a target flies level
    if (f.has_target == 1) {
      dx = static_cast<double>(f.target_x) - f.x;
      dy = static_cast<double>(f.target_y) - f.y;
      dz = static_cast<double>(f.target_z) - f.altitude;
    } else if (i == n - 1) {
      if (i > 0) {
        const PathFrame& prev = path_frames[i - 1];
        dx = static_cast<double>(f.x) - prev.x;
        dy = static_cast<double>(f.y) - prev.y;
        dz = static_cast<double>(f.altitude) - prev.altitude;
      }
    } else {
      const PathFrame& next = path_frames[i + 1];
      dx = static_cast<double>(next.x) - f.x;
      dy = static_cast<double>(next.y) - f.y;
      dz = static_cast<double>(next.altitude) - f.altitude;
    }
    float p = atan2_deg(static_cast<float>(std::sqrt(dx * dx + dy * dy)), static_cast<float>(dz)) +
              static_cast<float>(pitch_offset);
    if (p < 0.0f) p += 360.0f;
    if (p > 360.0f) p -= 360.0f;
    path_frames[i].pitch = p;
  }
}

void constant_pitch() {
  const int32_t n = frame_count();
  for (int32_t i = 0; i < n; ++i) path_frames[i].pitch = static_cast<float>(pitch_offset);
}

void smooth_pitches() {
  const int32_t n = frame_count();
  if (n < 1) return;
  for (int32_t i = 0; i < n; ++i) {
    float p = path_frames[i].pitch;
    if (p > 90.0f) p -= 360.0f;
    if (p < -90.0f) p += 360.0f;
    path_frames[i].pitch = p;
    path_frames[i].work = p;
  }
  for (int32_t i = 0; i < n; ++i) {
    int32_t p, q;
    if (!neighbours(i, n, &p, &q)) continue;
    path_frames[i].pitch = (path_frames[p].work + 2.0f * path_frames[i].work + path_frames[q].work) / 4.0f;
  }
}
