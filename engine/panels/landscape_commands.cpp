// The Creation and Manipulation panels' commands and the grid keys: size, fractal creation, smoothing, erosion,
// roughening, stretching, enlarging, shrinking, vertical scale, sample spacing, mirrors and the border keys.
#include <cmath>
#include <cstdint>

#include "engine/core/grid.h"
#include "engine/core/grid_edges.h"
#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/files/surface_features.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/erosion.h"
#include "engine/landscape/fractal.h"
#include "engine/landscape/reshape.h"
#include "engine/landscape/resample.h"
#include "engine/panels/command_rows.h"
#include "engine/panels/enlarge_command.h"
#include "engine/panels/setsize_panel.h"
#include "engine/panels/topo_map.h"
#include "engine/panels/view_reset.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/screen.h"
#include "engine/ui/status.h"

namespace {
constexpr int32_t kSeedField = 1044;
constexpr int32_t kMinSideSamples = 16;
constexpr int32_t kMaxSideSamples = 8194;
constexpr float kDefaultSpacing = 30.0f;

bool shift_held() { return (key_modifiers() & 3) != 0; }

void mark_shading_stale() { derived_data.shades_done_step = land_width; }
void mark_colours_cliffs_shading_stale() {
  derived_data.colors_done_step = land_width;
  derived_data.cliffs_done_step = land_width;
  mark_shading_stale();
}

int32_t clamp_side(int32_t v) { return v < kMinSideSamples ? kMinSideSamples : v > kMaxSideSamples ? kMaxSideSamples : v; }

// True when the panel already has the landscape size pop-up open, so a second request opens no second copy.
bool setsize_open(const PanelRecord* panel) {
  for (const PanelRecord* c = panel ? panel->child : nullptr; c; c = c->sibling) {
    if (c->event == setsize_handler) return true;
  }
  return false;
}

void set_size(int32_t, int32_t, int32_t, PanelRecord* panel) {
  if (!shift_held()) {
    if (!setsize_open(panel)) setsize_dialog(panel);
    return;
  }
  int32_t w = grid_width, h = grid_height;
  value_requester("Enter desired landscape width:", "  OK  ", "Cancel", &w);
  value_requester("Enter desired landscape height:", "  OK  ", "Cancel", &h);
  region_mode = 2;
  set_landscape_size(clamp_side(w), clamp_side(h));
  cursor_wait();
  reset_sample_spacing();
  reset_view_state();
  cursor_arrow();
  topo_reset_view();
  preview_refresh();
}

void new_fractal() {
  generate_fractal_landscape();
  reset_sample_spacing();
  reset_view_state();
  preview_refresh();
}

void seed_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  terrain_settings.fractal_seed = gadget_value(panel, id);
  new_fractal();
}

void randomize_seed(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  new_fractal_seed();
  set_gadget_value(panel, kSeedField, terrain_settings.fractal_seed);
  gadget_deselect(panel, id);
  new_fractal();
}

void roughness_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  terrain_settings.fractal_roughness = gadget_value(panel, id);
}

void feature_size_radio(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  gadget_select(panel, id);
  terrain_settings.feature_size = 1 << (id - 1227);
}

// Smooth and Erode: the work between disabled gadgets, then the elevation range, map and preview.
void smooth_or_erode(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  disable_panel_gadgets(panel);
  if (id == 1099) {
    derived_data.landscape_changed = 1;
    smooth_landscape();
  } else {
    erode_command(0x7FFFFFFF);
  }
  scan_elevation_range();
  derived_data.landscape_changed = 1;
  topo_and_preview_redraw();
  mark_shading_stale();
  status_show_landscape_name();
  enable_panel_gadgets(panel);
  gadget_deselect(panel, id);
}

void roughen_or_stretch(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  if (id == 1151) roughen_command();
  else stretch_landscape();
  scan_elevation_range();
  derived_data.landscape_changed = 1;
  main_panels_redraw();
  mark_colours_cliffs_shading_stale();
  gadget_deselect(panel, id);
}

void after_resample(int32_t id, PanelRecord* panel) {
  derived_data.landscape_changed = 1;
  topo_reset_view();
  topo_and_preview_redraw();
  gadget_deselect(panel, id);
  redraw_panel(panel);
}

void enlarge_section(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  panel_disable(panel);
  enlarge_section_command(id);  // reports a refusal itself
  panel_enable(panel);
  mark_shading_stale();
  clear_shades();
  after_resample(id, panel);
}

