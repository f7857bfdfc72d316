// The Preview panel: the shaded low-resolution view and the line view of what the camera sees, the cross-hair,
// pointing the camera by a click, the focal-length buttons and the copy of the last render.
#pragma once

#include <cstdint>

#include "engine/core/grid.h"

struct PanelRecord;

// Geometry of the last fit: the square drawing area (panel pixels) and the visible band inside it.
struct PreviewGeometry {
  int32_t side = 0, half = 0;
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t clip_x0 = 0, clip_y0 = 0, clip_x1 = 0, clip_y1 = 0;
};
extern PreviewGeometry preview_geometry;
// The shaded view's raster: side by side UI palette indexes, row 0 the top row; null until the first draw.
extern RowTable preview_image;
extern int32_t preview_image_side;

// Fits the square and the band to the image aspect (image_width by image_height).
void preview_fit();
// Fits, then draws the shaded view (mode non-zero) or the line view (mode 0) on the current canvas.
void preview_draw(int32_t mode);
// The Preview panel's full repaint: face, preview and its three buttons.
void preview_panel_redraw();
// Turns the camera towards the preview point (panel pixels); 1 when it lay in the band, else 0.
int32_t point_camera_at_preview(int32_t px, int32_t py);
// Focal length up or down by a tenth (at least 1), then the lens scale from it.
void preview_zoom_in();
void preview_zoom_out();
// The lens from a field of view in degrees (clamped to 1 to 172); the caller sets lens_scale_inv.
void set_lens_from_fov(float degrees);
// Copies the 32-bit render image, scaled, into the preview band.
void preview_show_image();
// Sets up the Preview panel record: name, box, callbacks and its gadgets.
void preview_panel_init_record(PanelRecord* record);
