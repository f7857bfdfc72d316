// Elevations and ground colours as PCX maps: the writers go through pcx_write_image (temporary file and
// rename); the readers check the header before they touch a grid.
#include "engine/files/elevation_pcx.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/files/default_dirs.h"
#include "engine/files/file_open.h"
#include "engine/files/file_requester.h"
#include "engine/files/pcx_format.h"
#include "engine/files/pcx_image.h"
#include "engine/files/save_dialog.h"
#include "engine/host/host.h"
#include "engine/raster/palette_remap.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"

int32_t elevation_pcx_base = 0;
int32_t elevation_pcx_interval = 16;

void reset_elevation_pcx() {
  elevation_pcx_base = 0;
  elevation_pcx_interval = 16;
}

namespace {

// Legend colours as 12-bit red, green, blue.
constexpr uint16_t kLegend[36] = {0x000, 0xFFF, 0x226, 0x337, 0x559, 0x66A, 0x88C, 0x985, 0x530, 0x530, 0x530, 0x530,
                                  0x351, 0x462, 0x573, 0x684, 0x975, 0x975, 0x975, 0x975, 0x888, 0x888, 0x888, 0x888,
                                  0x444, 0x444, 0x444, 0x444, 0xC00, 0xCC0, 0x0C0, 0x00C, 0x222, 0x333, 0x444, 0x555};

int32_t picture_width() { return std::min(grid_width, kPcxMaxWidth); }
int32_t picture_height() { return std::min(grid_height, kPcxMaxWidth); }

struct ElevationRows {
  int32_t base, interval, height;
};
void elevation_row_source(void* context, int32_t y, uint8_t* out, int32_t width) {
  const auto* c = static_cast<const ElevationRows*>(context);
  const int16_t* row = elevation_row(c->height - 1 - y);
  for (int32_t x = 0; x < width; ++x) {
    const int64_t v = (static_cast<int64_t>(row[x]) - c->base) / c->interval;
    out[x] = static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 255));
  }
}

void ground_row_source(void* context, int32_t y, uint8_t* out, int32_t width) {
  const int32_t height = *static_cast<const int32_t*>(context);
  const CoverCell* row = cover_row(height - 1 - y);
  for (int32_t x = 0; x < width; ++x) out[x] = ground_legend_index(row[x].color_class, row[x].object);
}

// An open picture whose header passed the checks.
struct PcxIn {
  FILE* file = nullptr;
  int32_t width = 0, height = 0, row_bytes = 0;
  ~PcxIn() {
    if (file) std::fclose(file);
  }
  int32_t open(const char* path) {
    file = open_file(path, "rb");
    if (!file) return kPcxCannotRead;
    return pcx_read_header(file, &width, &height, &row_bytes);
  }
  // The last 768 bytes of the file, whatever the byte before them holds; 0 when the file is too short.
  int32_t trailing_palette(uint8_t rgb[768]) {
    if (std::fseek(file, 0, SEEK_END) != 0) return 0;
    const long size = std::ftell(file);
    if (size < kPcxHeaderSize + 768) return 0;
    return std::fseek(file, size - 768, SEEK_SET) == 0 && std::fread(rgb, 1, 768, file) == 768 ? 1 : 0;
  }
  // Calls put(grid row, indexes, count) for each row taken, the picture's top row into the highest one.
  template <typename Put>
  void rows(Put put) {
    const int32_t taken = std::min(grid_height, height), count = std::min(grid_width, width);
    std::vector<uint8_t> out(static_cast<size_t>(row_bytes)), scratch(static_cast<size_t>(row_bytes));
    std::fseek(file, kPcxHeaderSize, SEEK_SET);
    for (int32_t r = 0; r < taken; ++r) {
      pcx_read_row(file, out.data(), width, row_bytes, scratch.data());
      put(taken - 1 - r, out.data(), count);
    }
  }
};

}  // namespace

