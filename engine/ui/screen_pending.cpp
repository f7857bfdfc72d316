// Placeholder for the screen layer's set-up.
#include "engine/ui/screen.h"

// TODO(screen layer): UI palette and font.
void gui_init(void (*)()) {}
