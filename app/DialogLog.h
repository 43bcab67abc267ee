// The program's error log on screen. The toolkit's own log target puts its message boxes on
// the main window even while a modal dialog is open; on some desktops (and without a window
// manager) the dialog then ends up behind the main window, which ignores all input until the
// hidden dialog closes. This one puts every message on the newest modal dialog shown.
#pragma once

#include <wx/log.h>

class wxWindow;

// The newest modal dialog on screen, or null when none is open.
wxWindow* OpenModalDialog();

class DialogLog : public wxLogGui {
 private:
  void DoShowSingleLogMessage(const wxString& message, const wxString& title, int style) override;
  void DoShowMultipleLogMessages(const wxArrayString& messages, const wxArrayInt& severities, const wxArrayLong& times,
                                 const wxString& title, int style) override;
};
