// Scene objects' hand-over of polygons to the pipeline, with the observer hook.
#include "engine/scene/scene_polygons.h"

#include "engine/raster/polygon_pipeline.h"
#include "engine/raster/view_transform.h"

void (*scene_polygon_observer)(const PolygonRecord& record, ScenePath path, int32_t cull) = nullptr;

void scene_draw_polygon(PolygonRecord* record, ScenePath path, int32_t cull) {
  if (scene_polygon_observer) scene_polygon_observer(*record, path, cull);
  switch (path) {
    case ScenePath::kWorld:
      draw_polygon_world(record);
      break;
    case ScenePath::kDetail:
      world_to_view_polygon(record);
      draw_polygon_detail(record);
      break;
    case ScenePath::kCulled:
      world_to_view_polygon(record);
      draw_polygon_culled(record, cull);
      break;
    case ScenePath::kTextured:
      world_to_view_polygon(record);
      draw_textured_polygon(record, cull);
      break;
  }
}
