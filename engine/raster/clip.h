// Visibility tests against the view pyramid and the five clip passes (four sides, then near) on polygon records.
#pragma once

#include <cstdint>

#include "engine/raster/polygon.h"

// 0 when the record surely cannot be seen (all behind the eye, or all beyond one side plane), else 1.
int32_t polygon_may_be_visible(const PolygonRecord* polygon);
// 1 when any entry lies on or outside the view pyramid -z < x < z, -z < y < z, z > 0.
int32_t polygon_needs_clipping(const PolygonRecord* polygon);

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
