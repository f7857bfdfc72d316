// One reset for the whole engine state, so start-up and every test begin from the same values.
#include "engine/app/engine_state.h"

#include "engine/core/color_classes.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/files/landscape_header.h"
#include "engine/files/session_section_hooks.h"
#include "engine/landscape/camera.h"
#include "engine/landscape/waves.h"
#include "engine/render/landscape_open_save.h"
#include "engine/scene/cloud_layer.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"

void reset_engine_state() {
  reset_settings_defaults();
  reset_color_class_settings();
  reset_camera_state();
  reset_wave_settings();
  reset_cloud_settings();
  reset_grid_spacing();
  reset_landscape_headers();
  reset_session_sections();
  reset_landscape_dialogs();
  status_reset_state();
  user_abort = 0;
  engine_busy = 0;
}
