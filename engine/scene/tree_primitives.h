// What the 3-D tree growers share: vector and lighting rules of tree surfaces, the tree polygon and its
// hand-over to the polygon pipeline, limbs (twelve-sided, bent, flat), leaves, the child-segment makers, the
// drawing order at a branching node and the common model set-up.
#pragma once

#include <cstdint>

#include "engine/core/maths.h"
#include "engine/core/vectors.h"

// One vertex of a tree polygon with its final colour 0x00RRGGBB.
struct TreeVertex {
  float x, y, z;
  uint32_t colour;
};

// A triangle or quadrilateral of a tree, its vertices relative to the drawn segment's base.
struct TreePolygon {
  uint16_t slot;
  int32_t count;
  float origin_x, origin_y, origin_z;
  TreeVertex local[4];
  TreeVertex world[4];
};

// Per-tree drawing state: the reference point of radial normals, the leaf thinning and the bend nesting.
extern constinit thread_local float tree_base_x, tree_base_y, tree_base_z;
extern constinit thread_local int32_t leaf_thin_index;
extern const int8_t leaf_thin_table[9];
extern constinit thread_local int32_t leaf_count;
extern constinit thread_local int32_t bend_depth;

// Vector operations; a zero vector counts as (0, 0, 1).
void vec3_normalize_or_up(float* x, float* y, float* z);
double vec3_cos_angle(Vec3f a, Vec3f b);
void vec3_unit_cross(Vec3f a, Vec3f b, float* x, float* y, float* z);

// Light levels 0..255 of tree surfaces against the sun: a limb side (mixes a quarter of the cell's light), a
// face with a radial normal, and two normals.
int32_t normal_shade(Vec3f n, uint32_t shade);
int32_t tri_normal_shade(Vec3f e1, Vec3f e2, Vec3f n, uint32_t shade);
int32_t two_normal_shade(Vec3f na, Vec3f nb, uint32_t shade);
// Cosine between the sun's reflection about n and the view vector v.
double specular_cosine(Vec3f n, Vec3f v);
// 1 when the face with edges e1, e2 turns away from the direction p (or the test is not a number).
int32_t tri_faces_away(Vec3f e1, Vec3f e2, Vec3f p);
// Highlight of a surface of colour class cls with normal n at base point b: strength and value for
// shade_color (both 0 without Phong, without intensity, or in the terrain's shadow when shadow_test is set).
void tree_highlight(int32_t cls, Vec3f n, float bx, float by, float bz, uint32_t shade, bool shadow_test,
                    int32_t* strength, int32_t* value);

void offset_polygon_vertices(TreePolygon* p);
// Triangles and quadrilaterals go to the pipeline as closed triangles; detail 1 may take the surface-detail
// path when tree textures are on. Any other count draws nothing.
void emit_tree_polygon(TreePolygon* p, int32_t detail);

void draw_tree_limb(const SegmentRecord& s, int32_t taper, int32_t k);
void draw_bent_limb(SegmentRecord* s, int32_t taper, int32_t k);
// The taper of both halves of a bent limb: halfway from t to a cylinder, 256 - (256 - t) / 2.
int32_t bent_limb_taper(int32_t taper);
void draw_flat_limb(const SegmentRecord& s, int32_t k);
void draw_lit_segment(SegmentRecord* s, int32_t k);
// The limb rule: bent limb when wide on screen, flat limb when narrow, nothing when narrower still.
int32_t limb_measure(const SegmentRecord& s);
void draw_limb_by_rule(SegmentRecord* s, int32_t taper, int32_t k);

struct SegmentKey {
  const SegmentRecord* segment;
  float key;
};
// Exchange sort, largest key first.
void sort_pairs_by_key(SegmentKey* pairs, int32_t n);
// The drawing order at a node: the n children (keyed by their direction against the line of sight to their
// base) and the node's own segment s (index n, keyed by its reversed direction at its tip). order receives
// n + 1 indices.
void node_drawing_order(const SegmentRecord* children, int32_t n, const SegmentRecord& s, int32_t* order);

// Child-segment makers: the child starts at the parent's tip with F/256 of its length (plus jitter) and
// turned by the offsets plus seeded jitter.
using ChildMaker = void (*)(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                            int32_t dy, int32_t dz);
void oak_child_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                       int32_t dy, int32_t dz);
void cactus_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                    int32_t dy, int32_t dz);
void pine_branch_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                         int32_t dy, int32_t dz);
void pine_twig_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                       int32_t dy, int32_t dz);
void palm_frond_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                        int32_t dy, int32_t dz);
void palm_leaf_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                       int32_t dy, int32_t dz);
void palm_tip_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                      int32_t dy, int32_t dz);
void palm_trunk_segment(const SegmentRecord& parent, SegmentRecord* child, int32_t seed, int32_t F, int32_t dx,
                        int32_t dy, int32_t dz);

// The segment's vector for a temporary direction and length (side and ring vectors).
Vec3f segment_turned_vector(const SegmentRecord& s, float dx, float dy, float dz, float length);
// The vector from the tree's reference point to the segment's base.
Vec3f segment_from_reference(const SegmentRecord& s);
// shade_color of a 0x00RRGGBB colour.
uint32_t tree_shade_color(uint32_t colour, int32_t light, int32_t strength, int32_t value);

// r(n) of the growers: random8_from(seed + n) with the sum wrapping.
int32_t seeded_draw(int32_t seed, int32_t n);

// How a model derives its leaf thinning from the level of detail.
enum class LeafThinning { kNone, kOak, kPine };
// The recursion depth of a model from lod and tree_detail (4..8); sets leaf_thin_index for oak and pine.
int32_t tree_model_depth(int32_t lod, LeafThinning thinning);
// The trunk record of a model (lean, length s * length_factor, width length / width_divisor) and the tree's
// reference point (the trunk's base, or its tip when ref_at_tip); leaf_count back to 0.
SegmentRecord tree_model_trunk(int32_t x, int32_t y, int32_t z, int32_t s, uint32_t bark, uint32_t leaf,
                               uint32_t shade, int32_t seed, double length_factor, double width_divisor,
                               bool ref_at_tip);
