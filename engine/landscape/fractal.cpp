// Fractal landscapes: island and mountain generation from a seed and relief-scaled roughening, in bit-exact integer steps.
#include "engine/landscape/fractal.h"

#include "engine/landscape/fractal_name.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/fractal_steps.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/ui/status.h"

namespace {
const char kGenerateText[] = "Generate ";

// Elevation rows as a plain table of signed 16-bit rows.
inline int16_t** rows() { return reinterpret_cast<int16_t**>(elevation_rows); }

// Every store keeps the low 16 bits, as the landscape arithmetic requires.
inline void put(int16_t* row, int32_t col, int32_t v) { row[col] = wrap16(v); }

inline int32_t abs_i32(int32_t v) { return v < 0 ? -v : v; }

// The first stream advanced by two and by three steps at once: x2 = A2 x + C2, x3 = A3 x + C3 (mod 2^32),
// with x -> 1103515245 x + 12345 as the single step.
constexpr uint32_t kA = 1103515245u, kC = 12345u;
constexpr uint32_t kA2 = kA * kA, kC2 = kA * kC + kC;
constexpr uint32_t kA3 = kA2 * kA, kC3 = kA * kC2 + kC;

// Noise of step s: rand_roughness_offset(s) with its three draws taken in one jump, so that the
// second and third values do not wait on each other. Reads fractal_roughness now.
inline int32_t offset(int32_t s) {
  const uint32_t x = random8_state;
  const uint32_t x2 = kA2 * x + kC2;
  const uint32_t x3 = kA3 * x + kC3;
  random8_state = x3;
  const int32_t r2 = static_cast<int32_t>((x2 >> 16) & 255) - 128;
  const int32_t r3 = static_cast<int32_t>((x3 >> 16) & 255) - 128;
  return mul_wrap32(mul_wrap32(r2 * r3, s), terrain_settings.fractal_roughness) / 131072;
}

// The generation walks need a grid: the landscape size is checked by their caller, and every
// walk also keeps its cells inside the grid so that a direct call on any size stays in bounds.
inline bool have_grid() { return elevation_rows != nullptr; }

// The subdivision shared by the island and the mountain refinement. `inclusive` computes the last row
// and column (mountain) and averages the centre with noise; otherwise the centre is a random pick.
void subdivide(int32_t s, bool inclusive) {
  if (!have_grid() || s < 1) return;
  int16_t** e = rows();
  const int32_t bottom_limit = inclusive ? land_height + 1 : land_height;  // bottom < limit
  const int32_t right_limit = inclusive ? land_width + 1 : land_width;     // right < limit
  while (s > 1) {
    const int32_t h = s / 2;
    show_status(kGenerateText);
    for (int32_t top = 0; top < land_height - 1 && top + s < grid_height; top += s) {
      const int32_t bottom = top + s, middle = top + h;
      int16_t* rt = e[top];
      int16_t* rm = e[middle];
      int16_t* rb = e[bottom];
      for (int32_t left = 0; left < land_width - 1 && left + s < grid_width; left += s) {
        const int32_t right = left + s, centre = left + h;
        if (bottom < bottom_limit) {
          put(rb, centre, asr(rb[left] + rb[right], 1));
          put(rb, centre, rb[centre] + offset(s));
        }
        if (right < right_limit) {
          put(rm, right, asr(rt[right] + rb[right], 1));
          put(rm, right, rm[right] + offset(s));
        }
        if (inclusive) {
          const int32_t sum = rm[left] + rm[right] + rt[centre] + rb[centre];
          put(rm, centre, asr(sum, 2) + offset(s));
        } else {
          put(rm, centre, random_pick4(rm[left], rm[right], rt[centre], rb[centre]));
        }
      }
    }
    s = h;
  }
}

// A script may set feature_size to 0 or to a negative value: treat those as 1 rather than divide by zero.
int32_t generation_divisor() {
  int32_t d = terrain_settings.feature_size >= 1 ? 8 / terrain_settings.feature_size : 8;
  if (d < 1) d = 1;
  return d;
}
}  // namespace

int32_t random_pick4(int32_t a, int32_t b, int32_t c, int32_t d) {
  const int32_t choice[4] = {a, b, c, d};
  return choice[random8() & 3];
}

void fractal_midpoint_pick(int32_t s) { subdivide(s, false); }

void fractal_diamond_square(int32_t s) { subdivide(s, true); }

void fractal_from_corners(int32_t s) {
  if (!have_grid() || s < 1) return;
  int16_t** e = rows();
  // Corners.
  put(e[0], 0, offset(land_width));
  put(e[0], land_width, offset(land_width));
  put(e[land_height], 0, offset(land_width));
  put(e[land_height], land_width, offset(land_width));
  // Noisy left column and top row; the integer halves here truncate toward zero.
  for (int32_t t = s; t > 1; t /= 2) {
    const int32_t h = t / 2;
    for (int32_t i = 0; i < land_height - 1 && i + t < grid_height; i += t)
      put(e[i + h], 0, (e[i][0] + e[i + t][0]) / 2 + offset(t));
    int16_t* top = e[0];
    for (int32_t j = 0; j < land_width - 1 && j + t < grid_width; j += t)
      put(top, j + h, (top[j] + top[j + t]) / 2 + offset(t));
  }
  // Noise-free base surface from the whole width down to step s; nothing is drawn here.
  for (int32_t t = land_width; t >= s; t /= 2) {
    const int32_t h = t / 2;
    for (int32_t top = 0; top < land_height - 1 && top + t < grid_height; top += t) {
      int16_t* rt = e[top];
      int16_t* rm = e[top + h];
      int16_t* rb = e[top + t];
      for (int32_t left = 0; left < land_width - 1 && left + t < grid_width; left += t) {
        const int32_t right = left + t, centre = left + h;
        if (top + t <= land_height) put(rb, centre, asr(rb[left] + rb[right], 1));
        if (right <= land_width) put(rm, right, asr(rt[right] + rb[right], 1));
        put(rm, centre, asr(rm[left] + rm[right] + rt[centre] + rb[centre], 2));
      }
    }
  }
}

