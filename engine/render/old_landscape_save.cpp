// Save Elevations Only: the older format with elevations and colour table, of the whole landscape or of a
// half-size block the user marks on the map.
#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/files/byte_order.h"
#include "engine/files/file_messages.h"
#include "engine/files/landscape_header.h"
#include "engine/core/landscape_names.h"
#include "engine/files/landscape_placement.h"
#include "engine/files/landscape_row_codecs.h"
#include "engine/render/old_landscape_file.h"
#include "engine/files/safe_write.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"
#include "engine/landscape/topo_view.h"

int32_t write_old_dem(const char* path, int32_t corner_column, int32_t corner_row, int32_t columns, int32_t rows) {
  show_status("Saving Landscape");
  SafeWrite w;
  if (!safe_write_open(&w, path)) return msg_error_opening(path);
  uint8_t h[kOldHeaderSize] = {};
  std::memcpy(h, kOldMagic, std::strlen(kOldMagic));
  std::memcpy(h + 32, landscape_name, 32);
  h[63] = 0;
  std::memcpy(h + 64, landscape_description, 64);
  h[127] = 0;
  put32(h + 128, 1);
  put32(h + 132, (columns == 258 && rows == 258) ? 0 : kOldHasSize);
  put_i32(h + 136, columns);
  put_i32(h + 140, rows);
  put32(h + 144, 1);
  put_i32(h + 164, trunc_to_i32(landscape_view.origin_x + static_cast<double>(corner_column) * grid_spacing_x));
  put_i32(h + 168, trunc_to_i32(landscape_view.origin_y + static_cast<double>(corner_row) * grid_spacing_y));
  put_i32(h + 172, landscape_view.origin_z);
  put_f32(h + 176, grid_spacing_x);
  put_f32(h + 180, grid_spacing_y);
  put_f32(h + 184, grid_spacing_z);
  put_f32(h + 268, landscape_view.vertical_scale);
  old_header_swap(h, false);
  std::memcpy(h + 1024, color_table, 1024);

  bool ok = safe_write_bytes(&w, h, sizeof h) != 0;
  std::vector<uint8_t> delta(delta_packed_bound(kRowMaxSamples)), packed(rle_packed_bound(delta.size()));
  for (int32_t r = 0; ok && r < rows; ++r) {
    const int32_t d = delta_pack16(elevation_row(corner_row + r) + corner_column, delta.data(), columns);
    const int32_t length = rle_pack(delta.data(), packed.data(), d);
    const uint8_t prefix[2] = {static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
    ok = length <= 0xFFFF && safe_write_bytes(&w, prefix, 2) && safe_write_bytes(&w, packed.data(), length);
  }
  if (!ok) {
    safe_write_abort(&w);
    return msg_error_writing(path);
  }
  if (!safe_write_commit(&w)) return msg_error_writing(path);
  return 1;
}

int32_t save_old_dem(const char* path) {
  int32_t columns = grid_width, rows = grid_height, corner_column = 0, corner_row = 0;
  if (requester("Save entire landscape?", "  Yes ", "  No  ") != 1) {
    columns = land_width / 2 + 2;
    rows = land_height / 2 + 2;
    show_status("Mark Region:");
    int32_t x = 0, y = 0;
    if (!wait_map_click(&x, &y)) return -1;
    const int64_t c = int64_t{x - kTopoLeft} * land_max_side / kTopoSize;
    const int64_t r = int64_t{kTopoBottom - y} * land_max_side / kTopoSize;
    corner_column = static_cast<int32_t>(std::clamp<int64_t>(c, 0, land_width / 2));
    corner_row = static_cast<int32_t>(std::clamp<int64_t>(r, 0, land_height / 2));
  }
  return write_old_dem(path, corner_column, corner_row, columns, rows);
}
