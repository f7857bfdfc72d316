// In-place field editors: a modal loop over the pointer and the keys, drawing the field with a block cursor.
#include "engine/ui/field_edit.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/ui/panel_record.h"
#include "engine/ui/pointer.h"
#include "engine/ui/gadget_draw.h"
#include "engine/ui/panel_draw.h"
#include "engine/ui/panel_input.h"
#include "engine/ui/screen.h"

namespace {
constexpr int32_t kMaxText = 255;    // text fields hold at most this many characters
constexpr int32_t kMaxNumber = 31;   // number texts hold at most this many

struct Editor {
  PanelRecord* p;
  GadgetRecord* g;
  std::string buf;
  int32_t cur = 0;    // cursor index into buf
  int32_t c = 0;      // screen column of the cursor
  int32_t limit = 0;  // the text never grows beyond this
  int32_t w = 1;      // field width in characters
  bool number = false;

  int32_t len() const { return static_cast<int32_t>(buf.size()); }
  void clamp_c() {
    if (c > w - 1) c = w - 1;
    if (c < 0) c = 0;
  }

  void show() {
    std::string shown;
    if (!number) {
      if (len() >= w) {
        int32_t start = cur - c;
        if (start < 0) start = 0;
        if (start > len()) start = len();
        shown = buf.substr(static_cast<size_t>(start));
      } else {
        shown = buf;
        c = cur;
      }
    } else if (len() >= w) {
      int32_t start = cur - c;
      if (start < 0) {
        c += start;
        start = 0;
      }
      shown = buf.substr(static_cast<size_t>(start));
    } else {
      shown.assign(static_cast<size_t>(w - len()), ' ');
      shown += buf;
      c = cur + (w - len());
    }
    clamp_c();
    shown.resize(static_cast<size_t>(w), ' ');
    panel_draw_text(p, shown.c_str(), g->x, g->y, ui_color_edit, ui_color_black);
    const char under = cur < len() ? buf[static_cast<size_t>(cur)] : ' ';
    panel_draw_char(p, static_cast<unsigned char>(under), g->x + c * char_width, g->y, ui_color_black, ui_color_edit);
  }

  void insert(char ch) {
    buf.insert(static_cast<size_t>(cur), 1, ch);
    if (len() > limit) buf.resize(static_cast<size_t>(limit));
    cur = cur + 1 < limit - 1 ? cur + 1 : limit - 1;
    if (cur < 0) cur = 0;
    ++c;
    clamp_c();
  }

  void backspace() {
    if (cur == 0) return;
    --cur;
    if (cur < len()) buf.erase(static_cast<size_t>(cur), 1);
    --c;
    clamp_c();
  }

  void left() {
    if (cur == 0) return;
    --cur;
    --c;
    clamp_c();
  }

  void right_text() {
    if (cur >= len() || buf[static_cast<size_t>(cur)] == ' ') return;
    if (cur == len() - 1) {
      if (len() >= limit) return;  // no room for the blank cell
      buf += ' ';
    }
    ++cur;
    ++c;
    clamp_c();
  }

  void clear() {
    buf = " ";
    cur = 0;
    c = 0;
  }

  // Keys of the field's kind; false when the key is not the editor's.
  void key(int32_t k) {
    const int32_t ch = k & 0xFF;
    const bool plain_char = (k & 0xFF00) == 0;
    switch (g->kind) {
      case kGadgetString:
        if (plain_char && ch >= 33 && ch <= 126) return insert(static_cast<char>(ch));
        if (k == kKeyBackspace) return backspace();
        if (k == kKeyDelete) {
          if (cur < len()) buf.erase(static_cast<size_t>(cur), 1);
          return;
        }
        if (k == kKeyRight) return right_text();
        if (k == kKeyLeft) return left();
        if (k == kKeySpace) return clear();
        return;
      case kGadgetName:
        if (plain_char && ch >= 32 && ch <= 126) return insert(static_cast<char>(ch));
        if (k == kKeyBackspace) return backspace();
        if (k == kKeyDelete) {
          if (cur < len()) buf.erase(static_cast<size_t>(cur), 1);
          return;
        }
        if (k == kKeyRight) {
          if (cur + 1 < len()) {
            ++cur;
            ++c;
            clamp_c();
          }
          return;
        }
        if (k == kKeyLeft) return left();
        return;
      default:
        return number_key(k, plain_char, ch);
    }
  }

