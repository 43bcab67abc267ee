// The recording list of the main window: rows, selection, editing and removal.
#include "RecordingsWindowSupport.h"

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

using namespace rectest;

namespace {

// A record with n samples at an interval and the given last volume.
Storage Timed(const std::string& dateTime, int n, int intervalMs, float lastVolume = 0) {
  Storage rec(dateTime, intervalMs, 1, false);
  rec.SetTitle("Speicher");
  for (int i = 0; i < n; ++i) rec.AppendSample(float(i + 1), 1, 1, i + 1 == n ? lastVolume : 0);
  return rec;
}

class RecordingListTest : public MainFrameTest {
 protected:
  void OpenWithThree() {
    Open();
    frame->m_recordings.Replace({MakeRecord("A", "1/01/2026 8:00:00", 20), MakeRecord("B", "2/01/2026 9:00:00", 30),
                           MakeRecord("C", "3/01/2026 10:00:00", 40)}, "", false);
    frame->RefreshRecordingList();
  }

  bool CommandsEnabled() const {
    return frame->m_removeButton->IsEnabled() && frame->m_titleButton->IsEnabled() &&
           frame->m_infoButton->IsEnabled() && frame->GetMenuBar()->IsEnabled(ID_EXPORT_CSV);
  }
  bool CommandsDisabled() const {
    return !frame->m_removeButton->IsEnabled() && !frame->m_titleButton->IsEnabled() &&
           !frame->m_infoButton->IsEnabled() && !frame->GetMenuBar()->IsEnabled(ID_EXPORT_CSV);
  }

  std::vector<std::string> Titles() const {
    std::vector<std::string> out;
    for (const Storage& r : frame->m_recordings) out.push_back(r.GetTitle());
    return out;
  }
};

}  // namespace

TEST_F(RecordingListTest, ColumnsAndRowTexts) {
  Open("1\n98\n0\n0\n");  // litres at start-up
  wxDataViewListCtrl* list = frame->m_recordList;
  const wxFont font = list->GetFont();
  EXPECT_EQ(font.GetPointSize(), 9);
  EXPECT_EQ(font.GetWeight(), wxFONTWEIGHT_BOLD);
  EXPECT_EQ(font.GetStyle(), wxFONTSTYLE_NORMAL);
  const char* headings[] = {"Titel", "Datum", "Zeit", "Dauer", "Volumen (L)"};
  const int widths[] = {80, 80, 80, 80, 150};
  ASSERT_EQ(list->GetColumnCount(), 5u);
  for (unsigned c = 0; c < 5; ++c) {
    EXPECT_EQ(list->GetColumn(c)->GetTitle(), headings[c]);
    EXPECT_EQ(list->GetColumn(c)->GetWidth(), widths[c]);
  }

  struct Case {
    Storage rec;
    const char *date, *time, *duration, *volume;
  };
  const Case cases[] = {
      {Timed("9/03/2016 8:05:30", 3600, 1000), "9/03/2016", "8:05:30", "01:00:00", "0"},
      {Timed("OhneLeerzeichen", 59, 1000), "OhneLeerzeichen", "", "00:59", "0"},
      {Timed("1/01/2026 0:00:00", 90, 500), "1/01/2026", "0:00:00", "00:45", "0"},
      {Timed("1/01/2026 0:00:00", 90000, 1000), "1/01/2026", "0:00:00", "01:00:00", "0"},
      {Timed("1/01/2026 0:00:00", 3, 1000, 12.9f), "1/01/2026", "0:00:00", "00:03", "12"},
      {Timed("1/01/2026 0:00:00", 0, 1000), "1/01/2026", "0:00:00", "00:00", "0"},
  };
  frame->m_recordings.Replace({}, "", false);
  for (const Case& c : cases) frame->m_recordings.Append(c.rec);
  frame->m_recordings[1].SetTitle("Küche 50%, Rohr");
  frame->RefreshRecordingList();
  ASSERT_EQ(list->GetItemCount(), 6);
  for (int r = 0; r < 6; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(Cell(list, r, 1), cases[r].date);
    EXPECT_EQ(Cell(list, r, 2), cases[r].time);
    EXPECT_EQ(Cell(list, r, 3), cases[r].duration);
    EXPECT_EQ(Cell(list, r, 4), cases[r].volume);
  }
  EXPECT_EQ(Cell(list, 1, 0), wxString::FromUTF8("Küche 50%, Rohr"));

  // Rebuilt from the set, not added to.
  while (frame->m_recordings.size() > 2) frame->m_recordings.Remove(2);
  frame->RefreshRecordingList();
  EXPECT_EQ(list->GetItemCount(), 2);
}

