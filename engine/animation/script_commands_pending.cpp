// Keywords whose engine operation is not available yet: each is reported as a script error, like a keyword
// without a routine, so that a script never silently skips work it asked for.
// This table is the one list of them; a family table that takes a code over wins, so wiring a keyword
// means adding its routine to its family and removing its row here.
#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"

namespace {

[[maybe_unused]] int32_t cmd_waiting(int32_t, char* line) { return script_error(line); }

}  // namespace

const ScriptRoutineRow script_pending_routines[] = {
    {0, nullptr},
};
