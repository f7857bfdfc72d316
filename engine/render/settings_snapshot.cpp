// The settings snapshot of the current landscape format: every stored setting in table order, and the
// apply procedure that brings derived values up to date in dependency order.
#include "engine/render/settings_snapshot.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/files/jpeg_codec.h"
#include "engine/files/landscape_header.h"
#include "engine/render/old_landscape_file.h"
#include "engine/files/session_section_hooks.h"
#include "engine/files/targa.h"
#include "engine/landscape/camera.h"
#include "engine/core/color_classes.h"
#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/render/render_start.h"
#include "engine/core/settings.h"
#include "engine/landscape/sun.h"
#include "engine/landscape/waves.h"
#include "engine/raster/render_window.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/lighting.h"
#include "engine/render/terrain_quad.h"

namespace {

// Largest lens scale taken from a file (a focal length of 65536); smaller than 1/16 gives no focal length.
constexpr float kMaxLensScale = 4096.0f;
constexpr float kMinLensScale = 1.0f / 16.0f;
constexpr int32_t kMaxCloudSubdivDepth = 16;

bool finite(float v) { return std::isfinite(v); }
// Takes a stored float only when it is a finite number.
void take(float* setting, const uint8_t* p) {
  const float v = get_f32(p);
  if (finite(v)) *setting = v;
}

bool valid_click_mode(int32_t m) {
  return (m >= 0 && m <= 7) || (m >= 1337 && m <= 1346) || m == 1351 || (m >= 1362 && m <= 1368) || m == 1400 ||
         m == 1401;
}

void put_bytes4(uint8_t* p, const int32_t* v) {
  for (int32_t i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v[i]);
}

}  // namespace

