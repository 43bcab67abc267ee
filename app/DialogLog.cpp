#include "app/DialogLog.h"

#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>

wxWindow* OpenModalDialog() {
  // Top-level windows are listed in the order they were made: the newest modal one is on top.
  for (auto it = wxTopLevelWindows.rbegin(); it != wxTopLevelWindows.rend(); ++it) {
    auto* dialog = dynamic_cast<wxDialog*>(*it);  // wxDynamicCast static_casts first, a frame included
    if (dialog && dialog->IsModal() && dialog->IsShown() && !dialog->IsBeingDeleted()) return dialog;
  }
  return nullptr;
}

// The caption in the program's language, whatever catalogue the toolkit found.
void DialogLog::DoShowSingleLogMessage(const wxString& message, const wxString&, int style) {
  const wxString caption = (style & wxICON_ERROR) ? "Fehler" : (style & wxICON_WARNING) ? "Warnung" : "Information";
  // Without a dialog open the toolkit picks the active window, as before.
  wxMessageDialog box(OpenModalDialog(), message, caption, wxOK | style);
  box.ShowModal();
}

// Several messages since the last flush: one box with all of them, oldest first, rather than
// the toolkit's details dialog.
void DialogLog::DoShowMultipleLogMessages(const wxArrayString& messages, const wxArrayInt&, const wxArrayLong&,
                                          const wxString& title, int style) {
  wxString text;
  for (const wxString& message : messages) text += (text.empty() ? "" : "\n\n") + message;
  DoShowSingleLogMessage(text, title, style);
}
