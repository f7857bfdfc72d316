// The scan converter: integer edge walking into per-row edge tables, then flat or textured span filling.
#include "engine/raster/scan_convert.h"

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

constinit thread_local RasterVertex raster_vertices[kPolygonCapacity];
constinit thread_local int32_t raster_vertex_count = 0;
constinit thread_local EdgeEntry edge_left[kRasterRows];
constinit thread_local EdgeEntry edge_right[kRasterRows];
constinit thread_local int32_t span_y_min = 0, span_y_max = -1;
constinit thread_local RasterTexture raster_texture = {nullptr, 0, 0, 0, 0, 0};
int32_t raster_poll_count = 0;

namespace {

// A span may run from column 0 to the widest projection inclusive; spans are cut at the image edge before filling.
constexpr int32_t kSpanLength = kRasterRows + 1;
thread_local SpanPixel span_flat[kSpanLength];
thread_local SpanPixel span_textured[kSpanLength];

thread_local int32_t band_index = 0, band_count = 1;

// True when image row sy belongs to this thread's band.
inline bool row_in_band(int32_t sy) { return band_count == 1 || (sy / kBandStripe) % band_count == band_index; }

// Float to integer, truncating toward zero, held inside [lo, hi] (NaN gives 0) so that wild coordinates from a
// caller cannot overflow the integer steppers.
inline int32_t trunc_clamped(float f, int32_t lo, int32_t hi) {
  if (f >= static_cast<float>(lo) && f <= static_cast<float>(hi)) return static_cast<int32_t>(f);
  if (f < static_cast<float>(lo)) return lo;
  if (f > static_cast<float>(hi)) return hi;
  return 0;
}

inline void take(EdgeEntry& e, int32_t x, int32_t r, int32_t g, int32_t b, int32_t alpha, int32_t slot) {
  e.x = static_cast<int16_t>(x);
  e.r = static_cast<uint16_t>(r);
  e.g = static_cast<uint16_t>(g);
  e.b = static_cast<uint16_t>(b);
  e.alpha = static_cast<uint16_t>(alpha);
  e.slot = static_cast<uint16_t>(slot);
}

// line_stepper_advance without a branch: the carry of the error term is applied through a mask, which keeps the
// per-pixel loops free of unpredictable jumps. Same values step for step.
inline void advance(LineStepper* s) {
  s->value += s->step;
  s->error += s->remainder;
  const int32_t over = -static_cast<int32_t>(s->error > s->steps);
  s->error -= s->steps & over;
  s->value += s->sign & over;
}

// The image row of projection row y: the square projection is centred vertically on the image.
inline int32_t image_row(int32_t y) { return y - (proj_height - image_height) / 2; }

// The image row and the columns x0 to last (n pixels) of one span, cut to the image and to the span
// buffer; false when nothing of it is inside the image. Columns past the image are never shown, so the
// span is cut there before it is filled.
inline bool clip_span(int32_t row, const EdgeEntry* left, const EdgeEntry* right, int32_t* sy, int32_t* x0,
                      int32_t* last, int32_t* n) {
  *sy = image_row(row);
  if (*sy < 0 || *sy >= image_height) return false;
  *x0 = left->x < 0 ? 0 : left->x;
  if (!(*x0 < image_width && right->x >= 0)) return false;
  *last = right->x;
  if (*last > image_width - 1) *last = image_width - 1;
  if (*last > kSpanLength - 1 + *x0) *last = kSpanLength - 1 + *x0;
  *n = *last - *x0 + 1;
  return true;
}

}  // namespace

void raster_set_band(int32_t index, int32_t count) {
  band_count = count < 1 ? 1 : count;
  band_index = index < 0 || index >= band_count ? 0 : index;
}

bool row_in_raster_band(int32_t y) { return row_in_band(y); }

