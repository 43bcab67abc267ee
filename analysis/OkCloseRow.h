// The button row of the small analysis dialogs.
#pragma once

#include <wx/dialog.h>
#include <wx/sizer.h>

// "OK" and "Schließen" side by side, each at least 60 x 30 pixels and wider when the theme
// needs more for its label (GTK's padding cuts "Schließen" off in 60 pixels). Enter answers
// with okId, Escape with closeId.
wxSizer* MakeOkCloseRow(wxDialog* dialog, int okId, int closeId);
