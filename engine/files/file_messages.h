// The common file and landscape messages, each a one-button requester; every one returns 0.
#pragma once

#include <cstdint>

// How many of the three file-error messages were shown since the program started; an unattended
// run reports failure through its exit code when any was.
extern int32_t file_errors_shown;

// "Error opening file:", a blank and the path in double quotes, with "  OK  ".
int32_t msg_error_opening(const char* path);
// The same with "Error reading file:".
int32_t msg_error_reading(const char* path);
// The same with "Error writing file:".
int32_t msg_error_writing(const char* path);
// "Not a Dalvenor Landscape file."; the path is not shown.
int32_t not_a_landscape_msg(const char* path);
// "Landscape file too big!"; the path is not shown.
int32_t msg_file_too_big(const char* path);
// "View buffer not available!".
int32_t msg_view_buffer_unavailable();
