#include "app/FileDialog.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include "exchange/DialogPath.h"
#include "exchange/LastFolder.h"

wxString ChooseFile(wxWindow* parent, const wxString& settingsDirectory, const wxString& message,
                    const wxString& defaultName, const wxString& wildcard, long style, int* filterIndex,
                    const wxString& name) {
  // The settings directory is spelled as the settings file's own code spells it.
  const std::string settings(settingsDirectory.utf8_str());
  const std::string start =
      StartFolder(LoadLastFolder(settings), DialogPathBytes(wxStandardPaths::Get().GetDocumentsDir()),
                  DialogPathBytes(wxGetHomeDir()));
  wxFileDialog dialog(parent, message, DialogPathFromBytes(start), defaultName, wildcard, style, wxDefaultPosition,
                      wxDefaultSize, name);
  if (dialog.ShowModal() != wxID_OK) return wxEmptyString;
  const wxString path = dialog.GetPath();
  if (filterIndex) *filterIndex = dialog.GetFilterIndex();
  SaveLastFolder(settings, DialogPathBytes(wxFileName(path).GetPath()));
  return path;
}

bool MayReplaceAddedName(wxWindow* parent, const wxString& chosen, const wxString& path, const wxString& caption) {
  if (path == chosen || !wxFileName::Exists(path)) return true;
  const int answer = wxMessageBox(wxString::Format(wxString::FromUTF8("%s existiert bereits.\nMöchten Sie die Datei "
                                                                      "ersetzen?"),
                                                   wxFileName(path).GetFullName()),
                                  caption, wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, parent);
  return answer == wxYES;
}
