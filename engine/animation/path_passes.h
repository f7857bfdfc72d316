// The frame passes of a generated flight: altitudes, clearance, headings, banks, barrel rolls and pitches.
#pragma once

#include <cstdint>

// Generation never runs more smoothing passes than this, nor keeps a clearance beyond +-10000
// metres, whatever a file or a dialog stored: generation always ends in reasonable time.
constexpr int32_t kMaxSmoothingPasses = 1000;
constexpr int32_t kMaxClearance = 10000;
// enforce_clearance gives up after this many lifts.
constexpr int32_t kMaxClearanceRounds = 20000;

// vehicle.smoothing_passes limited to 0 .. kMaxSmoothingPasses.
int32_t bounded_smoothing_passes();
// A clearance limited to -kMaxClearance .. kMaxClearance.
int32_t bounded_clearance(int32_t clearance);

// altitude := ground height + clearance, every frame.
void altitudes_from_ground(float clearance);
// One 1-2-1 pass over the altitudes.
void smooth_altitudes();
// Lifts the lowest frame again and again until no frame is below 0.9 times the clearance, or the
// whole-metre lowest clearance stayed the same 25 times, or kMaxClearanceRounds lifts were made,
// or the user stopped it. Returns the number of lifts.
int32_t enforce_clearance(float clearance);
// Raised-cosine lift around frame k that puts frame k at the target altitude.
void raise_altitudes_window(int32_t k, float target);
// Heading toward the next frame or the frame's target; 0 looks along +y, counter-clockwise.
void make_headings();
// One three-point mean pass over the headings with 360-degree wrap, all frames at once.
void smooth_headings();
// Bank from the horizontal turn per metre, limited to -90 .. 90.
void make_banks();
// First frame carrying the node index; the frame count when none.
int32_t node_first_frame(int32_t node);
// One full turn of bank over the frames from start; clockwise adds, counter-clockwise subtracts.
void insert_barrel_roll(int32_t start, int32_t frames, int32_t clockwise);
// One three-point mean pass over the banks with 360-degree wrap, written in place.
void smooth_banks();
// Climb angle toward the next frame or the target, plus pitch_offset.
void make_pitches();
// pitch := pitch_offset everywhere.
void constant_pitch();
// Folds pitches to about -90 .. 90, then one 1-2-1 pass.
void smooth_pitches();
