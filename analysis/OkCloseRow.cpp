#include "analysis/OkCloseRow.h"

#include <wx/button.h>

#include <algorithm>

#include "i18n/Tr.h"

namespace {

wxButton* MakeButton(wxWindow* parent, int id, const wxString& label) {
  // Exact fit: without it GTK makes every button at least its default 85 pixels wide.
  auto* button = new wxButton(parent, id, label, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
  const wxSize best = button->GetBestSize();
  // Exact fit leaves the text against the frame; give it some air on both sides.
  button->SetInitialSize(wxSize(std::max(60, best.x + 16), std::max(30, best.y)));
  return button;
}

}  // namespace

wxSizer* MakeOkCloseRow(wxDialog* dialog, int okId, int closeId) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(MakeButton(dialog, okId, "OK"), 0, wxALL, 5);
  row->Add(MakeButton(dialog, closeId, Tr("Schließen")), 0, wxALL, 5);
  dialog->SetAffirmativeId(okId);
  dialog->SetEscapeId(closeId);
  return row;
}
