// The direction picker: its dial, pointer and reference line, the angle conversions, and accepting a direction.
#include "engine/panels/direction_picker.h"

#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstdio>

#include "engine/core/grid.h"
#include "engine/core/maths.h"
#include "engine/core/settings.h"
#include "engine/host/frontend_services.h"
#include "engine/landscape/sun.h"
#include "engine/landscape/waves.h"
#include "engine/panels/gadget_table.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_hooks.h"
#include "engine/ui/panel_input.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/screen.h"

GetvectState getvect_state;

namespace {
constexpr double kRad = M_PI / 180.0;
const char* const kTitles[] = {"       Set moon position:       ", "      Select light source:      ",
                               "      Select wave source:       ", "   Select stacking direction:   "};
char getvect_title[64];
char declination_text[16], azimuth_text[16];
GadgetRecord picker_gadgets[4];
bool in_event = false;

GadgetRecord* link_picker_gadgets() {
  using gadget_table::make;
  picker_gadgets[0] = make(kGadgetLabel, 0, 20, 302, 0, "Declination...........", nullptr);
  picker_gadgets[1] = make(kGadgetFloat, 0, 204, 302, kGetvectDeclination, nullptr,
                           "Declination angle (degrees above the horizon).", 0, 6, 0, declination_text,
                           sizeof declination_text);
  picker_gadgets[2] = make(kGadgetLabel, 0, 20, 330, 0, "Azimuth...............", nullptr);
  picker_gadgets[3] = make(kGadgetFloat, 0, 204, 330, kGetvectAzimuth, nullptr, "Azimuth angle (degrees from north).",
                           0, 6, 0, azimuth_text, sizeof azimuth_text);
  return gadget_table::link(picker_gadgets, 4);
}

float wrap_azimuth(float a) { return a >= 180.0f ? a - 360.0f : a; }

void draw_dial(PanelRecord* panel) {
  pointer_hide();
  panel_draw_text(panel, getvect_title, 8, 12, ui_color_text, ui_color_face);
  const int32_t cx = kDialCenterX, cy = kDialCenterY, y = cy - 8;
  panel_draw_text(panel, "0", cx + 128 - 5, y, ui_color_text, ui_color_face);
  const char* labels[] = {"15", "30", "45", "60", "75"};
  const int32_t f[] = {213, 171, 128, 85, 43};
  for (int32_t i = 0; i < 5; ++i) panel_draw_text(panel, labels[i], cx + 128 * f[i] / 256 - 8, y, ui_color_text, ui_color_face);
  draw_circle(panel, cx, cy, 128, 0);
  draw_circle(panel, cx, cy, 64, 0);
  for (const int32_t g : {213, 171, 85, 43}) draw_circle(panel, cx, cy, 128 * g / 256, ui_color_shadow);
  getvect_state.line_drawn = 0;
  pointer_show();
}

void draw_line_xor(PanelRecord* panel, int32_t x1, int32_t y1) {
  GetvectState& s = getvect_state;
  if (s.line_drawn) panel_draw_line(panel, kDialCenterX, kDialCenterY, s.line_x, s.line_y, ui_color_invert);
  panel_draw_line(panel, kDialCenterX, kDialCenterY, x1, y1, ui_color_invert);
  s.line_x = x1, s.line_y = y1, s.line_drawn = 1;
}

void show_angles(PanelRecord* panel, float azimuth, float elevation) {
  set_gadget_float(panel, kGetvectAzimuth, std::bit_cast<int32_t>(wrap_azimuth(azimuth)));
  set_gadget_float(panel, kGetvectDeclination, std::bit_cast<int32_t>(elevation));
}

void draw_pointer(PanelRecord* panel, float azimuth, float elevation) {
  float dx, dy;
  getvect_dial_offset(azimuth, static_cast<float>(getvect_elevation_radius(elevation)), &dx, &dy);
  draw_line_xor(panel, kDialCenterX + static_cast<int32_t>(dx), kDialCenterY + static_cast<int32_t>(dy));
  show_angles(panel, azimuth, elevation);
}

void draw_reference(PanelRecord* panel, float azimuth, float elevation) {
  const float r = static_cast<float>(getvect_elevation_radius(elevation));
  float dx, dy;
  getvect_dial_offset(azimuth, r, &dx, &dy);
  const float lim = std::fabs(r);
  dx = dx >= lim ? lim : (dx <= -lim ? -lim : dx);
  dy = dy >= lim ? lim : (dy <= -lim ? -lim : dy);
  panel_draw_line(panel, kDialCenterX, kDialCenterY, kDialCenterX + static_cast<int32_t>(dx),
                  kDialCenterY + static_cast<int32_t>(dy), ui_color_edit);
}

// The dial, the start direction from the vector, and the reference line.
void start_from_vector(PanelRecord* panel) {
  GetvectState& s = getvect_state;
  panel_attach_gadgets(panel, picker_gadgets);
  draw_dial(panel);
  getvect_azimuth_elevation(s.vector, &s.start_azimuth, &s.start_elevation);
  s.azimuth = s.start_azimuth, s.elevation = s.start_elevation;
  draw_reference(panel, s.start_azimuth, s.start_elevation);
}

void accept(PanelRecord* panel) {
  GetvectState& s = getvect_state;
  float v[3];
  getvect_angles_to_vector(s.azimuth, s.elevation, v);
  for (int32_t i = 0; i < 3; ++i) s.vector[i] = v[i];
  switch (panel->id) {
    case kGetvectMoon:
      sun_moon_state.moon_position_x = sun_moon_state.moon_distance * v[0];
      sun_moon_state.moon_position_y = sun_moon_state.moon_distance * v[1];
      sun_moon_state.moon_position_z = sun_moon_state.moon_distance * v[2];
      preview_refresh();
      break;
    case kGetvectLight:
      light_state.light_tables_stale = 1;
      update_sun_angles();
      derived_data.palette_stale = land_width;
      derived_data.shades_done_step = land_width;
      main_panels_redraw();
      break;
    case kGetvectWave:
      set_wave_direction(atan2_deg(v[1], v[0]) - 180.0f);
      break;
    case kGetvectStrata:
      derived_data.colors_done_step = land_width;
      derived_data.cliffs_done_step = land_width;
      break;
    default: break;
  }
}
}  // namespace

