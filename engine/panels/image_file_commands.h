// The Image menu's load and save commands, the background and foreground pictures and the stereo load: the
// bodies that the image and render command family runs.
#pragma once

#include <cstdint>

struct PanelRecord;

// The common rebuild after an image was loaded into the 32-bit buffer: new 8-bit palette, 8-bit image and
// display; with `restart` the pointer count is restarted and the Topo, Preview and sending panels redrawn
// before the panel is enabled again.
void image_refresh(PanelRecord* panel, bool restart);

void load_pcx_command(int32_t id, int32_t x, int32_t y, PanelRecord* panel);
void load_24bit_image_command(int32_t id, int32_t x, int32_t y, PanelRecord* panel);  // Targa, BMP, JPEG
void load_stereo_command(int32_t id, int32_t x, int32_t y, PanelRecord* panel);
void save_image_command(int32_t id, int32_t x, int32_t y, PanelRecord* panel);        // PCX, Targa, BMP, JPEG
void picture_toggle_command(int32_t id, int32_t x, int32_t y, PanelRecord* panel);    // background, foreground
