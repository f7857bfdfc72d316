// Recording polygons onto band tapes on a worker and rasterising each band's tape back in the same order.
#include "engine/raster/polygon_tape.h"

#include <bit>
#include <cstddef>
#include <cstring>

#include "engine/core/settings.h"
#include "engine/raster/dither.h"
#include "engine/raster/haze.h"
#include "engine/raster/scan_convert.h"

constinit thread_local BandedTape* banded_tape = nullptr;

namespace {

enum TapeKind : int32_t { kTapePolygon = 0, kTapePixel = 1, kTapeSkip = 2 };

// What precedes each polygon's entries on the tape: with the haze term, the haze colour slot in force, which the
// texel shading of the replay reads. A textured polygon's texture reference follows the header.
struct TapeHeader {
  int32_t count;
  int32_t kind;
  float haze;
  int32_t haze_slot;
  int16_t y_min, y_max, x_min, x_max;  // the rasteriser's whole-pixel bounds, worked out here on the worker
  int32_t textured;
};

// The entries are stored as the rasteriser converts them, on the worker: a band thread copies them straight in.
// Untextured entries keep only what precedes the light level (which is 0 for them, as are their texture
// coordinates): a triangle then takes 84 bytes of tape instead of 232, and recording and replay move less memory.
constexpr size_t kUntexturedEntryBytes = offsetof(RasterVertex, light);

// Stores one field of a record at its offset on the tape.
template <typename T>
inline void put_field(unsigned char* at, size_t offset, T value) {
  std::memcpy(at + offset, &value, sizeof value);
}

// The untextured part of a converted entry (what raster_convert_vertex makes of x, y, r, g, b, alpha and slot),
// stored as two words assembled in registers. The replay copies the bytes back into a RasterVertex.
static_assert(std::endian::native == std::endian::little, "tape words are assembled little-endian");
static_assert(offsetof(RasterVertex, x) == 0 && offsetof(RasterVertex, y) == 2 && offsetof(RasterVertex, r) == 4 &&
                  offsetof(RasterVertex, g) == 6 && offsetof(RasterVertex, b) == 8 &&
                  offsetof(RasterVertex, alpha) == 10 && offsetof(RasterVertex, slot) == 12 &&
                  kUntexturedEntryBytes == 14,
              "the untextured entry is x, y, r, g, b, alpha and slot, two bytes each");
inline void put_untextured_entry(unsigned char* at, const PolygonVertex& v) {
  const uint64_t x = static_cast<uint16_t>(raster_coordinate(v.x));
  const uint64_t y = static_cast<uint16_t>(raster_coordinate(v.y));
  const uint64_t head = x | y << 16 | uint64_t{v.r} << 32 | uint64_t{v.g} << 48;
  const uint32_t b_alpha = static_cast<uint32_t>(v.b) | static_cast<uint32_t>(v.alpha) << 16;
  const uint16_t slot = v.slot;
  std::memcpy(at, &head, 8);
  std::memcpy(at + 8, &b_alpha, 4);
  std::memcpy(at + 12, &slot, 2);
}

// A single-pixel span.
struct TapePixel {
  int32_t y, x;
  SpanPixel pixel;
};

// A run of polygons and pixels other bands draw: the dither draws and polygons this band passes over.
struct TapeSkip {
  int64_t draws, polygons;
};

// Puts band b's pending run, if any, on its tape: it goes before the band's next entry.
void flush_pending(BandedTape* tape, size_t b) {
  BandedTape::Pending& p = tape->pending[b];
  if (p.draws == 0 && p.polygons == 0) return;
  TapeHeader h{};
  h.kind = kTapeSkip;
  const TapeSkip skip{p.draws, p.polygons};
  unsigned char* at = tape->band[b].extend(sizeof h + sizeof skip);
  std::memcpy(at, &h, sizeof h);
  std::memcpy(at + sizeof h, &skip, sizeof skip);
  p = BandedTape::Pending{};
}

}  // namespace

unsigned char* PolygonTape::extend_into_next_block(size_t n) {
  if (blocks_in_use > 0) blocks[blocks_in_use - 1].size = used(blocks_in_use - 1);
  if (blocks_in_use == blocks.size()) blocks.push_back(Block{std::unique_ptr<unsigned char[]>(new unsigned char[kBlockBytes]), 0});
  ++blocks_in_use;
  Block& b = blocks[blocks_in_use - 1];
  b.size = 0;
  cursor = b.data.get() + n;
  limit = b.data.get() + kBlockBytes;
  return b.data.get();
}

void BandedTape::set_bands(int32_t bands, const int32_t* rows) {
  const size_t n = static_cast<size_t>(bands < 1 ? 1 : bands);
  if (band.size() != n) band.resize(n);
  pending.assign(n, Pending{});
  band_rows.assign(rows, rows + n + 1);
  clear();
}

