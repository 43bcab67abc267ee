// The main window's file dialogs open in the folder used last (kept across runs beside the
// settings file) or, the first time, in the user's documents folder, and remember the folder
// of every file chosen. Everything else is the toolkit's own file dialog.
#pragma once

#include <wx/string.h>

class wxWindow;

// Shows the dialog; the chosen path, empty when cancelled. `filterIndex`, when given, gets
// the file type chosen (the wildcard's pair, counted from 0).
wxString ChooseFile(wxWindow* parent, const wxString& settingsDirectory, const wxString& message,
                    const wxString& defaultName, const wxString& wildcard, long style, int* filterIndex = nullptr,
                    const wxString& name = "filedlg");

// The dialog asked about the name as typed; an extension added to it may hit another file.
// True when `path` may be written: it is the name chosen, no file has it, or the user says so.
bool MayReplaceAddedName(wxWindow* parent, const wxString& chosen, const wxString& path, const wxString& caption);
