// ASCII Z, "DSAA" grid and DXF polyface exports of the elevations, written through a temporary file.
#include "engine/files/elevation_exports.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/files/file_messages.h"
#include "engine/files/safe_write.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/status.h"

ElevationExportSettings elevation_export_settings;
char ascii_z_dir[256], ascii_z_name[256], ascii_z_path[256];
char grd_dir[256], grd_name[256], grd_path[256];
char dxf_dir[256], dxf_name[256], dxf_path[256];

void reset_elevation_exports() {
  elevation_export_settings = ElevationExportSettings{};
  for (char* b : {ascii_z_dir, ascii_z_name, ascii_z_path, grd_dir, grd_name, grd_path, dxf_dir, dxf_name, dxf_path})
    b[0] = 0;
}

namespace {

// Subsample rates beyond the largest landscape take one sample each way and keep the stepping from overflowing.
constexpr int32_t kMaxSubsample = 1 << 14;
int32_t usable_step(int32_t s) { return std::clamp(s, 1, kMaxSubsample); }
int32_t step_now() { return usable_step(render_settings.grid_step); }

// Text collected in memory and handed to the file in large pieces.
struct TextOut {
  SafeWrite w{};
  std::string buffer;
  bool flush() {
    if (buffer.empty()) return true;
    const bool ok = safe_write_bytes(&w, buffer.data(), buffer.size()) != 0;
    buffer.clear();
    return ok;
  }
  bool add(const char* text, size_t n) {
    buffer.append(text, n);
    return buffer.size() < (1u << 16) || flush();
  }
  template <typename... A>
  int32_t printf(const char* format, A... args) {
    char line[160];
    const int n = std::snprintf(line, sizeof line, format, args...);
    if (n < 1 || static_cast<size_t>(n) >= sizeof line) return 0;
    return add(line, static_cast<size_t>(n)) ? n : 0;
  }
};

int32_t finish(TextOut& out, const char* path, bool report) {
  if (!out.flush() || !safe_write_commit(&out.w)) {
    safe_write_abort(&out.w);
    if (report) msg_error_writing(path);
    return 0;
  }
  return 1;
}

int32_t fail_write(TextOut& out, const char* path, bool report) {
  safe_write_abort(&out.w);
  if (report) msg_error_writing(path);
  return 0;
}

int32_t stopped(TextOut& out) {
  safe_write_abort(&out.w);
  return -1;
}

// Appends a whole number in decimal.
void append_whole(std::string& text, int64_t v) {
  char digits[24];
  char* end = digits + sizeof digits;
  char* p = end;
  const bool negative = v < 0;
  uint64_t u = negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  do {
    *--p = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u);
  if (negative) *--p = '-';
  text.append(p, static_cast<size_t>(end - p));
}

// One sample row of a text export: "%d " values, a line break after every per_line values (0: none inside).
bool write_sample_row(TextOut& out, int32_t y, const ExportArea& a, int32_t s, int32_t per_line) {
  const int16_t* row = elevation_row(y);
  int32_t on_line = 0;
  for (int32_t x = a.x0; x <= a.x1; x += s) {
    append_whole(out.buffer, row[x]);
    if (!out.add(" ", 1)) return false;
    if (per_line && ++on_line == per_line) {
      on_line = 0;
      if (!out.add("\n", 1)) return false;
    }
  }
  if (!per_line || on_line != 0) return out.add("\n", 1);
  return true;
}

}  // namespace

ExportArea export_area(int32_t s) {
  s = usable_step(s);
  ExportArea a{0, 0, land_width / s * s, land_height / s * s};
  if (!render_settings.bbox_enabled) return a;
  auto span = [s](int32_t from, int32_t to, int32_t limit, int32_t* lo, int32_t* hi) {
    from = std::clamp(from, 0, limit);
    to = std::clamp(to, 0, limit);
    if (from > to) std::swap(from, to);
    *lo = from / s * s;
    *hi = (to + s - 1) / s * s;
    if (*hi > limit) *hi -= s;  // stays on the landscape
    if (*hi < *lo) *hi = *lo;
  };
  span(render_settings.bbox_x0, render_settings.bbox_x1, land_width, &a.x0, &a.x1);
  span(render_settings.bbox_y0, render_settings.bbox_y1, land_height, &a.y0, &a.y1);
  return a;
}

int32_t export_ascii_z(const char* path) {
  show_status("Saving Ascii Z");
  if (!elevation_rows) return 0;
  const int32_t s = step_now();
  const ExportArea a = export_area(s);
  TextOut out;
  if (!safe_write_open(&out.w, path)) return msg_error_opening(path);
  for (int32_t y = a.y0; y <= a.y1; y += s) {
    if (poll_user_abort() == -1) return stopped(out);
    if (!write_sample_row(out, y, a, s, 0)) return fail_write(out, path, true);
  }
  return finish(out, path, true);
}

