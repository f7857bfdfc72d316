// Scene set-up that engine initialisation and the render start call, until the scene-object module
// provides it: the star map, the cloud pattern, the tree class masks and the tree pick tables.
#pragma once

#include <cstdint>

// Builds the star map.
void build_starmap();
// The seeded cloud pattern and its density and hardness ramp bounds.
void init_clouds();
// Adds kind bits to the mask of tree class 56 to 59, rebuilds its pick table and sets trees_enabled
// when any mask is non-zero.
void tree_mask_add(int32_t tree_class, int32_t kind_bits);
// Rebuilds the four tree pick tables from tree_class_masks.
void tree_tables_init();
