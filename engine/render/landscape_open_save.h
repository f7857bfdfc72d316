// Opening a landscape of either format and the commands Open Landscape, Save Landscape and Save
// Elevations Only with their dialogs and questions.
#pragma once

#include <cstdint>

#include "engine/files/landscape_file.h"

extern char landscape_path[256];  // the full path chosen last in a landscape dialog

// Start values of the dialogs' paths.
void reset_landscape_dialogs();
// Open Landscape: -1 cancelled, else the result of load_landscape.
int32_t load_landscape_dialog();
// Save Landscape (ask 0: every section; otherwise the sections are asked for): -1 cancelled or refused,
// else 1 written or 0 after a reported failure.
int32_t save_session_dialog(int32_t ask);
// Save Elevations Only: -1 cancelled or refused, else 1 or 0.
int32_t save_old_dem_dialog();
