// Modal questions and integer prompts, shown through the front end.
#pragma once

#include <cstdint>

// 1 when the first button was chosen, 0 otherwise. Labels are shown as given; button2 may be null.
int requester(const char* text, const char* button1, const char* button2);
// 1 when the first button was chosen (the entered number is stored in value), else 0 with value unchanged.
// Labels shorter than six characters are centred in six blanks.
int value_requester(const char* prompt, const char* button1, const char* button2, int32_t* value);
// Centres a label shorter than six characters in six blanks; longer labels are copied unchanged.
void pad_button_label(const char* label, char* out, int out_size);