void BandedTape::clear() {
  for (PolygonTape& t : band) t.clear();
  for (Pending& p : pending) p = Pending{};
}

size_t BandedTape::bytes_held() const {
  size_t n = 0;
  for (const PolygonTape& t : band) n += t.bytes_held();
  return n;
}

void BandedTape::release() {
  for (PolygonTape& t : band) t.release();
  for (Pending& p : pending) p = Pending{};
}

void BandedTape::finish() {
  for (size_t b = 0; b < band.size(); ++b) flush_pending(this, b);
}

void tape_pass_over(BandedTape* tape) {
  for (BandedTape::Pending& p : tape->pending) p.polygons += 1;
}

namespace {

// The whole-pixel bounds of a polygon's converted entries: they decide which bands' tapes take it.
struct TapeBounds {
  int32_t y_min = 0x7FFF, y_max = -0x8000, x_min = 0x7FFF, x_max = -0x8000;
  void add(int32_t x, int32_t y) {
    x_min = x < x_min ? x : x_min;
    x_max = x > x_max ? x : x_max;
    y_min = y < y_min ? y : y_min;
    y_max = y > y_max ? y : y_max;
  }
};

// The bands that rasterise a polygon of n entries within these bounds, in order, into takers; the others pass
// over it with its noise draws, counted in their pending runs.
void choose_takers(BandedTape* tape, int32_t n, const TapeBounds& b, std::vector<size_t>* takers) {
  takers->clear();
  const size_t bands = tape->band.size();
  if (bands == 1) {
    takers->push_back(0);
    return;
  }
  // Bounds of a polygon without entries are empty: the first row below the last.
  const int32_t rows_min = n > 0 ? b.y_min : kRasterRows, rows_max = n > 0 ? b.y_max : -1;
  for (size_t i = 0; i < bands; ++i) {
    const int32_t draws = raster_band_draws_elsewhere(tape->band_rows[i], tape->band_rows[i + 1], n, rows_min,
                                                      rows_max, b.x_min, b.x_max);
    if (draws >= 0) {
      tape->pending[i].draws += draws;
      tape->pending[i].polygons += 1;
      continue;
    }
    flush_pending(tape, i);
    takers->push_back(i);
  }
}

// Room for a polygon's bytes on the first taker's tape, with its header stored there. The header's fields (and
// the untextured entries after it) are stored straight onto the tape: built on the stack first and copied, they
// were read back in wider pieces than they were written, which stalled every polygon.
unsigned char* start_polygon(BandedTape* tape, size_t taker, size_t bytes, int32_t n, const TapeBounds& b,
                             bool textured) {
  unsigned char* const at = tape->band[taker].extend(bytes);
  put_field(at, offsetof(TapeHeader, count), n);
  put_field(at, offsetof(TapeHeader, kind), static_cast<int32_t>(kTapePolygon));
  put_field(at, offsetof(TapeHeader, haze), haze_factor);
  put_field(at, offsetof(TapeHeader, haze_slot), light_state.haze_color_slot);
  put_field(at, offsetof(TapeHeader, y_min), static_cast<int16_t>(b.y_min));
  put_field(at, offsetof(TapeHeader, y_max), static_cast<int16_t>(b.y_max));
  put_field(at, offsetof(TapeHeader, x_min), static_cast<int16_t>(b.x_min));
  put_field(at, offsetof(TapeHeader, x_max), static_cast<int16_t>(b.x_max));
  put_field(at, offsetof(TapeHeader, textured), static_cast<int32_t>(textured));
  return at;
}

// The polygon written once onto the first taker's tape, copied onto the others'.
void copy_to_other_takers(BandedTape* tape, const std::vector<size_t>& takers, const unsigned char* at,
                          size_t bytes) {
  for (size_t i = 1; i < takers.size(); ++i) std::memcpy(tape->band[takers[i]].extend(bytes), at, bytes);
}

thread_local std::vector<size_t> takers;

}  // namespace

void tape_record(BandedTape* tape, const PolygonRecord* polygon) {
  int32_t n = polygon->count;
  if (n < 0) n = 0;
  if (n > kPolygonCapacity) n = kPolygonCapacity;
  TapeBounds bounds;
  for (int32_t i = 0; i < n; ++i)
    bounds.add(raster_coordinate(polygon->vertices[i].x), raster_coordinate(polygon->vertices[i].y));
  choose_takers(tape, n, bounds, &takers);
  if (takers.empty()) return;

  const TextureRef* texture = raster_usable_texture(polygon->tx_map);
  const size_t entry_bytes = texture != nullptr ? sizeof(RasterVertex) : kUntexturedEntryBytes;
  const size_t texture_bytes = texture != nullptr ? sizeof(TextureRef) : 0;
  const size_t bytes = sizeof(TapeHeader) + texture_bytes + entry_bytes * static_cast<size_t>(n);
  unsigned char* const at = start_polygon(tape, takers[0], bytes, n, bounds, texture != nullptr);
  unsigned char* entry = at + sizeof(TapeHeader) + texture_bytes;
  if (texture != nullptr) {
    std::memcpy(at + sizeof(TapeHeader), texture, sizeof(TextureRef));
    for (int32_t i = 0; i < n; ++i, entry += entry_bytes) {
      RasterVertex v;
      raster_convert_vertex(polygon->vertices[i], true, &v);
      std::memcpy(entry, &v, entry_bytes);
    }
  } else {
    for (int32_t i = 0; i < n; ++i, entry += entry_bytes) put_untextured_entry(entry, polygon->vertices[i]);
  }
  copy_to_other_takers(tape, takers, at, bytes);
}

