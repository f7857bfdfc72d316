// The five texture-map pop-up panels (ground, houses and roads, trees, water and beach, sun and moon): one
// read-only field per texture slot showing the slot's file name; a click loads a Targa file into the slot, a
// click with Ctrl saves the slot's texture, and the ground and water panels edit each slot's deformation.
#pragma once

#include <cstdint>

struct PanelRecord;
struct GadgetRecord;

constexpr int32_t kTexturePanelOk = 1172;

// The texture panel open now (one at a time), or null.
extern PanelRecord* texture_map_panel;

// Openers: each opens its panel over the parent and returns 1. Nothing is opened while another pop-up of the
// engine is still open (so two never stack up when the command comes twice).
int32_t ground_texture_dialog(PanelRecord* parent);
int32_t show_house_texture_panel(PanelRecord* parent);
int32_t open_tree_texture_dialog(PanelRecord* parent);
int32_t water_texture_panel(PanelRecord* parent);
int32_t sky_texture_dialog(PanelRecord* parent);

// Draw callbacks.
int32_t ground_texture_dialog_paint(PanelRecord* panel);
int32_t draw_house_texture_panel(PanelRecord* panel);
int32_t draw_tree_texture_dialog(PanelRecord* panel);
int32_t water_texture_panel_init(PanelRecord* panel);
int32_t sky_texture_dialog_paint(PanelRecord* panel);

// Event callbacks: one panel_event result acted on.
void ground_texture_dialog_handler(PanelRecord* panel);
void house_texture_panel_event(PanelRecord* panel);
void tree_texture_dialog_event(PanelRecord* panel);
void water_texture_panel_event(PanelRecord* panel);
void sky_texture_dialog_handler(PanelRecord* panel);

// Resets: the panel's "  OK  " off; the ground panel's also copies the slots' deformations into its fields.
void ground_texture_dialog_update();
void house_texture_panel_reset();
void tree_texture_dialog_reset();
void water_texture_reset();
void sky_texture_dialog_reset();

// The gadget lists (heads), for the callers that look at them.
GadgetRecord* ground_texture_gadgets();
GadgetRecord* house_texture_gadgets();
GadgetRecord* tree_texture_gadgets();
GadgetRecord* water_texture_gadgets();
GadgetRecord* sky_texture_gadgets();
