// Storage of the engine control globals.
#include "engine/ui/engine_control.h"

int32_t current_panel = 1293;
int32_t engine_busy = 0;
int32_t user_abort = 0;
char text_buffer[1024];

int32_t current_panel_id() { return current_panel; }
