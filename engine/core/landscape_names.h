// The current landscape's name, description and file name.
#pragma once

extern char landscape_name[32];
extern char landscape_description[64];
extern char landscape_file_name[256];

// Sets the landscape name, cut to fit its buffer.
void set_landscape_name(const char* name);
