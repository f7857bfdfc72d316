// The scan converter: integer edge walking into per-row edge tables, then flat or textured span filling.
#include "engine/raster/scan_convert.h"

#include <utility>

#include "engine/core/maths.h"
#include "engine/core/settings.h"
#include "engine/core/wrap.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "engine/raster/dither.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/haze.h"
#include "engine/raster/polygon_tape.h"
#include "engine/raster/span_output.h"
#include "engine/raster/span_ramp.h"
#include "engine/raster/span_ramp_writer.h"

constinit thread_local RasterVertex raster_vertices[kPolygonCapacity] = {};
constinit thread_local int32_t raster_vertex_count = 0;
constinit thread_local EdgeEntry edge_left[kRasterRows] = {};
constinit thread_local EdgeEntry edge_right[kRasterRows] = {};
constinit thread_local int32_t span_y_min = 0, span_y_max = -1;
constinit thread_local RasterTexture raster_texture = {nullptr, 0, 0, 0, 0, 0};

namespace {
// Band 0 bumps the poll count for every polygon: a cache line of its own, like polygon_count's.
struct alignas(64) PollCounter {
  int32_t value = 0;
};
constinit PollCounter poll_counter;
}  // namespace
int32_t& raster_poll_count = poll_counter.value;

namespace {

// A span may run from column 0 to the widest projection inclusive; spans are cut at the image edge before filling.
constexpr int32_t kSpanLength = kRasterRows + 1;
thread_local SpanPixel span_flat[kSpanLength];
thread_local SpanPixel span_textured[kSpanLength];

thread_local int32_t band_index = 0, band_count = 1;
thread_local int32_t band_first_row = 0, band_end_row = 0x7FFFFFFF;  // image rows this thread writes

inline void take(EdgeEntry& e, int32_t x, int32_t r, int32_t g, int32_t b, int32_t alpha, int32_t slot) {
  e.x = static_cast<int16_t>(x);
  e.r = static_cast<uint16_t>(r);
  e.g = static_cast<uint16_t>(g);
  e.b = static_cast<uint16_t>(b);
  e.alpha = static_cast<uint16_t>(alpha);
  e.slot = static_cast<uint16_t>(slot);
}

inline void advance(LineStepper* s) { line_stepper_advance_masked(s); }

// The image row of projection row y: the square projection is centred vertically on the image.
inline int32_t image_row(int32_t y) { return y - (proj_height - image_height) / 2; }

// The projection rows of the image rows first_row..end_row - 1, cut to the image.
inline RowBand rows_of_band(int32_t first_row, int32_t end_row) {
  RowBand r = image_rows();
  const int64_t top = (proj_height - image_height) / 2;
  const int64_t first = top + first_row, last = top + int64_t{end_row} - 1;
  if (first > r.first) r.first = static_cast<int32_t>(first > kRasterRows ? kRasterRows : first);
  if (last < r.last) r.last = static_cast<int32_t>(last < -1 ? -1 : last);
  return r;
}
// A band thread's rows are the only live ones: the others' edges are neither set up nor walked.
inline RowBand live_rows() { return band_count > 1 ? rows_of_band(band_first_row, band_end_row) : image_rows(); }

// Where an edge from row y0 to row y1 meets the band: its rows y to y_end and the k first rows passed over.
inline bool edge_rows(int32_t y0, int32_t y1, const RowBand& band, int32_t* y, int32_t* y_end, int32_t* k) {
  *k = band.first > y0 ? band.first - y0 : 0;
  *y = y0 + *k;
  *y_end = y1 > band.last ? band.last : y1;
  return *y <= *y_end;
}

// The image's place in the projection and its size, as span clipping reads them. A loop over many spans holds
// one instead of reading the globals again for every span.
struct ImageExtent {
  int32_t top, height, width;

  static ImageExtent current() { return {(proj_height - image_height) / 2, image_height, image_width}; }

  // The image row and the columns x0 to last (n pixels) of one span, cut to the image and to the span
  // buffer; false when nothing of it is inside the image. Columns past the image are never shown, so the
  // span is cut there before it is filled.
  inline bool clip(int32_t row, int32_t left, int32_t right, int32_t* sy, int32_t* x0, int32_t* last,
                   int32_t* n) const {
    *sy = row - top;
    if (*sy < 0 || *sy >= height) return false;
    *x0 = left < 0 ? 0 : left;
    if (!(*x0 < width && right >= 0)) return false;
    *last = right;
    if (*last > width - 1) *last = width - 1;
    if (*last > kSpanLength - 1 + *x0) *last = kSpanLength - 1 + *x0;
    *n = *last - *x0 + 1;
    return true;
  }
};
inline bool clip_columns(int32_t row, int32_t left, int32_t right, int32_t* sy, int32_t* x0, int32_t* last,
                         int32_t* n) {
  return ImageExtent::current().clip(row, left, right, sy, x0, last, n);
}
inline bool clip_span(int32_t row, const EdgeEntry* left, const EdgeEntry* right, int32_t* sy, int32_t* x0,
                      int32_t* last, int32_t* n) {
  return clip_columns(row, left->x, right->x, sy, x0, last, n);
}

}  // namespace

