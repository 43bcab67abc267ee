// Push buttons of the small analysis dialogs.
#pragma once

#include <wx/button.h>

// A button of at least 60 x 30 pixels that widens when the theme needs more for its label
// (GTK's padding cuts "Schließen" off in 60 pixels).
wxButton* MakeDialogButton(wxWindow* parent, int id, const wxString& label);
