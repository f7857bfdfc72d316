// Reading the current landscape format: header checks, sizing and placement, then every section into a
// pending landscape that replaces the current one only when the whole file was read and found sound.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/files/byte_order.h"
#include "engine/render/dl4_landscape_file.h"
#include "engine/files/file_messages.h"
#include "engine/files/landscape_file_reader.h"
#include "engine/files/landscape_header.h"
#include "engine/files/landscape_placement.h"
#include "engine/render/pending_landscape.h"
#include "engine/files/session_section_hooks.h"
#include "engine/core/grid.h"
#include "engine/ui/status.h"

namespace {

// Section offsets must point behind the header and inside the file.
const char* check_offsets(const uint8_t* h, const LandscapeFileReader& r) {
  static const int32_t kSlots[] = {dl4::kColorTable,    dl4::kClassAttributes, dl4::kTextureTable,
                                   dl4::kElevations,    dl4::kTerrainMap,      dl4::kShadowMap,
                                   dl4::kImagePalette,  dl4::kCameraPath,      dl4::kCloudPattern,
                                   dl4::kCloudColors,   dl4::kBackgroundName,  dl4::kForegroundName};
  for (int32_t slot : kSlots) {
    const uint32_t at = get32(h + slot);
    if (at != 0 && (at < static_cast<uint32_t>(kDl4HeaderSize) || at >= r.size))
      return "A section offset points outside the file.";
  }
  return nullptr;
}

// Reads a fixed-size section into out when its offset is set; false after a short read.
bool fixed_section(LandscapeFileReader& r, const uint8_t* h, int32_t slot, void* out, size_t n, bool* present) {
  const uint32_t at = get32(h + slot);
  *present = at != 0;
  if (!at) return true;
  if (!r.section_fits(at, n)) {
    r.fault = "A section runs past the end of the file.";
    return false;
  }
  return r.read_at(at, out, n) != 0;
}

bool read_textures(LandscapeFileReader& r, const uint8_t* h, PendingLandscape& p) {
  const uint32_t at = get32(h + dl4::kTextureTable);
  p.replace_textures = true;
  if (!at) return true;
  std::vector<uint8_t> table(kTextureTableBytes);
  if (!r.section_fits(at, table.size())) {
    r.fault = "The texture table runs past the end of the file.";
    return false;
  }
  if (!r.read_at(at, table.data(), table.size())) return false;
  p.has_texture_table = true;
  p.textures.resize(256);
  p.blocks.resize(256);
  for (int32_t n = 0; n < 256; ++n) {
    TextureEntry& e = p.textures[n];
    texture_entry_parse(table.data() + n * kTextureEntryBytes, &e);
    if (e.name[0] == 0 || !(e.loaded && e.bytes0 && e.data[0])) continue;
    // An embedded block: read only when sound and inside the file; otherwise the slot stays empty.
    if (!texture_entry_block_sound(e) || !r.section_fits(e.data[0], e.bytes0)) continue;
    std::unique_ptr<uint8_t, PendingLandscape::BlockFree> block(static_cast<uint8_t*>(global_alloc_zeroed(e.bytes0)));
    if (!block || !r.read_at(e.data[0], block.get(), e.bytes0)) continue;
    p.blocks[n] = std::move(block);
  }
  return true;
}

// Sizing and placement of the grid sections (steps that decide where the rows go). False after a
// reported refusal.
bool plan_grids(const char* path, const uint8_t* h, LandscapeFileReader& r, PendingLandscape& p, int32_t* columns,
                int32_t* rows, bool* placed) {
  *placed = false;
  const bool session = (get32(h + dl4::kSession) & 1) != 0;
  const bool grids = get32(h + dl4::kElevations) || get32(h + dl4::kTerrainMap) || get32(h + dl4::kShadowMap);
  *columns = get_i32(h + dl4::kColumns);
  *rows = get_i32(h + dl4::kRows);
  if (!session && !grids) return true;
  if (*columns == 0 && *rows == 0 && !grids) return true;
  if (*columns > kMaxGridSamples || *rows > kMaxGridSamples) return msg_file_too_big(path), false;
  if (*columns < kMinGridSamples || *rows < kMinGridSamples) {
    r.fault = "The landscape size in the header is not between 3 and 8194 samples.";
    return msg_damaged_file(path, r.fault), false;
  }
  int32_t target_w = grid_width, target_h = grid_height;
  if (region_mode == 1) {
    p.resize = true;
    p.new_columns = *columns;
    p.new_rows = *rows;
    target_w = *columns;
    target_h = *rows;
  } else if (*columns > grid_width || *rows > grid_height) {
    return msg_file_too_big(path), false;
  }
  int32_t place_w = *columns, place_h = *rows;
  const int32_t file_x = get_i32(h + dl4::kOrigin), file_y = get_i32(h + dl4::kOrigin + 4);
  if (get32(h + dl4::kElevations) && (*columns < target_w || *rows < target_h)) {
    place_w -= 2;
    place_h -= 2;
    Placement where;
    if (!choose_placement(place_w, place_h, file_x, file_y, &where)) return false;
    p.column = where.column;
    p.row = where.row;
    p.set_origin = where.origin_from_file;
    *placed = true;
  } else {
    p.column = p.row = 0;
    if (session) {
      p.clear_elevations_first = true;
      p.set_origin = true;
    }
  }
  if (p.set_origin) {
    p.origin[0] = file_x;
    p.origin[1] = file_y;
    p.origin[2] = get_i32(h + dl4::kOrigin + 8);
  }
  p.keep_columns = std::max(0, std::min(place_w, target_w - p.column));
  p.keep_rows = std::max(0, std::min(place_h, target_h - p.row));
  return true;
}

bool read_grid(LandscapeFileReader& r, const uint8_t* h, int32_t slot, bool packed, int32_t columns,
               int32_t read_rows, PendingLandscape& p, bool elevations, std::vector<int16_t>* e,
               std::vector<uint16_t>* pairs) {
  const uint32_t at = get32(h + slot);
  if (!r.seek(at)) return false;
  if (elevations)
    return read_elevation_rows(r, packed, columns, read_rows, p.keep_columns, p.keep_rows, e, "Loading") != 0;
  return read_pair_rows(r, packed, columns, read_rows, p.keep_columns, p.keep_rows, pairs) != 0;
}

// Reads everything; false after a failure (reported by the caller from the reader's fault unless
// already reported).
bool read_all(const char* path, LandscapeFileReader& r, const uint8_t* h, PendingLandscape& p, bool* reported) {
  *reported = false;
  if ((r.fault = check_offsets(h, r))) return false;
  bool present = false;
  if (!fixed_section(r, h, dl4::kColorTable, p.colors, sizeof p.colors, &present)) return false;
  p.has_colors = present;
  if (!fixed_section(r, h, dl4::kClassAttributes, p.attributes, sizeof p.attributes, &present)) return false;
  p.has_attributes = present;

  int32_t columns = 0, rows = 0;
  bool placed = false;
  if (!plan_grids(path, h, r, p, &columns, &rows, &placed)) {
    *reported = true;
    return false;
  }
  // Spacing as stored; a spacing divides world positions, so an unusable one gives the start value.
  const float sx = get_f32(h + dl4::kSpacing), sy = get_f32(h + dl4::kSpacing + 4), sz = get_f32(h + dl4::kSpacing + 8);
  p.set_spacing = true;
  p.spacing[0] = std::isfinite(sx) && sx > 0.0f ? sx : 30.0f;
  p.spacing[1] = std::isfinite(sy) && sy > 0.0f ? sy : 30.0f;
  p.spacing[2] = std::isfinite(sz) ? sz : 1.0f;

  if (!read_textures(r, h, p)) return false;

  const bool packed = (get32(h + dl4::kFlags) & 1) != 0;
  const int32_t read_rows = placed ? rows - 2 : rows;
  if (get32(h + dl4::kElevations)) {
    if (!read_grid(r, h, dl4::kElevations, packed, columns, read_rows, p, true, &p.elevations, nullptr)) return false;
    p.has_elevations = true;
  }
  if (!(get32(h + dl4::kSession) & 1)) return true;

  if (get32(h + dl4::kTerrainMap)) {
    show_status(" Loading Colors ");
    if (!read_grid(r, h, dl4::kTerrainMap, packed, columns, read_rows, p, false, nullptr, &p.cover)) return false;
    p.has_cover = true;
    p.cover_done_step = 1;
  }
  if (get32(h + dl4::kShadowMap)) {
    show_status(" Loading Shades ");
    if (!read_grid(r, h, dl4::kShadowMap, packed, columns, read_rows, p, false, nullptr, &p.shades)) return false;
    p.has_shades = true;
    p.shades_done_step_value = 1;
  }
  if (get32(h + dl4::kImagePalette)) show_status(" Loading Palette");
  if (!fixed_section(r, h, dl4::kImagePalette, p.palette, sizeof p.palette, &present)) return false;
  p.has_palette = present;
  if (const uint32_t at = get32(h + dl4::kCloudPattern)) {
    show_status(" Loading Clouds ");
    p.cloud_pattern.resize(kCloudPatternBytes);
    if (!r.seek(at) || !read_cloud_rows(r, packed, p.cloud_pattern.data())) return false;
    p.has_cloud_pattern = true;
  }
  uint8_t ramp[kCloudRampEntries * 4] = {};
  if (!fixed_section(r, h, dl4::kCloudColors, ramp, sizeof ramp, &present)) return false;
  p.has_cloud_ramp = present;
  for (int32_t i = 0; i < kCloudRampEntries; ++i) p.cloud_ramp[i] = get32(ramp + 4 * i);
  if (!fixed_section(r, h, dl4::kBackgroundName, p.background, sizeof p.background, &present)) return false;
  p.has_background = present;
  if (!fixed_section(r, h, dl4::kForegroundName, p.foreground, sizeof p.foreground, &present)) return false;
  p.has_foreground = present;
  p.path_block.resize(kPathBlockBytes);
  if (!fixed_section(r, h, dl4::kCameraPath, p.path_block.data(), p.path_block.size(), &present)) return false;
  p.has_path = present;
  return true;
}

}  // namespace

int32_t load_dl4_dem(const char* path) {
  show_status("Load Dalvenor Landscape");
  LandscapeFileReader r;
  if (!r.open(path)) return msg_error_opening(path);
  uint8_t h[kDl4HeaderSize];
  if (!r.read_at(0, h, sizeof h)) return msg_error_reading(path);
  if (!header_has_magic(h, kDl4Magic)) return not_a_landscape_msg(path);

  PendingLandscape pending;
  bool reported = false;
  if (!read_all(path, r, h, pending, &reported)) {
    if (!reported) msg_damaged_file(path, r.fault);
    return 0;
  }
  if (!commit_pending_landscape(pending, path)) return 0;
  std::memcpy(dem_header, h, sizeof h);
  return 1;
}
