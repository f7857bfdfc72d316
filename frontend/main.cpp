// The dalvenor program: brings the engine up on the system host and runs the command line and the
// start-up files unattended; messages, status and progress are printed on the standard error stream.
#include <cstdio>

#include "engine/files/file_messages.h"
#include "engine/host/system_host.h"
#include "engine/app/command_line.h"
#include "engine/app/engine_init.h"
#include "engine/app/startup.h"
#include "engine/app/startup_command.h"

int main(int argc, char** argv) {
  SystemHost system;
  set_host(&system);
  set_command_line_args(argc, argv);
  engine_init();
  startup_command(nullptr);
  set_host(nullptr);
  // Success only when every command-line file ran or loaded to its end and no file failed.
  return (startup_failures == 0 && file_errors_shown == 0) ? 0 : 1;
}
