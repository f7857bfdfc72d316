// Recording polygons into a tape and rasterising them back in the same order.
#include "engine/raster/polygon_tape.h"

#include <cstddef>
#include <cstring>

#include "engine/core/settings.h"
#include "engine/raster/dither.h"
#include "engine/raster/haze.h"
#include "engine/raster/scan_convert.h"

constinit thread_local PolygonTape* polygon_tape = nullptr;

namespace {

enum TapeKind : int32_t { kTapePolygon = 0, kTapePixel = 1 };

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
// coordinates): a triangle then takes 88 bytes of tape instead of 232, and recording and replay move less memory.
constexpr size_t kUntexturedEntryBytes = offsetof(RasterVertex, light);

// A single-pixel span.
struct TapePixel {
  int32_t y, x;
  SpanPixel pixel;
};

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

void tape_record(PolygonTape* tape, const PolygonRecord* polygon) {
  int32_t n = polygon->count;
  if (n < 0) n = 0;
  if (n > kPolygonCapacity) n = kPolygonCapacity;
  const TextureRef* texture = raster_usable_texture(polygon->tx_map);
  const size_t entry_bytes = texture != nullptr ? sizeof(RasterVertex) : kUntexturedEntryBytes;
  const size_t texture_bytes = texture != nullptr ? sizeof(TextureRef) : 0;
  unsigned char* at = tape->extend(sizeof(TapeHeader) + texture_bytes + entry_bytes * static_cast<size_t>(n));
  TapeHeader h;
  h.count = n;
  h.kind = kTapePolygon;
  h.haze = haze_factor;
  h.haze_slot = light_state.haze_color_slot;
  h.textured = texture != nullptr;
  int32_t y_min = 0x7FFF, y_max = -0x8000, x_min = 0x7FFF, x_max = -0x8000;
  unsigned char* entry = at + sizeof h + texture_bytes;
  for (int32_t i = 0; i < n; ++i, entry += entry_bytes) {
    RasterVertex v;
    raster_convert_vertex(polygon->vertices[i], texture != nullptr, &v);
    std::memcpy(entry, &v, entry_bytes);
    x_min = v.x < x_min ? v.x : x_min;
    x_max = v.x > x_max ? v.x : x_max;
    y_min = v.y < y_min ? v.y : y_min;
    y_max = v.y > y_max ? v.y : y_max;
  }
  h.y_min = static_cast<int16_t>(y_min);
  h.y_max = static_cast<int16_t>(y_max);
  h.x_min = static_cast<int16_t>(x_min);
  h.x_max = static_cast<int16_t>(x_max);
  std::memcpy(at, &h, sizeof h);
  if (texture != nullptr) std::memcpy(at + sizeof h, texture, sizeof(TextureRef));
  ++tape->polygons;
}

void tape_record_pixel(PolygonTape* tape, int32_t y, int32_t x, const SpanPixel& pixel) {
  TapeHeader h{};
  h.kind = kTapePixel;
  const TapePixel p{y, x, pixel};
  unsigned char* at = tape->extend(sizeof h + sizeof p);
  std::memcpy(at, &h, sizeof h);
  std::memcpy(at + sizeof h, &p, sizeof p);
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
      if (row_in_raster_band(px.y)) {
        output_hzline(px.y, px.x, px.x, &px.pixel);
      } else if (render_settings.dither_amount != 0) {
        dither_random();  // the span another band writes still takes its draw of the noise
      }
      continue;
    }
    const size_t entry_bytes = h.textured ? sizeof(RasterVertex) : kUntexturedEntryBytes;
    const size_t bytes = (h.textured ? sizeof(TextureRef) : 0) + entry_bytes * static_cast<size_t>(h.count);
    if (p + bytes > end) break;
    // Most polygons miss a band's rows: their bounds settle them without copying a vertex. (Bounds of a polygon
    // without entries are empty: y_min above y_max.)
    const int32_t y_min = h.count > 0 ? h.y_min : kRasterRows, y_max = h.count > 0 ? h.y_max : -1;
    if (raster_polygon_elsewhere(h.count, y_min, y_max, h.x_min, h.x_max)) {
      p += bytes;
      continue;
    }
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
