// Reading the arguments of a script command line: decimal numbers, whole numbers and names.
#pragma once

#include <cstdint>

// Numbers read from a line after its keyword. Missing numbers stay 0.
struct ScriptNumbers {
  static constexpr int32_t kMax = 8;
  float value[kMax];
  int32_t count;  // how many numbers were read before the first item that is not a number
};

// Reads up to max_count decimal numbers (optional sign, fraction, exponent) after the keyword.
// Returns 1, or 0 when a number that was read is not finite or does not fit a 32-bit whole number,
// so that no such value reaches a setting or an integer conversion.
int32_t script_read_numbers(const char* line, int32_t max_count, ScriptNumbers* out);
// Reads one whole number after the keyword into value (0 when missing). Returns 0 when it does not
// fit a 32-bit whole number.
int32_t script_read_whole(const char* line, int32_t* value);
// Copies the word at position index (0 is the keyword) into out; empty when missing. A word longer
// than the buffer is cut to out_size - 1 characters and 0 is returned.
int32_t script_read_word(const char* line, int32_t index, char* out, int32_t out_size);
// Truncates toward zero; the value has passed script_read_numbers' range check.
int32_t script_trunc(float value);

// Reads a keyframe line "x, y, altitude, bank, heading, pitch" (commas required, blanks around them
// optional, anything after the sixth number ignored). Returns how many numbers were read (6 for a
// complete line), or -1 when a number is not finite or does not fit a 32-bit whole number.
int32_t script_read_keyframe(const char* line, float values[6]);
