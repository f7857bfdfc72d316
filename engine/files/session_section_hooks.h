// Parts of a session file whose data belong to other modules: the cloud pattern, its colours and the cloud
// settings, the sun and moon sizes, the tree pick tables and the camera-path block. The landscape files read
// and write them only through these calls; loads check the sections first and install them at the end.
#pragma once

#include <cstdint>

#include "engine/core/cloud_pattern_size.h"

constexpr int32_t kCloudRampEntries = 256;
constexpr int32_t kPathBlockBytes = 40080;  // 80 header bytes and 1000 node records of 40 bytes

// The cloud pattern (row-major, 256 rows of 256 bytes) to save, and a loaded pattern to take over.
void session_cloud_pattern_get(uint8_t* pattern);
void session_cloud_pattern_set(const uint8_t* pattern);
// The cloud colours (0xOORRGGBB, opacity in the top byte) to save, and loaded colours to take over.
void session_cloud_ramp_get(uint32_t* ramp);
void session_cloud_ramp_set(const uint32_t* ramp);

// The cloud settings of the settings snapshot.
struct SessionCloudSettings {
  int32_t enabled, scale, subdiv_size, subdiv_depth, ramp_low, ramp_high, altitude, density, hardness, lining;
};
void session_cloud_settings_get(SessionCloudSettings* settings);
void session_cloud_settings_set(const SessionCloudSettings& settings);

// Sun and moon sizes: only 0 to 99 are taken.
void session_set_sun_size(int32_t size);
void session_set_moon_size(int32_t size);

// The four tree pick tables of four bytes each, table 1 first.
void session_tree_pick_tables_get(uint8_t* tables16);
void session_tree_pick_tables_set(const uint8_t* tables16);
// Means of the four tree densities and sizes (stored for information only).
int32_t session_mean_tree_density();
int32_t session_mean_tree_size();

// The camera-path block as written into a session file, and a loaded block to take over (the frames are then
// made again). The setter returns 1 when it took the block.
void session_path_block_get(uint8_t* block);
int32_t session_path_block_set(const uint8_t* block);
