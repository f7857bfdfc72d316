// The one way scene objects hand polygons to the pipeline, with an optional observer that sees every record
// as submitted (world space) and the path it takes.
#pragma once

#include <cstdint>

#include "engine/raster/polygon.h"

enum class ScenePath : int32_t {
  kWorld,     // draw_polygon_world
  kDetail,    // world_to_view_polygon, then draw_polygon_detail
  kCulled,    // world_to_view_polygon, then draw_polygon_culled
  kTextured,  // world_to_view_polygon, then draw_textured_polygon
};

// Called, when set, for every polygon a scene object submits, before it is transformed and drawn. For tests
// and tools that follow what objects draw; null in normal use.
extern void (*scene_polygon_observer)(const PolygonRecord& record, ScenePath path, int32_t cull);

// Notifies the observer, then transforms (where the path needs it) and draws the record; the record may be
// overwritten.
void scene_draw_polygon(PolygonRecord* record, ScenePath path, int32_t cull);
