// Everyday flows that replace, remove or close: from a start state, one action with the
// user's answers, then the end state. Nothing unsaved is lost without a question, a work
// file changes on disk only when the user saved, and every part of the window shows the
// same recording.
#include <wx/app.h>
#include <wx/button.h>
#include <wx/eventfilter.h>
#include <wx/progdlg.h>

#include <functional>

#include "RecordingsWindowSupport.h"
#include "exchange/WorkFile.h"
#include "plot/Plot.h"
#include "recordings/RecordingListText.h"

using namespace rectest;

namespace {

enum class Start { File, Edited, Live, Empty, One };

struct Flow {
  const char* name;
  Start start;
  std::function<void(class RecordingFlowsTest&)> act;
  std::vector<std::string> titles;  // rows afterwards
  int shown;                        // row on show, -1 none
  const char* windowTitle;          // nullptr: the window was closed
  bool fileChanged;                 // the work file on disk
};

class RecordingFlowsTest : public MainFrameTest {
 public:
  using MainFrameTest::Command;
  using MainFrameTest::dir;
  using MainFrameTest::frame;
  using MainFrameTest::logger;
  std::filesystem::path file;
  std::string fileBytes;

  void Prepare(Start start) {
    Open();
    frame->m_statusTimer.Stop();
    logger->LoadRecordings({LoggerRecording({2026, 3, 9, 8, 5, 30}, 100), LoggerRecording({2026, 3, 10, 14, 0, 0}, 10),
                            LoggerRecording({2026, 12, 1, 9, 7, 5}, 30)});
    file = dir / "vier.kdl";
    std::vector<Storage> four;
    for (const char* t : {"A", "B", "C", "D"}) four.push_back(MakeRecord(t, "1/01/2026 8:00:00", 20));
    ASSERT_TRUE(::WriteWorkFile(file.string(), four).ok);
    fileBytes = Bytes();
    switch (start) {
      case Start::File:
      case Start::Edited:
        ASSERT_TRUE(frame->ReadWorkFile(wxString::FromUTF8(file.string())));
        if (start == Start::Edited) frame->m_recordings.SetTitle(1, "B2");
        break;
      case Start::Live:
        Command(ID_LIVE_START);
        LiveTick();
        Command(ID_LIVE_STOP);
        ASSERT_GT(frame->m_recordings[0].GetSampleCount(), 0);
        break;
      case Start::One:
        frame->m_recordings.Replace({MakeRecord("A", "1/01/2026 8:00:00", 20)}, "", false);
        break;
      case Start::Empty:
        break;
    }
  }

  std::string Bytes() const { return ReadBytes(file); }

  // Three seconds of live reading arrive.
  void LiveTick() {
    logger->AdvanceMs(3000);
    wxTimerEvent tick(frame->m_liveTimer);
    frame->GetEventHandler()->ProcessEvent(tick);
  }

  // Downloads; the drop question (if any) and the save question are answered as given.
  void Download(std::optional<int> drop, int save = wxID_NO) {
    if (drop) {
      wxTEST_DIALOG(Command(ID_DOWNLOAD), wxExpectModal<wxMessageDialog>(*drop),
                    wxExpectModal<wxMessageDialog>(save).Optional());
    } else {
      wxTEST_DIALOG(Command(ID_DOWNLOAD), wxExpectModal<wxMessageDialog>(save));
    }
  }

  // Presses Cancel in the progress window as soon as it shows (the first event it handles).
  struct CancelProgress : wxEventFilter {
    bool done = false;
    int FilterEvent(wxEvent&) override {
      if (!done)
        for (wxWindow* w : wxTopLevelWindows)
          if (auto* p = dynamic_cast<wxGenericProgressDialog*>(w)) {
            done = true;
            wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
            cancel.SetEventObject(p);
            p->GetEventHandler()->ProcessEvent(cancel);
            break;
          }
      return Event_Skip;
    }
  };
  // Downloads with the drop question answered No, and cancels in the progress window.
  void DownloadCancelled() {
    CancelProgress filter;
    frame->m_progressDelayMs = 0;  // a download this short would end before the window shows
    wxEvtHandler::AddFilter(&filter);
    wxTEST_DIALOG(Command(ID_DOWNLOAD), wxExpectModal<wxMessageDialog>(wxID_NO));
    wxEvtHandler::RemoveFilter(&filter);
    EXPECT_TRUE(filter.done);
  }

  void Close(int answer, std::optional<wxString> saveAs = std::nullopt) {
    if (saveAs) {
      wxTEST_DIALOG(frame->Close(), wxExpectModal<wxMessageDialog>(answer), FileAnswer(*saveAs));
    } else {
      wxTEST_DIALOG(frame->Close(), wxExpectModal<wxMessageDialog>(answer));
    }
    guitest::Pump();
  }

