// Menu ids of the front end paired with the engine command ids they send, in the order searched.
#include "engine/app/menu_table.h"

const MenuCommandPair menu_command_map[kMenuCommandPairs] = {
    {1070, 1601},  // "About &Dalvenor"
    {1069, 1602},  // "About &Landscape"
    {1071, 1603},  // "About &Image"
    {1072, 1604},  // no menu item
    {1073, 1606},  // "A Quick Introduction"
    {1074, 1607},  // "Loading a DEM Landscape"
    {1075, 1608},  // "Setting Camera and Target Locations"
    {1076, 1609},  // "Viewing From Your Camera Positions"
    {1077, 1610},  // "Adjusting the Camera Lens"
    {1078, 1611},  // "Making a Smoother Image"
    {1079, 1612},  // "Experiment"
    {1080, 1619},  // support web page
    {1081, 1620},  // community web page
    {1082, 1621},  // community web page
    {1083, 1622},  // community web page
    {1084, 1624},  // community web page
    {1085, 1625},  // community web page
    {1086, 1626},  // community web page
    {1087, 1623},  // "Place Your Link Here"
    {1088, 1613},  // "Downloads and Updates"
    {1089, 1614},  // "Post a Dalvenor FAQ"
    {1090, 1615},  // "Dalvenor Community Website"
    {1091, 1616},  // "Dalvenor Support Website"
    {1092, 1627},  // "Report Dalvenor Bug"
    {1093, 1617},  // "&Contents"
    {1124, 1000},  // "&Open Landscape"
    {1125, 1001},  // "Open &Region"
    {1126, 1304},  // "&Binary Elevation Data"
    {1130, 1004},  // "Load &Color Scheme"
    {1034, 1100},  // "Load PC&X"
    {1035, 1103},  // "Load &Targa"
    {1037, 1102},  // "Load &JPG"
    {1036, 1101},  // "Load &BMP"
    {1285, 1104},  // "Load &Stereo"
    {1133, 1002},  // "Save &Elevations Only"
    {1134, 1003},  // "&Save Landscape"
    {1144, 1005},  // "Save &Color Scheme"
    {1038, 1200},  // "Save PC&X"
    {1039, 1202},  // "Save &Targa"
    {1041, 1203},  // "Save &JPG"
    {1040, 1201},  // "Save &BMP"
    {1139, 1403},  // "Ground Colors as &TGA"
    {1138, 1402},  // "Elevations as &DXF"
    {1136, 1404},  // "Elevations as &ASCII Z"
    {1137, 1405},  // no menu item (ASCII grid export)
    {1267, 1400},  // "PCX as &Elevations" (export)
    {1268, 1300},  // "PCX as &Elevations" (import)
    {1269, 1401},  // "&Ground Colors as PCX"
    {1270, 1301},  // "PCX as &Ground Colors"
    {1271, 1302},  // "View as Elevations"
    {1272, 1303},  // "View as Ground Colors"
    {1278, 1500},  // "&Low"
    {1279, 1501},  // "&Medium"
    {1280, 1502},  // "&High"
    {1281, 1503},  // "&Ultra"
    {1282, 1504},  // "U&ser"
};

uint32_t menu_to_command_id(uint32_t menu_id) {
  for (const MenuCommandPair& pair : menu_command_map) {
    if (pair.menu_id == menu_id) return pair.command_id;
  }
  return 0;
}
