// The image preview pane of the file open dialog, drawn into a canvas the desktop dialog provides: pictures
// of every format the program reads and the thumbnails of both landscape formats, fitted to the pane.
#pragma once

#include <cstdint>

#include "engine/files/image_buffer.h"

struct Canvas;

// The pane's place in its canvas.
struct PreviewArea {
  int32_t x, y, width, height;
};

// Nonzero when the pane has a preview for files of the path's kind (Targa, PCX, BMP, JPEG, both landscape
// formats); the open dialog shows the pane for such filters.
int32_t preview_pane_kind(const char* path);
// A new image of the file at its own size, or null (no preview kind, unreadable, no memory).
ImageBuffer* preview_pane_load(const char* path);
// Fills the area with the dialog's light grey.
void clear_preview(Canvas* canvas, const PreviewArea& area);
// Fills the area with black and draws the image fitted and centred in it (an image already of the area's size
// is drawn as it is). A 24-bit canvas takes the colours; an 8-bit canvas takes the nearest colours of the UI
// palette's colour cube (entries 128 to 191), so the palette itself never changes. Nothing for a null image.
void paint_preview(Canvas* canvas, const PreviewArea& area, const ImageBuffer* image);
// The selection changed to folder\name: the old preview is dropped; with previews on and a previewable
// file, the file is read, fitted to the area and painted (file_preview_image then holds it). A file that
// cannot be read, or is no plain file (a pipe, a device, a folder), leaves the area cleared. Returns 1 when a
// preview is shown.
int32_t preview_pane_select(Canvas* canvas, const PreviewArea& area, const char* folder, const char* name);
