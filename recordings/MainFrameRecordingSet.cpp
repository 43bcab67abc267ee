// The window follows the recording set from here: whatever changed the set, the list, the
// plot, the readouts, the buttons and the title are brought in line in one place.
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "app/MainFrame.h"
#include "i18n/Tr.h"

void MainFrame::OnRecordingsChanged(unsigned changes) {
  using C = RecordingSet::Change;
  // Indices of the old rows mean nothing now; markers belong to the recording they were set on.
  if (changes & C::ROWS) m_lastMarkedRecording = -1;
  if (changes & C::SAMPLES) m_seriesOnlyGrew = true;
  if (changes & (C::ROWS | C::TEXTS | C::SAMPLES))
    RefreshRecordingList();  // also highlights the row on show
  else if (changes & C::SHOWN)
    SyncListSelection();
  if (changes & (C::ROWS | C::TEXTS | C::SHOWN | C::SAMPLES)) LoadShownRecording();
  if (changes & (C::ROWS | C::SAVED)) UpdateTitle();
}

void MainFrame::UpdateTitle() {
  const wxString path = WorkFilePath();
  wxString title = path.empty() ? m_baseTitle : wxFileName(path).GetFullName();
  // Recordings no work file holds are marked, as desktop programs mark unsaved documents.
  if (m_recordings.HasUnsavedRecordings()) title += " *";
  if (GetTitle() != title) SetTitle(title);
}

bool MainFrame::ConfirmDropRecordings() {
  if (!m_recordings.HasUnsavedRecordings()) return true;
  const int answer = wxMessageBox(Tr("Die Messwerte sind noch nicht gespeichert.\nMöchten Sie sie vorher speichern?"),
                                  Tr("Nicht gespeicherte Messwerte"), wxYES_NO | wxCANCEL | wxICON_QUESTION, this);
  if (answer == wxYES) return OnSaveWorkFile();  // a cancelled or failed save replaces nothing
  return answer == wxNO;
}
