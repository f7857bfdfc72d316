// The question and value boxes: laid out with sizers, centred over the main frame, first button default.
#include "frontend/desktop/dialogs.h"

#include <wx/sizer.h>

#include "frontend/logic/desktop_rules.h"

wxBEGIN_EVENT_TABLE(QuestionDialog, wxDialog)
  EVT_BUTTON(wxID_ANY, QuestionDialog::OnButton)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(ValueDialog, wxDialog)
  EVT_BUTTON(wxID_ANY, ValueDialog::OnButton)
wxEND_EVENT_TABLE()

namespace {
wxString text_of(const char* s) {
  wxString t = wxString::FromUTF8(s ? s : "");
  if (t.empty() && s && *s) t = wxString(s, wxConvISO8859_1);  // 8-bit texts that are not UTF-8
  return t;
}
}  // namespace

QuestionDialog::QuestionDialog(wxWindow* parent, const char* message, const char* button1, const char* button2)
    : wxDialog(parent, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxCAPTION, "dialog") {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(CreateTextSizer(text_of(message)), 0, wxALL, 10);
  m_yesButton = new wxButton(this, wxID_YES, text_of(button1));
  if (button2) m_noButton = new wxButton(this, wxID_NO, text_of(button2));
  sizer->Add(m_yesButton, 0, wxALL | wxALIGN_CENTER, 5);
  if (m_noButton) sizer->Add(m_noButton, 0, wxALL | wxALIGN_CENTER, 5);
  SetAutoLayout(true);
  SetSizer(sizer);
  sizer->SetSizeHints(this);
  Fit();
  Centre(wxBOTH);
  m_yesButton->SetFocus();
  m_yesButton->SetDefault();
  SetEscapeId(wxID_NONE);  // Esc does not end the box: only its buttons do
}

void QuestionDialog::OnButton(wxCommandEvent& event) {
  if (event.GetEventObject() == m_yesButton) {
    EndModal(wxID_YES);
  } else if (m_noButton && event.GetEventObject() == m_noButton) {
    EndModal(wxID_NO);
  } else {
    event.Skip();
  }
}

ValueDialog::ValueDialog(wxWindow* parent, const char* message, const char* button1, const char* button2,
                         const int32_t* value)
    : wxDialog(parent, wxID_ANY, "Enter Value", wxDefaultPosition, wxDefaultSize, wxCAPTION) {
  m_value = value ? *value : 0;
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(CreateTextSizer(text_of(message)), 0, wxALL, 10);
  m_yesButton = new wxButton(this, wxID_YES, text_of(button1));
  if (button2) m_noButton = new wxButton(this, wxID_NO, text_of(button2));
  m_text = new wxTextCtrl(this, wxID_ANY, wxString::Format("%d", static_cast<int>(m_value)), wxPoint(20, 160),
                          wxSize(80, -1), 0);
  sizer->Add(m_text, 0, wxALIGN_CENTER, 5);
  sizer->Add(m_yesButton, 0, wxALL | wxCENTER, 5);
  if (m_noButton) sizer->Add(m_noButton, 0, wxALL | wxCENTER, 5);
  SetAutoLayout(true);
  SetSizer(sizer);
  sizer->SetSizeHints(this);
  Fit();
  Centre(wxBOTH);
  m_yesButton->SetFocus();
  m_yesButton->SetDefault();
  SetEscapeId(wxID_NONE);
}

void ValueDialog::OnButton(wxCommandEvent& event) {
  if (event.GetEventObject() == m_yesButton) {
    m_value = parse_value_text(m_text->GetValue().utf8_str().data());
    EndModal(wxID_YES);
  } else if (m_noButton && event.GetEventObject() == m_noButton) {
    EndModal(wxID_NO);
  } else {
    event.Skip();
  }
}