TEST_F(RecordingListTest, SelectionShowsTheRecordingUnfilteredAndEnablesCommands) {
  OpenWithThree();
  wxDataViewListCtrl* list = frame->m_recordList;
  EXPECT_EQ(list->GetColumn(4)->GetTitle(), "Volumen (G)");  // gallons in the settings file
  // A new set shows its newest recording, highlighted, with its commands.
  EXPECT_EQ(frame->m_recordings.Shown(), 0);
  EXPECT_TRUE(IsSelected(list, 0));
  EXPECT_TRUE(CommandsEnabled());

  frame->m_recordings[1].ApplyFilter(true, 2);
  frame->m_filterOn = true;
  ClickRow(list, 1);
  EXPECT_EQ(frame->m_recordings.Shown(), 1);
  EXPECT_FALSE(frame->m_recordings[1].IsFiltered());
  EXPECT_FALSE(frame->m_filterOn);
  EXPECT_TRUE(CommandsEnabled());

  // Taking the highlight away (a control-click on it) gives it back to the row on show.
  SetRowSelected(list, 1, false);
  EXPECT_TRUE(guitest::PumpUntil([&] { return IsSelected(list, 1); }));
  EXPECT_EQ(frame->m_recordings.Shown(), 1);
  EXPECT_TRUE(CommandsEnabled());

  // One row at a time: selecting another shows it, and only it stays highlighted.
  SetRowSelected(list, 2, true);
  EXPECT_EQ(list->GetSelectedItemsCount(), 1);
  EXPECT_EQ(frame->m_recordings.Shown(), 2);

  // During live reading its recording must stay last: selecting does not offer removal.
  frame->m_recordings.StartLive(MakeRecord("L", "4/01/2026 8:00:00", 0));
  ClickRow(list, 1);
  EXPECT_FALSE(frame->m_removeButton->IsEnabled());
  EXPECT_TRUE(frame->m_titleButton->IsEnabled());
  Command(ID_REMOVE_RECORDING);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"A", "B", "C", "L"}));
  frame->m_recordings.StopLive();
}

TEST_F(RecordingListTest, TitleEditing) {
  OpenWithThree();
  wxDataViewListCtrl* list = frame->m_recordList;
  ClickRow(list, 1);
  frame->m_recordings.MarkSaved();

  TextAnswer::Seen seen;
  wxTEST_DIALOG(Command(ID_CHANGE_TITLE), TextAnswer(wxString::FromUTF8("Küche"), wxID_OK, &seen));
  EXPECT_EQ(seen.caption, wxString::FromUTF8("Titel ändern"));
  EXPECT_EQ(seen.prompt, "B");
  EXPECT_EQ(seen.initial, "B");
  EXPECT_EQ(frame->m_recordings[1].GetTitle(), "Küche");
  EXPECT_EQ(Cell(list, 1, 0), wxString::FromUTF8("Küche"));
  EXPECT_FALSE(frame->m_recordings.IsSaved());
  EXPECT_EQ(frame->m_recordings.Shown(), 1);
  EXPECT_TRUE(IsSelected(list, 1));
  EXPECT_EQ(FocusedRow(list), 1);
  EXPECT_EQ(list->GetSelectedItemsCount(), 1);

  // An empty title becomes "-"; the activated row (double click, Enter) edits the title too.
  wxTEST_DIALOG(ActivateRow(list, 1), TextAnswer("", wxID_OK));
  EXPECT_EQ(frame->m_recordings[1].GetTitle(), "-");

  // Cancel changes nothing but the row stays chosen.
  frame->m_recordings.MarkSaved();
  wxTEST_DIALOG(Command(ID_CHANGE_TITLE), TextAnswer("egal", wxID_CANCEL));
  EXPECT_EQ(frame->m_recordings[1].GetTitle(), "-");
  EXPECT_TRUE(frame->m_recordings.IsSaved());
  EXPECT_TRUE(IsSelected(list, 1));
  EXPECT_EQ(FocusedRow(list), 1);

  // Too long for a work file: said so, and asked again with the typed text to shorten.
  const wxString tooLong(wxUniChar('x'), 199);
  wxString message;
  TextAnswer::Seen again;
  wxTEST_DIALOG(Command(ID_CHANGE_TITLE), TextAnswer(tooLong, wxID_OK), MessageAnswer(wxID_OK, &message),
                TextAnswer(wxString(wxUniChar('x'), 198), wxID_OK, &again));
  EXPECT_TRUE(message.Contains("198")) << message;
  EXPECT_EQ(again.initial, tooLong);
  EXPECT_EQ(frame->m_recordings[1].GetTitle(), std::string(198, 'x'));
}

