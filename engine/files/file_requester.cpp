// The file requester over the host's file-choice service, and the preview of the selected file.
#include "engine/files/file_requester.h"

#include <strings.h>
#include <unistd.h>

#include <cctype>
#include <cstring>

#include "engine/core/text.h"
#include "engine/files/bmp_format.h"
#include "engine/files/jpeg_codec.h"
#include "engine/files/targa.h"
#include "engine/host/host.h"
#include "engine/ui/pointer.h"
#include "engine/ui/status.h"

int32_t file_preview_enabled = 1;
ImageBuffer* file_preview_image = nullptr;
char file_preview_folder[260];
char file_preview_spec[260];
char file_preview_path[260];

namespace {
constexpr size_t kBuffer = 256;

bool separator(char c) { return c == '\\' || c == '/'; }

// True when path begins with prefix, ignoring letter case and treating "\" and "/" alike.
bool starts_with_folder(const char* path, const char* prefix) {
  for (; *prefix; ++path, ++prefix) {
    if (!*path) return false;
    if (separator(*path) && separator(*prefix)) continue;
    if (std::tolower(static_cast<unsigned char>(*path)) != std::tolower(static_cast<unsigned char>(*prefix)))
      return false;
  }
  return true;
}
}  // namespace

int32_t file_requester(const char* title, char*, char* folder, char* name, const char* filter, char* output_path,
                       int32_t mode) {
  poll_user_abort();  // lets pending paints through before the dialog covers the window
  const bool save = mode == kFileRequesterSave;
  // The dialog opens in the folder without its trailing backslash (a save keeps a lone "\").
  const size_t folder_len = std::strlen(folder);
  if (folder_len > (save ? 1u : 0u) && separator(folder[folder_len - 1])) folder[folder_len - 1] = 0;
  copy_text(output_path, name, kBuffer);

  HostFileChoice choice{title ? title : "", folder, name, filter ? filter : "*.*", save ? 1 : 0};
  char chosen[4096];
  chosen[0] = 0;
  const int answer = host().choose_file(choice, chosen, sizeof chosen);
  int32_t result = -1;
  if (answer == 1 && chosen[0] && std::strlen(chosen) < kBuffer) {
    // Folder and name: split at the last backslash or colon, searched down to the second character.
    size_t cut = 0;
    for (size_t i = std::strlen(chosen) - 1; i >= 1; --i)
      if (separator(chosen[i]) || chosen[i] == ':') {
        cut = i;
        break;
      }
    if (cut > 0) {
      const size_t keep = chosen[cut] == ':' ? cut + 1 : cut;
      std::memcpy(folder, chosen, keep);
      folder[keep] = 0;
      if (chosen[cut] != ':') append_text(folder, "\\", kBuffer);
      copy_text(name, chosen + cut + 1, kBuffer);
    } else {
      copy_text(name, chosen, kBuffer);
    }
    // Relative to the working folder when the choice lies inside it.
    char work[4096];
    const char* path = chosen;
    if (::getcwd(work, sizeof work - 1)) {
      append_text(work, "/", sizeof work);
      if (starts_with_folder(chosen, work)) path = chosen + std::strlen(work);
    }
    copy_text(output_path, path, kBuffer);
    result = 1;
  }
  wait_mouse_release();  // the click that closed the dialog must not reach the panel beneath
  return result;
}

ImageBuffer* load_preview_image(const char* path, int32_t type) {
  switch (type) {
    case kFileTypeTarga: return targa_load_image(path);
    case kFileTypeJpeg: return read_jpeg_image(path);
    case kFileTypeBmp: return bmp_load_image(path);
    default: return nullptr;  // landscape thumbnails come from the landscape file readers
  }
}

void free_preview_image(ImageBuffer* image) { image_free(image); }

ImageBuffer* fit_preview_image(ImageBuffer* image, int32_t cw, int32_t ch) {
  if (!image || image->width <= 0 || image->height <= 0 || cw <= 0 || ch <= 0) return image;
  ImageBuffer* fitted = image_alloc(cw, ch);
  if (!fitted) return image;
  const int64_t iw = image->width, ih = image->height;
  if (iw * 1024 / ih < int64_t{cw} * 1024 / ch) {
    // Relatively taller: full height, narrower width, centred across.
    const int64_t sw = iw * ch / ih;
    const int64_t x0 = (cw - sw) / 2;
    for (int64_t y = 0; y < ch && sw > 0; ++y)
      for (int64_t x = 0; x < sw; ++x)
        fitted->pixels[y * cw + x0 + x] = image->pixels[(y * ih / ch) * iw + x * iw / sw];
  } else {
    const int64_t sh = ih * cw / iw;
    const int64_t y0 = (ch - sh) / 2;
    for (int64_t y = 0; y < sh; ++y)
      for (int64_t x = 0; x < cw; ++x)
        fitted->pixels[(y0 + y) * cw + x] = image->pixels[(y * ih / sh) * iw + x * iw / cw];
  }
  image_free(image);
  return fitted;
}

void file_preview_drop() {
  free_preview_image(file_preview_image);
  file_preview_image = nullptr;
}

ImageBuffer* file_preview_select(const char* folder, const char* name, int32_t area_width, int32_t area_height) {
  file_preview_drop();
  if (!file_preview_enabled || !name || !*name) return nullptr;
  copy_text(file_preview_folder, folder, sizeof file_preview_folder);
  copy_text(file_preview_spec, name, sizeof file_preview_spec);
  const int n = std::snprintf(file_preview_path, sizeof file_preview_path, "%s\\%s", file_preview_folder,
                              file_preview_spec);
  if (n < 0 || static_cast<size_t>(n) >= sizeof file_preview_path) return nullptr;
  const int32_t type = preview_file_type(file_preview_path);
  if (type == 0) return nullptr;
  file_preview_image = fit_preview_image(load_preview_image(file_preview_path, type), area_width, area_height);
  return file_preview_image;
}
