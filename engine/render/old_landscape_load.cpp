// Reading the older landscape format into a pending landscape.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/files/byte_order.h"
#include "engine/files/file_messages.h"
#include "engine/files/landscape_file_reader.h"
#include "engine/files/landscape_header.h"
#include "engine/files/landscape_placement.h"
#include "engine/render/old_landscape_file.h"
#include "engine/files/old_landscape_header.h"
#include "engine/render/pending_landscape.h"
#include "engine/files/session_section_hooks.h"
#include "engine/host/host.h"
#include "engine/core/grid.h"
#include "engine/ui/status.h"

namespace {

// Grid step at which the stored maps were made; anything but 1, 2, 4 or 8 marks them stale.
int32_t stored_step(const uint8_t* h) {
  const int32_t s = get_i32(h + 188);
  return (s == 1 || s == 2 || s == 4 || s == 8) ? s : land_width;
}

bool read_fixed(LandscapeFileReader& r, uint32_t at, void* out, size_t n) {
  if (!r.section_fits(at, n)) {
    r.fault = "A section runs past the end of the file.";
    return false;
  }
  return r.read_at(at, out, n) != 0;
}

bool read_all(const char* path, LandscapeFileReader& r, const uint8_t* h, PendingLandscape& p, bool* reported) {
  *reported = false;
  const uint32_t presence = get32(h + 132);
  std::memcpy(p.colors, h + 1024, sizeof p.colors);
  p.has_colors = true;
  p.default_colors = true;

  int32_t columns = 258, rows = 258;
  if (presence & kOldHasSize) {
    columns = get_i32(h + 136);
    rows = get_i32(h + 140);
    if (columns == 0) columns = 258;
    if (rows == 0) rows = 258;
  }
  if (columns > kMaxGridSamples || rows > kMaxGridSamples) {
    *reported = true;
    return msg_file_too_big(path), false;
  }
  if (columns < kMinGridSamples || rows < kMinGridSamples) {
    r.fault = "The landscape size in the header is not between 3 and 8194 samples.";
    return false;
  }
  int32_t target_w = grid_width, target_h = grid_height;
  if (region_mode == 1) {
    p.resize = true;
    p.new_columns = columns;
    p.new_rows = rows;
    target_w = columns;
    target_h = rows;
  }
  const int32_t file_x = get_i32(h + 164), file_y = get_i32(h + 168);
  int32_t place_w = columns, place_h = rows, read_rows = rows;
  if (columns < target_w || rows < target_h) {
    place_w -= 2;
    place_h -= 2;
    read_rows -= 2;
    Placement where;
    if (!choose_placement(place_w, place_h, file_x, file_y, &where)) {
      *reported = true;
      return false;
    }
    p.column = where.column;
    p.row = where.row;
    p.set_origin = where.origin_from_file;
  } else {
    p.clear_elevations_first = true;
    p.set_origin = true;
  }
  p.origin[0] = file_x;
  p.origin[1] = file_y;
  p.origin[2] = get_i32(h + 172);
  p.keep_columns = std::max(0, std::min(place_w, target_w - p.column));
  p.keep_rows = std::max(0, std::min(place_h, target_h - p.row));

  // Spacing: Ctrl held gives the start values; otherwise the stored ones, 0 (or unusable) giving the same.
  p.set_spacing = true;
  p.set_vertical_scale = true;
  if (host().key_down('C')) {
    p.spacing[0] = p.spacing[1] = 30.0f;
    p.spacing[2] = 1.0f;
    p.vertical_scale_value = 1.0f;
  } else {
    auto usable = [](float v) { return std::isfinite(v) && v > 0.0f; };
    const float sx = get_f32(h + 176), sy = get_f32(h + 180), sz = get_f32(h + 184), vs = get_f32(h + 268);
    p.spacing[0] = usable(sx) ? sx : 30.0f;
    p.spacing[1] = usable(sy) ? sy : 30.0f;
    p.spacing[2] = usable(sz) ? sz : 1.0f;
    p.vertical_scale_value = usable(vs) ? vs : 1.0f;
  }

  const bool packed = (get32(h + 128) & 1) != 0;
  if (!r.seek(kOldHeaderSize) ||
      !read_elevation_rows(r, packed, columns, read_rows, p.keep_columns, p.keep_rows, &p.elevations, "Loading"))
    return false;
  p.has_elevations = true;
  if (!(presence & kOldHasSize)) return true;

  // Sections behind the elevations must lie inside the file.
  static const int32_t kOffsets[] = {152, 156, 160, 448, 452, 480, 484};
  for (int32_t at : kOffsets) {
    const uint32_t v = get32(h + at);
    if (v != 0 && (v < static_cast<uint32_t>(kOldHeaderSize) || v >= r.size)) {
      r.fault = "A section offset points outside the file.";
      return false;
    }
  }
  if (const uint32_t at = get32(h + 152)) {
    show_status(" Loading Colors ");
    if (!r.seek(at) || !read_pair_rows(r, packed, columns, read_rows, p.keep_columns, p.keep_rows, &p.cover))
      return false;
    p.has_cover = true;
    p.cover_objects_cleared = true;
    p.cover_done_step = stored_step(h);
  }
  if (const uint32_t at = get32(h + 156)) {
    show_status(" Loading Shades ");
    if (!r.seek(at) || !read_pair_rows(r, packed, columns, read_rows, p.keep_columns, p.keep_rows, &p.shades))
      return false;
    p.has_shades = true;
    p.shades_done_step_value = stored_step(h);
  }
  if (const uint32_t at = get32(h + 160)) {
    show_status(" Loading Palette");
    if (!read_fixed(r, at, p.palette, sizeof p.palette)) return false;
    p.has_palette = true;
  }
  if (const uint32_t at = get32(h + 448)) {
    show_status(" Loading Clouds ");
    p.cloud_pattern.resize(kCloudPatternBytes);
    if (!r.seek(at) || !read_cloud_rows(r, packed, p.cloud_pattern.data())) return false;
    p.has_cloud_pattern = true;
  }
  if (const uint32_t at = get32(h + 452)) {
    uint8_t ramp[kCloudRampEntries * 4];
    if (!read_fixed(r, at, ramp, sizeof ramp)) return false;
    for (int32_t i = 0; i < kCloudRampEntries; ++i) p.cloud_ramp[i] = get32(ramp + 4 * i);
    p.has_cloud_ramp = true;
  }
  if (const uint32_t at = get32(h + 480)) {
    if (!read_fixed(r, at, p.background, sizeof p.background)) return false;
    p.has_background = true;
  }
  if (const uint32_t at = get32(h + 484)) {
    if (!read_fixed(r, at, p.foreground, sizeof p.foreground)) return false;
    p.has_foreground = true;
  }
  return true;
}

}  // namespace

int32_t load_old_dem(const char* path) {
  show_status("Load Dalvenor Landscape");
  LandscapeFileReader r;
  if (!r.open(path)) return msg_error_opening(path);
  uint8_t h[kOldHeaderSize];
  if (!r.read_at(0, h, sizeof h)) return msg_error_reading(path);
  if (!header_has_magic(h, kOldMagic)) return not_a_landscape_msg(path);
  old_header_swap(h, true);

  PendingLandscape pending;
  bool reported = false;
  if (!read_all(path, r, h, pending, &reported)) {
    if (!reported) msg_damaged_file(path, r.fault);
    return 0;
  }
  if (!commit_pending_landscape(pending, path)) return 0;
  std::memcpy(old_dem_header, h, sizeof h);
  return 1;
}
