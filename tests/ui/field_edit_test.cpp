// Field editors: cursor placement, the keys of each field kind, acceptance and cancellation, bounds and
// numbers that do not parse.
#include "engine/ui/field_edit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>

#include "engine/core/text.h"
#include "engine/ui/panel_ops.h"
#include "tests/support/engine_test.h"
#include "tests/ui/ui_test_support.h"

namespace {
class FieldEdit : public EngineTest {
 protected:
  void SetUp() override { ui_test::fresh_screen(); }
  void TearDown() override { panel_input_reset(); }

  // A field of the kind at (10, 10) in the given width, holding text (text fields) or the number.
  GadgetRecord& field(int32_t kind, int32_t width, const char* text = "", int32_t size = 32) {
    std::memset(buffer, 0, sizeof buffer);
    copy_text(buffer, text, sizeof buffer);
    g = GadgetRecord{};
    g.kind = kind;
    g.x = 10;
    g.y = 10;
    g.id = 77;
    g.width = width;
    g.text = buffer;
    g.text_size = size;
    panel_set_gadgets(&t.panel, &g);
    return g;
  }
  // A press on character cell `cell` of the field, then the keys; returns the panel event's result.
  int32_t edit(int32_t cell, std::deque<int32_t> keys) {
    ui_test::press_release(*h, 10 + cell * 8 + 2, 14);
    h->keys = std::move(keys);
    return panel_event(&t.panel, nullptr, nullptr);
  }
  ScopedHeadlessHost h;
  ui_test::TestPanel t{200, 60};
  char buffer[300];
  GadgetRecord g{};
};
}  // namespace

TEST_F(FieldEdit, IntegerCursorAndDigits) {
  field(kGadgetInteger, 6).value = 42;
  EXPECT_EQ(edit(5, {'7', kKeyEnter}), 77);  // the press on the last cell puts the cursor on the "2"
  EXPECT_EQ(g.value, 472);
  EXPECT_STREQ(buffer, "472");
  g.value = 42;
  EXPECT_EQ(edit(5, {kKeyRight, '7', kKeyEnter}), 77);  // Right on the last digit adds a blank cell
  EXPECT_EQ(g.value, 427);
}

TEST_F(FieldEdit, MinusTogglesTheSignWhereverTheCursorIs) {
  struct Case {
    int32_t start, cell;
    std::deque<int32_t> keys;
    int32_t value;
  };
  const Case cases[] = {
      {15, 5, {kKeyMinus, kKeyEnter}, -15},
      {15, 4, {kKeyPadMinus, kKeyEnter}, -15},
      {-15, 5, {kKeyMinus, kKeyEnter}, 15},
      {15, 5, {kKeyMinus, kKeyMinus, kKeyEnter}, 15},
      {-15, 3, {'9', kKeyEnter}, -15},  // no digit in front of the sign
      {123, 5, {kKeyBackspace, kKeyEnter}, 13},
      {123, 3, {kKeyDelete, kKeyEnter}, 23},
  };
  for (const Case& c : cases) {
    field(kGadgetInteger, 6).value = c.start;
    EXPECT_EQ(edit(c.cell, c.keys), 77) << c.start;
    EXPECT_EQ(g.value, c.value) << c.start << " at " << c.cell;
  }
}

TEST_F(FieldEdit, FloatPointAndDigitCounting) {
  struct Case {
    float start;
    int32_t cell;
    std::deque<int32_t> keys;
    float value;
  };
  const Case cases[] = {
      {1.5f, 3, {'.', kKeyEnter}, 0.15f},             // the point before the "1"
      {1.5f, 5, {'.', kKeyEnter}, 1.5f},              // the new point replaces the old one before it
      {1.5f, 5, {'.', '2', kKeyEnter}, 1.25f},        // and the cursor stays on the "5"
      {9.5f, 3, {kKeyUp, kKeyEnter}, 0.5f},           // 9 counts up to 0
      {1.5f, 4, {kKeyUp, kKeyDown, kKeyDown, kKeyEnter}, 1.5f},  // the point does not count
      {10.0f, 5, {kKeyDown, kKeyEnter}, 19.0f},       // 0 counts down to 9
  };
  for (const Case& c : cases) {
    gadget_set_value_float(field(kGadgetFloat, 6), c.start);
    EXPECT_EQ(edit(c.cell, c.keys), 77) << c.start;
    EXPECT_FLOAT_EQ(gadget_value_float(g), c.value) << c.start << " at " << c.cell;
  }
}

