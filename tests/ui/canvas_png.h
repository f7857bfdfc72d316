// Developer tool: writes a canvas as a PNG picture (UI palette colours), and canvases as PGM index maps for
// the checked-in reference images.
#pragma once

#include <string>

#include "engine/host/canvas.h"

// Writes the canvas (8-bit canvases through the UI palette in force) as an RGB PNG; true on success.
bool write_canvas_png(const Canvas& canvas, const std::string& path);
// Writes the palette indexes of an 8-bit canvas as a binary PGM; true on success.
bool write_canvas_pgm(const Canvas& canvas, const std::string& path);
// Reads a binary PGM into an 8-bit canvas; false when the file is missing or malformed.
bool read_canvas_pgm(const std::string& path, Canvas* canvas);
// The folder for pictures a person looks at: $DALVENOR_TEST_ARTIFACTS or the working folder's "artifacts".
std::string artifacts_folder();
