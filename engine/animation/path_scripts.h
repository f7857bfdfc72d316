// Camera path scripts: new, open, add keyframe, straight flight to the target, the script preview
// (map dots or wire frames, optionally recording frames) and the walkabout.
#pragma once

#include <cstdint>
#include <cstdio>

struct PanelRecord;

// The frame count offered by "Number of frames?"; keeps the last value entered (100 at start).
extern int32_t fly_frames_default;

// What the preview and the walkabout draw; each hook may be null (headless: nothing is drawn).
struct PathPreviewHooks {
  void (*map_pixel)(int32_t x, int32_t y, int32_t index) = nullptr;  // a dot in the current window
  void (*preview_draw)(int32_t flag) = nullptr;  // preview: 1 perspective, 0 plan; walkabout: 1 detailed
  void (*realize_palette)(PanelRecord* panel) = nullptr;
};
extern PathPreviewHooks path_preview_hooks;

// The engine's nominal main area; map dots outside it are not drawn.
constexpr int32_t kMainClientWidth = 788;
constexpr int32_t kMainClientHeight = 554;

// Start values: fly_frames_default 100.
void reset_path_script_state();

// Save dialog, then a new script holding the two header lines. 1 done or cancelled, 0 refused or failed.
int32_t path_script_new();
// Open dialog: the chosen file becomes script_path; its header is checked. 1.
int32_t path_script_open();
// The path between double quotes and " is not a script file", with "  OK  ".
void script_not_a_script_message(const char* path);
// Appends the camera pose to script_path as "%5d, %5d, %5d, %4d, %4d, %4d,"; 1 done, else 0.
int32_t path_script_add_keyframe();
// A straight flight from the camera to the target as a new script; 1 written, 0 refused or failed,
// -1 cancelled.
int32_t path_script_fly_to_target();
// Writes the straight flight of frames keyframes (clamped to 0 .. 99999) to an open file.
void write_straight_flight(FILE* file, int32_t frames);
// Plays a script's keyframes on the map or as wire frames at fps frames per second; with record
// every keyframe is appended as a frame. 0 when cancelled, unreadable or not a script, else 1.
int32_t preview_path_script(int32_t fps, int32_t record);
// Map pixel of a camera position for the map-mode preview.
void preview_map_pixel(float x, float y, int32_t* mx, int32_t* my);
// The interactive walk over the ground in the wire-frame preview; 1.
int32_t walkabout(PanelRecord* panel);