void raster_set_band(int32_t index, int32_t count, int32_t first_row, int32_t end_row) {
  band_count = count < 1 ? 1 : count;
  band_index = index < 0 || index >= band_count ? 0 : index;
  band_first_row = band_count > 1 ? first_row : 0;
  band_end_row = band_count > 1 ? end_row : 0x7FFFFFFF;
}

uint32_t raster_row_work[kRasterRows];

void span_table_reset() {
  span_y_min = kRasterRows;
  span_y_max = -1;
  for (int32_t i = 0; i < raster_vertex_count; ++i) {
    const int32_t y = raster_vertices[i].y;
    if (y < span_y_min) span_y_min = y;
    if (y > span_y_max) span_y_max = y;
  }
  const RowBand band = live_rows();
  const int32_t first = span_y_min < band.first ? band.first : span_y_min;
  const int32_t last = span_y_max > band.last ? band.last : span_y_max;
  const int16_t far_left = static_cast<int16_t>(image_width > 32767 ? 32767 : image_width);
  for (int32_t y = first; y <= last; ++y) {
    edge_left[y].x = far_left;
    edge_right[y].x = -1;
  }
}

void edge_walk(const RasterVertex* upper, const RasterVertex* lower) {
  const int32_t dy = lower->y - upper->y;
  int32_t y, y_end, skipped;
  if (!edge_rows(upper->y, lower->y, live_rows(), &y, &y_end, &skipped)) return;
  // Every stepper starts at the first row inside the band: the rows above it are jumped, not walked.
  auto start = [&](LineStepper* s, int32_t first_value, int32_t last_value) {
    line_stepper_init(s, 0, dy, first_value, last_value);
    line_stepper_jump(s, skipped);
  };
  LineStepper sx;
  start(&sx, upper->x, lower->x);
  const bool textured = raster_texture.texels != nullptr;
  if (!textured && upper->r == lower->r && upper->g == lower->g && upper->b == lower->b &&
      upper->alpha == lower->alpha && upper->slot == lower->slot) {
    // One-colour edge: only the column moves.
    for (; y <= y_end; ++y) {
      const int32_t x = sx.value;
      if (x < edge_left[y].x) take(edge_left[y], x, upper->r, upper->g, upper->b, upper->alpha, upper->slot);
      if (x > edge_right[y].x) take(edge_right[y], x, upper->r, upper->g, upper->b, upper->alpha, upper->slot);
      advance(&sx);
    }
    return;
  }
  LineStepper sr, sg, sb, sa, ss;
  start(&sr, upper->r, lower->r);
  start(&sg, upper->g, lower->g);
  start(&sb, upper->b, lower->b);
  start(&sa, upper->alpha, lower->alpha);
  start(&ss, upper->slot, lower->slot);
  if (!textured) {
    for (; y <= y_end; ++y) {
      const int32_t x = sx.value;
      if (x < edge_left[y].x) take(edge_left[y], x, sr.value, sg.value, sb.value, sa.value, ss.value);
      if (x > edge_right[y].x) take(edge_right[y], x, sr.value, sg.value, sb.value, sa.value, ss.value);
      advance(&sx);
      advance(&sr);
      advance(&sg);
      advance(&sb);
      advance(&sa);
      advance(&ss);
    }
    return;
  }
  LineStepper sl, su, sv;
  start(&su, upper->tu, lower->tu);
  start(&sv, upper->tv, lower->tv);
  // The third texture coordinate is never looked up; the edge entries keep the upper vertex's value.
  if (upper->r == lower->r && upper->g == lower->g && upper->b == lower->b && upper->alpha == lower->alpha &&
      upper->slot == lower->slot && upper->light == lower->light) {
    // One colour and one light level along the edge, as on textured terrain: only the position and texture move.
    for (; y <= y_end; ++y) {
      const int32_t x = sx.value;
      EdgeEntry* sides[2] = {x < edge_left[y].x ? &edge_left[y] : nullptr,
                             x > edge_right[y].x ? &edge_right[y] : nullptr};
      for (EdgeEntry* e : sides) {
        if (e == nullptr) continue;
        take(*e, x, upper->r, upper->g, upper->b, upper->alpha, upper->slot);
        e->light = upper->light;
        e->tu = su.value;
        e->tv = sv.value;
        e->tw = upper->tw;
      }
      advance(&sx);
      advance(&su);
      advance(&sv);
    }
    return;
  }
  start(&sl, upper->light, lower->light);
  for (; y <= y_end; ++y) {
    const int32_t x = sx.value;
    EdgeEntry* sides[2] = {x < edge_left[y].x ? &edge_left[y] : nullptr,
                           x > edge_right[y].x ? &edge_right[y] : nullptr};
    for (EdgeEntry* e : sides) {
      if (e == nullptr) continue;
      take(*e, x, sr.value, sg.value, sb.value, sa.value, ss.value);
      e->light = static_cast<uint16_t>(sl.value);
      e->tu = su.value;
      e->tv = sv.value;
      e->tw = upper->tw;
    }
    advance(&sx);
    advance(&sr);
    advance(&sg);
    advance(&sb);
    advance(&sa);
    advance(&ss);
    advance(&sl);
    advance(&su);
    advance(&sv);
  }
}

