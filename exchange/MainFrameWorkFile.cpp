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
  const wxString path = ChooseFile(this, SettingsDirectory(), wxString::FromUTF8("KDL VRX-Vorgang öffnen"),
                                   wxEmptyString, "KDL Dateien (*.kdl)|*.kdl", wxFD_OPEN);
  if (path.empty()) return;
  if (ReadWorkFile(path)) SetTitle(wxFileName(path).GetFullName());
}

// A file that cannot be read is refused as a whole: the set on screen stays as it was.
bool MainFrame::ReadWorkFile(const wxString& path) {
  WorkFileReadResult result = ::ReadWorkFile(DialogPathBytes(path));
  if (!result.ok) {
    wxLogError("%s", wxString::FromUTF8(result.message));
    return false;
  }
  m_recordings = std::move(result.recordings);
  m_currentRecording = -1;  // the plot's recording is no longer in the set
  m_workFilePath = path;
  // The units of the last recording become the ones the window labels with.
  for (const Storage& rec : m_recordings) {
    g_flowUnitLitres = static_cast<unsigned char>(rec.GetFlowUnitLitres() & 0xFF);
    g_pressureUnit = static_cast<unsigned char>(rec.GetPressureUnit());
  }
  RefreshRecordingList();
  m_saved = true;
  return true;
}

void MainFrame::OnSaveWorkFile(wxCommandEvent&) { OnSaveWorkFile(); }

void MainFrame::OnSaveWorkFile() {
  if (m_workFilePath.empty()) {
    OnSaveWorkFileAs();
    return;
  }
  WriteWorkFile(m_workFilePath);
}

void MainFrame::OnSaveWorkFileAs(wxCommandEvent&) { OnSaveWorkFileAs(); }

void MainFrame::OnSaveWorkFileAs() {
  const wxString chosen = ChooseFile(this, SettingsDirectory(), "Vorgang abspeichern", wxEmptyString,
                                     "VRX Dateien|*.kdl", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (chosen.empty()) return;
  const wxString path = chosen.Contains(".kdl") ? chosen : chosen + ".kdl";
  // The dialog asked about the name as typed; the added extension may hit another file.
  if (path != chosen && wxFileName::Exists(path)) {
    const int answer = wxMessageBox(
        wxString::Format(wxString::FromUTF8("%s existiert bereits.\nMöchten Sie die Datei ersetzen?"),
                         wxFileName(path).GetFullName()),
        "Vorgang abspeichern", wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, this);
    if (answer != wxYES) return;
  }
  const wxString previous = m_workFilePath;
  m_workFilePath = path;
  if (WriteWorkFile(path))
    SetTitle(wxFileName(chosen).GetFullName());
  else
    m_workFilePath = previous;  // plain save keeps going where it last succeeded
}

bool MainFrame::WriteWorkFile(const wxString& path) {
  const FileWriteResult result = ::WriteWorkFile(DialogPathBytes(path), m_recordings);
  if (!result.ok) {
    wxLogError("%s", wxString::FromUTF8(result.message));
    m_saved = false;
    return false;
  }
  m_saved = true;
  ConfirmInStatusLine(this, "Gespeichert: " + wxFileName(path).GetFullName());
  return true;
}
