// Restoring every engine record and module state to its start value (engine initialisation and tests).
#pragma once

// The settings records, colour table and class attributes, camera, waves, clouds, grid spacing, cliff and
// strata settings, status throttles and stop requests, all back to their start values.
void reset_engine_state();
