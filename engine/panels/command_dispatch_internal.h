// The dispatcher's helpers for the command bodies: the family search, the waiting ids and the frame-buffer checks.
#pragma once

#include <cstdint>

struct CommandRow;

// The first row of the families with the id; null when no family has it.
const CommandRow* find_command_row(uint32_t command);
// The name of the family (and the work that builds it) an id belongs to while that family has no body for it
// in this program; null for ids that no family claims.
const char* command_waiting_family(uint32_t command);
// True when the id belongs to a family not built yet and no built family runs it.
bool command_is_waiting(uint32_t command);

// "This function requires 8-bit mode." and "... 24-bit mode." with one "  OK  " button.
void require_8bit_message();
void require_24bit_message();
// True when the frame buffer exists; otherwise shows the matching message and returns false.
bool need_24bit();
bool need_8bit();
