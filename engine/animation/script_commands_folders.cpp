// Script commands that set the default folder of each file kind ("DefaultDir" keywords).
#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"
#include "engine/files/default_dirs.h"

namespace {

using FolderSetter = void (*)(const char*);

struct FolderKeyword {
  int32_t code;
  FolderSetter setter;
};

constexpr FolderKeyword kFolders[] = {
    {1240, set_default_dir_dem},         {1241, set_default_dir_scheme},     {1242, set_default_dir_scheme},
    {1243, set_cloud_directory},         {1244, set_default_dir_binary},     {1245, set_default_dir_palette},
    {1246, set_default_dir_pcx},         {1247, set_default_dir_targa},      {1248, set_default_dir_bmp},
    {1249, set_default_dir_jpg},         {1250, set_default_dir_script},     {1251, set_default_dir_anim},
    {1252, set_default_dir_foreground},  {1253, set_default_dir_background}, {1254, set_default_dir_stereo},
    {1255, set_default_dir_iq},          {1256, set_default_dir_batch},
};

// The folder is the whole rest of the line after the keyword, blanks included.
int32_t cmd_default_dir(int32_t code, char* line) {
  const char* folder = skip_first_word(line);
  for (const FolderKeyword& k : kFolders) {
    if (k.code == code) k.setter(folder);
  }
  return 1;
}

// One folder for all five texture kinds, in the order ground, tree, house, sky, water.
int32_t cmd_default_dir_texture(int32_t, char* line) {
  const char* folder = skip_first_word(line);
  set_default_dir_ground_texture(folder);
  set_tree_texture_dir(folder);
  set_house_texture_directory(folder);
  set_default_dir_sky_texture(folder);
  set_water_texture_dir(folder);
  return 1;
}

}  // namespace

const ScriptRoutineRow script_folder_routines[] = {
    {1240, cmd_default_dir},          // DefaultDirDEM
    {1241, cmd_default_dir},          // DefaultDirCMap
    {1242, cmd_default_dir},          // DefaultDirScheme
    {1243, cmd_default_dir},          // DefaultDirCloud
    {1244, cmd_default_dir},          // DefaultDirBinary
    {1245, cmd_default_dir},          // DefaultDirPalette
    {1246, cmd_default_dir},          // DefaultDirPCX
    {1247, cmd_default_dir},          // DefaultDirTarga, DefaultDirTarga24
    {1248, cmd_default_dir},          // DefaultDirBMP, DefaultDirBMP24
    {1249, cmd_default_dir},          // DefaultDirJPG, DefaultDirJPG24
    {1250, cmd_default_dir},          // DefaultDirScript
    {1251, cmd_default_dir},          // DefaultDirAnim
    {1252, cmd_default_dir},          // DefaultDirForeground
    {1253, cmd_default_dir},          // DefaultDirBackground
    {1254, cmd_default_dir},          // DefaultDirStereo
    {1255, cmd_default_dir},          // DefaultDirIQ
    {1256, cmd_default_dir},          // DefaultDirBatch
    {1257, cmd_default_dir_texture},  // DefaultDirTexture
    {0, nullptr},
};
