// Export of the focused row's recording as a CSV file for a spreadsheet.
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "app/FileDialog.h"
#include "app/MainFrame.h"
#include "app/StatusConfirmation.h"
#include "exchange/CsvExport.h"
#include "exchange/DialogPath.h"
#include "i18n/Tr.h"

void MainFrame::OnExportCsv(wxCommandEvent&) {
  const int shown = m_recordings.Shown();
  if (shown < 0) return;
  const Storage& rec = m_recordings[static_cast<size_t>(shown)];
  const wxString caption = Tr("Exportieren nach Excel");
  const wxString chosen =
      ChooseFile(this, SettingsDirectory(), caption, wxString::FromUTF8(CsvDefaultFileName(rec.GetDateTime())),
                 Tr("Exceldateien (*.csv)|*.csv"), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (chosen.empty()) return;
  const wxString path = chosen.Contains(".csv") ? chosen : chosen + ".csv";
  // The dialog asked about the name as typed; the added extension may hit another file.
  if (!MayReplaceAddedName(this, chosen, path, caption)) return;
  const FileWriteResult result = WriteCsvFile(DialogPathBytes(path), rec);
  if (!result.ok) wxMessageBox(wxString::FromUTF8(result.message), "Message", wxOK | wxCENTRE, nullptr);
  else
    ConfirmInStatusLine(this, wxString::Format(Tr("Exportiert: %s"), wxFileName(path).GetFullName()));
}
