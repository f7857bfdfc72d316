// Reading coordinate columns from a text file and drawing them as a line of water or road cells.
#include "engine/files/surface_features.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/files/file_messages.h"
#include "engine/files/file_open.h"
#include "engine/files/file_requester.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"

SurfaceFeatureSettings surface_feature_settings;

namespace {

constexpr int32_t kMaxFields = 10;
constexpr size_t kFieldChars = 63;
constexpr size_t kLineBuffer = 1024;
// Sample positions are kept within this distance of the grid: far enough that a line crossing the landscape keeps
// its direction, near enough that no sum of positions overflows.
constexpr double kPositionLimit = 1 << 29;

struct Fields {
  char text[kMaxFields][kFieldChars + 1];
  int32_t count;
};

// Blanks become underscores, then the line is split at tabs, commas, carriage returns and line feeds.
void split_line(char* line, Fields* f) {
  for (char* p = line; *p; ++p)
    if (*p == ' ') *p = '_';
  f->count = 0;
  const char* p = line;
  while (*p && f->count < kMaxFields) {
    while (*p && std::strchr("\t,\r\n", *p)) ++p;
    if (!*p) break;
    size_t n = 0;
    while (p[n] && !std::strchr("\t,\r\n", p[n])) ++n;
    const size_t kept = std::min(n, kFieldChars);
    std::memcpy(f->text[f->count], p, kept);
    f->text[f->count][kept] = '\0';
    ++f->count;
    p += n;
  }
}

// The integer part of a field as atoi reads it (a field that does not start with a number reads as 0);
// false when the number does not fit in 32 bits.
bool field_value(const char* text, int32_t* value) {
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text, &end, 10);
  if (end == text) {
    *value = 0;
    return true;
  }
  if (errno == ERANGE || v > INT32_MAX || v < INT32_MIN) return false;
  *value = static_cast<int32_t>(v);
  return true;
}

// The sample nearest to a world point, kept within reach of the grid.
int32_t to_sample(int32_t world, int32_t half, int32_t origin, float spacing) {
  const double v = (static_cast<double>(world) + half - origin) / spacing;
  return trunc_to_i32(std::clamp(v, -kPositionLimit, kPositionLimit));
}

void report_bad_line(int32_t line_no, const char* reason) {
  std::snprintf(text_buffer, sizeof text_buffer, "Surface features: line %d %s; the points before it are drawn.",
                line_no, reason);
  requester(text_buffer, "  OK  ", nullptr);
}

}  // namespace

void reset_surface_feature_settings() { surface_feature_settings = SurfaceFeatureSettings{}; }

void plot_feature_cell(int32_t column, int32_t row, int32_t code, int32_t width) {
  auto put = [code](int32_t c, int32_t r) {
    if (c >= 0 && c < land_width && r >= 0 && r < land_height) cover_row(r)[c].color_class = static_cast<uint8_t>(code);
  };
  if (!cover_rows) return;
  put(column, row);
  if (width > 1) {
    put(column - 1, row);
    put(column + 1, row);
    put(column, row - 1);
    put(column, row + 1);
  }
}

void draw_feature_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t code, int32_t width) {
  const int64_t dx = int64_t{x1} - x0, dy = int64_t{y1} - y0;
  const bool along_x = (dx < 0 ? -dx : dx) > (dy < 0 ? -dy : dy);
  // Major and minor coordinates, ordered so that the major one increases.
  int64_t a0 = along_x ? x0 : y0, a1 = along_x ? x1 : y1;
  int64_t b0 = along_x ? y0 : x0, b1 = along_x ? y1 : x1;
  if (a0 > a1) {
    std::swap(a0, a1);
    std::swap(b0, b1);
  }
  // The line stepper in closed form: after i steps the minor value is b0 + i * step plus one more (in the
  // direction of the change) for every time the remainder, starting at half the major length, passed it.
  const int64_t steps = a1 - a0 == 0 ? 1 : a1 - a0;
  int64_t delta = b1 - b0;
  const int64_t sign = delta < 0 ? -1 : 1;
  delta *= sign;
  const int64_t step = delta / steps * sign, remainder = delta % steps, error0 = (steps + 1) / 2;
  // Only the part of the line that can touch the landscape is followed.
  const int64_t limit = along_x ? land_width : land_height;
  const int64_t first = std::max(a0, int64_t{-2}), last = std::min(a1, limit + 1);
  for (int64_t a = first; a <= last; ++a) {
    const int64_t i = a - a0;
    const int64_t b = b0 + i * step + sign * ((error0 + i * remainder - 1) / steps);
    if (b < -2 || b > (along_x ? land_height : land_width) + 1) continue;
    const int32_t ca = static_cast<int32_t>(a), cb = static_cast<int32_t>(b);
    if (along_x) {
      plot_feature_cell(ca, cb, code, width);
      if (width == 1 && a != a1) plot_feature_cell(ca + 1, cb, code, 1);
    } else {
      plot_feature_cell(cb, ca, code, width);
      if (width == 1 && a != a1) plot_feature_cell(cb, ca + 1, code, 1);
    }
  }
}