TEST_F(RecordingListTest, InfoEditing) {
  OpenWithThree();
  frame->m_recordings[2].SetInfo("alt");
  ClickRow(frame->m_recordList, 2);
  frame->m_recordings.MarkSaved();

  TextAnswer::Seen seen;
  wxTEST_DIALOG(Command(ID_EDIT_INFO), TextAnswer("Hauptleitung", wxID_OK, &seen));
  EXPECT_EQ(seen.caption, "Weitere Informationen ..");
  EXPECT_EQ(seen.prompt, "alt");
  EXPECT_EQ(seen.initial, "alt");
  EXPECT_EQ(frame->m_recordings[2].GetInfo(), "Hauptleitung");
  EXPECT_FALSE(frame->m_recordings.IsSaved());

  // An empty entry keeps the information, yet counts as a change.
  frame->m_recordings.MarkSaved();
  wxTEST_DIALOG(Command(ID_EDIT_INFO), TextAnswer("", wxID_OK));
  EXPECT_EQ(frame->m_recordings[2].GetInfo(), "Hauptleitung");
  EXPECT_FALSE(frame->m_recordings.IsSaved());
  EXPECT_TRUE(IsSelected(frame->m_recordList, 2));
}

TEST_F(RecordingListTest, RemovalShowsTheNeighbour) {
  struct Case {
    int removed;
    std::vector<std::string> titles;
    int shownAfter;  // also the one highlighted row
  };
  const Case cases[] = {
      {0, {"B", "C"}, 0},  // the record that moves up into its place
      {1, {"A", "C"}, 1},
      {2, {"A", "B"}, 1},  // the last: the one before it
  };
  OpenWithThree();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.removed);
    frame->m_recordings.Replace({MakeRecord("A", "1/01/2026 8:00:00", 20), MakeRecord("B", "2/01/2026 9:00:00", 30),
                                 MakeRecord("C", "3/01/2026 10:00:00", 40)},
                                "", false);
    ClickRow(frame->m_recordList, c.removed);
    frame->m_recordings.MarkSaved();
    Command(ID_REMOVE_RECORDING);
    wxDataViewListCtrl* list = frame->m_recordList;
    EXPECT_EQ(Titles(), c.titles);
    EXPECT_EQ(Column(list, 0).size(), c.titles.size());
    EXPECT_FALSE(frame->m_recordings.IsSaved());
    EXPECT_EQ(list->GetSelectedItemsCount(), 1);
    EXPECT_TRUE(IsSelected(list, c.shownAfter));
    EXPECT_EQ(FocusedRow(list), c.shownAfter);
    EXPECT_EQ(frame->m_recordings.Shown(), c.shownAfter);
    EXPECT_TRUE(CommandsEnabled());
  }

  // The only record: the list ends empty, nothing is shown, the commands are off.
  frame->m_recordings.Replace({MakeRecord("A", "1/01/2026 8:00:00", 20)}, "", false);
  Command(ID_REMOVE_RECORDING);
  EXPECT_TRUE(frame->m_recordings.empty());
  EXPECT_EQ(frame->m_recordList->GetItemCount(), 0);
  EXPECT_EQ(frame->m_recordings.Shown(), -1);
  EXPECT_TRUE(CommandsDisabled());
}

TEST_F(RecordingListTest, RowOnShowIsScrolledIntoView) {
  Open();
  std::vector<Storage> many;
  for (int i = 0; i < 60; ++i) many.push_back(MakeRecord("R" + std::to_string(i), "1/01/2026 8:00:00", 5));
  frame->m_recordings.Replace(std::move(many), "", false);
  wxDataViewListCtrl* list = frame->m_recordList;
  const auto visible = [&](int row) {
    GtkTreePath *first = nullptr, *last = nullptr;
    if (!gtk_tree_view_get_visible_range(TreeOf(list), &first, &last)) return false;
    const bool in = gtk_tree_path_get_indices(first)[0] <= row && row <= gtk_tree_path_get_indices(last)[0];
    gtk_tree_path_free(first);
    gtk_tree_path_free(last);
    return in;
  };
  for (int row : {59, 0, 30}) {
    SCOPED_TRACE(row);
    frame->m_recordings.Show(row);
    EXPECT_TRUE(guitest::PumpUntil([&] { return visible(row); }));
    EXPECT_TRUE(IsSelected(list, row));
  }
  // Emptied while a scroll may still be pending.
  frame->m_recordings.Replace({}, "", false);
  guitest::Pump();
  EXPECT_EQ(list->GetItemCount(), 0);
}

