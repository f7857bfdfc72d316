// Handing a fully read landscape file over to the landscape, the colour scheme, the textures and the rest.
#include "engine/render/pending_landscape.h"

#include <algorithm>
#include <cstring>

#include "engine/files/background_image.h"
#include "engine/render/color_scheme_files.h"
#include "engine/files/file_messages.h"
#include "engine/files/landscape_header.h"
#include "engine/files/session_section_hooks.h"
#include "engine/core/grid.h"
#include "engine/render/render_start.h"
#include "engine/ui/status.h"
#include "engine/raster/image_palette.h"
#include "engine/scene/texture_slots.h"

void PendingLandscape::BlockFree::operator()(void* block) const { global_free(block); }

namespace {

template <typename T>
void place_rows(const std::vector<T>& source, const PendingLandscape& p, RowTable table) {
  for (int32_t r = 0; r < p.keep_rows; ++r) {
    const int32_t grid_r = p.row + r;
    if (grid_r < 0 || grid_r >= grid_height) continue;
    const int32_t n = std::min(p.keep_columns, grid_width - p.column);
    if (n <= 0 || p.column < 0) continue;
    std::memcpy(static_cast<T*>(table[grid_r]) + p.column, source.data() + static_cast<size_t>(r) * p.keep_columns,
                static_cast<size_t>(n) * sizeof(T));
  }
}

void install_textures(PendingLandscape& p) {
  texture_slots_free_all();
  if (!p.has_texture_table) return;
  for (int32_t n = 0; n < 256; ++n) {
    TextureEntry& e = p.textures[n];
    TextureSlot& s = texture_slots[n];
    if (e.name[0] == 0) continue;
    if (p.blocks[n]) {
      // Embedded: the slot takes the block; its levels point into it.
      uint8_t* block = p.blocks[n].release();
      auto* base = reinterpret_cast<uint32_t*>(block);
      s.loaded = e.loaded;
      s.deformation = e.deformation;
      std::memcpy(s.name, e.name, sizeof s.name);
      for (int32_t l = 0; l < kTextureLevels; ++l) {
        s.levels[l].width = e.width[l];
        s.levels[l].height = e.height[l];
        s.levels[l].bytes = l == 0 ? e.bytes0 : 0;
        s.levels[l].pixels = base + (l == 0 ? 0 : e.data[l] / 4);
      }
      continue;
    }
    if (e.loaded && e.bytes0 && e.data[0]) {
      // An embedded block that could not be had: the name stays, the slot stays empty.
      std::memcpy(s.name, e.name, sizeof s.name);
      continue;
    }
    char name[256];
    std::memcpy(name, e.name, sizeof name);
    if (texture_slot_load_or_ask(n, name) == 1) s.deformation = e.deformation;
  }
}

}  // namespace

int32_t commit_pending_landscape(PendingLandscape& p, const char* path) {
  if (p.resize && set_landscape_size(p.new_columns, p.new_rows) != 1) return msg_file_too_big(path);

  if (p.has_colors) {
    std::memcpy(color_table, p.colors, sizeof color_table);
    if (p.default_colors) scheme_default_colors();
    scheme_sky_colors();
  }
  if (p.has_attributes) {
    std::memcpy(class_attributes, p.attributes, sizeof class_attributes);
    if (class_attributes[33].phong_sharpness == 0) {
      class_attributes[33].phong_intensity = 100;
      class_attributes[33].phong_sharpness = 10;
    }
  }
  if (p.set_origin) {
    landscape_view.origin_x = p.origin[0];
    landscape_view.origin_y = p.origin[1];
    landscape_view.origin_z = p.origin[2];
  }
  if (p.set_spacing) {
    grid_spacing_x = p.spacing[0];
    grid_spacing_y = p.spacing[1];
    grid_spacing_z = p.spacing[2];
  }
  if (p.set_vertical_scale) landscape_view.vertical_scale = landscape_view.built_vertical_scale = p.vertical_scale_value;
  if (p.replace_textures) install_textures(p);

  if (p.has_elevations) {
    if (p.clear_elevations_first) clear_elevations();
    place_rows(p.elevations, p, elevation_rows);
    derived_data.colors_done_step = derived_data.cliffs_done_step = derived_data.shades_done_step = land_width;
    clear_colors();
    clear_shades();
  }
  if (p.has_cover) {
    show_status(" Loading Colors ");
    place_rows(p.cover, p, cover_rows);
    if (p.cover_objects_cleared)
      for (int32_t r = 0; r < grid_height; ++r)
        for (int32_t c = 0; c < grid_width; ++c) cover_row(r)[c].object = 0;
    derived_data.colors_done_step = derived_data.cliffs_done_step = p.cover_done_step;
  }
  if (p.has_shades) {
    show_status(" Loading Shades ");
    place_rows(p.shades, p, shade_rows);
    derived_data.shades_done_step = p.shades_done_step_value;
  }
  if (p.has_palette) {
    for (int32_t i = 0; i < 256; ++i) {
      image_palette[i].red = p.palette[4 * i + 1];
      image_palette[i].green = p.palette[4 * i + 2];
      image_palette[i].blue = p.palette[4 * i + 3];
    }
    derived_data.palette_stale = 0;
  }
  if (p.has_cloud_pattern) session_cloud_pattern_set(p.cloud_pattern.data());
  if (p.has_cloud_ramp) session_cloud_ramp_set(p.cloud_ramp);
  if (p.has_background) {
    std::memcpy(background_name, p.background, kPictureNameSize);
    background_name[kPictureNameSize - 1] = 0;
  }
  if (p.has_foreground) {
    std::memcpy(foreground_name, p.foreground, kPictureNameSize);
    foreground_name[kPictureNameSize - 1] = 0;
  }
  if (p.has_path) session_path_block_set(p.path_block.data());
  return 1;
}
