// The Texture panel: the detail letters, the two roughness fields from the amplitude table, and the toggles.
#include <gtest/gtest.h>

#include "engine/panels/control_panels.h"
#include "engine/panels/gadget_table.h"
#include "engine/panels/texture_panel.h"
#include "engine/render/terrain_quad.h"
#include "tests/panels/map_fixture.h"

namespace {

class TexturePanel : public MapFixture {
 protected:
  void SetUp() override {
    MapFixture::SetUp();
    canvas_.resize(300, 500);
    texture_panel_create();
    texture_panel.canvas = &canvas_;
  }
  void TearDown() override {
    control_panels[kPanelTexture] = nullptr;
    texture_panel.canvas = nullptr;
    MapFixture::TearDown();
  }
  static GadgetRecord& g(int32_t id) { return *gadget_table::find(texture_panel.gadgets, id); }
  Canvas canvas_;
};

TEST_F(TexturePanel, SynchronisesDetailRoughnessAndToggles) {
  const int32_t first = fractal_amplitudes[0], last = fractal_amplitudes[7];
  for (int32_t level = 0; level < 4; ++level) {
    render_settings.detail_level = level;
    texture_panel_sync();
    for (int32_t k = 0; k < 4; ++k) EXPECT_EQ(g(1009 + k).state, k == level ? kGadgetOn : kGadgetOff);
  }
  render_settings.blend_colors = 0;
  render_settings.gouraud_enabled = 1;
  texture_panel_init(&texture_panel);
  EXPECT_EQ(g(1014).value, first);
  EXPECT_EQ(g(1015).value, last);
  EXPECT_EQ(g(1226).state, kGadgetOff);
  EXPECT_EQ(g(1062).state, kGadgetOn);
}

}  // namespace
