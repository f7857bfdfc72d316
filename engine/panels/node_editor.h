// The Manual Node Editor pop-up: one node's position, speed, roll and target as numbers, stepping through
// the nodes.
#pragma once

#include <cstdint>

struct PanelRecord;
struct GadgetRecord;

// Gadget ids.
constexpr int32_t kNodeOk = 1000, kNodeCancel = 1001, kNodeX = 1002, kNodeY = 1003, kNodeZ = 1004,
                  kNodeSpeed = 1005, kNodeTarget = 1006, kNodeTargetX = 1007, kNodeTargetY = 1008,
                  kNodeTargetZ = 1009, kNodeRoll = 1010, kNodePrior = 1011, kNodeNext = 1012, kNodeLabel = 88;

extern GadgetRecord* const node_editor_gadgets;
extern PanelRecord* node_editor_panel;  // the open editor, null otherwise
extern int32_t node_editor_busy;
extern int32_t edited_node;             // index of the node shown

// The least and greatest value each integer field takes.
struct NodeFieldRange {
  int32_t id, low, high;
};
extern const NodeFieldRange node_field_ranges[8];

// Opens the editor on node index under the Path panel and fills it; 1 (0 for an index without a node).
int32_t node_editor_dialog(int32_t index);
int32_t node_editor_draw(PanelRecord* panel);
void node_editor_event(PanelRecord* panel);
// Gadgets from node index, and back.
void node_editor_sync(int32_t index);
void node_editor_apply(int32_t index);
// Start values (no editor open).
void reset_node_editor_state();
