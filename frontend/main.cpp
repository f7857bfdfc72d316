// The dalvenor program: runs the engine unattended with the headless host.
#include <cstdio>

#include "engine/landscape/grid.h"
#include "engine/landscape/settings.h"

int main(int, char**) {
  if (!set_landscape_size(258, 258)) return 1;
  std::printf("Dalvenor engine: landscape %d by %d samples ready.\n", grid_width, grid_height);
  return 0;
}
