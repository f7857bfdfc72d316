// Playing the camera path in the Preview panel frame by frame at the animation's frame rate.
#include "engine/animation/path_camera.h"
#include "engine/animation/path_model.h"
#include "engine/host/host.h"
#include "engine/panels/path_profile.h"
#include "engine/panels/preview_panel.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/screen.h"
#include "engine/ui/status.h"

int32_t preview_path(int32_t start, int32_t fps, int32_t) {
  PanelRecord* panel = path_panel();
  disable_panel_gadgets(panel);
  if (fps <= 0) fps = 1;
  const uint32_t frame_time = static_cast<uint32_t>(1000 / fps);
  uint32_t t = tick_count();
  int32_t i = start < 0 ? 0 : start;
  for (; path_frames && i < path_frame_count; ++i) {
    window_stack_push();
    use_preview_window();
    const bool stop = poll_user_abort() == -1;
    if (stop) {
      window_stack_pop();
      break;
    }
    uint32_t deadline = t + frame_time;
    for (;;) {
      const uint32_t now = tick_count();
      if (now < t) {  // the tick count wrapped
        deadline = now;
        break;
      }
      if (now >= deadline) break;
      sleep_ms(1);
    }
    t = deadline;
    camera_to_path_frame(i);
    use_preview_window();
    preview_draw(host().key_down('C') ? 0 : 1);
    window_stack_pop();
    current_frame = i;
  }
  aim_target_ahead();
  enable_panel_gadgets(panel);
  return i;
}
