// Placeholders for the map and preview panels' redraws until those panels exist: they do nothing.
#include "engine/ui/panel_hooks.h"

// TODO(map and preview panels): redraw the map and the preview.
void main_panels_redraw() {}
// TODO(preview panel): redraw the wire-frame preview.
void preview_refresh() {}
