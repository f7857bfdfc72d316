// A PCX picture read into an ImageBuffer through its own palette, for previews; the display palettes stay as
// they are.
#pragma once

#include "engine/files/image_buffer.h"

// A new image of the picture (grey when the file has no palette block), or null when the file cannot be read,
// is not an 8-bit PCX or memory runs out.
ImageBuffer* pcx_preview_image(const char* path);
