// Frame work of the script runner: derived data, render with background and foreground, preview and writers.
//
// Engine operations a scripted frame needs that are not available in the engine yet; each step below
// marks where it belongs, and the step is skipped until then:
//   scheme_sky_colors, prepare_render, reset_palette, set_view_matrix, load_background_image,
//   load_foreground_image, preview_show_image, and the writers of PCX, JPEG and BMP series,
//   frame-sequence files, FLC files and movies.
#include "engine/animation/script_frame_ops.h"

#include <cstdio>

#include "engine/animation/script_runner.h"
#include "engine/files/targa.h"
#include "engine/host/host.h"
#include "engine/landscape/color_classes.h"
#include "engine/landscape/settings.h"
#include "engine/panels/engine_control.h"
#include "engine/panels/requesters.h"
#include "engine/render/frame_buffers.h"
#include "engine/render/lighting.h"
#include "engine/render/render_frame.h"

namespace {

// An output kind whose writer is not available: the frame cannot be written.
int32_t writer_unavailable(const char* name) {
  std::snprintf(text_buffer, sizeof text_buffer, "Error writing file:\n%s", name);
  requester(text_buffer, "  OK  ", nullptr);
  return 0;
}

}  // namespace

int32_t script_frame_prepare() {
  grid_step = 1;
  // Pending: scheme_sky_colors.
  set_flat_intensity();
  build_strata_bands();
  compute_altitude_quartiles();
  // Pending: prepare_render (colours, cliffs, shading, tree tables, 8-bit palette; -1 when stopped).
  return 1;
}

int32_t script_frame_render(int32_t frame, int32_t count) {
  if (!sky_enabled || !horizon_enabled) clear_frame_buffers();
  // Pending: reset_palette, set_view_matrix (camera_bank, camera_heading, camera_pitch).
  // Pending: load_background_image when background_enabled.
  const int32_t rr = render_frame(frame, count);
  // Pending: load_foreground_image when rr is 1 and foreground_enabled.
  if ((background_enabled || foreground_enabled) && vidmem24.rows && vidmem8.rows) convert_vidmem24_to_8();
  return rr;
}

void script_frame_show() {
  // Pending: preview_show_image.
}

void script_frame_status(const char* text) { host().status_strip(text); }

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
        return writer_unavailable(shown);
      }
      if (kind == kOutputTargaSeries) {
        if (targa_save_frame(frame_file_name) == 1) return 1;
        return writer_unavailable(frame_file_name);  // the Targa writer shows no message of its own
      }
      return writer_unavailable(frame_file_name);  // Pending: the PCX, JPEG and BMP series writers.
    }
    case kOutputFrameSequence:
    case kOutputFlc:
      std::snprintf(frame_file_name, sizeof frame_file_name, "%s", base_name ? base_name : "");
      return writer_unavailable(frame_file_name);  // Pending: dan_append_frame, flc_append_frame.
    case kOutputAvi:
    case kOutputMpeg:
      return writer_unavailable(base_name ? base_name : "");  // Pending: avi_write_frame.
    default:
      return 1;  // any other kind writes nothing
  }
}
