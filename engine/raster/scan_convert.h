// The scan converter: a projected polygon record into horizontal spans of pixels through output_hzline.
#pragma once

#include <cstdint>

#include "engine/raster/frame_buffers.h"
#include "engine/raster/polygon.h"

// Rows the edge tables cover: projection rows 0 to kRasterRows - 1.
constexpr int32_t kRasterRows = 8192;

// The projection rows that can reach the image, first to last (last < first when none). Rows above and below
// the image are never shown and draw nothing, so the edge tables are neither set up nor walked there.
struct RowBand {
  int32_t first, last;
};
inline RowBand image_rows() {
  const int32_t top = (proj_height - image_height) / 2;
  const int64_t bottom = int64_t{top} + image_height - 1;
  return {top < 0 ? 0 : top, static_cast<int32_t>(bottom > kRasterRows - 1 ? kRasterRows - 1 : bottom)};
}
// True when a polygon of projection rows y_min..y_max (as the rasteriser converts them) lies wholly above or
// below the image: it writes no pixel and takes no dither draw.
inline bool raster_rows_miss_image(int32_t y_min, int32_t y_max) {
  const RowBand all = image_rows();
  return y_max < all.first || y_min > all.last;
}

// One vertex in screen integers: colours 8.8, alpha and slot whole, texture coordinates texels times 256.
struct RasterVertex {
  int16_t x, y;
  uint16_t r, g, b;
  uint16_t alpha, slot;
  uint16_t light;
  int32_t tu, tv, tw;
};

// Where the outline crosses one row on the left or the right, with every value at that crossing.
struct EdgeEntry {
  int16_t x;
  uint16_t r, g, b;
  uint16_t alpha, slot;
  uint16_t light;
  int32_t tu, tv, tw;
};

// The texture of the polygon being converted; texels null marks an untextured polygon.
struct RasterTexture {
  const uint32_t* texels;
  int32_t width256;   // width times 256
  int32_t height256;  // height times 256
  int32_t width;
  int32_t phong_strength;
  int32_t phong_power;
};

// The converter's state belongs to the thread converting: band threads each convert the same polygons.
extern constinit thread_local RasterVertex raster_vertices[kPolygonCapacity];
extern constinit thread_local int32_t raster_vertex_count;
extern constinit thread_local EdgeEntry edge_left[kRasterRows];
extern constinit thread_local EdgeEntry edge_right[kRasterRows];
extern constinit thread_local int32_t span_y_min, span_y_max;
extern constinit thread_local RasterTexture raster_texture;
// Polygons rasterised since start-up; every 1024th lets the user interface breathe. Never reset.
// On a cache line of its own, like polygon_count: band 0 writes it for every polygon.
extern int32_t& raster_poll_count;

// The image rows this thread writes: first_row to end_row - 1 when band_count is above 1; a thread with
// band_count 1 (the default) writes every row. Only band 0 polls for a stop and counts polygons; every band takes
// the dither noise's draws for all spans alike, so each writes what one thread would.
void raster_set_band(int32_t band_index, int32_t band_count, int32_t first_row, int32_t end_row);
// The rasterising work done per image row (all threads, each row by its own band): pixels written plus
// kSpanWork per span, about what a span costs over its pixels. The walk balances its bands with it.
constexpr uint32_t kSpanWork = 12;
extern uint32_t raster_row_work[kRasterRows];
// Float to integer, truncating toward zero, held inside [lo, hi] (NaN gives 0) so that wild coordinates from a
// caller cannot overflow the integer steppers.
inline int32_t raster_trunc_clamped(float f, int32_t lo, int32_t hi) {
  if (f >= static_cast<float>(lo) && f <= static_cast<float>(hi)) return static_cast<int32_t>(f);
  if (f < static_cast<float>(lo)) return lo;
  if (f > static_cast<float>(hi)) return hi;
  return 0;
}
// The rasteriser's whole-pixel value of a projected coordinate. Inline, as the conversion below: walk workers
// convert every vertex they record.
inline int32_t raster_coordinate(float v) { return static_cast<int16_t>(raster_trunc_clamped(v, -32768, 32767)); }
// For the band of image rows first_row..end_row - 1: -1 when that band's thread must rasterise the polygon,
// else the dither draws its spans take there (0 when not dithered). A walk worker asks it to sort polygons by
// band as it records them.
int32_t raster_band_draws_elsewhere(int32_t first_row, int32_t end_row, int32_t n, int32_t y_min, int32_t y_max,
                                    int32_t x_min, int32_t x_max);
// Settles a run of polygons and pixels another band draws, as drawing them one by one would: their dither draws
// are taken, and band 0 counts the polygons and polls.
void raster_settle_skipped(int64_t draws, int64_t polygons);

// Converts one projected record (x screen column, y screen row) and counts it in polygon_count.
void rasterize_polygon(const PolygonRecord* polygon);
// The texture a record's reference gives the rasteriser: the reference itself when it has texels and a usable
// size, else null (the polygon is then drawn untextured).
const TextureRef* raster_usable_texture(const TextureRef* t);
// One record entry as the rasteriser holds it; the light and texture coordinates are taken only when textured.
inline void raster_convert_vertex(const PolygonVertex& v, bool textured, RasterVertex* o) {
  o->x = static_cast<int16_t>(raster_coordinate(v.x));
  o->y = static_cast<int16_t>(raster_coordinate(v.y));
  o->r = v.r;
  o->g = v.g;
  o->b = v.b;
  o->alpha = v.alpha;
  o->slot = v.slot;
  if (textured) {
    o->light = v.light;
    o->tu = raster_trunc_clamped(v.tu * 256.0f, -0x20000000, 0x20000000);
    o->tv = raster_trunc_clamped(v.tv * 256.0f, -0x20000000, 0x20000000);
    o->tw = raster_trunc_clamped(v.tw * 256.0f, -0x20000000, 0x20000000);
  } else {
    o->light = 0;
    o->tu = o->tv = o->tw = 0;
  }
}
// rasterize_polygon for entries already converted into raster_vertices[0..n), with their whole-pixel row bounds
// and the usable texture (or null).
void rasterize_converted(int32_t n, int32_t y_min, int32_t y_max, const TextureRef* texture);
// rasterize_polygon for an untextured polygon whose n entries the caller has converted itself, each as
// raster_convert_vertex converts a projected entry (light and texture coordinates 0).
void rasterize_untextured(const RasterVertex* vertices, int32_t n);
// Passes over a polygon whose rows miss the image (raster_rows_miss_image) as drawing it would: band 0 counts it
// and polls now and then (through the tape while a walk worker records).
void raster_pass_over_polygon();

// The steps of the conversion, over the module state above.
void span_table_reset();
void edge_table_build();
void edge_walk(const RasterVertex* upper, const RasterVertex* lower);
void fill_spans();
void fill_spans_flat(int32_t row, const EdgeEntry* left, const EdgeEntry* right);
void fill_spans_textured(int32_t row, const EdgeEntry* left, const EdgeEntry* right);
