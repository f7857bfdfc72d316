// The desktop host: the engine's host seam on the toolkit's windows, pointer, keys and event loop.
#pragma once

#include <deque>
#include <map>
#include <vector>

#include "engine/host/system_host.h"

class CanvasView;

class DesktopHost : public SystemHost {
 public:
  void open_panel_window(PanelRecord* panel) override;
  void open_popup_window(PanelRecord* panel) override;
  void use_panel_canvas(PanelRecord* panel) override;
  void close_panel_window(PanelRecord* panel) override;
  void dispatch_pending_events() override;
  int ask_yes_no(const char* message, const char* button1, const char* button2) override;
  int ask_value(const char* message, const char* button1, const char* button2, int32_t* value) override;
  void set_status_line(const char* text) override;
  void status_strip(const char*) override {}
  void progress_strip(const char*, int32_t) override {}
  void pointer_position(int32_t* x, int32_t* y) override;
  void set_pointer_position(int32_t x, int32_t y) override;
  int32_t pointer_buttons() override;
  int32_t has_focus() override;
  int32_t key_down(int32_t key) override;
  int32_t next_key() override;
  int32_t dispatch_messages(int32_t max_count) override;
  void set_cursor(int32_t kind) override;
  void invalidate_current_window() override;
  int choose_file(const HostFileChoice& choice, char* result, size_t result_size) override;
  void post_quit() override;
  void render_row24(int32_t, int32_t, int32_t, const uint32_t*) override { render_dirty_ = true; }
  void render_row8(int32_t, int32_t, int32_t, const uint8_t*) override { render_dirty_ = true; }
  void render_title(const char* text) override;
  void render_window_event(const char* what) override;
  int32_t display_bits() override;
  int32_t create_render_window() override;
  void canvas_palette(const uint8_t* entries) override;
  void canvas_pointer(Canvas* canvas, int32_t* x, int32_t* y) override;
  void canvas_changed(Canvas* canvas) override;

  // Windows showing canvases.
  void bind_view(Canvas* canvas, CanvasView* view);
  void unbind_view(Canvas* canvas, CanvasView* view);
  CanvasView* view_of(Canvas* canvas) const;
  // Shows every canvas drawn into since it was last shown.
  void show_changed_canvases();
  // A key for the engine's key queue (engine key code, 16 bits); the oldest are dropped beyond 64.
  void push_key(int32_t code);
  void clear_keys() { keys_.clear(); }
  // A window called into the engine while it was idle.
  void new_engine_call() { key_polls_ = 0; }
  // Canvases of closed pop-ups: kept until the host ends, since the engine may still name one as its window.
  void retire_canvas(Canvas* canvas);
  // A button press a window saw (HostButtons bits): the next pointer_buttons within half a second reports it, so
  // that a click shorter than the engine's polling is not lost.
  void note_press(int32_t buttons);
  // 1 while a noted press waits for the engine to see it.
  bool press_waiting();
  ~DesktopHost() override;

 private:
  std::map<Canvas*, CanvasView*> views_;
  std::deque<int32_t> keys_;
  std::vector<Canvas*> retired_;
  bool dispatching_ = false;
  int32_t key_polls_ = 0;  // key polls since the engine was last called from idle
  bool render_dirty_ = false;
  int32_t pressed_ = 0;
  uint32_t pressed_tick_ = 0;
};

DesktopHost& desktop_host();
