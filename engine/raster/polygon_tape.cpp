// Recording polygons into a tape and rasterising them back in the same order.
#include "engine/raster/polygon_tape.h"

#include <cstring>

#include "engine/raster/haze.h"
#include "engine/raster/scan_convert.h"

thread_local PolygonTape* polygon_tape = nullptr;

namespace {

// What precedes each polygon's vertex entries on the tape.
struct TapeHeader {
  int32_t count;
  float haze;
  int32_t textured;
  int32_t reserved;
  TextureRef texture;
};

}  // namespace

unsigned char* PolygonTape::extend(size_t n) {
  if (size + n > capacity) {
    size_t room = capacity == 0 ? size_t{64} << 10 : capacity * 2;
    while (room < size + n) room *= 2;
    std::unique_ptr<unsigned char[]> bigger(new unsigned char[room]);
    if (size > 0) std::memcpy(bigger.get(), data.get(), size);
    data = std::move(bigger);
    capacity = room;
  }
  unsigned char* at = data.get() + size;
  size += n;
  return at;
}

void tape_record(PolygonTape* tape, const PolygonRecord* polygon) {
  int32_t n = polygon->count;
  if (n < 0) n = 0;
  if (n > kPolygonCapacity) n = kPolygonCapacity;
  TapeHeader h{};
  h.count = n;
  h.haze = haze_factor;
  h.textured = polygon->tx_map != nullptr;
  if (polygon->tx_map) h.texture = *polygon->tx_map;
  const size_t vertex_bytes = sizeof(PolygonVertex) * static_cast<size_t>(n);
  unsigned char* at = tape->extend(sizeof h + vertex_bytes);
  std::memcpy(at, &h, sizeof h);
  if (n > 0) std::memcpy(at + sizeof h, polygon->vertices, vertex_bytes);
  ++tape->polygons;
}

void tape_replay(const PolygonTape& tape) {
  const unsigned char* p = tape.data.get();
  const unsigned char* end = p + tape.size;
  PolygonRecord rec;
  while (p + sizeof(TapeHeader) <= end) {
    TapeHeader h;
    std::memcpy(&h, p, sizeof h);
    p += sizeof h;
    const size_t vertex_bytes = sizeof(PolygonVertex) * static_cast<size_t>(h.count);
    if (p + vertex_bytes > end) break;
    rec.count = h.count;
    rec.tx_map = h.textured ? &h.texture : nullptr;
    std::memcpy(rec.vertices, p, vertex_bytes);
    p += vertex_bytes;
    haze_factor = h.haze;
    rasterize_polygon(&rec);
  }
}
