// Background and foreground pictures: Targa files drawn under and over a render.
#pragma once

#include <cstdint>

constexpr int32_t kPictureNameSize = 128;  // as stored in landscape files

extern char background_name[kPictureNameSize];  // path as the file requester returned it
extern char foreground_name[kPictureNameSize];

// File requester "Targa Background" ("*.TGA", open, in background_dir) into background_name;
// background_enabled becomes 1 on a choice and 0 on cancel; 1 chosen, -1 cancelled. A path that
// does not fit the name (127 characters) is refused with a message and counts as cancelled.
int32_t choose_background_file();
// The same with "Targa Foreground", foreground_dir, foreground_name and foreground_enabled.
int32_t choose_foreground_file();

// When vidmem24 exists: clears it and loads background_name opaque; the load's result; 0 without it.
int32_t load_background_image();
// When vidmem24 exists: lays foreground_name over the frame (black or transparent parts left open);
// the load's result; 0 without it.
int32_t load_foreground_image();
