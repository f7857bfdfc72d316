// The panel toolkit's records: panels, gadgets, drop-down items, tab pages, saved rectangles and key codes.
#pragma once

#include <bit>
#include <cstdint>

struct PanelRecord;
struct GadgetRecord;
struct TabPage;

// Gadget kinds.
enum GadgetKind : int32_t {
  kGadgetButton = 1,         // button or toggle; a radio button when group is not 0
  kGadgetString = 2,         // string field (no blanks)
  kGadgetName = 3,           // name field (printable characters)
  kGadgetLabel = 4,          // label
  kGadgetReadOnly = 5,       // read-only field
  kGadgetInteger = 6,        // integer field
  kGadgetFloat = 7,          // float field
  kGadgetDropDown = 8,       // drop-down with a MenuItem array
  kGadgetVSlider = 9,        // vertical slider
  kGadgetHSlider = 10,       // horizontal slider
  kGadgetUnused = 11,        // no table uses it
  kGadgetSideTab = 12,       // tab whose page lies to its left
  kGadgetTopTab = 13,        // tab whose page lies below it
  kGadgetKnob = 14,          // direction dial
};

// Gadget states.
enum GadgetState : int32_t { kGadgetOff = 0, kGadgetOn = 1, kGadgetGreyed = 2 };
// gadget_state's answer when no gadget has the id or the panel is null.
constexpr int32_t kGadgetAbsent = 3;

// One entry of a drop-down's item array; the array ends with an entry of kind 0.
struct MenuItem {
  uint32_t kind;      // 1 plain, 2 radio item
  uint32_t group;     // bit mask among radio items
  uint32_t id;        // command id returned when chosen
  const char* text;
  uint32_t marked;    // 1 shows the check mark
  const char* tooltip;
  uint32_t help_x, help_y;  // 8 and 538, unread
};

// The per-kind extra field of a gadget.
union GadgetExtra {
  const char* off_text;  // kind 1: label shown while the state is 0 (null: always text)
  MenuItem* items;       // kind 8: item array
  TabPage* page;         // kinds 12, 13: the tab's page
  int32_t elevation;     // kind 14: elevation angle in degrees
};

// One gadget of a panel's static list.
struct GadgetRecord {
  GadgetRecord* next;   // null ends the list
  int32_t kind;         // GadgetKind
  uint32_t group;       // mutual-exclusion bit mask; 0 for none
  int32_t x, y;         // text origin, panel-relative
  int32_t id;           // command id the gadget reports (0 for none)
  int32_t state;        // GadgetState
  char* text;           // label, edit buffer of fields, read-out of sliders
  int32_t text_size;    // capacity of text in bytes
  int32_t value;        // integer value, slider position, knob azimuth; the bits of an f32 for kind 7
  int32_t width;        // fields: characters; sliders: track pixels; knob: radius
  GadgetExtra extra;
  int32_t range;        // sliders: number of positions; negative: vertical slider growing upwards
  const char* tooltip;  // help text on the status line; null for none
  int32_t help_x, help_y;  // 8 and 538 in every table; unread
  int32_t hit_x0, hit_y0, hit_x1, hit_y1;    // hit box, panel-relative, written when drawn
  int32_t list_x0, list_y0, list_x1, list_y1;  // kind 8: box of the open item list
};

// A float field's value.
inline float gadget_value_float(const GadgetRecord& g) { return std::bit_cast<float>(g.value); }
inline void gadget_set_value_float(GadgetRecord& g, float f) { g.value = std::bit_cast<int32_t>(f); }

// The page of a tab gadget.
struct TabPage {
  char name[12];         // short tag such as "ccolors"
  int32_t x, y;          // page position, panel-relative
  int32_t x1, y1;        // x + width and y + height, written when the page opens
  int32_t width, height;
  int32_t reserved;
  PanelRecord* open;     // sub-panel showing the page; null while closed
  GadgetRecord* gadgets;
  void (*on_open)();     // run after the gadgets are attached and before they are drawn; may be null
};

// A copy of a screen rectangle under a sub-panel.
struct SavedRect {
  int32_t x0, y0, x1, y1;  // canvas pixels, x0 <= x1 and y0 <= y1
  void* memory_dc;
  void* bitmap;
};

// One engine panel.
struct PanelRecord {
  char name[16];            // title
  int32_t id;               // panel type (4 to 17 control panels, 0 Topo and Preview, a pop-up's code)
  PanelRecord* parent;      // opener; null for static panels
  PanelRecord* child;       // newest child: top of the child stack
  PanelRecord* sibling;     // next older child of the same parent
  int32_t (*draw)(PanelRecord*);  // paint (static panels) or init (pop-ups, sub-panels) callback
  void (*event)(PanelRecord*);    // called once for every mouse event on the canvas
  int32_t x0, y0, x1, y1;   // box in canvas pixels
  int32_t width, height;
  int32_t disabled;         // disable count; above 0 the gadgets do not react
  GadgetRecord* gadgets;    // head of the gadget list
  SavedRect* saved;         // screen under a sub-panel; null when none was saved
  void* frame;              // front-end window object
  void* canvas;             // native canvas handle the panel draws into
};

// Key codes as they reach a panel's event: 0x10000 combined with scan code << 8 | character.
constexpr int32_t kKeyEventBase = 0x10000;
enum KeyCode : int32_t {
  kKeyEsc = 0x011B,
  kKeyEnter = 0x1C0D,
  kKeyBackspace = 0x0E08,
  kKeySpace = 0x3920,
  kKeyMinus = 0x0C2D,
  kKeyEquals = 0x0D3D,
  kKeyPadPlus = 0x4E2B,
  kKeyPadStar = 0x372A,
  kKeyPadMinus = 0x4A2D,
  kKeyUp = 0x4800,
  kKeyDown = 0x5000,
  kKeyLeft = 0x4B00,
  kKeyRight = 0x4D00,
  kKeyHome = 0x4700,
  kKeyEnd = 0x4F00,
  kKeyPageUp = 0x4900,
  kKeyPageDown = 0x5100,
  kKeyInsert = 0x5200,
  kKeyDelete = 0x5300,
  kKeyF10 = 0x4400,
  kKeyTab = 0x0009,
};

// panel_event results other than gadget ids and keys.
enum PanelEventResult : int32_t {
  kEventNothing = 0,
  kEventClickNoGadget = 1,
  kEventRightButton = 3,
  kEventDropDownNone = 5,
};
