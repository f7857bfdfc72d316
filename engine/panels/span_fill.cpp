// Span polygon fill with per-row extreme tables, and clipped polygon outlines.
#include "engine/panels/span_fill.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "engine/ui/panel_record.h"
#include "engine/raster/polygon.h"
#include "engine/ui/screen.h"

namespace {
constexpr int32_t kRows = 8192;
// Screen coordinates beyond this are treated as lying there: far outside every raster and row table, and
// small enough that no arithmetic below overflows.
constexpr float kFar = 1073741824.0f;

int32_t span_min[kRows];
int32_t span_max[kRows];

int32_t truncate(float v) {
  if (std::isnan(v)) return 0;
  if (v >= kFar) return static_cast<int32_t>(kFar);
  if (v <= -kFar) return -static_cast<int32_t>(kFar);
  return static_cast<int32_t>(v);
}

int32_t vertex_count(const PolygonRecord* p) {
  if (!p || p->count < 0) return 0;
  return p->count > kPolygonCapacity ? kPolygonCapacity : p->count;
}

// Walks one edge from the vertex with the smaller y down to the other, lowering and raising the rows' extremes
// at the x the integer stepper gives for each row (computed directly for the rows inside the tables).
void walk_edge(int64_t xa, int64_t ya, int64_t xb, int64_t yb) {
  const int64_t n = yb - ya == 0 ? 1 : yb - ya;
  const int64_t dx = xb - xa;
  const int64_t sign = dx < 0 ? -1 : 1;
  const int64_t adx = dx < 0 ? -dx : dx;
  const int64_t s = sign * (adx / n), q = adx % n, e0 = (n + 1) / 2;
  const int64_t first = ya < 0 ? 0 : ya, last = yb > kRows - 1 ? kRows - 1 : yb;
  for (int64_t y = first; y <= last; ++y) {
    const int64_t k = y - ya;
    const int64_t x = xa + k * s + sign * ((e0 + k * q - 1) / n);
    const int32_t xi = static_cast<int32_t>(x);
    if (xi < span_min[y]) span_min[y] = xi;
    if (xi > span_max[y]) span_max[y] = xi;
  }
}
}  // namespace

void scan_fill_polygon(PanelRecord*, const PolygonRecord* polygon, const PanelRecord* clip, void* const* rows,
                       int32_t raster_width, int32_t raster_height) {
  const int32_t count = vertex_count(polygon);
  if (count < 4 || !clip) return;
  const int32_t left = clip->x0, top = clip->y0, right = clip->x1, bottom = clip->y1;
  const int32_t colour = polygon->vertices[0].r;
  int32_t vx[kPolygonCapacity], vy[kPolygonCapacity];
  int32_t ymin = kRows, ymax = -1;
  for (int32_t i = 0; i < count; ++i) {
    vx[i] = truncate(polygon->vertices[i].x);
    vy[i] = truncate(polygon->vertices[i].y);
    if (vy[i] < ymin) ymin = vy[i];
    if (vy[i] > ymax) ymax = vy[i];
  }
  for (int32_t y = ymin < 0 ? 0 : ymin; y <= ymax && y < kRows; ++y) {
    span_min[y] = right;
    span_max[y] = left;
  }
  for (int32_t i = 0; i + 1 < count; ++i) {
    // The start is the vertex with the smaller y (the second one when both are equal).
    if (vy[i] < vy[i + 1]) {
      walk_edge(vx[i], vy[i], vx[i + 1], vy[i + 1]);
    } else {
      walk_edge(vx[i + 1], vy[i + 1], vx[i], vy[i]);
    }
  }
  for (int32_t y = ymin < 0 ? 0 : ymin; y < ymax && y < kRows; ++y) {
    int32_t a = span_min[y], b = span_max[y];
    a = a < left ? left : (a > right ? right : a);
    b = b < left ? left : (b > right ? right : b);
    if (a > b) std::swap(a, b);
    if (rows) {
      if (y >= raster_height || a >= raster_width || b < 0) continue;
      if (a < 0) a = 0;
      if (b > raster_width - 1) b = raster_width - 1;
      auto* row = static_cast<uint8_t*>(rows[y]);
      if (row) std::memset(row + a, colour & 0xFF, static_cast<size_t>(b - a + 1));
    } else if (y >= top && y <= bottom) {
      draw_line(a, y, b, y, colour);
    }
  }
}

void draw_clipped_polyline(PanelRecord*, const PolygonRecord* polygon, const PanelRecord* clip) {
  const int32_t count = vertex_count(polygon);
  if (!clip || count < 2) return;
  const int64_t L = static_cast<int64_t>(clip->x0) + 1, T = static_cast<int64_t>(clip->y0) + 1;
  const int64_t R = static_cast<int64_t>(clip->x1) - 1, B = static_cast<int64_t>(clip->y1) - 1;
  auto inside = [&](int64_t x, int64_t y) { return L <= x && x <= R && T <= y && y <= B; };
  auto nonzero = [](int64_t d) { return d == 0 ? int64_t{1} : d; };
  for (int32_t i = 0; i + 1 < count; ++i) {
    int64_t xa = truncate(polygon->vertices[i].x), ya = truncate(polygon->vertices[i].y);
    int64_t xb = truncate(polygon->vertices[i + 1].x), yb = truncate(polygon->vertices[i + 1].y);
    const int32_t colour = polygon->vertices[i].r;
    if ((xa < L && xb < L) || (xa > R && xb > R) || (ya < T && yb < T) || (ya > B && yb > B)) continue;
    if (!(inside(xa, ya) && inside(xb, yb))) {
      if (xa > xb) {
        std::swap(xa, xb);
        std::swap(ya, yb);
      }
      if (xa < L && L <= xb) {
        ya += (yb - ya) * (L - xa) / nonzero(xb - xa);
        xa = L;
      }
      if (xa <= R && R < xb) {
        yb = ya + (yb - ya) * (R - xa) / nonzero(xb - xa);
        xb = R;
      }
      if (ya > yb) {
        std::swap(xa, xb);
        std::swap(ya, yb);
      }
      if (ya < T && T <= yb) {
        xa += (xb - xa) * (T - ya) / nonzero(yb - ya);
        ya = T;
      }
      if (ya <= B && B < yb) {
        xb = xa + (xb - xa) * (B - ya) / nonzero(yb - ya);
        yb = B;
      }
      if (!(inside(xa, ya) && inside(xb, yb))) continue;
    }
    draw_line(static_cast<int32_t>(xa), static_cast<int32_t>(ya), static_cast<int32_t>(xb), static_cast<int32_t>(yb),
              colour);
  }
}