void enlarge_all_or_shrink(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  if (id == 1169 && land_width > 4096 && land_height > 4096) {
    requester("Unable to make landscape larger.", "  OK  ", nullptr);
    return;
  }
  panel_disable(panel);
  if (id == 1169) enlarge_section_command(id);
  else shrink_command();
  panel_enable(panel);
  mark_colours_cliffs_shading_stale();
  derived_data.palette_stale = land_width;
  after_resample(id, panel);
}

// New z of a point that keeps its place between base level and highest elevation after a rescale.
float follow_rescale(int32_t z, int32_t b, int32_t m) {
  const int64_t span = static_cast<int64_t>(landscape_view.max_elevation) - landscape_view.base_level;
  return static_cast<float>((static_cast<int64_t>(z) - b) * span / (static_cast<int64_t>(m) - b) +
                            landscape_view.base_level);
}

// A float coordinate truncated to an integer, kept within the i32 range.
int32_t trunc_i32(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483520.0f) return 2147483520;
  if (v <= -2147483520.0f) return -2147483520;
  return static_cast<int32_t>(v);
}

void vertical_scale_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  const float v = gadget_float(panel, id);
  LandscapeView& view = landscape_view;
  if (v == 0.0f) {
    view.built_vertical_scale = 1.0f;
    view.vertical_scale = 1.0f;
    redraw_panel(panel);
  } else {
    view.vertical_scale = v;
  }
  if (view.vertical_scale == view.built_vertical_scale) return;
  CameraState& c = camera_state;
  const int32_t cz = trunc_i32(c.camera_z), tz = trunc_i32(c.target_z);
  const int32_t b = view.base_level;
  int32_t m = view.max_elevation;
  derived_data.landscape_changed = 1;
  disable_panel_gadgets(panel);
  rescale_vertical();
  scan_elevation_range();
  terrain_settings.sea_level = 0;
  scan_elevation_range();
  if (m == b) m += 1;
  c.camera_z = follow_rescale(cz, b, m);
  set_target(c.target_x, c.target_y, follow_rescale(tz, b, m));
  derived_data.palette_stale = land_width;
  mark_shading_stale();
  default_levels();
  enable_panel_gadgets(panel);
  main_panels_redraw();
  status_show_landscape_name();
}

void sample_spacing_field(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  float s = gadget_float(panel, id);
  // No spacing, a negative one or a non-number means the standard 30 metres: the grid cannot run backwards.
  if (!(s > 0.0f) || !std::isfinite(s)) s = kDefaultSpacing;
  const float ratio = grid_spacing_x > 0.0f ? s / grid_spacing_x : 1.0f;
  grid_spacing_x = grid_spacing_y = s;
  CameraState& c = camera_state;
  c.camera_x *= ratio;
  c.camera_y *= ratio;
  c.target_x *= ratio;
  c.target_y *= ratio;
  set_target(c.target_x, c.target_y, c.target_z);
  topo_and_preview_redraw();
  redraw_panel(panel);
  derived_data.palette_stale = land_width;
  mark_shading_stale();
}

void grid_key(int32_t id, int32_t, int32_t, PanelRecord*) {
  switch (id) {
    case 0x10635: flip_rows(); break;
    case 0x10736: flip_columns(); break;
    case 0x10B30:
      status_show_landscape_name();
      zero_grid_border();
      break;
    default:
      status_show_landscape_name();
      replicate_grid_edges();
      break;
  }
  derived_data.landscape_changed = 1;
  main_panels_redraw();
  if (id == 0x10B30 || id == 0x11265) mark_shading_stale();
}

void surface_features(int32_t, int32_t, int32_t, PanelRecord*) {
  import_surface_features();
  derived_data.landscape_changed = 1;
  main_panels_redraw();
}
}  // namespace

const CommandRow landscape_commands[] = {
    {1053, set_size},           {1044, seed_field},          {1225, randomize_seed},      {1216, roughness_field},
    {1227, feature_size_radio}, {1228, feature_size_radio},  {1229, feature_size_radio},  {1230, feature_size_radio},
    {1099, smooth_or_erode},    {1152, smooth_or_erode},     {1151, roughen_or_stretch},  {1153, roughen_or_stretch},
    {1170, enlarge_section},    {1169, enlarge_all_or_shrink}, {1171, enlarge_all_or_shrink},
    {1214, vertical_scale_field}, {1150, sample_spacing_field}, {0x10635, grid_key},      {0x10736, grid_key},
    {0x10B30, grid_key},        {0x11265, grid_key},         {1421, surface_features},    {0, nullptr},
};
