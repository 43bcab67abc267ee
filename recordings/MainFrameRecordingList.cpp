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
#include "recordings/RecordingListText.h"

namespace {

wxString FromModel(const std::string& s) { return wxString::FromUTF8(s); }
std::string ToModel(const wxString& s) { return std::string(s.utf8_str()); }

}  // namespace

void MainFrame::SetUpRecordingList() {
  m_recordList->SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS).Bold()));
  m_recordList->InsertColumn(0, "Titel", wxLIST_FORMAT_LEFT, 80);
  m_recordList->InsertColumn(1, "Datum", wxLIST_FORMAT_LEFT, 80);
  m_recordList->InsertColumn(2, "Zeit", wxLIST_FORMAT_LEFT, 80);
  m_recordList->InsertColumn(3, "Dauer", wxLIST_FORMAT_LEFT, 80);
  // Chosen once from the unit known at start-up.
  m_recordList->InsertColumn(4, FromModel(VolumeColumnHeading(g_flowUnitLitres)), wxLIST_FORMAT_LEFT, 150);
}

void MainFrame::RefreshRecordingList() {
  m_recordList->Freeze();
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
  m_recordList->Thaw();
}

int MainFrame::FocusedRecording() const {
  const long row = m_recordList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
  if (row < 0 || row >= static_cast<long>(m_recordings.size())) return -1;
  return static_cast<int>(row);
}

int MainFrame::SingleSelectedRecording() const {
  return m_recordList->GetSelectedItemCount() == 1 ? FocusedRecording() : -1;
}

void MainFrame::EnableRecordingCommands(bool enable) {
  // While live reading runs, its recording must stay the last one: no removing then.
  m_removeButton->Enable(enable && !m_live);
  m_titleButton->Enable(enable);
  m_infoButton->Enable(enable);
  if (wxMenuBar* bar = GetMenuBar()) bar->Enable(ID_EXPORT_CSV, enable);
}

void MainFrame::OnListItemSelected(wxListEvent&) {
  const int i = SingleSelectedRecording();
  // A row selected without the focus (as the edit commands reselect) has nothing to show;
  // leaving the flag alone then keeps it in step with the button's picture.
  if (i >= 0) {
    // The filter button's action flips this back: the chosen recording is shown unfiltered.
    m_filterOn = true;
    FilterAction();
    ShowRecording(i);
  }
  EnableRecordingCommands(true);
}

void MainFrame::OnListItemDeselected(wxListEvent&) { EnableRecordingCommands(false); }

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
    const wxString what = title ? wxString("Der Titel") : wxString("Die Information");
    wxMessageBox(wxString::Format(wxString::FromUTF8("%s ist zu lang für eine Arbeitsdatei (höchstens %d "
                                                     "Zeichen). Bitte kürzen Sie den Text."),
                                  what, static_cast<int>(WORK_FILE_MAX_TEXT)),
                 "Message", wxOK | wxICON_INFORMATION, this);
  }
}

void MainFrame::OnChangeTitle() {
  const int i = SingleSelectedRecording();
  if (i < 0) return;
  wxString entered;
  if (AskRecordingText(wxString::FromUTF8("Titel ändern"), FromModel(m_recordings[i].GetTitle()), true,
                       entered)) {
    if (i >= static_cast<int>(m_recordings.size())) return;
    // The work file cannot hold an empty title.
    m_recordings[i].SetTitle(entered.empty() ? std::string("-") : ToModel(entered));
    RefreshRecordingList();
    ShowRecording(i);
    m_saved = false;
  }
  RestoreListSelection(i, i);
}

void MainFrame::OnEditInfo(wxCommandEvent&) {
  const int i = SingleSelectedRecording();
  if (i < 0) return;
  wxString entered;
  if (AskRecordingText("Weitere Informationen ..", FromModel(m_recordings[i].GetInfo()), false, entered)) {
    if (i >= static_cast<int>(m_recordings.size())) return;
    if (!entered.empty()) m_recordings[i].SetInfo(ToModel(entered));
    RefreshRecordingList();
    ShowRecording(i);
    m_saved = false;
  }
  RestoreListSelection(i, i);
}

void MainFrame::OnRemoveRecording(wxCommandEvent&) {
  const int i = SingleSelectedRecording();
  if (i < 0 || m_live) return;
  m_recordings.erase(m_recordings.begin() + i);
  // Keep the shown index pointing at the record the plot shows, or at none if it is gone,
  // so nothing later writes into the record that moved into its place.
  if (m_currentRecording == i)
    m_currentRecording = -1;
  else if (m_currentRecording > i)
    --m_currentRecording;
  RefreshRecordingList();
  ShowRecording(-1);
  m_saved = false;
  RestoreListSelection(i > 0 ? i - 1 : 0, i);
}

void MainFrame::RestoreListSelection(int row, int focusRow) {
  m_recordList->SetFocus();
  const int count = m_recordList->GetItemCount();
  // Selecting raises the item-selected event, as a user's click would.
  if (row >= 0 && row < count)
    m_recordList->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  // A row that no longer exists (the last one removed) gets no focus.
  if (focusRow >= 0 && focusRow < count) {
    m_recordList->SetItemState(focusRow, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    m_recordList->EnsureVisible(focusRow);
  }
}
