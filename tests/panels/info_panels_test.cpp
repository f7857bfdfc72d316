// The About, landscape information, image statistics and Display pop-ups: their texts after a render and after
// loading a landscape, their fields and buttons, and one copy of each at a time.
#include "engine/panels/info_panels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/core/landscape_names.h"
#include "engine/files/targa.h"
#include "engine/render/dl4_landscape_file.h"
#include "engine/render/landscape_open_save.h"
#include "engine/panels/gadget_table.h"
#include "engine/ui/panel_ops.h"
#include "tests/files/image_test_support.h"
#include "tests/render/terrain_render_fixture.h"
#include "tests/ui/canvas_png.h"
#include "tests/ui/ui_test_support.h"

namespace {

class InfoPanels : public TerrainRenderTest {
 protected:
  void SetUp() override {
    TerrainRenderTest::SetUp();
    ui_test::fresh_screen();
  }
  void TearDown() override {
    while (parent.panel.child) panel_free(parent.panel.child);  // what the front end frees with the windows
    TerrainRenderTest::TearDown();
  }
  ui_test::TestPanel parent{300, 500};
  static std::string text(void (*f)(char*, int32_t)) {
    char out[128];
    f(out, sizeof out);
    return out;
  }
  static std::string stats(int32_t which) {
    char out[128];
    image_stats_text(which, out, sizeof out);
    return out;
  }
  // What the front end does when a pop-up's window is destroyed: the opener enabled, the record freed.
  static void destroy(PanelRecord* p) {
    panel_enable(p->parent);
    panel_free(p);
  }
  static Canvas& canvas_of(PanelRecord* p) { return *static_cast<Canvas*>(p->canvas); }
  static GadgetRecord& g(PanelRecord* p, int32_t id) { return *gadget_table::find(p->gadgets, id); }
  // A key press handled by the pop-up's event callback.
  void key(PanelRecord* p, void (*event)(PanelRecord*), int32_t code) {
    host->keys.push_back(code);
    event(p);
  }
};

TEST_F(InfoPanels, StatisticsBeforeAndAfterARender) {
  EXPECT_EQ(stats(1), "0");
  EXPECT_EQ(stats(2), "0.0");
  EXPECT_EQ(stats(3), "0 x 0 x 0");
  image(64, 48);
  startup_scene();
  host->tick_step = 7;  // every clock read moves the clock on
  polygon_count = 0;
  ASSERT_EQ(render_frame(0, 1), 1);
  EXPECT_EQ(stats(0), "64 x 48");
  EXPECT_EQ(stats(1), std::to_string(polygon_count));
  EXPECT_GT(polygon_count, 0);
  char expect[32];
  std::snprintf(expect, sizeof expect, "%0.1lf", (render_end_ms - render_start_ms) / 1000.0);
  EXPECT_EQ(stats(2), expect);
  render_start_ms = 1000;
  render_end_ms = 13345;
  EXPECT_EQ(stats(2), "12.3");
  loaded_image_width = 640, loaded_image_height = 480, loaded_image_bits = 24;
  EXPECT_EQ(stats(3), "640 x 480 x 24");

  ASSERT_EQ(show_image_stats_panel(&parent.panel), 1);
  PanelRecord* p = info_panels_state.image_stats.panel;
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(std::string(p->name), "About Image");
  EXPECT_EQ(std::make_pair(p->width, p->height), std::make_pair(372, 422));
  EXPECT_TRUE(write_canvas_png(canvas_of(p), artifacts_folder() + "/image_stats_panel.png"));
  // Only one copy: a second opening leaves the first alone.
  ASSERT_EQ(show_image_stats_panel(&parent.panel), 1);
  EXPECT_EQ(info_panels_state.image_stats.panel, p);
  EXPECT_EQ(p->sibling, nullptr);
  EXPECT_EQ(parent.panel.disabled, 1);  // the opener waits
  key(p, image_stats_panel_event, kKeyEnter);
  EXPECT_EQ(info_panels_state.image_stats.panel, nullptr);
  destroy(p);
  EXPECT_EQ(parent.panel.disabled, 0);
}

TEST_F(InfoPanels, AWindowClosedByItsCloseBoxLeavesNoDanglingRecord) {
  struct Case {
    const char* what;
    int32_t (*show)(PanelRecord*);
    PopupSlot* slot;
  };
  const Case cases[] = {{"about", show_about_panel, &info_panels_state.about},
                        {"landscape", show_landscape_info_panel, &info_panels_state.landscape_info},
                        {"statistics", show_image_stats_panel, &info_panels_state.image_stats},
                        {"display", show_display_panel, &info_panels_state.display}};
  for (const Case& c : cases) {
    ASSERT_EQ(c.show(&parent.panel), 1);
    PanelRecord* first = c.slot->panel;
    ASSERT_NE(first, nullptr) << c.what;
    destroy(first);  // the user closed the window: the front end frees the record
    // Another pop-up may now take the freed record's place on the stack; the next opening makes a new one.
    ASSERT_EQ(c.show(&parent.panel), 1);
    ASSERT_NE(c.slot->panel, nullptr) << c.what;
    EXPECT_EQ(parent.panel.child, c.slot->panel) << c.what;
    EXPECT_EQ(c.slot->panel->sibling, nullptr) << c.what;
    EXPECT_EQ(parent.panel.disabled, 1) << c.what;
    destroy(c.slot->panel);
    EXPECT_EQ(parent.panel.disabled, 0) << c.what;
  }
}

TEST_F(InfoPanels, LandscapeTextsAfterLoadingAFile) {
  imgtest::TempDir dir;
  ASSERT_EQ(set_landscape_size(66, 34), 1);
  std::snprintf(landscape_name, sizeof landscape_name, "%s", "Test hills");
  std::snprintf(landscape_description, sizeof landscape_description, "%s", "Made by the info panel test");
  const std::string path = dir.file("a_rather_long_folder_name_for_the_test/hills.d4s");
  std::filesystem::create_directories(dir.file("a_rather_long_folder_name_for_the_test"));
  ASSERT_EQ(save_dl4_file(path.c_str(), 0, 1, 0, 1, 1, 1, 1, 1), 1);
  ASSERT_EQ(set_landscape_size(258, 258), 1);
  std::snprintf(landscape_name, sizeof landscape_name, "%s", "Other");
  host->file_choices.push_back(path);
  ASSERT_GE(load_landscape_dialog(), 1);
  EXPECT_EQ(std::string(landscape_name), "Test hills");
  EXPECT_EQ(text(landscape_info_file_text), std::string(landscape_path).substr(0, 44));
  EXPECT_EQ(text(landscape_info_file_text).size(), std::min<size_t>(44, std::strlen(landscape_path)));
  EXPECT_GT(std::strlen(landscape_path), 44u);
  char expect[64];
  std::snprintf(expect, sizeof expect, "%0.0lf x %0.0lf meters", static_cast<double>(land_width) * grid_spacing_x,
                static_cast<double>(land_height) * grid_spacing_y);
  EXPECT_EQ(text(landscape_info_size_text), expect);

  landscape_view.origin_x = 500000;
  landscape_view.origin_y = 4100000;
  ASSERT_EQ(show_landscape_info_panel(&parent.panel), 1);
  PanelRecord* p = info_panels_state.landscape_info.panel;
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(g(p, kInfoUtmXField).value, 500000);
  EXPECT_EQ(g(p, kInfoUtmYField).value, 4100000);
  EXPECT_EQ(g(p, kInfoNameField).text, landscape_name);
  EXPECT_EQ(g(p, kInfoCommentField).text, landscape_description);
  EXPECT_TRUE(write_canvas_png(canvas_of(p), artifacts_folder() + "/landscape_info_panel.png"));
  // Editing the origin and closing with Esc keeps the old origin; the name is edited in place and stays.
  g(p, kInfoUtmXField).value = 1;
  std::snprintf(landscape_name, sizeof landscape_name, "%s", "Renamed");
  key(p, landscape_info_panel_event, kKeyEsc);
  EXPECT_EQ(info_panels_state.landscape_info.panel, nullptr);
  EXPECT_EQ(landscape_view.origin_x, 500000);
  EXPECT_EQ(std::string(landscape_name), "Renamed");
  // "  OK  " takes the fields.
  destroy(p);
  ASSERT_EQ(show_landscape_info_panel(&parent.panel), 1);
  p = info_panels_state.landscape_info.panel;
  g(p, kInfoUtmXField).value = 123;
  g(p, kInfoUtmYField).value = 456;
  ui_test::click_gadget(*host, *p, g(p, kInfoOk));
  landscape_info_panel_event(p);
  EXPECT_EQ(info_panels_state.landscape_info.panel, nullptr);
  EXPECT_EQ(landscape_view.origin_x, 123);
  EXPECT_EQ(landscape_view.origin_y, 456);
}

TEST_F(InfoPanels, AboutOpensOnceAndClosesOnItsKeys) {
  struct Case {
    int32_t key;
    int32_t buttons;
  };
  const Case cases[] = {{kKeyEsc, 0}, {kKeyEnter, 0}, {0, kHostButtonRight}};
  for (const Case& c : cases) {
    ASSERT_EQ(show_about_panel(&parent.panel), 1);
    PanelRecord* p = info_panels_state.about.panel;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(p->name), "About");
    EXPECT_EQ(show_about_panel(&parent.panel), 1);
    EXPECT_EQ(parent.panel.child, p);
    EXPECT_EQ(p->sibling, nullptr);
    if (c.key == kKeyEsc) {
      EXPECT_TRUE(write_canvas_png(canvas_of(p), artifacts_folder() + "/about_panel.png"));
    }
    if (c.key) {
      host->keys.push_back(c.key);
    } else {
      host->pointer_script.push_back({5, 5, c.buttons});
      host->pointer_script.push_back({5, 5, 0});
    }
    about_panel_event(p);
    EXPECT_EQ(info_panels_state.about.panel, nullptr) << c.key;
    destroy(p);
  }
}