void roughen_midpoint(int32_t s) {
  if (!have_grid()) return;
  const int32_t r = terrain_settings.fractal_roughness;
  int16_t** e = rows();
  while (s > 1) {
    const int32_t h = s / 2;
    show_status(kGenerateText);
    for (int32_t top = 0; top < grid_height - s; top += s) {
      const int32_t bottom = top + s, middle = top + h;
      int16_t* rt = e[top];
      int16_t* rm = e[middle];
      int16_t* rb = e[bottom];
      for (int32_t left = 0; left < grid_width - s; left += s) {
        const int32_t right = left + s, centre = left + h;
        const int32_t relief = abs_i32(rt[left] - rt[right]) + abs_i32(rb[left] - rb[right]) +
                               abs_i32(rt[left] - rb[left]) + abs_i32(rt[right] - rb[right]);
        terrain_settings.fractal_roughness = r != 0 ? add_wrap32(mul_wrap32(relief / s, r) / 128, r / 4) : 0;
        if (bottom < land_height) put(rb, centre, asr(rb[left] + rb[right], 1) + offset(s));
        if (right < land_width) put(rm, right, asr(rt[right] + rb[right], 1) + offset(s));
        put(rm, centre, random_pick4(rm[left], rm[right], rt[centre], rb[centre]));
      }
    }
    s = h;
  }
  terrain_settings.fractal_roughness = r;
}

void roughen_by_slope() {
  if (!have_grid() || !shade_rows) return;
  const int32_t r = terrain_settings.fractal_roughness;
  // Slopes are read from a copy so that samples changed earlier in the pass do not steer later ones.
  for (int32_t y = 0; y < grid_height; ++y) copy_u16(elevation_rows[y], shade_rows[y], grid_width);
  int16_t** e = rows();
  const int16_t* const* copy = reinterpret_cast<const int16_t* const*>(shade_rows);
  for (int32_t y = 1; y <= land_height - 1; ++y) {
    show_progress(kGenerateText, y, land_height);
    const int16_t* up = copy[y - 1];
    const int16_t* here = copy[y];
    const int16_t* down = copy[y + 1];
    int16_t* out = e[y];
    for (int32_t x = 1; x <= land_width - 1; ++x) {
      const int32_t v = here[x];
      int32_t m = abs_i32(v - here[x - 1]);
      const int32_t d2 = abs_i32(v - here[x + 1]);
      const int32_t d3 = abs_i32(v - up[x]);
      const int32_t d4 = abs_i32(v - down[x]);
      if (d2 > m) m = d2;
      if (d3 > m) m = d3;
      if (d4 > m) m = d4;
      terrain_settings.fractal_roughness = r != 0 ? add_wrap32(mul_wrap32(4 * m + 3, r) / 128, r / 4) : 0;
      put(out, x, out[x] + offset(1));
    }
  }
  terrain_settings.fractal_roughness = r;
}

bool fractal_size_generable() {
  if (!elevation_rows || land_max_side != land_min_side) return false;
  return land_width == 256 || land_width == 512 || land_width == 1024 || land_width == 2048;
}

void generate_fractal_landscape() {
  show_status(kGenerateText);
  if (!fractal_size_generable()) {
    const int32_t command =
        land_max_side < 512 ? 1054 : land_max_side < 1024 ? 1055 : land_max_side < 2048 ? 1056 : 1057;
    new_flatland(command);
    new_flatland(1059);
    // Out of memory keeps the previous size: leave that landscape as it is rather than walk a grid
    // the subdivision does not fit.
    if (!fractal_size_generable()) return;
  }
  random_seed(static_cast<uint32_t>(terrain_settings.fractal_seed));
  clear_elevations();
  clear_colors();
  const int32_t s = land_width / generation_divisor();
  if (terrain_settings.island_mode == 0) {
    fractal_from_corners(s);
    fractal_diamond_square(s);
  } else {
    fractal_midpoint_pick(s);
  }
  name_fractal_landscape(terrain_settings.fractal_seed);
  derived_data.shades_done_step = derived_data.colors_done_step = derived_data.cliffs_done_step = land_width;
}

void roughen_landscape() {
  scan_elevation_range();
  if (terrain_settings.feature_size == 1) {
    roughen_by_slope();
    return;
  }
  random_seed(static_cast<uint32_t>(terrain_settings.fractal_seed));
  // 2 x feature_size, kept from overflowing; steps beyond the grid change nothing.
  const int32_t s = terrain_settings.feature_size > 65536 ? 131072 : terrain_settings.feature_size < 0 ? 0 : 2 * terrain_settings.feature_size;
  roughen_midpoint(s);
}

void roughen_command() { roughen_landscape(); }
