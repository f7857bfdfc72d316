// The ranges script keywords accept for their numbers, checked before a command touches any setting.
#pragma once

#include <cstdint>

// One number's accepted range; whole numbers are compared after truncation toward zero, as stored.
struct ScriptRange {
  double low, high;
  int32_t whole;  // 1: the setting holds the truncated value
};

// The ranges of one keyword code: numbers[i] for the i-th number of its line (count of them).
struct ScriptRangeRow {
  int32_t code;
  int32_t count;
  ScriptRange numbers[3];
};

// The table, ended by a row with code 0.
extern const ScriptRangeRow script_range_rows[];

// The row of a code, or null for a keyword whose numbers any 32-bit value suits (or that takes none).
const ScriptRangeRow* script_range_row(int32_t code);

// Checks the numbers of a keyword line against its row. 1 when every number read lies in its range
// (or the keyword has no row); otherwise shows "Script error: ..." naming the keyword, the value and the
// range, stores the requester's result (1 go on, -1 stop) in *result and returns 0, so that the
// command is not run and the setting stays as it was.
int32_t script_check_ranges(int32_t code, const char* line, int32_t* result);
