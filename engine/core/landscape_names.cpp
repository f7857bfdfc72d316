// Storage of the current landscape's name, description and file name.
#include "engine/core/landscape_names.h"

#include <cstring>

char landscape_name[32];
char landscape_description[64];
char landscape_file_name[256];

void set_landscape_name(const char* name) {
  std::memset(landscape_name, 0, sizeof landscape_name);
  std::strncpy(landscape_name, name ? name : "", sizeof landscape_name - 1);
}