namespace {

// True when the record is untextured and every entry has one colour, opacity and slot, as every flat-shaded
// terrain triangle: its edge entries would all carry that colour, so only their columns need recording.
bool one_colour_polygon() {
  if (raster_texture.texels != nullptr) return false;
  const RasterVertex& v = raster_vertices[0];
  for (int32_t i = 1; i < raster_vertex_count; ++i) {
    const RasterVertex& w = raster_vertices[i];
    if (w.r != v.r || w.g != v.g || w.b != v.b || w.alpha != v.alpha || w.slot != v.slot) return false;
  }
  return true;
}

// edge_walk for a one-colour polygon: the columns alone, without the five colour fields per entry.
void edge_walk_columns(const RasterVertex* upper, const RasterVertex* lower, const RowBand& band) {
  int32_t y, y_end, skipped;
  if (!edge_rows(upper->y, lower->y, band, &y, &y_end, &skipped)) return;
  LineStepper sx;
  line_stepper_init(&sx, 0, lower->y - upper->y, upper->x, lower->x);
  line_stepper_jump(&sx, skipped);
  for (; y <= y_end; ++y) {
    const int32_t x = sx.value;
    if (x < edge_left[y].x) edge_left[y].x = static_cast<int16_t>(x);
    if (x > edge_right[y].x) edge_right[y].x = static_cast<int16_t>(x);
    advance(&sx);
  }
}

// The columns of every edge of the current polygon, in the band's rows.
void edge_walk_all_columns(const RowBand& band) {
  for (int32_t i = 0; i + 1 < raster_vertex_count; ++i) {
    const RasterVertex* a = &raster_vertices[i];
    const RasterVertex* b = &raster_vertices[i + 1];
    if (a->y < b->y) {
      edge_walk_columns(a, b, band);
    } else {
      edge_walk_columns(b, a, band);
    }
  }
}

// fill_spans for a one-colour polygon: every span is the polygon's colour at its opacity and slot, so the span
// set-up is made once for the polygon.
void fill_spans_one_colour(const RowBand& band) {
  const RasterVertex& v = raster_vertices[0];
  const SpanRamp ramp =
      constant_ramp(v.r, v.g, v.b, static_cast<uint8_t>(v.alpha), static_cast<uint8_t>(v.slot));
  ConstantRampWriter writer(ramp);
  const int32_t first = span_y_min < band.first ? band.first : span_y_min;
  const int32_t last = span_y_max > band.last ? band.last : span_y_max;
  for (int32_t y = first; y <= last; ++y) {
    if (edge_right[y].x < edge_left[y].x) continue;
    int32_t sy, x0, x1, n;
    if (!clip_span(y, &edge_left[y], &edge_right[y], &sy, &x0, &x1, &n)) continue;
    raster_row_work[sy] += kSpanWork + static_cast<uint32_t>(n);
    writer.write(sy, x0, x1);
  }
}

// The column stepper of the record's edge from entry a to entry b as edge_walk_columns sets it up (from its upper
// end, the later entry when both lie on one row), moved on to row `from` when that lies below the upper end.
inline LineStepper edge_column_stepper(const RasterVertex& a, const RasterVertex& b, int32_t from) {
  const RasterVertex& upper = a.y < b.y ? a : b;
  const RasterVertex& lower = a.y < b.y ? b : a;
  LineStepper s;
  const int32_t dy = lower.y - upper.y;
  if (dy <= 1) {
    // An edge of one step (most edges of the terrain's small triangles): line_stepper_init's quotient is then the
    // whole column difference and its remainder 0, set here without its division.
    s.steps = 1;
    s.sign = lower.x < upper.x ? -1 : 1;
    s.value = upper.x;
    s.error = 1;
    s.step = lower.x - upper.x;
    s.remainder = 0;
  } else {
    line_stepper_init(&s, 0, dy, upper.x, lower.x);
  }
  line_stepper_jump(&s, from - upper.y);
  return s;
}

// The record edge between corners p and q of a triangle (entries 0, 1, 2 closed by a copy of entry 0): its
// entries in record order, since which end an edge walks from decides its columns.
inline LineStepper triangle_edge_stepper(int32_t p, int32_t q, int32_t from) {
  const bool forward = (p + 1) % 3 == q;
  return forward ? edge_column_stepper(raster_vertices[p], raster_vertices[q], from)
                 : edge_column_stepper(raster_vertices[q], raster_vertices[p], from);
}

// True when the record is a triangle whose closing entry repeats the first corner's position: its rows' columns
// can be walked straight from its three edges.
inline bool closed_triangle() {
  return raster_vertex_count == 4 && raster_vertices[3].x == raster_vertices[0].x &&
         raster_vertices[3].y == raster_vertices[0].y;
}
// A one-colour closed triangle, as nearly every terrain polygon: drawn straight from its edges.
bool direct_triangle() { return closed_triangle() && one_colour_polygon(); }

// Hands each row of the band that a direct triangle covers, top to bottom, to row(y, left, right) with the
// columns the edge tables would hold there: the least and greatest column any of its three edges takes in that
// row, against the tables' starting values. The long edge (top corner to bottom corner) covers every row; the
// short edge above the middle corner's row and the one below it cover the rest, and both that row. Saves
// resetting, writing and re-reading two table entries per row and the walk of each edge on its own.
template <class Row>
void walk_triangle_rows(const RowBand& band, Row&& row) {
  int32_t top = 0, mid = 1, bottom = 2;
  const RasterVertex* v = raster_vertices;
  if (v[mid].y < v[top].y) std::swap(top, mid);
  if (v[bottom].y < v[mid].y) std::swap(mid, bottom);
  if (v[mid].y < v[top].y) std::swap(top, mid);
  const int32_t y_top = v[top].y, y_mid = v[mid].y, y_bottom = v[bottom].y;
  const int32_t first = y_top < band.first ? band.first : y_top;
  const int32_t last = y_bottom > band.last ? band.last : y_bottom;
  if (first > last) return;
  const int32_t far_left = image_width > 32767 ? 32767 : image_width;
  auto emit = [&](int32_t y, int32_t lo, int32_t hi) {
    row(y, lo < far_left ? lo : far_left, hi > -1 ? hi : -1);
  };
  LineStepper longer = triangle_edge_stepper(top, bottom, first);
  int32_t y = first;
  if (first <= y_mid) {
    LineStepper upper = triangle_edge_stepper(top, mid, first);
    const int32_t upper_end = y_mid - 1 < last ? y_mid - 1 : last;
    for (; y <= upper_end; ++y) {
      const int32_t a = longer.value, b = upper.value;
      emit(y, a < b ? a : b, a > b ? a : b);
      advance(&longer);
      advance(&upper);
    }
    if (y > last) return;
    // The middle corner's row: both short edges take a column there.
    const LineStepper lower_start = triangle_edge_stepper(mid, bottom, y_mid);
    const int32_t a = longer.value, b = upper.value, c = lower_start.value;
    const int32_t lo = a < b ? a : b, hi = a > b ? a : b;
    emit(y, lo < c ? lo : c, hi > c ? hi : c);
    advance(&longer);
    LineStepper lower = lower_start;
    advance(&lower);
    for (++y; y <= last; ++y) {
      const int32_t p = longer.value, q = lower.value;
      emit(y, p < q ? p : q, p > q ? p : q);
      advance(&longer);
      advance(&lower);
    }
    return;
  }
  LineStepper lower = triangle_edge_stepper(mid, bottom, first);
  for (; y <= last; ++y) {
    const int32_t p = longer.value, q = lower.value;
    emit(y, p < q ? p : q, p > q ? p : q);
    advance(&longer);
    advance(&lower);
  }
}

// A direct triangle's spans in the band's rows, drawn as fill_spans_one_colour draws them from the tables.
void fill_triangle_direct(const RowBand& band) {
  const RasterVertex& v = raster_vertices[0];
  const SpanRamp ramp =
      constant_ramp(v.r, v.g, v.b, static_cast<uint8_t>(v.alpha), static_cast<uint8_t>(v.slot));
  ConstantRampWriter writer(ramp);
  const ImageExtent extent = ImageExtent::current();
  walk_triangle_rows(band, [&](int32_t y, int32_t left, int32_t right) {
    if (right < left) return;
    int32_t sy, x0, x1, n;
    if (!extent.clip(y, left, right, &sy, &x0, &x1, &n)) return;
    raster_row_work[sy] += kSpanWork + static_cast<uint32_t>(n);
    writer.write(sy, x0, x1);
  });
}

}  // namespace