  void number_key(int32_t k, bool plain_char, int32_t ch) {
    if (k == kKeyMinus || k == kKeyPadMinus) {
      if (!buf.empty() && buf[0] == '-') {
        buf.erase(0, 1);
        if (cur > 0) --cur;
        --c;
        clamp_c();
      } else if (cur < limit - 1 && len() < limit) {
        buf.insert(0, 1, '-');
        ++cur;
        if (c == 0) ++c;
        clamp_c();
      }
      return;
    }
    if (plain_char && ch >= '0' && ch <= '9') {
      if (cur == 0 && !buf.empty() && buf[0] == '-') return;
      if (cur < limit - 1) insert(static_cast<char>(ch));
      return;
    }
    if (k == kKeyBackspace) return backspace();
    if (k == kKeyDelete) {
      if (cur >= len() || buf[static_cast<size_t>(cur)] == ' ') return;
      buf.erase(static_cast<size_t>(cur), 1);
      if (cur == len()) buf += ' ';
      return;
    }
    if (k == kKeyRight) return right_text();
    if (k == kKeyLeft) return left();
    if (k == kKeySpace) return clear();
    if (g->kind != kGadgetFloat) return;
    if (plain_char && ch == '.') {
      if (cur >= limit - 1) return;
      buf.insert(static_cast<size_t>(cur), 1, '.');
      for (size_t i = static_cast<size_t>(cur) + 1; i < buf.size();) {
        if (buf[i] == '.') {
          buf.erase(i, 1);
        } else {
          ++i;
        }
      }
      bool removed_before = false;
      for (int32_t i = cur - 1; i >= 0; --i) {
        if (buf[static_cast<size_t>(i)] == '.') {
          buf.erase(static_cast<size_t>(i), 1);
          --cur;
          removed_before = true;
        }
      }
      if (removed_before) {
        ++cur;  // the cursor stays on the character it stood on
      } else {
        ++cur;
        ++c;
        clamp_c();
      }
      if (len() > limit) buf.resize(static_cast<size_t>(limit));
      if (cur > len()) cur = len();
      return;
    }
    if ((k == kKeyUp || k == kKeyDown) && cur < limit - 1 && cur < len()) {
      char& d = buf[static_cast<size_t>(cur)];
      if (d >= '0' && d <= '9') d = static_cast<char>(k == kKeyUp ? (d == '9' ? '0' : d + 1) : (d == '0' ? '9' : d - 1));
    }
  }
};

// Reads a signed integer (leading sign and digits); false when there is none or it does not fit.
bool parse_integer(const std::string& s, int32_t* out) {
  const char* p = s.c_str();
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(p, &end, 10);
  if (end == p || errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
  *out = static_cast<int32_t>(v);
  return true;
}

// Reads a decimal number; false when there is none or it is not a finite f32.
bool parse_float(const std::string& s, float* out) {
  const char* p = s.c_str();
  // Only signs, digits and the point: no "inf", "nan" or hexadecimal forms.
  const char* q = p;
  while (*q == ' ') ++q;
  if (*q == '-' || *q == '+') ++q;
  if (!((*q >= '0' && *q <= '9') || (*q == '.' && q[1] >= '0' && q[1] <= '9'))) return false;
  char* end = nullptr;
  const double v = std::strtod(p, &end);
  if (end == p || !std::isfinite(v) || std::fabs(v) > 3.4028234663852886e38) return false;
  *out = static_cast<float>(v);
  return true;
}

void wait_buttons_up(PanelRecord* p) {
  int32_t x = 0, y = 0, b = 1;
  while (b != 0 && panel_window_open(p)) panel_mouse(p, &x, &y, &b);
}
}  // namespace

int32_t field_edit(PanelRecord* p, GadgetRecord* g, int32_t px, int32_t) {
  if (!p || !g || !g->text || g->text_size < 2) return 0;
  select_panel_window(p);
  Editor e{p, g, {}};
  e.number = g->kind == kGadgetInteger || g->kind == kGadgetFloat;
  e.w = g->width < 1 ? 1 : (g->width > kMaxText ? kMaxText : g->width);
  e.limit = g->text_size - 1;
  if (e.limit > (e.number ? kMaxNumber : kMaxText)) e.limit = e.number ? kMaxNumber : kMaxText;
  std::string original;
  if (!e.number) {
    original.assign(g->text, strnlen(g->text, static_cast<size_t>(g->text_size)));
    e.buf = original.substr(0, static_cast<size_t>(e.limit));
  } else {
    char number[64];
    if (g->kind == kGadgetFloat) {
      format_float(number, sizeof number, gadget_value_float(*g));
    } else {
      std::snprintf(number, sizeof number, "%ld", static_cast<long>(g->value));
    }
    e.buf = std::string(number).substr(0, static_cast<size_t>(e.limit));
  }
  e.c = char_width > 0 ? (px - g->x) / char_width : 0;
  e.clamp_c();
  if (!e.number) {
    if (e.c > e.len()) e.c = e.len();
    e.cur = e.c;
  } else {
    int32_t b = e.w - e.len();
    if (b > e.w - 1) b = e.w - 1;
    if (b < 0) b = 0;
    if (e.c < b) e.c = b;
    e.cur = e.c - b;
    if (e.cur > e.len()) e.cur = e.len();
  }
  e.show();
  wait_buttons_up(p);

  bool accepted = false;
  while (panel_window_open(p)) {
    int32_t x = 0, y = 0, b = 0;
    panel_mouse(p, &x, &y, &b);
    int32_t k = 0;
    if (b == 2) {
      k = kKeyEsc;
    } else if (b == 1) {
      k = kKeyEnter;
    } else {
      k = poll_event();
    }
    if (k == 0) continue;
    if (k == kKeyEsc) break;
    if (k == kKeyEnter || k == kKeyTab) {
      accepted = true;
      break;
    }
    e.key(k);
    e.show();
  }

  int32_t result = 0;
  if (!e.number) {
    std::string text = accepted ? e.buf : original;
    if (g->kind == kGadgetString) {
      const size_t blank = text.find(' ');
      if (blank != std::string::npos) text.resize(blank);
    } else {
      while (!text.empty() && text.back() == ' ') text.pop_back();
    }
    std::snprintf(g->text, static_cast<size_t>(g->text_size), "%s", text.c_str());
    if (accepted) result = g->id;
  } else if (accepted) {
    if (g->kind == kGadgetInteger) {
      int32_t v = 0;
      if (parse_integer(e.buf, &v)) {
        g->value = v;
        result = g->id;
      }
    } else {
      float f = 0.0f;
      if (parse_float(e.buf, &f)) {
        gadget_set_value_float(*g, f);
        result = g->id;
      }
    }
  }
  pointer_hide();
  draw_gadget(p, g);
  pointer_show();
  wait_buttons_up(p);
  return result;
}
