// The rows of the File, Image, Quality, Communities and Help menus.
#include "frontend/logic/menu_items.h"

#include <cstddef>

namespace {
constexpr MenuItemRow kSeparator0 = {0, 0, nullptr, nullptr, 0, 0, false};
constexpr MenuItemRow kSeparator1 = {1, 0, nullptr, nullptr, 0, 0, false};

const MenuItemRow kFile[] = {
    {0, 30, "&Open Landscape", "Load a Dalvenor landscape file.", 1000, 1124, false},
    {0, 31, "Open &Region", "Automatically place several Dalvenor landscapes into a large area.", 1001, 1125, false},
    {0, 32, "&Save Landscape", "Save the current landscape and all settings as a Dalvenor landscape file.", 1003, 1134, false},
    {0, 33, "Save &Elevations Only", "Save the current landscape (elevation data only) as a Dalvenor landscape file.", 1002, 1133, false},
    kSeparator0,
    {0, 34, "&Import", "Import functions.", 0, 0, true},
    {1, 35, "Elevations", "Import functions.", 0, 0, true},
    {2, 36, "PCX as &Elevations", "Import a PCX image as a landscape.", 1300, 1268, false},
    {2, 37, "View as Elevations", "Convert the current image into a landscape.", 1302, 1271, false},
    {2, 38, "&Binary Elevation Data", "Import a 16bit integer binary landscape.", 1304, 1126, false},
    {1, 39, "Ground Colors", "Import functions.", 0, 0, true},
    {2, 40, "PCX as &Ground Colors", "Import a PCX image as ground cover.", 1301, 1270, false},
    {2, 41, "View as Ground Colors", "Copy the current image onto the landscape.", 1303, 1272, false},
    {0, 42, "Export", "Export functions.", 0, 0, true},
    {1, 43, "Elevations", "Export functions.", 0, 0, true},
    {2, 44, "PCX as &Elevations", "Export the landscape as a PCX image.", 1400, 1267, false},
    {2, 45, "Elevations as &DXF", "Export the current landscape as a DXF polyface mesh.", 1402, 1138, false},
    {2, 46, "Elevations as &ASCII Z", "Export the current landscape as an ASCII text file.", 1404, 1136, false},
    {1, 47, "Ground Colors", "Export functions.", 0, 0, true},
    {2, 48, "&Ground Colors as PCX", "Export the ground cover as a PCX image.", 1401, 1269, false},
    {2, 49, "Ground Colors as &TGA", "Export the current ground colors as a texture map (Targa).", 1403, 1139, false},
    kSeparator0,
    {0, 50, "Load &Color Scheme", "Load a color scheme -- the colors used to paint objects in Dalvenor.", 1004, 1130, false},
    {0, 51, "Save &Color Scheme", "Save the current color scheme.", 1005, 1144, false},
    kSeparator0,
    {0, kMenuExitId, "E&xit\tAlt-X", "Exit Dalvenor.", 0, 0, false},
};

const MenuItemRow kImage[] = {
    {0, 52, "Load", "Load and display images.", 0, 0, true},
    {1, 53, "Load PC&X", "Load and display a 256 color PCX image.", 1100, 1034, false},
    {1, 54, "Load &BMP", "Load and display a 24bit Windows bitmap image.", 1101, 1036, false},
    {1, 55, "Load &JPG", "Load and display a 24bit JPEG image.", 1102, 1037, false},
    {1, 56, "Load &Targa", "Load and display a 24bit or 32bit Targa image.", 1103, 1035, false},
    kSeparator1,
    {1, 57, "Load &Stereo", "Load and display a stereographic image pair (Targa).", 1104, 1285, false},
    {0, 58, "Save", "Save images.", 0, 0, true},
    {1, 59, "Save PC&X", "Save the current 8bit image as a 256 color PCX file.", 1200, 1038, false},
    {1, 60, "Save &BMP", "Save the current 24bit image as Windows bitmap file.", 1201, 1040, false},
    {1, 61, "Save &JPG", "Save the current 24bit image as a JPEG file.", 1203, 1041, false},
    {1, 62, "Save &Targa", "Save the current 24bit image as a Targa file.", 1202, 1039, false},
};

const MenuItemRow kQuality[] = {
    {0, 63, "&Low", "Presets for Low image quality.", 1500, 1278, false},
    {0, 64, "&Medium", "Presets for Medium image quality.", 1501, 1279, false},
    {0, 65, "&High", "Presets for High image quality.", 1502, 1280, false},
    {0, 66, "&Ultra", "Presets for Ultra high image quality.", 1503, 1281, false},
    kSeparator0,
    {0, 67, "U&ser", "Run a user image quality script.", 1504, 1282, false},
};

const MenuItemRow kCommunities[] = {
    {0, 68, "Dalvenor Support", "Support website", 1619, 1080, false},
    {0, 69, "Dalvenor Community", "Community website", 1615, 1090, false},
    kSeparator0,
    {0, 70, "Landscape Gallery", "Community website", 1620, 1081, false},
    {0, 71, "Terrain Makers", "Community website", 1621, 1082, false},
    {0, 72, "Elevation Data Exchange", "Community website", 1622, 1083, false},
    {0, 73, "Rendering Forum", "Community website", 1624, 1084, false},
    {0, 74, "Animation Forum", "Community website", 1625, 1085, false},
    {0, 75, "Scripts and Presets", "Community website", 1626, 1086, false},
    kSeparator0,
    {0, 76, "Other Communities", "Community website", 1623, 1087, false},
};

const MenuItemRow kHelp[] = {
    {0, 77, "&Contents", "View the help file contents.", 1617, 1093, false},
    {0, 78, "Hints", "Help and information.", 0, 0, true},
    {1, 79, "A Quick Introduction", "Help and information.", 1606, 1073, false},
    {1, 80, "Loading a DEM Landscape", "Help and information.", 1607, 1074, false},
    {1, 81, "Setting Camera and Target Locations", "Help and information.", 1608, 1075, false},
    {1, 82, "Viewing From Your Camera Positions", "Help and information.", 1609, 1076, false},
    {1, 83, "Adjusting the Camera Lens", "Help and information.", 1610, 1077, false},
    {1, 84, "Making a Smoother Image", "Help and information.", 1611, 1078, false},
    {1, 85, "Experiment", "Help and information.", 1612, 1079, false},
    kSeparator0,
    {0, 86, "Dalvenor Support Website", "Support website", 1616, 1091, false},
    {0, 92, "Report Dalvenor Bug", "Support website", 1627, 1092, false},
    kSeparator0,
    {0, 87, "Downloads and Updates", "Support website", 1613, 1088, false},
    {0, 88, "Post a Dalvenor FAQ", "Support website", 1614, 1089, false},
    kSeparator0,
    {0, 89, "About &Dalvenor", "Information about Dalvenor.", 1601, 1070, false},
    {0, 90, "About &Landscape", "Information about the current lanscape.", 1602, 1069, false},
    {0, 91, "About &Image", "Information about the last rendering.", 1603, 1071, false},
};

template <std::size_t N>
constexpr int32_t count_of(const MenuItemRow (&)[N]) {
  return static_cast<int32_t>(N);
}
}  // namespace

const MenuTable menu_tables[kMenuTables] = {
    {"&File", kFile, count_of(kFile)},
    {"&Image", kImage, count_of(kImage)},
    {"&Quality", kQuality, count_of(kQuality)},
    {"&Communities", kCommunities, count_of(kCommunities)},
    {"&Help", kHelp, count_of(kHelp)},
};

const MenuItemRow* menu_row_by_id(int32_t id) {
  if (id == 0) return nullptr;
  for (const MenuTable& t : menu_tables)
    for (int32_t i = 0; i < t.count; ++i)
      if (t.rows[i].id == id) return &t.rows[i];
  return nullptr;
}
