// Rendering one image of the current scene into the frame buffers.
#pragma once

#include <cstdint>

// Renders frame number frame of count frames (the progress title is "Frame %d of %d", or "Render"
// when count is 1); returns 1 when complete, another value when the user stopped it.
int32_t render_frame(int32_t frame, int32_t frame_count);
