// Frame work of the script runner: derived data, render with background and foreground, preview and writers.
//
// Engine operations a scripted frame needs that are not available in the engine yet; each step below
// marks where it belongs, and the step is skipped until then: preview_show_image.
#include "engine/animation/script_frame_ops.h"

#include <cstdio>

#include "engine/animation/script_interpreter.h"
#include "engine/animation/script_runner.h"
#include "engine/files/background_image.h"
#include "engine/files/bmp_image.h"
#include "engine/files/dan_writer.h"
#include "engine/files/file_messages.h"
#include "engine/files/flc_writer.h"
#include "engine/files/jpeg_image.h"
#include "engine/files/movie_writer.h"
#include "engine/files/pcx_image.h"
#include "engine/files/targa.h"
#include "engine/host/host.h"
#include "engine/landscape/camera.h"
#include "engine/core/color_classes.h"
#include "engine/render/render_start.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"
#include "engine/raster/frame_buffers.h"
#include "engine/render/lighting.h"
#include "engine/render/palette_predict.h"
#include "engine/render/render_frame.h"
#include "engine/raster/view_transform.h"

namespace {

// A frame that was not written: the series writers show no message of their own.
int32_t report_not_written(const char* name) {
  msg_error_writing(name);
  return 0;
}

int32_t write_series_frame(int32_t kind, const char* name) {
  switch (kind) {
    case kOutputPcxSeries: return save_screen_pcx(name);
    case kOutputTargaSeries: return targa_save_frame(name);
    case kOutputJpegSeries: return save_jpeg_screen(name);
    default: return bmp_save_render_image(name);
  }
}

}  // namespace

namespace {
// A background or foreground picture that cannot be read is a script error naming the keyword and the
// file; "Continue" renders the frame without it, "Cancel" stops the script (-1).
int32_t picture_unreadable(const char* keyword, const char* name) {
  ++script_errors_shown;
  std::snprintf(text_buffer, sizeof text_buffer, "Script error: %s %s: the picture cannot be read", keyword, name);
  return requester(text_buffer, "Continue", "Cancel") == 1 ? 1 : -1;
}
}  // namespace

int32_t script_frame_prepare() {
  render_settings.grid_step = 1;
  scheme_sky_colors();
  set_flat_intensity();
  build_strata_bands();
  compute_altitude_quartiles();
  return prepare_render() == 1 ? 1 : -1;
}

int32_t script_frame_render(int32_t frame, int32_t count) {
  if (!render_settings.sky_enabled || !render_settings.horizon_enabled) clear_frame_buffers();
  reset_palette();
  set_view_matrix(camera_state.camera_bank, camera_state.camera_heading, camera_state.camera_pitch);
  if (render_settings.background_enabled && load_background_image() != 1 &&
      picture_unreadable("BackgroundFile", background_name) == -1)
    return -1;
  const int32_t rr = render_frame(frame, count);
  if (rr == 1 && render_settings.foreground_enabled && load_foreground_image() != 1 &&
      picture_unreadable("ForegroundFile", foreground_name) == -1)
    return -1;
  if ((render_settings.background_enabled || render_settings.foreground_enabled) && vidmem24.rows && vidmem8.rows) convert_vidmem24_to_8();
  return rr;
}

void script_frame_show() {
  // Pending: preview_show_image.
}

void script_frame_status(const char* text) { show_status(text); }

int32_t script_frame_write(int32_t kind, const char* base_name, int32_t frame) {
  switch (kind) {
    case kOutputPcxSeries:
    case kOutputTargaSeries:
    case kOutputJpegSeries:
    case kOutputBmpSeries: {
      if (!format_frame_file_name(kind, base_name, frame, frame_file_name, sizeof frame_file_name)) {
        // The base name leaves no room for the frame number and extension.
        char shown[300];
        std::snprintf(shown, sizeof shown, "%.255s%05d", base_name ? base_name : "", frame);
        return report_not_written(shown);
      }
      if (write_series_frame(kind, frame_file_name) == 1) return 1;
      return report_not_written(frame_file_name);
    }
    case kOutputFrameSequence:
    case kOutputFlc: {
      std::snprintf(frame_file_name, sizeof frame_file_name, "%s", base_name ? base_name : "");
      const int32_t r = kind == kOutputFlc ? flc_append_frame(frame_file_name, animation_state.frame_rate)
                                           : dan_append_frame(frame_file_name);
      return r == 1 ? 1 : report_not_written(frame_file_name);
    }
    case kOutputAvi:
    case kOutputMpeg:
      if (avi_write_frame(frame) == 1) return 1;
      return report_not_written(base_name ? base_name : "");
    default:
      return 1;  // any other kind writes nothing
  }
}
