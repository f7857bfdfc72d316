// The camera path script's file choice: the name and path buffers kept between the script dialogs.
#pragma once

// The script name offered by the dialogs ("DALVE.SCR" at start) and the last script chosen.
extern char script_name[256];
extern char script_path[256];
// The start values of both buffers.
void reset_script_dialog_buffers();
