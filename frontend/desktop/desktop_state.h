// The desktop program's windows and the flags it keeps about the engine while it runs.
#pragma once

#include <cstdint>

class MainFrame;
class SelectFrame;
class PanelFrame;
class TopoFrame;
class PreviewFrame;
class RenderFrame;
class wxKeyEvent;

extern MainFrame* main_frame;
extern SelectFrame* select_frame;
extern TopoFrame* topo_frame;
extern PreviewFrame* preview_frame;
extern PanelFrame* last_panel_frame;
extern RenderFrame* render_frame;
// 1 until the first paint of the map has sent the engine's start-up command.
extern int32_t topo_first_paint;
// Calls from the windows into the engine that are running now (draw and event callbacks, commands).
extern int32_t engine_calls;
// The user asked to quit while the engine was busy: the program closes once the engine is idle.
extern bool quit_requested;

// 1 while the engine runs something: its busy flag, or a window's call into it.
bool engine_in_use();

// Counts one call of the windows into the engine for its scope.
// When the last one ends and the engine is idle, what waited for it is done: closed pop-ups are taken down and a
// quit asked for meanwhile ends the program.
void engine_idle_again();
// The first of them begins.
void engine_call_started();
struct EngineCall {
  EngineCall() {
    if (engine_calls++ == 0) engine_call_started();
  }
  ~EngineCall() {
    if (--engine_calls == 0) engine_idle_again();
  }
  EngineCall(const EngineCall&) = delete;
  EngineCall& operator=(const EngineCall&) = delete;
};

// Keys of every frame of the program: the main frame's key table while the engine is idle, the engine's key
// queue while it is busy. Skips the event when the key is not taken.
void frame_char_hook(wxKeyEvent& event);
// Typed characters reaching a window of the program: accelerators and the camera's '+' and '-' while idle,
// the key queue while busy.
void frame_char(wxKeyEvent& event);
// The engine's key code of a toolkit key code without a character (arrows, Esc, Enter, F keys ...); 0 for others.
int32_t engine_code_of_key(int key_code);
// Sends an engine command with the Topo record (making the map canvas current first), or with the record given.
void send_engine_command(uint32_t command, struct PanelRecord* record);
// Stops what the engine runs and closes the program when it is idle again.
void request_quit();
