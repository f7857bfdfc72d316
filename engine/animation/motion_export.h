// Camera flights out and in as frames: the motion script export and frames recorded from the camera.
#pragma once

#include <cstdint>

// The first two lines of every camera path script.
constexpr char kPathScriptHeader[] = "Dalve Script File";
constexpr char kPathScriptColumns[] =
    "  CameraX,   CameraY,   CameraZ,      Bank,   Heading,     Pitch,  (delta)";

// Writes the frames as a script of keyframe lines. Bank, heading and pitch are folded into
// -180 .. 180 in the frames first. 1 written; 0 when the file does not open ("Error opening motion
// file %s") or a write failed ("Error writing file:"; the partial file is removed).
int32_t export_motion_script(const char* path);
// The "Export path" dialog: save requester, replace confirmation, export.
void export_motion_dialog();
// Appends the camera pose as the next frame; a full array keeps the pose out and gives 0, else 1.
int32_t append_camera_frame();
// Frames from a camera path script: clears the path, then plays the script with recording on.
int32_t import_script_path();