void ground_palette(uint8_t rgb[768]) {
  for (int32_t i = 0; i < 36; ++i) {
    rgb[3 * i] = static_cast<uint8_t>((kLegend[i] >> 8 & 15) * 16);
    rgb[3 * i + 1] = static_cast<uint8_t>((kLegend[i] >> 4 & 15) * 16);
    rgb[3 * i + 2] = static_cast<uint8_t>((kLegend[i] & 15) * 16);
  }
}

uint8_t ground_legend_index(uint8_t c, uint8_t object) {
  if (object >= 60 && object <= 63) return static_cast<uint8_t>(12 + object - 60);
  if (object >= 72 && object <= 75) return static_cast<uint8_t>(28 + object - 72);
  if (c >= 51 && c <= 55) return static_cast<uint8_t>(2 + c - 51);
  if (c == 50) return 7;
  if (c >= 56 && c <= 59) return 8;
  if (c >= 34 && c <= 37) return 9;
  if (c >= 38 && c <= 41) return 16;
  if (c >= 42 && c <= 45) return 20;
  if (c >= 46 && c <= 49) return 24;
  if (c >= 88 && c <= 91) return static_cast<uint8_t>(32 + c - 88);
  return 0;
}

int32_t save_elevations_pcx(const char* path, int32_t mode, int32_t base, int32_t interval) {
  if (!elevation_rows) return 0;
  interval = std::max(1, interval);
  uint8_t rgb[768];
  if (mode == kPcxGreyMode) {
    grey_palette(rgb);
  } else {
    elevation_palette(rgb);
    rgb[0] = rgb[1] = rgb[2] = 0;
    rgb[765] = static_cast<uint8_t>(interval);
    rgb[766] = static_cast<uint8_t>(interval >> 8);
    rgb[767] = static_cast<uint8_t>(interval >> 16);
  }
  ElevationRows context{base, interval, picture_height()};
  pcx_fill_header(picture_width(), picture_height());
  return pcx_write_image(path, picture_width(), picture_height(), elevation_row_source, &context, rgb);
}

int32_t load_elevations_pcx(const char* path, int32_t mode, int32_t base, int32_t interval) {
  if (!elevation_rows) return kPcxCannotRead;
  if (interval < 0) interval = 1;
  PcxIn in;
  const int32_t result = in.open(path);
  if (result != kPcxOk) return result;
  int16_t level[256];
  if (mode == kPcxGreyMode) {
    uint8_t rgb[768];
    if (!in.trailing_palette(rgb)) return kPcxCannotRead;
    for (int32_t i = 0; i < 256; ++i) {
      const int64_t weight = 30 * rgb[3 * i] + 59 * rgb[3 * i + 1] + 11 * rgb[3 * i + 2];
      level[i] = static_cast<int16_t>(base + weight * interval / 100);
    }
  } else {
    for (int32_t i = 0; i < 256; ++i) level[i] = static_cast<int16_t>(static_cast<int64_t>(base) + int64_t{i} * interval);
  }
  in.rows([&level](int32_t y, const uint8_t* index, int32_t count) {
    int16_t* row = elevation_row(y);
    for (int32_t x = 0; x < count; ++x) row[x] = level[index[x]];
  });
  return kPcxOk;
}

int32_t save_ground_colors_pcx(const char* path) {
  if (!cover_rows) return 0;
  uint8_t rgb[768];
  elevation_palette(rgb);
  ground_palette(rgb);
  int32_t height = picture_height();
  pcx_fill_header(picture_width(), height);
  return pcx_write_image(path, picture_width(), height, ground_row_source, &height, rgb);
}

