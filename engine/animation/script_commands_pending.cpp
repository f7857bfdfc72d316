// Keywords whose engine operation is not available yet: each is reported as a script error, like a keyword
// without a routine, so that a script never silently skips work it asked for.
// This table is the one list of them; a family table that takes a code over wins, so wiring a keyword
// means adding its routine to its family and removing its row here.
#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"

namespace {

int32_t cmd_waiting(int32_t, char* line) { return script_error(line); }

}  // namespace

const ScriptRoutineRow script_pending_routines[] = {
    {1029, cmd_waiting},  // VerticalScale -- rescale_vertical
    {1030, cmd_waiting},  // Enlarge -- enlarge_region, create_sea
    {1036, cmd_waiting},  // Stretch -- stretch_landscape
    {1043, cmd_waiting},  // Smooth -- smooth_landscape
    {1044, cmd_waiting},  // SeaLevel -- create_sea
    {1045, cmd_waiting},  // LoadDEM, LoadLandscape -- the landscape loader (load_landscape, old_dem_header)
    {1046, cmd_waiting},  // LoadCMap, LoadScheme -- load_scheme_old
    {1047, cmd_waiting},  // LoadBinaryDEM -- load_binary_raw
    {1051, cmd_waiting},  // MakeRiver -- create_river
    {1052, cmd_waiting},  // MakeLake -- create_lake
    {1185, cmd_waiting},  // CloudOn -- clouds_enabled
    {1186, cmd_waiting},  // CloudOff -- clouds_enabled
    {1187, cmd_waiting},  // CloudLoad -- load_cloud_pattern_file
    {1188, cmd_waiting},  // CloudDensity -- set_cloud_density
    {1189, cmd_waiting},  // CloudHardness -- set_cloud_hardness
    {1190, cmd_waiting},  // CloudAltitude -- set_cloud_altitude
    {1191, cmd_waiting},  // CloudTextureOff -- fractal_clouds_off
    {1192, cmd_waiting},  // CloudTextureOn -- fractal_clouds_on
    {1193, cmd_waiting},  // CloudRandom -- random_seed_clock, generate_cloud_pattern (feature from cloud_feature_for_scale)
    {1194, cmd_waiting},  // CloudNumber -- random_seed, generate_cloud_pattern (feature from cloud_feature_for_scale)
    {1291, cmd_waiting},  // Erode -- erode_landscape
    {0, nullptr},
};
