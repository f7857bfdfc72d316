// Tree classes: kind masks, pick tables and the mean size and density operations.
#include "engine/landscape/tree_classes.h"

#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/core/wrap.h"

uint8_t tree_pick_table_1[4] = {0, 0, 0, 0};
uint8_t tree_pick_table_2[4] = {0, 0, 0, 0};
uint8_t tree_pick_table_3[4] = {0, 0, 0, 0};
uint8_t tree_pick_table_4[4] = {0, 0, 0, 0};

namespace {

uint8_t* pick_table_of(int32_t index) {
  switch (index) {
    case 0: return tree_pick_table_1;
    case 1: return tree_pick_table_2;
    case 2: return tree_pick_table_3;
    default: return tree_pick_table_4;
  }
}

void recompute_trees_enabled() {
  tree_settings.trees_enabled = 0;
  for (int32_t m : tree_settings.tree_class_masks)
    if (m != 0) tree_settings.trees_enabled = 1;
}

}  // namespace

void tree_mask_to_table(int32_t mask, uint8_t table[4]) {
  uint8_t bits[4] = {0, 0, 0, 0};
  int32_t n = 0;
  for (int32_t bit = 1; bit <= 8; bit <<= 1)
    if (mask & bit) bits[n++] = static_cast<uint8_t>(bit);
  const uint8_t a = bits[0], b = bits[1], c = bits[2];
  switch (n) {
    case 1: table[0] = table[1] = table[2] = table[3] = a; break;
    case 2: table[0] = table[1] = a; table[2] = table[3] = b; break;
    case 3: table[0] = a; table[1] = b; table[2] = table[3] = c; break;
    case 4: table[0] = 1; table[1] = 2; table[2] = 4; table[3] = 8; break;
    default: table[0] = table[1] = table[2] = table[3] = 0; break;
  }
}

void tree_tables_init() {
  for (int32_t i = 0; i < 4; ++i) tree_mask_to_table(tree_settings.tree_class_masks[i], pick_table_of(i));
}

int32_t pick_tree_kind(int32_t tree_class) {
  const uint8_t* table = pick_table_of(tree_class - kFirstTreeClass < 0 ? 3 : tree_class - kFirstTreeClass);
  int32_t r = random8();
  if (r < 0) r = -r;
  switch (table[r & 3]) {
    case 1: return kTreePalm;
    case 2: return kTreeOak;
    case 4: return kTreeCactus;
    case 8: return kTreePine;
    default: return 0;
  }
}

void tree_mask_add(int32_t tree_class, int32_t kind_bits) {
  if (tree_class >= kFirstTreeClass && tree_class <= kLastTreeClass) {
    const int32_t i = tree_class - kFirstTreeClass;
    tree_settings.tree_class_masks[i] |= kind_bits;
    tree_mask_to_table(tree_settings.tree_class_masks[i], pick_table_of(i));
  }
  recompute_trees_enabled();
}

void tree_mask_remove(int32_t tree_class, int32_t kind_bits) {
  if (tree_class >= kFirstTreeClass && tree_class <= kLastTreeClass) {
    const int32_t i = tree_class - kFirstTreeClass;
    tree_settings.tree_class_masks[i] &= ~kind_bits;
    tree_mask_to_table(tree_settings.tree_class_masks[i], pick_table_of(i));
  }
  recompute_trees_enabled();
}

void clear_tree_masks() {
  for (int32_t& m : tree_settings.tree_class_masks) m = 0;
  tree_settings.trees_enabled = 0;
}

int32_t mean_of_four(const int32_t values[4]) {
  int32_t sum = 2;
  for (int32_t i = 0; i < 4; ++i) sum = add_wrap32(sum, values[i]);
  return sum / 4;
}

void rescale_to_mean(int32_t values[4], int32_t v) {
  int32_t m = mean_of_four(values);
  if (m == 0) m = 1;
  for (int32_t i = 0; i < 4; ++i) values[i] = wrap32((static_cast<int64_t>(values[i]) * v + m / 2) / m);
}

int32_t mean_tree_size() { return mean_of_four(tree_settings.tree_size); }
int32_t mean_tree_density() { return mean_of_four(tree_settings.tree_density); }
void set_mean_tree_size(int32_t v) { rescale_to_mean(tree_settings.tree_size, v); }
void set_mean_tree_density(int32_t v) { rescale_to_mean(tree_settings.tree_density, v); }

void reset_tree_pick_tables() {
  for (int32_t i = 0; i < 4; ++i)
    for (int32_t j = 0; j < 4; ++j) pick_table_of(i)[j] = 0;
}
