// Modal picks on the topographic map: the corner of a quarter-size square and the render bounding box.
#pragma once

#include <cstdint>

// The rubber band the picks show on the map: a rectangle between two map positions (panel coordinates).
// The map drawing shows it while `visible` is set; `draws` counts the rectangles drawn, `removals` the removals.
struct MapRubberBand {
  int32_t x0 = -1, y0 = -1, x1 = -1, y1 = -1;
  int32_t visible = 0;
  int32_t draws = 0;
  int32_t removals = 0;
};
extern MapRubberBand map_rubber_band;
void reset_map_rubber_band();

// The corner of a square of half the map's side placed with the pointer (the map first shows the whole
// landscape). 1 after a left click, 3 when the right button cancelled; the corner sample is written either way.
int32_t pick_region_corner(int32_t* column, int32_t* row);
// A rectangle dragged on the map: 1 with ordered corners clamped to the landscape, -1 when cancelled or when the
// first click lay outside the map.
int32_t mark_bounding_box(int32_t* x0, int32_t* y0, int32_t* x1, int32_t* y1);
// The "BB" button: marks the render bounding box; 1 after marking, -1 when cancelled (the box stays as it was).
int32_t mark_landscape_region();