TEST_F(FieldEdit, NumbersThatDoNotParseLeaveTheFieldUnchanged) {
  struct Case {
    int32_t kind;
    std::deque<int32_t> keys;
  };
  const Case cases[] = {
      {kGadgetInteger, {kKeySpace, kKeyEnter}},                                       // cleared: no number
      {kGadgetInteger, {kKeySpace, kKeyMinus, kKeyEnter}},                            // a lone sign
      {kGadgetInteger, {'9', '9', '9', '9', '9', '9', '9', '9', '9', '9', kKeyEnter}},  // beyond 32 bits
      {kGadgetFloat, {kKeySpace, '.', kKeyEnter}},                                    // a lone point
      {kGadgetFloat, {kKeySpace, kKeyEnter}},
  };
  for (const Case& c : cases) {
    GadgetRecord& f = field(c.kind, 10, "", 64);
    if (c.kind == kGadgetFloat) {
      gadget_set_value_float(f, 2.5f);
    } else {
      f.value = 5;
    }
    const int32_t before = f.value;
    EXPECT_EQ(edit(9, c.keys), 0);
    EXPECT_EQ(g.value, before);
    EXPECT_STREQ(buffer, c.kind == kGadgetInteger ? "5" : "2.5");  // redrawn from the unchanged value
  }
}

TEST_F(FieldEdit, StringFieldKeys) {
  field(kGadgetString, 8, "abc");
  EXPECT_EQ(edit(3, {'d', kKeyEnter}), 77);
  EXPECT_STREQ(buffer, "abcd");
  field(kGadgetString, 8, "abc");
  EXPECT_EQ(edit(1, {kKeyDelete, kKeyLeft, 'X', kKeyTab}), 77);
  EXPECT_STREQ(buffer, "Xac");
  field(kGadgetString, 8, "abc");
  EXPECT_EQ(edit(0, {kKeySpace, kKeyEnter}), 77);  // Space clears; the text ends at its first blank
  EXPECT_STREQ(buffer, "");
  field(kGadgetString, 8, "abc");
  EXPECT_EQ(edit(2, {kKeyF10, kKeyPageUp, 'q', kKeyEsc}), 0);  // foreign keys are ignored; Esc cancels
  EXPECT_STREQ(buffer, "abc");
}

TEST_F(FieldEdit, NameFieldTakesPointsAndUnderscoresButNoBlanksOrMinus) {
  field(kGadgetName, 10, "map");
  EXPECT_EQ(edit(3, {'.', '_', kKeySpace, kKeyMinus, 'x', kKeyEnter}), 77);
  EXPECT_STREQ(buffer, "map._x");
}

TEST_F(FieldEdit, TextIsBoundedByTheBuffer) {
  field(kGadgetString, 20, "", 5);
  EXPECT_EQ(edit(0, {'a', 'b', 'c', 'd', 'e', 'f', 'g', kKeyEnter}), 77);
  EXPECT_EQ(std::strlen(buffer), 4u);
  EXPECT_EQ(buffer[5], 0);
  field(kGadgetInteger, 20, "", 4).value = 0;
  EXPECT_EQ(edit(19, {'1', '2', '3', '4', '5', kKeyEnter}), 77);
  EXPECT_LT(g.value, 1000);  // at most three characters fit
}

TEST_F(FieldEdit, RightButtonCancelsAndLeftButtonAccepts) {
  field(kGadgetString, 8, "abc");
  ui_test::press_release(*h, 12, 14);
  h->pointer_script.push_back({12, 14, 0});
  h->pointer_script.push_back({12, 14, kHostButtonRight});
  h->pointer_script.push_back({12, 14, 0});
  h->keys = {};
  EXPECT_EQ(panel_event(&t.panel, nullptr, nullptr), 0);
  EXPECT_STREQ(buffer, "abc");
  field(kGadgetInteger, 6).value = 12;
  ui_test::press_release(*h, 10 + 5 * 8 + 2, 14);
  for (int i = 0; i < 3; ++i) h->pointer_script.push_back({12, 14, 0});
  h->pointer_script.push_back({12, 14, kHostButtonLeft});
  h->pointer_script.push_back({12, 14, 0});
  h->keys = {'0'};
  EXPECT_EQ(panel_event(&t.panel, nullptr, nullptr), 77);
  EXPECT_EQ(g.value, 102);
}

TEST_F(FieldEdit, ClosingTheWindowEndsTheEdit) {
  field(kGadgetInteger, 6).value = 3;
  h->idle_poll_limit = 100;
  EXPECT_EQ(edit(5, {'4'}), 0);  // never accepted: the host closes the window when input runs out
  EXPECT_EQ(g.value, 3);
}
