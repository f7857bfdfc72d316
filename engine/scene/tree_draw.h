// Drawing of one tree object: its per-cell values (size, colours, offset, lean, variant), the view test, and
// the choice between the 3-D model, the textured billboard and the flat drawing.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/raster/polygon.h"

// Everything about a tree that follows from its cell centre and kind, independent of the camera.
struct TreeValues {
  int32_t r1, r2, r3;     // the three seeds, each -32768..32767
  int32_t size;           // metres, with its jitter
  uint32_t leaf, bark;    // 0x00RRGGBB with the per-tree offsets
  int32_t x, y;           // jittered base position in metres
  int32_t stem_angle;     // degrees from the horizontal, 82..97
  int32_t cactus_b;       // 1 for the second cactus variant (kind 36 only)
};

// The per-tree values of a tree of kind 34..37 whose cell centre is (x, y). Seeds random stream 1.
TreeValues tree_values(int32_t x, int32_t y, int32_t kind);
// The level of detail of a tree of size s at the distance the terrain last measured (point_distance).
int32_t tree_lod(int32_t size);

// Draws the tree of kind 34..37 standing at the cell centre (x, y) on height z (note the argument order).
void draw_tree(int32_t z, int32_t y, int32_t x, int32_t kind, uint32_t shade);
// The billboard: the kind's texture on a vertical quad across the camera's heading.
void draw_tree_textured(int32_t x, int32_t y, int32_t z, int32_t size, uint32_t shade, int32_t kind);
// One closed textured (or, with tx null, flat) quad, drawn without back-face test; alpha 0 everywhere.
void emit_textured_quad(const float p0[3], const float p1[3], const float p2[3], const float p3[3],
                        const TextureRef* tx, uint32_t colour, int32_t light, int32_t slot);
// One closed flat-coloured triangle with a detail seed per corner.
void draw_colored_quad(const float p0[3], int32_t seed0, const float p1[3], int32_t seed1, const float p2[3],
                       int32_t seed2, uint32_t colour, int32_t slot);
// Each channel of a 0x00RRGGBB colour plus amount, clamped to 0..255.
uint32_t adjust_rgb(uint32_t colour, int32_t amount);
// A texture slot's size level as a texture reference; false when the slot holds no usable texels.
bool texture_slot_level(int32_t slot, int32_t level, TextureRef* out);

// Trees drawn by draw_tree since the counter was last cleared (those that passed the view test).
extern std::atomic<int64_t> trees_drawn_count;