// Real mouse clicks and keys, so the order of focus and selection events is the list's own.
TEST_F(RecordingListTest, MouseClicksOnRows) {
  OpenWithThree();
  frame->SetSize(1200, 800);
  guitest::PumpUntil([&] { return frame->GetSize() == wxSize(1200, 800); });
  Activate();
  guitest::Pump(10);
  wxDataViewListCtrl* list = frame->m_recordList;
  wxUIActionSimulator sim;
  // The list settles where the resized window put it before the pointer aims at it.
  wxRect placed;
  guitest::PumpUntil([&] {
    const wxRect now = list->GetScreenRect();
    const bool still = now == placed;
    placed = now;
    guitest::Pump();
    return still;
  });
  const auto moveTo = [&](int row) {
    const wxRect r = list->GetItemRect(list->RowToItem(row));
    ASSERT_FALSE(r.IsEmpty());
    const wxPoint p = list->ClientToScreen(wxPoint(r.x + 20, r.y + r.height / 2));
    sim.MouseMove(p);
    guitest::PumpUntil([&] { return wxGetMousePosition() == p; });
    guitest::Pump();
  };

  // A click the X server took before the window was ready is given again.
  for (int attempt = 0; attempt < 5 && frame->m_recordings.Shown() != 2; ++attempt) {
    moveTo(2);
    sim.MouseClick();
    guitest::PumpUntil([&] { return frame->m_recordings.Shown() == 2 && FocusedRow(list) == 2; }, 10000);
  }
  EXPECT_EQ(frame->m_recordings.Shown(), 2);
  EXPECT_EQ(FocusedRow(list), 2);
  EXPECT_EQ(list->GetSelectedItemsCount(), 1);
  EXPECT_TRUE(CommandsEnabled());

  // The arrow keys move the highlight, and the recording on show with it.
  sim.Char(WXK_UP);
  EXPECT_TRUE(guitest::PumpUntil([&] { return frame->m_recordings.Shown() == 1; }));
  EXPECT_EQ(FocusedRow(list), 1);
  sim.Char(WXK_DOWN);
  EXPECT_TRUE(guitest::PumpUntil([&] { return frame->m_recordings.Shown() == 2; }));
  EXPECT_EQ(list->GetSelectedItemsCount(), 1);
  EXPECT_TRUE(IsSelected(list, 2));

  // Control-click adds no second row: one row is highlighted, the one on show.
  moveTo(0);
  sim.KeyDown(WXK_CONTROL);
  sim.MouseClick();
  sim.KeyUp(WXK_CONTROL);
  EXPECT_TRUE(guitest::PumpUntil([&] { return frame->m_recordings.Shown() == 0; }));
  EXPECT_EQ(list->GetSelectedItemsCount(), 1);
  EXPECT_TRUE(IsSelected(list, 0));

  // Control-click on the row on show takes its highlight away; the list gives it back.
  int changes = 0;
  list->Bind(wxEVT_DATAVIEW_SELECTION_CHANGED, [&](wxDataViewEvent& e) {
    ++changes;
    e.Skip();
  });
  sim.KeyDown(WXK_CONTROL);
  sim.MouseClick();
  sim.KeyUp(WXK_CONTROL);
  EXPECT_TRUE(guitest::PumpUntil([&] { return changes > 0; }));
  EXPECT_TRUE(guitest::PumpUntil([&] { return IsSelected(list, 0); }));
  EXPECT_EQ(list->GetSelectedItemsCount(), 1);
  EXPECT_EQ(frame->m_recordings.Shown(), 0);
  EXPECT_TRUE(CommandsEnabled());

  // A double click edits the title of the clicked row.
  moveTo(1);
  sim.MouseClick();
  guitest::PumpUntil([&] { return frame->m_recordings.Shown() == 1 && list->GetSelectedItemsCount() == 1; });
  EXPECT_EQ(frame->m_recordings.Shown(), 1);
  wxTEST_DIALOG(
      {
        sim.MouseDblClick();
        guitest::Pump(10);
      },
      TextAnswer("Doppelklick", wxID_OK));
  EXPECT_EQ(frame->m_recordings[1].GetTitle(), "Doppelklick");
}
