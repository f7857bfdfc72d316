// The generated frames of the camera path: the frame array allocated once at start-up, and its counts.
#pragma once

#include <cstdint>

// One generated frame: the camera pose of one picture.
struct PathFrame {
  float x, y;          // world position in metres
  float altitude;      // camera altitude in metres
  float bank;          // degrees
  float heading;       // degrees; 0 looks along +y
  float pitch;         // degrees
  float target_x, target_y, target_z;  // look-at point, valid when has_target is 1
  float work;          // scratch value of the smoothing passes
  int32_t has_target;  // 1 when the frame looks at its target point
  int32_t node_index;  // node that begins the segment which produced the frame
};

constexpr int32_t kPathFramesWanted = 10000;
constexpr int32_t kPathFramesFallback = 5000;

extern PathFrame* path_frames;       // allocated once at engine initialisation; null when that failed
extern int32_t path_frame_count;     // frames in use
extern int32_t path_frame_capacity;  // allocated frames minus 1; generation keeps the count below it
extern int32_t current_frame;        // the frame shown by the Path panel and copied into the camera
extern int32_t path_node_count;      // nodes of the path in use (the node table comes with the path model)

// Allocates room for 10000 frames, else 5000 ("Out of memory (map)!" when neither fits); does nothing
// when the array exists. The array is not cleared.
void alloc_path_frames();
// No nodes and no frames; nothing else changes.
void clear_path();
// Releases the frame array (end of the program and tests).
void free_path_frames();
