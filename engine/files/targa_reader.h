// The Targa reading core shared by the frame, texture and image loaders (private to the Targa files).
#pragma once

#include <cstdint>

#include "engine/core/grid.h"

// Where decoded rows go: a row table, or one block of rows of `stride` pixels; clipped to width by height.
struct TargaTarget {
  RowTable rows = nullptr;
  uint32_t* pixels = nullptr;
  int32_t stride = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint32_t* row(int32_t y) const { return rows ? static_cast<uint32_t*>(rows[y]) : pixels + static_cast<size_t>(y) * stride; }
};

enum TargaReadResult : int32_t {
  kTargaReadOk = 0,
  kTargaReadShort = 1,   // an uncompressed row ended early; the rows before it were converted
  kTargaReadFailed = 2,  // cannot open, wrong kind, or an empty image
};

TargaReadResult targa_read_into(const char* path, const TargaTarget& target, int32_t mode);
