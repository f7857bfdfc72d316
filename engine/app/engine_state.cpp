// One reset for the whole engine state, so start-up and every test begin from the same values.
#include "engine/app/engine_state.h"

#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/waves.h"
#include "engine/raster/render_window.h"
#include "engine/scene/cloud_layer.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_input.h"
#include "engine/ui/screen.h"
#include "engine/ui/status.h"

void reset_engine_state() {
  reset_settings_defaults();
  reset_color_class_settings();
  reset_camera_state();
  reset_wave_settings();
  reset_cloud_settings();
  reset_grid_spacing();
  status_reset_state();
  screen_reset_state();
  panel_input_reset();
  draw_xor_box_forget();
  render_window_reset();
  user_abort = 0;
  engine_busy = 0;
}
