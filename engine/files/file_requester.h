// The file requester: the host's open or save dialog with per-kind folder and name memory, and the
// image preview shown beside open dialogs of picture and landscape files.
#pragma once

#include <cstdint>

#include "engine/files/image_buffer.h"

constexpr int32_t kFileRequesterSave = 2;  // mode: the save dialog; any other value opens

// Asks for a file. The filter is "*." and an extension. The folder buffer is where the dialog opens;
// on success it holds the chosen file's folder with a trailing backslash, the name buffer its name,
// and output_path the chosen path, made relative to the working folder when it lies inside it.
// The spare folder buffer is not used. Buffers hold 256 characters. 1 chosen, -1 cancelled.
int32_t file_requester(const char* title, char* spare_folder, char* folder, char* name, const char* filter,
                       char* output_path, int32_t mode);

// Preview state, kept between dialogs.
extern int32_t file_preview_enabled;        // the "Preview images" check box, 1 at start
extern ImageBuffer* file_preview_image;     // the scaled preview now shown, or null
extern char file_preview_folder[260];
extern char file_preview_spec[260];
extern char file_preview_path[260];

// A new image of the file's picture (Targa, JPEG, BMP; landscape kinds when their thumbnail readers
// are present), or null when the kind has no preview or the file cannot be read.
ImageBuffer* load_preview_image(const char* path, int32_t type);
void free_preview_image(ImageBuffer* image);
// The picture fitted into an area of width by height, centred on black, nearest samples; the read
// image is released. When the new image cannot be made the read image is returned as it is.
ImageBuffer* fit_preview_image(ImageBuffer* image, int32_t area_width, int32_t area_height);
// What the dialog does when its selection changes to the file folder\name: drops the old preview and,
// with previews on and a previewable kind, reads and fits the new one into the area. Returns the
// preview now held (file_preview_image), or null.
ImageBuffer* file_preview_select(const char* folder, const char* name, int32_t area_width, int32_t area_height);
// Drops the preview (the check box cleared, the folder changed or the dialog closed).
void file_preview_drop();
