// The recording list: one row per record of the set, and the commands on the chosen row.
#include <wx/button.h>
#include <wx/dataview.h>
#include <wx/font.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/textdlg.h>

#include <vector>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "device/LoggerInfo.h"
#include "exchange/WorkFile.h"
#include "i18n/Tr.h"
#include "recordings/RecordingListText.h"

namespace {

wxString FromModel(const std::string& s) { return wxString::FromUTF8(s); }
std::string ToModel(const wxString& s) { return std::string(s.utf8_str()); }

// The five cells of a row, in column order.
std::vector<wxString> RowTexts(const Storage& rec) {
  return {FromModel(rec.GetTitle()), FromModel(ListDateText(rec.GetDateTime())),
          FromModel(ListTimeText(rec.GetDateTime())), FromModel(DurationText(rec)), FromModel(VolumeText(rec))};
}

// Scrolls the list just far enough to show the row. On GTK neither wx's EnsureVisible nor
// GTK's scroll_to_cell alone did it: GTK's scroll waits for a layout pass that does not come
// once the list has scrolled, and wx repeats the scroll at idle time for a row perhaps gone
// by then. So a laid-out row is scrolled to here, and GTK is asked as well for a row it has
// not laid out yet (a bogus area then leaves the position as it is).
void ScrollIntoView(wxDataViewListCtrl* list, int row) {
#ifdef __WXGTK__
  GtkTreeView* tree = GTK_TREE_VIEW(list->GtkGetTreeView());
  GtkAdjustment* scroll = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(tree));
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  GdkRectangle area{};
  gtk_tree_view_get_background_area(tree, path, nullptr, &area);
  int top = 0;
  gtk_tree_view_convert_bin_window_to_tree_coords(tree, 0, area.y, nullptr, &top);
  const double value = gtk_adjustment_get_value(scroll), page = gtk_adjustment_get_page_size(scroll);
  if (area.height > 0 && top < value)
    gtk_adjustment_set_value(scroll, top);
  else if (area.height > 0 && top + area.height > value + page)
    gtk_adjustment_set_value(scroll, top + area.height - page);
  gtk_tree_view_scroll_to_cell(tree, path, nullptr, FALSE, 0, 0);
  gtk_tree_path_free(path);
#else
  list->EnsureVisible(list->RowToItem(row));
#endif
}

}  // namespace

void MainFrame::SetUpRecordingList() {
  m_recordList->SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS).Bold()));
  // Chosen once from the unit known at start-up.
  const wxString headings[] = {Tr("Titel"), Tr("Datum"), Tr("Zeit"), Tr("Dauer"),
                               Tr(VolumeColumnHeading(g_flowUnitLitres))};
  const int widths[] = {80, 80, 80, 80, 150};
  for (int c = 0; c < 5; ++c)
    m_recordList->AppendTextColumn(headings[c], wxDATAVIEW_CELL_INERT, widths[c], wxALIGN_LEFT,
                                   wxDATAVIEW_COL_RESIZABLE);
}

void MainFrame::RefreshRecordingList() {
  m_syncingList = true;  // changing rows raises no selection the user made
  const unsigned rows = static_cast<unsigned>(m_recordings.size());
  if (static_cast<unsigned>(m_recordList->GetItemCount()) == rows) {
    // Same rows (a live tick, a new title): only changed cells are written, so the rows a
    // screen reader is on and the keyboard cursor stay where they are. The row is reported
    // changed as a whole: wx's per-cell notice only repaints, and the accessibility bus kept
    // the old text.
    for (unsigned r = 0; r < rows; ++r) {
      const std::vector<wxString> texts = RowTexts(m_recordings[r]);
      bool changed = false;
      for (unsigned c = 0; c < texts.size(); ++c)
        if (m_recordList->GetTextValue(r, c) != texts[c]) {
          m_recordList->GetStore()->SetValueByRow(wxVariant(texts[c]), r, c);
          changed = true;
        }
      if (changed) m_recordList->GetStore()->RowChanged(r);
    }
  } else {
    m_recordList->DeleteAllItems();
    for (unsigned r = 0; r < rows; ++r) {
      wxVector<wxVariant> values;
      for (const wxString& text : RowTexts(m_recordings[r])) values.push_back(wxVariant(text));
      m_recordList->AppendItem(values);
    }
  }
  m_syncingList = false;
  SyncListSelection();
}

void MainFrame::SyncListSelection() {
  const int shown = m_recordings.Shown();
  m_syncingList = true;
  if (shown >= 0 && shown < m_recordList->GetItemCount()) {
    const wxDataViewItem item = m_recordList->RowToItem(shown);
    // Single selection: selecting the row replaces any other highlight and moves the keyboard
    // cursor there too.
    m_recordList->Select(item);
    ScrollIntoView(m_recordList, shown);
  } else {
    m_recordList->UnselectAll();
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

void MainFrame::OnListItemSelected(wxDataViewEvent&) {
  if (m_syncingList) return;
  const int i = m_recordList->GetSelectedRow();
  if (i == wxNOT_FOUND) {
    OnListItemDeselected();
    return;
  }
  if (i >= static_cast<int>(m_recordings.size())) return;
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
void MainFrame::OnListItemDeselected() {
  CallAfter([this] { SyncListSelection(); });
}

void MainFrame::OnListItemActivated(wxDataViewEvent&) { OnChangeTitle(); }

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
