// The dalvenor program: brings the engine up with the headless host and runs the command line and the
// start-up files unattended; messages are printed on the standard error stream.
#include <cstdio>

#include "engine/files/landscape_names.h"
#include "engine/host/headless_host.h"
#include "engine/landscape/command_line.h"
#include "engine/landscape/engine_init.h"
#include "engine/landscape/grid.h"
#include "engine/panels/startup_command.h"

int main(int argc, char** argv) {
  HeadlessHost headless;
  headless.echo = stderr;
  set_host(&headless);
  set_command_line_args(argc, argv);
  engine_init();
  startup_command(nullptr);
  std::printf("Dalvenor engine: landscape \"%s\" of %d by %d samples.\n", landscape_name, grid_width, grid_height);
  set_host(nullptr);
  return 0;
}
