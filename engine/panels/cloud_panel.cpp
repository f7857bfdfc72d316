// The cloud panel: gadget table, filling from the cloud settings, the coverage preview and the event callback.
#include "engine/panels/cloud_panel.h"

#include <cstdio>

#include "engine/core/random.h"
#include "engine/host/frontend_services.h"
#include "engine/panels/direction_picker.h"
#include "engine/panels/gadget_table.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/scene/cloud_pattern_file.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/pointer.h"
#include "engine/ui/popup_slots.h"
#include "engine/ui/screen.h"

PanelRecord* cloud_panel = nullptr;

namespace {
using gadget_table::make;
constexpr int32_t kCount = 13;
GadgetRecord gadgets[kCount];
char field_text[4][16];
constexpr int32_t kFieldIds[4] = {kCloudDensity, kCloudHardness, kCloudAltitude, kCloudLining};
constexpr int32_t kSizeIds[4] = {kCloudSizeX, kCloudSizeL, kCloudSizeM, kCloudSizeS};
constexpr int32_t kSizeScales[4] = {2, 4, 8, 16};
constexpr uint8_t kPreviewClear = 1, kPreviewCloud = 15;

GadgetRecord field(int32_t y, int32_t id, int32_t slot, const char* tip) {
  return make(kGadgetInteger, 0, 144, y, id, nullptr, tip, 0, 6, 0, field_text[slot], sizeof field_text[slot]);
}

GadgetRecord* build() {
  int32_t n = 0;
  gadgets[n++] = make(kGadgetButton, 0, 10, 10, kCloudPanelOk, "  OK  ", nullptr);
  gadgets[n++] = make(kGadgetButton, 0, 144, 64, kCloudFractal, "  Fractal detail  ", "Enable fractal detail in clouds.");
  gadgets[n++] = field(112, kCloudDensity, 0, "Cloud coverage (percent).");
  gadgets[n++] = field(144, kCloudHardness, 1, "Cloud edge sharpness.");
  gadgets[n++] = field(176, kCloudAltitude, 2, "Altitude of cloud layer.");
  gadgets[n++] = field(208, kCloudLining, 3, "Brightness of cloud edges.");
  gadgets[n++] = make(kGadgetButton, 1, 74, 256, kCloudSizeS, "S", "Small clouds.");
  gadgets[n++] = make(kGadgetButton, 1, 89, 256, kCloudSizeM, "M", "Medium clouds.");
  gadgets[n++] = make(kGadgetButton, 1, 104, 256, kCloudSizeL, "L", "L");
  gadgets[n++] = make(kGadgetButton, 1, 119, 256, kCloudSizeX, "X", "Extra large clouds.");
  gadgets[n++] = make(kGadgetButton, 0, 144, 256, kCloudGenerate, " Generate clouds  ",
                      "Generate a random cloud pattern using the current size setting.");
  gadgets[n++] = make(kGadgetButton, 0, 144, 320, kCloudLoad, "Load cloud pattern",
                      "Load a Dalvenor cloud pattern file (.CLD).");
  gadgets[n++] = make(kGadgetButton, 0, 144, 348, kCloudSave, "Save cloud pattern",
                      "Save the cloud pattern as a Dalvenor cloud pattern file (.CLD).");
  return gadget_table::link(gadgets, n);
}

GadgetRecord* const gadget_head = build();

GadgetRecord* find(int32_t id) { return gadget_table::find(gadget_head, id); }

void set_field(int32_t id, int32_t value) {
  if (GadgetRecord* g = find(id)) {
    g->value = value;
    std::snprintf(g->text, static_cast<size_t>(g->text_size), "%d", value);
  }
}

void fill_from_settings() {
  const CloudSettings& c = cloud_settings;
  find(kCloudFractal)->state = c.cloud_subdiv_depth != 0 ? kGadgetOn : kGadgetOff;
  for (int32_t i = 0; i < 4; ++i) find(kSizeIds[i])->state = c.cloud_scale == kSizeScales[i] ? kGadgetOn : kGadgetOff;
  set_field(kCloudDensity, c.cloud_density);
  set_field(kCloudHardness, c.cloud_hardness);
  set_field(kCloudAltitude, c.cloud_altitude);
  set_field(kCloudLining, c.cloud_lining);
  find(kCloudPanelOk)->state = kGadgetOff;
}

// A field shows the value the setter kept (density and hardness are held within 0..100).
void show_kept(PanelRecord* panel, int32_t id, int32_t kept) {
  if (gadget_value(panel, id) != kept) {
    set_field(id, kept);
    redraw_gadget(panel, id);
  }
}

void close(PanelRecord* panel) {
  gadget_deselect(panel, kCloudPanelOk);
  if (cloud_panel == panel) cloud_panel = nullptr;
  realize_ui_palette();
  ClosePanelWindow(panel);
}

bool in_event = false;
}  // namespace