TEST_F(InfoPanels, DisplayPanelModesAndInterval) {
  struct Case {
    int32_t view_mode;
    int32_t drawn, periodic;
  };
  const Case cases[] = {{0, 0, 0}, {1, 1, 0}, {2, 0, 1}, {3, 0, 0}};
  for (const Case& c : cases) {
    render_settings.view_mode = c.view_mode;
    render_settings.redraw_interval = 9;
    ASSERT_EQ(show_display_panel(&parent.panel), 1);
    PanelRecord* p = info_panels_state.display.panel;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(g(p, kDisplayDrawn).state, c.drawn) << c.view_mode;
    EXPECT_EQ(g(p, kDisplayPeriodic).state, c.periodic) << c.view_mode;
    EXPECT_EQ(g(p, kDisplayInterval).value, 9);
    if (c.view_mode == 2) {
      EXPECT_TRUE(write_canvas_png(canvas_of(p), artifacts_folder() + "/display_panel.png"));
    }
    // A typed interval of 0 becomes 1 and selects periodic redrawing.
    g(p, kDisplayInterval).value = 0;
    display_panel_handle(p, kDisplayInterval);
    EXPECT_EQ(render_settings.redraw_interval, 1);
    EXPECT_EQ(g(p, kDisplayInterval).value, 1);
    EXPECT_EQ(render_settings.view_mode, 2);
    EXPECT_EQ(g(p, kDisplayPeriodic).state, kGadgetOn);
    EXPECT_EQ(g(p, kDisplayDrawn).state, kGadgetOff);
    ui_test::click_gadget(*host, *p, g(p, kDisplayDrawn));
    display_panel_event(p);
    EXPECT_EQ(render_settings.view_mode, 1);
    EXPECT_EQ(g(p, kDisplayPeriodic).state, kGadgetOff);
    // Closing without frame buffers says so.
    const size_t before = host->messages.size();
    display_panel_handle(p, kInfoOk);
    EXPECT_EQ(info_panels_state.display.panel, nullptr);
    ASSERT_EQ(host->messages.size(), before + 1);
    EXPECT_EQ(host->messages.back().text, "vidmem8=0  vidmem24=0");
    EXPECT_EQ(host->messages.back().button1, "  OK  ");
    destroy(p);
  }
  // With both frame buffers the panel closes quietly.
  image(32, 24);
  ASSERT_EQ(show_display_panel(&parent.panel), 1);
  const size_t before = host->messages.size();
  PanelRecord* p = info_panels_state.display.panel;
  display_panel_handle(p, kKeyEventBase + kKeyEsc);
  EXPECT_EQ(host->messages.size(), before);
  destroy(p);
}

}  // namespace