namespace {

// edge_table_build for a polygon already known to be, or not to be, a direct triangle: the converter asks once.
void build_and_fill(bool direct) {
  // Two corners and a closing entry make no area: such a record draws nothing.
  if (raster_vertex_count < 4) return;
  // A polygon wholly above or below the image draws nothing: no edge is walked (a sixth of the start-up scene's).
  const RowBand band = live_rows();
  if (span_y_max < band.first || span_y_min > band.last) return;
  if (direct) {
    fill_triangle_direct(band);
    return;
  }
  if (one_colour_polygon()) {
    edge_walk_all_columns(band);
    fill_spans_one_colour(band);
    return;
  }
  for (int32_t i = 0; i + 1 < raster_vertex_count; ++i) {
    const RasterVertex* a = &raster_vertices[i];
    const RasterVertex* b = &raster_vertices[i + 1];
    if (a->y < b->y) {
      edge_walk(a, b);
    } else {
      edge_walk(b, a);
    }
  }
  fill_spans();
}

}  // namespace

void edge_table_build() { build_and_fill(direct_triangle()); }

void fill_spans() {
  const RowBand band = live_rows();
  const int32_t first = span_y_min < band.first ? band.first : span_y_min;
  const int32_t last = span_y_max > band.last ? band.last : span_y_max;
  const bool textured = raster_texture.texels != nullptr;
  for (int32_t y = first; y <= last; ++y) {
    if (edge_right[y].x < edge_left[y].x) continue;
    const int32_t sy = image_row(y);
    if (sy >= 0 && sy < kRasterRows) {
      const int32_t x0 = edge_left[y].x < 0 ? 0 : edge_left[y].x;
      const int32_t x1 = edge_right[y].x >= image_width ? image_width - 1 : edge_right[y].x;
      raster_row_work[sy] += kSpanWork + static_cast<uint32_t>(x1 >= x0 ? x1 - x0 + 1 : 0);
    }
    if (textured) {
      fill_spans_textured(y, &edge_left[y], &edge_right[y]);
    } else {
      fill_spans_flat(y, &edge_left[y], &edge_right[y]);
    }
  }
}

