// The vehicle characteristics pop-up panel: gadget table, filling it from the vehicle settings and its events.
#include "engine/panels/vehicle_dialog.h"

#include <cstdio>

#include "engine/animation/path_camera.h"
#include "engine/animation/path_model.h"
#include "engine/animation/path_passes.h"
#include "engine/animation/path_spline.h"
#include "engine/host/frontend_services.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/path_profile.h"
#include "engine/panels/topo_map.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/requesters.h"
#include "engine/ui/screen.h"

PanelRecord* vehicle_dialog_panel = nullptr;
int32_t vehicle_dialog_busy = 0;

const VehicleFieldRange vehicle_field_ranges[5] = {
    {kVehicleBank, -1000, 1000},
    {kVehicleExtraPitch, -90, 90},
    {kVehicleSmoothness, 0, kMaxSmoothingPasses},
    {kVehicleNodeHeight, -kMaxClearance, kMaxClearance},
    {kVehicleClearance, -kMaxClearance, kMaxClearance},
};

namespace {
using gadget_table::make;

char title_text[] = "    Vehicle characteristics    ";
char bank_buffer[16], extra_pitch_buffer[16], smoothness_buffer[16], node_height_buffer[16], clearance_buffer[16];
constexpr int32_t kCount = 15;

GadgetRecord gadgets[kCount] = {
    make(kGadgetButton, 0, 16, 16, kVehicleOk, "  OK  ", "Accept changes."),
    make(kGadgetButton, 1, 64, 72, kVehicleAirButton, "     Air      ", "A vehicle that travels in the air."),
    make(kGadgetButton, 1, 192, 72, kVehicleGroundButton, "    Ground    ", "A vehicle that travels on the ground."),
    make(kGadgetLabel, 0, 64, 100, 0, "Bank...................", nullptr),
    make(kGadgetInteger, 0, 256, 100, kVehicleBank, nullptr, "Bank coefficient.", 0, 6, 0, bank_buffer, 16),
    make(kGadgetLabel, 0, 64, 128, 0, "Pitch..................", nullptr),
    make(kGadgetButton, 0, 256, 128, kVehiclePitch, "  On  ", "Enable pitching."),
    make(kGadgetLabel, 0, 64, 156, 0, "Extra pitch............", nullptr),
    make(kGadgetInteger, 0, 256, 156, kVehicleExtraPitch, nullptr, "Pitch (degrees) added to each frame.", 0, 6, 0,
         extra_pitch_buffer, 16),
    make(kGadgetLabel, 0, 64, 184, 0, "Smoothness.............", nullptr),
    make(kGadgetInteger, 0, 256, 184, kVehicleSmoothness, nullptr, "Smoothness of camera motions.", 0, 6, 0,
         smoothness_buffer, 16),
    make(kGadgetLabel, 0, 64, 212, 0, "Node height............", nullptr),
    make(kGadgetInteger, 0, 256, 212, kVehicleNodeHeight, nullptr, "Height of path for air vehicles.", 0, 6, 0,
         node_height_buffer, 16),
    make(kGadgetLabel, 0, 64, 240, 0, "Path clearance.........", nullptr),
    make(kGadgetInteger, 0, 256, 240, kVehicleClearance, nullptr, "Height of path for ground vehicles.", 0, 6, 0,
         clearance_buffer, 16),
};

GadgetRecord* link_all() {
  gadgets[6].extra.off_text = "  Off ";
  return gadget_table::link(gadgets, kCount);
}

GadgetRecord& gadget(int32_t id) { return *gadget_table::find(vehicle_dialog_gadgets, id); }

// The setting an integer field shows and sets.
int32_t* field_setting(int32_t id) {
  switch (id) {
    case kVehicleBank: return &vehicle.bank_factor;
    case kVehicleExtraPitch: return &pitch_offset;
    case kVehicleSmoothness: return &vehicle.smoothing_passes;
    case kVehicleNodeHeight: return &vehicle.node_height;
    case kVehicleClearance: return &vehicle.min_clearance;
    default: return nullptr;
  }
}

// A field's new value goes into its setting when it lies in the field's range; otherwise the field shows the
// setting again and the user is told the range.
void take_field(PanelRecord* panel, int32_t id) {
  int32_t* setting = field_setting(id);
  GadgetRecord& g = gadget(id);
  for (const VehicleFieldRange& r : vehicle_field_ranges) {
    if (r.id != id) continue;
    if (g.value < r.low || g.value > r.high) {
      g.value = *setting;
      redraw_gadget(panel, id);
      std::snprintf(text_buffer, sizeof text_buffer, "The value must lie between %d and %d.", r.low, r.high);
      requester(text_buffer, "  OK  ", nullptr);
      return;
    }
  }
  *setting = g.value;
}
}  // namespace

