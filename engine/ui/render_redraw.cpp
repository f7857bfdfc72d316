// Redraw of the render window from the frame buffers; for now only reported to the host.
#include "engine/ui/render_redraw.h"

#include "engine/host/host.h"

// TODO(render window): draw the rows from vidmem24 / vidmem8 once the render window exists.
void render_blit_from_buffers() { host().render_window_event("redraw"); }
