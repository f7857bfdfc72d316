// FLC animation writer: run-length coded whole frames, the palette in the first frame, header rewritten per append.
#include "engine/files/flc_writer.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "engine/files/byte_order.h"
#include "engine/files/file_open.h"
#include "engine/files/file_utils.h"
#include "engine/host/file_handles.h"
#include "engine/raster/frame_buffers.h"

namespace {

constexpr int32_t kMaxPacket = 127;

uint32_t now_seconds() { return static_cast<uint32_t>(std::time(nullptr)); }

bool have_frame() {
  return vidmem8.rows && image_width > 0 && image_height > 0 && image_width <= vidmem8.width &&
         image_height <= vidmem8.height;
}

void fill_new_header(uint8_t* h, int32_t frames_per_second) {
  std::memset(h, 0, kFlcHeaderSize);
  put16(h + 4, kFlcMagic);
  put16(h + 8, static_cast<uint32_t>(image_width));
  put16(h + 10, static_cast<uint32_t>(image_height));
  put16(h + 12, 8);
  put32(h + 16, flc_speed_for_rate(frames_per_second));
  const uint32_t now = now_seconds();
  put32(h + 22, now);
  put32(h + 30, now);
  put16(h + 38, 1);
  put16(h + 40, 1);
  put32(h + 80, kFlcHeaderSize);
  put32(h + 84, kFlcHeaderSize);
}

size_t frame_with_chunks(uint8_t* out, bool with_colors) {
  size_t n = 16;
  uint16_t chunks = 1;
  if (with_colors) {
    n += flc_color_chunk(out + n);
    chunks = 2;
  }
  n += flc_brun_chunk(out + n);
  std::memset(out, 0, 16);
  put32(out, static_cast<uint32_t>(n));
  put16(out + 4, kFlcFrameMagic);
  put16(out + 6, chunks);
  return n;
}

bool write_at(FILE* f, long offset, const uint8_t* data, size_t n) {
  return std::fseek(f, offset, SEEK_SET) == 0 && std::fwrite(data, 1, n, f) == n;
}

long file_size(FILE* f) { return static_cast<long>(open_file_size(f)); }

// Cuts the file back to size, dropping a frame that was written only in part.
void cut_back(FILE* f, long size) { cut_open_file(f, size); }

}  // namespace

uint32_t flc_speed_for_rate(int32_t frames_per_second) {
  if (frames_per_second < 1) frames_per_second = 1;
  return static_cast<uint32_t>(1000.0 / frames_per_second + 0.5);
}

int32_t flc_run_length(const uint8_t* row, int32_t p, int32_t m) {
  int32_t n = 1;
  while (n < m && row[p + n] == row[p]) ++n;
  return n;
}

int32_t flc_literal_length(const uint8_t* row, int32_t p, int32_t m) {
  for (int32_t k = 1; k < m - 2; ++k) {
    if (row[p + k] == row[p + k + 1] && row[p + k] == row[p + k + 2]) return k;
  }
  return m;
}

int32_t flc_brun_packet(const uint8_t* row, int32_t p, int32_t r) {
  const int32_t m = r < kMaxPacket ? r : kMaxPacket;
  if (m < 3) return -m;
  if (row[p] == row[p + 1] && row[p] == row[p + 2]) return flc_run_length(row, p, m);
  return -flc_literal_length(row, p, m);
}

size_t flc_encode_brun_row(const uint8_t* row, int32_t width, uint8_t* out) {
  size_t n = 1;
  uint32_t packets = 0;
  for (int32_t p = 0; p < width;) {
    const int32_t packet = flc_brun_packet(row, p, width - p);
    if (packet > 0) {
      out[n++] = static_cast<uint8_t>(packet);
      out[n++] = row[p];
      p += packet;
    } else {
      out[n++] = static_cast<uint8_t>(packet);  // the signed byte -length
      std::memcpy(out + n, row + p, static_cast<size_t>(-packet));
      n += static_cast<size_t>(-packet);
      p -= packet;
    }
    ++packets;
  }
  out[0] = static_cast<uint8_t>(packets & 0xFF);
  return n;
}

size_t flc_max_row_size(int32_t width) {
  if (width < 0) width = 0;
  // Every packet carries one count byte; a literal packet of at most 127 bytes is the worst case.
  return 1 + static_cast<size_t>(width) + (static_cast<size_t>(width) + kMaxPacket - 1) / kMaxPacket;
}

