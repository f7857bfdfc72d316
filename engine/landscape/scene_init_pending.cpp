// Placeholders for the scene set-up calls: each does nothing yet and is to be replaced by the
// scene-object module (star field, cloud pattern, tree classes and tree placement).
#include "engine/landscape/scene_init_pending.h"

// TODO(scene objects): mask of the class OR= bits, its pick table, trees_enabled from the four masks.
void tree_mask_add(int32_t, int32_t) {}
// TODO(scene objects): the four pick tables from tree_class_masks.
void tree_tables_init() {}
