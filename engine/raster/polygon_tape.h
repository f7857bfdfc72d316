// Polygons recorded on a worker thread in drawing order, for the thread that owns the frame to rasterise later.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/raster/polygon.h"
#include "engine/raster/span_output.h"

// One recorded stretch of drawing: each polygon as it reached the rasteriser, with the haze term its texels are
// lit with and a copy of its texture reference.
// The entries are kept in blocks that are never moved or cleared, and a cleared tape keeps its blocks, so a tape
// reused line after line stops allocating and growing never copies.
struct PolygonTape {
  static constexpr size_t kBlockBytes = size_t{256} << 10;
  struct Block {
    std::unique_ptr<unsigned char[]> data;
    size_t size = 0;
  };
  std::vector<Block> blocks;
  size_t blocks_in_use = 0;
  int64_t polygons = 0;

  void clear() {
    for (size_t i = 0; i < blocks_in_use; ++i) blocks[i].size = 0;
    blocks_in_use = 0;
    polygons = 0;
  }
  // Room for n more bytes (at most kBlockBytes) in one piece.
  unsigned char* extend(size_t n);
};

// While a thread's tape is set, rasterize_polygon records into it instead of drawing.
extern constinit thread_local PolygonTape* polygon_tape;

// Appends one polygon (at most kPolygonCapacity entries) to the tape.
void tape_record(PolygonTape* tape, const PolygonRecord* polygon);

// Appends one single-pixel span of image row y at column x, written by output_hzline on replay.
void tape_record_pixel(PolygonTape* tape, int32_t y, int32_t x, const SpanPixel& pixel);

// Rasterises the tape's polygons and pixels in their recorded order on the calling thread.
void tape_replay(const PolygonTape& tape);
