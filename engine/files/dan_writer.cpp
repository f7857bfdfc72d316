// Frame-sequence file writer: header and 6-bit palette at creation, then every frame appended raw.
#include "engine/files/dan_writer.h"

#include <cstdio>
#include <cstring>

#include "engine/files/byte_order.h"
#include "engine/files/file_open.h"
#include "engine/files/file_utils.h"
#include "engine/host/file_handles.h"
#include "engine/raster/frame_buffers.h"

namespace {

long file_size(FILE* f) { return static_cast<long>(open_file_size(f)); }

FILE* create_file(const char* path) {
  make_path_dirs(path);
  FILE* f = open_file(path, "w+b");
  if (!f) return nullptr;
  set_file_owner_writable(f);
  uint8_t header[kDanHeaderSize];
  uint8_t palette[kDanFirstFrameOffset - kDanHeaderSize];
  dan_fill_header(header, image_width, image_height);
  dan_fill_palette(palette);
  if (std::fwrite(header, 1, sizeof header, f) != sizeof header ||
      std::fwrite(palette, 1, sizeof palette, f) != sizeof palette || std::fflush(f) != 0) {
    std::fclose(f);
    remove_file(path);
    return nullptr;
  }
  return f;
}

}  // namespace

void dan_fill_header(uint8_t* h, int32_t width, int32_t height) {
  std::memset(h, 0, kDanHeaderSize);
  std::memcpy(h, kDanMagic, sizeof kDanMagic);
  const uint32_t frame = static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
  put32(h + 8, frame);
  put32(h + 12, kDanFirstFrameOffset);
  put32(h + 16, frame);
  put32(h + 20, 256);
  put32(h + 24, static_cast<uint32_t>(width));
  put32(h + 28, static_cast<uint32_t>(height));
  put32(h + 32, 1);
  put32(h + 36, 0);
}

void dan_fill_palette(uint8_t* palette) {
  PaletteEntry entries[256];
  get_palette(entries, 0, 256);
  for (int32_t i = 0; i < 256; ++i) {
    palette[i * 3] = entries[i].red >> 2;
    palette[i * 3 + 1] = entries[i].green >> 2;
    palette[i * 3 + 2] = entries[i].blue >> 2;
  }
}

int32_t dan_read_info(const char* path, DanFileInfo* info) {
  *info = DanFileInfo{};
  FILE* f = path ? open_file(path, "rb") : nullptr;
  if (!f) return 0;
  uint8_t h[kDanHeaderSize];
  const size_t got = std::fread(h, 1, sizeof h, f);
  const long size = file_size(f);
  std::fclose(f);
  if (got != sizeof h) return 0;
  info->valid = std::memcmp(h, kDanMagic, sizeof kDanMagic) == 0 ? 1 : 0;
  info->width = static_cast<int32_t>(get32(h + 24));
  info->height = static_cast<int32_t>(get32(h + 28));
  const uint32_t first = get32(h + 12), stride = get32(h + 16);
  // A stride of 0 or a first frame beyond the end leaves no frames to count.
  if (stride != 0 && size > static_cast<long>(first)) {
    const uint64_t frames = static_cast<uint64_t>(size - static_cast<long>(first)) / stride;
    info->frame_count = frames > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(frames);
  }
  return 1;
}

int32_t dan_append_frame(const char* path) {
  if (!path) return 0;
  FILE* f = open_file(path, "r+b");
  if (!f && !file_exists(path)) f = create_file(path);  // an existing file is never truncated
  if (!f || std::fseek(f, 0, SEEK_END) != 0) {
    if (f) std::fclose(f);
    return 0;
  }
  if (!vidmem8.rows || image_width <= 0 || image_height <= 0 || image_width > vidmem8.width ||
      image_height > vidmem8.height) {
    std::fclose(f);
    return 0;
  }
  std::fflush(f);
  const long before = file_size(f);
  for (int32_t r = image_height - 1; r >= 0; --r) {
    if (std::fwrite(vidmem8_row(r), 1, static_cast<size_t>(image_width), f) != static_cast<size_t>(image_width)) {
      // No partial frame stays behind to shift every later frame.
      if (before >= 0) cut_open_file(f, before);
      std::fclose(f);
      return 0;
    }
  }
  if (std::fflush(f) != 0) {
    if (before >= 0) cut_open_file(f, before);
    std::fclose(f);
    return 0;
  }
  return std::fclose(f) == 0 ? 1 : 0;
}
