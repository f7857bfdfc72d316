// The ids of the command families that are not built into this program yet, so that they can say so.
#include "engine/panels/command_dispatch_internal.h"

namespace {
struct WaitingFamily {
  const char* name;
  const int32_t* ids;
};

const int32_t waiting_0[] = {1048, 1049, 1050, 1051, 1160, 1161, 1197, 1213, 1217, 1218, 1222, 1248, 1249, 1250, 1255, 1317, 1327, 1328, 1329, 1330, 1361, 1408, 1410, 1411, 1415, 1416, 0};
const int32_t waiting_1[] = {1009, 1010, 1011, 1012, 1014, 1015, 1016, 1062, 1097, 1098, 1177, 1178, 1179, 1194, 1195, 1196, 1198, 1199, 1200, 1201, 1202, 1203, 1204, 1205, 1206, 1207, 1208, 1209, 1226, 1256, 1257, 1258, 1259, 1260, 1261, 1262, 1263, 1264, 1313, 1314, 1315, 1316, 1331, 1332, 1333, 1334, 1335, 1356, 1357, 1358, 1359, 1360, 0};
const int32_t waiting_4[] = {1103, 1104, 1105, 1106, 1107, 1108, 1109, 1110, 1112, 1114, 1115, 1116, 1117, 1159, 1362, 1363, 1364, 1365, 1366, 1367, 1368, 1370, 1372, 1373, 1374, 1376, 1377, 1378, 1379, 1380, 1381, 1382, 1383, 1384, 1385, 1396, 1400, 1401, 0};
// The display options and the Help menu's information panels open panels built with the other panels.
const int32_t waiting_info[] = {1027, 1069, 1070, 1071, 0};
const WaitingFamily waiting_families[] = {
    {"light and sky commands (issue 22)", waiting_0},
    {"terrain, water, tree and texture commands (issue 22)", waiting_1},
    {"path and animation commands (issue 23)", waiting_4},
    {"information panels (issue 22)", waiting_info},
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
