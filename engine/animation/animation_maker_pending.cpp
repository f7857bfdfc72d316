// Placeholder for the camera path script export until the path block and motion export exist.
#include "engine/animation/animation_maker.h"

// TODO(camera path scripts): the motion export replaces this; without it there is no path script to run.
int32_t export_motion_script(const char*) { return 0; }
