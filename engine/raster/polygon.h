// The unit of drawing: a closed polygon record of up to 16 vertex entries and the texture it may carry.
#pragma once

#include <cstdint>

// One vertex entry. Positions are world or view space depending on the entry point; after projection x is the
// screen column, y the screen row and z the view depth. Colours are 8-bit values times 256.
struct PolygonVertex {
  float x, y, z;
  int32_t seed;       // detail seed of the colour jitter; interpolated like a colour
  uint16_t r, g, b;   // colour channels, 0..65535
  uint16_t alpha;     // 0 keeps the frame's pixel, 255 replaces it; on a textured polygon 0 lets texel alpha decide
  uint16_t slot;      // colour slot (ColorClass) carried into vidmem8
  uint16_t light;     // light level times 256; used by textured polygons only
  float tu, tv, tw;   // texture coordinates in texels; tw is interpolated but never looked up
};
static_assert(sizeof(PolygonVertex) == 40, "a vertex entry is 40 bytes");

// A texture map handed to the pipeline: texels 0xAARRGGBB row by row, and the highlight for shade_color.
struct TextureRef {
  const uint32_t* texels;
  int32_t width;
  int32_t height;
  uint32_t reserved;
  int32_t phong_strength;
  int32_t phong_power;
};

// Room for 16 entries: the clip passes write their output back into the caller's record and may add vertices.
constexpr int32_t kPolygonCapacity = 16;

// A closed vertex list: the last entry repeats the first, so a triangle has count 4 and a quad count 5.
struct PolygonRecord {
  int32_t count;
  const TextureRef* tx_map;  // null for an untextured polygon
  PolygonVertex vertices[kPolygonCapacity];
};

// The number of distinct vertices a record holds (its count without the closing entry), 0 for an empty record.
inline int32_t polygon_corner_count(const PolygonRecord& p) { return p.count > 1 ? p.count - 1 : 0; }