int32_t load_ground_colors_pcx(const char* path, int32_t as_colors) {
  if (!cover_rows) return kPcxCannotRead;
  PcxIn in;
  const int32_t result = in.open(path);
  if (result != kPcxOk) return result;
  if (as_colors) {
    uint8_t rgb[768];
    if (!in.trailing_palette(rgb)) return kPcxCannotRead;
    PaletteEntry palette[256];
    for (int32_t i = 0; i < 256; ++i) palette[i] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], 0};
    uint32_t mapping[256] = {};
    remap_to_palette(palette, mapping);
    for (int32_t i = 128; i < 256; ++i) {
      color_table[i].red = palette[i].red;
      color_table[i].green = palette[i].green;
      color_table[i].blue = palette[i].blue;
    }
    in.rows([&mapping](int32_t y, const uint8_t* index, int32_t count) {
      CoverCell* row = cover_row(y);
      for (int32_t x = 0; x < count; ++x) row[x].color_class = static_cast<uint8_t>(mapping[index[x]]);
    });
    return kPcxOk;
  }
  in.rows([](int32_t y, const uint8_t* index, int32_t count) {
    CoverCell* row = cover_row(y);
    for (int32_t x = 0; x < count; ++x) {
      const uint8_t i = index[x];
      CoverCell& cell = row[x];
      if (i >= 2 && i <= 6) cell.color_class = static_cast<uint8_t>(51 + i - 2);
      else if (i == 7) cell.color_class = 50;
      else if (i >= 8 && i <= 11) cell.color_class = static_cast<uint8_t>(56 + i - 8);
      else if (i >= 12 && i <= 15) cell.object = static_cast<uint8_t>(60 + i - 12);
      else if (i >= 16 && i <= 27) cell.color_class = static_cast<uint8_t>(38 + i - 16);
      else if (i >= 28 && i <= 31) cell.object = static_cast<uint8_t>(72 + i - 28);
      else if (i >= 32 && i <= 35) cell.color_class = static_cast<uint8_t>(88 + i - 32);
    }
  });
  return kPcxOk;
}

namespace {

void ask_base_and_interval() {
  if (!host().key_down('S')) return;
  value_requester("Base elevation:", "  OK  ", nullptr, &elevation_pcx_base);
  value_requester("Elevation interval:", "  OK  ", nullptr, &elevation_pcx_interval);
}

int32_t ask_mode() {
  return requester("Index or Grey Scale?", "Index", "Grey Scale") == 1 ? kPcxIndexMode : kPcxGreyMode;
}

}  // namespace

int32_t save_elevations_pcx_dialog() {
  ask_base_and_interval();
  if (save_file_dialog("Save elevations as PCX", pcx_dir_default, pcx_dir, pcx_name, pcx_path, ".PCX") != 1) return -1;
  const int32_t mode = ask_mode();
  return save_elevations_pcx(pcx_path, mode, elevation_pcx_base, elevation_pcx_interval);
}

int32_t load_elevations_pcx_dialog() {
  ask_base_and_interval();
  if (file_requester("Load PCX as elevations", pcx_dir_default, pcx_dir, pcx_name, "*.PCX", pcx_path, 0) != 1)
    return -1;
  const int32_t mode = ask_mode();
  return load_elevations_pcx(pcx_path, mode, elevation_pcx_base, elevation_pcx_interval);
}

int32_t save_ground_colors_pcx_dialog() {
  if (save_file_dialog("Save ground colors as PCX", pcx_dir_default, pcx_dir, pcx_name, pcx_path, ".PCX") != 1)
    return -1;
  if (derived_data.colors_done_step >= 2 || derived_data.cliffs_done_step >= 2) {
    if (requester("Need to calculate colors first!", "  OK  ", "Quit") != 1) return -1;
    const int32_t saved_step = render_settings.grid_step;
    render_settings.grid_step = 1;
    int32_t done = color_landscape();
    if (done == 1) done = color_cliffs();
    render_settings.grid_step = saved_step;
    if (done != 1) return -1;
  }
  return save_ground_colors_pcx(pcx_path);
}

int32_t load_ground_colors_pcx_dialog() {
  if (file_requester("Load PCX as ground colors", pcx_dir_default, pcx_dir, pcx_name, "*.PCX", pcx_path, 0) != 1)
    return -1;
  const int32_t as_colors = requester("Convert as terrain type or colors?", "Terrain Type", "Colors") == 1 ? 0 : 1;
  cursor_wait();
  const int32_t result = load_ground_colors_pcx(pcx_path, as_colors);
  cursor_arrow();
  return result == kPcxOk && as_colors ? 3 : result;
}
