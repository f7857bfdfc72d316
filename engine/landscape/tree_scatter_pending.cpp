// Placeholder for tree placement: does nothing yet; to be replaced by the scene-object module's scatter_trees.
#include "engine/landscape/tree_scatter.h"

void scatter_trees() {}
