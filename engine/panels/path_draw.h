// The camera path drawn over the topographic map: segments, nodes, targets, roll markers, frame dots and
// the current-frame marker, on the current window (the map canvas).
#pragma once

#include <cstdint>

// Path colours (UI palette indexes).
constexpr int32_t kPathColorLine = 0;     // segments and target lines
constexpr int32_t kPathColorNode = 5;     // node and target markers
constexpr int32_t kPathColorFrame = 6;    // frame dots
constexpr int32_t kPathColorCurrent = 2;  // the current-frame marker

// A line between two world points, clipped to the map; nothing when nothing is left.
void topo_draw_segment(float x0, float y0, float x1, float y1, int32_t colour);
// A rectangle frame, drawn only when all four corners lie in x 30 .. 285, y 25 .. 280.
void topo_draw_box(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour);
// A circle of radius 3 around the pixel, drawn only when its 7 x 7 square lies in that area.
void topo_draw_node_box(int32_t x, int32_t y, int32_t colour);

// Nodes (refreshing node_topo_x / node_topo_y), then frames and the current-frame marker.
void draw_path();
void draw_path_nodes();
void draw_path_frames();
void draw_current_frame_marker();

// The map image redrawn (rebuilt when stale) with the path over it, on the map window.
void redraw_map_with_path();
// The map image with the nodes only, and the frames over the map as it stands: what flight generation draws
// before and after it works.
void redraw_map_with_nodes();
void draw_frames_on_map();
