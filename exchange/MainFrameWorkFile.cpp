// Opening and saving the work file (.kdl) that holds the whole recording set.
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/msgdlg.h>

#include "app/FileDialog.h"
#include "app/MainFrame.h"
#include "app/StatusConfirmation.h"
#include "device/LoggerInfo.h"
#include "exchange/DialogPath.h"
#include "exchange/WorkFile.h"

void MainFrame::OnOpenWorkFile(wxCommandEvent&) {
  // Live reading appends to the last record; the set is not replaced under it.
  if (IsLive() || !ConfirmDropRecordings()) return;
  const wxString path = ChooseFile(this, SettingsDirectory(), wxString::FromUTF8("KDL VRX-Vorgang öffnen"),
                                   wxEmptyString, "KDL Dateien (*.kdl)|*.kdl", wxFD_OPEN);
  if (path.empty()) return;
  ReadWorkFile(path);
}

// A file that cannot be read is refused as a whole: the set on screen stays as it was.
bool MainFrame::ReadWorkFile(const wxString& path) {
  WorkFileReadResult result = ::ReadWorkFile(DialogPathBytes(path));
  if (!result.ok) {
    wxLogError("%s", wxString::FromUTF8(result.message));
    return false;
  }
  // The units of the last recording become the ones the window labels with.
  if (!result.recordings.empty())
    RememberUnits(result.recordings.back().GetFlowUnitLitres(), result.recordings.back().GetPressureUnit());
  if (!m_recordings.Replace(std::move(result.recordings), std::string(path.utf8_str()), true)) return false;
  RememberRecentFile(path);
  return true;
}

void MainFrame::OnSaveWorkFile(wxCommandEvent&) { OnSaveWorkFile(); }

bool MainFrame::OnSaveWorkFile() {
  if (m_recordings.WorkFilePath().empty()) return OnSaveWorkFileAs();
  return WriteWorkFile(WorkFilePath());
}

void MainFrame::OnSaveWorkFileAs(wxCommandEvent&) { OnSaveWorkFileAs(); }

bool MainFrame::OnSaveWorkFileAs() {
  const wxString chosen = ChooseFile(this, SettingsDirectory(), "Vorgang abspeichern", wxEmptyString,
                                     "VRX Dateien|*.kdl", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (chosen.empty()) return false;
  const wxString path = chosen.Contains(".kdl") ? chosen : chosen + ".kdl";
  // The dialog asked about the name as typed; the added extension may hit another file.
  if (path != chosen && wxFileName::Exists(path)) {
    const int answer = wxMessageBox(
        wxString::Format(wxString::FromUTF8("%s existiert bereits.\nMöchten Sie die Datei ersetzen?"),
                         wxFileName(path).GetFullName()),
        "Vorgang abspeichern", wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, this);
    if (answer != wxYES) return false;
  }
  // A failed write leaves the set with the file it last went to.
  return WriteWorkFile(path);
}

bool MainFrame::WriteWorkFile(const wxString& path) {
  const FileWriteResult result = ::WriteWorkFile(DialogPathBytes(path), m_recordings.Records());
  if (!result.ok) {
    wxLogError("%s", wxString::FromUTF8(result.message));
    return false;
  }
  m_recordings.MarkSaved(std::string(path.utf8_str()));
  RememberRecentFile(path);
  ConfirmInStatusLine(this, "Gespeichert: " + wxFileName(path).GetFullName());
  return true;
}
