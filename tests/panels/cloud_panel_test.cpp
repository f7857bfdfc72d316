// The cloud panel: filling from the cloud settings, each gadget's effect, the coverage preview and closing.
#include "engine/panels/cloud_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

#include "engine/files/default_dirs.h"
#include "engine/panels/gadget_table.h"
#include "engine/scene/cloud_pattern.h"
#include "engine/ui/panel_ops.h"
#include "engine/ui/popup_slots.h"
#include "tests/support/engine_test.h"
#include "tests/support/headless_host.h"
#include "tests/ui/canvas_png.h"
#include "tests/ui/ui_test_support.h"

namespace {

class CloudPanel : public EngineTest {
 protected:
  void SetUp() override {
    ui_test::fresh_screen();
    parent_.x1 = 399, parent_.y1 = 399, parent_.width = 400, parent_.height = 400;
    ASSERT_EQ(show_cloud_panel(&parent_), 1);
    panel_ = cloud_panel;
    ASSERT_NE(panel_, nullptr);
    draw_cloud_panel(panel_);
  }
  void TearDown() override {
    panel_free(panel_);
    panel_input_reset();
  }
  GadgetRecord* g(int32_t id) { return gadget_table::find(cloud_panel_gadgets(), id); }
  void click(int32_t id) {
    ui_test::click_gadget(*h, *panel_, *g(id));
    cloud_panel_event(panel_);
  }
  // Types the value into the field and accepts it with Enter.
  void edit(int32_t id, int32_t value) {
    GadgetRecord* f = g(id);
    std::snprintf(f->text, static_cast<size_t>(f->text_size), "%d", value);
    f->value = value;
    ui_test::click_gadget(*h, *panel_, *f);
    h->keys = {kKeyEnter};
    cloud_panel_event(panel_);
  }
  const Canvas& canvas() const { return *static_cast<Canvas*>(panel_->canvas); }
  // Preview pixel (column c, row r of the 128 by 128 image).
  int32_t preview(int32_t c, int32_t r) const {
    return canvas().pixels[static_cast<size_t>(panel_->y0 + 104 + r) * canvas().width + panel_->x0 + 224 + c];
  }
  ScopedHeadlessHost h;
  PanelRecord parent_{};
  PanelRecord* panel_ = nullptr;
};

TEST_F(CloudPanel, OpensFilledFromTheSettings) {
  EXPECT_STREQ(panel_->name, "Cloud Texture");
  EXPECT_EQ(panel_->width, 400);
  EXPECT_EQ(panel_->height, 400);
  EXPECT_EQ(g(kCloudFractal)->state, kGadgetOn);
  EXPECT_EQ(g(kCloudSizeM)->state, kGadgetOn);
  for (int32_t id : {kCloudSizeS, kCloudSizeL, kCloudSizeX}) EXPECT_EQ(g(id)->state, kGadgetOff);
  EXPECT_EQ(g(kCloudDensity)->value, 40);
  EXPECT_EQ(g(kCloudHardness)->value, 50);
  EXPECT_EQ(g(kCloudAltitude)->value, 4000);
  EXPECT_EQ(g(kCloudLining)->value, 20);
  EXPECT_STREQ(g(kCloudAltitude)->text, "4000");
  EXPECT_EQ(g(kCloudSizeS)->x, 74);
  EXPECT_EQ(g(kCloudSave)->y, 348);
  init_clouds();  // the start-up pattern, to look at the preview
  draw_cloud_preview(panel_);
  EXPECT_TRUE(write_canvas_png(canvas(), artifacts_folder() + "/cloud_panel.png"));
}

TEST_F(CloudPanel, OtherScaleLeavesEverySizeButtonOff) {
  panel_free(panel_);
  cloud_settings.cloud_scale = 5;
  cloud_settings.cloud_subdiv_depth = 0;
  show_cloud_panel(&parent_);
  panel_ = cloud_panel;
  for (int32_t id : {kCloudSizeS, kCloudSizeM, kCloudSizeL, kCloudSizeX}) EXPECT_EQ(g(id)->state, kGadgetOff);
  EXPECT_EQ(g(kCloudFractal)->state, kGadgetOff);
}

TEST_F(CloudPanel, GadgetEffects) {
  struct Case {
    const char* what;
    std::function<void()> act;
    std::function<void()> check;
  };
  const Case cases[] = {
      {"density 150 is held at 100", [&] { edit(kCloudDensity, 150); },
       [&] { EXPECT_EQ(cloud_settings.cloud_density, 100); EXPECT_EQ(g(kCloudDensity)->value, 100); }},
      {"hardness", [&] { edit(kCloudHardness, 30); }, [] { EXPECT_EQ(cloud_settings.cloud_hardness, 30); }},
      {"altitude", [&] { edit(kCloudAltitude, 5000); }, [] { EXPECT_EQ(cloud_settings.cloud_altitude, 5000); }},
      {"lining", [&] { edit(kCloudLining, 7); }, [] { EXPECT_EQ(cloud_settings.cloud_lining, 7); }},
      {"fractal off", [&] { click(kCloudFractal); }, [] { EXPECT_EQ(cloud_settings.cloud_subdiv_depth, 0); }},
      {"fractal on", [&] { click(kCloudFractal); }, [] { EXPECT_EQ(cloud_settings.cloud_subdiv_depth, 6); }},
      {"M again stays on", [&] { cloud_settings.cloud_scale = 3; click(kCloudSizeM); },
       [&] { EXPECT_EQ(cloud_settings.cloud_scale, 8); EXPECT_EQ(g(kCloudSizeM)->state, kGadgetOn); }},
      {"S", [&] { click(kCloudSizeS); },
       [&] {
         EXPECT_EQ(cloud_settings.cloud_scale, 16);
         EXPECT_EQ(g(kCloudSizeS)->state, kGadgetOn);
         EXPECT_EQ(g(kCloudSizeM)->state, kGadgetOff);
       }},
      {"X", [&] { click(kCloudSizeX); }, [] { EXPECT_EQ(cloud_settings.cloud_scale, 2); }},
      {"L", [&] { click(kCloudSizeL); }, [] { EXPECT_EQ(cloud_settings.cloud_scale, 4); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.act();
    c.check();
  }
}

TEST_F(CloudPanel, PreviewFollowsTheCoverageThreshold) {
  EXPECT_EQ(cloud_preview_threshold(100), 0);
  EXPECT_EQ(cloud_preview_threshold(0), 255);
  EXPECT_EQ(cloud_preview_threshold(40), 153);
  for (int32_t i = 0; i < 65536; ++i) cloud_pattern[i] = static_cast<uint8_t>(i % 256);
  cloud_pattern[255 * 256 + 0] = 255;  // pattern row 255 is the preview's top line
  edit(kCloudDensity, 0);
  EXPECT_EQ(preview(0, 0), 15);
  EXPECT_EQ(preview(1, 0), 1);   // value 2 below 255
  EXPECT_EQ(preview(0, 1), 1);   // pattern row 253 column 0: value 0
  edit(kCloudDensity, 150);
  for (int32_t r = 0; r < 128; r += 17)
    for (int32_t c = 0; c < 128; c += 13) EXPECT_EQ(preview(c, r), 15) << c << "," << r;
}

TEST_F(CloudPanel, GenerateMakesANewPatternAndReleasesTheButton) {
  uint8_t before[65536];
  std::memcpy(before, cloud_pattern, sizeof before);
  h->now = 12345;
  click(kCloudGenerate);
  EXPECT_NE(std::memcmp(before, cloud_pattern, sizeof before), 0);
  EXPECT_EQ(g(kCloudGenerate)->state, kGadgetOff);
}

TEST_F(CloudPanel, CancelledLoadKeepsThePatternAndRedrawsThePreview) {
  cloud_pattern[255 * 256] = 255;
  uint8_t before[65536];
  std::memcpy(before, cloud_pattern, sizeof before);
  Canvas& c = *static_cast<Canvas*>(panel_->canvas);
  const size_t at = static_cast<size_t>(panel_->y0 + 104) * c.width + panel_->x0 + 224;
  c.pixels[at] = 77;
  click(kCloudLoad);
  EXPECT_EQ(std::memcmp(before, cloud_pattern, sizeof before), 0);
  EXPECT_EQ(c.pixels[at], 15);
  EXPECT_EQ(g(kCloudLoad)->state, kGadgetOff);
}

TEST_F(CloudPanel, OkAndEnterClose) {
  for (bool ok : {true, false}) {
    SCOPED_TRACE(ok);
    h->window_events.clear();
    if (ok) {
      click(kCloudPanelOk);
    } else {
      h->keys = {kKeyEnter};
      cloud_panel_event(panel_);
    }
    EXPECT_EQ(cloud_panel, nullptr);
    EXPECT_EQ(g(kCloudPanelOk)->state, kGadgetOff);
    EXPECT_NE(std::find(h->window_events.begin(), h->window_events.end(), "close panel"), h->window_events.end());
    panel_free(panel_);
    show_cloud_panel(&parent_);
    panel_ = cloud_panel;
    ASSERT_NE(panel_, nullptr);
    draw_cloud_panel(panel_);
  }
}

}  // namespace
