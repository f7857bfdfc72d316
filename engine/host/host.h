// The host seam: the one interface through which the engine reaches the front end and the platform.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/host/canvas.h"

struct PanelRecord;

// Pointer buttons as the platform reports them (physical buttons, before any swap).
enum HostButtons : int32_t { kHostButtonLeft = 1, kHostButtonRight = 2 };

// What the file chooser is asked to show.
struct HostFileChoice {
  const char* title;    // dialog title
  const char* folder;   // folder to open in (may be empty)
  const char* name;     // file name to prefill (may be empty)
  const char* filter;   // "*.ext"
  int32_t save;         // 1 save dialog, 0 open dialog
};

enum MainCanvas : int32_t { kCanvasTopo = 0, kCanvasPreview = 1, kCanvasRender = 2 };

class Host {
 public:
  Host();
  virtual ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;
  // A number no other host of this run has: the screen layer forgets canvases of a host no longer in force.
  uint64_t serial() const { return serial_; }

  // Front-end services.
  virtual void open_panel_window(PanelRecord* panel) = 0;
  virtual void open_popup_window(PanelRecord* panel) = 0;
  virtual void use_panel_canvas(PanelRecord* panel) = 0;
  virtual void close_panel_window(PanelRecord* panel) = 0;
  virtual void dispatch_pending_events() = 0;
  virtual int ask_yes_no(const char* message, const char* button1, const char* button2) = 0;
  virtual int ask_value(const char* message, const char* button1, const char* button2, int32_t* value) = 0;
  virtual void set_status_line(const char* text) = 0;

  // The status strip of the map panel, until the screen layer draws it itself.
  virtual void status_strip(const char* text) = 0;                          // a status text as shown
  virtual void progress_strip(const char* text, int32_t bar_end_x) = 0;     // a progress read-out and its bar's end

  // Clock.
  virtual uint32_t tick_count() = 0;  // milliseconds, wrapping at 32 bits
  virtual void sleep_ms(int32_t ms) = 0;

  // Pointer and keys.
  virtual void pointer_position(int32_t* x, int32_t* y) = 0;  // screen coordinates
  virtual void set_pointer_position(int32_t x, int32_t y) = 0;
  virtual int32_t pointer_buttons() = 0;                       // HostButtons bits, physical
  virtual int32_t buttons_swapped() = 0;                       // 1 when the system swaps the buttons
  virtual int32_t has_focus() = 0;                             // 1 when the engine's current window has the keyboard focus
  virtual int32_t key_down(int32_t key) = 0;                   // key: 'S' shift, 'C' control, or a character
  virtual int32_t next_key() = 0;                              // next pending key code of the current window, 0 when none
  virtual int32_t dispatch_messages(int32_t max_count) = 0;    // dispatch at most max_count pending messages, returns the count
  virtual void set_cursor(int32_t kind) = 0;                   // 1 arrow, 2 hourglass, 3 cross-hair
  virtual void invalidate_current_window() = 0;

  // Files and programs.
  virtual int choose_file(const HostFileChoice& choice, char* result, size_t result_size) = 0;  // 1 chosen, -1 cancelled
  virtual int open_with_program(const char* path) = 0;  // 1 started, 0 failed
  // Process services that scripts ask for: end the program once control returns to the event loop,
  // and run the engine thread below normal (1) or at normal (0) priority.
  virtual void post_quit() {}
  virtual void set_engine_priority(int32_t) {}

  // Zero-filled memory.
  virtual void* alloc_zeroed(size_t size) = 0;  // null when memory runs out
  virtual void free_block(void* block) = 0;

  // The render window's output: image rows and its palette and title.
  virtual void render_row24(int32_t x, int32_t y, int32_t count, const uint32_t* pixels) = 0;
  virtual void render_row8(int32_t x, int32_t y, int32_t count, const uint8_t* indexes) = 0;
  virtual void render_palette(const uint8_t* rgb, int32_t first, int32_t count) = 0;
  virtual void render_title(const char* text) = 0;
  virtual void render_window_event(const char* what) = 0;  // fit, release, close, busy on/off: recorded for tests
  // Bits per pixel of the display found at start-up (15 or more: true-colour rows possible).
  virtual int32_t display_bits() { return 24; }
  // Creates the render window (class "RENDER_CLASS", titled "Empty View", 320 by 200 at (50, 50)); 1 when it exists.
  virtual int32_t create_render_window() { return 1; }

  // Canvases: the rasters of the engine's windows. The host owns them and shows them; the screen layer draws.
  virtual Canvas* canvas_create(const char* name, int32_t width, int32_t height, int32_t depth);
  virtual void canvas_destroy(Canvas* canvas);
  // The UI palette changed: 256 entries of R, G, B, 0.
  virtual void canvas_palette(const uint8_t* entries) { (void)entries; }
  // The pointer in client coordinates of the canvas.
  virtual void canvas_pointer(Canvas* canvas, int32_t* x, int32_t* y) {
    (void)canvas;
    pointer_position(x, y);
  }
  // The canvas was drawn into and wants to be shown again.
  virtual void canvas_changed(Canvas* canvas) {
    if (canvas) canvas->needs_repaint = 1;
  }
  // The canvases of the map (Topo, 340 by 385), the Preview (300 by 500) and the render window (24-bit).
  // These default ones are made on first use and live as long as the host.
  virtual Canvas* main_canvas(MainCanvas which);

 private:
  uint64_t serial_;
  Canvas* main_canvases_[3] = {};
};

// The host in force: the one installed by set_host, else the default host (the system host unless
// set_default_host chose another).
Host& host();
// Installs a host (null restores the default host). The caller keeps ownership.
void set_host(Host* h);
// Chooses the default host (null: the system host). The caller keeps ownership.
void set_default_host(Host* h);
