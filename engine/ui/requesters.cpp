// Requesters: a modal question and an integer prompt through the front end's dialogs.
#include "engine/ui/requesters.h"

#include <cstring>

#include "engine/host/frontend_services.h"

int requester(const char* text, const char* button1, const char* button2) {
  return AskYesNo(text ? text : "", button1 ? button1 : "", button2) == 1 ? 1 : 0;
}

void pad_button_label(const char* label, char* out, int out_size) {
  if (out_size <= 0) return;
  const size_t len = label ? std::strlen(label) : 0;
  if (len < 6 && out_size >= 7) {
    std::memcpy(out, "      ", 7);
    std::memcpy(out + (6 - len) / 2, label, len);
    return;
  }
  std::strncpy(out, label ? label : "", static_cast<size_t>(out_size) - 1);
  out[out_size - 1] = 0;
}

int value_requester(const char* prompt, const char* button1, const char* button2, int32_t* value) {
  char b1[64], b2[64];
  pad_button_label(button1, b1, sizeof b1);
  if (button2) pad_button_label(button2, b2, sizeof b2);
  int32_t v = value ? *value : 0;
  const int answer = AskValue(prompt ? prompt : "", b1, button2 ? b2 : nullptr, &v);
  if (answer == 1) {
    if (value) *value = v;
    return 1;
  }
  return 0;
}
