// A short confirmation in the main window's status line after a save, an export or a memory
// clear ("Gespeichert: messung.kdl"), so the user sees the command happened. It stands in
// the second field (the first holds the program version) and goes again after a while.
#pragma once

#include <wx/string.h>

class wxFrame;

constexpr int CONFIRMATION_FIELD = 1;
constexpr int CONFIRMATION_MS = 10000;

void ConfirmInStatusLine(wxFrame* frame, const wxString& text);
