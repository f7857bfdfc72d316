// The screen layer: the UI palette and font the panels draw with.
#pragma once

// Screen layer set-up with an unused callback.
void gui_init(void (*callback)());
