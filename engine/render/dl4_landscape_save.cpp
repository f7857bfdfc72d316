// Writing the current landscape format: header with its settings snapshot, then the chosen sections in
// file order, then the completed header again; all through a temporary file.
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/files/byte_order.h"
#include "engine/render/dl4_landscape_file.h"
#include "engine/files/file_messages.h"
#include "engine/files/landscape_header.h"
#include "engine/core/landscape_names.h"
#include "engine/files/landscape_row_codecs.h"
#include "engine/files/background_image.h"
#include "engine/files/safe_write.h"
#include "engine/files/session_section_hooks.h"
#include "engine/render/settings_snapshot.h"
#include "engine/render/texture_table.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/status.h"
#include "engine/raster/image_palette.h"
#include "engine/scene/texture_slots.h"

namespace {

// The file being written and the position of its end.
struct Writer {
  SafeWrite w;
  uint64_t end = 0;
  std::vector<uint8_t> delta = std::vector<uint8_t>(delta_packed_bound(kRowMaxSamples));
  std::vector<uint8_t> packed = std::vector<uint8_t>(rle_packed_bound(delta_packed_bound(kRowMaxSamples)));
  std::vector<uint8_t> pair_row = std::vector<uint8_t>(kRowMaxSamples * 2);

  bool bytes(const void* data, size_t n) {
    if (!safe_write_bytes(&w, data, n)) return false;
    end += n;
    return end <= 0xFFFFFFFFull;  // offsets are 32-bit
  }
  // Starts a section: its offset goes into the header slot.
  void mark(uint8_t* slot) { put32(slot, static_cast<uint32_t>(end)); }
  bool packed_row(const uint8_t* data, int32_t n) {
    const int32_t length = rle_pack(data, packed.data(), n);
    if (length > 0xFFFF) return false;
    const uint8_t prefix[2] = {static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
    return bytes(prefix, 2) && bytes(packed.data(), static_cast<size_t>(length));
  }
  bool elevation_row(const int16_t* samples, int32_t n) {
    const int32_t d = delta_pack16(samples, delta.data(), n);
    return packed_row(delta.data(), d);
  }
  // A row of 16-bit values stored high byte first; the grid itself is not changed.
  bool pair_row_of(const void* samples, int32_t n) {
    std::memcpy(pair_row.data(), samples, static_cast<size_t>(n) * 2);
    swap16_array(pair_row.data(), n);
    return packed_row(pair_row.data(), n * 2);
  }
};

bool any_texture_loaded() {
  for (const TextureSlot& s : texture_slots)
    if (s.loaded) return true;
  return false;
}

bool write_textures(Writer& out, uint8_t* header, int32_t embed) {
  out.mark(header + dl4::kTextureTable);
  const uint64_t table_at = out.end;
  std::vector<uint8_t> table(kTextureTableBytes, 0);
  for (int32_t n = 0; n < 256; ++n) texture_entry_from_slot(texture_slots[n], table.data() + n * kTextureEntryBytes);
  if (!out.bytes(table.data(), table.size())) return false;
  for (int32_t n = 0; n < 256 && embed; ++n) {
    const TextureSlot& s = texture_slots[n];
    if (!texture_slot_embeddable(s)) continue;
    texture_entry_set_block(s, static_cast<uint32_t>(out.end), table.data() + n * kTextureEntryBytes);
    if (!out.bytes(s.levels[0].pixels, s.levels[0].bytes)) return false;
  }
  // The completed table over the placeholder.
  if (std::fseek(out.w.file, static_cast<long>(table_at), SEEK_SET) != 0) return false;
  if (!safe_write_bytes(&out.w, table.data(), table.size())) return false;
  return std::fseek(out.w.file, 0, SEEK_END) == 0;
}

bool write_sections(Writer& out, uint8_t* h, int32_t session, int32_t scheme, int32_t embed, int32_t elevations,
                    int32_t terrain, int32_t shadows, int32_t clouds, int32_t path_block) {
  if (scheme) {
    out.mark(h + dl4::kColorTable);
    if (!out.bytes(color_table, sizeof color_table)) return false;
    out.mark(h + dl4::kClassAttributes);
    static_assert(sizeof class_attributes == 1280);
    if (!out.bytes(class_attributes, sizeof class_attributes)) return false;
  }
  if (any_texture_loaded() && !write_textures(out, h, embed)) return false;
  if (elevations) {
    out.mark(h + dl4::kElevations);
    for (int32_t r = 0; r < grid_height; ++r) {
      show_progress("Saving", r, grid_height);
      if (!out.elevation_row(elevation_row(r), grid_width)) return false;
    }
  }
  if (terrain) {
    show_status(" Saving  Colors ");
    out.mark(h + dl4::kTerrainMap);
    for (int32_t r = 0; r < grid_height; ++r)
      if (!out.pair_row_of(cover_row(r), grid_width)) return false;
  }
  if (shadows) {
    show_status(" Saving  Shades ");
    out.mark(h + dl4::kShadowMap);
    for (int32_t r = 0; r < grid_height; ++r)
      if (!out.pair_row_of(shade_row(r), grid_width)) return false;
  }
  if (session) {
    show_status(" Saving Palette ");
    out.mark(h + dl4::kImagePalette);
    uint8_t palette[1024];
    for (int32_t i = 0; i < 256; ++i) {
      palette[4 * i] = 0;
      palette[4 * i + 1] = image_palette[i].red;
      palette[4 * i + 2] = image_palette[i].green;
      palette[4 * i + 3] = image_palette[i].blue;
    }
    if (!out.bytes(palette, sizeof palette)) return false;
  }
  if (clouds) {
    show_status(" Saving  Clouds ");
    std::vector<uint8_t> pattern(kCloudPatternBytes);
    session_cloud_pattern_get(pattern.data());
    out.mark(h + dl4::kCloudPattern);
    for (int32_t r = 0; r < kCloudPatternSide; ++r)
      if (!out.packed_row(pattern.data() + r * kCloudPatternSide, kCloudPatternSide)) return false;
    show_status("  Cloud Colors  ");
    uint32_t ramp[kCloudRampEntries];
    session_cloud_ramp_get(ramp);
    uint8_t bytes[kCloudRampEntries * 4];
    for (int32_t i = 0; i < kCloudRampEntries; ++i) put32(bytes + 4 * i, ramp[i]);
    out.mark(h + dl4::kCloudColors);
    if (!out.bytes(bytes, sizeof bytes)) return false;
  }
  show_status("Background name ");
  out.mark(h + dl4::kBackgroundName);
  if (!out.bytes(background_name, kPictureNameSize)) return false;
  if (session) {
    show_status("Foreground name ");
    out.mark(h + dl4::kForegroundName);
    if (!out.bytes(foreground_name, kPictureNameSize)) return false;
  }
  if (path_block) {
    std::vector<uint8_t> block(kPathBlockBytes);
    session_path_block_get(block.data());
    out.mark(h + dl4::kCameraPath);
    if (!out.bytes(block.data(), block.size())) return false;
  }
  return true;
}

}  // namespace

int32_t save_dl4_file(const char* path, int32_t session, int32_t scheme, int32_t embed, int32_t elevations,
                      int32_t terrain, int32_t shadows, int32_t clouds, int32_t path_block) {
  show_status("Saving Landscape");
  Writer out;
  if (!safe_write_open(&out.w, path)) return msg_error_opening(path);

  dl4_header_reset();
  uint8_t* h = dem_header;
  std::memcpy(h, kDl4Magic, std::strlen(kDl4Magic));
  std::memcpy(h + dl4::kName, landscape_name, 32);
  h[dl4::kName + 31] = 0;
  std::memcpy(h + dl4::kDescription, landscape_description, 64);
  h[dl4::kDescription + 63] = 0;
  put32(h + dl4::kFlags, 1);
  put32(h + dl4::kSession, session ? 1 : 0);
  put_i32(h + dl4::kColumns, grid_width);
  put_i32(h + dl4::kRows, grid_height);
  put32(h + dl4::kOne, 1);
  put_i32(h + dl4::kOrigin, landscape_view.origin_x);
  put_i32(h + dl4::kOrigin + 4, landscape_view.origin_y);
  put_i32(h + dl4::kOrigin + 8, landscape_view.origin_z);
  put_f32(h + dl4::kSpacing, grid_spacing_x);
  put_f32(h + dl4::kSpacing + 4, grid_spacing_y);
  put_f32(h + dl4::kSpacing + 8, grid_spacing_z);
  fill_dl4_snapshot(h);

  bool ok = out.bytes(h, kDl4HeaderSize) &&
            write_sections(out, h, session, scheme, embed, elevations, terrain, shadows, clouds, path_block);
  // The completed header over the first one.
  ok = ok && std::fseek(out.w.file, 0, SEEK_SET) == 0 && safe_write_bytes(&out.w, h, kDl4HeaderSize);
  if (!ok) {
    safe_write_abort(&out.w);
    return msg_error_writing(path);
  }
  if (!safe_write_commit(&out.w)) return msg_error_writing(path);
  return 1;
}