void fill_dl4_snapshot(uint8_t* h) {
  put_f32(h + 236, camera_state.camera_x);
  put_f32(h + 240, camera_state.camera_y);
  put_f32(h + 244, camera_state.camera_z);
  put_f32(h + 248, camera_state.target_x);
  put_f32(h + 252, camera_state.target_y);
  put_f32(h + 256, camera_state.target_z);
  put_f32(h + 260, static_cast<float>(camera_state.camera_height));
  put_f32(h + 264, camera_state.camera_bank);
  put_f32(h + 268, camera_state.camera_heading);
  put_f32(h + 272, camera_state.camera_pitch);
  put_f32(h + 276, lens_state.lens_scale);
  put_i32(h + 280, camera_state.lock_x);
  put_i32(h + 284, camera_state.lock_y);
  put_i32(h + 288, camera_state.lock_z);
  put_i32(h + 292, light_state.auto_exposure);
  put_i32(h + 296, trunc_to_i32(light_state.sun_azimuth));
  put_i32(h + 300, trunc_to_i32(light_state.sun_declination));
  put_i32(h + 304, light_state.contrast);
  put_i32(h + 308, light_state.brightness);
  put_i32(h + 312, render_settings.exaggerate_shading);
  put_i32(h + 316, render_settings.shadows_enabled);
  put_i32(h + 320, render_settings.light_roughness);
  put_i32(h + 324, render_settings.sky_enabled);
  put_i32(h + 328, render_settings.horizon_enabled);
  put_i32(h + 332, render_settings.haze_density);
  SessionCloudSettings clouds;
  session_cloud_settings_get(&clouds);
  put_i32(h + 336, clouds.enabled);
  put_i32(h + 340, clouds.scale);
  put_i32(h + 344, clouds.subdiv_size);
  put_i32(h + 348, clouds.subdiv_depth);
  put_i32(h + 352, clouds.ramp_low);
  put_i32(h + 356, clouds.ramp_high);
  put_i32(h + 360, clouds.altitude);
  put_i32(h + 364, clouds.density);
  put_i32(h + 368, clouds.hardness);
  put_i32(h + 372, clouds.lining);
  put_i32(h + 384, sun_moon_state.stars_enabled);
  put_i32(h + 388, sun_moon_state.moon_enabled);
  put_f32(h + 392, sun_moon_state.moon_distance);
  put_i32(h + 396, sun_moon_state.moon_size);
  put_f32(h + 400, sun_moon_state.moon_position_x);
  put_f32(h + 404, sun_moon_state.moon_position_y);
  put_f32(h + 408, sun_moon_state.moon_position_z);
  put_f32(h + 412, sun_moon_state.moon_rotation_x);
  put_f32(h + 416, sun_moon_state.moon_rotation_y);
  put_f32(h + 420, sun_moon_state.moon_rotation_z);
  put_f32(h + 424, sun_moon_state.sun_distance);
  put_i32(h + 428, sun_moon_state.sun_size);
  put_f32(h + 432, sun_moon_state.sun_position_x);
  put_f32(h + 436, sun_moon_state.sun_position_y);
  put_f32(h + 440, sun_moon_state.sun_position_z);
  put_f32(h + 444, sun_moon_state.sun_rotation_x);
  put_f32(h + 448, sun_moon_state.sun_rotation_y);
  put_f32(h + 452, sun_moon_state.sun_rotation_z);
  put_i32(h + 456, terrain_settings.snow_line);
  put_i32(h + 460, terrain_settings.tree_line);
  put_i32(h + 464, terrain_settings.line_roughness);
  put_i32(h + 468, terrain_settings.roughness_enabled);
  put_i32(h + 472, terrain_settings.roughness_weight);
  put_i32(h + 476, terrain_settings.roughness_radius);
  put_i32(h + 480, terrain_settings.cliffs_enabled);
  put_i32(h + 484, terrain_settings.cliff_angle);
  put_i32(h + 488, terrain_settings.cliff_mode);
  put_i32(h + 492, 0);
  put_f32(h + 496, terrain_settings.strata_normal_x);
  put_f32(h + 500, terrain_settings.strata_normal_y);
  put_f32(h + 504, terrain_settings.strata_normal_z);
  put_i32(h + 508, terrain_settings.strata_thickness);
  put_i32(h + 512, terrain_settings.strata_warp);
  put_i32(h + 516, terrain_settings.sea_level);
  put_i32(h + 520, wave_settings.waves_enabled);
  put_f32(h + 524, wave_settings.wave_length);
  put_f32(h + 528, wave_settings.wave_period);
  put_f32(h + 532, wave_settings.wave_height);
  put_f32(h + 536, wave_settings.wave_phase);
  put_f32(h + 540, wave_settings.wave_direction);
  for (int32_t i = 0; i < 4; ++i) {
    put_i32(h + 544 + 4 * i, tree_settings.tree_density[i]);
    put_i32(h + 560 + 4 * i, tree_settings.tree_size[i]);
    put_i32(h + 576 + 4 * i, tree_settings.tree_class_masks[i]);
  }
  session_tree_pick_tables_get(h + 592);
  put_i32(h + 608, tree_settings.trees_enabled);
  put_i32(h + 612, session_mean_tree_density());
  put_i32(h + 616, session_mean_tree_size());
  put_i32(h + 620, tree_settings.tree_detail);
  put_bytes4(h + 624, tree_settings.tree_leaves);
  put_bytes4(h + 628, tree_settings.branch_bend);
  put_i32(h + 632, tree_settings.trees_3d);
  put_i32(h + 636, tree_settings.tree_textures_enabled);
  put_i32(h + 640, render_settings.detail_enabled);
  put_i32(h + 644, render_settings.detail_level);
  put_i32(h + 648, render_settings.detail_param_a);
  put_i32(h + 652, render_settings.detail_param_b);
  put_i32(h + 656, max_polygon_size);
  put_i32(h + 660, max_detail_depth);
  put_i32(h + 664, horizontal_deform);
  put_i32(h + 668, fractal_amplitude_first());
  put_i32(h + 672, fractal_amplitude_last());
  put_i32(h + 676, render_settings.blend_colors);
  put_i32(h + 680, render_settings.gouraud_enabled);
  put_f32(h + 684, landscape_view.vertical_scale);
  put_i32(h + 688, region_mode);
  put_i32(h + 692, terrain_settings.fractal_seed);
  put_i32(h + 696, terrain_settings.fractal_roughness);
  put_i32(h + 700, terrain_settings.feature_size);
  put_i32(h + 704, terrain_settings.island_mode);
  put_i32(h + 708, render_settings.topo_click_mode);
  put_i32(h + 712, render_settings.palette_locked);
  put_i32(h + 716, render_settings.dither_amount);
  put_i32(h + 720, render_settings.dither_type);
  put_i32(h + 724, render_settings.antialias_mode);
  put_i32(h + 728, render_settings.phong_enabled);
  put_i32(h + 732, render_settings.flare_enabled);
  put_i32(h + 736, proj_width);
  put_i32(h + 740, proj_height);
  put_i32(h + 744, image_width);
  put_i32(h + 748, image_height);
  put_i32(h + 752, render_client_width);
  put_i32(h + 756, render_client_height);
  put_i32(h + 760, display_depth);
  put_i32(h + 764, 0);
  put_i32(h + 768, render_settings.palette_colors);
  put_i32(h + 772, render_settings.view_mode);
  put_i32(h + 776, 1);
  put_i32(h + 780, 1);
  put_i32(h + 784, lens_state.stereo_camera);
  put_i32(h + 788, lens_state.stereo_image_shift);
  put_i32(h + 792, lens_state.view_facing);
  put_f32(h + 796, lens_state.stereo_separation);
  put_f32(h + 800, lens_state.lens_spare);
  put_i32(h + 804, animation_state.animation_output);
  put_i32(h + 808, render_settings.backface_culling);
  put_i32(h + 812, render_settings.bbox_enabled);
  put_i32(h + 816, render_settings.bbox_x0);
  put_i32(h + 820, render_settings.bbox_y0);
  put_i32(h + 824, render_settings.bbox_x1);
  put_i32(h + 828, render_settings.bbox_y1);
  put_i32(h + 832, render_settings.render_range);
  put_i32(h + 836, render_settings.background_enabled);
  put_i32(h + 840, render_settings.foreground_enabled);
  put_i32(h + 852, targa_compression);
  put_i32(h + 856, get_jpeg_quality());
}