void fill_spans_flat(int32_t row, const EdgeEntry* left, const EdgeEntry* right) {
  int32_t sy, x0, last, n;
  if (!clip_span(row, left, right, &sy, &x0, &last, &n)) return;
  const int32_t x1 = right->x;  // the span's own end: colours and texels step over the uncut span
  if (left->alpha == right->alpha && left->slot == right->slot) {
    // One opacity and slot across the span (nearly every span): stepped, dithered and stored in one pass
    // instead of filling a span buffer, dithering it and reading it back.
    const uint8_t alpha = static_cast<uint8_t>(left->alpha), slot = static_cast<uint8_t>(left->slot);
    if (left->r == right->r && left->g == right->g && left->b == right->b) {
      output_ramp(sy, x0, last, constant_ramp(left->r, left->g, left->b, alpha, slot));
      return;
    }
    // Gouraud colours: only the channels move.
    output_ramp(sy, x0, last,
                stepped_ramp(x0, x1, left->r, left->g, left->b, right->r, right->g, right->b, alpha, slot));
    return;
  }
  // Opacity or slot moving across the span (rare): through a span buffer and the general output.
  SpanPixel* out = span_flat;
  LineStepper sr, sg, sb, sa, ss;
  line_stepper_init(&sr, x0, x1, left->r, right->r);
  line_stepper_init(&sg, x0, x1, left->g, right->g);
  line_stepper_init(&sb, x0, x1, left->b, right->b);
  line_stepper_init(&sa, x0, x1, left->alpha, right->alpha);
  line_stepper_init(&ss, x0, x1, left->slot, right->slot);
  for (int32_t i = 0; i < n; ++i) {
    out[i].r = static_cast<uint16_t>(sr.value);
    out[i].g = static_cast<uint16_t>(sg.value);
    out[i].b = static_cast<uint16_t>(sb.value);
    out[i].alpha = static_cast<uint8_t>(sa.value);
    out[i].slot = static_cast<uint8_t>(ss.value);
    advance(&sr);
    advance(&sg);
    advance(&sb);
    advance(&sa);
    advance(&ss);
  }
  output_hzline(sy, x0, last, out);
}

namespace {

// Texel lookup and lighting of one textured pixel whose interpolated colour, opacity and slot are already in p.
// The last shaded texel is remembered: shade_color depends only on its arguments and the frame's light settings.
struct TexelShader {
  RasterTexture tex;
  bool pow2;
  int32_t mask_u, mask_v;
  uint32_t last_rgb = 0xFFFFFFFFu;
  int32_t last_light = -1;
  uint32_t shaded = 0;

