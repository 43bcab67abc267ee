// Export of the focused row's recording as a CSV file for a spreadsheet.
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "app/FileDialog.h"
#include "app/MainFrame.h"
#include "app/StatusConfirmation.h"
#include "exchange/CsvExport.h"
#include "exchange/DialogPath.h"

void MainFrame::OnExportCsv(wxCommandEvent&) {
  const int shown = m_recordings.Shown();
  if (shown < 0) return;
  const Storage& rec = m_recordings[static_cast<size_t>(shown)];
  const wxString caption = "Exportieren nach Excel";
  const wxString chosen = ChooseFile(this, SettingsDirectory(), caption,
                                     wxString::FromUTF8(CsvDefaultFileName(rec.GetDateTime())),
                                     "Exceldateien (*.csv)|*.csv", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (chosen.empty()) return;
  const wxString path = chosen.Contains(".csv") ? chosen : chosen + ".csv";
  // The dialog asked about the name as typed; the added extension may hit another file.
  if (path != chosen && wxFileName::Exists(path)) {
    const int answer = wxMessageBox(
        wxString::Format(wxString::FromUTF8("%s existiert bereits.\nMöchten Sie die Datei ersetzen?"),
                         wxFileName(path).GetFullName()),
        caption, wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, this);
    if (answer != wxYES) return;
  }
  const FileWriteResult result = WriteCsvFile(DialogPathBytes(path), rec);
  if (!result.ok) wxMessageBox(wxString::FromUTF8(result.message), "Message", wxOK | wxCENTRE, nullptr);
  else
    ConfirmInStatusLine(this, "Exportiert: " + wxFileName(path).GetFullName());
}
