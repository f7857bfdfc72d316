// Recording polygons into a tape and rasterising them back in the same order.
#include "engine/raster/polygon_tape.h"

#include <cstring>

#include "engine/core/settings.h"
#include "engine/raster/dither.h"
#include "engine/raster/haze.h"
#include "engine/raster/scan_convert.h"

constinit thread_local PolygonTape* polygon_tape = nullptr;

namespace {

enum TapeKind : int32_t { kTapePolygon = 0, kTapePixel = 1 };

// What precedes each polygon's vertex entries on the tape: with the haze term, the haze colour slot in force,
// which the texel shading of the replay reads.
struct TapeHeader {
  int32_t count;
  float haze;
  int32_t textured;
  int32_t kind;
  int32_t haze_slot;
  int32_t y_min, y_max, x_min, x_max;  // the rasteriser's whole-pixel bounds, worked out here on the worker
  TextureRef texture;
};

// A single-pixel span.
struct TapePixel {
  int32_t y, x;
  SpanPixel pixel;
};

}  // namespace

unsigned char* PolygonTape::extend(size_t n) {
  if (blocks_in_use == 0 || blocks[blocks_in_use - 1].size + n > kBlockBytes) {
    if (blocks_in_use == blocks.size()) blocks.push_back(Block{std::unique_ptr<unsigned char[]>(new unsigned char[kBlockBytes]), 0});
    ++blocks_in_use;
  }
  Block& b = blocks[blocks_in_use - 1];
  unsigned char* at = b.data.get() + b.size;
  b.size += n;
  return at;
}

void tape_record(PolygonTape* tape, const PolygonRecord* polygon) {
  int32_t n = polygon->count;
  if (n < 0) n = 0;
  if (n > kPolygonCapacity) n = kPolygonCapacity;
  TapeHeader h{};
  h.count = n;
  h.kind = kTapePolygon;
  h.haze_slot = light_state.haze_color_slot;
  h.haze = haze_factor;
  h.textured = polygon->tx_map != nullptr;
  if (polygon->tx_map) h.texture = *polygon->tx_map;
  h.y_min = h.x_min = 0x7FFFFFFF;
  h.y_max = h.x_max = -0x7FFFFFFF;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t x = raster_coordinate(polygon->vertices[i].x), y = raster_coordinate(polygon->vertices[i].y);
    h.x_min = x < h.x_min ? x : h.x_min;
    h.x_max = x > h.x_max ? x : h.x_max;
    h.y_min = y < h.y_min ? y : h.y_min;
    h.y_max = y > h.y_max ? y : h.y_max;
  }
  const size_t vertex_bytes = sizeof(PolygonVertex) * static_cast<size_t>(n);
  unsigned char* at = tape->extend(sizeof h + vertex_bytes);
  std::memcpy(at, &h, sizeof h);
  if (n > 0) std::memcpy(at + sizeof h, polygon->vertices, vertex_bytes);
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
void replay_block(const PolygonTape::Block& block);
}  // namespace

void tape_replay(const PolygonTape& tape) {
  for (size_t i = 0; i < tape.blocks_in_use; ++i) replay_block(tape.blocks[i]);
  haze_slot_override = -1;
}

namespace {

void replay_block(const PolygonTape::Block& block) {
  const unsigned char* p = block.data.get();
  const unsigned char* end = p + block.size;
  PolygonRecord rec;
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
    const size_t vertex_bytes = sizeof(PolygonVertex) * static_cast<size_t>(h.count);
    if (p + vertex_bytes > end) break;
    // Most polygons miss a band's rows: their bounds settle them without copying or converting a vertex.
    if (raster_polygon_elsewhere(h.count, h.y_min, h.y_max, h.x_min, h.x_max)) {
      p += vertex_bytes;
      continue;
    }
    rec.count = h.count;
    rec.tx_map = h.textured ? &h.texture : nullptr;
    std::memcpy(rec.vertices, p, vertex_bytes);
    p += vertex_bytes;
    haze_factor = h.haze;
    haze_slot_override = h.haze_slot;
    rasterize_polygon(&rec);
  }
}

}  // namespace
