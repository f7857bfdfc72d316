// The system host: the real clock, messages, status and progress on standard error, no recording.
#pragma once

#include <cstdio>
#include <string>

#include "engine/host/host.h"

class SystemHost : public Host {
 public:
  void open_panel_window(PanelRecord*) override {}
  void open_popup_window(PanelRecord*) override {}
  void use_panel_canvas(PanelRecord*) override {}
  void close_panel_window(PanelRecord*) override {}
  void dispatch_pending_events() override {}
  // Unattended: every question takes its first button, a value prompt keeps the value.
  int ask_yes_no(const char* message, const char* button1, const char* button2) override;
  int ask_value(const char* message, const char* button1, const char* button2, int32_t* value) override;
  void set_status_line(const char* text) override { echo_line(text); }
  void status_strip(const char* text) override { echo_line(text); }
  void progress_strip(const char* text, int32_t) override { echo_line(text); }
  uint32_t tick_count() override;
  void sleep_ms(int32_t ms) override;
  void pointer_position(int32_t* x, int32_t* y) override;
  void set_pointer_position(int32_t, int32_t) override {}
  int32_t pointer_buttons() override { return 0; }
  int32_t buttons_swapped() override { return 0; }
  int32_t has_focus() override { return 1; }
  int32_t key_down(int32_t) override { return 0; }
  int32_t next_key() override { return 0; }
  int32_t dispatch_messages(int32_t) override { return 0; }
  void set_cursor(int32_t) override {}
  void invalidate_current_window() override {}
  int choose_file(const HostFileChoice&, char*, size_t) override { return -1; }
  int open_with_program(const char* path) override;
  void* alloc_zeroed(size_t size) override;
  void free_block(void* block) override;
  void render_row24(int32_t, int32_t, int32_t, const uint32_t*) override {}
  void render_row8(int32_t, int32_t, int32_t, const uint8_t*) override {}
  void render_palette(const uint8_t*, int32_t, int32_t) override {}
  void render_title(const char*) override {}
  void render_window_event(const char*) override {}

 private:
  // One line on standard error; empty texts and repeats of the last line are left out.
  void echo_line(const char* text);
  std::string last_line_;
};
