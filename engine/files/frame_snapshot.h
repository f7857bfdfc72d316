// A copy of the 32-bit frame's image area, taken before a picture is loaded into it and put back when the
// load fails, so that a failed load leaves the frame as it was.
#pragma once

#include <cstdint>

struct FrameSnapshot {
  uint32_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
};

// Copies the image area of vidmem24 (nothing when it is absent); 1 taken, 0 when memory runs out.
int32_t frame_snapshot_take(FrameSnapshot* snapshot);
// Puts the copy back into the frame.
void frame_snapshot_restore(const FrameSnapshot& snapshot);
void frame_snapshot_free(FrameSnapshot* snapshot);

// Runs load (1 loaded) with a snapshot taken first: any other result puts the frame back as it was.
// When the snapshot cannot be taken the load is not tried and 0 is returned.
template <typename Load>
int32_t load_keeping_frame(Load&& load) {
  FrameSnapshot snapshot;
  if (!frame_snapshot_take(&snapshot)) return 0;
  const int32_t result = load();
  if (result != 1) frame_snapshot_restore(snapshot);
  frame_snapshot_free(&snapshot);
  return result;
}
