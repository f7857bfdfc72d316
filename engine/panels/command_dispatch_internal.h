// The dispatcher's helpers for the command bodies: the family search and the frame-buffer checks.
#pragma once

#include <cstdint>

struct CommandRow;

// The first row of the families with the id; null when no family has it.
const CommandRow* find_command_row(uint32_t command);
// The name of the family (and the work that builds it) an id belongs to while that family has no body for it

// "This function requires 8-bit mode." and "... 24-bit mode." with one "  OK  " button.
void require_8bit_message();
void require_24bit_message();
// True when the frame buffer exists; otherwise shows the matching message and returns false.
bool need_24bit();
bool need_8bit();
