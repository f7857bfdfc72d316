// Polygons recorded on a worker thread in drawing order, for the thread that owns the frame to rasterise later.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/raster/polygon.h"
#include "engine/raster/scan_convert.h"
#include "engine/raster/span_output.h"

// One recorded stretch of drawing: each polygon as it reached the rasteriser, with the haze term its texels are
// lit with and a copy of its texture reference.
// The entries are kept in blocks that are never moved or cleared, and a cleared tape keeps its blocks, so a tape
// reused line after line stops allocating and growing never copies.
// Each tape sits on cache lines of its own and writes through a cursor it holds itself: tapes recorded side by
// side on several threads then never share a written line (sharing made recording several times slower).
struct alignas(64) PolygonTape {
  static constexpr size_t kBlockBytes = size_t{256} << 10;
  struct Block {
    std::unique_ptr<unsigned char[]> data;
    size_t size = 0;  // bytes used; for the block in use, as of the last block change (cursor tells the rest)
  };
  std::vector<Block> blocks;
  size_t blocks_in_use = 0;
  unsigned char* cursor = nullptr;  // next free byte of the block in use
  unsigned char* limit = nullptr;   // end of the block in use

  void clear() {
    for (size_t i = 0; i < blocks_in_use; ++i) blocks[i].size = 0;
    blocks_in_use = 0;
    cursor = limit = nullptr;
  }
  // Bytes of the blocks held, in use or kept for reuse.
  size_t bytes_held() const { return blocks.size() * kBlockBytes; }
  // Empties the tape and gives its blocks back.
  void release() {
    clear();
    blocks.clear();
    blocks.shrink_to_fit();
  }
  // Room for n more bytes (at most kBlockBytes) in one piece.
  unsigned char* extend(size_t n) {
    if (cursor != nullptr && static_cast<size_t>(limit - cursor) >= n) {
      unsigned char* at = cursor;
      cursor += n;
      return at;
    }
    return extend_into_next_block(n);
  }
  // Bytes used in block i.
  size_t used(size_t i) const {
    return i + 1 == blocks_in_use && cursor != nullptr ? static_cast<size_t>(cursor - blocks[i].data.get())
                                                       : blocks[i].size;
  }

 private:
  unsigned char* extend_into_next_block(size_t n);
};

// One line's drawing sorted by band as it is recorded: each band's tape holds what that band's thread has to
// rasterise, and a run of polygons and pixels only other bands draw becomes one entry on its tape with their
// dither draws and polygon count. A band thread then reads only its own share of the line instead of passing
// over every polygon of it.
struct BandedTape {
  struct Pending {
    int64_t draws = 0, polygons = 0;
  };
  std::vector<PolygonTape> band;
  std::vector<Pending> pending;
  std::vector<int32_t> band_rows;  // image rows: band b writes band_rows[b] up to band_rows[b + 1] - 1

  // Sets the bands (rows holds bands + 1 boundaries) and empties every tape.
  void set_bands(int32_t bands, const int32_t* rows);
  void clear();
  // Ends the recording: runs still pending are put on their tapes.
  void finish();
  // Bytes of the blocks all band tapes hold.
  size_t bytes_held() const;
  // Empties every band tape and gives its blocks back.
  void release();
};

// While a thread's tape is set, rasterize_polygon and the star field record into it instead of drawing.
extern constinit thread_local BandedTape* banded_tape;

// Appends one polygon (at most kPolygonCapacity entries) to the tapes of the bands that rasterise it.
void tape_record(BandedTape* tape, const PolygonRecord* polygon);

// tape_record for an untextured polygon whose n entries the caller has already converted as the rasteriser
// would (see rasterize_untextured).
void tape_record_untextured(BandedTape* tape, const RasterVertex* vertices, int32_t n);

// Passes over one polygon that writes no pixel and takes no dither draw, as its recording and replay would:
// every band counts it with the run of polygons other bands draw.
void tape_pass_over(BandedTape* tape);

// Appends one single-pixel span of image row y at column x, written by output_hzline on replay.
void tape_record_pixel(BandedTape* tape, int32_t y, int32_t x, const SpanPixel& pixel);

// Rasterises one band's tape in its recorded order on the calling thread, which works as that band.
void tape_replay(const PolygonTape& tape);
