// Stand-ins for the session sections owned by the sky, tree and camera-path modules until those land: the
// cloud pattern is saved as the zero pattern and the path block as an empty path; loaded sections are
// checked by the file reader and dropped here. The settings kept here let the snapshot round-trip meanwhile.
// TODO(sky, trees, flights): bind these to the owning modules' records.
#include <cstring>

#include "engine/files/byte_order.h"
#include "engine/files/session_section_hooks.h"
#include "engine/core/settings.h"
#include "engine/scene/cloud_layer.h"

namespace {
// Start values of the cloud settings as the snapshot knows them.
SessionCloudSettings pending_clouds{0, 8, 11, 6, 128, 178, 4000, 40, 50, 20};
uint8_t pending_pick_tables[16] = {};
}  // namespace

void reset_session_sections() {
  pending_clouds = SessionCloudSettings{0, 8, 11, 6, 128, 178, 4000, 40, 50, 20};
  std::memset(pending_pick_tables, 0, sizeof pending_pick_tables);
}

void session_cloud_pattern_get(uint8_t* pattern) { std::memset(pattern, 0, kCloudPatternBytes); }
void session_cloud_pattern_set(const uint8_t*) {}
void session_cloud_ramp_get(uint32_t* ramp) { std::memset(ramp, 0, kCloudRampEntries * sizeof(uint32_t)); }
void session_cloud_ramp_set(const uint32_t*) {}

void session_cloud_settings_get(SessionCloudSettings* settings) {
  *settings = pending_clouds;
  settings->altitude = cloud_settings.cloud_altitude;
}
void session_cloud_settings_set(const SessionCloudSettings& settings) {
  pending_clouds = settings;
  cloud_settings.cloud_altitude = settings.altitude;
}

void session_set_sun_size(int32_t size) {
  if (size >= 0 && size <= 99) sun_moon_state.sun_size = size;
}
void session_set_moon_size(int32_t size) {
  if (size >= 0 && size <= 99) sun_moon_state.moon_size = size;
}

void session_tree_pick_tables_get(uint8_t* tables16) { std::memcpy(tables16, pending_pick_tables, 16); }
void session_tree_pick_tables_set(const uint8_t* tables16) { std::memcpy(pending_pick_tables, tables16, 16); }
int32_t session_mean_tree_density() {
  return (tree_settings.tree_density[0] + tree_settings.tree_density[1] + tree_settings.tree_density[2] + tree_settings.tree_density[3]) / 4;
}
int32_t session_mean_tree_size() { return (tree_settings.tree_size[0] + tree_settings.tree_size[1] + tree_settings.tree_size[2] + tree_settings.tree_size[3]) / 4; }

void session_path_block_get(uint8_t* block) {
  // An empty path with the path settings' start values.
  std::memset(block, 0, kPathBlockBytes);
  static const int32_t kStart[19] = {0, 0, 0, 1, 1, 0, 0, 1, 2, 0, 1, 200, 3000, 10, 100, 15, 20, 0, 30};
  for (int32_t i = 0; i < 19; ++i) put32(block + 4 * i, static_cast<uint32_t>(kStart[i]));
  const float one = 1.0f;
  uint32_t bits;
  std::memcpy(&bits, &one, 4);
  put32(block + 76, bits);
}
int32_t session_path_block_set(const uint8_t*) { return 1; }
