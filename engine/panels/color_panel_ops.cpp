// The colour slot table and the two-class operations of the Colors panel: copy, swap and spread of colour
// entries and of class attributes.
#include <cstdint>
#include <utility>

#include "engine/panels/color_panel.h"

const int32_t color_slot_classes[kColorSlotCount] = {
    45, 44, 43, 42, 41, 40, 39, 38, 59, 58, 57, 56,  // ground
    49, 48, 47, 46,                                  // cliff
    55, 54, 53, 52, 51, 50,                          // water and beach
    37, 36, 35, 34, 67, 66, 65, 64,                  // tree leaves and barks
    71, 70, 69, 68, 88,                              // houses and road
    77, 78, 79, 33, 32, 76, 25, 26,                  // sky objects
};

namespace {
bool valid_class(int32_t c) { return c >= 0 && c < 256; }

// Slot range of a two-class spread: i0 < i1 with at least one slot between, else false.
bool spread_range(int32_t a, int32_t b, int32_t* i0, int32_t* i1) {
  int32_t sa = color_slot_of_class(a), sb = color_slot_of_class(b);
  if (sa < 0 || sb < 0) return false;
  if (sa > sb) std::swap(sa, sb);
  if (sb - sa < 2) return false;
  *i0 = sa, *i1 = sb;
  return true;
}

uint8_t between(int32_t c0, int32_t c1, int32_t k, int32_t n) { return static_cast<uint8_t>(c0 + (c1 - c0) * k / n); }
}  // namespace

int32_t color_slot_of_class(int32_t color_class) {
  for (int32_t s = 0; s < kColorSlotCount; ++s)
    if (color_slot_classes[s] == color_class) return s;
  return -1;
}

void copy_color_entry(int32_t a, int32_t b) {
  if (valid_class(a) && valid_class(b)) color_table[b] = color_table[a];
}

void swap_color_entries(int32_t a, int32_t b) {
  if (valid_class(a) && valid_class(b)) std::swap(color_table[a], color_table[b]);
}

void spread_colors(int32_t a, int32_t b) {
  int32_t i0 = 0, i1 = 0;
  if (!spread_range(a, b, &i0, &i1)) return;
  const ColorEntry c0 = color_table[color_slot_classes[i0]], c1 = color_table[color_slot_classes[i1]];
  const int32_t n = i1 - i0;
  for (int32_t k = 1; k < n; ++k) {
    ColorEntry& e = color_table[color_slot_classes[i0 + k]];
    e.red = between(c0.red, c1.red, k, n);
    e.green = between(c0.green, c1.green, k, n);
    e.blue = between(c0.blue, c1.blue, k, n);
  }
}

void copy_class_attributes(int32_t a, int32_t b) {
  if (valid_class(a) && valid_class(b)) class_attributes[b] = class_attributes[a];
}

void swap_class_attributes(int32_t a, int32_t b) {
  if (valid_class(a) && valid_class(b)) std::swap(class_attributes[a], class_attributes[b]);
}

void spread_class_attributes(int32_t a, int32_t b) {
  int32_t i0 = 0, i1 = 0;
  if (!spread_range(a, b, &i0, &i1)) return;
  const ClassAttributes c0 = class_attributes[color_slot_classes[i0]], c1 = class_attributes[color_slot_classes[i1]];
  const int32_t n = i1 - i0;
  for (int32_t k = 1; k < n; ++k) {
    ClassAttributes& e = class_attributes[color_slot_classes[i0 + k]];
    e.phong_intensity = between(c0.phong_intensity, c1.phong_intensity, k, n);
    e.phong_sharpness = between(c0.phong_sharpness, c1.phong_sharpness, k, n);
    e.flare_intensity = between(c0.flare_intensity, c1.flare_intensity, k, n);
    e.flare_radius = between(c0.flare_radius, c1.flare_radius, k, n);
    e.roughness = between(c0.roughness, c1.roughness, k, n);
  }
}
