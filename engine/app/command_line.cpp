// Copying and splitting the program's command line, and the options that steer unattended rendering.
#include "engine/app/command_line.h"

#include <cstring>

#include "engine/animation/script_runner.h"
#include "engine/core/settings.h"

int32_t startup_argc = 0;
char* startup_argv[kMaxStartupArgs];
char command_line_buffer[kCommandLineSize];
char program_path[kCommandLineSize];
char command_line_refused[kCommandLineSize];
int32_t command_line_refused_count = 0;

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Copies at most size - 1 characters and always terminates.
void copy_cut(char* out, size_t size, const char* in, size_t length) {
  if (length > size - 1) length = size - 1;
  std::memcpy(out, in, length);
  out[length] = 0;
}

// Argument 0 of a line: quoted or up to the first blank.
void program_of(const char* line, char* out, size_t size) {
  while (is_blank(*line)) ++line;
  if (*line == '"') {
    ++line;
    const char* end = std::strchr(line, '"');
    copy_cut(out, size, line, end ? static_cast<size_t>(end - line) : std::strlen(line));
    return;
  }
  size_t n = 0;
  while (line[n] && !is_blank(line[n])) ++n;
  copy_cut(out, size, line, n);
}

// Adds an argument to the refused ones (their text cut to the buffer).
void refuse_argument(const char* argument, size_t length) {
  ++command_line_refused_count;
  const size_t used = std::strlen(command_line_refused);
  if (used + 2 >= sizeof command_line_refused) return;
  char* out = command_line_refused + used;
  if (used) *out++ = ' ';
  copy_cut(out, sizeof command_line_refused - (out - command_line_refused), argument, length);
}

}  // namespace

void set_command_line(const char* line) {
  if (!line) line = "";
  command_line_refused[0] = 0;
  command_line_refused_count = 0;
  copy_cut(command_line_buffer, sizeof command_line_buffer, line, std::strlen(line));
  program_of(line, program_path, sizeof program_path);
}

void set_command_line_args(int32_t argc, const char* const* argv) {
  static char line[kCommandLineSize];
  size_t used = 0;
  line[0] = 0;
  char refused[kCommandLineSize];
  int32_t refused_count = 0;
  refused[0] = 0;
  int32_t taken = 0;
  for (int32_t i = 0; i < argc && argv && argv[i]; ++i) {
    const char* a = argv[i];
    const size_t len = std::strlen(a);
    const bool quote = len == 0 || std::strpbrk(a, " \t") != nullptr;
    const size_t need = (used ? 1 : 0) + len + (quote ? 2 : 0);
    if (taken >= kMaxStartupArgs || len > static_cast<size_t>(kCommandLinePathMax) || used + need > sizeof line - 1) {
      // Never half an argument: the whole argument is refused.
      ++refused_count;
      const size_t r = std::strlen(refused);
      if (r + 2 < sizeof refused) {
        if (r) refused[r] = ' ';
        copy_cut(refused + (r ? r + 1 : 0), sizeof refused - (r ? r + 1 : 0), a, len);
      }
      continue;
    }
    if (used) line[used++] = ' ';
    if (quote) line[used++] = '"';
    std::memcpy(line + used, a, len);
    used += len;
    if (quote) line[used++] = '"';
    line[used] = 0;
    ++taken;
  }
  set_command_line(line);
  std::memcpy(command_line_refused, refused, sizeof refused);
  command_line_refused_count = refused_count;
}

int32_t split_command_line(char* line, char** argv, int32_t max_args) {
  return split_command_line_rest(line, argv, max_args, nullptr);
}

int32_t split_command_line_rest(char* line, char** argv, int32_t max_args, char** rest) {
  int32_t count = 0;
  if (rest) *rest = line;
  if (!line || !argv) return 0;
  char* p = line;
  while (*p && count < max_args) {
    if (is_blank(*p)) {
      *p++ = 0;
      continue;
    }
    if (*p == '"') {
      char* start = p + 1;
      char* end = start;
      while (*end && *end != '"') ++end;
      argv[count++] = start;
      if (!*end) {  // an unterminated quote runs to the end of the line
        p = end;
        break;
      }
      *end = 0;
      p = end + 1;
      continue;
    }
    argv[count++] = p;
    while (*p && !is_blank(*p)) ++p;
    if (!*p) break;
    *p++ = 0;
  }
  if (rest) *rest = p;
  return count;
}

void split_startup_command_line() {
  char* rest = nullptr;
  startup_argc = split_command_line_rest(command_line_buffer, startup_argv, kMaxStartupArgs, &rest);
  // Whatever follows the sixteenth argument is refused, argument by argument.
  while (rest && *rest) {
    char* more[1];
    char* next = nullptr;
    if (split_command_line_rest(rest, more, 1, &next) == 1) refuse_argument(more[0], std::strlen(more[0]));
    if (next == rest) break;
    rest = next;
  }
}

bool is_option_argument(const char* argument) { return argument && argument[0] == '-'; }

void apply_option(const char* argument, char* base_name) {
  if (!is_option_argument(argument)) return;
  const char kind = argument[1];
  if (kind == 'o' || kind == 'O') {
    copy_cut(base_name, kCommandLineSize, argument + 2, std::strlen(argument + 2));
    return;
  }
  if (kind != 't' && kind != 'T') return;
  switch (argument[2]) {
    case 't': case 'T': animation_state.animation_output = kOutputTargaSeries; break;
    case 'j': case 'J': animation_state.animation_output = kOutputJpegSeries; break;
    case 'b': case 'B': animation_state.animation_output = kOutputBmpSeries; break;
    case 'f': case 'F': animation_state.animation_output = kOutputFlc; break;
    case 'a': case 'A': animation_state.animation_output = kOutputAvi; break;
    case 'v': case 'V': animation_state.animation_output = kOutputFrameSequence; break;
    default: break;
  }
}
