// Row makers and setters shared by the control panels' gadget tables: titles, captions, fields, toggles and the
// writes of their synchronisation.
#pragma once

#include <cmath>
#include <cstring>

#include "engine/panels/gadget_table.h"

namespace panel_rows {

inline GadgetRecord label(int32_t x, int32_t y, const char* text) {
  return gadget_table::make(kGadgetLabel, 0, x, y, 0, text, nullptr);
}
// An integer field with its 16-byte buffer.
inline GadgetRecord int_field(int32_t x, int32_t y, int32_t id, int32_t chars, char (&buffer)[16], const char* tip) {
  std::memcpy(buffer, "---------------", 16);
  return gadget_table::make(kGadgetInteger, 0, x, y, id, nullptr, tip, 0, chars, 0, buffer, 16);
}
// A float field with its 32-byte buffer.
inline GadgetRecord float_field(int32_t x, int32_t y, int32_t id, int32_t chars, char (&buffer)[32], const char* tip) {
  std::memcpy(buffer, "0123456789012345678901234567890", 32);
  return gadget_table::make(kGadgetFloat, 0, x, y, id, nullptr, tip, 0, chars, 0, buffer, 32);
}
inline GadgetRecord button(uint32_t group, int32_t x, int32_t y, int32_t id, const char* text, const char* tip) {
  return gadget_table::make(kGadgetButton, group, x, y, id, text, tip);
}
// An "  On  " / "  Off " toggle at x 222.
inline GadgetRecord toggle(int32_t y, int32_t id, const char* tip) {
  static const char kOn[] = "  On  ", kOff[] = "  Off ";
  GadgetRecord g = gadget_table::make(kGadgetButton, 0, 222, y, id, kOn, tip);
  g.extra.off_text = kOff;
  return g;
}

inline void set_state(GadgetRecord* list, int32_t id, bool on) {
  for (GadgetRecord* g = list; g; g = g->next)
    if (g->id == id && g->kind == kGadgetButton) g->state = on ? kGadgetOn : kGadgetOff;
}
inline void set_value(GadgetRecord* list, int32_t id, int32_t v) {
  if (GadgetRecord* g = gadget_table::find(list, id)) g->value = v;
}
inline void set_float(GadgetRecord* list, int32_t id, float v) {
  if (GadgetRecord* g = gadget_table::find(list, id)) gadget_set_value_float(*g, v);
}
// An f32 setting shown in an integer field: truncated toward zero (0 when not finite or out of range).
inline int32_t whole(double v) { return std::isfinite(v) && std::fabs(v) < 2147483647.0 ? static_cast<int32_t>(v) : 0; }

}  // namespace panel_rows