GadgetRecord* cloud_panel_gadgets() { return gadget_head; }

int32_t cloud_preview_threshold(int32_t density) { return ((100 - density) * 255) / 100; }

int32_t show_cloud_panel(PanelRecord* parent) {
  // One engine pop-up at a time: a second request while one is open opens nothing.
  if (popup_slots_any_open() || getvect_state.panel) return 1;
  pointer_hide();
  fill_from_settings();
  popup_slot_set(&cloud_panel, panel_open(parent, "Cloud Texture", 0, 0, 0, 400, 400, draw_cloud_panel,
                                           cloud_panel_event));
  pointer_show();
  cursor_arrow();
  return 1;
}

int32_t draw_cloud_panel(PanelRecord* panel) {
  if (!panel) return 1;
  panel_fill_rect(panel, 1, 1, panel->width - 2, panel->height - 2, ui_color_face);
  panel_set_gadgets(panel, gadget_head);
  panel_draw_label(panel, 144, 10, "Cloud Control Panel");
  panel_draw_label(panel, 18, 112, "       Density:");
  panel_draw_label(panel, 18, 144, "      Hardness:");
  panel_draw_label(panel, 18, 176, "      Altitude:");
  panel_draw_label(panel, 18, 208, "        Lining:");
  draw_cloud_preview(panel);
  return 1;
}

void draw_cloud_preview(PanelRecord* panel) {
  if (!panel) return;
  const int32_t t = cloud_preview_threshold(cloud_settings.cloud_density);
  pointer_hide();
  draw_sunken_box(panel, 220, 100, 355, 235);
  select_panel_window(panel);
  uint8_t row[128];
  for (int32_t r = 0; r < 256; r += 2) {
    const uint8_t* pattern_row = &cloud_pattern[(255 - r) * 256];
    for (int32_t c = 0; c < 256; c += 2) row[c / 2] = pattern_row[c] >= t ? kPreviewCloud : kPreviewClear;
    put_row8(panel->x0 + 224, panel->y0 + 104 + r / 2, 128, row);
  }
  pointer_show();
}

void cloud_panel_event(PanelRecord* panel) {
  if (in_event || !panel) return;
  in_event = true;
  int32_t x = 0, y = 0;
  const int32_t r = panel_event(panel, &x, &y);
  in_event = false;
  switch (r) {
    case kCloudDensity:
      set_cloud_density(gadget_value(panel, r));
      show_kept(panel, r, cloud_settings.cloud_density);
      draw_cloud_preview(panel);
      break;
    case kCloudHardness:
      set_cloud_hardness(gadget_value(panel, r));
      show_kept(panel, r, cloud_settings.cloud_hardness);
      break;
    case kCloudAltitude: set_cloud_altitude(gadget_value(panel, r)); break;
    case kCloudLining: set_cloud_lining(gadget_value(panel, r)); break;
    case kCloudFractal:
      if (gadget_state(panel, r) == kGadgetOn) fractal_clouds_on();
      else fractal_clouds_off();
      break;
    case kCloudSizeX:
    case kCloudSizeL:
    case kCloudSizeM:
    case kCloudSizeS:
      // One size button always stays on: a click on the one that is on leaves it on.
      if (gadget_state(panel, r) == kGadgetOff) gadget_select(panel, r);
      for (int32_t i = 0; i < 4; ++i)
        if (kSizeIds[i] == r) cloud_settings.cloud_scale = kSizeScales[i];
      break;
    case kCloudGenerate:
      cursor_wait();
      random_seed_clock();
      if (cloud_settings.cloud_scale == 0) cloud_settings.cloud_scale = 8;
      generate_cloud_pattern(cloud_feature_for_scale(cloud_settings.cloud_scale));
      gadget_deselect(panel, r);
      draw_cloud_preview(panel);
      cursor_arrow();
      break;
    case kCloudLoad:
      cursor_wait();
      ui_load_cloud_pattern();
      draw_cloud_preview(panel);
      gadget_deselect(panel, r);
      cursor_arrow();
      break;
    case kCloudSave:
      cursor_wait();
      ui_save_cloud_pattern();
      gadget_deselect(panel, r);
      cursor_arrow();
      break;
    case kCloudPanelOk:
    case kKeyEventBase + kKeyEnter:
      close(panel);
      break;
    default:
      break;
  }
}
