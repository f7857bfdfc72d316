// EngineControl: the shown control panel, the busy flag, stop requests and the shared message buffer.
#pragma once

#include <cstdint>

extern int32_t current_panel;  // id of the control panel shown, 1293 to 1307
extern int32_t engine_busy;    // 1 while a command runs
extern int32_t user_abort;     // a stop requested while a command runs
extern char text_buffer[1024];  // shared buffer for formatting messages

int32_t current_panel_id();
