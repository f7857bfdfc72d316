// The preview's two views: the shaded low-resolution terrain with sun and moon discs, and the line drawing.
// Both use the renderer's view matrix and transform; the random streams and the view matrix a render relies on
// are put back afterwards.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/core/grid.h"
#include "engine/core/maths.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/panels/preview_panel.h"
#include "engine/panels/span_fill.h"
#include "engine/raster/clip.h"
#include "engine/raster/polygon.h"
#include "engine/raster/view_transform.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/pointer.h"
#include "engine/ui/screen.h"
#include "engine/ui/status.h"

RowTable preview_image = nullptr;
int32_t preview_image_side = 0;

namespace {
struct PreviewPoint {
  float x, y, z;
  uint16_t colour;
  uint16_t pad;
};
PreviewPoint mesh[65][66];
int16_t mesh_class[65][65];

// The state a render relies on, kept across a preview draw.
struct SavedRenderState {
  double matrix[9];
  uint32_t r8, r32;
  SavedRenderState() {
    std::memcpy(matrix, view_matrix, sizeof matrix);
    r8 = random8_state, r32 = random32_state;
  }
  ~SavedRenderState() {
    std::memcpy(view_matrix, matrix, sizeof matrix);
    random8_state = r8, random32_state = r32;
  }
};

int32_t trunc_clamped(double v, int32_t lo, int32_t hi) {
  if (!(v == v)) return lo;
  if (v <= lo) return lo;
  if (v >= hi) return hi;
  return static_cast<int32_t>(v);
}

int32_t light_intensity(int64_t dx, int64_t dy, int64_t dz) {
  while (dx > 24000 || dx < -24000 || dy > 24000 || dy < -24000 || dz > 24000 || dz < -24000) {
    dx /= 2, dy /= 2, dz /= 2;
  }
  double nx = 0, ny = 0, nz = 256;
  const double len = std::sqrt(static_cast<double>(dx * dx + dy * dy + dz * dz));
  if (len > 0) nx = dx * 256.0 / len, ny = dy * 256.0 / len, nz = dz * 256.0 / len;
  int32_t v = (static_cast<int32_t>(nx) * light_state.light_x256 + static_cast<int32_t>(ny) * light_state.light_y256 +
               static_cast<int32_t>(nz) * light_state.light_z256) >> 8;
  v += rand_amplitude(render_settings.light_roughness) >> 4;
  return std::clamp(v, 0, 255);
}

int32_t band_base(int32_t cls, int32_t mean) {
  if (cls >= 51 && cls <= 55) return 56;
  if (mean > terrain_settings.snow_line) return 48;
  if (mean >= terrain_settings.tree_line) return 40;
  return 32;
}

// Fills the mesh from the samples at (col0 + j * step_x, row0 + i * step_y), sampled as the coarse or fine grid.
void build_mesh(int32_t col0, int32_t row0, int32_t width, int32_t height, bool coarse) {
  for (int32_t i = 0; i <= 64; ++i) {
    for (int32_t j = 0; j <= 64; ++j) {
      const int32_t row = coarse ? i * height / 64 : row0 + i;
      const int32_t col = coarse ? j * width / 64 : col0 + j;
      const int32_t r = std::clamp(row, 0, grid_height - 1), c = std::clamp(col, 0, grid_width - 1);
      PreviewPoint& p = mesh[i][j];
      p.x = static_cast<float>(col) * grid_spacing_x;
      p.y = static_cast<float>(row) * grid_spacing_y;
      p.z = static_cast<float>(elevation_row(r)[c]);
      mesh_class[i][j] = cover_rows ? cover_row(r)[c].color_class : 0;
    }
  }
}

void colour_cells() {
  for (int32_t i = 0; i < 64; ++i) {
    for (int32_t j = 0; j < 64; ++j) {
      const int32_t z00 = static_cast<int32_t>(mesh[i][j].z), z01 = static_cast<int32_t>(mesh[i][j + 1].z);
      const int32_t z11 = static_cast<int32_t>(mesh[i + 1][j + 1].z), z10 = static_cast<int32_t>(mesh[i + 1][j].z);
      const int32_t cls = mesh_class[i][j];
      const int32_t a_base = band_base(cls, (z00 + z01 + z11) / 3);
      const int32_t b_base = band_base(cls, (z00 + z11 + z10) / 3);
      const int32_t a = std::min(light_intensity(z00 - z01, z01 - z11, 60) / 32, 7);
      const int32_t b = std::min(light_intensity(z10 - z11, z00 - z10, 60) / 32, 7);
      mesh[i][j].colour = static_cast<uint16_t>((a_base + a) | ((b_base + b) << 8));
    }
  }
}

void transform_mesh() {
  for (auto& row : mesh)
    for (int32_t j = 0; j <= 64; ++j) world_to_view(row[j].x, row[j].y, row[j].z, &row[j].x, &row[j].y, &row[j].z);
}

PanelRecord image_clip() {
  PanelRecord clip{};
  clip.x0 = 0, clip.y0 = 0, clip.x1 = preview_image_side - 1, clip.y1 = preview_image_side - 1;
  return clip;
}

void fill_projected(PolygonRecord* poly, int32_t colour) {
  const int32_t half = preview_geometry.half;
  for (int32_t k = 0; k < poly->count; ++k) {
    PolygonVertex& v = poly->vertices[k];
    const float z = v.z == 0.0f ? 0.01f : v.z;
    v.x = static_cast<float>(std::clamp(half * v.x / z + half, -1.0e6f, 1.0e6f));
    v.y = static_cast<float>(std::clamp(half * v.y / z + half, -1.0e6f, 1.0e6f));
    v.r = static_cast<uint16_t>(colour);
  }
  const PanelRecord clip = image_clip();
  scan_fill_polygon(nullptr, poly, &clip, preview_image, preview_image_side, preview_image_side);
}

void draw_view_polygon(PolygonRecord* poly, int32_t colour) {
  if (!polygon_may_be_visible(poly)) return;
  PolygonRecord scratch{};
  PolygonRecord* p = poly;
  if (polygon_needs_clipping(poly)) p = clip_polygon_all(poly, &scratch);
  if (p->count >= 4) fill_projected(p, colour);
}

void draw_triangle(const PreviewPoint& a, const PreviewPoint& b, const PreviewPoint& c, int32_t colour) {
  PolygonRecord poly{};
  poly.count = 4;
  const PreviewPoint* pts[4] = {&a, &b, &c, &a};
  for (int32_t k = 0; k < 4; ++k) {
    poly.vertices[k].x = pts[k]->x, poly.vertices[k].y = pts[k]->y, poly.vertices[k].z = pts[k]->z;
  }
  draw_view_polygon(&poly, colour);
}

void draw_quad(int32_t j, int32_t i) {
  const uint16_t c = mesh[i][j].colour;
  draw_triangle(mesh[i][j], mesh[i][j + 1], mesh[i + 1][j + 1], c & 0xFF);
  draw_triangle(mesh[i][j], mesh[i + 1][j + 1], mesh[i + 1][j], c >> 8);
}

// Back to front around the camera's cell (ci, cj).
void draw_cells(int32_t ci, int32_t cj) {
  const auto row = [cj](int32_t i) {
    for (int32_t j = 0; j < cj; ++j) draw_quad(j, i);
    for (int32_t j = 63; j >= cj; --j) draw_quad(j, i);
  };
  for (int32_t i = 0; i < ci; ++i) row(i);
  for (int32_t i = 63; i >= ci; --i) row(i);
}

int32_t camera_cell(float pos, float spacing, int32_t size, int32_t span) {
  const double q = static_cast<double>(pos) / spacing / (static_cast<double>(size) / span);
  return trunc_clamped(q, 0, 64);
}

void draw_disc(float wx, float wy, float wz, float radius, int32_t colour) {
  float x, y, z;
  world_to_view(wx, wy, wz, &x, &y, &z);
  if (!(z > 0) || std::fabs(x) > z || std::fabs(y) > z) return;
  const double cx = x / z, cy = y / z, r = radius / z;
  const int32_t half = preview_geometry.half;
  for (int32_t k = 0; k < 12; ++k) {
    const double a0 = k * 30 * M_PI / 180, a1 = (k + 1) * 30 * M_PI / 180;
    PolygonRecord poly{};
    poly.count = 4;
    const double px[4] = {cx, cx + r * std::sin(a0), cx + r * std::sin(a1), cx};
    const double py[4] = {cy, cy + r * std::cos(a0), cy + r * std::cos(a1), cy};
    for (int32_t v = 0; v < 4; ++v) {
      poly.vertices[v].x = static_cast<float>(std::clamp(half * px[v] + half, -1.0e6, 1.0e6));
      poly.vertices[v].y = static_cast<float>(std::clamp(half * py[v] + half, -1.0e6, 1.0e6));
      poly.vertices[v].r = static_cast<uint16_t>(colour);
    }
    const PanelRecord clip = image_clip();
    scan_fill_polygon(nullptr, &poly, &clip, preview_image, preview_image_side, preview_image_side);
  }
}

bool ensure_image(int32_t side) {
  if (preview_image && preview_image_side == side) return true;
  if (preview_image) free_rows(preview_image);
  preview_image = alloc_rows(side, side, 1);
  preview_image_side = preview_image ? side : 0;
  return preview_image != nullptr;
}

void draw_shaded() {
  const PreviewGeometry& g = preview_geometry;
  random_seed(static_cast<uint32_t>(terrain_settings.fractal_seed));
  if (!ensure_image(g.side)) return;
  for (int32_t r = 0; r < g.side; ++r) std::memset(preview_image[r], 1, static_cast<size_t>(g.side));
  LightState& l = light_state;
  l.light_x256 = static_cast<int32_t>(256 * l.light_x);
  l.light_y256 = static_cast<int32_t>(256 * l.light_y);
  l.light_z256 = static_cast<int32_t>(256 * l.light_z);
  const CameraState& c = camera_state;
  set_view_matrix(c.camera_bank, c.camera_heading, c.camera_pitch);
  const bool has_land = elevation_rows && land_width > 0 && land_height > 0;
  pointer_hide();
  const SunMoonState& s = sun_moon_state;
  if (s.sun_size != 0) draw_disc(s.sun_position_x, s.sun_position_y, s.sun_position_z, s.sun_radius, 2);
  if (s.moon_size != 0 && s.moon_enabled)
    draw_disc(s.moon_position_x, s.moon_position_y, s.moon_position_z, s.moon_radius, 51);
  if (has_land) {
    build_mesh(0, 0, land_width, land_height, true);
    colour_cells();
    transform_mesh();
    draw_cells(camera_cell(c.camera_y, grid_spacing_y, land_height, 64),
               camera_cell(c.camera_x, grid_spacing_x, land_width, 64));
    if (land_width >= 64 && land_height >= 64) {
      const double h = c.camera_heading * M_PI / 180.0;
      const double fx = c.camera_x / grid_spacing_x - 32 - std::sin(h) * 16;
      const double fy = c.camera_y / grid_spacing_y - 32 + std::cos(h) * 16;
      const int32_t col0 = trunc_clamped(fx, 0, land_width - 64), row0 = trunc_clamped(fy, 0, land_height - 64);
      build_mesh(col0, row0, 0, 0, false);
      colour_cells();
      transform_mesh();
      draw_cells(trunc_clamped(c.camera_y / grid_spacing_y - row0, 0, 64),
                 trunc_clamped(c.camera_x / grid_spacing_x - col0, 0, 64));
    }
  }
  // The band rows of the image, limited to the rows it has.
  const int32_t offset = std::max(g.clip_y0 - g.top, 0);
  for (int32_t r = offset; r < g.side - offset; ++r) put_row8(g.left, g.top + r, g.side, static_cast<uint8_t*>(preview_image[r]));
  pointer_show();
}

int32_t line_colour(int32_t cls, int32_t e) {
  if ((cls >= 56 && cls <= 59) || (cls >= 34 && cls <= 37)) return 36;
  if (cls >= 38 && cls <= 41) return 44;
  if (cls >= 42 && cls <= 45) return 52;
  if (cls >= 51 && cls <= 55) return 60;
  if (cls >= 46 && cls <= 49) return 49;
  if (e > terrain_settings.snow_line) return 52;
  if (e >= terrain_settings.tree_line) return 44;
  return 36;
}

void band_line(float x0, float y0, float x1, float y1, int32_t colour) {
  const PreviewGeometry& g = preview_geometry;
  PolygonRecord poly{};
  poly.count = 2;
  poly.vertices[0].x = std::clamp(x0 + g.left, -1.0e6f, 1.0e6f), poly.vertices[0].y = std::clamp(y0 + g.top, -1.0e6f, 1.0e6f);
  poly.vertices[1].x = std::clamp(x1 + g.left, -1.0e6f, 1.0e6f), poly.vertices[1].y = std::clamp(y1 + g.top, -1.0e6f, 1.0e6f);
  poly.vertices[0].r = static_cast<uint16_t>(colour);
  PanelRecord clip{};
  clip.x0 = g.clip_x0 - 1, clip.y0 = g.clip_y0 - 1, clip.x1 = g.clip_x1 + 1, clip.y1 = g.clip_y1 + 1;
  draw_clipped_polyline(nullptr, &poly, &clip);
}

void draw_lines() {
  const PreviewGeometry& g = preview_geometry;
  const CameraState& c = camera_state;
  set_view_matrix(c.camera_bank, c.camera_heading, c.camera_pitch);
  const bool has_land = elevation_rows && land_width > 0 && land_height > 0;
  const int32_t half = g.half;
  if (has_land) {
    build_mesh(0, 0, land_width, land_height, true);
    for (int32_t i = 0; i <= 64; ++i)
      for (int32_t j = 0; j <= 64; ++j) {
        PreviewPoint& p = mesh[i][j];
        p.colour = static_cast<uint16_t>(line_colour(mesh_class[i][j], static_cast<int32_t>(p.z)));
        world_to_view(p.x, p.y, p.z, &p.x, &p.y, &p.z);
        if (p.z > 0) {
          p.x = half * p.x / p.z + half;
          p.y = half * p.y / p.z + half;
        }
      }
  }
  sleep_ms(1);
  fill_rect(g.clip_x0, g.clip_y0, g.clip_x1, g.clip_y1, 0);
  // The horizon ring at the camera's altitude.
  for (int32_t a = 0; a < 360; a += 10) {
    float p[2][3];
    for (int32_t e = 0; e < 2; ++e) {
      const int32_t ang = a + e * 10;
      world_to_view(c.camera_x + sin_deg(ang) * 128.0f, c.camera_y + cos_deg(ang) * 128.0f, c.camera_z, &p[e][0],
                    &p[e][1], &p[e][2]);
    }
    if (p[0][2] > 0 && p[1][2] > 0)
      band_line(half * p[0][0] / p[0][2] + half, half * p[0][1] / p[0][2] + half, half * p[1][0] / p[1][2] + half,
                half * p[1][1] / p[1][2] + half, 11);
  }
  if (!has_land) return;
  const int32_t k = camera_cell(c.camera_y, grid_spacing_y, land_height, 64);
  const auto row = [](int32_t i) {
    for (int32_t j = 0; j < 64; ++j) {
      const PreviewPoint& p = mesh[i][j];
      const PreviewPoint& q = mesh[i][j + 1];
      if (p.z > 0 && q.z > 0) band_line(p.x, p.y, q.x, q.y, p.colour);
    }
  };
  for (int32_t i = 0; i < k; ++i) row(i);
  for (int32_t i = 64; i >= k; --i) row(i);
}
}  // namespace

void preview_draw(int32_t mode) {
  preview_fit();
  SavedRenderState saved;
  if (mode) draw_shaded();
  else draw_lines();
}
