// The five texture-map pop-ups: their tables (title, size, fields, slots), loading a file into a slot,
// cancelling, saving with Ctrl, the deformation fields, and closing.
#include "engine/panels/texture_map_panels.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/files/default_dirs.h"
#include "engine/files/targa.h"
#include "engine/panels/gadget_table.h"
#include "engine/scene/texture_slots.h"
#include "engine/ui/panel_ops.h"
#include "tests/support/engine_test.h"
#include "tests/support/headless_host.h"
#include "tests/ui/canvas_png.h"
#include "tests/ui/ui_test_support.h"

namespace fs = std::filesystem;

namespace {

struct Member {
  const char* file;  // PNG name
  int32_t (*open)(PanelRecord*);
  const char* title;
  int32_t width, height;
  std::vector<std::pair<int32_t, int32_t>> fields;        // field id, slot
  std::vector<std::pair<int32_t, int32_t>> deformations;  // field id, slot
};

const Member& member(int32_t k) {
  static const Member members[] = {
      {"ground_texture_panel", ground_texture_dialog, "Ground Texture", 690, 448,
       {{1000, 45}, {1003, 42}, {1004, 41}, {1008, 59}, {1011, 56}, {1012, 49}, {1015, 46}},
       {{1016, 45}, {1023, 38}, {1031, 46}}},
      {"house_texture_panel", show_house_texture_panel, "House Texture", 650, 510,
       {{1009, 87}, {1010, 71}, {1011, 83}, {1000, 84}, {1002, 80}, {1012, 88}}, {}},
      {"tree_texture_panel", open_tree_texture_dialog, "Tree Texture", 632, 168,
       {{1003, 37}, {1002, 36}, {1001, 35}, {1000, 34}}, {}},
      {"water_texture_panel", water_texture_panel, "Water Texture", 690, 224,
       {{1000, 55}, {1004, 51}, {1005, 50}}, {{1006, 55}, {1011, 50}}},
      {"sky_texture_panel", sky_texture_dialog, "Sky Texture", 632, 140, {{1417, 77}, {1412, 79}}, {}},
  };
  return members[k];
}

class TextureMapPanels : public EngineTest {
 protected:
  void SetUp() override {
    ui_test::fresh_screen();
    texture_slots_init();
    reset_default_dirs();
    parent_.x1 = 699, parent_.y1 = 599, parent_.width = 700, parent_.height = 600;
    char pattern[] = "/tmp/dalvenor_textures_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    texture_ = dir_ + "/rock.tga";
    const uint32_t pixels[4] = {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0};
    ASSERT_EQ(targa_save_texture(texture_.c_str(), pixels, 2, 2), 1);
  }
  void TearDown() override {
    if (texture_map_panel) panel_free(texture_map_panel);
    texture_slots_free_all();
    panel_input_reset();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  PanelRecord* open(int32_t k) {
    EXPECT_EQ(member(k).open(&parent_), 1);
    PanelRecord* p = texture_map_panel;
    EXPECT_NE(p, nullptr);
    if (p && p->draw) p->draw(p);
    return p;
  }
  void click(PanelRecord* p, int32_t id) {
    GadgetRecord* g = gadget_table::find(p->gadgets, id);
    ASSERT_NE(g, nullptr) << id;
    ui_test::click_gadget(*h, *p, *g);
    p->event(p);
    // A read-only field answers the press at once: the release has not been read yet.
    h->pointer_script.clear();
    h->buttons = 0;
  }
  ScopedHeadlessHost h;
  PanelRecord parent_{};
  std::string dir_, texture_;
};

TEST_F(TextureMapPanels, EachPanelHasItsTitleSizeFieldsAndSlots) {
  for (int32_t k = 0; k < 5; ++k) {
    const Member& m = member(k);
    SCOPED_TRACE(m.title);
    std::snprintf(texture_slots[m.fields.front().second].name, 256, "TEXTURE\\%s\\sample.tga", m.file);
    PanelRecord* p = open(k);
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(p->name, m.title);
    EXPECT_EQ(p->width, m.width);
    EXPECT_EQ(p->height, m.height);
    GadgetRecord* ok = gadget_table::find(p->gadgets, kTexturePanelOk);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->x, 12);
    EXPECT_EQ(ok->state, kGadgetOff);
    for (auto [id, slot] : m.fields) {
      GadgetRecord* f = gadget_table::find(p->gadgets, id);
      ASSERT_NE(f, nullptr) << id;
      EXPECT_EQ(f->kind, kGadgetReadOnly);
      EXPECT_EQ(f->text, texture_slots[slot].name) << id;  // the slot's own name buffer
      EXPECT_EQ(f->width, 60);
    }
    for (auto [id, slot] : m.deformations) {
      GadgetRecord* f = gadget_table::find(p->gadgets, id);
      ASSERT_NE(f, nullptr) << id;
      EXPECT_EQ(f->kind, kGadgetInteger);
      EXPECT_EQ(f->x, 610);
      EXPECT_STREQ(f->tooltip, "Deformation for this texture.");
    }
    EXPECT_TRUE(write_canvas_png(*static_cast<Canvas*>(p->canvas), artifacts_folder() + "/" + m.file + ".png"));
    panel_free(p);
    EXPECT_EQ(texture_map_panel, nullptr);
  }
}

TEST_F(TextureMapPanels, ClickingAFieldLoadsTheChosenFileAndCancellingEmptiesTheSlot) {
  for (int32_t k = 0; k < 5; ++k) {
    const Member& m = member(k);
    SCOPED_TRACE(m.title);
    PanelRecord* p = open(k);
    const auto [id, slot] = m.fields.back();
    derived_data.palette_stale = 1;
    h->file_choices = {texture_};
    click(p, id);
    EXPECT_EQ(texture_slots[slot].loaded, slot);
    EXPECT_EQ(texture_slots[slot].levels[0].width, 2u);
    EXPECT_NE(std::string(texture_slots[slot].name).find("rock.tga"), std::string::npos);
    EXPECT_EQ(derived_data.palette_stale, land_width);
    // Cancelling the chooser empties the slot and its field.
    derived_data.palette_stale = 1;
    click(p, id);
    EXPECT_EQ(texture_slots[slot].loaded, 0);
    EXPECT_STREQ(texture_slots[slot].name, "");
    EXPECT_EQ(derived_data.palette_stale, land_width);
    panel_free(p);
  }
}

TEST_F(TextureMapPanels, ChosenFileFolderBecomesTheKindsFolder) {
  PanelRecord* p = open(2);
  // The folder part of the slot's name is where the chooser opens, even when the choice is cancelled.
  std::snprintf(texture_slots[34].name, 256, "%s", "TEXTURE\\TREE\\palm.tga");
  click(p, 1000);
  EXPECT_STREQ(tree_texture_dir, "TEXTURE\\TREE");
  h->file_choices = {texture_};
  click(p, 1000);
  EXPECT_EQ(std::string(tree_texture_dir), dir_ + "\\");
}

TEST_F(TextureMapPanels, CtrlClickSavesTheSlotAndDoesNothingOnAnEmptySlot) {
  PanelRecord* p = open(0);
  h->control = 1;
  h->file_choices = {texture_};
  click(p, 1000);  // slot 45 empty: no chooser, nothing loaded
  EXPECT_EQ(h->file_choices.size(), 1u);
  EXPECT_EQ(texture_slots[45].loaded, 0);
  h->control = 0;
  click(p, 1000);
  ASSERT_EQ(texture_slots[45].loaded, 45);
  const std::string copy = dir_ + "/copy.tga";
  h->control = 1;
  h->file_choices = {copy};
  click(p, 1000);
  EXPECT_TRUE(fs::exists(copy));
}

TEST_F(TextureMapPanels, DeformationFieldsFollowTheSlotsAndSetThem) {
  texture_slots[45].deformation = 7;
  texture_slots[50].deformation = -3;
  texture_slots[55].deformation = 12;
  for (int32_t k : {0, 3}) {
    const Member& m = member(k);
    SCOPED_TRACE(m.title);
    PanelRecord* p = open(k);
    GadgetRecord* first = gadget_table::find(p->gadgets, m.deformations.front().first);
    EXPECT_EQ(first->value, texture_slots[m.deformations.front().second].deformation);
    EXPECT_EQ(first->value, k == 0 ? 7 : 12);
    const auto [id, slot] = m.deformations.back();
    GadgetRecord* f = gadget_table::find(p->gadgets, id);
    EXPECT_EQ(f->value, texture_slots[slot].deformation);
    std::snprintf(f->text, static_cast<size_t>(f->text_size), "%d", 70000);
    f->value = 70000;
    derived_data.palette_stale = 1;
    ui_test::click_gadget(*h, *p, *f);
    h->keys = {kKeyEnter};
    p->event(p);
    EXPECT_EQ(texture_slots[slot].deformation, static_cast<int16_t>(70000));  // kept as a 16-bit value
    EXPECT_EQ(derived_data.palette_stale, 1);
    panel_free(p);
  }
}

TEST_F(TextureMapPanels, OkOrEnterClosesAndTheSkyPanelNamesItself) {
  for (int32_t k = 0; k < 5; ++k) {
    for (bool ok : {true, false}) {
      SCOPED_TRACE(std::string(member(k).title) + (ok ? " OK" : " Enter"));
      PanelRecord* p = open(k);
      h->window_events.clear();
      h->status_lines.clear();
      if (ok) {
        click(p, kTexturePanelOk);
      } else {
        h->keys = {kKeyEnter};
        p->event(p);
      }
      EXPECT_EQ(texture_map_panel, nullptr);
      EXPECT_EQ(gadget_table::find(p->gadgets, kTexturePanelOk)->state, kGadgetOff);
      EXPECT_NE(std::find(h->window_events.begin(), h->window_events.end(), "close panel"), h->window_events.end());
      if (k == 4) {
        EXPECT_EQ(h->status_lines.front(), "Sky Texture");
      }
      panel_free(p);
    }
  }
}

TEST_F(TextureMapPanels, OnlyOneTexturePanelAtATime) {
  PanelRecord* p = open(0);
  EXPECT_EQ(water_texture_panel(&parent_), 1);
  EXPECT_EQ(texture_map_panel, p);
  int32_t n = 0;
  for (PanelRecord* c = parent_.child; c; c = c->sibling) ++n;
  EXPECT_EQ(n, 1);
}

}  // namespace
