// A landscape file read and checked in full, waiting to replace the current landscape. Both landscape
// readers fill one and hand it over only when the whole file was sound.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/render/texture_table.h"
#include "engine/core/settings.h"

struct PendingLandscape {
  // Grid size: resize to new_columns by new_rows first (any-size mode).
  bool resize = false;
  int32_t new_columns = 0, new_rows = 0;
  // Placement of the stored rows: keep_columns by keep_rows samples at (column, row).
  int32_t column = 0, row = 0, keep_columns = 0, keep_rows = 0;
  bool clear_elevations_first = false;
  bool set_origin = false;
  int32_t origin[3] = {};
  bool set_spacing = false;
  float spacing[3] = {};
  bool set_vertical_scale = false;
  float vertical_scale_value = 1.0f;

  bool has_elevations = false, has_cover = false, has_shades = false;
  std::vector<int16_t> elevations;
  std::vector<uint16_t> cover, shades;  // memory order (colour class low byte for the cover)
  int32_t cover_done_step = 1, shades_done_step_value = 1;
  bool cover_objects_cleared = false;   // the older format keeps colour classes only

  bool has_colors = false, default_colors = false;
  ColorEntry colors[256] = {};
  bool has_attributes = false;
  ClassAttributes attributes[256] = {};

  bool replace_textures = false;  // every slot is released, then the table (if any) is installed
  bool has_texture_table = false;
  std::vector<TextureEntry> textures;                  // 256 entries when present
  // Embedded blocks by slot (null when none), taken from the landscape allocator as texture slots expect.
  struct BlockFree {
    void operator()(void* block) const;
  };
  std::vector<std::unique_ptr<uint8_t, BlockFree>> blocks;

  bool has_palette = false;
  uint8_t palette[1024] = {};
  bool has_cloud_pattern = false;
  std::vector<uint8_t> cloud_pattern;
  bool has_cloud_ramp = false;
  uint32_t cloud_ramp[256] = {};
  bool has_background = false, has_foreground = false;
  char background[128] = {}, foreground[128] = {};
  bool has_path = false;
  std::vector<uint8_t> path_block;
};

// Replaces the landscape with what was read. 0 only when the grid cannot be resized (then "Landscape file
// too big!" was shown and nothing was replaced); 1 otherwise.
int32_t commit_pending_landscape(PendingLandscape& p, const char* path);
