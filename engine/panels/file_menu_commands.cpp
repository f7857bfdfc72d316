// The File, Quality and Help menus: landscape open and save, colour schemes, elevation and ground-colour imports
// and exports, the image-quality presets, the help pages and the priority key.
#include "engine/animation/quality_scripts.h"
#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/files/elevation_exports.h"
#include "engine/files/elevation_pcx.h"
#include "engine/files/file_messages.h"
#include "engine/files/raw_elevations.h"
#include "engine/files/targa.h"
#include "engine/landscape/camera.h"
#include "engine/panels/command_dispatch_internal.h"
#include "engine/panels/command_rows.h"
#include "engine/panels/info_panels.h"
#include "engine/panels/topo_map.h"
#include "engine/panels/view_reset.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/color_scheme_files.h"
#include "engine/render/landscape_open_save.h"
#include "engine/render/region_load.h"
#include "engine/render/view_to_elevations.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/programs.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

namespace {
// What every body ends with unless its row says otherwise: map, preview and the sending panel.
void map_preview_sender(PanelRecord* panel) {
  topo_and_preview_redraw();
  redraw_panel(panel);
}

// After a landscape was loaded; load result 2 means the file's stored view was applied and stays.
void landscape_refresh(int32_t load_result, PanelRecord* panel) {
  if (load_result != 2) reset_view_state();
  scan_elevation_range();
  sync_bbox_button();
  derived_data.landscape_changed = 1;
  topo_reset_view();
  main_panels_redraw();
  preview_refresh();
  redraw_panel(panel);
  status_show_landscape_name();
}

// After elevations of the current grid were replaced.
void elevation_refresh() {
  scan_elevation_range();
  derived_data.landscape_changed = 1;
  derived_data.colors_done_step = land_width;
  derived_data.cliffs_done_step = land_width;
  derived_data.shades_done_step = land_width;
  main_panels_redraw();
}

void open_landscape(int32_t, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  // The loader reports its own errors and keeps the landscape in memory when it fails; only a landscape that
  // was actually read resets the view, so a failed open leaves camera, path and colours alone.
  const int32_t r = load_landscape_dialog();
  if (r == 1 || r == 2) landscape_refresh(r, panel);
  map_preview_sender(panel);
}

void open_region(int32_t, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  if (load_region_dialog() == 1) landscape_refresh(1, panel);
  map_preview_sender(panel);
}

// Saves and exports that report their own errors: the dialog between disabled gadgets.
void save_with_disabled_panel(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  disable_panel_gadgets(panel);
  switch (id) {
    case 1134: save_session_dialog(0); break;
    case 1133: save_old_dem_dialog(); break;
    case 1144: save_scheme_dialog(); break;
    case 1138: export_dxf_dialog(); break;
    case 1136: export_ascii_z_dialog(); break;
    default: export_ascii_grid_dialog(); break;
  }
  enable_panel_gadgets(panel);
  if (id == 1144) {
    topo_redraw();
    return;
  }
  map_preview_sender(panel);
}

void load_scheme(int32_t, int32_t, int32_t, PanelRecord*) {
  status_show_landscape_name();
  load_scheme_dialog();
  derived_data.palette_stale = land_width;
}

void import_binary(int32_t, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  const int32_t r = load_binary_dialog();
  if (r == 1) elevation_refresh();
  else if (r != -1) msg_error_reading(binary_path);
  map_preview_sender(panel);
}

// The PCX import failures: -1 cancelled says nothing, -3 is a picture of the wrong kind.
void pcx_import_failure(int32_t r) {
  if (r == -1) return;
  requester(r == -3 ? "Wrong PCX file format." : "Error reading PCX file.", "  OK  ", nullptr);
}

void import_pcx_elevations(int32_t, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  const int32_t r = load_elevations_pcx_dialog();
  if (r == 1) elevation_refresh();
  else pcx_import_failure(r);
  map_preview_sender(panel);
}

void import_view_elevations(int32_t, int32_t, int32_t, PanelRecord* panel) {
  if (need_8bit()) {
    convert_view_to_altitude();
    elevation_refresh();
  }
  status_show_landscape_name();
  map_preview_sender(panel);
}

// Imported ground colours count as current: the next render keeps them instead of recomputing the classes.
void ground_colors_imported() {
  derived_data.colors_done_step = 0;
  derived_data.cliffs_done_step = 0;
  derived_data.palette_stale = land_width;
  derived_data.landscape_changed = 1;
  main_panels_redraw();
}

void import_pcx_ground_colors(int32_t, int32_t, int32_t, PanelRecord*) {
  const int32_t r = load_ground_colors_pcx_dialog();
  if (r == 1 || r == 3) {
    ground_colors_imported();
    if (r == 3) render_settings.gouraud_enabled = 1;
  } else {
    pcx_import_failure(r);
  }
  status_show_landscape_name();
}

void import_view_ground_colors(int32_t, int32_t, int32_t, PanelRecord*) {
  if (need_8bit()) {
    image_to_colormap();
    ground_colors_imported();
  }
  status_show_landscape_name();
}

void export_pcx_elevations(int32_t, int32_t, int32_t, PanelRecord* panel) {
  save_elevations_pcx_dialog();
  status_show_landscape_name();
  map_preview_sender(panel);
}

void export_pcx_ground_colors(int32_t, int32_t, int32_t, PanelRecord*) {
  save_ground_colors_pcx_dialog();
  status_show_landscape_name();
}

void export_texture_map(int32_t, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  if (need_24bit()) {
    disable_panel_gadgets(panel);
    if (save_texture_map_dialog() == 0) msg_error_writing(targa_path);
    enable_panel_gadgets(panel);
    topo_redraw();
  }
  status_show_landscape_name();
}

void quality_preset(int32_t id, int32_t, int32_t, PanelRecord* panel) {
  status_show_landscape_name();
  switch (id) {
    case 1278: run_iq_script_low(); break;
    case 1279: run_iq_script_med(); break;
    case 1280: run_iq_script_hi(); break;
    case 1281: run_iq_script_ultra(); break;
    default: run_iq_script_user(); break;
  }
  map_preview_sender(panel);
}

// The help and community pages are numbered by their command ids.
void web_page(int32_t id, int32_t, int32_t, PanelRecord*) {
  status_show_landscape_name();
  open_web_link(id);
}

// The Help menu's information panels.
void about_program(int32_t, int32_t, int32_t, PanelRecord* panel) { show_about_panel(panel); }
void about_landscape(int32_t, int32_t, int32_t, PanelRecord* panel) { show_landscape_info_panel(panel); }
void about_image(int32_t, int32_t, int32_t, PanelRecord* panel) { show_image_stats_panel(panel); }

void priority(int32_t, int32_t, int32_t, PanelRecord*) { priority_dialog(); }
}  // namespace

