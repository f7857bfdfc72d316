// The camera path model: node table, vehicle settings and presets, speed bookkeeping, ground height.
#include "engine/animation/path_model.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/core/float_convert.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/requesters.h"

VehicleSettings vehicle;

const VehiclePreset vehicle_presets[6] = {
    {1379, "Glider", kVehicleAir, 5, 140, 60, 7, 1, 1, 1, 0},
    {1380, "Jet", kVehicleAir, 10, 100, 20, 15, 1, 1, 1, 0},
    {1381, "Cruise Missile", kVehicleAir, 20, 70, 20, 7, 1, 1, 1, 0},
    {1382, "Helicopter", kVehicleAir, 20, 100, 20, 15, 1, 1, 1, 0},
    {1383, "Dune Buggy", kVehicleGround, -2, 50, 20, 10, 1, 1, 1, 0},
    {1384, "Motorcycle", kVehicleGround, 15, 50, 15, 10, 1, 1, 1, 0},
};

PathNode path_nodes[kPathNodeCapacity];
int32_t node_topo_x[kPathNodeCapacity];
int32_t node_topo_y[kPathNodeCapacity];
int32_t node_start_frames[kPathNodeCapacity + 1];
uint8_t closed_loop = 0;
uint8_t closed_loop_work = 0;
uint8_t use_min_clearance = 0;
uint8_t fixed_frame_count = 0;
uint8_t preset_flag = 0;
int32_t pitch_offset = 0;

void reset_path_state() {
  vehicle = VehicleSettings{};
  std::memset(path_nodes, 0, sizeof path_nodes);
  std::memset(node_topo_x, 0, sizeof node_topo_x);
  std::memset(node_topo_y, 0, sizeof node_topo_y);
  std::memset(node_start_frames, 0, sizeof node_start_frames);
  closed_loop = closed_loop_work = use_min_clearance = fixed_frame_count = preset_flag = 0;
  pitch_offset = 0;
  path_node_count = 0;
  path_frame_count = 0;
  current_frame = 0;
}

void path_message(const char* text) { requester(text, "  OK  ", nullptr); }

int32_t ground_height_at(float x, float y) {
  if (!elevation_rows) return landscape_view.base_level;
  const float fc = x / grid_spacing_x;
  const float fr = y / grid_spacing_y;
  // Truncation toward zero: anything above -1 reads column or row 0. Values that are not numbers or
  // lie far outside never reach the integer conversion.
  if (!(fc > -1.0f) || !(fr > -1.0f) || !(fc < static_cast<float>(land_width) + 1.0f) ||
      !(fr < static_cast<float>(land_height) + 1.0f))
    return landscape_view.base_level;
  const int32_t c = static_cast<int32_t>(fc);
  const int32_t r = static_cast<int32_t>(fr);
  const int32_t rm = r > 0 ? r - 1 : 0;
  const int32_t cm = c > 0 ? c - 1 : 0;
  int32_t h = elevation_row(r)[c];
  const int32_t around[4] = {elevation_row(rm)[c], elevation_row(r + 1)[c], elevation_row(r)[cm],
                             elevation_row(r)[c + 1]};
  for (const int32_t v : around)
    if (v > h) h = v;
  return h;
}

double node_height_at(float x, float y) {
  return static_cast<double>(ground_height_at(x, y)) + static_cast<double>(vehicle.node_height);
}

void average_node_speed() {
  if (path_node_count < 1) return;
  double sum = 0.0;
  for (int32_t i = 0; i < path_node_count; ++i) sum += static_cast<double>(path_nodes[i].speed);
  vehicle.path_speed = trunc_to_i32(sum / path_node_count);
}

void rescale_node_speeds(int32_t new_speed) {
  if (path_node_count < 1) return;
  if (vehicle.path_speed > 0) {
    const float ratio = static_cast<float>(static_cast<double>(new_speed) / vehicle.path_speed);
    for (int32_t i = 0; i < path_node_count; ++i) path_nodes[i].speed *= ratio;
  } else {
    // A speed of 0 or below (a damaged file) has no ratio: every node takes the new speed.
    for (int32_t i = 0; i < path_node_count; ++i) path_nodes[i].speed = static_cast<float>(new_speed);
  }
  vehicle.path_speed = new_speed < 1 ? 1 : new_speed;
}

