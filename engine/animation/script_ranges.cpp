// Range table of the script keywords' numbers and the check the interpreter makes before each command.
//
// Where a command clamps its number itself (the field of view, cloud density and hardness, strata
// thickness and warp, colour bytes) it has no row: every value is meaningful there. The other rows give
// the values the setting can hold while every sum and product made from it later stays exact.
#include "engine/animation/script_ranges.h"

#include <cmath>
#include <cstdio>

#include "engine/animation/script_arguments.h"
#include "engine/animation/script_interpreter.h"
#include "engine/animation/script_keywords.h"
#include "engine/raster/frame_buffers.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/requesters.h"

namespace {
constexpr double kPlace = 10000000.0;     // positions in metres, either way
constexpr double kAltitude = 100000.0;    // altitudes and heights in metres, either way
constexpr double kAngle = 1000000.0;      // angles stored as they come, in degrees
constexpr double kElevation = 1000000.0;  // tree and snow lines, compared with 16-bit elevations
constexpr double kAnyWhole = 2147483647.0;

constexpr ScriptRange decimal(double low, double high) { return {low, high, 0}; }
constexpr ScriptRange whole(double low, double high) { return {low, high, 1}; }
}  // namespace

const ScriptRangeRow script_range_rows[] = {
    // Camera, target, lens and light.
    {1002, 1, {decimal(-kPlace, kPlace)}},                                                       // CameraX
    {1003, 1, {decimal(-kPlace, kPlace)}},                                                       // CameraY
    {1004, 1, {decimal(-kAltitude, kAltitude)}},                                                 // CameraZ
    {1005, 3, {decimal(-kPlace, kPlace), decimal(-kPlace, kPlace), decimal(-kAltitude, kAltitude)}},  // CameraXYZ
    {1006, 1, {whole(-kAltitude, kAltitude)}},                                                   // CameraHeight
    {1007, 1, {decimal(-kPlace, kPlace)}},                                                       // TargetX
    {1008, 1, {decimal(-kPlace, kPlace)}},                                                       // TargetY
    {1009, 1, {decimal(-kAltitude, kAltitude)}},                                                 // TargetZ
    {1010, 3, {decimal(-kPlace, kPlace), decimal(-kPlace, kPlace), decimal(-kAltitude, kAltitude)}},  // TargetXYZ
    {1011, 1, {decimal(-kAngle, kAngle)}},                                                       // Bank
    {1012, 1, {decimal(-kAngle, kAngle)}},                                                       // Heading
    {1013, 1, {decimal(-kAngle, kAngle)}},                                                       // Pitch
    {1022, 1, {whole(-100000, 100000)}},                                                         // Haze
    {1023, 1, {decimal(-kAngle, kAngle)}},                                                       // SunAzimuth
    {1024, 1, {decimal(-90, 90)}},                                                               // SunDeclination
    {1226, 1, {whole(0, 65535)}},                                                                // LightingRoughness
    // Landscape.
    {1027, 1, {whole(-kElevation, kElevation)}},                                                 // TreeLine
    {1028, 1, {whole(-kElevation, kElevation)}},                                                 // SnowLine
    {1199, 1, {whole(-10000, 10000)}},                                                           // Dither
    {1030, 3, {whole(-kPlace, kPlace), whole(-kPlace, kPlace), decimal(-kAnyWhole, kAnyWhole)}},     // Enlarge
    {1044, 2, {whole(-32768, 32767), decimal(-kAnyWhole, kAnyWhole)}},                           // SeaLevel
    {1291, 1, {whole(-10000, 10000)}},                                                           // Erode (none below 1)
    {1051, 2, {decimal(-kPlace, kPlace), decimal(-kPlace, kPlace)}},                             // MakeRiver
    {1052, 3, {decimal(-kPlace, kPlace), decimal(-kPlace, kPlace), whole(-32768, 32767)}},       // MakeLake
    {1176, 3, {whole(-kPlace, kPlace), whole(-kPlace, kPlace), whole(-32768, 32767)}},           // SetAltitude
    {1180, 1, {whole(0, 90)}},                                                                   // CliffThreshold
    {1309, 1, {whole(-65535, 65535)}},                                                           // Temporary
    // Trees.
    {1049, 1, {whole(0, 10000)}},                                                                // TreeSize
    {1059, 1, {whole(0, 10000)}},                                                                // TreeOakSize
    {1060, 1, {whole(0, 10000)}},                                                                // TreePineSize
    {1061, 1, {whole(0, 10000)}},                                                                // TreePalmSize
    {1062, 1, {whole(0, 10000)}},                                                                // TreeCactusSize
    {1050, 1, {whole(0, 10000)}},                                                                // TreeDensity
    {1055, 1, {whole(0, 10000)}},                                                                // Tree1Density
    {1056, 1, {whole(0, 10000)}},                                                                // Tree2Density
    {1057, 1, {whole(0, 10000)}},                                                                // Tree3Density
    {1058, 1, {whole(0, 10000)}},                                                                // Tree4Density
    // Colours: exposure and contrast (the contrast's square root is taken).
    {1167, 1, {whole(-1024, 1024)}},                                                             // SetColorExposure
    {1169, 1, {whole(0, 1024)}},                                                                 // SetColorContrast
    // Sky, clouds, waves.
    {1190, 1, {whole(-kAltitude, kAltitude)}},                                                   // CloudAltitude
    {1296, 3, {decimal(-kAngle, kAngle), decimal(-kAngle, kAngle), decimal(-kAngle, kAngle)}},   // SunRotation
    {1297, 3, {decimal(-kAngle, kAngle), decimal(-kAngle, kAngle), decimal(-kAngle, kAngle)}},   // SunRotationSpeed
    {1300, 3, {decimal(-kAngle, kAngle), decimal(-kAngle, kAngle), decimal(-kAngle, kAngle)}},   // MoonRotation
    {1301, 3, {decimal(-kAngle, kAngle), decimal(-kAngle, kAngle), decimal(-kAngle, kAngle)}},   // MoonRotationSpeed
    {1286, 1, {decimal(-kAngle, kAngle)}},                                                       // WaveSource
    {1287, 1, {decimal(-100000, 100000)}},                                                       // WaveLength
    {1288, 1, {decimal(-100000, 100000)}},                                                       // WaveSpeed
    {1289, 1, {decimal(-10000, 10000)}},                                                         // WaveAmplitude
    {1290, 1, {decimal(-kAngle, kAngle)}},                                                       // WavePhase
    // Render options.
    {1219, 1, {whole(0, 1024)}},                                                                 // PixelDitherRandom
    {1220, 1, {whole(0, 1024)}},                                                                 // PixelDitherOrdered
    {1221, 1, {whole(0, 1024)}},                                                                 // PixelDither
    {1293, 1, {whole(-1000000, 1000000)}},                                                       // RenderRange
    {1218, 2, {whole(kMinImageSide, kMaxFrameSide), whole(kMinImageSide, kMaxFrameSide)}},       // ImageSize
    {1302, 1, {whole(0, 16)}},                                                                   // FrTextureDepth
    {1303, 1, {whole(0, 32000)}},                                                                // FrTextureSize
    {0, 0, {}},
};