const CommandRow file_menu_commands[] = {
    {1070, about_program}, {1069, about_landscape}, {1071, about_image},
    {1124, open_landscape},         {1125, open_region},              {1134, save_with_disabled_panel},
    {1133, save_with_disabled_panel}, {1130, load_scheme},            {1144, save_with_disabled_panel},
    {1126, import_binary},          {1268, import_pcx_elevations},    {1271, import_view_elevations},
    {1270, import_pcx_ground_colors}, {1272, import_view_ground_colors}, {1267, export_pcx_elevations},
    {1138, save_with_disabled_panel}, {1136, save_with_disabled_panel}, {1137, save_with_disabled_panel},
    {1269, export_pcx_ground_colors}, {1139, export_texture_map},     {1278, quality_preset},
    {1279, quality_preset},         {1280, quality_preset},           {1281, quality_preset},
    {1282, quality_preset},         {1073, web_page},                 {1074, web_page},
    {1075, web_page},               {1076, web_page},                 {1077, web_page},
    {1078, web_page},               {1079, web_page},                 {1080, web_page},
    {1081, web_page},               {1082, web_page},                 {1083, web_page},
    {1084, web_page},               {1085, web_page},                 {1086, web_page},
    {1087, web_page},               {1088, web_page},                 {1089, web_page},
    {1090, web_page},               {1091, web_page},                 {1092, web_page},
    {1093, web_page},               {1420, priority},                 {0, nullptr},
};
