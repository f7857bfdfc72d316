// Running unattended: the engine on the system host, the command line and the start-up files, no windows;
// messages, status and progress are printed on the standard error stream.
#include "engine/app/command_line.h"
#include "engine/app/engine_init.h"
#include "engine/app/startup.h"
#include "engine/app/startup_command.h"
#include "engine/files/file_messages.h"
#include "engine/files/movie_writer.h"
#include "engine/host/system_host.h"
#include "frontend/desktop_entry.h"

int run_unattended(int argc, char** argv) {
  SystemHost system;
  set_host(&system);
  movie_ask_codec = 0;  // unattended: movies take the preselected codec
  set_command_line_args(argc, argv);
  engine_init();
  startup_command(nullptr);
  set_host(nullptr);
  // Success only when every command-line file ran or loaded to its end and no file failed.
  return (startup_failures == 0 && file_errors_shown == 0) ? 0 : 1;
}