void getvect_azimuth_elevation(const float* v, float* azimuth, float* elevation) {
  float a = atan2_deg(v[0], v[1]) - 90.0f;
  *azimuth = wrap_azimuth(a);
  *elevation = atan2_deg(static_cast<float>(std::sqrt(static_cast<double>(v[0]) * v[0] + static_cast<double>(v[1]) * v[1])), v[2]);
}

void getvect_angles_to_vector(float azimuth, float elevation, float* v) {
  const double az = azimuth * kRad, el = elevation * kRad;
  double x = -std::sin(az) * std::cos(el), y = std::cos(az) * std::cos(el), z = std::sin(el);
  const double len = std::sqrt(x * x + y * y + z * z);
  if (len > 0) x /= len, y /= len, z /= len;
  v[0] = static_cast<float>(x), v[1] = static_cast<float>(y), v[2] = static_cast<float>(z);
}

void getvect_dial_to_angles(int32_t dx, int32_t dy, float* azimuth, float* elevation) {
  double r = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
  if (r > 128) r = 128;
  *elevation = static_cast<float>(std::trunc(90.0 - r * 90.0 / 128.0));
  *azimuth = std::trunc(atan2_deg(static_cast<float>(dx), static_cast<float>(-dy)) - 90.0f);
}

void getvect_dial_offset(float angle, float radius, float* dx, float* dy) {
  const double t = -(angle + 90.0) * kRad;
  *dx = static_cast<float>(std::cos(t) * radius);
  *dy = static_cast<float>(std::sin(t) * radius);
}

