// The camera path script's name and path buffers.
#include "engine/animation/script_dialog_buffers.h"

#include <cstring>

char script_name[256] = "DALVE.SCR";
char script_path[256] = "";

void reset_script_dialog_buffers() {
  std::strcpy(script_name, "DALVE.SCR");
  script_path[0] = 0;
}
