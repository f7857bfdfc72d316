// The vehicle characteristics pop-up ("Custom" vehicle type): class, bank, pitch, smoothness, node height and
// clearance, each taking effect as soon as its gadget reports.
#pragma once

#include <cstdint>

struct PanelRecord;
struct GadgetRecord;

// Gadget ids.
constexpr int32_t kVehicleOk = 1000, kVehicleAirButton = 1387, kVehicleGroundButton = 1386, kVehicleBank = 1392,
                  kVehiclePitch = 1389, kVehicleExtraPitch = 1390, kVehicleSmoothness = 1388,
                  kVehicleNodeHeight = 1393, kVehicleClearance = 1394;

// The dialog's static gadget list (head) and the panel while it is open (null otherwise).
extern GadgetRecord* const vehicle_dialog_gadgets;
extern PanelRecord* vehicle_dialog_panel;
extern int32_t vehicle_dialog_busy;

// The least and greatest value each integer field takes.
struct VehicleFieldRange {
  int32_t id, low, high;
};
extern const VehicleFieldRange vehicle_field_ranges[5];

// Opens the dialog under the parent (the Path panel) and fills it; 1.
int32_t vehicle_dialog(PanelRecord* parent);
// Gadgets from the vehicle settings.
void vehicle_dialog_sync();
// Draw callback: fills the face, draws the gadget list and the title.
int32_t vehicle_dialog_draw(PanelRecord* panel);
// Event callback: one poll of the panel and its result acted on.
void vehicle_dialog_event(PanelRecord* panel);
// Start values (no dialog open, not busy).
void reset_vehicle_dialog_state();
