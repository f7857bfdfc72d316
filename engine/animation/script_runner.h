// Running a whole script file: frame counting, resuming at a frame, rendering and writing every frame.
#pragma once

#include <cstdint>

// Where frames go (animation_output).
enum AnimationOutput : int32_t {
  kOutputFrameSequence = 3,  // ".DAN" frame-sequence file
  kOutputPcxSeries = 4,
  kOutputTargaSeries = 5,
  kOutputJpegSeries = 6,
  kOutputBmpSeries = 7,
  kOutputFlc = 8,
  kOutputAvi = 9,
  kOutputMpeg = 10,
};

// Results of run_script.
enum ScriptRunResult : int32_t {
  kScriptRunDone = 1,          // ran to its end (or the frame number passed 99999)
  kScriptRunFailed = 0,        // not opened, or a frame was not written
  kScriptRunStopped = -1,      // stopped by the script, a requester, a failed preparation or an aborted render
  kScriptRunFormatError = -3,  // not a script file, or a keyframe line without six numbers
};

// Name of the last frame file written (series) or of the animation file (frame sequence, FLC).
extern char frame_file_name[256];

// The first fault of the last run_script: a script error (also one answered "Continue"), a file error
// message, a frame not written, a format error or a stop (not "Exit"), with the line it happened on (numbered from 1, the
// header being line 1). faults counts them all; 0 when the run had none.
struct ScriptRunFault {
  int32_t faults;
  int32_t line_number;
  char line[256];
};
extern ScriptRunFault script_run_fault;

// Runs the script at path. base_name: the animation base or file name handed to the writer (null: no
// frame is written). first_frame: the number of the first frame to render; earlier frames are skipped
// and frame files are numbered from it.
int32_t run_script(const char* path, const char* base_name, int32_t first_frame);

// The timing read-out after a frame: "Frame %d of %d took hh:mm:ss, hh:mm:ss to go", the time to go
// estimated from the frames done so far (0 when none or when the count is 0).
void format_frame_timing(int32_t frame, int32_t frame_count, int32_t frames_done, double frame_seconds,
                         double total_seconds, char* out, int32_t out_size);

// Formats the series name "%s%05d.<ext>" for the output kind into out; 0 when the kind is not a series
// or the name does not fit (nothing is then written).
int32_t format_frame_file_name(int32_t kind, const char* base_name, int32_t frame, char* out, int32_t out_size);
