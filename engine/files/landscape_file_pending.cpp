// Placeholder for the landscape loader: says plainly that it cannot open anything yet.
#include "engine/files/landscape_file.h"

#include <cstdio>

#include "engine/ui/engine_control.h"
#include "engine/ui/requesters.h"

// TODO(landscape files): the landscape loader replaces this.
int32_t load_landscape(const char* path) {
  std::snprintf(text_buffer, sizeof text_buffer, "Cannot open landscape file:\n\"%s\"\nLandscape files cannot be read yet.",
                path ? path : "");
  requester(text_buffer, "  OK  ", nullptr);
  return 0;
}
