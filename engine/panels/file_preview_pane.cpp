// The file dialog's preview pane: reading the selected picture or landscape thumbnail, fitting it and painting
// it into the dialog's canvas without changing any palette.
#include "engine/panels/file_preview_pane.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/core/text.h"
#include "engine/files/file_open.h"
#include "engine/files/file_requester.h"
#include "engine/files/pcx_preview.h"
#include "engine/host/canvas.h"
#include "engine/host/system.h"
#include "engine/ui/screen.h"

namespace {
constexpr uint32_t kDialogGrey = 0xC0C0C0;
constexpr int32_t kCubeFirst = 128, kCubeLast = 191;

bool is_pcx(const char* path) {
  const size_t n = path ? std::strlen(path) : 0;
  if (n < 4) return false;
  const char* e = path + n - 4;
  return e[0] == '.' && (e[1] | 0x20) == 'p' && (e[2] | 0x20) == 'c' && (e[3] | 0x20) == 'x';
}

// The area cut to the canvas: x0, y0 inclusive, x1, y1 exclusive; false when nothing is left.
bool cut(const Canvas* c, const PreviewArea& a, int32_t* x0, int32_t* y0, int32_t* x1, int32_t* y1) {
  if (!c || a.width <= 0 || a.height <= 0) return false;
  *x0 = std::max(a.x, 0), *y0 = std::max(a.y, 0);
  *x1 = static_cast<int32_t>(std::min<int64_t>(int64_t{a.x} + a.width, c->width));
  *y1 = static_cast<int32_t>(std::min<int64_t>(int64_t{a.y} + a.height, c->height));
  return *x0 < *x1 && *y0 < *y1;
}

// The colour-cube entry of the UI palette nearest to the colour, cached per 12-bit colour for one painting.
struct CubeMatcher {
  int16_t cache[4096];
  CubeMatcher() { std::fill(std::begin(cache), std::end(cache), int16_t{-1}); }
  uint8_t operator()(uint32_t rgb) {
    const int32_t key = static_cast<int32_t>(((rgb >> 12) & 0xF00) | ((rgb >> 8) & 0xF0) | ((rgb >> 4) & 0xF));
    if (cache[key] >= 0) return static_cast<uint8_t>(cache[key]);
    const int32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    int32_t best = kCubeFirst, best_d = INT32_MAX;
    for (int32_t i = kCubeFirst; i <= kCubeLast; ++i) {
      const int32_t dr = r - ui_palette_table[i][0], dg = g - ui_palette_table[i][1], db = b - ui_palette_table[i][2];
      const int32_t d = dr * dr + dg * dg + db * db;
      if (d < best_d) best_d = d, best = i;
    }
    cache[key] = static_cast<int16_t>(best);
    return static_cast<uint8_t>(best);
  }
};

void fill(Canvas* c, const PreviewArea& a, uint32_t rgb, uint8_t index) {
  int32_t x0, y0, x1, y1;
  if (!cut(c, a, &x0, &y0, &x1, &y1)) return;
  for (int32_t y = y0; y < y1; ++y)
    for (int32_t x = x0; x < x1; ++x) {
      const size_t at = static_cast<size_t>(y) * c->width + x;
      if (c->depth == 24) c->rgb[at] = rgb;
      else c->pixels[at] = index;
    }
  c->needs_repaint = 1;
}
}  // namespace

int32_t preview_pane_kind(const char* path) {
  if (is_pcx(path)) return 3;
  return preview_file_type(path);
}

ImageBuffer* preview_pane_load(const char* path) {
  if (is_pcx(path)) return pcx_preview_image(path);
  const int32_t type = preview_file_type(path);
  return type ? load_preview_image(path, type) : nullptr;
}

void clear_preview(Canvas* canvas, const PreviewArea& area) { fill(canvas, area, kDialogGrey, ui_color_face); }

void paint_preview(Canvas* canvas, const PreviewArea& area, const ImageBuffer* image) {
  if (!canvas || !image || image->width <= 0 || image->height <= 0) return;
  fill(canvas, area, 0, ui_color_black);
  // The fitted rectangle, as the fitting computes it.
  const int64_t iw = image->width, ih = image->height, cw = area.width, ch = area.height;
  int64_t fx = 0, fy = 0, fw = cw, fh = ch;
  if (iw * 1024 / ih < cw * 1024 / ch) {
    fw = iw * ch / ih;
    fx = (cw - fw) / 2;
  } else {
    fh = ih * cw / iw;
    fy = (ch - fh) / 2;
  }
  const bool same = iw == cw && ih == ch;  // already fitted: copy pixel for pixel
  CubeMatcher match;
  int32_t x0, y0, x1, y1;
  if (!cut(canvas, area, &x0, &y0, &x1, &y1)) return;
  for (int64_t y = 0; y < (same ? ch : fh); ++y) {
    const int64_t cy = area.y + (same ? 0 : fy) + y;
    if (cy < y0 || cy >= y1) continue;
    const int64_t sy = same ? y : y * ih / fh;
    for (int64_t x = 0; x < (same ? cw : fw); ++x) {
      const int64_t cx = area.x + (same ? 0 : fx) + x;
      if (cx < x0 || cx >= x1) continue;
      const int64_t sx = same ? x : x * iw / fw;
      const uint32_t p = image->pixels[sy * iw + sx] & 0xFFFFFF;
      const size_t at = static_cast<size_t>(cy) * canvas->width + static_cast<size_t>(cx);
      if (canvas->depth == 24) canvas->rgb[at] = p;
      else canvas->pixels[at] = match(p);
    }
  }
  canvas->needs_repaint = 1;
}

int32_t preview_pane_select(Canvas* canvas, const PreviewArea& area, const char* folder, const char* name) {
  file_preview_drop();
  if (!file_preview_enabled) return 0;
  clear_preview(canvas, area);
  if (!name || !*name || !folder) return 0;
  char path[sizeof file_preview_path];
  const int n = std::snprintf(path, sizeof path, "%s\\%s", folder, name);
  if (n < 0 || static_cast<size_t>(n) >= sizeof path) return 0;
  if (!preview_pane_kind(path)) return 0;
  // Only plain files are read: opening a pipe or a device named like a picture could wait for ever or never end.
  char resolved[4096];
  if (!resolve_path(path, resolved, sizeof resolved) || system_file_status(resolved).kind != kSystemRegular) return 0;
  copy_text(file_preview_folder, folder, sizeof file_preview_folder);
  copy_text(file_preview_spec, name, sizeof file_preview_spec);
  copy_text(file_preview_path, path, sizeof file_preview_path);
  file_preview_image = fit_preview_image(preview_pane_load(path), area.width, area.height);
  if (!file_preview_image) return 0;
  paint_preview(canvas, area, file_preview_image);
  return 1;
}
