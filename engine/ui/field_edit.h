// In-place editing of string, name, integer and float fields.
#pragma once

#include <cstdint>

struct PanelRecord;
struct GadgetRecord;

// Edits the field until Enter, Tab or the left button accepts, or Esc or the right button cancels (or the
// window closes, which cancels). (px, py) is the panel-relative press. Returns the gadget's id when the edit
// was accepted, 0 when it was cancelled or the number typed does not parse or is out of range (the field is
// then left as it was).
int32_t field_edit(PanelRecord* panel, GadgetRecord* gadget, int32_t px, int32_t py);
