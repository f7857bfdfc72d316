// The landscape grids exchanged with 8-bit PCX pictures: elevations as palette indexes or grey levels, and
// the ground colours as a 36-colour legend of terrain types or as free colours. One pixel per sample; the
// picture's top row is the grid's last row.
#pragma once

#include <cstdint>

// Kept between uses (asked for only when Shift is held as a command starts): metres at index 0 and metres
// per palette step.
extern int32_t elevation_pcx_base;      // 0 at start
extern int32_t elevation_pcx_interval;  // 16 at start
void reset_elevation_pcx();

constexpr int32_t kPcxIndexMode = 1, kPcxGreyMode = 2;

// Fills entries 0 to 35 of a red, green, blue palette with the terrain-type legend colours.
void ground_palette(uint8_t rgb[768]);
// Legend index of a cover cell (a hand-placed tree or house object wins over the colour class); 0 when the
// cell has no legend colour.
uint8_t ground_legend_index(uint8_t color_class, uint8_t object);

// Writes the elevations as (elevation - base) / interval clamped to 0..255, with the elevation palette
// (entry 0 black, entry 255 the interval's low three bytes) in index mode or the grey palette in grey mode.
// 1 written; 0 when the file cannot be created or written (any previous file is kept).
int32_t save_elevations_pcx(const char* path, int32_t mode, int32_t base, int32_t interval);
// Reads a picture into the elevations: base + index * interval (index mode) or, from the last 768 bytes of
// the file, base + (30 red + 59 green + 11 blue) * interval / 100 (grey mode); a negative interval counts as 1. Only the rows and columns the picture
// covers change. 1; 0 cannot read; -3 wrong kind; -5 bad size (nothing changed on any of these).
int32_t load_elevations_pcx(const char* path, int32_t mode, int32_t base, int32_t interval);
// Writes each cell's legend index with the ground palette over the elevation palette. 1 or 0 as above.
int32_t save_ground_colors_pcx(const char* path);
// Reads a picture into the cover grid: as_colors 0 through the legend (other indexes leave the cell), 1 as
// free colours remapped into colour classes 128 to 255 (colour_table entries 128..255 take the colours).
// 1; 0; -3; -5 as above.
int32_t load_ground_colors_pcx(const char* path, int32_t as_colors);

// The commands. Save: -1 cancelled or replacing refused, else the save's result. Load elevations: -1
// cancelled, else the load's result (the caller shows "Wrong PCX file format." for -3 and "Error reading PCX
// file." for other failures, and refreshes the elevations on 1). Ground colours save: also -1 when the
// colours had to be computed and that was declined or stopped. Ground colours load: 3 after a colour load
// (the caller rebuilds what depends on the colour table), else the load's result, -1 cancelled.
int32_t save_elevations_pcx_dialog();
int32_t load_elevations_pcx_dialog();
int32_t save_ground_colors_pcx_dialog();
int32_t load_ground_colors_pcx_dialog();
