// Tree placement over the colour classes (called as the last step of colouring).
#pragma once

#include <cstdint>

// Scatters trees over the ground classes by tree class. Placeholder until tree placement is built.
void scatter_trees();
// Adds kind bits to the mask of tree class 56 to 59, rebuilds its pick table and sets trees_enabled
// when any mask is non-zero.
void tree_mask_add(int32_t tree_class, int32_t kind_bits);
// Rebuilds the four tree pick tables from tree_class_masks.
void tree_tables_init();