void span_table_reset() {
  span_y_min = kRasterRows;
  span_y_max = -1;
  for (int32_t i = 0; i < raster_vertex_count; ++i) {
    const int32_t y = raster_vertices[i].y;
    if (y < span_y_min) span_y_min = y;
    if (y > span_y_max) span_y_max = y;
  }
  const int32_t first = span_y_min < 0 ? 0 : span_y_min;
  const int32_t last = span_y_max >= kRasterRows ? kRasterRows - 1 : span_y_max;
  const int16_t far_left = static_cast<int16_t>(image_width > 32767 ? 32767 : image_width);
  for (int32_t y = first; y <= last; ++y) {
    edge_left[y].x = far_left;
    edge_right[y].x = -1;
  }
}

void edge_walk(const RasterVertex* upper, const RasterVertex* lower) {
  const int32_t dy = lower->y - upper->y;
  int32_t y = upper->y;
  const int32_t y_end = lower->y;
  LineStepper sx;
  line_stepper_init(&sx, 0, dy, upper->x, lower->x);
  const bool textured = raster_texture.texels != nullptr;
  if (!textured && upper->r == lower->r && upper->g == lower->g && upper->b == lower->b &&
      upper->alpha == lower->alpha && upper->slot == lower->slot) {
    // One-colour edge: only the column moves.
    for (; y <= y_end; ++y) {
      if (y >= 0 && y < kRasterRows) {
        const int32_t x = sx.value;
        if (x < edge_left[y].x) take(edge_left[y], x, upper->r, upper->g, upper->b, upper->alpha, upper->slot);
        if (x > edge_right[y].x) take(edge_right[y], x, upper->r, upper->g, upper->b, upper->alpha, upper->slot);
      }
      advance(&sx);
    }
    return;
  }
  LineStepper sr, sg, sb, sa, ss;
  line_stepper_init(&sr, 0, dy, upper->r, lower->r);
  line_stepper_init(&sg, 0, dy, upper->g, lower->g);
  line_stepper_init(&sb, 0, dy, upper->b, lower->b);
  line_stepper_init(&sa, 0, dy, upper->alpha, lower->alpha);
  line_stepper_init(&ss, 0, dy, upper->slot, lower->slot);
  if (!textured) {
    for (; y <= y_end; ++y) {
      if (y >= 0 && y < kRasterRows) {
        const int32_t x = sx.value;
        if (x < edge_left[y].x) take(edge_left[y], x, sr.value, sg.value, sb.value, sa.value, ss.value);
        if (x > edge_right[y].x) take(edge_right[y], x, sr.value, sg.value, sb.value, sa.value, ss.value);
      }
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
  line_stepper_init(&su, 0, dy, upper->tu, lower->tu);
  line_stepper_init(&sv, 0, dy, upper->tv, lower->tv);
  // The third texture coordinate is never looked up; the edge entries keep the upper vertex's value.
  if (upper->r == lower->r && upper->g == lower->g && upper->b == lower->b && upper->alpha == lower->alpha &&
      upper->slot == lower->slot && upper->light == lower->light) {
    // One colour and one light level along the edge, as on textured terrain: only the position and texture move.
    for (; y <= y_end; ++y) {
      if (y >= 0 && y < kRasterRows) {
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
      }
      advance(&sx);
      advance(&su);
      advance(&sv);
    }
    return;
  }
  line_stepper_init(&sl, 0, dy, upper->light, lower->light);
  for (; y <= y_end; ++y) {
    if (y >= 0 && y < kRasterRows) {
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

void edge_table_build() {
  // Two corners and a closing entry make no area: such a record draws nothing.
  if (raster_vertex_count < 4) return;
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

void fill_spans() {
  const int32_t first = span_y_min < 0 ? 0 : span_y_min;
  const int32_t last = span_y_max >= kRasterRows ? kRasterRows - 1 : span_y_max;
  const bool textured = raster_texture.texels != nullptr;
  const bool dithered = render_settings.dither_amount != 0;
  for (int32_t y = first; y <= last; ++y) {
    if (edge_right[y].x < edge_left[y].x) continue;
    if (band_count > 1) {
      // A row of another band is not filled, but its span still takes its draw of the dither noise.
      int32_t sy, x0, end, n;
      if (!clip_span(y, &edge_left[y], &edge_right[y], &sy, &x0, &end, &n)) continue;
      if (!row_in_band(sy)) {
        if (dithered && n > 0) dither_random();
        continue;
      }
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
  SpanPixel* out = span_flat;
  if (left->r == right->r && left->g == right->g && left->b == right->b && left->alpha == right->alpha &&
      left->slot == right->slot) {
    const SpanPixel p = {left->b, left->g, left->r, static_cast<uint8_t>(left->alpha),
                         static_cast<uint8_t>(left->slot)};
    for (int32_t i = 0; i < n; ++i) out[i] = p;
  } else if (left->alpha == right->alpha && left->slot == right->slot) {
    // Gouraud colours under one opacity and slot: only the channels move.
    LineStepper sr, sg, sb;
    line_stepper_init(&sr, x0, x1, left->r, right->r);
    line_stepper_init(&sg, x0, x1, left->g, right->g);
    line_stepper_init(&sb, x0, x1, left->b, right->b);
    const uint8_t alpha = static_cast<uint8_t>(left->alpha), slot = static_cast<uint8_t>(left->slot);
    for (int32_t i = 0; i < n; ++i) {
      out[i] = {static_cast<uint16_t>(sb.value), static_cast<uint16_t>(sg.value), static_cast<uint16_t>(sr.value),
                alpha, slot};
      advance(&sr);
      advance(&sg);
      advance(&sb);
    }
  } else {
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

void rasterize_polygon(const PolygonRecord* polygon) {
  // A walk worker only records; the frame's own thread rasterises the tape in walk order.
  if (polygon_tape != nullptr) {
    tape_record(polygon_tape, polygon);
    return;
  }
  // Every 1024th polygon lets the window breathe. A stop seen here is handed on as a pending request, so that the
  // terrain walk's own poll, which is what ends a render, still sees it. Only band 0 polls.
  if (band_index == 0) {
    raster_poll_count = add_wrap32(raster_poll_count, 1);
    if ((static_cast<uint32_t>(raster_poll_count) & 1023u) == 0 && poll_user_abort() < 0) user_abort = 1;
  }

  // A texture without texels or with an unusable size is drawn as an untextured polygon rather than read out of
  // bounds or divided by zero.
  const TextureRef* t = polygon->tx_map;
  if (t != nullptr && t->texels != nullptr && t->width > 0 && t->height > 0 && t->width <= 0x7FFFFF &&
      t->height <= 0x7FFFFF) {
    raster_texture = {t->texels, t->width * 256, t->height * 256, t->width, t->phong_strength, t->phong_power};
  } else {
    raster_texture.texels = nullptr;
  }
  const bool textured = raster_texture.texels != nullptr;

  int32_t n = polygon->count;
  if (n < 0) n = 0;
  if (n > kPolygonCapacity) n = kPolygonCapacity;
  for (int32_t i = 0; i < n; ++i) {
    const PolygonVertex& v = polygon->vertices[i];
    RasterVertex& o = raster_vertices[i];
    o.x = static_cast<int16_t>(trunc_clamped(v.x, -32768, 32767));
    o.y = static_cast<int16_t>(trunc_clamped(v.y, -32768, 32767));
    o.r = v.r;
    o.g = v.g;
    o.b = v.b;
    o.alpha = v.alpha;
    o.slot = v.slot;
    if (textured) {
      o.light = v.light;
      o.tu = trunc_clamped(v.tu * 256.0f, -0x20000000, 0x20000000);
      o.tv = trunc_clamped(v.tv * 256.0f, -0x20000000, 0x20000000);
      o.tw = trunc_clamped(v.tw * 256.0f, -0x20000000, 0x20000000);
    } else {
      o.light = 0;
      o.tu = o.tv = o.tw = 0;
    }
  }
  raster_vertex_count = n;

  span_table_reset();
  edge_table_build();
  if (band_index == 0) polygon_count = add_wrap32(polygon_count, 1);
}
