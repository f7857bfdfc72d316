// The headless host: scripted answers, a virtual clock and a record of everything shown.
#pragma once

#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "engine/host/host.h"

class HeadlessHost : public Host {
 public:
  // Scripted input.
  std::deque<int> yes_no_answers;   // 1 first button, 0 second; empty: first button
  std::deque<std::pair<int, int32_t>> value_answers;  // (button, value); empty: first button, value kept
  std::deque<int32_t> keys;         // key codes returned one by one by next_key
  std::deque<std::string> file_choices;  // paths returned by choose_file; empty: cancelled
  int32_t pointer_x = 0, pointer_y = 0;
  int32_t buttons = 0;              // physical HostButtons bits
  int32_t swapped = 0;
  int32_t focus = 1;
  int32_t shift = 0, control = 0;
  int32_t pending_messages = 0;     // messages waiting to be dispatched
  // Scripted pointer: each read of the pointer position takes the next step (position and physical
  // buttons) as the pointer's state; once the script is used up the pointer stays where it is.
  struct PointerStep {
    int32_t x, y, buttons;
  };
  std::deque<PointerStep> pointer_script;
  // After this many polls with no scripted key or pointer step left, every canvas is closed, so that a
  // modal loop waiting for input that a test never gives ends instead of spinning.
  long idle_poll_limit = 20000;
  long idle_polls = 0;

  // Virtual clock: advances only when told to, or by sleep_ms; tick_step is added at every read.
  uint32_t now = 0;
  uint32_t tick_step = 0;
  void advance(uint32_t ms) { now += ms; }

  // Allocation failures: fail when the size is at least fail_at_size (0: never),
  // or after fail_after more successful allocations (-1: never).
  size_t fail_at_size = 0;
  long fail_after = -1;
  long allocations = 0;
  long live_blocks = 0;

  // What was shown.
  struct Message {
    std::string text, button1, button2;
    int answer;
  };
  std::vector<Message> messages;        // questions and value prompts in order
  std::vector<std::string> status_texts;  // status strip texts as drawn
  std::vector<std::string> progress_texts;  // progress read-outs as drawn
  std::vector<int32_t> progress_bars;   // the bar's end x of each read-out
  std::vector<std::string> status_lines;  // texts given to the main frame's status line
  std::vector<std::string> titles;       // render window titles
  std::vector<std::string> window_events;  // render window and panel window events in order
  std::vector<std::string> opened_files;  // files opened with their program
  int32_t cursor = 1;
  long rows24 = 0, rows8 = 0;           // render window rows received
  // The render window's rows as received: position, count and depth; the pixels too while keep_row_pixels is set
  // (24-bit rows as 0x00RRGGBB, 8-bit rows as palette indexes). At most max_recorded_rows are kept.
  struct RenderRow {
    int32_t x, y, count, depth;
    std::vector<uint32_t> pixels;
  };
  std::vector<RenderRow> render_rows;
  bool keep_row_pixels = false;
  size_t max_recorded_rows = 100000;
  std::vector<std::pair<int32_t, int32_t>> palette_loads;  // (first, count) of each render palette load
  uint8_t render_palette_rgb[768] = {};                    // the render window's palette as loaded
  int32_t display_bits_per_pixel = 24;                     // what display_bits reports
  int32_t invalidations = 0;

  // When set, messages, status and progress are also printed there, one line each; status texts
  // are trimmed, and empty or repeated ones are left out.
  FILE* echo = nullptr;

  void open_panel_window(PanelRecord* panel) override;
  void open_popup_window(PanelRecord* panel) override;
  void use_panel_canvas(PanelRecord* panel) override;
  void close_panel_window(PanelRecord* panel) override;
  void dispatch_pending_events() override;
  int ask_yes_no(const char* message, const char* button1, const char* button2) override;
  int ask_value(const char* message, const char* button1, const char* button2, int32_t* value) override;
  void set_status_line(const char* text) override;
  void status_strip(const char* text) override;
  void progress_strip(const char* text, int32_t bar_end_x) override;
  uint32_t tick_count() override;
  void sleep_ms(int32_t ms) override;
  void pointer_position(int32_t* x, int32_t* y) override;
  void set_pointer_position(int32_t x, int32_t y) override;
  int32_t pointer_buttons() override { return buttons; }
  int32_t buttons_swapped() override { return swapped; }
  int32_t has_focus() override { return focus; }
  int32_t key_down(int32_t key) override;
  int32_t next_key() override;
  int32_t dispatch_messages(int32_t max_count) override;
  void set_cursor(int32_t kind) override { cursor = kind; }
  void invalidate_current_window() override { ++invalidations; }
  int choose_file(const HostFileChoice& choice, char* result, size_t result_size) override;
  // Process services: recorded only (quit_posts counts the requests to end, engine_priority_low is the last priority asked).
  int32_t quit_posts = 0;
  int32_t engine_priority_low = 0;
  void post_quit() override { ++quit_posts; }
  void set_engine_priority(int32_t low) override { engine_priority_low = low; }
  int open_with_program(const char* path) override;
  void* alloc_zeroed(size_t size) override;
  void free_block(void* block) override;
  void render_row24(int32_t x, int32_t y, int32_t count, const uint32_t* pixels) override;
  void render_row8(int32_t x, int32_t y, int32_t count, const uint8_t* indexes) override;
  void render_palette(const uint8_t* rgb, int32_t first, int32_t count) override;
  int32_t display_bits() override { return display_bits_per_pixel; }
  void render_title(const char* text) override { titles.emplace_back(text ? text : ""); }
  void render_window_event(const char* what) override { window_events.emplace_back(what); }
  // Render window creation: recorded as "create"; fails while render_window_create_fails is set.
  int32_t render_window_create_fails = 0;
  int32_t create_render_window() override {
    window_events.emplace_back("create");
    return render_window_create_fails ? 0 : 1;
  }
  // Canvases of panel and pop-up windows: made when the window opens, kept (closed) until the host goes.
  std::vector<std::unique_ptr<Canvas>> panel_canvases;
  uint8_t ui_palette[256 * 4] = {};  // the UI palette as last given
  void canvas_palette(const uint8_t* entries) override;
  // The pointer as pointer_position gives it; a canvas polled after the idle limit is closed too.
  void canvas_pointer(Canvas* canvas, int32_t* x, int32_t* y) override;
  // Closes every canvas (the user closed the windows).
  void close_all_canvases();

 private:
  void echo_line(const char* text);
  void note_idle_poll();
  std::string last_echo;
};

// Installs a fresh headless host for the scope of a test and restores the previous one after.
class ScopedHeadlessHost {
 public:
  ScopedHeadlessHost();
  ~ScopedHeadlessHost();
  HeadlessHost& operator*() { return host_; }
  HeadlessHost* operator->() { return &host_; }

 private:
  HeadlessHost host_;
  Host* saved_;  // the host in force before this one, put back on leaving (scopes may nest)
};
