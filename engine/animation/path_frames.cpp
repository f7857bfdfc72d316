// Allocation of the camera-path frame array and emptying the path.
#include "engine/animation/path_frames.h"

#include <initializer_list>

#include "engine/host/host.h"
#include "engine/ui/requesters.h"

PathFrame* path_frames = nullptr;
int32_t path_frame_count = 0;
int32_t path_frame_capacity = 0;
int32_t current_frame = 0;
int32_t path_node_count = 0;

void alloc_path_frames() {
  if (path_frames) return;
  for (const int32_t frames : {kPathFramesWanted, kPathFramesFallback}) {
    void* block = host().alloc_zeroed(sizeof(PathFrame) * static_cast<size_t>(frames));
    if (block) {
      path_frames = static_cast<PathFrame*>(block);
      path_frame_capacity = frames - 1;
      return;
    }
  }
  path_frame_capacity = 0;
  requester("Out of memory (map)!", "  OK  ", nullptr);
}

void clear_path() {
  path_frame_count = 0;
  path_node_count = 0;
}

void free_path_frames() {
  if (path_frames) host().free_block(path_frames);
  path_frames = nullptr;
  path_frame_capacity = 0;
  path_frame_count = 0;
  current_frame = 0;
}
