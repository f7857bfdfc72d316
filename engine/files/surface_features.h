// Surface-feature import: a polyline of map coordinates from a text file drawn into the cover grid as water or road.
#pragma once

#include <cstdint>

// Settings kept between imports: file and folder of the last choice, the X and Y column numbers, the line width.
struct SurfaceFeatureSettings {
  char file_name[256] = "vector.txt";
  char folder[256] = ".";
  int32_t x_column = 2;
  int32_t y_column = 3;
  int32_t line_width = 3;  // 3 thick, 1 thin
};
extern SurfaceFeatureSettings surface_feature_settings;

// Restores the settings above to their start values.
void reset_surface_feature_settings();

// The command: file choice, the two column numbers, water or road, thick or thin, then the import.
// 3 after an import (also one that stopped at a bad line), -1 when cancelled or the file could not be opened.
int32_t import_surface_features();
// Reads the file and draws its points as one polyline of class `code`, `width` 3 thick or 1 thin.
// 1 when read to its end or to the first bad line (reported with its line number), -1 when it cannot be opened.
int32_t import_vector_file(const char* path, int32_t x_column, int32_t y_column, int32_t code, int32_t width);
// A digital line of feature cells between two samples; only cells on the landscape are written.
void draw_feature_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t code, int32_t width);
// One feature cell, with its four neighbours when width > 1; the last column and row are never written.
void plot_feature_cell(int32_t column, int32_t row, int32_t code, int32_t width);
