// The path tools on the topographic map: hit tests on nodes and segments, and the operations of the Path
// panel's tools, each called with a map click in Topo panel pixels.
#pragma once

#include <cstdint>

struct PathNode;

// "Number of frames?" of Add roll: 30 at start, keeps the last value accepted.
extern int32_t roll_frames_input;
// Start values of the tools' state.
void reset_path_tools_state();

// The first node (table order) whose map pixel lies within 3 pixels of (x, y) in both directions, or -1.
// previous and next receive the neighbours (wrapping on a closed loop), -1 where there is none; either may be null.
int32_t node_at(int32_t x, int32_t y, int32_t* previous, int32_t* next);
// Where a node added at the map pixel goes in the table (0 to the node count).
int32_t nearest_segment(int32_t x, int32_t y);
// Least horizontal distance from (px, py) to the points of the segment a-b stepped one metre at a time along
// its longer axis, from the end with the smaller coordinate up to but not including the other end. A segment
// with no such point (both ends equal) is infinitely far.
double point_segment_distance(float ax, float ay, float bx, float by, float px, float py);

// The tools. Results as the command handler reads them: 1 when something was picked, else 0.
void create_path_interactive(int32_t x, int32_t y);
int32_t drag_node_command(int32_t x, int32_t y);
int32_t edit_node_at(int32_t x, int32_t y);
void insert_node_command(int32_t x, int32_t y);
void delete_node_command(int32_t x, int32_t y);
int32_t set_node_target_command(int32_t x, int32_t y);
int32_t unset_node_target_command(int32_t x, int32_t y);
void add_roll_command(int32_t x, int32_t y);
void remove_roll_command(int32_t x, int32_t y);