void tape_record_untextured(BandedTape* tape, const RasterVertex* vertices, int32_t n) {
  if (n < 0) n = 0;
  if (n > kPolygonCapacity) n = kPolygonCapacity;
  TapeBounds bounds;
  for (int32_t i = 0; i < n; ++i) bounds.add(vertices[i].x, vertices[i].y);
  choose_takers(tape, n, bounds, &takers);
  if (takers.empty()) return;
  const size_t bytes = sizeof(TapeHeader) + kUntexturedEntryBytes * static_cast<size_t>(n);
  unsigned char* const at = start_polygon(tape, takers[0], bytes, n, bounds, false);
  unsigned char* entry = at + sizeof(TapeHeader);
  for (int32_t i = 0; i < n; ++i, entry += kUntexturedEntryBytes)
    std::memcpy(entry, &vertices[i], kUntexturedEntryBytes);
  copy_to_other_takers(tape, takers, at, bytes);
}

void tape_record_pixel(BandedTape* tape, int32_t y, int32_t x, const SpanPixel& pixel) {
  TapeHeader h{};
  h.kind = kTapePixel;
  const TapePixel p{y, x, pixel};
  const size_t bands = tape->band.size();
  for (size_t b = 0; b < bands; ++b) {
    const bool mine = bands == 1 || (y >= tape->band_rows[b] && y < tape->band_rows[b + 1]);
    if (!mine) {
      // The span another band writes still takes its draw of the noise.
      if (render_settings.dither_amount != 0) tape->pending[b].draws += 1;
      continue;
    }
    flush_pending(tape, b);
    unsigned char* at = tape->band[b].extend(sizeof h + sizeof p);
    std::memcpy(at, &h, sizeof h);
    std::memcpy(at + sizeof h, &p, sizeof p);
  }
}

namespace {
void replay_block(const unsigned char* p, size_t size);
}  // namespace

void tape_replay(const PolygonTape& tape) {
  for (size_t i = 0; i < tape.blocks_in_use; ++i) replay_block(tape.blocks[i].data.get(), tape.used(i));
  haze_slot_override = -1;
}

namespace {

void replay_block(const unsigned char* p, size_t size) {
  const unsigned char* end = p + size;
  TextureRef texture;
  while (p + sizeof(TapeHeader) <= end) {
    TapeHeader h;
    std::memcpy(&h, p, sizeof h);
    p += sizeof h;
    if (h.kind == kTapePixel) {
      if (p + sizeof(TapePixel) > end) break;
      TapePixel px;
      std::memcpy(&px, p, sizeof px);
      p += sizeof px;
      output_hzline(px.y, px.x, px.x, &px.pixel);
      continue;
    }
    if (h.kind == kTapeSkip) {
      if (p + sizeof(TapeSkip) > end) break;
      TapeSkip skip;
      std::memcpy(&skip, p, sizeof skip);
      p += sizeof skip;
      raster_settle_skipped(skip.draws, skip.polygons);
      continue;
    }
    const size_t entry_bytes = h.textured ? sizeof(RasterVertex) : kUntexturedEntryBytes;
    const size_t bytes = (h.textured ? sizeof(TextureRef) : 0) + entry_bytes * static_cast<size_t>(h.count);
    if (p + bytes > end) break;
    const int32_t y_min = h.count > 0 ? h.y_min : kRasterRows, y_max = h.count > 0 ? h.y_max : -1;
    if (h.textured) {
      std::memcpy(&texture, p, sizeof texture);
      p += sizeof texture;
    }
    for (int32_t i = 0; i < h.count; ++i, p += entry_bytes) {
      RasterVertex& v = raster_vertices[i];
      if (!h.textured) {
        v.light = 0;
        v.tu = v.tv = v.tw = 0;
      }
      std::memcpy(&v, p, entry_bytes);
    }
    haze_factor = h.haze;
    haze_slot_override = h.haze_slot;
    rasterize_converted(h.count, y_min, y_max, h.textured ? &texture : nullptr);
  }
}

}  // namespace
