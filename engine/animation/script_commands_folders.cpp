// Script commands that set the default folder of each file kind ("DefaultDir" keywords).
#include "engine/animation/script_commands.h"

const ScriptRoutineRow script_folder_routines[] = {
    {0, nullptr},
};
