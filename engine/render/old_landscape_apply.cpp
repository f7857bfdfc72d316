// Applying the settings blocks of an older landscape header held in old_dem_header (memory order).
#include <algorithm>
#include <cmath>

#include "engine/files/byte_order.h"
#include "engine/files/landscape_header.h"
#include "engine/render/old_landscape_file.h"
#include "engine/files/session_section_hooks.h"
#include "engine/files/targa.h"
#include "engine/landscape/camera.h"
#include "engine/core/color_classes.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/sun.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/lighting.h"
#include "engine/render/terrain_quad.h"

namespace {

int32_t i32(int32_t at) { return get_i32(old_dem_header + at); }
float f32(int32_t at) { return get_f32(old_dem_header + at); }
void take(float* setting, int32_t at) {
  const float v = f32(at);
  if (std::isfinite(v)) *setting = v;
}
// The opposite sense of a stored angle, without overflowing the most negative whole number.
float negated(int32_t v) { return -static_cast<float>(v); }

bool valid_click_mode(int32_t m) {
  return (m >= 0 && m <= 7) || (m >= 1337 && m <= 1346) || m == 1351 || (m >= 1362 && m <= 1368) || m == 1400 ||
         m == 1401;
}

void apply_block1() {
  landscape_view.origin_x = i32(164);
  landscape_view.origin_y = i32(168);
  landscape_view.origin_z = i32(172);
  const float sx = f32(176), sy = f32(180), sz = f32(184);
  grid_spacing_x = std::isfinite(sx) && sx >= 1.0f ? sx : 30.0f;
  grid_spacing_y = std::isfinite(sy) && sy >= 1.0f ? sy : 30.0f;
  grid_spacing_z = std::isfinite(sz) && sz >= 1.0f ? sz : 1.0f;
  // The grid step divides the grid; only the steps the renderer knows are taken.
  const int32_t step = i32(188);
  render_settings.grid_step = (step == 1 || step == 2 || step == 4 || step == 8) ? step : 1;
  camera_state.camera_x = static_cast<float>(i32(192));
  camera_state.camera_y = static_cast<float>(i32(196));
  camera_state.camera_z = static_cast<float>(i32(200));
  camera_state.target_x = static_cast<float>(i32(204));
  camera_state.target_y = static_cast<float>(i32(208));
  camera_state.target_z = static_cast<float>(i32(212));
  camera_state.camera_bank = static_cast<float>(i32(216));
  camera_state.camera_heading = negated(i32(220));
  camera_state.camera_pitch = static_cast<float>(i32(224));
  // The focal length divides: only positive lengths up to 65536 are taken.
  const int32_t focal = i32(228);
  if (focal > 0 && focal <= 65536) {
    lens_state.focal_length = focal;
    lens_state.lens_scale = static_cast<float>(lens_state.focal_length) / 16.0f;
    lens_state.lens_scale_inv = 1.0f / lens_state.lens_scale;
  }
  terrain_settings.sea_level = i32(232);
  terrain_settings.tree_line = i32(236);
  terrain_settings.snow_line = i32(240);
  terrain_settings.line_roughness = i32(244);
  render_settings.haze_density = i32(248);
  render_settings.shadows_enabled = i32(256);
  sun_moon_state.stars_enabled = sun_moon_state.moon_enabled = i32(260);
  render_settings.palette_locked = i32(264);
  const float vs = f32(268);
  if (std::isfinite(vs)) landscape_view.built_vertical_scale = landscape_view.vertical_scale = vs == 0.0f ? 1.0f : vs;
  render_settings.light_roughness = i32(272);
  render_settings.blend_colors = i32(276);
  render_settings.gouraud_enabled = i32(280);
  render_settings.dither_amount = i32(284);
  terrain_settings.fractal_seed = i32(288);
  terrain_settings.fractal_roughness = i32(292);
  terrain_settings.feature_size = i32(296);
  render_settings.exaggerate_shading = i32(300);
  light_state.sun_azimuth = 180.0f - static_cast<float>(i32(304));
  light_state.sun_declination = static_cast<float>(i32(308));
  light_state.light_tables_stale = 1;
  update_sun_vector();
}

void apply_block2() {
  terrain_settings.island_mode = i32(340);
  render_settings.dither_type = i32(344);
  render_settings.detail_level = i32(348);
  render_settings.detail_param_a = i32(352);
  render_settings.detail_param_b = i32(356);
  render_settings.sky_enabled = i32(360);
  render_settings.horizon_enabled = i32(364);
  tree_settings.trees_enabled = i32(368);
  render_settings.backface_culling = i32(392);
  render_settings.bbox_enabled = i32(396);
  render_settings.bbox_x0 = std::clamp(i32(400), 0, land_width);
  render_settings.bbox_y0 = std::clamp(i32(404), 0, land_height);
  render_settings.bbox_x1 = std::clamp(i32(408), 0, land_width);
  render_settings.bbox_y1 = std::clamp(i32(412), 0, land_height);
  render_settings.render_range = i32(416);
  terrain_settings.cliff_angle = i32(420);
  SessionCloudSettings c;
  session_cloud_settings_get(&c);
  c.enabled = i32(424);
  c.ramp_low = i32(428);
  c.ramp_high = i32(432);
  c.altitude = i32(436);
  c.density = i32(440);
  c.hardness = i32(444);
  change_image_size(i32(464), i32(468));
  render_settings.background_enabled = i32(472);
  render_settings.foreground_enabled = i32(476);
  render_settings.detail_enabled = i32(488);
  tree_settings.tree_detail = i32(496);
  const int32_t leaves = old_dem_header[500] ;  // the low-order byte of the field in memory order
  for (int32_t& l : tree_settings.tree_leaves) l = leaves;
  tree_settings.trees_3d = i32(504);
  tree_settings.tree_textures_enabled = i32(508);
  const int32_t scale = i32(512);
  if (scale == 2 || scale == 4 || scale == 8 || scale == 16) c.scale = scale;
  c.subdiv_size = i32(516);
  c.subdiv_depth = std::clamp(i32(520), 0, 16);
  session_cloud_settings_set(c);
  set_cliff_angle(terrain_settings.cliff_angle);
}

void apply_block3(bool tail) {
  terrain_settings.roughness_weight = i32(524);
  terrain_settings.roughness_radius = static_cast<int32_t>(std::clamp<int64_t>(int64_t{i32(528)} * 30, INT32_MIN, INT32_MAX));
  lens_state.stereo_image_shift = i32(532);
  change_image_size(i32(544), i32(548));
  const int32_t facing = i32(564);
  lens_state.view_facing = (facing == 6 || facing == 7 || facing == 8) ? facing : 5;
  const int32_t mode = i32(568);
  render_settings.topo_click_mode = valid_click_mode(mode) ? mode : 0;
  camera_state.lock_x = i32(572);
  camera_state.lock_y = i32(576);
  camera_state.lock_z = i32(580);
  take(&lens_state.stereo_separation, 584);
  take(&lens_state.lens_spare, 588);
  const int32_t camera = i32(592);
  lens_state.stereo_camera = (camera == 2 || camera == 3) ? camera : 1;
  for (int32_t i = 0; i < 4; ++i) {
    tree_settings.tree_density[i] = i32(596 + 4 * i);  // little-endian in the file, so left as read
    tree_settings.tree_size[i] = i32(612 + 4 * i);
    tree_settings.tree_class_masks[i] = i32(628 + 4 * i);
  }
  session_tree_pick_tables_set(old_dem_header + 644);
  light_state.flat_intensity = i32(660);
  light_state.sky_intensity = i32(664);
  render_settings.palette_colors = std::clamp(i32(672), 2, 256);
  targa_compression = i32(688);
  const int32_t rm = i32(692);
  if (rm == 1 || rm == 2) region_mode = rm;
  if (!tail) return;
  max_polygon_size = i32(696);
  max_detail_depth = std::clamp(i32(700), 0, kMaxTerrainDetailDepth);
  take(&camera_state.camera_bank, 704);
  const float heading = f32(708);
  if (std::isfinite(heading)) camera_state.camera_heading = -heading;
  take(&camera_state.camera_pitch, 712);
}

}  // namespace

int32_t apply_old_header() {
  const uint32_t presence = get32(old_dem_header + 132);
  if (presence & kOldHasBlock1) apply_block1();
  if (presence & kOldHasBlock2) apply_block2();
  if (presence & kOldHasBlock3) apply_block3((presence & kOldHasTail) != 0);
  allocate_frame_buffers();
  return (presence & (kOldHasBlock1 | kOldHasBlock2 | kOldHasBlock3)) ? 2 : 1;
}