const ScriptRangeRow* script_range_row(int32_t code) {
  for (const ScriptRangeRow* row = script_range_rows; row->code != 0; ++row)
    if (row->code == code) return row;
  return nullptr;
}

int32_t script_check_ranges(int32_t code, const char* line, int32_t* result) {
  const ScriptRangeRow* row = script_range_row(code);
  if (!row) return 1;
  ScriptNumbers args;
  // A number that does not even fit 32 bits is left to the command's own reading, which refuses it.
  if (!script_read_numbers(line, row->count, &args)) return 1;
  for (int32_t i = 0; i < args.count; ++i) {
    const ScriptRange& r = row->numbers[i];
    const double v = r.whole ? std::trunc(static_cast<double>(args.value[i])) : static_cast<double>(args.value[i]);
    if (v >= r.low && v <= r.high) continue;
    char keyword[64];
    script_first_word(line, keyword, sizeof keyword);
    ++script_errors_shown;
    std::snprintf(text_buffer, sizeof text_buffer, "Script error: %s: %.10g is out of range (%.10g to %.10g)", keyword,
                  static_cast<double>(args.value[i]), r.low, r.high);
    *result = requester(text_buffer, "Continue", "Cancel") == 1 ? 1 : -1;
    return 0;
  }
  return 1;
}