  explicit TexelShader(const RasterTexture& t)
      : tex(t),
        // Sides that are powers of two wrap by masking, which gives the same non-negative remainder as the modulo.
        pow2((t.width256 & (t.width256 - 1)) == 0 && (t.height256 & (t.height256 - 1)) == 0),
        mask_u(t.width256 - 1),
        mask_v(t.height256 - 1) {}

  inline void pixel(SpanPixel& p, int32_t tu, int32_t tv, int32_t light8_8) {
    int32_t u, v;
    if (pow2) {
      u = tu & mask_u;
      v = tv & mask_v;
    } else {
      u = tu % tex.width256;
      if (u < 0) u += tex.width256;
      v = tv % tex.height256;
      if (v < 0) v += tex.height256;
    }
    const uint32_t texel = tex.texels[(v >> 8) * tex.width + (u >> 8)];
    const int32_t ta = static_cast<int32_t>(texel >> 24);
    const uint32_t rgb = texel & 0xFFFFFFu;
    const int32_t light = light8_8 >> 8;
    if (rgb != last_rgb || light != last_light) {
      shaded = shade_color(static_cast<int32_t>(rgb >> 16), static_cast<int32_t>((rgb >> 8) & 255),
                           static_cast<int32_t>(rgb & 255), light, tex.phong_strength, tex.phong_power);
      last_rgb = rgb;
      last_light = light;
    }
    const int32_t cr = static_cast<int32_t>((shaded >> 16) & 255) * 256;
    const int32_t cg = static_cast<int32_t>((shaded >> 8) & 255) * 256;
    const int32_t cb = static_cast<int32_t>(shaded & 255) * 256;
    if (ta == 255) {
      p.r = static_cast<uint16_t>(cr);
      p.g = static_cast<uint16_t>(cg);
      p.b = static_cast<uint16_t>(cb);
      p.alpha = 255;
    } else if (p.alpha == 0) {
      // A see-through texel on a polygon without opacity of its own blends with what the frame holds.
      p.r = static_cast<uint16_t>(cr);
      p.g = static_cast<uint16_t>(cg);
      p.b = static_cast<uint16_t>(cb);
      p.alpha = static_cast<uint8_t>(ta);
    } else {
      // The texture's transparent parts show the polygon's own colour.
      p.r = static_cast<uint16_t>((cr * ta + p.r * (255 - ta)) / 255);
      p.g = static_cast<uint16_t>((cg * ta + p.g * (255 - ta)) / 255);
      p.b = static_cast<uint16_t>((cb * ta + p.b * (255 - ta)) / 255);
      p.alpha = 255;
    }
  }
};

}  // namespace

void fill_spans_textured(int32_t row, const EdgeEntry* left, const EdgeEntry* right) {
  int32_t sy, x0, last, n;
  if (!clip_span(row, left, right, &sy, &x0, &last, &n)) return;
  const int32_t x1 = right->x;  // the span's own end: colours and texels step over the uncut span
  // The third texture coordinate is never looked up, so it is not stepped.
  LineStepper su, sv;
  line_stepper_init(&su, x0, x1, left->tu, right->tu);
  line_stepper_init(&sv, x0, x1, left->tv, right->tv);
  TexelShader shader(raster_texture);
  SpanPixel* out = span_textured;
  if (left->r == right->r && left->g == right->g && left->b == right->b && left->alpha == right->alpha &&
      left->slot == right->slot && left->light == right->light) {
    // One colour and light level across the span: only the texture coordinates move.
    const SpanPixel base = {left->b, left->g, left->r, static_cast<uint8_t>(left->alpha),
                            static_cast<uint8_t>(left->slot)};
    const int32_t light = left->light;
    for (int32_t i = 0; i < n; ++i) {
      out[i] = base;
      shader.pixel(out[i], su.value, sv.value, light);
      advance(&su);
      advance(&sv);
    }
  } else {
    LineStepper sr, sg, sb, sa, ss, sl;
    line_stepper_init(&sr, x0, x1, left->r, right->r);
    line_stepper_init(&sg, x0, x1, left->g, right->g);
    line_stepper_init(&sb, x0, x1, left->b, right->b);
    line_stepper_init(&sa, x0, x1, left->alpha, right->alpha);
    line_stepper_init(&ss, x0, x1, left->slot, right->slot);
    line_stepper_init(&sl, x0, x1, left->light, right->light);
    for (int32_t i = 0; i < n; ++i) {
      SpanPixel& p = out[i];
      p.r = static_cast<uint16_t>(sr.value);
      p.g = static_cast<uint16_t>(sg.value);
      p.b = static_cast<uint16_t>(sb.value);
      p.alpha = static_cast<uint8_t>(sa.value);
      p.slot = static_cast<uint8_t>(ss.value);
      shader.pixel(p, su.value, sv.value, sl.value);
      advance(&sr);
      advance(&sg);
      advance(&sb);
      advance(&sa);
      advance(&ss);
      advance(&sl);
      advance(&su);
      advance(&sv);
    }
  }
  output_hzline(sy, x0, last, out);
}