int32_t apply_dl4_header() {
  const uint8_t* h = dem_header;
  // 1. Origin and spacings again. A spacing divides world positions, so it must be a positive number.
  landscape_view.origin_x = get_i32(h + dl4::kOrigin);
  landscape_view.origin_y = get_i32(h + dl4::kOrigin + 4);
  landscape_view.origin_z = get_i32(h + dl4::kOrigin + 8);
  {
    const float sx = get_f32(h + dl4::kSpacing), sy = get_f32(h + dl4::kSpacing + 4),
                sz = get_f32(h + dl4::kSpacing + 8);
    grid_spacing_x = finite(sx) && sx > 0.0f ? sx : 30.0f;
    grid_spacing_y = finite(sy) && sy > 0.0f ? sy : 30.0f;
    grid_spacing_z = finite(sz) ? sz : 1.0f;
  }

  // 2. Camera and lens.
  take(&camera_state.camera_x, h + 236);
  take(&camera_state.camera_y, h + 240);
  take(&camera_state.camera_z, h + 244);
  take(&camera_state.target_x, h + 248);
  take(&camera_state.target_y, h + 252);
  take(&camera_state.target_z, h + 256);
  camera_state.camera_height = trunc_to_i32(get_f32(h + 260));
  take(&camera_state.camera_bank, h + 264);
  take(&camera_state.camera_heading, h + 268);
  take(&camera_state.camera_pitch, h + 272);
  {
    const float s = get_f32(h + 276);
    if (finite(s) && s >= kMinLensScale && s <= kMaxLensScale) {
      lens_state.lens_scale = s;
      lens_state.lens_scale_inv = 1.0f / lens_state.lens_scale;
      lens_state.focal_length = trunc_to_i32(lens_state.lens_scale * 16.0f);
    }
  }
  camera_state.lock_x = get_i32(h + 280);
  camera_state.lock_y = get_i32(h + 284);
  camera_state.lock_z = get_i32(h + 288);
  light_state.auto_exposure = get_i32(h + 292);

  // 3. Light.
  light_state.sun_azimuth = static_cast<float>(get_i32(h + 296));
  light_state.sun_declination = static_cast<float>(get_i32(h + 300));
  render_settings.exaggerate_shading = get_i32(h + 312);
  light_state.contrast = get_i32(h + 304);
  light_state.brightness = get_i32(h + 308);
  render_settings.shadows_enabled = get_i32(h + 316);
  render_settings.light_roughness = get_i32(h + 320);
  light_state.light_tables_stale = 1;
  update_sun_vector();
  scheme_sky_colors();

  // 4. Sky, haze and clouds.
  render_settings.sky_enabled = get_i32(h + 324);
  render_settings.horizon_enabled = get_i32(h + 328);
  render_settings.haze_density = get_i32(h + 332);
  {
    SessionCloudSettings c;
    session_cloud_settings_get(&c);
    c.enabled = get_i32(h + 336);
    const int32_t scale = get_i32(h + 340);
    if (scale == 2 || scale == 4 || scale == 8 || scale == 16) c.scale = scale;
    c.subdiv_size = get_i32(h + 344);
    c.subdiv_depth = std::clamp(get_i32(h + 348), 0, kMaxCloudSubdivDepth);
    c.ramp_low = get_i32(h + 352);
    c.ramp_high = get_i32(h + 356);
    c.altitude = get_i32(h + 360);
    c.density = get_i32(h + 364);
    c.hardness = get_i32(h + 368);
    c.lining = get_i32(h + 372);
    session_cloud_settings_set(c);
  }

  // 5. Stars, moon and sun.
  sun_moon_state.stars_enabled = get_i32(h + 384);
  sun_moon_state.moon_enabled = get_i32(h + 388);
  take(&sun_moon_state.moon_distance, h + 392);
  session_set_moon_size(get_i32(h + 396));
  take(&sun_moon_state.moon_position_x, h + 400);
  take(&sun_moon_state.moon_position_y, h + 404);
  take(&sun_moon_state.moon_position_z, h + 408);
  take(&sun_moon_state.moon_rotation_x, h + 412);
  take(&sun_moon_state.moon_rotation_y, h + 416);
  take(&sun_moon_state.moon_rotation_z, h + 420);
  take(&sun_moon_state.sun_distance, h + 424);
  session_set_sun_size(get_i32(h + 428));
  take(&sun_moon_state.sun_position_x, h + 432);
  take(&sun_moon_state.sun_position_y, h + 436);
  take(&sun_moon_state.sun_position_z, h + 440);
  take(&sun_moon_state.sun_rotation_x, h + 444);
  take(&sun_moon_state.sun_rotation_y, h + 448);
  take(&sun_moon_state.sun_rotation_z, h + 452);

  // 6. Terrain colouring.
  terrain_settings.snow_line = get_i32(h + 456);
  terrain_settings.tree_line = get_i32(h + 460);
  terrain_settings.line_roughness = get_i32(h + 464);
  terrain_settings.roughness_enabled = get_i32(h + 468);
  terrain_settings.roughness_weight = get_i32(h + 472);
  terrain_settings.roughness_radius = get_i32(h + 476);
  terrain_settings.cliffs_enabled = get_i32(h + 480);
  terrain_settings.cliff_angle = get_i32(h + 484);
  terrain_settings.cliff_mode = get_i32(h + 488);
  take(&terrain_settings.strata_normal_x, h + 496);
  take(&terrain_settings.strata_normal_y, h + 500);
  take(&terrain_settings.strata_normal_z, h + 504);
  terrain_settings.strata_thickness = get_i32(h + 508);
  terrain_settings.strata_warp = get_i32(h + 512);
  set_cliff_angle(terrain_settings.cliff_angle);
  build_strata_bands();

  // 7. Water. The wave period divides the phase step; set_wave_period keeps it non-zero.
  terrain_settings.sea_level = get_i32(h + 516);
  wave_settings.waves_enabled = get_i32(h + 520);
  take(&wave_settings.wave_length, h + 524);
  {
    const float period = get_f32(h + 528);
    if (finite(period)) set_wave_period(period);
  }
  take(&wave_settings.wave_height, h + 532);
  take(&wave_settings.wave_phase, h + 536);
  take(&wave_settings.wave_direction, h + 540);
  waves_recompute();

  // 8. Trees.
  for (int32_t i = 0; i < 4; ++i) {
    tree_settings.tree_density[i] = get_i32(h + 544 + 4 * i);
    tree_settings.tree_size[i] = get_i32(h + 560 + 4 * i);
    tree_settings.tree_class_masks[i] = get_i32(h + 576 + 4 * i);
  }
  session_tree_pick_tables_set(h + 592);
  tree_settings.trees_enabled = get_i32(h + 608);
  tree_settings.tree_detail = get_i32(h + 620);
  tree_settings.trees_3d = get_i32(h + 632);
  tree_settings.tree_textures_enabled = get_i32(h + 636);
  for (int32_t i = 0; i < 4; ++i) {
    tree_settings.tree_leaves[i] = h[624 + i];
    tree_settings.branch_bend[i] = h[628 + i];
  }

  // 9. Surface detail; the recursion depth stays within what the subdivision supports.
  render_settings.detail_enabled = get_i32(h + 640);
  render_settings.detail_level = get_i32(h + 644);
  render_settings.detail_param_a = get_i32(h + 648);
  render_settings.detail_param_b = get_i32(h + 652);
  max_polygon_size = get_i32(h + 656);
  max_detail_depth = std::clamp(get_i32(h + 660), 0, kMaxTerrainDetailDepth);
  horizontal_deform = get_i32(h + 664);
  set_fractal_amplitude_first(get_i32(h + 668));
  set_fractal_amplitude_last(get_i32(h + 672));

  // 10. Rendering switches.
  render_settings.blend_colors = get_i32(h + 676);
  render_settings.gouraud_enabled = get_i32(h + 680);
  {
    const float vs = get_f32(h + 684);
    if (finite(vs)) landscape_view.built_vertical_scale = landscape_view.vertical_scale = vs;
  }
  {
    const int32_t rm = get_i32(h + 688);
    if (rm == 1 || rm == 2) region_mode = rm;
  }
  terrain_settings.fractal_seed = get_i32(h + 692);
  terrain_settings.fractal_roughness = get_i32(h + 696);
  terrain_settings.feature_size = get_i32(h + 700);
  terrain_settings.island_mode = get_i32(h + 704);
  {
    const int32_t mode = get_i32(h + 708);
    render_settings.topo_click_mode = valid_click_mode(mode) ? mode : 0;
  }
  render_settings.palette_locked = get_i32(h + 712);
  render_settings.dither_amount = get_i32(h + 716);
  render_settings.dither_type = get_i32(h + 720);
  render_settings.antialias_mode = get_i32(h + 724);
  render_settings.phong_enabled = get_i32(h + 728);
  render_settings.flare_enabled = get_i32(h + 732);

  // 11. Image size (set_image_size keeps it within its limits).
  set_image_size(get_i32(h + 744), get_i32(h + 748));
  render_window_refresh(image_width, image_height, display_depth);

  // 12. Palette size, culling, the marked region within the landscape, range, pictures.
  render_settings.palette_colors = std::clamp(get_i32(h + 768), 2, 256);
  render_settings.backface_culling = get_i32(h + 808);
  render_settings.bbox_enabled = get_i32(h + 812);
  render_settings.bbox_x0 = std::clamp(get_i32(h + 816), 0, land_width);
  render_settings.bbox_y0 = std::clamp(get_i32(h + 820), 0, land_height);
  render_settings.bbox_x1 = std::clamp(get_i32(h + 824), 0, land_width);
  render_settings.bbox_y1 = std::clamp(get_i32(h + 828), 0, land_height);
  render_settings.render_range = get_i32(h + 832);
  render_settings.background_enabled = get_i32(h + 836);
  render_settings.foreground_enabled = get_i32(h + 840);

  // 13. Stereo and view direction.
  lens_state.stereo_image_shift = get_i32(h + 788);
  {
    const int32_t facing = get_i32(h + 792);
    lens_state.view_facing = (facing == 6 || facing == 7 || facing == 8) ? facing : 5;
  }
  take(&lens_state.stereo_separation, h + 796);
  take(&lens_state.lens_spare, h + 800);
  {
    const int32_t camera = get_i32(h + 784);
    lens_state.stereo_camera = (camera == 2 || camera == 3) ? camera : 1;
  }
  targa_compression = get_i32(h + 852);
  return 2;
}

int32_t apply_loaded_header() {
  if (header_has_magic(old_dem_header, kOldMagic)) return apply_old_header();
  if (header_has_magic(old_dem_header, kDl4Magic)) return apply_dl4_header();
  return 0;
}
