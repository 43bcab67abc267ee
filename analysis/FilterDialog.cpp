#include "analysis/FilterDialog.h"

#include "analysis/OkCloseRow.h"
#include "i18n/Tr.h"

#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>

namespace {
constexpr int SLIDER_ID = 5102;
wxString TextFormat() { return Tr("%d Punkt-Filter für gleitenden Mittelwert"); }
}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(FilterDialog, wxDialog)
  EVT_COMMAND_SCROLL(SLIDER_ID, FilterDialog::OnSlider)
  EVT_BUTTON(FILTER_DIALOG_OK, FilterDialog::OnButton)
  EVT_BUTTON(FILTER_DIALOG_CLOSE, FilterDialog::OnButton)
wxEND_EVENT_TABLE()
// clang-format on

FilterDialog::FilterDialog(wxWindow* parent, int halfWidth)
    : wxDialog(parent, wxID_ANY, Tr("Filtereinstellungen"), wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE),
      m_halfWidth(halfWidth) {
  // Sized for the widest text, the 21-point filter.
  m_text = new wxStaticText(this, wxID_ANY, wxString::Format(TextFormat(), 21));
  m_slider = new wxSlider(this, SLIDER_ID, halfWidth, 1, 10, wxDefaultPosition, wxSize(180, -1),
                          wxSL_HORIZONTAL);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_text, 0, wxALL, 10);
  top->Add(m_slider, 0, wxLEFT | wxRIGHT, 10);
  top->Add(MakeOkCloseRow(this, FILTER_DIALOG_OK, FILTER_DIALOG_CLOSE), 0, wxALIGN_CENTER | wxALL, 5);
  SetSizerAndFit(top);
  ShowValue();
}

wxString FilterDialog::GetTextLine() const { return m_text->GetLabel(); }

void FilterDialog::ShowValue() {
  m_text->SetLabel(wxString::Format(TextFormat(), 2 * m_halfWidth + 1));
}

void FilterDialog::OnSlider(wxScrollEvent&) {
  m_halfWidth = m_slider->GetValue();
  ShowValue();
}

void FilterDialog::OnButton(wxCommandEvent& event) { EndModal(event.GetId()); }
