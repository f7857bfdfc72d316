// Elevation exports for other programs: a plain text matrix (ASCII Z), the "DSAA" ASCII grid and DXF
// polyface meshes. Each exports the marked region of the map when one is marked (bbox_enabled), else the
// whole landscape, thinned by grid_step, which the dialogs set to the export's subsample rate for the
// export's duration. Every file is written to a temporary file and renamed over the target only when
// complete, so a failed or stopped export keeps any previous file.
#pragma once

#include <cstdint>

// Remembered settings: subsample rates (1 at start), the DXF polygon limit per object (65536) and the
// DXF coordinate offsets (0 for "Zero based", the landscape origin for "UTM based").
struct ElevationExportSettings {
  int32_t ascii_z_subsample = 1;
  int32_t grd_subsample = 1;
  int32_t dxf_subsample = 1;
  int32_t dxf_max_polygons = 65536;
  double dxf_offset_x = 0.0, dxf_offset_y = 0.0, dxf_offset_z = 0.0;
};
extern ElevationExportSettings elevation_export_settings;
// The dialogs' name and path buffers (folders: ascii_z_dir, grd_dir, dxf_dir).
extern char ascii_z_dir[256], ascii_z_name[256], ascii_z_path[256];
extern char grd_dir[256], grd_name[256], grd_path[256];
extern char dxf_dir[256], dxf_name[256], dxf_path[256];
void reset_elevation_exports();

// The samples an export takes at subsample rate s: columns x0, x0 + s, ... x1 and rows y0 ... y1.
struct ExportArea {
  int32_t x0, y0, x1, y1;
};
// The marked region widened to multiples of s (kept inside the landscape), or the whole landscape.
ExportArea export_area(int32_t s);

// A DXF polyface object never holds more vertices or faces than its 16-bit count fields can give.
constexpr int32_t kDxfMaxCount = 32767;

// The plain exports, at the current grid_step: 1 written; 0 when the file cannot be created or written
// ("Error opening file:" / "Error writing file:" shown for the text exports); -1 when the user stopped it.
int32_t export_ascii_z(const char* path);
int32_t export_ascii_grid(const char* path);
// DXF meshes of the samples x0..x1 by y0..y1 (overlap 1: neighbouring objects share a seam of one sample
// more, the border vertices 0.1 m lower). 1, 0 (no message) or -1 as above.
int32_t export_dxf(const char* path, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t overlap);

// The commands' dialogs (file choice, replace question, subsample rate; DXF also seams, coordinate base and
// polygon limit). Results: the export's, or -1 when cancelled or replacing was refused. grid_step is put back
// on every path.
int32_t export_ascii_z_dialog();
int32_t export_ascii_grid_dialog();
int32_t export_dxf_dialog();
