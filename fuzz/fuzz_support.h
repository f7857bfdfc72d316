// Shared by the fuzz targets: a quiet unattended host, the engine brought up once with small frames,
// and the fuzzer's input handed to the readers as a file.
#pragma once

#include <cstddef>
#include <cstdint>

// Sets the host, brings the engine up and makes the image 64 by 48; runs once per process.
void fuzz_init_once();
// Writes the input to this process's scratch file with the given extension (".tga", ...) and returns
// its path, valid until the next call.
const char* fuzz_input_file(const uint8_t* data, size_t size, const char* extension);
