// The UI palette and the renderer's palettes: showing an image on a panel, and keeping a copy of the UI colours.
#pragma once

// Entries 64 to 255 of the UI palette take a subsample of the image palette (entry 64 + i takes image entry
// 4 * i / 3); all 256 entries are then loaded.
void load_ui_palette_scaled();
// Copies red, green and blue of all 256 UI palette table entries into the display palette.
void ui_palette_backup();
