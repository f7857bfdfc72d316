// Script commands for the tree kinds of each tree class and the mean tree density.
#include <initializer_list>

#include "engine/animation/script_arguments.h"
#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"
#include "engine/landscape/tree_classes.h"

namespace {

// TreeDensity, MeanTreeDensity: the four densities scaled to the rounded mean n.
int32_t cmd_mean_tree_density(int32_t, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 1, &args)) return script_error(line);
  set_mean_tree_density(script_trunc(args.value[0]));
  script_mark_colors_cliffs_stale();
  return 1;
}

// TreeNone.
int32_t cmd_tree_none(int32_t, char*) {
  clear_tree_masks();
  return 1;
}

// Tree1None/Tree1Off .. Tree4None/Tree4Off: every kind removed from the class, oak, pine, palm, cactus in turn.
int32_t cmd_tree_class_none(int32_t code, char*) {
  const int32_t tree_class = kFirstTreeClass + (code - 1074);
  for (int32_t bit : {kTreeBitOak, kTreeBitPine, kTreeBitPalm, kTreeBitCactus}) tree_mask_remove(tree_class, bit);
  return 1;
}

// TreeOakAll 1078, TreePineAll 1079, TreePalmAll 1080, TreeCactusAll 1081: that one kind on every class.
int32_t cmd_tree_kind_all(int32_t code, char*) {
  static constexpr int32_t kBits[] = {kTreeBitOak, kTreeBitPine, kTreeBitPalm, kTreeBitCactus};
  clear_tree_masks();
  for (int32_t c = kFirstTreeClass; c <= kLastTreeClass; ++c) tree_mask_add(c, kBits[code - 1078]);
  return 1;
}

// Tree<class><kind>On/Off, 1082..1113: class by class, kinds oak, pine, palm, cactus, On before Off.
int32_t cmd_tree_class_kind(int32_t code, char*) {
  static constexpr int32_t kBits[] = {kTreeBitOak, kTreeBitPine, kTreeBitPalm, kTreeBitCactus};
  const int32_t i = code - 1082;
  const int32_t tree_class = kFirstTreeClass + i / 8;
  const int32_t bit = kBits[(i % 8) / 2];
  if (i % 2 == 0) {
    tree_mask_add(tree_class, bit);
  } else {
    tree_mask_remove(tree_class, bit);
  }
  return 1;
}

}  // namespace

const ScriptRoutineRow script_tree_routines[] = {
    {1050, cmd_mean_tree_density},  // TreeDensity, MeanTreeDensity
    {1071, cmd_tree_none},          // TreeNone
    {1074, cmd_tree_class_none},    // Tree1None, Tree1Off
    {1075, cmd_tree_class_none},    // Tree2None, Tree2Off
    {1076, cmd_tree_class_none},    // Tree3None, Tree3Off
    {1077, cmd_tree_class_none},    // Tree4None, Tree4Off
    {1078, cmd_tree_kind_all},      // TreeOakAll
    {1079, cmd_tree_kind_all},      // TreePineAll
    {1080, cmd_tree_kind_all},      // TreePalmAll
    {1081, cmd_tree_kind_all},      // TreeCactusAll
#define TREE_CLASS_KIND_ROWS(base)                                                                        \
  {base, cmd_tree_class_kind}, {base + 1, cmd_tree_class_kind}, {base + 2, cmd_tree_class_kind},          \
      {base + 3, cmd_tree_class_kind}, {base + 4, cmd_tree_class_kind}, {base + 5, cmd_tree_class_kind}, \
      {base + 6, cmd_tree_class_kind}, {base + 7, cmd_tree_class_kind}
    TREE_CLASS_KIND_ROWS(1082),  // Tree1OakOn .. Tree1CactusOff
    TREE_CLASS_KIND_ROWS(1090),  // Tree2OakOn .. Tree2CactusOff
    TREE_CLASS_KIND_ROWS(1098),  // Tree3OakOn .. Tree3CactusOff
    TREE_CLASS_KIND_ROWS(1106),  // Tree4OakOn .. Tree4CactusOff
#undef TREE_CLASS_KIND_ROWS
    {0, nullptr},
};
