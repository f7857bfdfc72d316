// Panel toolkit speed: drawing a whole control panel, and one render-window blit of an 800 by 600 frame.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <deque>
#include <vector>

#include "engine/host/host.h"
#include "engine/core/settings.h"
#include "engine/ui/panel_ops.h"
#include "engine/raster/render_window.h"
#include "engine/raster/frame_buffers.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/screen.h"

namespace {

// A control panel of 300 by 500 pixels with the mix of gadgets the scene panels have.
struct ControlPanel {
  PanelRecord panel{};
  Canvas canvas;
  std::deque<GadgetRecord> gadgets;
  std::deque<std::vector<char>> texts;
  MenuItem items[4] = {{2, 1, 901, "First", 1, nullptr, 8, 538}, {2, 1, 902, "Second", 0, nullptr, 8, 538},
                       {1, 0, 903, "Third", 0, nullptr, 8, 538}, {}};

  GadgetRecord& add(int32_t kind, int32_t x, int32_t y, const char* text, int32_t width = 0) {
    texts.emplace_back(32, 0);
    std::snprintf(texts.back().data(), 32, "%s", text);
    GadgetRecord g{};
    g.kind = kind;
    g.x = x;
    g.y = y;
    g.id = 1000 + static_cast<int32_t>(gadgets.size());
    g.text = texts.back().data();
    g.text_size = 32;
    g.width = width;
    if (!gadgets.empty()) gadgets.back().next = nullptr;
    gadgets.push_back(g);
    if (gadgets.size() > 1) gadgets[gadgets.size() - 2].next = &gadgets.back();
    return gadgets.back();
  }

  ControlPanel() {
    panel.x1 = 299;
    panel.y1 = 499;
    panel.width = 300;
    panel.height = 500;
    canvas.resize(300, 500);
    panel.canvas = &canvas;
    for (int i = 0; i < 10; ++i) add(kGadgetButton, 12 + (i % 3) * 96, 12 + (i / 3) * 28, "Button").state = i % 2;
    for (int i = 0; i < 8; ++i) add(kGadgetInteger, 150, 130 + i * 24, "", 8).value = i * 1234 - 500;
    for (int i = 0; i < 4; ++i) gadget_set_value_float(add(kGadgetFloat, 12, 130 + i * 24, "", 10), 3.25f * i);
    for (int i = 0; i < 4; ++i) add(kGadgetLabel, 12, 230 + i * 20, "Label text");
    GadgetRecord& v = add(kGadgetVSlider, 240, 320, "", 0);
    v.width = 100;
    v.range = -256;
    v.value = 77;
    v.text_size = 3;
    GadgetRecord& hs = add(kGadgetHSlider, 12, 330, "", 0);
    hs.width = 120;
    hs.range = 64;
    hs.value = 20;
    hs.text_size = 3;
    add(kGadgetDropDown, 12, 380, "Mode").extra.items = items;
    add(kGadgetString, 12, 420, "landscape", 12);
    GadgetRecord& knob = add(kGadgetKnob, 200, 430, nullptr, 20);
    knob.value = 45;
    knob.text = nullptr;
  }

  void draw() {
    panel_fill_rect(&panel, 0, 0, 299, 499, ui_color_face);
    draw_gadgets(&panel, &gadgets.front());
  }
};

void BM_DrawControlPanel(benchmark::State& state) {
  screen_reset_state();
  gui_init(nullptr);
  ControlPanel p;
  for (auto _ : state) {
    p.draw();
    benchmark::ClobberMemory();
  }
  state.counters["gadgets"] = static_cast<double>(p.gadgets.size());
}
BENCHMARK(BM_DrawControlPanel)->Unit(benchmark::kMicrosecond);

void BM_RenderWindowBlit800x600(benchmark::State& state) {
  reset_settings_defaults();
  render_settings.antialias_mode = 0;
  render_settings.view_mode = 3;
  render_window_reset();
  set_image_size(800, 600);
  for (int32_t y = 0; y < 600; ++y)
    for (int32_t x = 0; x < 800; ++x) vidmem24_row(y)[x] = static_cast<uint32_t>(x * 977 + y * 131);
  render_window_fit(1);
  blit_24bit = state.range(0);
  for (auto _ : state) {
    render_blit(0, 1, nullptr);
    benchmark::ClobberMemory();
  }
  render_window_release();
  state.SetItemsProcessed(state.iterations() * 800 * 600);
}
BENCHMARK(BM_RenderWindowBlit800x600)->Arg(1)->Arg(0)->ArgName("rows24")->Unit(benchmark::kMicrosecond);

}  // namespace
