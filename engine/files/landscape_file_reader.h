// Bounded reading of landscape files: a file with its size, section reads that never run past the end,
// packed and raw grid rows, and the message that names the file and what is wrong with it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

struct LandscapeFileReader {
  FILE* file = nullptr;
  uint64_t size = 0;     // bytes in the file
  const char* path = "";
  const char* fault = nullptr;  // what is wrong, for the message; null after a plain short read
  ~LandscapeFileReader();
  // Opens for reading and takes the size; 0 when it cannot be opened.
  int32_t open(const char* file_path);
  // Reads n bytes at offset (or at the current position when offset is -1); 0 when they are not all there.
  int32_t read_at(int64_t offset, void* out, size_t n);
  // Moves to offset; 0 when it lies beyond the end.
  int32_t seek(uint64_t offset);
  // 1 when a section of n bytes at offset lies inside the file.
  int32_t section_fits(uint64_t offset, uint64_t n) const;
  // Reads one framed row (2-byte big-endian length, then packets) and unpacks it into out (at most
  // max_out bytes); returns the bytes unpacked, or -1 after setting the fault.
  int32_t read_packed_row(uint8_t* out, int32_t max_out);
};

// Shows "Error reading file:" with the path, and the reason on the next line when there is one; returns 0.
int32_t msg_damaged_file(const char* path, const char* reason);

// Decodes rows coded with the elevation row coding (packed) or raw little-endian samples into
// row-major samples: read_rows rows of the file, of which the first keep_columns samples of the first
// keep_rows rows are stored in out (keep_columns by keep_rows). Each row must hold at least
// need_columns samples. Returns 1, or 0 after setting the reader's fault (or a short read). With a
// progress label the progress read-out follows the rows.
int32_t read_elevation_rows(LandscapeFileReader& r, bool packed, int32_t need_columns, int32_t read_rows,
                            int32_t keep_columns, int32_t keep_rows, std::vector<int16_t>* out,
                            const char* progress_label = nullptr);
// The same for rows of 16-bit pairs stored high byte first (byte-pair row coding); the samples come back
// in memory order.
int32_t read_pair_rows(LandscapeFileReader& r, bool packed, int32_t need_columns, int32_t read_rows,
                       int32_t keep_columns, int32_t keep_rows, std::vector<uint16_t>* out);
// The cloud pattern: 256 packed rows of 256 bytes, or 65536 raw bytes.
int32_t read_cloud_rows(LandscapeFileReader& r, bool packed, uint8_t* pattern);
