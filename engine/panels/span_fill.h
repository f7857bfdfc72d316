// Span polygon fill for the wire-frame preview: one-colour polygons into a byte raster or onto the current
// canvas, and polygon outlines clipped to a box.
#pragma once

#include <cstdint>

struct PanelRecord;
struct PolygonRecord;

// Fills the closed polygon (at least 4 entries, the last repeating the first) in the colour of its first
// vertex's first colour field, clipped to the clip panel's x0, y0, x1, y1. rows is a raster's row table of
// raster_width by raster_height bytes, or null to draw horizontal lines on the current canvas. The polygon's
// last row is not filled. The first argument is not used.
void scan_fill_polygon(PanelRecord* panel, const PolygonRecord* polygon, const PanelRecord* clip, void* const* rows,
                       int32_t raster_width, int32_t raster_height);
// Draws the segments between consecutive vertices, each in its starting vertex's colour, clipped to the clip
// panel's box shrunk by 1 on every side. The first argument is not used.
void draw_clipped_polyline(PanelRecord* panel, const PolygonRecord* polygon, const PanelRecord* clip);
