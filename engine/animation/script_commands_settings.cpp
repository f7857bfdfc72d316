// Script commands that set plain settings: lines and fractal parameters, trees, colours, sky and render options.
#include "engine/animation/script_arguments.h"
#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"
#include "engine/render/render_start.h"
#include "engine/core/settings.h"
#include "engine/landscape/waves.h"
#include "engine/render/lighting.h"
#include "engine/raster/frame_buffers.h"

namespace {

#define READ_NUMBERS(count)                                               \
  ScriptNumbers args;                                                     \
  if (!script_read_numbers(line, (count), &args)) return script_error(line)

int32_t first_whole(const ScriptNumbers& args) { return script_trunc(args.value[0]); }

// Terrain lines and fractal parameters.
int32_t cmd_tree_line(int32_t, char* line) {
  READ_NUMBERS(1);
  terrain_settings.tree_line = first_whole(args);
  script_mark_colors_cliffs_stale();
  return 1;
}

int32_t cmd_snow_line(int32_t, char* line) {
  READ_NUMBERS(1);
  terrain_settings.snow_line = first_whole(args);
  script_mark_colors_cliffs_stale();
  return 1;
}

int32_t cmd_line_roughness(int32_t, char* line) {
  READ_NUMBERS(1);
  terrain_settings.line_roughness = first_whole(args);
  script_mark_colors_cliffs_stale();
  return 1;
}

int32_t cmd_random_seed(int32_t, char* line) {
  READ_NUMBERS(1);
  terrain_settings.fractal_seed = first_whole(args);
  return 1;
}

int32_t cmd_island_mode(int32_t code, char*) {
  terrain_settings.island_mode = code == 1034 ? 1 : 0;
  return 1;
}

int32_t cmd_fractal_roughness(int32_t, char* line) {
  READ_NUMBERS(1);
  terrain_settings.fractal_roughness = first_whole(args);
  return 1;
}

// A feature size below 1 would divide by zero in generation; it is taken as 1, which keeps the
// behaviour of every other value.
int32_t cmd_fractal_divisor(int32_t, char* line) {
  int32_t value = 0;
  if (!script_read_whole(line, &value)) return script_error(line);
  terrain_settings.feature_size = value < 1 ? 1 : value;
  return 1;
}

int32_t cmd_feature_size(int32_t code, char*) {
  static const int32_t kSizes[] = {1, 2, 4, 8};
  terrain_settings.feature_size = kSizes[code - 1039];
  return 1;
}

// Trees.
int32_t cmd_tree_size_all(int32_t, char* line) {
  READ_NUMBERS(1);
  for (int32_t& size : tree_settings.tree_size) size = first_whole(args);
  return 1;
}

int32_t cmd_tree_size_kind(int32_t code, char* line) {
  READ_NUMBERS(1);
  // Entries in the order palm, oak, cactus, pine; codes 1059 oak, 1060 pine, 1061 palm, 1062 cactus.
  static const int32_t kEntry[] = {1, 3, 0, 2};
  tree_settings.tree_size[kEntry[code - 1059]] = first_whole(args);
  return 1;
}

int32_t cmd_tree_class_density(int32_t code, char* line) {
  READ_NUMBERS(1);
  tree_settings.tree_density[code - 1055] = first_whole(args);
  script_mark_colors_cliffs_stale();
  return 1;
}

int32_t cmd_trees_3d(int32_t code, char*) {
  tree_settings.trees_3d = code == 1054 ? 1 : 0;
  return 1;
}

int32_t cmd_tree_detail(int32_t code, char*) {
  tree_settings.tree_detail = code - 1064;  // -1 low, 0 medium, 1 high, 2 ultra
  tree_settings.trees_3d = 1;
  return 1;
}

int32_t cmd_tree_texture(int32_t code, char*) {
  tree_settings.tree_textures_enabled = code == 1068 ? 2 : 0;
  return 1;
}

int32_t cmd_tree_leaves(int32_t code, char*) {
  for (int32_t& leaves : tree_settings.tree_leaves) leaves = code == 1070 ? 1 : 0;
  return 1;
}

int32_t cmd_trees_enabled(int32_t code, char*) {
  tree_settings.trees_enabled = code == 1073 ? 1 : 0;
  derived_data.landscape_changed = 1;
  return 1;
}

// Colours and the palette.
struct ColorTarget {
  int32_t code;
  int32_t entry;
};
constexpr ColorTarget kColorTargets[] = {
    {1166, 25}, {1165, 26}, {1163, 32}, {1161, 33}, {1116, 34}, {1117, 34}, {1118, 35}, {1119, 35},
    {1120, 36}, {1121, 36}, {1122, 37}, {1123, 37}, {1136, 38}, {1137, 39}, {1138, 40}, {1139, 41},
    {1140, 42}, {1141, 43}, {1142, 44}, {1143, 45}, {1144, 46}, {1145, 47}, {1146, 48}, {1147, 49},
    {1164, 50}, {1148, 51}, {1149, 52}, {1150, 53}, {1151, 54}, {1152, 55}, {1132, 56}, {1133, 57},
    {1134, 58}, {1135, 59}, {1124, 64}, {1125, 64}, {1126, 65}, {1127, 65}, {1128, 66}, {1129, 66},
    {1130, 67}, {1131, 67}, {1153, 68}, {1154, 69}, {1155, 70}, {1156, 71}, {1157, 72}, {1158, 73},
    {1159, 74}, {1160, 75}, {1162, 76}, {1170, 88}, {1171, 88}, {1172, 89}, {1173, 90}, {1174, 91},
};

void store_color(int32_t entry, const ScriptNumbers& args) {
  // The low 8 bits of each truncated number: 256 stores 0, -1 stores 255.
  color_table[entry].red = static_cast<uint8_t>(static_cast<uint32_t>(script_trunc(args.value[0])) & 0xFFu);
  color_table[entry].green = static_cast<uint8_t>(static_cast<uint32_t>(script_trunc(args.value[1])) & 0xFFu);
  color_table[entry].blue = static_cast<uint8_t>(static_cast<uint32_t>(script_trunc(args.value[2])) & 0xFFu);
}

int32_t cmd_set_color(int32_t code, char* line) {
  READ_NUMBERS(3);
  for (const ColorTarget& target : kColorTargets) {
    if (target.code != code) continue;
    store_color(target.entry, args);
    // The ground of a tree class and the leaves of the matching kind share their colour.
    if (target.entry >= 56 && target.entry <= 59) store_color(target.entry - 22, args);
  }
  script_mark_palette_stale();
  return 1;
}

int32_t cmd_brightness(int32_t, char* line) {
  READ_NUMBERS(1);
  light_state.brightness = first_whole(args);
  script_mark_palette_stale();
  return 1;
}

int32_t cmd_contrast(int32_t, char* line) {
  READ_NUMBERS(1);
  light_state.contrast = first_whole(args);
  scheme_sky_colors();
  script_mark_palette_stale();
  return 1;
}

int32_t cmd_new_palette(int32_t, char*) {
  script_mark_palette_stale();
  return 1;
}

int32_t cmd_palette_lock(int32_t code, char*) {
  render_settings.palette_locked = code == 1114 ? 1 : 0;
  return 1;
}

// Sky, sun and moon spheres.
int32_t cmd_sky(int32_t code, char*) {
  if (code == 1210 || code == 1211) render_settings.sky_enabled = code == 1210 ? 1 : 0;
  if (code == 1212 || code == 1213) render_settings.horizon_enabled = code == 1212 ? 1 : 0;
  return 1;
}

int32_t cmd_sphere_rotation(int32_t code, char* line) {
  READ_NUMBERS(3);
  float* x = code == 1296 ? &sun_moon_state.sun_rotation_x : code == 1297 ? &sun_moon_state.sun_rotation_speed_x
                                             : code == 1300 ? &sun_moon_state.moon_rotation_x : &sun_moon_state.moon_rotation_speed_x;
  float* y = code == 1296 ? &sun_moon_state.sun_rotation_y : code == 1297 ? &sun_moon_state.sun_rotation_speed_y
                                             : code == 1300 ? &sun_moon_state.moon_rotation_y : &sun_moon_state.moon_rotation_speed_y;
  float* z = code == 1296 ? &sun_moon_state.sun_rotation_z : code == 1297 ? &sun_moon_state.sun_rotation_speed_z
                                             : code == 1300 ? &sun_moon_state.moon_rotation_z : &sun_moon_state.moon_rotation_speed_z;
  *x = args.value[0];
  *y = args.value[1];
  *z = args.value[2];
  return 1;
}

// Render options.
int32_t cmd_polygon_size(int32_t code, char*) {
  static const int32_t kSteps[] = {1, 2, 4, 8};
  render_settings.grid_step = kSteps[code - 1195];
  return 1;
}

int32_t cmd_render_switch(int32_t code, char*) {
  switch (code) {
    case 1214: render_settings.blend_colors = 1; break;
    case 1215: render_settings.blend_colors = 0; break;
    case 1216: render_settings.gouraud_enabled = 1; break;
    case 1217: render_settings.gouraud_enabled = 0; break;
    case 1222: render_settings.backface_culling = 1; break;
    case 1223: render_settings.backface_culling = 0; break;
    case 1229: render_settings.background_enabled = 0; break;
    case 1230: render_settings.background_enabled = 1; break;
    case 1231: render_settings.foreground_enabled = 0; break;
    case 1232: render_settings.foreground_enabled = 1; break;
    case 1272: render_settings.view_mode = 1; break;
    case 1273: render_settings.view_mode = 0; break;
    default: break;
  }
  return 1;
}

int32_t cmd_pixel_dither(int32_t code, char* line) {
  READ_NUMBERS(1);
  render_settings.dither_amount = first_whole(args);
  if (code == 1219) render_settings.dither_type = 2;
  if (code == 1220) render_settings.dither_type = 1;
  return 1;
}

int32_t cmd_render_range(int32_t, char* line) {
  READ_NUMBERS(1);
  render_settings.render_range = first_whole(args);
  return 1;
}

int32_t cmd_redraw_rate(int32_t, char* line) {
  int32_t value = 0;
  if (!script_read_whole(line, &value)) return script_error(line);
  if (value > 0) {
    render_settings.redraw_interval = value;
    render_settings.view_mode = 2;
  } else {
    render_settings.view_mode = 1;
  }
  return 1;
}

// A size the frame buffers cannot take (a side missing, or buffers beyond the largest side, told by
// the size change itself) is a script error; the image keeps its size.
int32_t cmd_image_size(int32_t, char* line) {
  READ_NUMBERS(2);
  if (!set_image_size(script_trunc(args.value[0]), script_trunc(args.value[1]))) return script_error(line);
  return 1;
}

int32_t cmd_graphics_mode(int32_t code, char*) {
  static const int32_t kSizes[][2] = {{320, 200}, {640, 400}, {640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
  change_image_size(kSizes[code - 1233][0], kSizes[code - 1233][1]);
  return 1;
}

// Waves.
int32_t cmd_wave(int32_t code, char* line) {
  READ_NUMBERS(1);
  const float v = args.value[0];
  switch (code) {
    case 1286: set_wave_direction(v); break;
    case 1287: set_wave_length(v); break;
    case 1288: set_wave_period(v); break;
    case 1289: set_wave_height(v); break;
    default: set_wave_phase(v); break;
  }
  return 1;
}

// Surface detail: mode 0 off, 1 altitude texture, 2 shade texture, at levels 1 to 4.
int32_t cmd_detail(int32_t code, char*) {
  struct Level {
    int32_t code, mode, level;
  };
  static const Level kLevels[] = {{1200, 0, 0}, {1201, 0, 0}, {1202, 2, 1}, {1203, 2, 2}, {1204, 2, 3},
                                  {1205, 0, 0}, {1206, 1, 1}, {1207, 1, 2}, {1208, 1, 3}, {1209, 1, 4}};
  for (const Level& l : kLevels) {
    if (l.code == code) set_detail_level(l.mode, l.level);
  }
  return 1;
}

int32_t cmd_detail_threshold(int32_t code, char* line) {
  READ_NUMBERS(1);
  if (code == 1302) max_detail_depth = first_whole(args);
  if (code == 1303) max_polygon_size = first_whole(args);
  return 1;
}

}  // namespace

const ScriptRoutineRow script_settings_routines[] = {
    {1027, cmd_tree_line},           // TreeLine
    {1028, cmd_snow_line},           // SnowLine
    {1199, cmd_line_roughness},      // Dither
    {1031, cmd_random_seed},         // RandomSeed
    {1034, cmd_island_mode},         // IslandModeOn
    {1035, cmd_island_mode},         // IslandModeOff
    {1037, cmd_fractal_roughness},   // FractalDimension, FractalRoughness
    {1038, cmd_fractal_divisor},     // FractalDivisor
    {1039, cmd_feature_size},        // FractalDivisor1, FeatureSize1
    {1040, cmd_feature_size},        // FractalDivisor2, FeatureSize2
    {1041, cmd_feature_size},        // FractalDivisor4, FeatureSize4
    {1042, cmd_feature_size},        // FractalDivisor8, FeatureSize8
    {1049, cmd_tree_size_all},       // TreeSize, MeanTreeSize
    {1059, cmd_tree_size_kind},      // TreeOakSize
    {1060, cmd_tree_size_kind},      // TreePineSize
    {1061, cmd_tree_size_kind},      // TreePalmSize
    {1062, cmd_tree_size_kind},      // TreeCactusSize
    {1055, cmd_tree_class_density},  // Tree1Density
    {1056, cmd_tree_class_density},  // Tree2Density
    {1057, cmd_tree_class_density},  // Tree3Density
    {1058, cmd_tree_class_density},  // Tree4Density
    {1053, cmd_trees_3d},            // Tree2D
    {1054, cmd_trees_3d},            // Tree3D
    {1063, cmd_tree_detail},         // TreeDetailLow
    {1064, cmd_tree_detail},         // TreeDetailMedium
    {1065, cmd_tree_detail},         // TreeDetailHigh
    {1066, cmd_tree_detail},         // TreeDetailUltra
    {1067, cmd_tree_texture},        // TreeTextureOff
    {1068, cmd_tree_texture},        // TreeTextureOn
    {1069, cmd_tree_leaves},         // TreeLeavesOff
    {1070, cmd_tree_leaves},         // TreeLeavesOn
    {1072, cmd_trees_enabled},       // TreeOff
    {1073, cmd_trees_enabled},       // TreeOn
    // SetColor keywords 1116 to 1166 and 1170 to 1174.
    {1116, cmd_set_color}, {1117, cmd_set_color}, {1118, cmd_set_color}, {1119, cmd_set_color},
    {1120, cmd_set_color}, {1121, cmd_set_color}, {1122, cmd_set_color}, {1123, cmd_set_color},
    {1124, cmd_set_color}, {1125, cmd_set_color}, {1126, cmd_set_color}, {1127, cmd_set_color},
    {1128, cmd_set_color}, {1129, cmd_set_color}, {1130, cmd_set_color}, {1131, cmd_set_color},
    {1132, cmd_set_color}, {1133, cmd_set_color}, {1134, cmd_set_color}, {1135, cmd_set_color},
    {1136, cmd_set_color}, {1137, cmd_set_color}, {1138, cmd_set_color}, {1139, cmd_set_color},
    {1140, cmd_set_color}, {1141, cmd_set_color}, {1142, cmd_set_color}, {1143, cmd_set_color},
    {1144, cmd_set_color}, {1145, cmd_set_color}, {1146, cmd_set_color}, {1147, cmd_set_color},
    {1148, cmd_set_color}, {1149, cmd_set_color}, {1150, cmd_set_color}, {1151, cmd_set_color},
    {1152, cmd_set_color}, {1153, cmd_set_color}, {1154, cmd_set_color}, {1155, cmd_set_color},
    {1156, cmd_set_color}, {1157, cmd_set_color}, {1158, cmd_set_color}, {1159, cmd_set_color},
    {1160, cmd_set_color}, {1161, cmd_set_color}, {1162, cmd_set_color}, {1163, cmd_set_color},
    {1164, cmd_set_color}, {1165, cmd_set_color}, {1166, cmd_set_color},
    {1170, cmd_set_color}, {1171, cmd_set_color}, {1172, cmd_set_color}, {1173, cmd_set_color},
    {1174, cmd_set_color},
    {1167, cmd_brightness},          // SetColorExposure, SetColorBrightness
    {1169, cmd_contrast},            // SetColorContrast
    {1048, cmd_new_palette},         // NewPalette
    {1114, cmd_palette_lock},        // LockPalette
    {1115, cmd_palette_lock},        // LockUnPalette, UnLockPalette
    {1210, cmd_sky},                 // SkyOn
    {1211, cmd_sky},                 // SkyOff
    {1212, cmd_sky},                 // HorizonOn
    {1213, cmd_sky},                 // HorizonOff
    {1296, cmd_sphere_rotation},     // SunRotation
    {1297, cmd_sphere_rotation},     // SunRotationSpeed
    {1300, cmd_sphere_rotation},     // MoonRotation
    {1301, cmd_sphere_rotation},     // MoonRotationSpeed
    {1195, cmd_polygon_size},        // PolygonSize1
    {1196, cmd_polygon_size},        // PolygonSize2
    {1197, cmd_polygon_size},        // PolygonSize4
    {1198, cmd_polygon_size},        // PolygonSize8
    {1214, cmd_render_switch},       // BlendOn
    {1215, cmd_render_switch},       // BlendOff
    {1216, cmd_render_switch},       // GShadeOn
    {1217, cmd_render_switch},       // GShadeOff
    {1222, cmd_render_switch},       // BackFaceCullingOn
    {1223, cmd_render_switch},       // BackFaceCullingOff
    {1229, cmd_render_switch},       // BackgroundOff
    {1230, cmd_render_switch},       // BackgroundOn
    {1231, cmd_render_switch},       // ForegroundOff
    {1232, cmd_render_switch},       // ForegroundOn
    {1272, cmd_render_switch},       // EnableScreen
    {1273, cmd_render_switch},       // DisableScreen
    {1219, cmd_pixel_dither},        // PixelDitherRandom
    {1220, cmd_pixel_dither},        // PixelDitherOrdered
    {1221, cmd_pixel_dither},        // PixelDither
    {1293, cmd_render_range},        // RenderRange
    {1292, cmd_redraw_rate},         // RedrawRate
    {1218, cmd_image_size},          // ImageSize
    {1233, cmd_graphics_mode},       // GrModeVga320x200
    {1234, cmd_graphics_mode},       // GrModeVesa640x400
    {1235, cmd_graphics_mode},       // GrModeVesa640x480
    {1236, cmd_graphics_mode},       // GrModeVesa800x600
    {1237, cmd_graphics_mode},       // GrModeVesa1024x768
    {1238, cmd_graphics_mode},       // GrModeVesa1280x1024
    {1286, cmd_wave},                // WaveSource
    {1287, cmd_wave},                // WaveLength
    {1288, cmd_wave},                // WaveSpeed
    {1289, cmd_wave},                // WaveAmplitude
    {1290, cmd_wave},                // WavePhase
    {1200, cmd_detail},              // TextureOff
    {1201, cmd_detail},              // ShadeTextureOff
    {1202, cmd_detail},              // ShadeTextureLow
    {1203, cmd_detail},              // ShadeTextureMedium
    {1204, cmd_detail},              // ShadeTextureHigh
    {1205, cmd_detail},              // AltitudeTextureOff
    {1206, cmd_detail},              // AltitudeTextureLow
    {1207, cmd_detail},              // AltitudeTextureMedium
    {1208, cmd_detail},              // AltitudeTextureHigh
    {1209, cmd_detail},              // AltitudeTextureUltra
    {1302, cmd_detail_threshold},    // FrTextureDepth
    {1303, cmd_detail_threshold},    // FrTextureSize
    {0, nullptr},
};