int32_t export_ascii_grid(const char* path) {
  show_status("Saving GRD File");
  if (!elevation_rows) return 0;
  const int32_t s = step_now();
  const ExportArea a = export_area(s);
  // The header gives the range of the values written.
  int32_t lowest = 32767, highest = -32768;
  for (int32_t y = a.y0; y <= a.y1; y += s) {
    const int16_t* row = elevation_row(y);
    for (int32_t x = a.x0; x <= a.x1; x += s) {
      lowest = std::min<int32_t>(lowest, row[x]);
      highest = std::max<int32_t>(highest, row[x]);
    }
  }
  TextOut out;
  if (!safe_write_open(&out.w, path)) return msg_error_opening(path);
  // The x and y ranges are those of the samples written, from the landscape origin.
  const LandscapeView& v = landscape_view;
  auto at = [](int32_t origin, int32_t index, float spacing) {
    return static_cast<int32_t>(static_cast<double>(origin) + static_cast<double>(index) * spacing);
  };
  if (!out.printf("DSAA\n") || !out.printf("%d %d\n", (a.x1 - a.x0) / s + 1, (a.y1 - a.y0) / s + 1) ||
      !out.printf("%d %d\n", at(v.origin_x, a.x0, grid_spacing_x), at(v.origin_x, a.x1, grid_spacing_x)) ||
      !out.printf("%d %d\n", at(v.origin_y, a.y0, grid_spacing_y), at(v.origin_y, a.y1, grid_spacing_y)) ||
      !out.printf("%d %d\n", lowest, highest))
    return fail_write(out, path, true);
  for (int32_t y = a.y0; y <= a.y1; y += s) {
    if (poll_user_abort() == -1) return stopped(out);
    if (!write_sample_row(out, y, a, s, 9) || !out.add("\n", 1)) return fail_write(out, path, true);
  }
  return finish(out, path, true);
}

// ---- DXF ----

namespace {

struct DxfWriter {
  TextOut out;
  int32_t next_name = 0;
  int32_t status = 1;  // the first result other than 1 ends the export

