// The screen layer: current canvas, drawing bracket, window stack, UI palette and the message poll.
#include "engine/ui/screen.h"

#include <cstring>

#include "engine/host/host.h"
#include "engine/ui/panel_record.h"
#include "engine/ui/screen_internal.h"

Canvas* current_hwnd = nullptr;
int32_t current_hdc = 0;
int32_t window_stack_depth = 0;
int32_t main_client_width = 788, main_client_height = 554;
int32_t char_width = 8, char_height = 16;
int32_t display_hicolor = 1;
int32_t in_dispatch = 0;
uint8_t ui_palette_table[256][4];
uint8_t ui_palette[256][4];

namespace {
constexpr int kStackSlots = 10;
Canvas* window_stack[kStackSlots] = {};
uint64_t screen_host_serial = 0;
bool polling = false;

// The stored table: fixed colours 0 to 31, the ramp ends, the blue ramp; 64 to 255 black. The 3-D frame
// colours 11 to 14 are fixed too, so that panels look the same on every machine.
constexpr uint8_t kStoredTable[64][3] = {
    {0, 0, 0},       {0, 128, 128},   {255, 255, 0},   {255, 0, 0},     {192, 0, 0},     {192, 192, 0},
    {0, 240, 0},     {0, 0, 192},     {160, 144, 112}, {176, 160, 128}, {192, 176, 144}, {96, 96, 96},
    {176, 176, 176}, {224, 224, 224}, {240, 240, 240}, {255, 255, 255}, {15, 168, 168},  {15, 192, 192},
    {0, 216, 216},   {0, 240, 240},   {139, 176, 0},   {157, 198, 0},   {175, 216, 0},   {192, 240, 0},
    {240, 0, 0},     {240, 0, 0},     {240, 0, 0},     {0, 176, 0},     {240, 0, 0},     {240, 0, 0},
    {240, 0, 0},     {240, 0, 0},     {0, 64, 0},      {0, 0, 0},       {0, 0, 0},       {0, 0, 0},
    {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {96, 160, 64},   {80, 32, 0},     {0, 0, 0},
    {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {192, 144, 96},
    {80, 80, 80},    {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},
    {0, 0, 0},       {224, 224, 224}, {0, 0, 80},      {0, 0, 96},      {0, 16, 112},    {0, 32, 128},
    {16, 48, 144},   {32, 64, 160},   {48, 80, 176},   {64, 96, 192}};

void load_stored_table() {
  std::memset(ui_palette_table, 0, sizeof ui_palette_table);
  for (int i = 0; i < 64; ++i)
    for (int c = 0; c < 3; ++c) ui_palette_table[i][c] = kStoredTable[i][c];
}

// Tells the host when the canvas was drawn into.
void flush(Canvas* c) {
  if (c && c->needs_repaint) host().canvas_changed(c);
}

void make_current(Canvas* c) {
  if (current_hwnd != c) flush(current_hwnd);
  current_hwnd = c;
}
}  // namespace

// A host that is no longer in force took its canvases with it: forget them.
void screen_sync_host() {
  const uint64_t serial = host().serial();
  if (serial == screen_host_serial) return;
  screen_host_serial = serial;
  current_hwnd = nullptr;
  current_hdc = 0;
  window_stack_depth = 0;
  for (Canvas*& c : window_stack) c = nullptr;
}

Canvas* screen_current() {
  screen_sync_host();
  return current_hwnd;
}

void screen_reset_state() {
  screen_host_serial = host().serial();
  current_hwnd = nullptr;
  current_hdc = 0;
  window_stack_depth = 0;
  for (Canvas*& c : window_stack) c = nullptr;
  char_width = 8;
  char_height = 16;
  in_dispatch = 0;
  polling = false;
  saved_rects_live = 0;
  load_stored_table();
  std::memcpy(ui_palette, ui_palette_table, sizeof ui_palette);
}

int32_t display_init() {
  screen_sync_host();
  const int32_t bits = host().display_bits();
  display_hicolor = bits >= 15 ? 1 : 0;
  if (bits < 8) {
    host().ask_yes_no(
        "Dalvenor requires a 256 color (or more) display.  You need to install a higher color depth display driver.",
        "  OK  ", nullptr);
  }
  load_stored_table();
  // The font is our own 8 by 16 cell; nothing to measure.
  char_width = 8;
  char_height = 16;
  realize_ui_palette();
  return 1;
}

void gui_init(void (*)()) {
  screen_sync_host();
  load_stored_table();
  ui_palette_ramp(32, 39);
  ui_palette_ramp(40, 47);
  ui_palette_ramp(48, 55);
  for (int i = 128; i < 256; ++i) {
    ui_palette_table[i][0] = 255;
    ui_palette_table[i][1] = 0;
    ui_palette_table[i][2] = 0;
  }
  for (int i = 0; i < 64; ++i) {
    ui_palette_table[128 + i][0] = static_cast<uint8_t>(16 + 74 * (i % 4));
    ui_palette_table[128 + i][1] = static_cast<uint8_t>(16 + 74 * ((i / 4) % 4));
    ui_palette_table[128 + i][2] = static_cast<uint8_t>(16 + 74 * (i / 16));
  }
  realize_ui_palette();
}

Canvas* topo_canvas() { return host().main_canvas(kCanvasTopo); }
Canvas* preview_canvas() { return host().main_canvas(kCanvasPreview); }

void acquire_dc(Canvas* dc) {
  screen_sync_host();
  if (dc) make_current(dc);
  current_hdc = 1;
}

void release_dc() {
  screen_sync_host();
  if (!current_hdc) return;
  flush(current_hwnd);
  current_hdc = 0;
}

void select_panel_window(PanelRecord* panel) {
  screen_sync_host();
  if (!panel) return;
  auto* c = static_cast<Canvas*>(panel->canvas);
  if (c == current_hwnd && current_hdc) return;
  release_dc();
  make_current(c);
  acquire_dc(nullptr);
}

void select_topo_canvas() {
  release_dc();
  make_current(topo_canvas());
  acquire_dc(nullptr);
}
void use_topo_window() { select_topo_canvas(); }

void select_preview_canvas() {
  release_dc();
  make_current(preview_canvas());
  acquire_dc(nullptr);
}
void use_preview_window() { select_preview_canvas(); }

void use_panel_window(PanelRecord* panel) {
  host().use_panel_canvas(panel);
  select_panel_window(panel);
}

void push_window() {
  screen_sync_host();
  if (window_stack_depth < kStackSlots) window_stack[window_stack_depth] = current_hwnd;
  ++window_stack_depth;
}
void window_stack_push() { push_window(); }

void pop_window() {
  screen_sync_host();
  if (window_stack_depth <= 0) return;
  --window_stack_depth;
  if (window_stack_depth >= kStackSlots) return;  // a push beyond the stack stored nothing
  release_dc();
  make_current(window_stack[window_stack_depth]);
  acquire_dc(nullptr);
}
void window_stack_pop() { pop_window(); }

void set_current_window_title(const char* text) {
  if (Canvas* c = screen_current()) c->title = text ? text : "";
}
void minimize_current_window() {
  if (Canvas* c = screen_current()) c->minimized = 1;
}
void restore_current_window() {
  if (Canvas* c = screen_current()) c->minimized = 0;
}

void set_ui_palette(const uint8_t* entries, int32_t first, int32_t count) {
  if (!entries || first < 0 || first >= 256 || count <= 0) return;
  if (count > 256 - first) count = 256 - first;
  for (int32_t i = 0; i < count; ++i) {
    ui_palette[first + i][0] = entries[4 * i];
    ui_palette[first + i][1] = entries[4 * i + 1];
    ui_palette[first + i][2] = entries[4 * i + 2];
    ui_palette[first + i][3] = 0;
  }
  host().canvas_palette(&ui_palette[0][0]);
}

void load_ui_palette(const uint8_t* entries, int32_t first, int32_t count) {
  if (!entries || first < 0 || first >= 256 || count <= 0) return;
  if (count > 256 - first) count = 256 - first;
  for (int32_t i = 0; i < count; ++i)
    for (int c = 0; c < 3; ++c) ui_palette_table[first + i][c] = entries[4 * i + c];
  realize_ui_palette();
}

void realize_ui_palette() { set_ui_palette(&ui_palette_table[0][0], 0, 256); }

void ui_palette_ramp(int32_t a, int32_t b) {
  if (a > b) {
    const int32_t t = a;
    a = b;
    b = t;
  }
  if (a < 0 || b > 255) return;
  const int32_t n = b - a;
  if (n < 2) return;
  for (int32_t k = 1; k < n; ++k)
    for (int c = 0; c < 3; ++c) {
      const int32_t ca = ui_palette_table[a][c], cb = ui_palette_table[b][c];
      ui_palette_table[a + k][c] = static_cast<uint8_t>(ca + k * (cb - ca) / n);
    }
}

int32_t poll_event() {
  screen_sync_host();
  if (polling) return 0;  // a window procedure run by this poll must not take messages itself
  polling = true;
  in_dispatch = 1;
  const int32_t key = host().next_key();
  in_dispatch = 0;
  polling = false;
  return key & 0xFFFF;
}

int32_t key_modifiers() {
  int32_t m = 0;
  if (host().key_down('S')) m |= 3;
  if (host().key_down('C')) m |= 4;
  return m;
}

int32_t current_window_open() {
  Canvas* c = screen_current();
  return c && c->open ? 1 : 0;
}
