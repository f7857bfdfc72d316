// Script commands for the camera, the lens, the view direction, the stereo eye, the sun and shading.
#include <cmath>

#include "engine/animation/script_arguments.h"
#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"
#include "engine/landscape/camera.h"
#include "engine/core/settings.h"
#include "engine/landscape/sun.h"

namespace {

// Reads n numbers; a number that is not finite or out of range refuses the whole line.
#define READ_NUMBERS(count)                                               \
  ScriptNumbers args;                                                     \
  if (!script_read_numbers(line, (count), &args)) return script_error(line)

int32_t cmd_camera_axis(int32_t code, char* line) {
  READ_NUMBERS(1);
  const float v = args.value[0];
  if (code == 1002) set_camera(v, camera_state.camera_y, camera_state.camera_z);
  if (code == 1003) set_camera(camera_state.camera_x, v, camera_state.camera_z);
  if (code == 1004) set_camera(camera_state.camera_x, camera_state.camera_y, v);
  return 1;
}

int32_t cmd_camera_xyz(int32_t, char* line) {
  READ_NUMBERS(3);
  set_camera(args.value[0], args.value[1], args.value[2]);
  return 1;
}

int32_t cmd_camera_height(int32_t, char* line) {
  READ_NUMBERS(1);
  camera_state.camera_height = script_trunc(args.value[0]);
  camera_to_ground();
  return 1;
}

int32_t cmd_target_axis(int32_t code, char* line) {
  READ_NUMBERS(1);
  const float v = args.value[0];
  if (code == 1007) set_target(v, camera_state.target_y, camera_state.target_z);
  if (code == 1008) set_target(camera_state.target_x, v, camera_state.target_z);
  if (code == 1009) set_target(camera_state.target_x, camera_state.target_y, v);
  return 1;
}

int32_t cmd_target_xyz(int32_t, char* line) {
  READ_NUMBERS(3);
  set_target(args.value[0], args.value[1], args.value[2]);
  return 1;
}

// Bank, heading and pitch are stored as given, without folding or re-aiming.
int32_t cmd_camera_angle(int32_t code, char* line) {
  READ_NUMBERS(1);
  if (code == 1011) camera_state.camera_bank = args.value[0];
  if (code == 1012) camera_state.camera_heading = args.value[0];
  if (code == 1013) camera_state.camera_pitch = args.value[0];
  return 1;
}

int32_t cmd_sun_azimuth(int32_t, char* line) {
  READ_NUMBERS(1);
  light_state.sun_azimuth = args.value[0];
  sun_azimuth_changed();
  script_mark_shades_stale();
  return 1;
}

int32_t cmd_sun_declination(int32_t, char* line) {
  READ_NUMBERS(1);
  light_state.sun_declination = args.value[0];
  sun_declination_changed();
  script_mark_shades_stale();
  return 1;
}

int32_t cmd_field_of_view(int32_t, char* line) {
  READ_NUMBERS(1);
  double angle = args.value[0];
  if (angle < 1.0) angle = 1.0;
  if (angle > 172.0) angle = 172.0;
  lens_state.lens_scale = static_cast<float>(1.0 / std::tan(angle / 2.0 / 57.29577951308232));
  lens_state.lens_scale_inv = 1.0f / lens_state.lens_scale;
  lens_state.focal_length = static_cast<int32_t>(lens_state.lens_scale * 16.0f);
  return 1;
}

// A focal length below 1 would give an infinite or negative inverse lens scale: refused.
int32_t cmd_focal_length(int32_t, char* line) {
  READ_NUMBERS(1);
  const float n = args.value[0];
  if (!(n >= 1.0f)) return script_error(line);
  lens_state.lens_scale = n / 16.0f;
  lens_state.lens_scale_inv = 1.0f / lens_state.lens_scale;
  lens_state.focal_length = script_trunc(n);
  return 1;
}

int32_t cmd_view_facing(int32_t code, char*) {
  lens_state.view_facing = code == 1016 ? 5 : code == 1017 ? 7 : 8;
  return 1;
}

int32_t cmd_stereo_camera(int32_t code, char*) {
  lens_state.stereo_camera = code == 1019 ? 2 : code == 1020 ? 3 : 1;
  return 1;
}

int32_t cmd_haze(int32_t, char* line) {
  READ_NUMBERS(1);
  render_settings.haze_density = script_trunc(args.value[0]);
  return 1;
}

int32_t cmd_shadows(int32_t code, char*) {
  render_settings.shadows_enabled = code == 1025 ? 1 : 0;
  script_mark_shades_stale();
  return 1;
}

int32_t cmd_exaggeration(int32_t code, char*) {
  render_settings.exaggerate_shading = code == 1224 ? 1 : 0;
  script_mark_shades_stale();
  return 1;
}

int32_t cmd_lighting_roughness(int32_t, char* line) {
  READ_NUMBERS(1);
  script_mark_shades_stale();
  render_settings.light_roughness = script_trunc(args.value[0]);
  return 1;
}

}  // namespace

const ScriptRoutineRow script_camera_routines[] = {
    {1002, cmd_camera_axis},         // CameraX
    {1003, cmd_camera_axis},         // CameraY
    {1004, cmd_camera_axis},         // CameraZ
    {1005, cmd_camera_xyz},          // CameraXYZ
    {1006, cmd_camera_height},       // CameraHeight
    {1007, cmd_target_axis},         // TargetX
    {1008, cmd_target_axis},         // TargetY
    {1009, cmd_target_axis},         // TargetZ
    {1010, cmd_target_xyz},          // TargetXYZ
    {1011, cmd_camera_angle},        // Bank
    {1012, cmd_camera_angle},        // Heading
    {1013, cmd_camera_angle},        // Pitch
    {1014, cmd_field_of_view},       // FieldOfView
    {1015, cmd_focal_length},        // FocalLength
    {1016, cmd_view_facing},         // LensForward
    {1017, cmd_view_facing},         // LensPort
    {1018, cmd_view_facing},         // LensStarboard
    {1019, cmd_stereo_camera},       // LensLeft
    {1020, cmd_stereo_camera},       // LensRight
    {1021, cmd_stereo_camera},       // LensCenter
    {1022, cmd_haze},                // Haze
    {1023, cmd_sun_azimuth},         // SunAzimuth
    {1024, cmd_sun_declination},     // SunDeclination
    {1025, cmd_shadows},             // ShadowsOn
    {1026, cmd_shadows},             // ShadowsOff
    {1224, cmd_exaggeration},        // ExagerationOn, ExaggerationOn
    {1225, cmd_exaggeration},        // ExagerationOff, ExaggerationOff
    {1226, cmd_lighting_roughness},  // LightingRoughness
    {0, nullptr},
};