int32_t getvect_elevation_radius(float elevation) {
  const double t = std::trunc(static_cast<double>(elevation));
  const int32_t e = static_cast<int32_t>(std::fmod(std::fabs(std::isfinite(t) ? t : 0.0), 360.0));
  if (e < 90) return 128 - e * 128 / 90;
  if (e < 180) return -(e - 90) * 128 / 90;
  if (e < 270) return (e - 180) * 128 / 90 - 128;
  return (e - 270) * 128 / 90;
}

PanelRecord* getvect(PanelRecord* parent, const char* title, float* vector, int32_t mode) {
  GetvectState& s = getvect_state;
  if (s.panel) return nullptr;  // one picker at a time
  if (mode == kGetvectWave || !vector) {
    const double d = (wave_settings.wave_direction + 180.0) * kRad;
    s.wave_vector[0] = static_cast<float>(std::sin(d));
    s.wave_vector[1] = static_cast<float>(std::cos(d));
    s.wave_vector[2] = 0;
    vector = s.wave_vector;
  }
  s.vector = vector;
  disable_panel_gadgets(parent);
  cursor_arrow();
  std::snprintf(getvect_title, sizeof getvect_title, "%s", title ? title : "");
  link_picker_gadgets();
  PanelRecord* panel = panel_open(parent, "getvect", mode, -8, -8, 272, 360, getvect_panel_init, getvect_panel_event);
  if (!panel) {
    enable_panel_gadgets(parent);
    return nullptr;
  }
  s.panel = panel;
  s.last_dx = s.last_dy = -100000;
  start_from_vector(panel);
  return panel;
}

PanelRecord* getvect_for(PanelRecord* parent, int32_t mode) {
  static float moon_vector[3];
  switch (mode) {
    case kGetvectMoon: {
      const SunMoonState& m = sun_moon_state;
      const float d = m.moon_distance != 0 ? m.moon_distance : 1;
      moon_vector[0] = m.moon_position_x / d, moon_vector[1] = m.moon_position_y / d, moon_vector[2] = m.moon_position_z / d;
      return getvect(parent, kTitles[0], moon_vector, mode);
    }
    case kGetvectLight: return getvect(parent, kTitles[1], &light_state.light_x, mode);
    case kGetvectWave: return getvect(parent, kTitles[2], nullptr, mode);
    case kGetvectStrata: return getvect(parent, kTitles[3], &terrain_settings.strata_normal_x, mode);
    default: return nullptr;
  }
}

int32_t getvect_panel_init(PanelRecord* panel) {
  if (!getvect_state.vector) return 1;
  start_from_vector(panel);
  return 1;
}

void getvect_panel_event(PanelRecord* panel) {
  if (in_event) return;
  in_event = true;
  int32_t x = 0, y = 0;
  const int32_t r = panel_event(panel, &x, &y);
  in_event = false;
  GetvectState& s = getvect_state;
  if (!s.vector) return;
  const int32_t dx = x - kDialCenterX, dy = y - kDialCenterY;
  switch (r) {
    case 0:
      if (dx == s.last_dx && dy == s.last_dy) return;
      s.last_dx = dx, s.last_dy = dy;
      if (std::abs(dx) <= 128 && std::abs(dy) <= 128) {
        getvect_dial_to_angles(dx, dy, &s.azimuth, &s.elevation);
      } else {
        s.azimuth = s.start_azimuth, s.elevation = s.start_elevation;
      }
      draw_pointer(panel, s.azimuth, s.elevation);
      return;
    case kGetvectAzimuth:
    case kGetvectDeclination:
      s.start_azimuth = gadget_float(panel, kGetvectAzimuth);
      s.start_elevation = gadget_float(panel, kGetvectDeclination);
      s.azimuth = s.start_azimuth, s.elevation = s.start_elevation;
      draw_pointer(panel, s.azimuth, s.elevation);
      return;
    case 1:
      accept(panel);
      break;
    case 3:
      s.azimuth = s.start_azimuth, s.elevation = s.start_elevation;
      break;
    default:
      return;
  }
  PanelRecord* parent = panel->parent;
  s.panel = nullptr;
  s.vector = nullptr;
  ClosePanelWindow(panel);
  enable_panel_gadgets(parent);
}

void reset_getvect_state() { getvect_state = GetvectState{}; }
