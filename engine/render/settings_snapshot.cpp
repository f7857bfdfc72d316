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
#include "engine/landscape/color_classes.h"
#include "engine/landscape/float_convert.h"
#include "engine/landscape/grid.h"
#include "engine/landscape/render_start.h"
#include "engine/landscape/settings.h"
#include "engine/landscape/sun.h"
#include "engine/landscape/waves.h"
#include "engine/panels/render_window.h"
#include "engine/render/frame_buffers.h"
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
  put_f32(h + 236, camera_x);
  put_f32(h + 240, camera_y);
  put_f32(h + 244, camera_z);
  put_f32(h + 248, target_x);
  put_f32(h + 252, target_y);
  put_f32(h + 256, target_z);
  put_f32(h + 260, static_cast<float>(camera_height));
  put_f32(h + 264, camera_bank);
  put_f32(h + 268, camera_heading);
  put_f32(h + 272, camera_pitch);
  put_f32(h + 276, lens_scale);
  put_i32(h + 280, lock_x);
  put_i32(h + 284, lock_y);
  put_i32(h + 288, lock_z);
  put_i32(h + 292, auto_exposure);
  put_i32(h + 296, trunc_to_i32(sun_azimuth));
  put_i32(h + 300, trunc_to_i32(sun_declination));
  put_i32(h + 304, contrast);
  put_i32(h + 308, brightness);
  put_i32(h + 312, exaggerate_shading);
  put_i32(h + 316, shadows_enabled);
  put_i32(h + 320, light_roughness);
  put_i32(h + 324, sky_enabled);
  put_i32(h + 328, horizon_enabled);
  put_i32(h + 332, haze_density);
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
  put_i32(h + 384, stars_enabled);
  put_i32(h + 388, moon_enabled);
  put_f32(h + 392, moon_distance);
  put_i32(h + 396, moon_size);
  put_f32(h + 400, moon_position_x);
  put_f32(h + 404, moon_position_y);
  put_f32(h + 408, moon_position_z);
  put_f32(h + 412, moon_rotation_x);
  put_f32(h + 416, moon_rotation_y);
  put_f32(h + 420, moon_rotation_z);
  put_f32(h + 424, sun_distance);
  put_i32(h + 428, sun_size);
  put_f32(h + 432, sun_position_x);
  put_f32(h + 436, sun_position_y);
  put_f32(h + 440, sun_position_z);
  put_f32(h + 444, sun_rotation_x);
  put_f32(h + 448, sun_rotation_y);
  put_f32(h + 452, sun_rotation_z);
  put_i32(h + 456, snow_line);
  put_i32(h + 460, tree_line);
  put_i32(h + 464, line_roughness);
  put_i32(h + 468, roughness_enabled);
  put_i32(h + 472, roughness_weight);
  put_i32(h + 476, roughness_radius);
  put_i32(h + 480, cliffs_enabled);
  put_i32(h + 484, cliff_angle);
  put_i32(h + 488, cliff_mode);
  put_i32(h + 492, 0);
  put_f32(h + 496, strata_normal_x);
  put_f32(h + 500, strata_normal_y);
  put_f32(h + 504, strata_normal_z);
  put_i32(h + 508, strata_thickness);
  put_i32(h + 512, strata_warp);
  put_i32(h + 516, sea_level);
  put_i32(h + 520, waves_enabled);
  put_f32(h + 524, wave_length);
  put_f32(h + 528, wave_period);
  put_f32(h + 532, wave_height);
  put_f32(h + 536, wave_phase);
  put_f32(h + 540, wave_direction);
  for (int32_t i = 0; i < 4; ++i) {
    put_i32(h + 544 + 4 * i, tree_density[i]);
    put_i32(h + 560 + 4 * i, tree_size[i]);
    put_i32(h + 576 + 4 * i, tree_class_masks[i]);
  }
  session_tree_pick_tables_get(h + 592);
  put_i32(h + 608, trees_enabled);
  put_i32(h + 612, session_mean_tree_density());
  put_i32(h + 616, session_mean_tree_size());
  put_i32(h + 620, tree_detail);
  put_bytes4(h + 624, tree_leaves);
  put_bytes4(h + 628, branch_bend);
  put_i32(h + 632, trees_3d);
  put_i32(h + 636, tree_textures_enabled);
  put_i32(h + 640, detail_enabled);
  put_i32(h + 644, detail_level);
  put_i32(h + 648, detail_param_a);
  put_i32(h + 652, detail_param_b);
  put_i32(h + 656, max_polygon_size);
  put_i32(h + 660, max_detail_depth);
  put_i32(h + 664, horizontal_deform);
  put_i32(h + 668, fractal_amplitude_first());
  put_i32(h + 672, fractal_amplitude_last());
  put_i32(h + 676, blend_colors);
  put_i32(h + 680, gouraud_enabled);
  put_f32(h + 684, vertical_scale);
  put_i32(h + 688, region_mode);
  put_i32(h + 692, fractal_seed);
  put_i32(h + 696, fractal_roughness);
  put_i32(h + 700, feature_size);
  put_i32(h + 704, island_mode);
  put_i32(h + 708, topo_click_mode);
  put_i32(h + 712, palette_locked);
  put_i32(h + 716, dither_amount);
  put_i32(h + 720, dither_type);
  put_i32(h + 724, antialias_mode);
  put_i32(h + 728, phong_enabled);
  put_i32(h + 732, flare_enabled);
  put_i32(h + 736, proj_width);
  put_i32(h + 740, proj_height);
  put_i32(h + 744, image_width);
  put_i32(h + 748, image_height);
  put_i32(h + 752, render_client_width);
  put_i32(h + 756, render_client_height);
  put_i32(h + 760, display_depth);
  put_i32(h + 764, 0);
  put_i32(h + 768, palette_colors);
  put_i32(h + 772, view_mode);
  put_i32(h + 776, 1);
  put_i32(h + 780, 1);
  put_i32(h + 784, stereo_camera);
  put_i32(h + 788, stereo_image_shift);
  put_i32(h + 792, view_facing);
  put_f32(h + 796, stereo_separation);
  put_f32(h + 800, lens_spare);
  put_i32(h + 804, animation_output);
  put_i32(h + 808, backface_culling);
  put_i32(h + 812, bbox_enabled);
  put_i32(h + 816, bbox_x0);
  put_i32(h + 820, bbox_y0);
  put_i32(h + 824, bbox_x1);
  put_i32(h + 828, bbox_y1);
  put_i32(h + 832, render_range);
  put_i32(h + 836, background_enabled);
  put_i32(h + 840, foreground_enabled);
  put_i32(h + 852, targa_compression);
  put_i32(h + 856, get_jpeg_quality());
}

