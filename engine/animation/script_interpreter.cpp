// The script interpreter: cleans a command line, finds its routine by keyword and runs it.
#include "engine/animation/script_interpreter.h"

#include <cstdio>

#include "engine/animation/script_commands.h"
#include "engine/animation/script_keywords.h"
#include "engine/animation/script_ranges.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/requesters.h"

namespace {

constexpr int32_t kCodeCount = kScriptCodeLast - kScriptCodeFirst + 1;

// Routine of every code, filled from the family tables on first use; the first table naming a code wins,
// so the pending table only covers codes no family has taken over yet.
struct RoutineIndex {
  ScriptRoutine routine[kCodeCount] = {};
  bool waiting[kCodeCount] = {};   // the routine is the stand-in of the pending table
  bool shadowed = false;           // a pending row names a code a family already has
  RoutineIndex() {
    const ScriptRoutineRow* tables[] = {script_control_routines, script_folder_routines, script_camera_routines,
                                        script_image_routines, script_landscape_routines, script_editing_routines,
                                        script_file_routines, script_settings_routines, script_cloud_routines,
                                        script_tree_routines, script_import_routines, script_pending_routines};
    for (const ScriptRoutineRow* table : tables) {
      const bool pending = table == script_pending_routines;
      for (const ScriptRoutineRow* row = table; row->routine; ++row) {
        const int32_t i = row->code - kScriptCodeFirst;
        if (i < 0 || i >= kCodeCount) continue;
        if (routine[i]) {
          shadowed = shadowed || pending;
          continue;
        }
        routine[i] = row->routine;
        waiting[i] = pending;
      }
    }
  }
};

const RoutineIndex& routine_index() {
  static const RoutineIndex index;
  return index;
}

void clean_line(char* line) {
  cut_at_newline(line);
  tabs_to_blanks(line);
}

}  // namespace

void cut_at_newline(char* text) {
  if (!text) return;
  for (; *text; ++text) {
    if (*text == '\r' || *text == '\n') {
      *text = 0;
      return;
    }
  }
}

void tabs_to_blanks(char* text) {
  if (!text) return;
  for (; *text; ++text) {
    if (*text == '\t') *text = ' ';
  }
}

int32_t is_blank_line(const char* text) {
  if (!text) return 1;
  for (; *text; ++text) {
    const unsigned char c = static_cast<unsigned char>(*text);
    if (c > 32 && c < 128) return 0;
  }
  return 1;
}

const char* skip_first_word(const char* text) {
  if (!text) return text;
  while (*text == ' ' || *text == '\t') ++text;
  while (*text && *text != ' ' && *text != '\t') ++text;
  while (*text == ' ' || *text == '\t') ++text;
  return text;
}

char* skip_first_word(char* text) {
  return const_cast<char*>(skip_first_word(static_cast<const char*>(text)));
}

int32_t script_errors_shown = 0;
int32_t script_exit_requested = 0;

int32_t script_error(const char* line) {
  ++script_errors_shown;
  std::snprintf(text_buffer, sizeof text_buffer, "Script error: %s", line ? line : "");
  return requester(text_buffer, "Continue", "Cancel") == 1 ? 1 : -1;
}

int32_t execute_script_command(int32_t code, char* line) {
  const int32_t i = code - kScriptCodeFirst;
  if (i >= 0 && i < kCodeCount) {
    if (const ScriptRoutine routine = routine_index().routine[i]) {
      int32_t refused = 1;
      if (!script_check_ranges(code, line, &refused)) return refused;
      return routine(code, line);
    }
  }
  // A word not in the table, or a keyword without a routine.
  if (is_blank_line(line)) return 1;
  return script_error(line);
}

int32_t execute_script_line(char* line) {
  if (!line) return 1;
  clean_line(line);
  return execute_script_command(lookup_script_keyword(line), line);
}

int32_t classify_script_line(char* line) {
  if (!line) return 0;
  clean_line(line);
  const int32_t code = lookup_script_keyword(line);
  if (code == kScriptCodeRender) return kScriptRenderFrame;
  if (code == kScriptCodeRewriteImage) return kScriptRewriteFrame;
  return 0;
}

int32_t script_code_state(int32_t code) {
  const int32_t i = code - kScriptCodeFirst;
  if (i < 0 || i >= kCodeCount || !routine_index().routine[i]) return 0;
  return routine_index().waiting[i] ? 2 : 1;
}

int32_t script_pending_table_is_current() { return routine_index().shadowed ? 0 : 1; }

void script_mark_shades_stale() { derived_data.shades_done_step = land_width; }

void script_mark_colors_cliffs_stale() {
  derived_data.colors_done_step = land_width;
  derived_data.cliffs_done_step = land_width;
}

void script_mark_palette_stale() { derived_data.palette_stale = land_width; }
