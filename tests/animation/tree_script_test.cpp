// Script commands for trees: kinds per class, all-class kinds, clearing, and the mean density.
#include "engine/landscape/tree_classes.h"
#include "tests/animation/script_test_fixture.h"

namespace {
class TreeScriptTest : public ScriptTest {};
}  // namespace

TEST_F(TreeScriptTest, KindsPerClassAndAllClasses) {
  EXPECT_EQ(line("TreePineAll"), 1);
  for (int32_t m : tree_settings.tree_class_masks) EXPECT_EQ(m, kTreeBitPine);
  EXPECT_EQ(tree_settings.trees_enabled, 1);
  EXPECT_EQ(line("Tree2OakOn"), 1);
  EXPECT_EQ(tree_settings.tree_class_masks[1], kTreeBitPine | kTreeBitOak);
  EXPECT_EQ(tree_settings.tree_class_masks[0], kTreeBitPine);
  EXPECT_EQ(tree_pick_table_2[0], 2);
  EXPECT_EQ(line("Tree2PineOff"), 1);
  EXPECT_EQ(tree_settings.tree_class_masks[1], kTreeBitOak);
  // Every per-class keyword: class digit, kind word, On or Off.
  const char* kinds[] = {"Oak", "Pine", "Palm", "Cactus"};
  const int32_t bits[] = {kTreeBitOak, kTreeBitPine, kTreeBitPalm, kTreeBitCactus};
  for (int32_t c = 1; c <= 4; ++c)
    for (int32_t k = 0; k < 4; ++k) {
      ASSERT_EQ(line("TreeNone"), 1);
      ASSERT_EQ(line("Tree" + std::to_string(c) + kinds[k] + "On"), 1);
      for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(tree_settings.tree_class_masks[i], i == c - 1 ? bits[k] : 0) << c << kinds[k];
      ASSERT_EQ(line("Tree" + std::to_string(c) + kinds[k] + "Off"), 1);
      EXPECT_EQ(tree_settings.tree_class_masks[c - 1], 0);
      EXPECT_EQ(tree_settings.trees_enabled, 0);
    }
  const struct {
    const char* keyword;
    int32_t bit;
  } all[] = {{"TreeOakAll", kTreeBitOak}, {"TreePalmAll", kTreeBitPalm}, {"TreeCactusAll", kTreeBitCactus}};
  for (const auto& a : all) {
    ASSERT_EQ(line(a.keyword), 1);
    for (int32_t m : tree_settings.tree_class_masks) EXPECT_EQ(m, a.bit) << a.keyword;
  }
}

TEST_F(TreeScriptTest, ClearingAClassLeavesTreesEnabledToTheOtherClasses) {
  ASSERT_EQ(line("TreeOakAll"), 1);
  ASSERT_EQ(line("Tree1PineOn"), 1);
  for (const char* k : {"Tree1None", "Tree2Off", "Tree3None"}) {
    ASSERT_EQ(line(k), 1);
    EXPECT_EQ(tree_settings.trees_enabled, 1) << k;
  }
  EXPECT_EQ(tree_settings.tree_class_masks[0], 0);
  ASSERT_EQ(line("Tree4Off"), 1);
  EXPECT_EQ(tree_settings.trees_enabled, 0);
  ASSERT_EQ(line("Tree4PalmOn"), 1);
  ASSERT_EQ(line("TreeNone"), 1);
  for (int32_t m : tree_settings.tree_class_masks) EXPECT_EQ(m, 0);
  EXPECT_EQ(tree_settings.trees_enabled, 0);
}

TEST_F(TreeScriptTest, MeanDensityRescalesAndMarksColoursStale) {
  const int32_t start[4] = {20, 40, 60, 80};
  for (int32_t i = 0; i < 4; ++i) tree_settings.tree_density[i] = start[i];
  derived_data.colors_done_step = derived_data.cliffs_done_step = 1;
  ASSERT_EQ(line("TreeDensity 100"), 1);
  EXPECT_EQ(tree_settings.tree_density[0], 40);
  EXPECT_EQ(tree_settings.tree_density[3], 160);
  EXPECT_EQ(derived_data.colors_done_step, land_width);
  EXPECT_EQ(derived_data.cliffs_done_step, land_width);
  ASSERT_EQ(line("MeanTreeDensity 50.9"), 1);
  EXPECT_EQ(tree_settings.tree_density[0], 20);
  EXPECT_EQ(line("TreeDensity"), 1);  // a missing number reads as 0
  for (int32_t d : tree_settings.tree_density) EXPECT_EQ(d, 0);
  EXPECT_TRUE(host->messages.empty());
}
