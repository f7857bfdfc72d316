// The ids of the command families that are not built into this program yet, so that they can say so.
#include "engine/panels/command_dispatch_internal.h"

namespace {
struct WaitingFamily {
  const char* name;
  const int32_t* ids;
};

const int32_t waiting_2[] = {1044, 1053, 1099, 1150, 1151, 1152, 1153, 1169, 1170, 1171, 1214, 1216, 1225, 1227, 1228, 1229, 1230, 1421, 0};
const int32_t waiting_3[] = {1017, 1018, 1020, 1021, 1022, 1024, 1025, 1026, 1027, 1032, 1033, 1034, 1035, 1036, 1037, 1038, 1039, 1040, 1041, 1045, 1131, 1142, 1219, 1221, 1223, 1283, 1284, 1285, 1289, 1290, 1291, 1292, 1422, 0};
const int32_t waiting_5[] = {1069, 1070, 1071, 1073, 1074, 1075, 1076, 1077, 1078, 1079, 1080, 1081, 1082, 1083, 1084, 1085, 1086, 1087, 1088, 1089, 1090, 1091, 1092, 1093, 1124, 1125, 1126, 1130, 1133, 1134, 1136, 1137, 1138, 1139, 1144, 1267, 1268, 1269, 1270, 1271, 1272, 1278, 1279, 1280, 1281, 1282, 1420, 0};
const WaitingFamily waiting_families[] = {
    {"landscape commands (issue 22)", waiting_2},
    {"image and render commands (issue 22)", waiting_3},
    {"file menu commands (issue 22)", waiting_5},
};
}  // namespace

const char* command_waiting_family(uint32_t command) {
  for (const WaitingFamily& f : waiting_families) {
    for (const int32_t* id = f.ids; *id; ++id) {
      if (static_cast<uint32_t>(*id) == command) return f.name;
    }
  }
  return nullptr;
}
