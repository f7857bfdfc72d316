// The engine work the script runner does around one frame: preparing, rendering, showing and writing it.
#pragma once

#include <cstdint>

// Brings derived data up to date for a full-detail frame; 1, or -1 when the user stopped a pass.
int32_t script_frame_prepare();
// Renders frame number frame of count with background and foreground images; 1 when complete.
int32_t script_frame_render(int32_t frame, int32_t count);
// Shows the finished frame on the preview panel.
void script_frame_show();
// Writes the frame buffers as frame number frame to the output kind; 1 when written.
int32_t script_frame_write(int32_t kind, const char* base_name, int32_t frame);
// Status line text while frames are saved.
void script_frame_status(const char* text);