  int32_t entities_start() { return out.printf("0\nSECTION\n2\nENTITIES\n"); }
  int32_t file_end() { return out.printf("0\nENDSEC\n0\nEOF\n"); }
  int32_t polyface_header(const char* name, int32_t v, int32_t f) {
    return out.printf("0\nPOLYLINE\n8\n%s\n66\n1\n70\n64\n71\n%d\n72\n%d\n", name, v, f);
  }
  // Coordinates keep twelve significant digits, so map-projection values in the millions stay exact
  // far below the metre. Whole values (the usual case) are formatted directly, as "%.12g" would give them.
  int32_t vertex(const char* name, double x, double y, double z) {
    const size_t before = out.buffer.size();
    out.buffer.append("0\nVERTEX\n8\n").append(name).append("\n10\n");
    add_coordinate(x);
    out.buffer.append("\n20\n");
    add_coordinate(y);
    out.buffer.append("\n30\n");
    add_coordinate(z);
    out.buffer.append("\n70\n192\n");
    return record_done(before);
  }
  int32_t face(const char* name, int32_t a, int32_t b, int32_t c) {
    const size_t before = out.buffer.size();
    out.buffer.append("0\nVERTEX\n8\n").append(name).append("\n10\n0\n20\n0\n30\n0\n70\n128\n71\n");
    add_whole(a);
    out.buffer.append("\n72\n");
    add_whole(b);
    out.buffer.append("\n73\n");
    add_whole(c);
    out.buffer.append("\n");
    return record_done(before);
  }
  void add_whole(int64_t v) { append_whole(out.buffer, v); }
  void add_coordinate(double v) {
    if (v == std::trunc(v) && std::fabs(v) < 1e12) {
      add_whole(static_cast<int64_t>(v));
      return;
    }
    char text[40];
    const int n = std::snprintf(text, sizeof text, "%.12g", v);
    out.buffer.append(text, static_cast<size_t>(n > 0 ? n : 0));
  }
  // The characters of one record, or 0 when the buffer could not be handed to the file.
  int32_t record_done(size_t before) {
    const int32_t n = static_cast<int32_t>(out.buffer.size() - before);
    return out.buffer.size() < (1u << 16) || out.flush() ? n : 0;
  }
  int32_t seqend(const char* name) { return out.printf("0\nSEQEND\n8\n%s\n", name); }
};

void outline_on_map(int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
  if (!topo_panel || land_max_side <= 0) return;
  auto mx = [](int32_t x) { return 30 + x * 256 / land_max_side; };
  auto my = [](int32_t y) { return 280 - y * 256 / land_max_side; };
  panel_draw_line(topo_panel, mx(x0), my(y0), mx(x1), my(y0), 0);
  panel_draw_line(topo_panel, mx(x1), my(y0), mx(x1), my(y1), 0);
  panel_draw_line(topo_panel, mx(x1), my(y1), mx(x0), my(y1), 0);
  panel_draw_line(topo_panel, mx(x0), my(y1), mx(x0), my(y0), 0);
}

int32_t write_object(DxfWriter& d, const char* base, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t o,
                     int32_t s) {
  const int32_t nx = (x1 - x0) / s, ny = (y1 - y0) / s;
  char name[48];
  std::snprintf(name, sizeof name, "%s_%02d", base, d.next_name++);
  outline_on_map(x0, x1, y0, y1);
  if (d.polyface_header(name, (nx + 1) * (ny + 1), 2 * nx * ny) < 1) return 0;
  const ElevationExportSettings& e = elevation_export_settings;
  for (int32_t y = y0; y <= y1; y += s) {
    if (poll_user_abort() == -1) return -1;
    const int16_t* row = elevation_row(y);
    for (int32_t x = x0; x <= x1; x += s) {
      double z = static_cast<double>(row[x]) + e.dxf_offset_z;
      if (o == 1 && (x == x0 || x == x1 || y == y0 || y == y1)) z -= 0.1;
      if (d.vertex(name, static_cast<double>(x) * grid_spacing_x + e.dxf_offset_x,
                   static_cast<double>(y) * grid_spacing_y + e.dxf_offset_y, z) < 1)
        return 0;
    }
  }
  const int32_t c = nx + 1;
  auto v = [c](int32_t r, int32_t k) { return r * c + k + 1; };
  for (int32_t r = 0; r < ny; ++r) {
    for (int32_t k = 0; k < nx; ++k) {
      if (d.face(name, v(r, k), v(r, k + 1), -v(r + 1, k + 1)) < 1) return 0;
      if (d.face(name, -v(r, k), v(r + 1, k + 1), v(r + 1, k)) < 1) return 0;
    }
  }
  return d.seqend(name) < 1 ? 0 : 1;
}

// Splits the area in halves until each piece is below the polygon limit and its counts fit 16 bits.
int32_t write_area(DxfWriter& d, const char* base, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t o,
                   int32_t s) {
  const int64_t nx = (x1 - x0) / s, ny = (y1 - y0) / s;
  const int64_t vertices = (nx + 1) * (ny + 1), faces = 2 * nx * ny;
  const bool too_big = faces >= elevation_export_settings.dxf_max_polygons || faces > kDxfMaxCount ||
                       vertices > kDxfMaxCount;
  if (too_big) {
    // Each piece must be smaller than the area, or the split would never end.
    const bool split_y_first = x1 - x0 < y1 - y0;
    for (int32_t attempt = 0; attempt < 2; ++attempt) {
      const bool along_y = (attempt == 0) == split_y_first;
      const int32_t lo = along_y ? y0 : x0, hi = along_y ? y1 : x1;
      const int32_t m = (lo + (hi - lo) / 2) / s * s;
      if (m + o >= hi || m - o <= lo) continue;
      int32_t r = along_y ? write_area(d, base, x0, x1, y0, m + o, o, s) : write_area(d, base, x0, m + o, y0, y1, o, s);
      if (r != 1) return r;
      return along_y ? write_area(d, base, x0, x1, m - o, y1, o, s) : write_area(d, base, m - o, x1, y0, y1, o, s);
    }
  }
  return write_object(d, base, x0, x1, y0, y1, o, s);
}

}  // namespace

int32_t export_dxf(const char* path, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t overlap) {
  show_status("Saving DXF File");
  if (!elevation_rows) return 0;
  // Only samples of the landscape are written.
  x0 = std::clamp(x0, 0, land_width), x1 = std::clamp(x1, 0, land_width);
  y0 = std::clamp(y0, 0, land_height), y1 = std::clamp(y1, 0, land_height);
  if (x1 < x0) std::swap(x0, x1);
  if (y1 < y0) std::swap(y0, y1);
  const int32_t s = step_now();
  DxfWriter d;
  if (!safe_write_open(&d.out.w, path)) return 0;
  if (d.entities_start() < 1) return fail_write(d.out, path, false);
  const int32_t r = write_area(d, "DL", x0, x1, y0, y1, overlap == 1 ? 1 : 0, s);
  if (r == -1) return stopped(d.out);
  if (r != 1 || d.file_end() < 1) return fail_write(d.out, path, false);
  return finish(d.out, path, false);
}
