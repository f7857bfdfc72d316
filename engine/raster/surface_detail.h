// Surface detail (mottled subdivision of one-colour triangles) and texture subdivision (textured polygons cut into
// pieces small enough on screen for linear texture interpolation).
#pragma once

#include <cstdint>

#include "engine/raster/polygon.h"

// Nesting depths of the two subdivisions; 0 between drawings.
extern constinit thread_local int32_t detail_depth;
extern constinit thread_local int32_t texture_split_depth;

// Surface detail parameters that override the render settings' on this thread while at least 0: a tree draws
// with its own without touching the settings, which other walk threads read at the same time.
extern constinit thread_local int32_t detail_override_a, detail_override_b;
int32_t current_detail_param_a();
int32_t current_detail_param_b();

// Surface detail never nests deeper than this, whatever detail_param_b holds (normal levels use at most 7).
constexpr int32_t kMaxDetailDepth = 8;
// Texture subdivision stops splitting once its depth is above this.
constexpr int32_t kMaxTextureSplitDepth = 16;

// The surface-detail size measure of a record: half its summed integer x and y extents, times render_scale / 640,
// shifted left by detail_param_a, divided by its nearest whole depth (1 when below 2).
int32_t detail_size_measure(const PolygonRecord* polygon);
// The texture measure: the 3-D diagonal of the bounds times render_scale over the nearest depth (0.01 when <= 0).
float texture_size_measure(const PolygonRecord* polygon);

// Closed view-space triangle (count 4) that passed polygon_may_be_visible: split into four with jittered midpoints
// until small on screen or at the depth limit; leaves are drawn through draw_polygon_view.
void subdivide_polygon(PolygonRecord* polygon);
// Clipped textured view-space polygon: cut until each piece measures below 64, then projected and rasterised.
void subdivide_textured_polygon(PolygonRecord* polygon);