namespace {

// The spans the current polygon has in image rows above and below this thread's band. Rows between its top and
// bottom vertex each hold a span when every corner lies inside the image's columns; otherwise the columns of
// every row are walked to see which spans the image cuts away. True when the edge tables were used for that.
bool spans_outside_band(int32_t* above, int32_t* below) {
  *above = *below = 0;
  if (raster_vertex_count < 4) return false;
  const RowBand all = image_rows();
  const RowBand mine = live_rows();
  const int32_t first = span_y_min < all.first ? all.first : span_y_min;
  const int32_t last = span_y_max > all.last ? all.last : span_y_max;
  if (first > last) return false;
  int32_t x_min = raster_vertices[0].x, x_max = raster_vertices[0].x;
  for (int32_t i = 1; i < raster_vertex_count; ++i) {
    if (raster_vertices[i].x < x_min) x_min = raster_vertices[i].x;
    if (raster_vertices[i].x > x_max) x_max = raster_vertices[i].x;
  }
  if (x_min >= 0 && x_max < image_width && x_max - x_min < kSpanLength) {
    const int32_t above_end = mine.first - 1 < last ? mine.first - 1 : last;
    const int32_t below_start = mine.last + 1 > first ? mine.last + 1 : first;
    *above = above_end >= first ? above_end - first + 1 : 0;
    *below = last >= below_start ? last - below_start + 1 : 0;
    return false;
  }
  if (closed_triangle()) {
    // A triangle's rows are walked straight from its edges, without the tables.
    walk_triangle_rows(all, [&](int32_t y, int32_t left, int32_t right) {
      if (y >= mine.first && y <= mine.last) return;
      if (right < left) return;
      int32_t sy, x0, x1, n;
      if (!clip_columns(y, left, right, &sy, &x0, &x1, &n)) return;
      ++(y < mine.first ? *above : *below);
    });
    return false;
  }
  const int16_t far_left = static_cast<int16_t>(image_width > 32767 ? 32767 : image_width);
  for (int32_t y = first; y <= last; ++y) {
    edge_left[y].x = far_left;
    edge_right[y].x = -1;
  }
  edge_walk_all_columns(all);
  for (int32_t y = first; y <= last; ++y) {
    if (y >= mine.first && y <= mine.last) continue;
    if (edge_right[y].x < edge_left[y].x) continue;
    int32_t sy, x0, x1, n;
    if (!clip_span(y, &edge_left[y], &edge_right[y], &sy, &x0, &x1, &n)) continue;
    ++(y < mine.first ? *above : *below);
  }
  return true;
}

// Every 1024th polygon lets the window breathe. A stop seen here is handed on as a pending request, so that the
// terrain walk's own poll, which is what ends a render, still sees it. Only band 0 polls.
void poll_now_and_then() {
  if (band_index != 0) return;
  raster_poll_count = add_wrap32(raster_poll_count, 1);
  if ((static_cast<uint32_t>(raster_poll_count) & 1023u) == 0 && poll_user_abort() < 0) user_abort = 1;
}

// A polygon none of whose spans fall in this band's rows: its spans' dither draws are taken and band 0 counts it.
void settle_outside_band(int32_t spans) {
  if (spans > 0) dither_skip(static_cast<uint64_t>(spans));
  if (band_index == 0) polygon_count = add_wrap32(polygon_count, 1);
}

}  // namespace

int32_t raster_band_draws_elsewhere(int32_t first_row, int32_t end_row, int32_t n, int32_t y_min, int32_t y_max,
                                    int32_t x_min, int32_t x_max) {
  const RowBand mine = rows_of_band(first_row, end_row);
  if (n >= 4 && !(y_max < mine.first || y_min > mine.last)) return -1;
  const bool dithered = render_settings.dither_amount != 0;
  // Spans can be counted from the bounds alone when every row between them holds one inside the image.
  if (n >= 4 && dithered && !(x_min >= 0 && x_max < image_width && x_max - x_min < kSpanLength)) return -1;
  if (n < 4 || !dithered) return 0;
  const RowBand all = image_rows();
  const int32_t first = y_min < all.first ? all.first : y_min;
  const int32_t last = y_max > all.last ? all.last : y_max;
  return first <= last ? last - first + 1 : 0;
}

