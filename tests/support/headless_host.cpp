// The headless host's behaviour; in the test programs it is the host in force until a test installs another.
#include "tests/support/headless_host.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "engine/ui/panel_record.h"

namespace {
HeadlessHost default_host;
// Tests and benchmarks run on the headless host, not on the real one.
struct InstallDefaultHost {
  InstallDefaultHost() { set_default_host(&default_host); }
} install_default_host;

std::string text_or_empty(const char* s) { return s ? std::string(s) : std::string(); }

// The text without the blanks that centre it, and with its line breaks as blanks.
std::string one_line(const char* s) {
  std::string t = text_or_empty(s);
  for (char& c : t)
    if (c == '\n' || c == '\r') c = ' ';
  const size_t first = t.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return t.substr(first, t.find_last_not_of(' ') - first + 1);
}
}  // namespace

ScopedHeadlessHost::ScopedHeadlessHost() {
  saved_ = &host();
  set_host(&host_);
}
ScopedHeadlessHost::~ScopedHeadlessHost() { set_host(saved_); }

namespace {
// A canvas for a panel's window, large enough for the panel's box.
std::unique_ptr<Canvas> panel_canvas(const PanelRecord* panel) {
  auto c = std::make_unique<Canvas>();
  c->name = panel->name;
  c->depth = 8;
  const int32_t w = panel->x0 >= 0 && panel->width > 0 ? panel->x0 + panel->width : 1;
  const int32_t h = panel->y0 >= 0 && panel->height > 0 ? panel->y0 + panel->height : 1;
  c->resize(w < 8192 ? w : 8192, h < 8192 ? h : 8192);
  c->visible = 1;
  return c;
}
}  // namespace

void HeadlessHost::open_panel_window(PanelRecord* panel) {
  window_events.emplace_back("open panel");
  if (panel && !panel->canvas) {
    panel_canvases.push_back(panel_canvas(panel));
    panel->canvas = panel_canvases.back().get();
  }
}
void HeadlessHost::open_popup_window(PanelRecord* panel) {
  window_events.emplace_back("open popup");
  if (panel) {
    panel_canvases.push_back(panel_canvas(panel));
    panel->canvas = panel_canvases.back().get();
  }
}
void HeadlessHost::use_panel_canvas(PanelRecord*) { window_events.emplace_back("use panel"); }
void HeadlessHost::close_panel_window(PanelRecord* panel) {
  window_events.emplace_back("close panel");
  if (panel && panel->canvas) static_cast<Canvas*>(panel->canvas)->open = 0;
}

void HeadlessHost::canvas_palette(const uint8_t* entries) {
  if (entries) std::memcpy(ui_palette, entries, sizeof ui_palette);
}

void HeadlessHost::close_all_canvases() {
  for (auto& c : panel_canvases) c->open = 0;
  for (MainCanvas m : {kCanvasTopo, kCanvasPreview, kCanvasRender}) main_canvas(m)->open = 0;
}

void HeadlessHost::canvas_pointer(Canvas* canvas, int32_t* x, int32_t* y) {
  pointer_position(x, y);
  if (canvas && idle_polls >= idle_poll_limit) canvas->open = 0;
}

void HeadlessHost::note_idle_poll() {
  if (!keys.empty() || !pointer_script.empty()) {
    idle_polls = 0;
    return;
  }
  if (++idle_polls == idle_poll_limit) close_all_canvases();
}
void HeadlessHost::dispatch_pending_events() { pending_messages = 0; }

int HeadlessHost::ask_yes_no(const char* message, const char* button1, const char* button2) {
  int answer = 1;
  if (!yes_no_answers.empty()) {
    answer = yes_no_answers.front() ? 1 : 0;
    yes_no_answers.pop_front();
  }
  if (!button2) answer = 1;  // a one-button message can only be confirmed
  messages.push_back({text_or_empty(message), text_or_empty(button1), text_or_empty(button2), answer});
  if (echo) std::fprintf(echo, "%s [%s]\n", one_line(message).c_str(), one_line(answer ? button1 : button2).c_str());
  return answer;
}

int HeadlessHost::ask_value(const char* message, const char* button1, const char* button2, int32_t* value) {
  int answer = 1;
  if (!value_answers.empty()) {
    auto [button, v] = value_answers.front();
    value_answers.pop_front();
    answer = button ? 1 : 0;
    if (answer && value) *value = v;
  }
  if (!button2) answer = 1;
  messages.push_back({text_or_empty(message), text_or_empty(button1), text_or_empty(button2), answer});
  if (echo) {
    std::fprintf(echo, "%s [%s] %d\n", one_line(message).c_str(), one_line(answer ? button1 : button2).c_str(),
                 value ? *value : 0);
  }
  return answer;
}