size_t flc_color_chunk(uint8_t* out) {
  put32(out, kFlcColorChunkSize);
  put16(out + 4, 4);
  put16(out + 6, 1);
  out[8] = 0;
  out[9] = 0;  // 0 colours to set means all 256
  PaletteEntry entries[256];
  get_palette(entries, 0, 256);
  for (int32_t i = 0; i < 256; ++i) {
    out[10 + i * 3] = entries[i].red;
    out[11 + i * 3] = entries[i].green;
    out[12 + i * 3] = entries[i].blue;
  }
  return kFlcColorChunkSize;
}

size_t flc_brun_chunk(uint8_t* out) {
  size_t n = 6;
  for (int32_t y = 0; y < image_height; ++y) n += flc_encode_brun_row(vidmem8_row(y), image_width, out + n);
  if (n & 1) out[n++] = 0;
  put32(out, static_cast<uint32_t>(n));
  put16(out + 4, 15);
  return n;
}

size_t flc_first_frame(uint8_t* out) { return frame_with_chunks(out, true); }
size_t flc_next_frame(uint8_t* out) { return frame_with_chunks(out, false); }

size_t flc_max_frame_size() {
  return 16 + kFlcColorChunkSize + 6 + static_cast<size_t>(image_height > 0 ? image_height : 0) *
                                             flc_max_row_size(image_width) + 1;
}

int32_t flc_read_header(const char* path, uint8_t* header) {
  FILE* f = path ? open_file(path, "rb") : nullptr;
  if (!f) return 0;
  const size_t got = std::fread(header, 1, kFlcHeaderSize, f);
  std::fclose(f);
  return got == static_cast<size_t>(kFlcHeaderSize) ? 1 : 0;
}

int32_t flc_append_frame(const char* path, int32_t frames_per_second) {
  if (!path || !have_frame()) return 0;
  // The frame sizes are 16-bit header fields.
  if (image_width > 0xFFFF || image_height > 0xFFFF) return 0;
  std::vector<uint8_t> frame;
  try {
    frame.resize(flc_max_frame_size());
  } catch (...) {
    return 0;
  }
  uint8_t header[kFlcHeaderSize];
  long size = 0;
  FILE* f = open_file(path, "r+b");
  size_t frame_size = 0;
  bool created = false;
  if (f) {
    const long actual = file_size(f);
    if (std::fread(header, 1, kFlcHeaderSize, f) != static_cast<size_t>(kFlcHeaderSize) ||
        get16(header + 4) != kFlcMagic || get16(header + 8) != static_cast<uint32_t>(image_width) ||
        get16(header + 10) != static_cast<uint32_t>(image_height) || get16(header + 6) == 0xFFFF) {
      std::fclose(f);
      return 0;
    }
    size = static_cast<long>(get32(header));
    // The header's size must lie inside the file; anything beyond it is a frame whose header
    // rewrite failed, and the new frame replaces it.
    if (size < kFlcHeaderSize || size > actual) {
      std::fclose(f);
      return 0;
    }
    frame_size = flc_next_frame(frame.data());
  } else {
    make_path_dirs(path);
    f = open_file(path, "w+b");
    if (!f) return 0;
    fill_new_header(header, frames_per_second);
    if (!write_at(f, 0, header, kFlcHeaderSize)) {
      std::fclose(f);
      remove_file(path);
      return 0;
    }
    size = kFlcHeaderSize;
    created = true;
    frame_size = flc_first_frame(frame.data());
  }
  const uint64_t new_size = static_cast<uint64_t>(size) + frame_size;
  if (new_size > 0xFFFFFFFFull || !write_at(f, size, frame.data(), frame_size) || std::fflush(f) != 0) {
    cut_back(f, size);
    std::fclose(f);
    if (created) remove_file(path);
    return 0;
  }
  put32(header, static_cast<uint32_t>(new_size));
  put16(header + 6, get16(header + 6) + 1u);
  put16(header + 14, 0);
  put32(header + 30, now_seconds());
  put32(header + 80, kFlcHeaderSize);
  put32(header + 84, kFlcHeaderSize);
  bool ok = write_at(f, 0, header, kFlcHeaderSize) && std::fflush(f) == 0;
  if (ok && file_size(f) > static_cast<long>(new_size)) cut_back(f, static_cast<long>(new_size));
  if (std::fclose(f) != 0) ok = false;
  return ok ? 1 : 0;
}
