// The direction picker "getvect": a dial seen from above (north up, horizon on the rim, zenith in the centre) on
// which the user picks the moon, light, wave source or strata direction, with two typed fields for the angles.
#pragma once

#include <cstdint>

struct PanelRecord;

// The picker's modes (the pop-up's id) and field ids.
enum GetvectMode : int32_t { kGetvectMoon = 9, kGetvectLight = 11, kGetvectWave = 12, kGetvectStrata = 13 };
constexpr int32_t kGetvectDeclination = 1218, kGetvectAzimuth = 1217;
constexpr int32_t kDialCenterX = 136, kDialCenterY = 168, kDialRadius = 128;

struct GetvectState {
  float* vector = nullptr;  // the unit vector edited; written only on accept
  float start_azimuth = 0, start_elevation = 0;
  float azimuth = 0, elevation = 0;
  PanelRecord* panel = nullptr;  // the open pop-up, null when none
  int32_t last_dx = -100000, last_dy = -100000;
  int32_t line_x = 0, line_y = 0, line_drawn = 0;
  float wave_vector[3] = {0, 0, 0};  // the wave source's vector while the wave direction is edited
};
extern GetvectState getvect_state;

// Opens the picker over the parent for the vector (for the wave source, pass null: the vector is built from the
// wave direction). Returns the pop-up, or null when it could not be opened.
PanelRecord* getvect(PanelRecord* parent, const char* title, float* vector, int32_t mode);
// Opens the picker for the mode with its own title and vector.
PanelRecord* getvect_for(PanelRecord* parent, int32_t mode);
int32_t getvect_panel_init(PanelRecord* panel);
void getvect_panel_event(PanelRecord* panel);

// Conversions. Azimuth 0 is north (+y), 90 west (-x); elevation 90 the zenith.
void getvect_azimuth_elevation(const float* vector, float* azimuth, float* elevation);
void getvect_angles_to_vector(float azimuth, float elevation, float* vector);
void getvect_dial_to_angles(int32_t dx, int32_t dy, float* azimuth, float* elevation);
void getvect_dial_offset(float angle, float radius, float* dx, float* dy);
// The pointer's signed radius on the dial for an elevation.
int32_t getvect_elevation_radius(float elevation);
// Puts the picker state back (no picker open).
void reset_getvect_state();
