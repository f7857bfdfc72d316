// Placeholders for the landscape loader, the movie file and the map panel's services until their
// modules exist. The loader and the movie say plainly that they cannot open anything yet; the panel
// services have nothing to draw on yet and do nothing.
#include "engine/landscape/startup_pending.h"

#include <cstdio>

#include "engine/panels/engine_control.h"
#include "engine/panels/requesters.h"

// TODO(landscape files): the landscape loader replaces this.
int32_t load_landscape(const char* path) {
  std::snprintf(text_buffer, sizeof text_buffer, "Cannot open landscape file:\n\"%s\"\nLandscape files cannot be read yet.",
                path ? path : "");
  requester(text_buffer, "  OK  ", nullptr);
  return 0;
}

// TODO(movie files): the movie writer replaces these.
int32_t avi_open(const char*, int32_t, int32_t, int32_t, int32_t) { return -1001; }
void avi_close() {}

// TODO(map and preview panels): the redraws.
void main_panels_redraw() {}
