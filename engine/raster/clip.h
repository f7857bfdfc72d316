// Visibility tests against the view pyramid and the five clip passes (four sides, then near) on polygon records.
#pragma once

#include <cstdint>

#include "engine/raster/polygon.h"

// 0 when the record surely cannot be seen (all behind the eye, or all beyond one side plane), else 1.
int32_t polygon_may_be_visible(const PolygonRecord* polygon);
// 1 when any entry lies on or outside the view pyramid -z < x < z, -z < y < z, z > 0.
int32_t polygon_needs_clipping(const PolygonRecord* polygon);

// The answers of the two tests above for one view-space point, as bits, so that a caller drawing several polygons
// over the same corners tests each corner once: a polygon may be visible when some corner has kViewFront and no
// side bit is common to all corners; it needs clipping when some corner has kViewOutside.
constexpr uint32_t kViewFront = 1;     // z > 0
constexpr uint32_t kViewLeft = 2;      // x <= -z
constexpr uint32_t kViewRight = 4;     // x >= z
constexpr uint32_t kViewAbove = 8;     // y <= -z
constexpr uint32_t kViewBelow = 16;    // y >= z
constexpr uint32_t kViewOutside = 32;  // on or outside the pyramid
inline uint32_t view_point_flags(float x, float y, float z) {
  const uint32_t left = x <= -z ? kViewLeft : 0;
  const uint32_t right = x >= z ? kViewRight : 0;
  const uint32_t above = y <= -z ? kViewAbove : 0;
  const uint32_t below = y >= z ? kViewBelow : 0;
  const uint32_t sides = left | right | above | below;
  return (z > 0.0f ? kViewFront : 0) | sides | (z <= 0.0f || sides != 0 ? kViewOutside : 0);
}
// polygon_may_be_visible of a polygon whose corners' flags OR to any and AND to all.
inline bool view_flags_may_be_visible(uint32_t any, uint32_t all) {
  return (any & kViewFront) != 0 && (all & (kViewLeft | kViewRight | kViewAbove | kViewBelow)) == 0;
}

// One clip pass from source into destination (distinct records). The destination is closed again; a polygon lying
// wholly outside leaves count 1. The output never exceeds kPolygonCapacity entries.
void clip_polygon_right(const PolygonRecord* source, PolygonRecord* destination);
void clip_polygon_left(const PolygonRecord* source, PolygonRecord* destination);
void clip_polygon_bottom(const PolygonRecord* source, PolygonRecord* destination);
void clip_polygon_top(const PolygonRecord* source, PolygonRecord* destination);
void clip_polygon_near(const PolygonRecord* source, PolygonRecord* destination);

// The five passes in drawing order, alternating between the record and scratch; returns the record that holds the
// clipped polygon (scratch).
PolygonRecord* clip_polygon_all(PolygonRecord* polygon, PolygonRecord* scratch);
