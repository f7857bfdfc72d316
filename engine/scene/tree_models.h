// The procedural 3-D tree models: palm, oak, the two cactus variants and pine, grown anew at every drawing.
#pragma once

#include <cstdint>

#include "engine/core/maths.h"

// Model entries: trunk base (x, y, z), size s in metres, stem angle (unused by the 3-D models), bark and leaf
// colours, the cell's shade word, level of detail (0 or more, larger is nearer), seed and kind index k.
void draw_3d_palm(int32_t x, int32_t y, int32_t z, int32_t s, int32_t stem_angle, uint32_t bark, uint32_t leaf,
                  uint32_t shade, int32_t lod, int32_t seed, int32_t k);
void draw_3d_oak(int32_t x, int32_t y, int32_t z, int32_t s, int32_t stem_angle, uint32_t bark, uint32_t leaf,
                 uint32_t shade, int32_t lod, int32_t seed, int32_t k);
void draw_3d_cactus(int32_t x, int32_t y, int32_t z, int32_t s, int32_t stem_angle, uint32_t bark, uint32_t leaf,
                    uint32_t shade, int32_t lod, int32_t seed, int32_t k);
void draw_3d_cactus_b(int32_t x, int32_t y, int32_t z, int32_t s, int32_t stem_angle, uint32_t bark, uint32_t leaf,
                      uint32_t shade, int32_t lod, int32_t seed, int32_t k);
void draw_3d_pine(int32_t x, int32_t y, int32_t z, int32_t s, int32_t stem_angle, uint32_t bark, uint32_t leaf,
                  uint32_t shade, int32_t lod, int32_t seed, int32_t k);

// The columnar cactus's depth: lod / 10 + 2 tree_detail within 8..16.
int32_t cactus_depth(int32_t lod);
// The branch depth of the pine whorl grown with the given remaining trunk depth: max(depth - 1, 2) / 3.
int32_t pine_branch_depth(int32_t depth);
// The length factor (in 256ths) of the pine's trunk continuation at trunk level: 255 - 4 level.
int32_t pine_continuation_factor(int32_t level);

// The growers; each draws from segment s and may change it.
void grow_oak(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k);
void grow_palm(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k);
void grow_palm_crown(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k);
void draw_palm_frond(const SegmentRecord& s, int32_t k);
void grow_cactus(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k);
void grow_cactus_arm(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k);
void grow_cactus_arm_b(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k);
void grow_cactus_b(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k);
void grow_pine(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k);
void grow_pine_branches(SegmentRecord* s, int32_t seed, int32_t depth, int32_t k);

// One crown node of the palm and the second cactus variant: six fronds tilted by tilt (first rib segment
// frond_f/256 of the node's length, fronds rib segments long), the next crown segment (next_f/256) grown by
// grow_next with next_depth, and the node's own segment drawn with taper 120 when draw_self is set.
void grow_crown_node(SegmentRecord* s, int32_t seed, int32_t frond_f, int32_t next_f, int32_t tilt, int32_t fronds,
                     int32_t k, void (*grow_next)(SegmentRecord*, int32_t, int32_t, int32_t), int32_t next_depth,
                     bool draw_self);

// Recursion levels of the growers (0 between trees) and the crown length factors.
extern constinit thread_local int32_t oak_level;
extern constinit thread_local int32_t palm_level;
extern constinit thread_local int32_t palm_len_factor;
extern constinit thread_local int32_t cactus_b_level;
extern constinit thread_local int32_t cactus_b_len_factor;
extern constinit thread_local int32_t pine_level;