GadgetRecord* const vehicle_dialog_gadgets = link_all();

void reset_vehicle_dialog_state() {
  vehicle_dialog_panel = nullptr;
  vehicle_dialog_busy = 0;
}

void vehicle_dialog_sync() {
  gadget(kVehicleOk).state = kGadgetOff;
  const bool air = vehicle.vehicle_class == kVehicleAir;
  gadget(kVehicleAirButton).state = air ? kGadgetOn : kGadgetOff;
  gadget(kVehicleGroundButton).state = air ? kGadgetOff : kGadgetOn;
  gadget(kVehiclePitch).state = vehicle.pitch_follows_slope ? kGadgetOn : kGadgetOff;
  for (const VehicleFieldRange& r : vehicle_field_ranges) gadget(r.id).value = *field_setting(r.id);
}

int32_t vehicle_dialog(PanelRecord* parent) {
  pointer_hide();
  PanelRecord* panel = panel_open(parent, "custom", 1385, 0, 0, 368, 310, vehicle_dialog_draw, vehicle_dialog_event);
  pointer_show();
  vehicle_dialog_panel = panel;
  vehicle_dialog_sync();
  if (panel) vehicle_dialog_draw(panel);
  return 1;
}

int32_t vehicle_dialog_draw(PanelRecord* panel) {
  if (!panel) return 1;
  pointer_hide();
  panel_fill_rect(panel, 0, 0, panel->width - 1, panel->height - 1, ui_color_face);
  panel_set_gadgets(panel, vehicle_dialog_gadgets);
  panel_draw_text(panel, title_text, 72, 16, ui_color_black, ui_color_face);
  pointer_show();
  return 1;
}

void vehicle_dialog_event(PanelRecord* panel) {
  if (vehicle_dialog_busy) return;
  vehicle_dialog_busy = 1;
  int32_t x = 0, y = 0;
  const int32_t r = panel_event(panel, &x, &y);
  vehicle_dialog_busy = 0;
  switch (r) {
    case kVehicleAirButton:
      vehicle.vehicle_class = kVehicleAir;
      gadget_select(panel, kVehicleAirButton);
      break;
    case kVehicleGroundButton:
      vehicle.vehicle_class = kVehicleGround;
      gadget_select(panel, kVehicleGroundButton);
      break;
    case kVehicleBank:
    case kVehicleExtraPitch:
    case kVehicleSmoothness:
    case kVehicleNodeHeight:
    case kVehicleClearance:
      take_field(panel, r);
      break;
    case kVehiclePitch:
      vehicle.pitch_follows_slope = gadget_state(panel, kVehiclePitch) == kGadgetOn ? 1 : 0;
      break;
    case kVehicleOk:
      gadget_deselect(panel, kVehicleOk);
      generate_path_frames(1);
      set_current_frame(path_slider_frame());
      topo_and_preview_redraw();
      if (panel) redraw_panel(panel->parent);
      ClosePanelWindow(panel);
      if (vehicle_dialog_panel == panel) vehicle_dialog_panel = nullptr;
      break;
    default:
      break;
  }
}
