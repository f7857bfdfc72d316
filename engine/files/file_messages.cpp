// The common file and landscape messages shown as one-button requesters.
#include "engine/files/file_messages.h"

#include <string>

#include "engine/ui/requesters.h"

int32_t file_errors_shown = 0;

namespace {
int32_t file_message(const char* label, const char* path) {
  ++file_errors_shown;
  const std::string text = std::string(label) + " \"" + (path ? path : "") + "\"";
  requester(text.c_str(), "  OK  ", nullptr);
  return 0;
}

int32_t plain_message(const char* text) {
  requester(text, "  OK  ", nullptr);
  return 0;
}
}  // namespace

int32_t msg_error_opening(const char* path) { return file_message("Error opening file:", path); }
int32_t msg_error_reading(const char* path) { return file_message("Error reading file:", path); }
int32_t msg_error_writing(const char* path) { return file_message("Error writing file:", path); }
int32_t not_a_landscape_msg(const char*) { return plain_message("Not a Dalvenor Landscape file."); }
int32_t msg_file_too_big(const char*) { return plain_message("Landscape file too big!"); }
int32_t msg_view_buffer_unavailable() { return plain_message("View buffer not available!"); }
