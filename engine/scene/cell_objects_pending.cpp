// Stand-in for the trees and houses of a cell until the scene objects are built: draws nothing yet.
#include "engine/scene/cell_objects.h"

void draw_cell_objects(int32_t, int32_t) {}
