// Redrawing the render window from the frame buffers, as the abort poll does periodically.
#pragma once

// Redraws the render window's visible part from the frame buffers.
void render_blit_from_buffers();