void raster_settle_skipped(int64_t draws, int64_t polygons) {
  if (polygons > 0 && band_index == 0) {
    // Band 0 counts the polygons and polls once if the run passed a 1024th polygon, as drawing them one by one
    // would have polled.
    const uint32_t before = static_cast<uint32_t>(raster_poll_count);
    const uint32_t after = before + static_cast<uint32_t>(polygons);
    raster_poll_count = static_cast<int32_t>(after);
    const bool passed = polygons >= 1024 || (after & ~1023u) != (before & ~1023u);
    if (passed && poll_user_abort() < 0) user_abort = 1;
    polygon_count = static_cast<int32_t>(static_cast<uint32_t>(polygon_count) + static_cast<uint32_t>(polygons));
  }
  if (draws > 0) dither_skip(static_cast<uint64_t>(draws));
}

const TextureRef* raster_usable_texture(const TextureRef* t) {
  return t != nullptr && t->texels != nullptr && t->width > 0 && t->height > 0 && t->width <= 0x7FFFFF &&
                 t->height <= 0x7FFFFF
             ? t
             : nullptr;
}

void raster_pass_over_polygon() {
  if (banded_tape != nullptr) {
    tape_pass_over(banded_tape);
    return;
  }
  poll_now_and_then();
  if (band_index == 0) polygon_count = add_wrap32(polygon_count, 1);
}

void rasterize_polygon(const PolygonRecord* polygon) {
  // A walk worker only records; the frame's own thread rasterises the tape in walk order.
  if (banded_tape != nullptr) {
    tape_record(banded_tape, polygon);
    return;
  }
  // A texture without texels or with an unusable size is drawn as an untextured polygon rather than read out of
  // bounds or divided by zero.
  const TextureRef* t = raster_usable_texture(polygon->tx_map);
  int32_t n = polygon->count;
  if (n < 0) n = 0;
  if (n > kPolygonCapacity) n = kPolygonCapacity;
  int32_t y_min = kRasterRows, y_max = -1;
  for (int32_t i = 0; i < n; ++i) {
    RasterVertex& o = raster_vertices[i];
    raster_convert_vertex(polygon->vertices[i], t != nullptr, &o);
    if (o.y < y_min) y_min = o.y;
    if (o.y > y_max) y_max = o.y;
  }
  rasterize_converted(n, y_min, y_max, t);
}

void rasterize_untextured(const RasterVertex* vertices, int32_t n) {
  if (banded_tape != nullptr) {
    tape_record_untextured(banded_tape, vertices, n);
    return;
  }
  if (n < 0) n = 0;
  if (n > kPolygonCapacity) n = kPolygonCapacity;
  int32_t y_min = kRasterRows, y_max = -1;
  for (int32_t i = 0; i < n; ++i) {
    raster_vertices[i] = vertices[i];
    if (vertices[i].y < y_min) y_min = vertices[i].y;
    if (vertices[i].y > y_max) y_max = vertices[i].y;
  }
  rasterize_converted(n, y_min, y_max, nullptr);
}

void rasterize_converted(int32_t n, int32_t y_min, int32_t y_max, const TextureRef* t) {
  poll_now_and_then();
  if (t != nullptr) {
    raster_texture = {t->texels, t->width * 256, t->height * 256, t->width, t->phong_strength, t->phong_power};
  } else {
    raster_texture.texels = nullptr;
  }
  raster_vertex_count = n;
  if (band_count > 1) {
    const RowBand mine = live_rows();
    if (n < 4 || y_max < mine.first || y_min > mine.last) {
      // None of this band's rows: the polygon only takes the dither draws of its spans.
      int32_t above = 0, below = 0;
      if (n >= 4 && render_settings.dither_amount != 0) {
        span_y_min = y_min;
        span_y_max = y_max;
        spans_outside_band(&above, &below);
      }
      settle_outside_band(above + below);
      return;
    }
  }

  // A triangle drawn straight from its edges needs only its row bounds, which are known: its table rows are
  // neither reset nor its corners searched again.
  const bool direct = direct_triangle();
  if (direct) {
    span_y_min = y_min;
    span_y_max = y_max;
  } else {
    span_table_reset();
  }
  if (band_count > 1 && render_settings.dither_amount != 0) {
    // Every span of the polygon takes one draw of the dither noise, in row order: the spans of other bands'
    // rows above and below are counted and their draws taken around this band's own.
    int32_t above = 0, below = 0;
    if (spans_outside_band(&above, &below) && !direct) span_table_reset();
    if (above > 0) dither_skip(static_cast<uint64_t>(above));
    build_and_fill(direct);
    if (below > 0) dither_skip(static_cast<uint64_t>(below));
  } else {
    build_and_fill(direct);
  }
  if (band_index == 0) polygon_count = add_wrap32(polygon_count, 1);
}