  std::vector<std::string> Titles() const {
    std::vector<std::string> out;
    for (const Storage& r : frame->m_recordings) out.push_back(r.GetTitle());
    return out;
  }

  // Every view of the set tells of the same recording.
  void ExpectOneRecordingEverywhere() {
    wxDataViewListCtrl* list = frame->m_recordList;
    const int shown = frame->m_recordings.Shown();
    const bool any = shown >= 0;
    ASSERT_EQ(list->GetItemCount(), static_cast<int>(frame->m_recordings.size()));
    // Rows of the same count are written over in place: every cell must follow its recording.
    for (int r = 0; r < list->GetItemCount(); ++r) {
      const Storage& rec = frame->m_recordings[static_cast<size_t>(r)];
      const std::string texts[] = {rec.GetTitle(), ListDateText(rec.GetDateTime()), ListTimeText(rec.GetDateTime()),
                                   DurationText(rec), VolumeText(rec)};
      for (int c = 0; c < 5; ++c) EXPECT_EQ(Cell(list, r, c), wxString::FromUTF8(texts[c])) << "row " << r;
      EXPECT_EQ(IsSelected(list, r), r == shown) << "row " << r;
    }
    // The keyboard goes on from the row on show.
    if (any) {
      EXPECT_EQ(FocusedRow(list), shown);
    }
    EXPECT_EQ(frame->m_titleButton->IsEnabled(), any);
    EXPECT_EQ(frame->m_infoButton->IsEnabled(), any);
    EXPECT_EQ(frame->m_removeButton->IsEnabled(), any && !frame->IsLive());
    const wxString plotTitle =
        any ? wxString::FromUTF8(frame->m_recordings[static_cast<size_t>(shown)].GetTitle() + " " +
                                 frame->m_recordings[static_cast<size_t>(shown)].GetDateTime())
            : wxString();
    EXPECT_EQ(frame->m_flowSeries->GetName(), plotTitle);
    EXPECT_EQ(frame->m_flowSeries->PointCount(),
              any ? static_cast<size_t>(frame->m_recordings[static_cast<size_t>(shown)].GetSampleCount()) : 0u);
  }
};

const std::vector<std::string> kFile{"A", "B", "C", "D"}, kEdited{"A", "B2", "C", "D"},
    kLogger{"Speicher", "Speicher", "Speicher"}, kLive{"Verbunden"};

TEST_F(RecordingFlowsTest, Table) {
  using T = RecordingFlowsTest;
  const Flow flows[] = {
      // Downloads.
      {"saved file, download: the set leaves the file", Start::File, [](T& t) { t.Download(std::nullopt); }, kLogger, 0,
       "Unbennant *", false},
      {"saved file, download of as many: every cell is written over",
       Start::File,
       [](T& t) {
         t.logger->LoadRecordings(
             {LoggerRecording({2026, 3, 9, 8, 5, 30}, 100), LoggerRecording({2026, 3, 10, 14, 0, 0}, 10, 250),
              LoggerRecording({2026, 11, 2, 23, 59, 58}, 4000), LoggerRecording({2026, 12, 1, 9, 7, 5}, 30, 7)});
         t.Download(std::nullopt);
       },
       {"Speicher", "Speicher", "Speicher", "Speicher"},
       0,
       "Unbennant *",
       false},
      {"saved file, empty logger",
       Start::File,
       [](T& t) {
         t.logger->LoadRecordings({});
         t.Download(std::nullopt);
       },
       {},
       -1,
       "Unbennant",
       false},
      {"edits, download, Cancel", Start::Edited, [](T& t) { t.Download(wxID_CANCEL); }, kEdited, 0, "vier.kdl *",
       false},
      {"edits, download, save first", Start::Edited, [](T& t) { t.Download(wxID_YES); }, kLogger, 0, "Unbennant *",
       true},
      {"edits, download, discard", Start::Edited, [](T& t) { t.Download(wxID_NO); }, kLogger, 0, "Unbennant *", false},
      {"edits, download fails", Start::Edited,
       [](T& t) {
         t.logger->FailTransfer(6);
         wxTEST_DIALOG(t.Command(ID_DOWNLOAD), wxExpectModal<wxMessageDialog>(wxID_NO));
         EXPECT_FALSE(guitest::LogCapture::Get().Errors().empty());
       },
       kEdited, 0, "vier.kdl *", false},
      {"edits, download cancelled", Start::Edited,
       [](T& t) {
         t.frame->m_recordings.Show(2);
         t.DownloadCancelled();
       },
       kEdited, 2, "vier.kdl *", false},
      {"live recording, download, Cancel", Start::Live, [](T& t) { t.Download(wxID_CANCEL); }, kLive, 0, "Unbennant *",
       false},
      // Live reading adds a row behind the file's, and its cells follow the samples.
      {"saved file, live recording",
       Start::File,
       [](T& t) {
         t.Command(ID_LIVE_START);
         for (int tick = 0; tick < 2; ++tick) {
           t.LiveTick();
           EXPECT_GT(t.frame->m_recordings[4].GetSampleCount(), 0);
           t.ExpectOneRecordingEverywhere();
         }
         t.Command(ID_LIVE_STOP);
       },
       {"A", "B", "C", "D", "Verbunden"},
       4,
       "vier.kdl *",
       false},
      // Opening.
      {"edits, open, Cancel", Start::Edited,
       [](T& t) { wxTEST_DIALOG(t.Command(ID_OPEN, wxEVT_MENU), wxExpectModal<wxMessageDialog>(wxID_CANCEL)); },
       kEdited, 0, "vier.kdl *", false},
      {"edits, open the same file, discard", Start::Edited,
       [](T& t) {
         wxTEST_DIALOG(t.Command(ID_OPEN, wxEVT_MENU), wxExpectModal<wxMessageDialog>(wxID_NO),
                       FileAnswer(wxString::FromUTF8(t.file.string())));
       },
       kFile, 0, "vier.kdl", false},
      // Removing.
      {"remove the first",
       Start::File,
       [](T& t) { t.Command(ID_REMOVE_RECORDING); },
       {"B", "C", "D"},
       0,
       "vier.kdl *",
       false},
      {"remove a middle one",
       Start::File,
       [](T& t) {
         ClickRow(t.frame->m_recordList, 2);
         t.Command(ID_REMOVE_RECORDING);
       },
       {"A", "B", "D"},
       2,
       "vier.kdl *",
       false},
      {"remove the last",
       Start::File,
       [](T& t) {
         ClickRow(t.frame->m_recordList, 3);
         t.Command(ID_REMOVE_RECORDING);
       },
       {"A", "B", "C"},
       2,
       "vier.kdl *",
       false},
      {"remove the only one", Start::One, [](T& t) { t.Command(ID_REMOVE_RECORDING); }, {}, -1, "Unbennant", false},
      // Renaming edits the highlighted row, after a removal too.
      {"remove the last, then rename",
       Start::File,
       [](T& t) {
         ClickRow(t.frame->m_recordList, 3);
         t.Command(ID_REMOVE_RECORDING);
         wxTEST_DIALOG(t.Command(ID_CHANGE_TITLE), TextAnswer("Neu", wxID_OK));
       },
       {"A", "B", "Neu"},
       2,
       "vier.kdl *",
       false},
      // Closing.
      {"edits, close, Cancel", Start::Edited, [](T& t) { t.Close(wxID_CANCEL); }, kEdited, 0, "vier.kdl *", false},
      {"edits, close, No", Start::Edited, [](T& t) { t.Close(wxID_NO); }, {}, -1, nullptr, false},
      {"edits, close, Yes saves", Start::Edited, [](T& t) { t.Close(wxID_YES); }, {}, -1, nullptr, true},
      {"live recording, close, Yes asks for a name",
       Start::Live,
       [](T& t) { t.Close(wxID_YES, wxString::FromUTF8((t.dir / "neu").string())); },
       {},
       -1,
       nullptr,
       false},
  };
  for (const Flow& f : flows) {
    SCOPED_TRACE(f.name);
    Prepare(f.start);
    guitest::LogCapture::Get().Clear();
    f.act(*this);
    EXPECT_EQ(Bytes() != fileBytes, f.fileChanged);
    if (!f.windowTitle) {
      EXPECT_FALSE(frame) << "the window stays open";
    } else {
      ASSERT_TRUE(frame);
      EXPECT_EQ(Titles(), f.titles);
      EXPECT_EQ(frame->m_recordings.Shown(), f.shown);
      EXPECT_EQ(frame->GetTitle(), f.windowTitle);
      ExpectOneRecordingEverywhere();
      // "Speichern" after a download asks for a name: the file it came from stays as it was.
      if (frame->m_recordings.WorkFilePath().empty()) {
        wxTEST_DIALOG(Command(ID_SAVE), FileAnswer("", wxID_CANCEL));
        EXPECT_EQ(Bytes() != fileBytes, f.fileChanged);
      }
    }
    if (f.start == Start::Live && !frame) {
      EXPECT_TRUE(std::filesystem::exists(dir / "neu.kdl"));
    }
    if (frame) {
      frame->m_recordings.MarkSaved();
      frame->Destroy();
      guitest::Pump();
    }
    CloseTopLevelWindows();
  }
}

}  // namespace
