// The UI palette's exchanges with the renderer's image and display palettes.
#include "engine/panels/ui_palette_image.h"

#include "engine/raster/frame_buffers.h"
#include "engine/raster/image_palette.h"
#include "engine/ui/screen.h"

void load_ui_palette_scaled() {
  for (int i = 0; i < 192; ++i) {
    const PaletteEntry& e = image_palette[4 * i / 3];
    ui_palette_table[64 + i][0] = e.red;
    ui_palette_table[64 + i][1] = e.green;
    ui_palette_table[64 + i][2] = e.blue;
  }
  realize_ui_palette();
}

void ui_palette_backup() {
  for (int i = 0; i < 256; ++i) {
    display_palette[i].red = ui_palette_table[i][0];
    display_palette[i].green = ui_palette_table[i][1];
    display_palette[i].blue = ui_palette_table[i][2];
  }
}
