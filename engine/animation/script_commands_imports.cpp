// Script commands that import elevations from files of other programs.
#include <cstdio>

#include "engine/animation/script_arguments.h"
#include "engine/animation/script_commands.h"
#include "engine/files/file_messages.h"
#include "engine/files/raw_elevations.h"

namespace {

// "LoadBinaryDEM" name width height: rows of 16-bit samples from the start of the file, clipped to the
// grid. A file that cannot supply them is reported and the script goes on with the landscape it had.
int32_t cmd_load_binary_dem(int32_t, char* line) {
  char name[256];
  script_read_word(line, 1, name, sizeof name);
  char word[64];
  int32_t size[2] = {0, 0};
  for (int32_t i = 0; i < 2; ++i) {
    script_read_word(line, 2 + i, word, sizeof word);
    char rest[72];
    std::snprintf(rest, sizeof rest, "x %s", word);
    script_read_whole(rest, &size[i]);
  }
  if (load_binary_raw(name, size[0], size[1], 0) != 1) {
    msg_error_reading(name);
    return 1;
  }
  script_landscape_replaced();
  return 1;
}

}  // namespace

const ScriptRoutineRow script_import_routines[] = {
    {1047, cmd_load_binary_dem},  // LoadBinaryDEM
    {0, nullptr},
};
