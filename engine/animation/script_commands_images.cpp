// Script commands that save the frame buffers as image files and load image files into them.
#include "engine/animation/script_arguments.h"
#include "engine/animation/script_commands.h"
#include "engine/files/targa.h"
#include "engine/render/frame_buffers.h"

namespace {

// The file name argument; names end at the first blank.
void read_name(const char* line, char* name, int32_t size) { script_read_word(line, 1, name, size); }

// Each only when the 32-bit frame buffer exists; the savers and loaders report their own errors.
int32_t cmd_save_targa(int32_t, char* line) {
  char name[256];
  read_name(line, name, sizeof name);
  if (vidmem24.rows) targa_save_frame(name);
  return 1;
}

int32_t cmd_load_targa(int32_t, char* line) {
  char name[256];
  read_name(line, name, sizeof name);
  if (vidmem24.rows) targa_load_into_frame(name, kTargaOpaque);
  return 1;
}

}  // namespace

const ScriptRoutineRow script_image_routines[] = {
    {1264, cmd_save_targa},  // SaveTarga, SaveTarga24
    {1268, cmd_load_targa},  // LoadTarga, LoadTarga24
    {0, nullptr},
};
