// ImageBuffer, the heap image in which decoded pictures are handed around, and file types by extension.
#pragma once

#include <cstdint>

struct ImageBuffer {
  int32_t width;
  int32_t height;
  uint32_t size;     // width * height * 4
  uint32_t* pixels;  // top row first, 0xAARRGGBB
};

ImageBuffer* image_alloc(int32_t width, int32_t height);
void image_free(ImageBuffer* image);

// FileTypeCode.
enum FileTypeCode : int32_t {
  kFileTypeNone = 0,
  kFileTypeTarga = 1,
  kFileTypeJpeg = 2,
  kFileTypeBmp = 4,
  kFileTypeDem = 5,
  kFileTypeD4s = 6,
  kFileTypeScript = 7,
};
int32_t file_type_by_extension(const char* path);
int32_t preview_file_type(const char* path);
