// The topographic map panel: the map image in its three drawing modes, its overlays, scroll, zoom and centring,
// and the full redraw of the map and preview windows. Path editing draws on the map through these.
#pragma once

#include <cstdint>

// The marker and view-wedge colours (UI palette indexes).
extern int32_t ui_color_marker;  // 2: camera and target markers
extern int32_t ui_color_wedge;   // 3: the view wedge

// The map's gadget ids.
constexpr int32_t kTopoScrollV = 1318, kTopoScrollH = 1319, kTopoZoomIn = 1320, kTopoZoomOut = 1321,
                  kTopoZoomReset = 1322, kTopoCenterCamera = 1323, kTopoCenterTarget = 1324;

// Sets the drawing mode (0 elevation bands, 1 ground cover, 2 path); 1 when it changed, else 0.
int32_t set_topo_mode(int32_t mode);
// Rebuilds topo_image in the current mode and clears landscape_changed.
void topo_render();
// The map colour of one grid sample in the given mode (UI palette index).
uint8_t topo_sample_color(int32_t col, int32_t row, int32_t mode);
// The cover-mode colour of an object code, 0 when the code has none.
uint8_t topo_object_color(uint8_t object);
// The cover-mode colour of a colour class.
uint8_t topo_class_color(uint8_t color_class);
// Copies topo_image to the map canvas at (30, 25) and draws the sunken frame around it.
void topo_blit();
// The map with its overlays: image (rebuilt when landscape_changed), bounding box, wedge and markers, or in path
// mode the camera path (through topo_path_overlay).
void topo_redraw();
// topo_redraw, then the preview refresh.
void topo_and_preview_redraw();
// Clips a line to the map's drawing area x 30 to 284, y 25 to 279; a line wholly outside becomes 0,0,0,0.
// Returns false then.
bool topo_clip_line(int32_t* x0, int32_t* y0, int32_t* x1, int32_t* y1);
// The overlays, drawn on the current canvas.
void topo_draw_bbox();
void topo_draw_wedge();
void topo_draw_markers();

// Scroll to the slider value v (0 to 255), zoom in / out (zoom halves / doubles within 1 to 256),
// and centre on the camera or the target; each rebuilds and redraws the map and sets the sliders.
void topo_scroll_x(int32_t v);
void topo_scroll_y(int32_t v);
void topo_zoom_in();
void topo_zoom_out();
void topo_zoom_reset();
void topo_center_on(float wx, float wy);
void topo_center_on_camera();
void topo_center_on_target();
// Puts the Topo panel's scroll sliders at the current scroll position.
void topo_sync_sliders();

// The camera path drawn in path mode; set by the path editor (null draws nothing).
extern void (*topo_path_overlay)();