int32_t import_vector_file(const char* path, int32_t x_column, int32_t y_column, int32_t code, int32_t width) {
  const int32_t needed = std::max(x_column, y_column) + 1;
  FILE* f = open_file(path, "r");
  if (!f) {
    msg_error_opening(path);
    return -1;
  }
  const int32_t half_x = trunc_to_i32(grid_spacing_x / 2.0f), half_y = trunc_to_i32(grid_spacing_y / 2.0f);
  char line[kLineBuffer];
  Fields fields{};
  bool have_previous = false, line_continues = false;
  int32_t prev_col = 0, prev_row = 0, line_no = 0;
  for (;;) {
    std::memset(line, 0, sizeof line);
    if (!std::fgets(line, sizeof line, f)) break;
    if (!line_continues) ++line_no;
    const size_t length = std::strlen(line);
    line_continues = length > 0 && line[length - 1] != '\n';
    split_line(line, &fields);
    // Column numbers outside 0 to 9 never find their field.
    const bool columns_usable = x_column >= 0 && y_column >= 0 && x_column < kMaxFields && y_column < kMaxFields;
    if (!columns_usable || fields.count < needed) {
      std::printf("too few columns in line, found %d, needed at least %d\n", fields.count, needed);
      std::printf("line: \"%s\"\n", line);
      for (int32_t i = 0; i < fields.count; ++i) std::printf("%d: \"%s\"\n", i, fields.text[i]);
      std::fclose(f);
      report_bad_line(line_no, "has too few columns");
      return 1;
    }
    int32_t x = 0, y = 0;
    if (!field_value(fields.text[x_column], &x) || !field_value(fields.text[y_column], &y)) {
      std::fclose(f);
      report_bad_line(line_no, "has a number out of range");
      return 1;
    }
    const int32_t col = to_sample(x, half_x, landscape_view.origin_x, grid_spacing_x);
    const int32_t row = to_sample(y, half_y, landscape_view.origin_y, grid_spacing_y);
    if (have_previous) draw_feature_line(prev_col, prev_row, col, row, code, width);
    prev_col = col;
    prev_row = row;
    have_previous = true;
  }
  std::fclose(f);
  return 1;
}

int32_t import_surface_features() {
  char path[256] = {0};
  char spare[256] = {0};
  if (file_requester("Import surface features", spare, surface_feature_settings.folder, surface_feature_settings.file_name, "*.txt", path, 0) != 1)
    return -1;
  if (value_requester("X column number (0 - N)", "OK", "Cancel", &surface_feature_settings.x_column) != 1) return -1;
  if (value_requester("Y column number (0 - N)", "OK", "Cancel", &surface_feature_settings.y_column) != 1) return -1;
  const int32_t code = requester("Import as water or road?", "Water", "Road") == 1 ? 51 : 88;
  surface_feature_settings.line_width = requester("Draw thick or thin line?", "Thick", "Thin") == 1 ? 3 : 1;
  cursor_wait();
  const int32_t result = import_vector_file(path, surface_feature_settings.x_column, surface_feature_settings.y_column, code, surface_feature_settings.line_width);
  cursor_arrow();
  return result != 1 ? result : 3;
}
