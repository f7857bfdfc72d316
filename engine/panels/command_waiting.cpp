// The ids of the command families that are not built into this program yet, so that they can say so.
#include "engine/panels/command_dispatch_internal.h"

namespace {
struct WaitingFamily {
  const char* name;
  const int32_t* ids;
};

const int32_t waiting_0[] = {1048, 1049, 1050, 1051, 1160, 1161, 1197, 1213, 1217, 1218, 1222, 1248, 1249, 1250, 1255, 1317, 1327, 1328, 1329, 1330, 1361, 1408, 1410, 1411, 1415, 1416, 0};
const int32_t waiting_1[] = {1009, 1010, 1011, 1012, 1014, 1015, 1016, 1062, 1097, 1098, 1177, 1178, 1179, 1194, 1195, 1196, 1198, 1199, 1200, 1201, 1202, 1203, 1204, 1205, 1206, 1207, 1208, 1209, 1226, 1256, 1257, 1258, 1259, 1260, 1261, 1262, 1263, 1264, 1313, 1314, 1315, 1316, 1331, 1332, 1333, 1334, 1335, 1356, 1357, 1358, 1359, 1360, 0};
const int32_t waiting_2[] = {1044, 1053, 1099, 1150, 1151, 1152, 1153, 1169, 1170, 1171, 1214, 1216, 1225, 1227, 1228, 1229, 1230, 1421, 0};
const int32_t waiting_3[] = {1017, 1018, 1020, 1021, 1022, 1024, 1025, 1026, 1027, 1032, 1033, 1034, 1035, 1036, 1037, 1038, 1039, 1040, 1041, 1045, 1131, 1142, 1219, 1221, 1223, 1283, 1284, 1285, 1289, 1290, 1291, 1292, 1422, 0};
const int32_t waiting_5[] = {1069, 1070, 1071, 1073, 1074, 1075, 1076, 1077, 1078, 1079, 1080, 1081, 1082, 1083, 1084, 1085, 1086, 1087, 1088, 1089, 1090, 1091, 1092, 1093, 1124, 1125, 1126, 1130, 1133, 1134, 1136, 1137, 1138, 1139, 1144, 1267, 1268, 1269, 1270, 1271, 1272, 1278, 1279, 1280, 1281, 1282, 1420, 0};
const WaitingFamily waiting_families[] = {
    {"light and sky commands (issue 22)", waiting_0},
    {"terrain, water, tree and texture commands (issue 22)", waiting_1},
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
