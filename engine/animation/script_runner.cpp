// The script runner: counts frame lines, skips to the first frame, executes lines and writes each frame.
#include "engine/animation/script_runner.h"

#include <cstdio>
#include <cstring>

#include "engine/animation/script_arguments.h"
#include "engine/animation/script_frame_ops.h"
#include "engine/animation/script_interpreter.h"
#include "engine/animation/script_keywords.h"
#include "engine/files/file_messages.h"
#include "engine/files/file_open.h"
#include "engine/host/frontend_services.h"
#include "engine/host/host.h"
#include "engine/landscape/camera.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/requesters.h"

char frame_file_name[256];

namespace {

constexpr char kScriptHeader[] = "Dalve Script File";
constexpr int32_t kLastFrameNumber = 99999;

enum class LineRead { kLine, kTooLong, kEnd };

// Reads one line into a buffer of kScriptLineMax + 1 characters, without its line end (a CR in front of
// the LF is dropped too). A line that does not fit is read to its end and reported as too long, so that
// its tail is never taken for a line of its own. Bytes are read one by one, so a zero byte inside a line
// cannot hide its line end. ended_by_lf tells whether the line had its LF.
LineRead read_line(FILE* file, char* line, bool* ended_by_lf = nullptr) {
  int32_t n = 0;
  bool too_long = false;
  bool any = false;
  int c;
  while ((c = std::getc(file)) != EOF) {
    any = true;
    if (c == '\n') break;
    if (n < kScriptLineMax) {
      line[n++] = static_cast<char>(c);
    } else if (c != '\r') {
      too_long = true;
    }
  }
  if (ended_by_lf) *ended_by_lf = c == '\n';
  if (n > 0 && line[n - 1] == '\r' && c == '\n') --n;
  line[n] = 0;
  if (!any) return LineRead::kEnd;
  return too_long ? LineRead::kTooLong : LineRead::kLine;
}

// 1 for a line that produces a frame (keyframe, "Render", "RewriteImage").
int32_t is_frame_line(char* line) {
  if (line_is_numeric(line)) return 1;
  return classify_script_line(line) != 0 ? 1 : 0;
}

// The header is the whole first line, with its line end.
bool is_header(const char* line, bool ended_by_lf) { return ended_by_lf && std::strcmp(line, kScriptHeader) == 0; }

void report_not_a_script(const char* path) {
  std::snprintf(text_buffer, sizeof text_buffer, "\"%s\" is not a script file", path);
  requester(text_buffer, "  OK  ", nullptr);
}

// "Script error: %s" for a line longer than the line buffer, naming its beginning.
int32_t report_long_line(const char* head) {
  char shown[kScriptLineMax + 1];
  std::snprintf(shown, sizeof shown, "%s", head);
  cut_at_newline(shown);
  tabs_to_blanks(shown);
  std::snprintf(text_buffer, sizeof text_buffer, "Script error: %s... (line longer than %d characters)", shown,
                kScriptLineMax);
  return requester(text_buffer, "Continue", "Cancel") == 1 ? 1 : -1;
}

void split_seconds(long seconds, long* h, long* m, long* s) {
  if (seconds < 0) seconds = 0;
  *h = seconds / 3600;
  *m = (seconds % 3600) / 60;
  *s = seconds % 60;
}

// "Frame %d of %d took hh:mm:ss, hh:mm:ss to go" on the main frame's status line.
void show_timing(int32_t frame, int32_t first_frame, double frame_seconds, double total_seconds) {
  char text[160];
  format_frame_timing(frame, animation_state.script_frame_count, frame - first_frame, frame_seconds, total_seconds, text,
                      sizeof text);
  SetStatusLine(text);
}

// Runs the lines after the skipped ones until the end, a stop or a failure.
int32_t run_lines(FILE* file, const char* base_name, int32_t first_frame) {
  char line[kScriptLineMax + 1];
  int32_t frame = first_frame;
  uint32_t previous_tick = host().tick_count();
  double total_seconds = 0.0;
  for (;;) {
    const LineRead read = read_line(file, line);
    if (read == LineRead::kEnd) return kScriptRunDone;
    int32_t r = 1;
    if (read == LineRead::kTooLong) {
      // A long comment is skipped whole; any other long line is reported and skipped whole.
      if (lookup_script_keyword(line) != kScriptCodeComment && report_long_line(line) == -1) {
        return kScriptRunStopped;
      }
      r = 1;
    } else if (line_is_numeric(line)) {
      float pose[6];
      const int32_t count = script_read_keyframe(line, pose);
      if (count < 0) {
        cut_at_newline(line);
        if (script_error(line) == -1) return kScriptRunStopped;
        r = 1;
      } else if (count < 6) {
        return kScriptRunFormatError;
      } else {
        camera_state.camera_x = pose[0];
        camera_state.camera_y = pose[1];
        camera_state.camera_z = pose[2];
        camera_state.camera_bank = pose[3];
        camera_state.camera_heading = pose[4];
        camera_state.camera_pitch = pose[5];
        r = kScriptRenderFrame;
      }
    } else {
      r = execute_script_line(line);
      if (r == -1) return kScriptRunStopped;
    }
    if (!base_name) animation_state.anim_save_frames = 0;
    if (r != kScriptRenderFrame && r != kScriptRewriteFrame) continue;

    animation_state.script_error_frame = frame;
    if (r == kScriptRenderFrame) {
      if (script_frame_prepare() != 1) return kScriptRunStopped;
      if (script_frame_render(frame, animation_state.script_frame_count) != 1) return kScriptRunStopped;
    }
    script_frame_show();
    if (animation_state.anim_save_frames) {
      char status[64];
      std::snprintf(status, sizeof status, "Saving frame %d", frame + 1);
      script_frame_status(status);
      if (script_frame_write(animation_state.animation_output, base_name, frame) != 1) return kScriptRunFailed;
      ++frame;
      if (frame > kLastFrameNumber) return kScriptRunDone;
    }
    const uint32_t now = host().tick_count();
    const double frame_seconds = static_cast<double>(now - previous_tick) / 1000.0;
    total_seconds += frame_seconds;
    show_timing(frame, first_frame, frame_seconds, total_seconds);
    previous_tick = now;
  }
}

}  // namespace

