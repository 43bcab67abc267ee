#include "analysis/PenDialog.h"

#include "analysis/OkCloseRow.h"
#include "i18n/Tr.h"

#include <wx/choice.h>
#include <wx/sizer.h>

#include <algorithm>

namespace {
constexpr int WIDTH_COUNT = 7;
}

// clang-format off
wxBEGIN_EVENT_TABLE(PenDialog, wxDialog)
  EVT_BUTTON(PEN_DIALOG_OK, PenDialog::OnOk)
  EVT_BUTTON(PEN_DIALOG_CLOSE, PenDialog::OnClose)
wxEND_EVENT_TABLE()
// clang-format on

PenDialog::PenDialog(wxWindow* parent, int width)
    : wxDialog(parent, wxID_ANY, Tr("Diagrammlinienart"), wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE) {
  wxArrayString entries;
  for (int i = 1; i <= WIDTH_COUNT; ++i) entries.Add(wxString::Format(Tr("Linienstärke %d"), i));
  m_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxSize(150, 50), entries);
  // A pen of another width (there is none in this program) falls back to the nearest entry
  // rather than leaving the list without a selection.
  m_selection = std::clamp(width - 1, 0, WIDTH_COUNT - 1);
  m_choice->SetSelection(m_selection);

  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_choice, 0, wxALIGN_CENTER | wxALL, 10);
  top->Add(MakeOkCloseRow(this, PEN_DIALOG_OK, PEN_DIALOG_CLOSE), 0, wxALIGN_CENTER | wxALL, 5);
  SetSizerAndFit(top);
}

void PenDialog::StoreSelection() {
  const int sel = m_choice->GetSelection();
  if (sel != wxNOT_FOUND) m_selection = sel;
}

void PenDialog::OnOk(wxCommandEvent&) {
  StoreSelection();
  EndModal(PEN_DIALOG_OK);
}

void PenDialog::OnClose(wxCommandEvent&) { EndModal(PEN_DIALOG_CLOSE); }
