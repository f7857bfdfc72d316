// The dialogs of the elevation exports: file choice, replace question, the export's questions, and grid_step
// set to the subsample rate only while the export runs.
#include <algorithm>

#include "engine/core/settings.h"
#include "engine/files/elevation_exports.h"
#include "engine/files/save_dialog.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"

namespace {

// grid_step for the export's duration; put back however the export ends.
class GridStepFor {
 public:
  explicit GridStepFor(int32_t step) : saved_(render_settings.grid_step) { render_settings.grid_step = step; }
  ~GridStepFor() { render_settings.grid_step = saved_; }
  GridStepFor(const GridStepFor&) = delete;
  GridStepFor& operator=(const GridStepFor&) = delete;

 private:
  int32_t saved_;
};

int32_t ask_subsample(int32_t* rate) {
  value_requester("Subsample rate:", "  OK  ", nullptr, rate);
  *rate = std::max(1, *rate);
  return *rate;
}

template <typename Export>
int32_t text_export_dialog(const char* title, char* dir, char* name, char* path, const char* extension,
                           int32_t* rate, Export run) {
  if (save_file_dialog(title, dir, dir, name, path, extension) != 1) return -1;
  GridStepFor step(ask_subsample(rate));
  cursor_wait();
  const int32_t result = run(path);
  cursor_arrow();
  return result;
}

}  // namespace

int32_t export_ascii_z_dialog() {
  return text_export_dialog("Save Ascii Z File", ascii_z_dir, ascii_z_name, ascii_z_path, ".TXT",
                            &elevation_export_settings.ascii_z_subsample, export_ascii_z);
}

int32_t export_ascii_grid_dialog() {
  return text_export_dialog("Save Ascii GRD File", grd_dir, grd_name, grd_path, ".GRD",
                            &elevation_export_settings.grd_subsample, export_ascii_grid);
}

int32_t export_dxf_dialog() {
  ElevationExportSettings& e = elevation_export_settings;
  if (save_file_dialog("Save DXF File", dxf_dir, dxf_dir, dxf_name, dxf_path, ".DXF") != 1) return -1;
  const int32_t overlap = requester("Overlap seams for smooth shading?", "  Yes ", "  No  ") == 1 ? 1 : 0;
  if (requester("Zero based or UTM based coordinates?", "Zero based", "UTM based") == 1) {
    e.dxf_offset_x = e.dxf_offset_y = e.dxf_offset_z = 0.0;
  } else {
    e.dxf_offset_x = landscape_view.origin_x;
    e.dxf_offset_y = landscape_view.origin_y;
    e.dxf_offset_z = landscape_view.origin_z;
  }
  value_requester("Maximum number of polygons per object:", "  OK  ", nullptr, &e.dxf_max_polygons);
  e.dxf_max_polygons = std::max(2, e.dxf_max_polygons);
  GridStepFor step(ask_subsample(&e.dxf_subsample));
  const ExportArea a = export_area(e.dxf_subsample);
  cursor_wait();
  const int32_t result = export_dxf(dxf_path, a.x0, a.x1, a.y0, a.y1, overlap);
  cursor_arrow();
  return result;
}
