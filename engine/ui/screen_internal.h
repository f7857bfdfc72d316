// The screen layer's private helpers shared by its files.
#pragma once

#include "engine/host/canvas.h"

// Forgets canvases of a host that is no longer in force.
void screen_sync_host();
// The current canvas after that check; null when none.
Canvas* screen_current();
