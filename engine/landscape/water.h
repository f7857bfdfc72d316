// Rivers, lakes and seas: water classes in the cover grid with level surfaces and banks just above them.
#pragma once

#include <cstdint>

// The cover class that marks a sample the river or lake being made has reached.
constexpr uint8_t kClassWaterMark = 255;
// The highest lake level: one metre above it must still be a 16-bit elevation.
constexpr int32_t kMaxLakeLevel = 32766;

// The river walk from (row, column): downhill, raising its bed by 1 m at every visit, until water (when
// stop_at_water is set), the border strip two samples wide, or a stop request.
void trace_river(int32_t row, int32_t column, int32_t stop_at_water);
// Marked samples become water classes by slope; their banks end 0 to 3 m above the water.
void smooth_water();
// The recursive span fill of a lake: 1 done, -1 stopped by the user.
int32_t flood_lake(int32_t level, int32_t row, int32_t column);
// The operations without questions; nothing happens for a start outside the landscape (the derived data are
// marked stale in every case).
void create_river(int32_t column, int32_t row);
void create_lake(int32_t column, int32_t row, int32_t level);
// Everything below sea_level rises to it, submerged samples get water classes by depth and the shore a beach,
// then the whole landscape moves down by sea_level. Needs base_level to be current.
void create_sea();

// The interactive commands: (x, y) the map pixel of the click. 1 when the result stays, -1 when it was rejected
// (elevations and cover restored exactly) or the command was cancelled at the undo-buffer question.
// sea_command makes the sea at sea_level and lowers camera and target with the ground; after a result of 1 the
// caller sets sea_level to 0, since the sea now lies at 0.
int32_t river_command(int32_t x, int32_t y);
int32_t lake_command(int32_t x, int32_t y);
int32_t sea_command();

// Lake flood state: the nesting depth (0 between floods) and the stop flag of the latest flood.
struct LakeFloodState {
  int32_t depth = 0;
  int32_t stopped = 0;
};
extern LakeFloodState lake_flood_state;
void reset_lake_flood_state();
