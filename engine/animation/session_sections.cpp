// The session file's sections that belong to the sky, tree and camera-path modules, read and written through
// those modules' own entry points so that a saved session opens again exactly.
#include <cstring>

#include "engine/animation/path_block.h"
#include "engine/core/settings.h"
#include "engine/files/session_section_hooks.h"
#include "engine/landscape/tree_classes.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/scene/sun_moon.h"

static_assert(kPathBlockBytes == kPathBlockSize, "the session's path section is one whole path block");
static_assert(kCloudRampEntries == 256, "one ramp colour per pattern value");

void session_cloud_pattern_get(uint8_t* pattern) { cloud_pattern_copy_out(pattern); }
void session_cloud_pattern_set(const uint8_t* pattern) { cloud_pattern_replace(pattern); }
void session_cloud_ramp_get(uint32_t* ramp) { std::memcpy(ramp, cloud_ramp, sizeof cloud_ramp); }
void session_cloud_ramp_set(const uint32_t* ramp) { std::memcpy(cloud_ramp, ramp, sizeof cloud_ramp); }

void session_cloud_settings_get(SessionCloudSettings* s) {
  const CloudSettings& c = cloud_settings;
  *s = SessionCloudSettings{clouds_enabled,   c.cloud_scale,   c.cloud_subdiv_size, c.cloud_subdiv_depth,
                            c.cloud_ramp_low, c.cloud_ramp_high, c.cloud_altitude,  c.cloud_density,
                            c.cloud_hardness, c.cloud_lining};
}

namespace {
int32_t clamped(int32_t v, int32_t low, int32_t high) { return v < low ? low : v > high ? high : v; }
}  // namespace

// A damaged or hostile file must not make the cloud layer split its cells without end, so the split settings
// are held to what the program itself sets (depth 0 to 6, a split size of at least one pixel), and density and
// hardness to their 0..100 range.
void session_cloud_settings_set(const SessionCloudSettings& s) {
  CloudSettings& c = cloud_settings;
  clouds_enabled = s.enabled;
  c.cloud_scale = s.scale;
  c.cloud_subdiv_size = s.subdiv_size < 1 ? 1 : s.subdiv_size;
  c.cloud_subdiv_depth = clamped(s.subdiv_depth, 0, 6);
  c.cloud_ramp_low = s.ramp_low;
  c.cloud_ramp_high = s.ramp_high;
  c.cloud_altitude = s.altitude;
  c.cloud_density = clamped(s.density, 0, 100);
  c.cloud_hardness = clamped(s.hardness, 0, 100);
  c.cloud_lining = s.lining;
}

void session_set_sun_size(int32_t size) {
  if (size >= 0 && size <= 99) set_sun_size(size);
}
void session_set_moon_size(int32_t size) {
  if (size >= 0 && size <= 99) set_moon_size(size);
}

void session_tree_pick_tables_get(uint8_t* tables16) {
  std::memcpy(tables16, tree_pick_table_1, 4);
  std::memcpy(tables16 + 4, tree_pick_table_2, 4);
  std::memcpy(tables16 + 8, tree_pick_table_3, 4);
  std::memcpy(tables16 + 12, tree_pick_table_4, 4);
}
void session_tree_pick_tables_set(const uint8_t* tables16) {
  std::memcpy(tree_pick_table_1, tables16, 4);
  std::memcpy(tree_pick_table_2, tables16 + 4, 4);
  std::memcpy(tree_pick_table_3, tables16 + 8, 4);
  std::memcpy(tree_pick_table_4, tables16 + 12, 4);
}
int32_t session_mean_tree_density() { return mean_tree_density(); }
int32_t session_mean_tree_size() { return mean_tree_size(); }

void session_path_block_get(uint8_t* block) {
  encode_path_block_header(block);
  encode_path_block_nodes(block + kPathBlockHeaderSize);
}
int32_t session_path_block_set(const uint8_t* block) { return apply_path_block(block); }
