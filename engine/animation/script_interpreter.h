// Executing one script command line: clean-up, keyword lookup, the command switch and its results.
#pragma once

#include <cstdint>

// Results of executing a line besides 1 (go on) and -1 (stop the script).
enum ScriptLineResult : int32_t {
  kScriptGoOn = 1,
  kScriptStop = -1,
  kScriptRenderFrame = 1045,   // "Render": render a frame, then output it
  kScriptRewriteFrame = 1046,  // "RewriteImage": output the current image again as the next frame
};

// Set by "BeepOn" and "BeepOff"; nothing else reads it.
extern int32_t beep_enabled;

// Cleans the line in place (line end cut, TABs to blanks), looks up its keyword and runs the command.
int32_t execute_script_line(char* line);
// Cleans the line the same way and returns 1045 for "Render", 1046 for "RewriteImage", else 0.
int32_t classify_script_line(char* line);
// The routine of a command code; codes without a routine take the unmatched-line path.
int32_t execute_script_command(int32_t code, char* line);

// 0: the code takes the unmatched-line path; 1: it has its routine; 2: it is accepted but waits for its
// engine operation (see the pending table of the command families).
int32_t script_code_state(int32_t code);
// 1 when no pending row names a code that a command family already handles.
int32_t script_pending_table_is_current();

// Clean-up helpers, in place.
void cut_at_newline(char* text);
void tabs_to_blanks(char* text);
// 1 when no character has a code above 32 (codes 128 to 255 count as not above), else 0.
int32_t is_blank_line(const char* text);
// The text behind the leading blanks, the first word and the blanks after it.
char* skip_first_word(char* text);
const char* skip_first_word(const char* text);

// "Script error: %s" with the line, buttons "Continue" and "Cancel": 1 to go on, -1 to stop.
int32_t script_error(const char* line);
// Script errors shown since the program started (also those answered "Continue").
extern int32_t script_errors_shown;
// Set by "Exit": the script ended at its Exit keyword, which is a normal end, not a stop by the user.
extern int32_t script_exit_requested;