void apply_vehicle_preset(int32_t command_id) {
  for (const VehiclePreset& p : vehicle_presets) {
    if (p.id != command_id) continue;
    vehicle.vehicle_class = p.vehicle_class;
    vehicle.bank_factor = p.bank_factor;
    vehicle.node_height = p.node_height;
    vehicle.smoothing_passes = p.smoothing_passes;
    vehicle.preset_reserved = p.preset_reserved;
    vehicle.pitch_follows_slope = p.pitch_follows_slope;
    vehicle.banking_enabled = p.banking_enabled;
    preset_flag = p.preset_flag;
    pitch_offset = p.pitch_offset;
    return;
  }
}

PathNode make_path_node(float x, float y) {
  PathNode n{};
  n.x = x;
  n.y = y;
  n.altitude = static_cast<float>(node_height_at(x, y));
  n.speed = static_cast<float>(vehicle.path_speed);
  n.target_state = kTargetNone;
  return n;
}

int32_t insert_path_node(int32_t index, const PathNode& node, int32_t topo_x, int32_t topo_y) {
  if (index < 0 || index > path_node_count) return 0;
  if (path_node_count >= kPathNodeCapacity) {
    path_message("The path holds at most 1000 nodes.");
    return 0;
  }
  for (int32_t i = path_node_count; i > index; --i) {
    path_nodes[i] = path_nodes[i - 1];
    node_topo_x[i] = node_topo_x[i - 1];
    node_topo_y[i] = node_topo_y[i - 1];
  }
  for (int32_t i = path_node_count + 1; i > index; --i) node_start_frames[i] = node_start_frames[i - 1];
  path_nodes[index] = node;
  node_topo_x[index] = topo_x;
  node_topo_y[index] = topo_y;
  ++path_node_count;
  return 1;
}

int32_t append_path_node(const PathNode& node, int32_t topo_x, int32_t topo_y) {
  return insert_path_node(path_node_count, node, topo_x, topo_y);
}

int32_t delete_path_node(int32_t index) {
  if (index < 0 || index >= path_node_count) return 0;
  for (int32_t i = index; i + 1 < path_node_count; ++i) {
    path_nodes[i] = path_nodes[i + 1];
    node_topo_x[i] = node_topo_x[i + 1];
    node_topo_y[i] = node_topo_y[i + 1];
  }
  for (int32_t i = index; i < path_node_count; ++i) node_start_frames[i] = node_start_frames[i + 1];
  --path_node_count;
  return 1;
}

int32_t get_vehicle_class() { return vehicle.vehicle_class; }
void set_vehicle_class(int32_t value) { vehicle.vehicle_class = static_cast<uint8_t>(value); }
int32_t get_pitch_mode() { return vehicle.pitch_follows_slope; }
void set_pitch_mode(int32_t value) { vehicle.pitch_follows_slope = static_cast<uint8_t>(value); }
int32_t get_pitch_offset() { return pitch_offset; }
void set_pitch_offset(int32_t value) { pitch_offset = value; }
int32_t get_bank_factor() { return vehicle.bank_factor; }
void set_bank_factor(int32_t value) { vehicle.bank_factor = value; }
int32_t get_smoothing_passes() { return vehicle.smoothing_passes; }
void set_smoothing_passes(int32_t value) { vehicle.smoothing_passes = value; }
int32_t get_node_height() { return vehicle.node_height; }
void set_node_height(int32_t value) { vehicle.node_height = value; }
int32_t get_min_clearance() { return vehicle.min_clearance; }
void set_min_clearance(int32_t value) { vehicle.min_clearance = value; }
int32_t get_closed_loop() { return closed_loop; }
void set_closed_loop(int32_t value) { closed_loop = static_cast<uint8_t>(value); }
int32_t get_path_speed() { return vehicle.path_speed; }
int32_t get_frame_count() { return path_frame_count; }
int32_t get_current_frame() { return current_frame; }

namespace {
bool current_frame_valid() {
  return path_frames && path_frame_count > 0 && current_frame >= 0 && current_frame < path_frame_count;
}
}  // namespace

int32_t current_frame_altitude() {
  if (!current_frame_valid()) return 0;
  return trunc_to_i32(path_frames[current_frame].altitude);
}

int32_t current_frame_ground() {
  if (!current_frame_valid()) return 0;
  return ground_height_at(path_frames[current_frame].x, path_frames[current_frame].y);
}

void frames_full_message(int32_t count) {
  char text[96];
  std::snprintf(text, sizeof text, "Too many frames: the flight ends at frame %d.", count);
  path_message(text);
}