void format_frame_timing(int32_t frame, int32_t frame_count, int32_t frames_done, double frame_seconds,
                         double total_seconds, char* out, int32_t out_size) {
  double remaining = 0.0;
  if (frame_count != 0 && frames_done != 0) {
    remaining = static_cast<double>(frame_count - frame) * total_seconds / frames_done;
  }
  if (remaining < 0.0) remaining = 0.0;
  if (remaining > 2.0e9) remaining = 2.0e9;
  if (frame_seconds > 2.0e9) frame_seconds = 2.0e9;
  long h1, m1, s1, h2, m2, s2;
  split_seconds(static_cast<long>(frame_seconds), &h1, &m1, &s1);
  split_seconds(static_cast<long>(remaining), &h2, &m2, &s2);
  std::snprintf(out, static_cast<size_t>(out_size), "Frame %d of %d took %02ld:%02ld:%02ld, %02ld:%02ld:%02ld to go",
                frame, frame_count, h1, m1, s1, h2, m2, s2);
}

int32_t format_frame_file_name(int32_t kind, const char* base_name, int32_t frame, char* out, int32_t out_size) {
  const char* ext = nullptr;
  switch (kind) {
    case kOutputPcxSeries: ext = "PCX"; break;
    case kOutputTargaSeries: ext = "TGA"; break;
    case kOutputJpegSeries: ext = "JPG"; break;
    case kOutputBmpSeries: ext = "BMP"; break;
    default: return 0;
  }
  if (!base_name || out_size <= 0) return 0;
  const int n = std::snprintf(out, static_cast<size_t>(out_size), "%s%05d.%s", base_name, frame, ext);
  if (n < 0 || n >= out_size) {
    out[0] = 0;
    return 0;
  }
  return 1;
}

int32_t run_script(const char* path, const char* base_name, int32_t first_frame) {
  animation_state.anim_save_frames = 1;
  if (first_frame < 0) first_frame = 0;
  FILE* file = path ? open_file(path, "r") : nullptr;
  if (!file) {
    msg_error_opening(path ? path : "");
    return kScriptRunFailed;
  }
  char line[kScriptLineMax + 1];
  bool ended_by_lf = false;
  if (read_line(file, line, &ended_by_lf) != LineRead::kLine || !is_header(line, ended_by_lf)) {
    report_not_a_script(path);
    std::fclose(file);
    return kScriptRunFormatError;
  }
  read_line(file, line);  // the column line, whatever it holds

  // Counting pass: nothing is executed.
  int32_t count = 0;
  for (LineRead read; (read = read_line(file, line)) != LineRead::kEnd;) {
    if (read == LineRead::kLine) count += is_frame_line(line);
  }
  animation_state.script_frame_count = count;

  std::rewind(file);
  read_line(file, line);
  read_line(file, line);

  // Resuming: the lines before the first frame to render are read, not executed.
  for (int32_t skipped = 0; skipped < first_frame;) {
    const LineRead read = read_line(file, line);
    if (read == LineRead::kEnd) break;
    if (read == LineRead::kLine) skipped += is_frame_line(line);
  }

  const int32_t result = run_lines(file, base_name, first_frame);
  std::fclose(file);
  return result;
}
