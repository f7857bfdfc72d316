// Redraw of the render window from the frame buffers, as the abort poll does periodically.
#include "engine/panels/render_redraw.h"

#include "engine/host/host.h"
#include "engine/panels/render_window.h"

void render_blit_from_buffers() {
  host().render_window_event("redraw");
  render_blit(0, 1, nullptr);
}
