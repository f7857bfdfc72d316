// Script commands of the cloud layer: on and off, pattern loading and generation, density, hardness, altitude
// and fractal detail.
#include "engine/animation/script_arguments.h"
#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"
#include "engine/scene/cloud_pattern_file.h"
#include "engine/core/random.h"
#include "engine/scene/cloud_pattern.h"

namespace {

int32_t cmd_cloud_switch(int32_t code, char*) {
  clouds_enabled = code == 1185 ? 1 : 0;
  return 1;
}

int32_t cmd_cloud_load(int32_t, char* line) {
  char name[256];
  script_read_word(line, 1, name, sizeof name);
  load_cloud_pattern_file(name);
  return 1;
}

// CloudDensity, CloudHardness and CloudAltitude take one number, truncated.
int32_t cmd_cloud_value(int32_t code, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 1, &args)) return script_error(line);
  const int32_t v = script_trunc(args.value[0]);
  if (code == 1188) set_cloud_density(v);
  if (code == 1189) set_cloud_hardness(v);
  if (code == 1190) set_cloud_altitude(v);
  return 1;
}

int32_t cmd_cloud_texture(int32_t code, char*) {
  if (code == 1192) {
    fractal_clouds_on();
  } else {
    fractal_clouds_off();
  }
  return 1;
}

int32_t cmd_cloud_random(int32_t, char*) {
  random_seed_clock();
  generate_cloud_pattern(cloud_feature_for_scale(cloud_settings.cloud_scale));
  return 1;
}

int32_t cmd_cloud_number(int32_t, char* line) {
  ScriptNumbers args;
  if (!script_read_numbers(line, 1, &args)) return script_error(line);
  random_seed(static_cast<uint32_t>(script_trunc(args.value[0])));
  generate_cloud_pattern(cloud_feature_for_scale(cloud_settings.cloud_scale));
  return 1;
}

}  // namespace

const ScriptRoutineRow script_cloud_routines[] = {
    {1185, cmd_cloud_switch},   // CloudOn
    {1186, cmd_cloud_switch},   // CloudOff
    {1187, cmd_cloud_load},     // CloudLoad
    {1188, cmd_cloud_value},    // CloudDensity
    {1189, cmd_cloud_value},    // CloudHardness
    {1190, cmd_cloud_value},    // CloudAltitude
    {1191, cmd_cloud_texture},  // CloudTextureOff
    {1192, cmd_cloud_texture},  // CloudTextureOn
    {1193, cmd_cloud_random},   // CloudRandom
    {1194, cmd_cloud_number},   // CloudNumber
    {0, nullptr},
};