int32_t apply_dl4_header() {
  const uint8_t* h = dem_header;
  // 1. Origin and spacings again. A spacing divides world positions, so it must be a positive number.
  origin_x = get_i32(h + dl4::kOrigin);
  origin_y = get_i32(h + dl4::kOrigin + 4);
  origin_z = get_i32(h + dl4::kOrigin + 8);
  {
    const float sx = get_f32(h + dl4::kSpacing), sy = get_f32(h + dl4::kSpacing + 4),
                sz = get_f32(h + dl4::kSpacing + 8);
    grid_spacing_x = finite(sx) && sx > 0.0f ? sx : 30.0f;
    grid_spacing_y = finite(sy) && sy > 0.0f ? sy : 30.0f;
    grid_spacing_z = finite(sz) ? sz : 1.0f;
  }

  // 2. Camera and lens.
  take(&camera_x, h + 236);
  take(&camera_y, h + 240);
  take(&camera_z, h + 244);
  take(&target_x, h + 248);
  take(&target_y, h + 252);
  take(&target_z, h + 256);
  camera_height = trunc_to_i32(get_f32(h + 260));
  take(&camera_bank, h + 264);
  take(&camera_heading, h + 268);
  take(&camera_pitch, h + 272);
  {
    const float s = get_f32(h + 276);
    if (finite(s) && s >= kMinLensScale && s <= kMaxLensScale) {
      lens_scale = s;
      lens_scale_inv = 1.0f / lens_scale;
      focal_length = trunc_to_i32(lens_scale * 16.0f);
    }
  }
  lock_x = get_i32(h + 280);
  lock_y = get_i32(h + 284);
  lock_z = get_i32(h + 288);
  auto_exposure = get_i32(h + 292);

  // 3. Light.
  sun_azimuth = static_cast<float>(get_i32(h + 296));
  sun_declination = static_cast<float>(get_i32(h + 300));
  exaggerate_shading = get_i32(h + 312);
  contrast = get_i32(h + 304);
  brightness = get_i32(h + 308);
  shadows_enabled = get_i32(h + 316);
  light_roughness = get_i32(h + 320);
  light_tables_stale = 1;
  update_sun_vector();
  scheme_sky_colors();

  // 4. Sky, haze and clouds.
  sky_enabled = get_i32(h + 324);
  horizon_enabled = get_i32(h + 328);
  haze_density = get_i32(h + 332);
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
  stars_enabled = get_i32(h + 384);
  moon_enabled = get_i32(h + 388);
  take(&moon_distance, h + 392);
  session_set_moon_size(get_i32(h + 396));
  take(&moon_position_x, h + 400);
  take(&moon_position_y, h + 404);
  take(&moon_position_z, h + 408);
  take(&moon_rotation_x, h + 412);
  take(&moon_rotation_y, h + 416);
  take(&moon_rotation_z, h + 420);
  take(&sun_distance, h + 424);
  session_set_sun_size(get_i32(h + 428));
  take(&sun_position_x, h + 432);
  take(&sun_position_y, h + 436);
  take(&sun_position_z, h + 440);
  take(&sun_rotation_x, h + 444);
  take(&sun_rotation_y, h + 448);
  take(&sun_rotation_z, h + 452);

  // 6. Terrain colouring.
  snow_line = get_i32(h + 456);
  tree_line = get_i32(h + 460);
  line_roughness = get_i32(h + 464);
  roughness_enabled = get_i32(h + 468);
  roughness_weight = get_i32(h + 472);
  roughness_radius = get_i32(h + 476);
  cliffs_enabled = get_i32(h + 480);
  cliff_angle = get_i32(h + 484);
  cliff_mode = get_i32(h + 488);
  take(&strata_normal_x, h + 496);
  take(&strata_normal_y, h + 500);
  take(&strata_normal_z, h + 504);
  strata_thickness = get_i32(h + 508);
  strata_warp = get_i32(h + 512);
  set_cliff_angle(cliff_angle);
  build_strata_bands();

  // 7. Water. The wave period divides the phase step; set_wave_period keeps it non-zero.
  sea_level = get_i32(h + 516);
  waves_enabled = get_i32(h + 520);
  take(&wave_length, h + 524);
  {
    const float period = get_f32(h + 528);
    if (finite(period)) set_wave_period(period);
  }
  take(&wave_height, h + 532);
  take(&wave_phase, h + 536);
  take(&wave_direction, h + 540);
  waves_recompute();

  // 8. Trees.
  for (int32_t i = 0; i < 4; ++i) {
    tree_density[i] = get_i32(h + 544 + 4 * i);
    tree_size[i] = get_i32(h + 560 + 4 * i);
    tree_class_masks[i] = get_i32(h + 576 + 4 * i);
  }
  session_tree_pick_tables_set(h + 592);
  trees_enabled = get_i32(h + 608);
  tree_detail = get_i32(h + 620);
  trees_3d = get_i32(h + 632);
  tree_textures_enabled = get_i32(h + 636);
  for (int32_t i = 0; i < 4; ++i) {
    tree_leaves[i] = h[624 + i];
    branch_bend[i] = h[628 + i];
  }

  // 9. Surface detail; the recursion depth stays within what the subdivision supports.
  detail_enabled = get_i32(h + 640);
  detail_level = get_i32(h + 644);
  detail_param_a = get_i32(h + 648);
  detail_param_b = get_i32(h + 652);
  max_polygon_size = get_i32(h + 656);
  max_detail_depth = std::clamp(get_i32(h + 660), 0, kMaxTerrainDetailDepth);
  horizontal_deform = get_i32(h + 664);
  set_fractal_amplitude_first(get_i32(h + 668));
  set_fractal_amplitude_last(get_i32(h + 672));

  // 10. Rendering switches.
  blend_colors = get_i32(h + 676);
  gouraud_enabled = get_i32(h + 680);
  {
    const float vs = get_f32(h + 684);
    if (finite(vs)) built_vertical_scale = vertical_scale = vs;
  }
  {
    const int32_t rm = get_i32(h + 688);
    if (rm == 1 || rm == 2) region_mode = rm;
  }
  fractal_seed = get_i32(h + 692);
  fractal_roughness = get_i32(h + 696);
  feature_size = get_i32(h + 700);
  island_mode = get_i32(h + 704);
  {
    const int32_t mode = get_i32(h + 708);
    topo_click_mode = valid_click_mode(mode) ? mode : 0;
  }
  palette_locked = get_i32(h + 712);
  dither_amount = get_i32(h + 716);
  dither_type = get_i32(h + 720);
  antialias_mode = get_i32(h + 724);
  phong_enabled = get_i32(h + 728);
  flare_enabled = get_i32(h + 732);

  // 11. Image size (set_image_size keeps it within its limits).
  set_image_size(get_i32(h + 744), get_i32(h + 748));
  render_window_refresh(image_width, image_height, display_depth);

  // 12. Palette size, culling, the marked region within the landscape, range, pictures.
  palette_colors = std::clamp(get_i32(h + 768), 2, 256);
  backface_culling = get_i32(h + 808);
  bbox_enabled = get_i32(h + 812);
  bbox_x0 = std::clamp(get_i32(h + 816), 0, land_width);
  bbox_y0 = std::clamp(get_i32(h + 820), 0, land_height);
  bbox_x1 = std::clamp(get_i32(h + 824), 0, land_width);
  bbox_y1 = std::clamp(get_i32(h + 828), 0, land_height);
  render_range = get_i32(h + 832);
  background_enabled = get_i32(h + 836);
  foreground_enabled = get_i32(h + 840);

  // 13. Stereo and view direction.
  stereo_image_shift = get_i32(h + 788);
  {
    const int32_t facing = get_i32(h + 792);
    view_facing = (facing == 6 || facing == 7 || facing == 8) ? facing : 5;
  }
  take(&stereo_separation, h + 796);
  take(&lens_spare, h + 800);
  {
    const int32_t camera = get_i32(h + 784);
    stereo_camera = (camera == 2 || camera == 3) ? camera : 1;
  }
  targa_compression = get_i32(h + 852);
  return 2;
}

int32_t apply_loaded_header() {
  if (header_has_magic(old_dem_header, kOldMagic)) return apply_old_header();
  if (header_has_magic(old_dem_header, kDl4Magic)) return apply_dl4_header();
  return 0;
}
