// Erosion: drops run downhill and fill the pits they end in, pass after pass, until the user stops or the count is reached.
#pragma once

#include <cstdint>

// One drop from the sample (row, column): it moves to its lowest neighbour until it reaches the border strip two
// samples wide or a pit, which it raises to one metre above the lowest neighbour; the end is dotted on the map.
void erosion_step_draw(int32_t row, int32_t column);
// At most `passes` passes (the script keyword); a stop request ends the run between passes.
void erode_landscape(int32_t passes);
// The Erode button: the same with an undo copy and the question "Accept erosion?". 1 when the eroded landscape
// stays, -1 when it was rejected (the elevations restored exactly) or cancelled for lack of an undo buffer.
int32_t erode_command(int32_t passes);
// The latest run: passes completed by erode_landscape or erode_command (a stop before the first pass gives 0).
struct ErosionState {
  int32_t passes_run = 0;
};
extern ErosionState erosion_state;
void reset_erosion_state();