void HeadlessHost::echo_line(const char* text) {
  if (!echo) return;
  const std::string line = one_line(text);
  if (line.empty() || line == last_echo) return;
  last_echo = line;
  std::fprintf(echo, "%s\n", line.c_str());
}

void HeadlessHost::set_status_line(const char* text) {
  status_lines.push_back(text_or_empty(text));
  echo_line(text);
}

void HeadlessHost::status_strip(const char* text) {
  status_texts.push_back(text_or_empty(text));
  echo_line(text);
}

void HeadlessHost::progress_strip(const char* text, int32_t bar_end_x) {
  progress_texts.push_back(text_or_empty(text));
  progress_bars.push_back(bar_end_x);
  echo_line(text);
}

uint32_t HeadlessHost::tick_count() {
  uint32_t t = now;
  now += tick_step;
  return t;
}

void HeadlessHost::sleep_ms(int32_t ms) {
  if (ms > 0) now += static_cast<uint32_t>(ms);
}

void HeadlessHost::pointer_position(int32_t* x, int32_t* y) {
  note_idle_poll();
  if (!pointer_script.empty()) {
    const PointerStep step = pointer_script.front();
    pointer_script.pop_front();
    pointer_x = step.x;
    pointer_y = step.y;
    buttons = step.buttons;
  }
  if (x) *x = pointer_x;
  if (y) *y = pointer_y;
}

void HeadlessHost::set_pointer_position(int32_t x, int32_t y) {
  pointer_x = x;
  pointer_y = y;
}

int32_t HeadlessHost::key_down(int32_t key) {
  if (key == 'S') return shift;
  if (key == 'C') return control;
  return 0;
}

int32_t HeadlessHost::next_key() {
  note_idle_poll();
  if (keys.empty()) return 0;
  int32_t k = keys.front();
  keys.pop_front();
  return k;
}

int32_t HeadlessHost::dispatch_messages(int32_t max_count) {
  int32_t n = pending_messages < max_count ? pending_messages : max_count;
  if (n < 0) n = 0;
  pending_messages -= n;
  return n;
}

int HeadlessHost::choose_file(const HostFileChoice&, char* result, size_t result_size) {
  if (file_choices.empty() || !result || result_size == 0) return -1;
  std::string path = file_choices.front();
  file_choices.pop_front();
  std::strncpy(result, path.c_str(), result_size - 1);
  result[result_size - 1] = 0;
  return 1;
}

int HeadlessHost::open_with_program(const char* path) {
  opened_files.push_back(text_or_empty(path));
  return 1;
}

void* HeadlessHost::alloc_zeroed(size_t size) {
  if (fail_at_size != 0 && size >= fail_at_size) return nullptr;
  if (fail_after == 0) return nullptr;
  if (fail_after > 0) --fail_after;
  void* block = std::calloc(size ? size : 1, 1);
  if (block) {
    ++allocations;
    ++live_blocks;
  }
  return block;
}

void HeadlessHost::free_block(void* block) {
  if (!block) return;
  --live_blocks;
  std::free(block);
}

void HeadlessHost::render_row24(int32_t x, int32_t y, int32_t count, const uint32_t* pixels) {
  ++rows24;
  if (render_rows.size() >= max_recorded_rows) return;
  RenderRow row{x, y, count, 24, {}};
  if (keep_row_pixels && pixels && count > 0) row.pixels.assign(pixels, pixels + count);
  render_rows.push_back(std::move(row));
}

void HeadlessHost::render_row8(int32_t x, int32_t y, int32_t count, const uint8_t* indexes) {
  ++rows8;
  if (render_rows.size() >= max_recorded_rows) return;
  RenderRow row{x, y, count, 8, {}};
  if (keep_row_pixels && indexes && count > 0) row.pixels.assign(indexes, indexes + count);
  render_rows.push_back(std::move(row));
}

void HeadlessHost::render_palette(const uint8_t* rgb, int32_t first, int32_t count) {
  palette_loads.emplace_back(first, count);
  if (!rgb || first < 0 || count <= 0 || first >= 256) return;
  if (count > 256 - first) count = 256 - first;
  std::memcpy(render_palette_rgb + first * 3, rgb, static_cast<size_t>(count) * 3);
}
