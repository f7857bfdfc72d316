// The save dialog shared by the image formats: choose a file, add the format's extension, ask before replacing.
#pragma once

#include <cstdint>

// Adds the extension (".BMP") to path and name unless their last component has one, and asks before
// an existing file at path is replaced. Both buffers hold kPathBufferSize bytes. 1 when the save may go
// ahead, -1 when the user keeps the existing file.
int32_t confirm_save_name(char* path, char* name, const char* extension);

// Clears name and path, asks for a file to save through the file requester (title, the format's folders,
// the filter "*" + extension), then confirm_save_name. 1 when a file was chosen and may be written,
// -1 when the user cancelled or kept the existing file.
int32_t save_file_dialog(const char* title, char* default_folder, char* folder, char* name, char* path,
                         const char* extension);
