// Placeholder for the preview panel's redraw until the preview panel is built.
#include "engine/panels/view_reset.h"

// TODO(preview panel): redraw the wire-frame preview.
void preview_refresh() {}
