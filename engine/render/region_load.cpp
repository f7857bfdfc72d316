// Region loading: the chosen tile sets origin, spacing and colours; every tile of the folder is read into a
// temporary block and placed only when it was read whole.
#include "engine/render/region_load.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/core/grid.h"
#include "engine/core/grid_edges.h"
#include "engine/core/landscape_names.h"
#include "engine/core/settings.h"
#include "engine/files/byte_order.h"
#include "engine/files/default_dirs.h"
#include "engine/files/file_requester.h"
#include "engine/files/folder_scan.h"
#include "engine/files/landscape_file_reader.h"
#include "engine/files/landscape_header.h"
#include "engine/files/old_landscape_header.h"
#include "engine/host/host.h"
#include "engine/render/color_scheme_files.h"
#include "engine/render/landscape_open_save.h"
#include "engine/render/render_start.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

namespace {

bool usable(float v) { return std::isfinite(v) && v > 0.0f; }

// Opens the file and reads its header in memory order; 1 for an older-format file, -1 for a current-format
// file (whose layout differs), 0 otherwise.
int32_t read_tile_header(LandscapeFileReader& r, const char* path, uint8_t* h) {
  if (!r.open(path) || !r.read_at(0, h, kOldHeaderSize)) return 0;
  if (header_has_magic(h, kDl4Magic)) return -1;
  if (!header_has_magic(h, kOldMagic)) return 0;
  old_header_swap(h, true);
  return 1;
}

}  // namespace

int32_t read_region_header(const char* path) {
  LandscapeFileReader r;
  uint8_t h[kOldHeaderSize];
  if (read_tile_header(r, path, h) != 1) return 0;
  std::memcpy(old_dem_header, h, sizeof h);
  landscape_view.origin_x = get_i32(h + 164);
  landscape_view.origin_y = get_i32(h + 168);
  landscape_view.origin_z = get_i32(h + 172);
  grid_spacing_x = grid_spacing_y = 30.0f;
  grid_spacing_z = 1.0f;
  if (!host().key_down('C') && (get32(h + 132) & kOldHasSize)) {
    const float sx = get_f32(h + 176), sy = get_f32(h + 180), sz = get_f32(h + 184);
    if (usable(sx)) grid_spacing_x = sx;
    if (usable(sy)) grid_spacing_y = sy;
    if (usable(sz)) grid_spacing_z = sz;
  }
  return 1;
}

int32_t load_region_tile(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/') name = p + 1;
  show_status(name);
  LandscapeFileReader r;
  uint8_t h[kOldHeaderSize];
  const int32_t kind = read_tile_header(r, path, h);
  if (kind == 0) {
    if (!r.file) return 0;  // cannot be opened
    // Not a landscape file: the header is cleared and the landscape loses its name and description.
    std::memset(old_dem_header, 0, sizeof old_dem_header);
    std::memset(landscape_name, 0, sizeof landscape_name);
    std::memset(landscape_description, 0, sizeof landscape_description);
    return 0;
  }
  if (kind < 0) return 0;  // a current-format file: its layout gives no tile origin or rows here
  std::memcpy(old_dem_header, h, sizeof h);

  int32_t columns = 258, rows = 258;
  if (get32(h + 132) & kOldHasSize) {
    columns = get_i32(h + 136);
    rows = get_i32(h + 140);
    if (columns == 0) columns = 258;
    if (rows == 0) rows = 258;
  }
  if (columns < kMinGridSamples || rows < kMinGridSamples || columns > kMaxGridSamples || rows > kMaxGridSamples)
    return 0;
  // Neighbouring tiles overlap by one sample.
  const int32_t place_columns = columns - 1, place_rows = rows - 1;
  const double fx = std::trunc((static_cast<double>(get_i32(h + 164)) - landscape_view.origin_x) / grid_spacing_x);
  const double fy = std::trunc((static_cast<double>(get_i32(h + 168)) - landscape_view.origin_y) / grid_spacing_y);
  if (!(fx >= 0.0 && fx < grid_width && fy >= 0.0 && fy < grid_height)) return 0;
  const int32_t column = static_cast<int32_t>(fx), row = static_cast<int32_t>(fy);
  const int32_t keep_columns = std::min(place_columns, grid_width - column);
  const int32_t keep_rows = std::min(place_rows, grid_height - row);

  std::vector<int16_t> samples;
  const bool packed = (get32(h + 128) & 1) != 0;
  if (!r.seek(kOldHeaderSize) ||
      !read_elevation_rows(r, packed, columns, place_rows, keep_columns, keep_rows, &samples))
    return 0;
  for (int32_t y = 0; y < keep_rows; ++y)
    std::memcpy(elevation_row(row + y) + column, samples.data() + static_cast<size_t>(y) * keep_columns,
                static_cast<size_t>(keep_columns) * 2);
  return 1;
}

int32_t load_region_dialog() {
  const int32_t saved_mode = region_mode;
  const int32_t code =
      region_mode == 1 ? (requester("Select a region size:", "Large", "Huge") == 1 ? 1055 : 1056) : 0;
  // The tile is chosen before the landscape in memory is replaced, so that a cancelled choice loses nothing.
  if (file_requester("Load Landscape Region", dem_dir, dem_dir_work, landscape_file_name, "*.DEM", landscape_path, 0) !=
      1) {
    region_mode = saved_mode;
    return -1;
  }
  if (code != 0) {
    if (new_flatland(code) != 1) {
      requester("Insufficient memory available.", "  OK  ", nullptr);
      derived_data.landscape_changed = 1;
      return 0;
    }
    clear_colors();
  }
  if (read_region_header(landscape_path) == 1) {
    std::memcpy(color_table, old_dem_header + 1024, sizeof color_table);
    scheme_default_colors();
    scheme_sky_colors();
    const float scale = get_f32(old_dem_header + 268);
    landscape_view.vertical_scale = landscape_view.built_vertical_scale = usable(scale) ? scale : 1.0f;
    clear_elevations();
    clear_colors();
    clear_shades();
    derived_data.colors_done_step = derived_data.cliffs_done_step = derived_data.shades_done_step = land_width;
    std::string folder = dem_dir_work;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    char entry[kScanNameSize];
    uint32_t size = 0, kind = 0;
    if (const int32_t scan = find_first(folder.c_str(), "*.*")) {
      while (find_next(scan, entry, &size, &kind)) {
        if (kind == kScanFolder) continue;
        if (poll_user_abort() == -1) break;
        // The scan is kept open while the tile is read: load_region_tile starts no scan of its own.
        load_region_tile((folder + entry).c_str());
      }
      find_close(scan);
    }
    replicate_grid_edges();
  } else {
    // Nothing was placed: the landscape stays as it was.
    requester("Region tiles must be older-format landscape files.", "  OK  ", nullptr);
  }
  region_mode = saved_mode;
  return 1;
}
