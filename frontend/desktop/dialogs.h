// The question box and the value box that show the engine's requesters.
#pragma once

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

// A message with one or two buttons standing one below the other; the first ends it with wxID_YES, the
// second with wxID_NO. No close box: the buttons are the only way out.
class QuestionDialog : public wxDialog {
 public:
  QuestionDialog(wxWindow* parent, const char* message, const char* button1, const char* button2);

 private:
  void OnButton(wxCommandEvent& event);
  wxButton* m_yesButton = nullptr;
  wxButton* m_noButton = nullptr;
  wxDECLARE_EVENT_TABLE();
};

// A message, a number field and one or two buttons; the first button reads the field.
class ValueDialog : public wxDialog {
 public:
  ValueDialog(wxWindow* parent, const char* message, const char* button1, const char* button2, const int32_t* value);
  int32_t Value() const { return m_value; }

 private:
  void OnButton(wxCommandEvent& event);
  int32_t m_value = 0;
  wxButton* m_yesButton = nullptr;
  wxButton* m_noButton = nullptr;
  wxTextCtrl* m_text = nullptr;
  wxDECLARE_EVENT_TABLE();
};
