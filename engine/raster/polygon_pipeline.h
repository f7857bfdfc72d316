// The polygon pipeline: drawing entry points for world- and view-space records, projection, back-face test and the
// vertex colour helpers shared by every drawn surface.
#pragma once

#include <cstdint>

#include "engine/raster/clip.h"
#include "engine/raster/frame_buffers.h"
#include "engine/raster/polygon.h"
#include "engine/raster/scan_convert.h"

// Every drawing entry point may overwrite the caller's record (it is one of the two clip buffers and is projected in
// place); a caller that draws the same polygon again rebuilds it.

// Visibility test, clipping when needed, projection and rasterisation of a view-space record.
void draw_polygon_view(PolygonRecord* polygon);
// World-space record: transformed into view space in place, then drawn as draw_polygon_view.
void draw_polygon_world(PolygonRecord* polygon);
// As draw_polygon_view, except that a back face draws nothing when cull is non-zero.
void draw_polygon_culled(PolygonRecord* polygon, int32_t cull);
// Textured record (tx_map set): cull, visibility and clipping as above, then the texture subdivision.
void draw_textured_polygon(PolygonRecord* polygon, int32_t cull);
// draw_polygon_view and draw_textured_polygon (cull 1) of a record the caller has already found may be visible
// (view_flags_may_be_visible), with the clipping answer it found too: the per-entry tests are not repeated.
void draw_visible_polygon_view(PolygonRecord* polygon, bool needs_clipping);
void draw_visible_textured_polygon(PolygonRecord* polygon, bool needs_clipping);
// One-colour closed triangle with surface detail when detail_param_b is non-zero.
void draw_polygon_detail(PolygonRecord* polygon);

// Perspective projection in place onto the proj_width by proj_height square; a vertex at z exactly 0 gets z 1.
void polygon_project(PolygonRecord* polygon);
// One view coordinate v at depth z projected as polygon_project does it, half being half the square's side.
inline float project_view_coordinate(float half, float v, float z) {
  const float q = 1.0f / (z == 0.0f ? 1.0f : z);
  return half * v * q + half;
}
// The rasteriser's whole-pixel column and row of a view-space point of a polygon drawn without clipping, as
// polygon_project and the conversion make them. Inline: taken for every corner of the terrain's quads.
inline void raster_point_of_view(float x, float y, float z, int16_t* column, int16_t* row) {
  *column = static_cast<int16_t>(raster_coordinate(project_view_coordinate(static_cast<float>(proj_width / 2), x, z)));
  *row = static_cast<int16_t>(raster_coordinate(project_view_coordinate(static_cast<float>(proj_height / 2), y, z)));
}
// polygon_project, then rasterize_polygon.
void project_and_rasterize(PolygonRecord* polygon);
// Clips (when needed) a record that passed the visibility test and hands the result to project_and_rasterize; a
// record left with fewer than three corners draws nothing.
void clip_project_and_rasterize(PolygonRecord* polygon);

// 1 when the first three entries turn away from the eye (P1 . ((P1 - P0) x (P2 - P1)) >= 0), else 0.
int32_t polygon_is_backface(const PolygonRecord* polygon);
// A deterministic brightness offset from the vertex's seed, smaller at deeper levels; channels stay in 0..65535.
void jitter_vertex_color(PolygonVertex* vertex, int32_t depth);
// Copies source to destination with every vertex given the mean colour and opacity of all count entries.
void polygon_flat_color(const PolygonRecord* source, PolygonRecord* destination);
