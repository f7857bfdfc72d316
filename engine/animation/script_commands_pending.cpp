// Keywords whose engine operation is not available yet: each is accepted and does nothing until it is wired.
// This table is the one list of them; a family table that takes a code over wins, so wiring a keyword
// means adding its routine to its family and removing its row here.
#include "engine/animation/script_commands.h"

namespace {

int32_t cmd_waiting(int32_t, char*) { return 1; }

}  // namespace

const ScriptRoutineRow script_pending_routines[] = {
    {1029, cmd_waiting},  // VerticalScale
    {1030, cmd_waiting},  // Enlarge
    {1036, cmd_waiting},  // Stretch
    {1043, cmd_waiting},  // Smooth
    {1044, cmd_waiting},  // SeaLevel
    {1045, cmd_waiting},  // LoadDEM, LoadLandscape
    {1046, cmd_waiting},  // LoadCMap, LoadScheme
    {1047, cmd_waiting},  // LoadBinaryDEM
    {1050, cmd_waiting},  // TreeDensity, MeanTreeDensity
    {1051, cmd_waiting},  // MakeRiver
    {1052, cmd_waiting},  // MakeLake
    {1071, cmd_waiting},  // TreeNone
    {1074, cmd_waiting},  // Tree1None, Tree1Off
    {1075, cmd_waiting},  // Tree2None, Tree2Off
    {1076, cmd_waiting},  // Tree3None, Tree3Off
    {1077, cmd_waiting},  // Tree4None, Tree4Off
    {1078, cmd_waiting},  // TreeOakAll
    {1079, cmd_waiting},  // TreePineAll
    {1080, cmd_waiting},  // TreePalmAll
    {1081, cmd_waiting},  // TreeCactusAll
    {1082, cmd_waiting},  // Tree1OakOn
    {1083, cmd_waiting},  // Tree1OakOff
    {1084, cmd_waiting},  // Tree1PineOn
    {1085, cmd_waiting},  // Tree1PineOff
    {1086, cmd_waiting},  // Tree1PalmOn
    {1087, cmd_waiting},  // Tree1PalmOff
    {1088, cmd_waiting},  // Tree1CactusOn
    {1089, cmd_waiting},  // Tree1CactusOff
    {1090, cmd_waiting},  // Tree2OakOn
    {1091, cmd_waiting},  // Tree2OakOff
    {1092, cmd_waiting},  // Tree2PineOn
    {1093, cmd_waiting},  // Tree2PineOff
    {1094, cmd_waiting},  // Tree2PalmOn
    {1095, cmd_waiting},  // Tree2PalmOff
    {1096, cmd_waiting},  // Tree2CactusOn
    {1097, cmd_waiting},  // Tree2CactusOff
    {1098, cmd_waiting},  // Tree3OakOn
    {1099, cmd_waiting},  // Tree3OakOff
    {1100, cmd_waiting},  // Tree3PineOn
    {1101, cmd_waiting},  // Tree3PineOff
    {1102, cmd_waiting},  // Tree3PalmOn
    {1103, cmd_waiting},  // Tree3PalmOff
    {1104, cmd_waiting},  // Tree3CactusOn
    {1105, cmd_waiting},  // Tree3CactusOff
    {1106, cmd_waiting},  // Tree4OakOn
    {1107, cmd_waiting},  // Tree4OakOff
    {1108, cmd_waiting},  // Tree4PineOn
    {1109, cmd_waiting},  // Tree4PineOff
    {1110, cmd_waiting},  // Tree4PalmOn
    {1111, cmd_waiting},  // Tree4PalmOff
    {1112, cmd_waiting},  // Tree4CactusOn
    {1113, cmd_waiting},  // Tree4CactusOff
    {1185, cmd_waiting},  // CloudOn
    {1186, cmd_waiting},  // CloudOff
    {1187, cmd_waiting},  // CloudLoad
    {1188, cmd_waiting},  // CloudDensity
    {1189, cmd_waiting},  // CloudHardness
    {1190, cmd_waiting},  // CloudAltitude
    {1191, cmd_waiting},  // CloudTextureOff
    {1192, cmd_waiting},  // CloudTextureOn
    {1193, cmd_waiting},  // CloudRandom
    {1194, cmd_waiting},  // CloudNumber
    {1291, cmd_waiting},  // Erode
    {0, nullptr},
};
