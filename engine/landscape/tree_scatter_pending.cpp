// Placeholder for tree placement: does nothing yet; to be replaced by the scene-object module's scatter_trees.
#include "engine/landscape/tree_scatter.h"

void scatter_trees() {}
// TODO(scene objects): mask of the class OR= bits, its pick table, trees_enabled from the four masks.
void tree_mask_add(int32_t, int32_t) {}
// TODO(scene objects): the four pick tables from tree_class_masks.
void tree_tables_init() {}
