// Keywords whose engine operation is not available yet: each is reported as a script error, like a keyword
// without a routine, so that a script never silently skips work it asked for.
// This table is the one list of them; a family table that takes a code over wins, so wiring a keyword
// means adding its routine to its family and removing its row here.
#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"

namespace {

int32_t cmd_waiting(int32_t, char* line) { return script_error(line); }

}  // namespace

const ScriptRoutineRow script_pending_routines[] = {
    {1047, cmd_waiting},  // LoadBinaryDEM -- load_binary_raw
    {1050, cmd_waiting},  // TreeDensity, MeanTreeDensity -- set_mean_tree_density
    {1071, cmd_waiting},  // TreeNone -- clear_tree_masks
    {1074, cmd_waiting},  // Tree1None, Tree1Off -- tree_mask_remove
    {1075, cmd_waiting},  // Tree2None, Tree2Off -- tree_mask_remove
    {1076, cmd_waiting},  // Tree3None, Tree3Off -- tree_mask_remove
    {1077, cmd_waiting},  // Tree4None, Tree4Off -- tree_mask_remove
    {1078, cmd_waiting},  // TreeOakAll -- clear_tree_masks, tree_mask_add
    {1079, cmd_waiting},  // TreePineAll -- clear_tree_masks, tree_mask_add
    {1080, cmd_waiting},  // TreePalmAll -- clear_tree_masks, tree_mask_add
    {1081, cmd_waiting},  // TreeCactusAll -- clear_tree_masks, tree_mask_add
    {1082, cmd_waiting},  // Tree1OakOn -- tree_mask_add
    {1083, cmd_waiting},  // Tree1OakOff -- tree_mask_remove
    {1084, cmd_waiting},  // Tree1PineOn -- tree_mask_add
    {1085, cmd_waiting},  // Tree1PineOff -- tree_mask_remove
    {1086, cmd_waiting},  // Tree1PalmOn -- tree_mask_add
    {1087, cmd_waiting},  // Tree1PalmOff -- tree_mask_remove
    {1088, cmd_waiting},  // Tree1CactusOn -- tree_mask_add
    {1089, cmd_waiting},  // Tree1CactusOff -- tree_mask_remove
    {1090, cmd_waiting},  // Tree2OakOn -- tree_mask_add
    {1091, cmd_waiting},  // Tree2OakOff -- tree_mask_remove
    {1092, cmd_waiting},  // Tree2PineOn -- tree_mask_add
    {1093, cmd_waiting},  // Tree2PineOff -- tree_mask_remove
    {1094, cmd_waiting},  // Tree2PalmOn -- tree_mask_add
    {1095, cmd_waiting},  // Tree2PalmOff -- tree_mask_remove
    {1096, cmd_waiting},  // Tree2CactusOn -- tree_mask_add
    {1097, cmd_waiting},  // Tree2CactusOff -- tree_mask_remove
    {1098, cmd_waiting},  // Tree3OakOn -- tree_mask_add
    {1099, cmd_waiting},  // Tree3OakOff -- tree_mask_remove
    {1100, cmd_waiting},  // Tree3PineOn -- tree_mask_add
    {1101, cmd_waiting},  // Tree3PineOff -- tree_mask_remove
    {1102, cmd_waiting},  // Tree3PalmOn -- tree_mask_add
    {1103, cmd_waiting},  // Tree3PalmOff -- tree_mask_remove
    {1104, cmd_waiting},  // Tree3CactusOn -- tree_mask_add
    {1105, cmd_waiting},  // Tree3CactusOff -- tree_mask_remove
    {1106, cmd_waiting},  // Tree4OakOn -- tree_mask_add
    {1107, cmd_waiting},  // Tree4OakOff -- tree_mask_remove
    {1108, cmd_waiting},  // Tree4PineOn -- tree_mask_add
    {1109, cmd_waiting},  // Tree4PineOff -- tree_mask_remove
    {1110, cmd_waiting},  // Tree4PalmOn -- tree_mask_add
    {1111, cmd_waiting},  // Tree4PalmOff -- tree_mask_remove
    {1112, cmd_waiting},  // Tree4CactusOn -- tree_mask_add
    {1113, cmd_waiting},  // Tree4CactusOff -- tree_mask_remove
    {0, nullptr},
};
