// The camera path model: the node table, vehicle settings and presets, path flags and the small
// operations on them (speed bookkeeping, presets, ground height, node table edits, accessors).
#pragma once

#include <cstdint>

#include "engine/animation/path_frames.h"

// One node as the user placed it. Stored byte for byte in the path block, so field order and
// widths are fixed.
struct PathNode {
  float x, y;          // world position in metres
  float altitude;      // metres (new nodes: ground height plus node_height)
  float target_x, target_y, target_z;  // the node's look-at target
  float speed;         // centimetres per frame (new nodes: path_speed)
  int32_t target_state;  // TargetState
  int32_t roll;        // barrel roll frames from this node: > 0 clockwise, < 0 counter-clockwise, 0 none
  int32_t reserved;    // always 0; moves with the node
};
static_assert(sizeof(PathNode) == 40);

// How a node's target steers the camera over its segments.
enum TargetState : int32_t {
  kTargetNone = 0,
  kTargetLook = 1,     // look at this node's target over the segment that begins here
  kTargetRelease = 2,  // turn back from the previous target to the direction of travel
};

constexpr int32_t kPathNodeCapacity = 1000;

// Vehicle classes.
constexpr uint8_t kVehicleAir = 2;
constexpr uint8_t kVehicleGround = 3;

// The settings that steer generation; start values are the Jet preset.
struct VehicleSettings {
  uint8_t reserved_a = 1;           // stored in the path block only
  uint8_t spline_kind = 1;          // 1 uniform cubic B-spline, 0 Bezier
  uint8_t banking_enabled = 1;      // set by presets and stored
  uint8_t vehicle_class = kVehicleAir;
  uint8_t pitch_follows_slope = 1;  // 1 climb angle plus pitch_offset; 0 pitch_offset only
  int32_t path_frame_target = 200;  // frame count of fixed-count Bezier paths
  int32_t path_speed = 3000;        // centimetres per frame ("Speed")
  int32_t bank_factor = 10;         // "Bank"
  int32_t node_height = 100;        // metres above ground for new air-vehicle nodes ("Node height")
  int32_t preset_reserved = 15;     // set by presets and stored
  int32_t smoothing_passes = 20;    // "Smoothness"
  int32_t min_clearance = 30;       // metres ("Path clearance")
  float profile_zoom = 1.0f;        // vertical zoom of the altitude profile
};
extern VehicleSettings vehicle;

// One row of the vehicle presets (command ids 1379 to 1384).
struct VehiclePreset {
  int32_t id;
  const char* item;
  uint8_t vehicle_class;
  int32_t bank_factor, node_height, smoothing_passes, preset_reserved;
  uint8_t pitch_follows_slope, banking_enabled, preset_flag;
  int32_t pitch_offset;
};
constexpr int32_t kPresetGlider = 1379;
constexpr int32_t kPresetMotorcycle = 1384;
extern const VehiclePreset vehicle_presets[6];

// Path state.
extern PathNode path_nodes[kPathNodeCapacity];      // slots at and above the count keep what they held
extern int32_t node_topo_x[kPathNodeCapacity];      // map pixel of every node, refreshed when drawn
extern int32_t node_topo_y[kPathNodeCapacity];
extern int32_t node_start_frames[kPathNodeCapacity + 1];  // first frame of each node's segment
extern uint8_t closed_loop;        // last node joined to the first ("Closed loop")
extern uint8_t closed_loop_work;   // closed_loop as taken by the last generation
extern uint8_t use_min_clearance;  // air vehicles keep min_clearance above ground (path block only)
extern uint8_t fixed_frame_count;  // Bezier paths step by path_frame_target (path block only)
extern uint8_t preset_flag;        // 1 once a preset was chosen; stored in the path block
extern int32_t pitch_offset;       // degrees added to every pitch ("Extra pitch")

// Start values of every path record: no nodes, no frames, the Jet settings (the frame array stays).
void reset_path_state();

// Ground height under a world point in metres: the highest of the sample and its four neighbours,
// base_level off the landscape or without a grid.
int32_t ground_height_at(float x, float y);
// ground_height_at plus node_height: the altitude of new and dragged nodes.
double node_height_at(float x, float y);
// path_speed := the mean node speed truncated toward zero; nothing without nodes.
void average_node_speed();
// Scales every node speed by new_speed / path_speed, then path_speed := new_speed (at least 1).
// Without nodes nothing changes.
void rescale_node_speeds(int32_t new_speed);
// Copies the preset row of ids 1379 to 1384; other ids change nothing.
void apply_vehicle_preset(int32_t command_id);

// A new node at a world point: altitude node_height_at, speed path_speed, no target, no roll.
PathNode make_path_node(float x, float y);
// Inserts the node at index (0 to the count), moving later nodes, their map pixels and their
// node_start_frames entries up one slot. A full table shows "The path holds at most 1000 nodes."
// and returns 0; an index out of range returns 0; 1 when inserted.
int32_t insert_path_node(int32_t index, const PathNode& node, int32_t topo_x, int32_t topo_y);
// Appends the node (insert_path_node at the count).
int32_t append_path_node(const PathNode& node, int32_t topo_x, int32_t topo_y);
// Removes the node at index, moving later nodes down; 0 when the index is out of range.
int32_t delete_path_node(int32_t index);

// Accessors (the setters store their argument unchanged).
int32_t get_vehicle_class();
void set_vehicle_class(int32_t value);
int32_t get_pitch_mode();
void set_pitch_mode(int32_t value);
int32_t get_pitch_offset();
void set_pitch_offset(int32_t value);
int32_t get_bank_factor();
void set_bank_factor(int32_t value);
int32_t get_smoothing_passes();
void set_smoothing_passes(int32_t value);
int32_t get_node_height();
void set_node_height(int32_t value);
int32_t get_min_clearance();
void set_min_clearance(int32_t value);
int32_t get_closed_loop();
void set_closed_loop(int32_t value);
int32_t get_path_speed();
int32_t get_frame_count();
int32_t get_current_frame();

// Altitude of the current frame truncated, and the ground under it; 0 without frames.
int32_t current_frame_altitude();
int32_t current_frame_ground();

// A path message: the text with the single button "  OK  ".
void path_message(const char* text);

// "Too many frames: the flight ends at frame %d." when the frame array is full.
void frames_full_message(int32_t count);
