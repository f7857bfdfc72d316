// The "treeset" pop-up, titled "Tree Control Panel": the tree kinds of each tree class, the sizes of the
// kinds, the densities of the classes, their means and the leaves switches, edited at once.
#pragma once

#include <cstdint>

struct PanelRecord;
struct GadgetRecord;

constexpr int32_t kTreePanelOk = 1172;
constexpr int32_t kTreePanelMeanSize = 2028;
constexpr int32_t kTreePanelMeanDensity = 2029;
// Size fields of palm, oak, cactus, pine; density fields of tree classes 56..59; leaves toggles.
constexpr int32_t kTreePanelSizeIds[4] = {2017, 2005, 2023, 2011};
constexpr int32_t kTreePanelDensityIds[4] = {2024, 2025, 2026, 2027};
constexpr int32_t kTreePanelLeavesIds[4] = {2034, 2035, 2036, 2037};
// First toggle id of each kind (palm, oak, cactus, pine); class index i adds i.
constexpr int32_t kTreePanelKindFirstIds[4] = {2012, 2000, 2018, 2006};

// The panel's static gadget list (head).
extern GadgetRecord* const tree_panel_gadgets;

// Fills the gadgets from the tree settings and opens the panel (524 by 350 at 0, 0 of the parent) with the
// given panel id. Returns 1.
int32_t open_tree_control_panel(PanelRecord* parent, int32_t id);
// Draw callback: background, the gadget list and the row and column labels.
int32_t draw_tree_control_panel(PanelRecord* panel);
// Event callback: one panel_event result acted on.
void tree_control_panel_event(PanelRecord* panel);
// The panel opened last by open_tree_control_panel (null before).
extern PanelRecord* tree_control_panel;
