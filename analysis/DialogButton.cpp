#include "analysis/DialogButton.h"

#include <algorithm>

wxButton* MakeDialogButton(wxWindow* parent, int id, const wxString& label) {
  // Exact fit: without it GTK makes every button at least its default 85 pixels wide.
  auto* button = new wxButton(parent, id, label, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
  const wxSize best = button->GetBestSize();
  // Exact fit leaves the text against the frame; give it some air on both sides.
  button->SetInitialSize(wxSize(std::max(60, best.x + 16), std::max(30, best.y)));
  return button;
}
