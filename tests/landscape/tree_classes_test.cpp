// Tree classes: pick tables from masks, picks, mask operations with trees_enabled, means and rescaling.
#include "engine/landscape/tree_classes.h"

#include <gtest/gtest.h>

#include "tests/support/engine_test.h"

#include <array>

#include "engine/core/random.h"
#include "engine/core/settings.h"

namespace {
class TreeClassTest : public EngineTest {
 protected:
  void SetUp() override {
    reset_settings_defaults();
    reset_tree_pick_tables();
  }
  void TearDown() override {
    reset_settings_defaults();
    reset_tree_pick_tables();
  }
  static std::array<int, 4> table_of(int32_t mask) {
    uint8_t t[4] = {9, 9, 9, 9};
    tree_mask_to_table(mask, t);
    return {t[0], t[1], t[2], t[3]};
  }
};
}  // namespace

TEST_F(TreeClassTest, MaskToTable) {
  struct Case {
    int32_t mask;
    std::array<int, 4> table;
  };
  const Case cases[] = {
      {0, {0, 0, 0, 0}},      {2, {2, 2, 2, 2}},   {8, {8, 8, 8, 8}},   {1 | 8, {1, 1, 8, 8}},
      {2 | 4 | 8, {2, 4, 8, 8}}, {1 | 2 | 4, {1, 2, 4, 4}}, {15, {1, 2, 4, 8}}, {0x30 | 4, {4, 4, 4, 4}},
  };
  for (const Case& c : cases) EXPECT_EQ(table_of(c.mask), c.table) << c.mask;
}

TEST_F(TreeClassTest, EmptyClassPicksNothingAndThreeKindsFavourTheHighest) {
  tree_settings.tree_class_masks[0] = 0;
  tree_settings.tree_class_masks[1] = kTreeBitPalm | kTreeBitOak | kTreeBitPine;
  tree_tables_init();
  random_seed(99);
  int32_t counts[38] = {};
  constexpr int32_t kPicks = 8000;
  for (int32_t i = 0; i < kPicks; ++i) {
    EXPECT_EQ(pick_tree_kind(56), 0);
    ++counts[pick_tree_kind(57)];
  }
  EXPECT_EQ(counts[kTreeCactus], 0);
  EXPECT_NEAR(counts[kTreePine] / static_cast<double>(kPicks), 0.5, 0.03);
  EXPECT_NEAR(counts[kTreePalm] / static_cast<double>(kPicks), 0.25, 0.03);
  EXPECT_NEAR(counts[kTreeOak] / static_cast<double>(kPicks), 0.25, 0.03);
}

TEST_F(TreeClassTest, ClassesOutsideTheRangeUseTheFourthTable) {
  tree_settings.tree_class_masks[3] = kTreeBitCactus;
  tree_tables_init();
  for (int32_t c : {59, 60, 12, -5}) EXPECT_EQ(pick_tree_kind(c), kTreeCactus) << c;
}

TEST_F(TreeClassTest, MaskOperationsKeepTablesAndTreesEnabledInStep) {
  clear_tree_masks();
  EXPECT_EQ(tree_settings.trees_enabled, 0);
  tree_mask_add(58, kTreeBitPine);
  EXPECT_EQ(tree_settings.tree_class_masks[2], kTreeBitPine);
  EXPECT_EQ(tree_pick_table_3[0], 8);
  EXPECT_EQ(tree_settings.trees_enabled, 1);
  // A class outside 56..59 changes no mask, but trees_enabled is recomputed.
  tree_settings.trees_enabled = 0;
  tree_mask_add(60, kTreeBitOak);
  EXPECT_EQ(tree_settings.trees_enabled, 1);
  for (int32_t i : {0, 1, 3}) EXPECT_EQ(tree_settings.tree_class_masks[i], 0);
  // Removing the last kind of the last non-empty class switches trees off.
  tree_mask_remove(58, kTreeBitPine);
  EXPECT_EQ(tree_settings.tree_class_masks[2], 0);
  EXPECT_EQ(tree_pick_table_3[0], 0);
  EXPECT_EQ(tree_settings.trees_enabled, 0);
  // Clearing leaves the old pick tables until the next rebuild.
  tree_mask_add(56, kTreeBitPalm);
  clear_tree_masks();
  EXPECT_EQ(tree_settings.trees_enabled, 0);
  EXPECT_EQ(tree_pick_table_1[0], 1);
  tree_tables_init();
  EXPECT_EQ(tree_pick_table_1[0], 0);
}

TEST_F(TreeClassTest, MeansAndTheirSetters) {
  const int32_t sizes[4] = {35, 25, 20, 60};
  for (int32_t i = 0; i < 4; ++i) tree_settings.tree_size[i] = sizes[i];
  EXPECT_EQ(mean_tree_size(), 35);
  set_mean_tree_size(70);
  EXPECT_EQ(tree_settings.tree_size[0], 70);
  EXPECT_EQ(tree_settings.tree_size[1], 50);
  EXPECT_EQ(tree_settings.tree_size[2], 40);
  EXPECT_EQ(tree_settings.tree_size[3], 120);
  EXPECT_EQ(mean_tree_size(), 70);

  for (int32_t& d : tree_settings.tree_density) d = 50;
  set_mean_tree_density(0);
  for (int32_t d : tree_settings.tree_density) EXPECT_EQ(d, 0);
  set_mean_tree_density(100);  // all zero: the ratios cannot be recovered
  for (int32_t d : tree_settings.tree_density) EXPECT_EQ(d, 0);

  // Rounded to nearest: (1 + 2 + 2 + 2 + 2) / 4 = 2.
  const int32_t odd[4] = {1, 2, 2, 2};
  for (int32_t i = 0; i < 4; ++i) tree_settings.tree_density[i] = odd[i];
  EXPECT_EQ(mean_tree_density(), 2);
}

TEST_F(TreeClassTest, RescalingHugeValuesDoesNotOverflow) {
  int32_t v[4] = {2000000000, 2000000000, 2000000000, 2000000000};
  rescale_to_mean(v, 2000000000);  // the sum wraps, but no product overflows
  int32_t w[4] = {1000000, 1000000, 3000000, 3000000};
  rescale_to_mean(w, 4000000);
  EXPECT_EQ(w[0], 2000000);
  EXPECT_EQ(w[3], 6000000);
}
