// Tree classes: which tree kinds grow on each of the four tree ground classes, their pick tables, and the
// mean size and density operations over the tree settings.
#pragma once

#include <cstdint>

// Kind bits inside masks and pick tables.
constexpr int32_t kTreeBitPalm = 1;
constexpr int32_t kTreeBitOak = 2;
constexpr int32_t kTreeBitCactus = 4;
constexpr int32_t kTreeBitPine = 8;

// Tree kinds are numbered by their leaf colour class.
constexpr int32_t kTreePalm = 34;
constexpr int32_t kTreeOak = 35;
constexpr int32_t kTreeCactus = 36;
constexpr int32_t kTreePine = 37;

// The tree ground classes 56..59.
constexpr int32_t kFirstTreeClass = 56;
constexpr int32_t kLastTreeClass = 59;

// Pick tables of tree classes 56, 57, 58 and 59: four kind bits (or 0) each. Stored as bytes in the
// landscape file header.
extern uint8_t tree_pick_table_1[4];
extern uint8_t tree_pick_table_2[4];
extern uint8_t tree_pick_table_3[4];
extern uint8_t tree_pick_table_4[4];

// Fills a pick table from a kind mask: none, one kind four times, two kinds twice each, three kinds with the
// highest twice, or all four once each.
void tree_mask_to_table(int32_t mask, uint8_t table[4]);
// Rebuilds the four pick tables from tree_class_masks.
void tree_tables_init();
// A random tree kind 34..37 for tree class 56..59 from its pick table (one draw of random stream 1), or 0.
int32_t pick_tree_kind(int32_t tree_class);

// Mask of the class OR= bits (or AND= NOT bits), its pick table rebuilt; trees_enabled then follows whether
// any mask is non-zero. A class outside 56..59 changes no mask but still recomputes trees_enabled.
void tree_mask_add(int32_t tree_class, int32_t kind_bits);
void tree_mask_remove(int32_t tree_class, int32_t kind_bits);
// All four masks 0 and trees_enabled 0; the pick tables stay until the next rebuild.
void clear_tree_masks();

// Rounded means of the four sizes and of the four densities.
int32_t mean_tree_size();
int32_t mean_tree_density();
// Rescales the four sizes (densities) so that their mean becomes v, keeping their ratios.
void set_mean_tree_size(int32_t v);
void set_mean_tree_density(int32_t v);
// The rounded mean (a0 + a1 + a2 + a3 + 2) / 4 and the rescale of four values to mean v.
int32_t mean_of_four(const int32_t values[4]);
void rescale_to_mean(int32_t values[4], int32_t v);

// Restores the pick tables to their start values (all empty).
void reset_tree_pick_tables();
