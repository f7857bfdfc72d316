// Stand-in for the star field until the scene objects are built: draws nothing yet.
#include "engine/scene/star_field.h"

int32_t draw_stars() { return 1; }
// TODO(scene objects): star map.
void build_starmap() {}
