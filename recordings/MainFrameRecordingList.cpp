// The recording list: one row per record of the set, and the commands on the chosen row.
#include <wx/button.h>
#include <wx/font.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/textdlg.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "device/LoggerInfo.h"
#include "exchange/WorkFile.h"
#include "i18n/Tr.h"
#include "recordings/RecordingListText.h"

namespace {

wxString FromModel(const std::string& s) { return wxString::FromUTF8(s); }
std::string ToModel(const wxString& s) { return std::string(s.utf8_str()); }

}  // namespace

void MainFrame::SetUpRecordingList() {
  m_recordList->SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS).Bold()));
  m_recordList->InsertColumn(0, Tr("Titel"), wxLIST_FORMAT_LEFT, 80);
  m_recordList->InsertColumn(1, Tr("Datum"), wxLIST_FORMAT_LEFT, 80);
  m_recordList->InsertColumn(2, Tr("Zeit"), wxLIST_FORMAT_LEFT, 80);
  m_recordList->InsertColumn(3, Tr("Dauer"), wxLIST_FORMAT_LEFT, 80);
  // Chosen once from the unit known at start-up.
  m_recordList->InsertColumn(4, Tr(VolumeColumnHeading(g_flowUnitLitres)), wxLIST_FORMAT_LEFT, 150);
}

void MainFrame::RefreshRecordingList() {
  m_recordList->Freeze();
  m_syncingList = true;  // deleting rows raises no selection the user made
  m_recordList->DeleteAllItems();
  for (size_t i = 0; i < m_recordings.size(); ++i) {
    const Storage& rec = m_recordings[i];
    const long row = static_cast<long>(i);
    m_recordList->InsertItem(row, FromModel(rec.GetTitle()));
    m_recordList->SetItem(row, 1, FromModel(ListDateText(rec.GetDateTime())));
    m_recordList->SetItem(row, 2, FromModel(ListTimeText(rec.GetDateTime())));
    m_recordList->SetItem(row, 3, FromModel(DurationText(rec)));
    m_recordList->SetItem(row, 4, FromModel(VolumeText(rec)));
  }
  m_syncingList = false;
  m_recordList->Thaw();
  SyncListSelection();
}

void MainFrame::SyncListSelection() {
  const long shown = m_recordings.Shown();
  m_syncingList = true;
  for (long row = m_recordList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row >= 0;
       row = m_recordList->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
    if (row != shown) m_recordList->SetItemState(row, 0, wxLIST_STATE_SELECTED);
  if (shown >= 0 && shown < m_recordList->GetItemCount()) {
    m_recordList->SetItemState(shown, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                               wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_recordList->EnsureVisible(shown);
  }
  m_syncingList = false;
  EnableRecordingCommands(shown >= 0);
}

void MainFrame::EnableRecordingCommands(bool enable) {
  // While live reading runs, its recording must stay the last one: no removing then.
  m_removeButton->Enable(enable && !IsLive());
  m_titleButton->Enable(enable);
  m_infoButton->Enable(enable);
  if (wxMenuBar* bar = GetMenuBar()) bar->Enable(ID_EXPORT_CSV, enable);
}

void MainFrame::OnListItemSelected(wxListEvent& event) {
  if (m_syncingList) return;
  const int i = static_cast<int>(event.GetIndex());
  if (i < 0 || i >= static_cast<int>(m_recordings.size())) return;
  if (i != m_recordings.Shown()) {
    // A recording chosen in the list is shown unfiltered.
    m_recordings[static_cast<size_t>(i)].ApplyFilter(false, m_filterHalfWidth);
    m_filterOn = false;
    ShowFilterState();
    m_recordings.Show(i);
  }
  EnableRecordingCommands(true);
}

// The list never shows a row highlighted other than the one on show: a click beside the rows
// that takes the highlight away gives it back.
void MainFrame::OnListItemDeselected(wxListEvent&) {
  if (m_syncingList) return;
  CallAfter([this] { SyncListSelection(); });
}

void MainFrame::OnListItemActivated(wxListEvent&) { OnChangeTitle(); }

void MainFrame::OnChangeTitle(wxCommandEvent&) { OnChangeTitle(); }

bool MainFrame::AskRecordingText(const wxString& caption, const wxString& current, bool title,
                                 wxString& entered) {
  wxString value = current;
  for (;;) {
    wxTextEntryDialog dialog(this, current, caption, value, wxOK | wxCANCEL | wxCENTRE);
    if (dialog.ShowModal() != wxID_OK) return false;
    value = dialog.GetValue();
    if (WorkFileTextFits(ToModel(value), title)) {
      entered = value;
      return true;
    }
    // A work file could not hold it: say so and let the user shorten what was typed.
    const wxString what = title ? Tr("Der Titel") : Tr("Die Information");
    wxMessageBox(
        wxString::Format(Tr("%s ist zu lang für eine Arbeitsdatei (höchstens %d Zeichen). Bitte kürzen Sie den Text."),
                         what, static_cast<int>(WORK_FILE_MAX_TEXT)),
        "Message", wxOK | wxICON_INFORMATION, this);
  }
}

void MainFrame::OnChangeTitle() {
  const int i = m_recordings.Shown();
  if (i < 0) return;
  wxString entered;
  if (AskRecordingText(Tr("Titel ändern"), FromModel(m_recordings[static_cast<size_t>(i)].GetTitle()), true, entered))
    // The work file cannot hold an empty title.
    m_recordings.SetTitle(i, entered.empty() ? std::string("-") : ToModel(entered));
  m_recordList->SetFocus();
  SyncListSelection();
}

void MainFrame::OnEditInfo(wxCommandEvent&) {
  const int i = m_recordings.Shown();
  if (i < 0) return;
  wxString entered;
  if (AskRecordingText(Tr("Weitere Informationen .."), FromModel(m_recordings[static_cast<size_t>(i)].GetInfo()), false,
                       entered))
    m_recordings.SetInfo(i, entered.empty() ? m_recordings[static_cast<size_t>(i)].GetInfo() : ToModel(entered));
  m_recordList->SetFocus();
  SyncListSelection();
}

void MainFrame::OnRemoveRecording(wxCommandEvent&) {
  if (IsLive()) return;  // the live recording stays last; its rows do not move under it
  m_recordings.Remove(m_recordings.Shown());
  m_recordList->SetFocus();
}
