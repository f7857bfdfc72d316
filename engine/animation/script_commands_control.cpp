// Script commands for comments, frames, auto-save, pause, stop, exit, priority, beep and running programs.
#include <cstdio>
#include <cstring>

#include "engine/animation/script_commands.h"
#include "engine/animation/script_interpreter.h"
#include "engine/animation/spawn_program.h"
#include "engine/animation/spawn_program.h"
#include "engine/ui/programs.h"
#include "engine/ui/panel_hooks.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/raster/frame_buffers.h"

int32_t beep_enabled = 1;

namespace {

int32_t cmd_comment(int32_t, char*) { return 1; }
int32_t cmd_render(int32_t, char*) { return kScriptRenderFrame; }
int32_t cmd_rewrite_image(int32_t, char*) { return kScriptRewriteFrame; }
int32_t cmd_auto_save_on(int32_t, char*) { animation_state.anim_save_frames = 1; return 1; }
int32_t cmd_auto_save_off(int32_t, char*) { animation_state.anim_save_frames = 0; return 1; }
int32_t cmd_stop(int32_t, char*) { return -1; }
int32_t cmd_beep_on(int32_t, char*) { beep_enabled = 1; return 1; }
int32_t cmd_beep_off(int32_t, char*) { beep_enabled = 0; return 1; }
int32_t cmd_accepted(int32_t, char*) { return 1; }

int32_t cmd_pause(int32_t, char*) {
  return requester("Continue or Stop script?", "Continue", "Stop") == 1 ? 1 : -1;
}

int32_t cmd_exit(int32_t, char*) {
  post_quit();
  return -1;
}

int32_t cmd_priority_low(int32_t, char*) {
  priority_low();
  return 1;
}

int32_t cmd_priority_normal(int32_t, char*) {
  priority_normal();
  return 1;
}

// Hands the display over to the outside program, runs it, takes the display back.
int32_t cmd_spawn(int32_t, char* line) {
  char script_line[512];
  std::snprintf(script_line, sizeof script_line, "%s", line);
  if (!screen_output_off) pointer_hide();
  const int32_t code = spawn_program(skip_first_word(script_line));
  int32_t result = 0;
  if (code > 0) {
    std::snprintf(text_buffer, sizeof text_buffer, "Error code %d from \"%s\"", code, script_line);
    result = requester(text_buffer, "Continue", "Cancel") == 1 ? 1 : -1;
  } else if (code < 0) {
    std::snprintf(text_buffer, sizeof text_buffer, "Unable to Spawn: %s", script_line);
    result = requester(text_buffer, "Continue", "Cancel") == 1 ? 1 : -1;
  }
  if (!screen_output_off) {
    pointer_reset_count();
    pointer_show();
  }
  main_panels_redraw();
  return result;
}

}  // namespace

const ScriptRoutineRow script_control_routines[] = {
    {1000, cmd_comment},        // Rem, ;
    {1001, cmd_render},         // Render
    {1177, cmd_rewrite_image},  // RewriteImage
    {1175, cmd_accepted},       // PictureFile
    {1284, cmd_auto_save_on},   // AutoSaveOn
    {1285, cmd_auto_save_off},  // AutoSaveOff
    {1307, cmd_pause},          // Pause
    {1308, cmd_stop},           // Stop
    {1306, cmd_exit},           // Exit
    {1304, cmd_priority_low},   // SetPriorityLow
    {1305, cmd_priority_normal},  // SetPriorityNormal
    {1278, cmd_beep_on},        // BeepOn
    {1279, cmd_beep_off},       // BeepOff
    {1239, cmd_spawn},          // Spawn
    {1282, cmd_accepted},       // LoadStereoGraphics
    {1283, cmd_accepted},       // LoadStereoCyber
    {1274, cmd_accepted},       // Enable8bit
    {1275, cmd_accepted},       // Disable8bit
    {1276, cmd_accepted},       // Enable24bit
    {1277, cmd_accepted},       // Disable24bit
    {0, nullptr},
};
