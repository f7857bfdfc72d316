// Heap images and file types taken from a path's extension.
#include "engine/files/image_buffer.h"

#include <cctype>
#include <cstring>

#include "engine/host/host.h"

ImageBuffer* image_alloc(int32_t width, int32_t height) {
  if (width < 0 || height < 0) return nullptr;
  const uint64_t bytes = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4u;
  if (bytes > 0xFFFFFFFFull) return nullptr;  // the size field is 32 bits
  auto image = static_cast<ImageBuffer*>(host().alloc_zeroed(sizeof(ImageBuffer)));
  if (!image) return nullptr;
  auto pixels = static_cast<uint32_t*>(host().alloc_zeroed(bytes ? static_cast<size_t>(bytes) : 4));
  if (!pixels) {
    host().free_block(image);
    return nullptr;
  }
  image->width = width;
  image->height = height;
  image->size = static_cast<uint32_t>(bytes);
  image->pixels = pixels;
  return image;
}

void image_free(ImageBuffer* image) {
  if (!image) return;
  host().free_block(image->pixels);
  host().free_block(image);
}

namespace {
bool ends_with_nocase(const char* path, size_t len, const char* ext) {
  const size_t n = std::strlen(ext);
  if (len < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::toupper(static_cast<unsigned char>(path[len - n + i])) != ext[i]) return false;
  return true;
}
}  // namespace

int32_t file_type_by_extension(const char* path) {
  if (!path) return kFileTypeNone;
  const size_t len = std::strlen(path);
  if (len < 4) return kFileTypeNone;
  if (ends_with_nocase(path, len, ".TGA")) return kFileTypeTarga;
  if (ends_with_nocase(path, len, ".JPG") || ends_with_nocase(path, len, ".JPE")) return kFileTypeJpeg;
  if (ends_with_nocase(path, len, ".BMP")) return kFileTypeBmp;
  if (ends_with_nocase(path, len, ".DEM")) return kFileTypeDem;
  if (ends_with_nocase(path, len, ".D4S")) return kFileTypeD4s;
  if (ends_with_nocase(path, len, ".SCR")) return kFileTypeScript;
  if (len >= 5 && ends_with_nocase(path, len, ".JPEG")) return kFileTypeJpeg;
  return kFileTypeNone;
}

int32_t preview_file_type(const char* path) {
  const int32_t t = file_type_by_extension(path);
  return (t == 1 || t == 2 || t == 4 || t == 5 || t == 6) ? t : 0;
}
