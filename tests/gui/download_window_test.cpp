// Downloading the logger's recordings into the main window, against the simulated logger.
#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/evtloop.h>
#include <wx/progdlg.h>

#include "RecordingsWindowSupport.h"
#include "device/LoggerInfo.h"
#include "recordings/LoggerMemory.h"

using namespace rectest;

namespace {

class DownloadTest : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    Open();
    frame->m_statusTimer.Stop();   // keeps the request log to the download's own transfers
    frame->m_progressDelayMs = 0;  // the progress window at the first chunk read
    // Oldest first, as the logger stores them.
    ASSERT_TRUE(logger->LoadRecordings({LoggerRecording({2026, 3, 9, 8, 5, 30}, 100),
                                        LoggerRecording({2026, 3, 10, 14, 0, 0}, 10, 100, 300, 2),
                                        LoggerRecording({2026, 12, 1, 9, 7, 5}, 3600)}));
  }

  // A set already on screen, which failed downloads must leave alone.
  void ShowOldSet() {
    frame->m_recordings.Replace({MakeRecord("alt", "1/01/2026 0:00:00", 5)}, "", false);
    frame->RefreshRecordingList();
    frame->m_recordings.MarkSaved();
  }

  void ExpectOldSetKept() {
    ASSERT_EQ(frame->m_recordings.size(), 1u);
    EXPECT_EQ(frame->m_recordings[0].GetTitle(), "alt");
    EXPECT_EQ(Column(frame->m_recordList, 0), std::vector<wxString>{"alt"});
    EXPECT_TRUE(frame->m_recordings.IsSaved());
  }

  // Downloads and answers "No" to the save question.
  void DownloadNoSave() { wxTEST_DIALOG(Command(ID_DOWNLOAD), wxExpectModal<wxMessageDialog>(wxID_NO)); }
};

// Notes the save question and whether the progress window is still open behind it.
class SaveQuestion : public wxExpectModalBase<wxMessageDialog, SaveQuestion> {
 public:
  struct Seen {
    wxString message, caption, progressTitle;
  };
  SaveQuestion(int id, Seen* seen) : m_id(id), m_seen(seen) {}

 protected:
  int OnInvoked(wxMessageDialog* dlg) const override {
    m_seen->message = dlg->GetMessage();
    m_seen->caption = dlg->GetTitle();
    for (wxWindow* w : wxTopLevelWindows)
      if (dynamic_cast<wxGenericProgressDialog*>(w) && w->IsShown()) m_seen->progressTitle = w->GetLabel();
    return m_id;
  }

 private:
  int m_id;
  Seen* m_seen;
};

}  // namespace

TEST_F(DownloadTest, RecordsInTableOrderWithBlockValues) {
  struct Case {
    int firmware;
    uint32_t blockLength;
    int recordSerial;
    int globalSerialAfter;  // g_serialNumber was 99 before
  };
  for (const Case& c : {Case{0x0403, 41, 4711, 4711}, Case{0x0402, 21, 0, 99}}) {
    SCOPED_TRACE(c.firmware);
    logger->SetFirmwareVersion(c.firmware);
    ASSERT_TRUE(logger->LoadRecordings({LoggerRecording({2026, 3, 9, 8, 5, 30}, 100),
                                        LoggerRecording({2026, 3, 10, 14, 0, 0}, 10, 100, 300, 2),
                                        LoggerRecording({2026, 12, 1, 9, 7, 5}, 3600)}));
    g_serialNumber = 99;
    g_flowUnitLitres = 0;
    g_pressureUnit = 'p';
    frame->m_recordings.MarkSaved();
    logger->ClearLog();
    SaveQuestion::Seen seen;
    wxTEST_DIALOG(Command(ID_DOWNLOAD), SaveQuestion(wxID_NO, &seen));

    EXPECT_EQ(seen.caption, "Save new data?");
    EXPECT_EQ(seen.message, "Save files to computer drive?");
    EXPECT_EQ(seen.progressTitle, "Laden");
    EXPECT_FALSE(frame->m_recordings.IsSaved());
    EXPECT_EQ(g_firmwareVersion, c.firmware);
    EXPECT_EQ(g_serialNumber, c.globalSerialAfter);
    EXPECT_EQ(g_flowUnitLitres, 1);
    EXPECT_EQ(g_pressureUnit, 'b');

    // Three reads: the block, the table and exactly the used sample area.
    const uint32_t L = c.blockLength;
    const uint32_t end = L + 3 * 3710 + 2;
    const std::vector<std::pair<uint32_t, uint32_t>> reads{{0, L}, {TocAddress(3), 27}, {L, end - L}};
    EXPECT_EQ(MemoryReads(logger->Log()), reads);

    // The most recent recording first.
    wxDataViewListCtrl* list = frame->m_recordList;
    EXPECT_EQ(Column(list, 0), (std::vector<wxString>{"Speicher", "Speicher", "Speicher"}));
    EXPECT_EQ(Column(list, 1), (std::vector<wxString>{"1/12/2026", "10/03/2026", "9/03/2026"}));
    EXPECT_EQ(Column(list, 2), (std::vector<wxString>{"9:07:05", "14:00:00", "8:05:30"}));
    EXPECT_EQ(Column(list, 3), (std::vector<wxString>{"01:00:00", "00:10", "01:40"}));
    ASSERT_EQ(frame->m_recordings.size(), 3u);
    const int counts[] = {3600, 10, 100};
    for (int k = 0; k < 3; ++k) {
      const Storage& rec = frame->m_recordings[k];
      EXPECT_EQ(rec.GetSampleCount(), counts[k]);
      EXPECT_EQ(rec.GetSerialNumber(), c.recordSerial);
      EXPECT_EQ(rec.GetIntervalMs(), 1000);
      EXPECT_EQ(rec.GetPressureUnit(), 'b');
      EXPECT_EQ(rec.GetFlowUnitLitres(), 1);
      EXPECT_FLOAT_EQ(rec.GetSample(2).time, 3.0f);
      EXPECT_EQ(Cell(list, k, 4), std::to_string(rec.GetTotalVolume()));
    }
    EXPECT_EQ(frame->m_recordings[0].GetMemoryEnd(), end);
  }
}

// The progress window shows once the download has run longer than the delay; until then the
// download yields to no event loop, so nothing else can start. (The question's hook runs no
// loop of its own, so every yield counted here is the download's.)
TEST_F(DownloadTest, ProgressWindowOnlyAfterTheDelay) {
  struct CountingLoop : wxGUIEventLoop {
    int yields = 0;

   protected:
    void DoYieldFor(long eventsToProcess) override {
      ++yields;
      wxGUIEventLoop::DoYieldFor(eventsToProcess);
    }
  };
  struct Case {
    int delayMs;
    const char* progressTitle;
    bool yielded;
  };
  for (const Case& c : {Case{0, "Laden", true}, Case{60 * 60 * 1000, "", false}}) {
    SCOPED_TRACE(c.delayMs);
    frame->m_progressDelayMs = c.delayMs;
    frame->m_recordings.MarkSaved();
    CountingLoop loop;
    SaveQuestion::Seen seen;
    {
      wxEventLoopActivator active(&loop);
      wxTEST_DIALOG(Command(ID_DOWNLOAD), SaveQuestion(wxID_NO, &seen));
    }
    EXPECT_EQ(seen.caption, "Save new data?");
    EXPECT_EQ(seen.progressTitle, c.progressTitle);
    EXPECT_EQ(loop.yields > 0, c.yielded);
    EXPECT_EQ(frame->m_recordings.size(), 3u);
    EXPECT_TRUE(frame->IsEnabled());
  }
}

TEST_F(DownloadTest, EmptyLoggerEmptiesTheSetAndStillAsks) {
  ShowOldSet();
  logger->LoadRecordings({});
  logger->ClearLog();
  wxString caption;
  wxTEST_DIALOG(Command(ID_DOWNLOAD), MessageAnswer(wxID_NO, nullptr, &caption));
  EXPECT_EQ(caption, "Save new data?");
  EXPECT_TRUE(frame->m_recordings.empty());
  EXPECT_EQ(frame->m_recordList->GetItemCount(), 0);
  EXPECT_FALSE(frame->m_recordings.IsSaved());
  EXPECT_EQ(MemoryReads(logger->Log()).size(), 1u);  // the block only
}

TEST_F(DownloadTest, FailedReadLeavesTheOldSet) {
  // Where the table and the sample area reads start in an undisturbed download.
  logger->ClearLog();
  DownloadNoSave();
  const auto log = logger->Log();
  const int tableRead = TransferReading(log, TocAddress(3));
  const int sampleRead = TransferReading(log, 41);
  ASSERT_GT(tableRead, 0);
  ASSERT_GT(sampleRead, tableRead);

  struct Case {
    const char* what;
    int failTransfer;  // 0: stall every memory read
    uint8_t errorCode;
    const char* message;
  };
  const Case cases[] = {
      {"block", 0, 0, "USB-Verbindung fehlgeschlagen"},
      {"table", tableRead, 0, "USB-Verbindung fehlgeschlagen"},
      {"samples", sampleRead, 0, "USB-Verbindung fehlgeschlagen"},
      {"samples, with a code", sampleRead + 3, 6, "Lesen fehlgeschlagen Fehlercode: 6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ShowOldSet();
    logger->ClearFaults();
    logger->SetErrorCode(c.errorCode);
    guitest::LogCapture::Get().Clear();
    if (c.failTransfer)
      logger->FailTransfer(c.failTransfer);
    else
      logger->StallRequest(23);
    Command(ID_DOWNLOAD);  // no question may follow
    EXPECT_EQ(guitest::LogCapture::Get().Errors(), std::vector<wxString>{c.message});
    ExpectOldSetKept();
  }
  logger->ClearFaults();
}

TEST_F(DownloadTest, InconsistentTableIsRefusedWithoutReadingSamples) {
  struct Case {
    const char* what;
    uint32_t entry0End;    // 0: keep
    uint16_t fileCount;    // 0: keep
    size_t readsExpected;  // block, table
  };
  const Case cases[] = {
      {"ends inside the table", 0x1FFF0, 0, 2},
      {"ends before its start", 30, 0, 2},
      {"ends below the block", 5, 0, 2},
      {"table larger than the memory", 0, 0xFFFF, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(logger->LoadRecordings(
        {LoggerRecording({2026, 3, 9, 8, 5, 30}, 100), LoggerRecording({2026, 3, 10, 14, 0, 0}, 10)}));
    if (c.entry0End)
      logger->WriteMemory(TocAddress(2) + 6, {static_cast<uint8_t>(c.entry0End), static_cast<uint8_t>(c.entry0End >> 8),
                                              static_cast<uint8_t>(c.entry0End >> 16)});
    if (c.fileCount) {
      logger->SetBlockByte(2, c.fileCount & 0xFF);
      logger->SetBlockByte(3, c.fileCount >> 8);
    }
    ShowOldSet();
    guitest::LogCapture::Get().Clear();
    logger->ClearLog();
    Command(ID_DOWNLOAD);
    const auto errors = guitest::LogCapture::Get().Errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].StartsWith(wxString::FromUTF8("Inhaltsverzeichnis des Gerätespeichers fehlerhaft")))
        << errors[0];
    EXPECT_EQ(MemoryReads(logger->Log()).size(), c.readsExpected);
    ExpectOldSetKept();
  }
}

TEST_F(DownloadTest, ClearingIsOfferedOnlyAfterASuccessfulSave) {
  const auto clears = [&] {
    int n = 0;
    for (const auto& t : logger->Log()) n += t.request == 13;
    return n;
  };
  // Save question answered Yes, then the file dialog cancelled.
  wxTEST_DIALOG(Command(ID_DOWNLOAD), wxExpectModal<wxMessageDialog>(wxID_YES), FileAnswer("", wxID_CANCEL));
  EXPECT_FALSE(frame->m_recordings.IsSaved());
  EXPECT_TRUE(frame->WorkFilePath().empty());

  // A file that cannot be written: reported, and still no clearing offered. (The unsaved
  // recordings of the last download are dropped first, answered No to saving them.)
  guitest::LogCapture::Get().Clear();
  wxTEST_DIALOG(Command(ID_DOWNLOAD), wxExpectModal<wxMessageDialog>(wxID_NO), wxExpectModal<wxMessageDialog>(wxID_YES),
                FileAnswer("/proc/vrx-cannot-write"));
  EXPECT_EQ(guitest::LogCapture::Get().Errors().size(), 1u);
  EXPECT_FALSE(frame->m_recordings.IsSaved());
  EXPECT_EQ(clears(), 0);
  EXPECT_EQ(logger->BlockWord(2), 3);

  // Saved: the clearing is offered; cancelling it keeps the logger's memory.
  const wxString path = wxString::FromUTF8((dir / "logger").string());
  wxTEST_DIALOG(Command(ID_DOWNLOAD), wxExpectModal<wxMessageDialog>(wxID_NO), wxExpectModal<wxMessageDialog>(wxID_YES),
                FileAnswer(path), wxExpectModal<wxMessageDialog>(wxID_CANCEL));
  EXPECT_TRUE(frame->m_recordings.IsSaved());
  EXPECT_TRUE(std::filesystem::exists(dir / "logger.kdl"));
  EXPECT_EQ(frame->GetTitle(), "logger.kdl");
  EXPECT_EQ(logger->BlockWord(2), 3);

  // Saved again and the clearing confirmed: the logger is cleared.
  wxTEST_DIALOG(Command(ID_DOWNLOAD), wxExpectModal<wxMessageDialog>(wxID_YES), FileAnswer(path + ".kdl"),
                wxExpectModal<wxMessageDialog>(wxID_OK));
  EXPECT_EQ(logger->BlockWord(2), 0);
  EXPECT_EQ(clears(), 1);
  EXPECT_EQ(frame->m_recordings.size(), 3u);
}

// The window as a user sees it after a download, a recording chosen (for looking at).
TEST_F(DownloadTest, ScreenshotAfterDownload) {
  DownloadNoSave();
  frame->SetSize(1200, 800);
  guitest::Pump();
  ClickRow(frame->m_recordList, 1);
  for (int i = 0; i < 10; ++i) {  // lets GTK repaint the re-enabled buttons before the capture
    guitest::Pump();
    wxMilliSleep(20);
  }
  EXPECT_EQ(frame->m_recordings.Shown(), 1);
  EXPECT_TRUE(frame->IsEnabled());
  EXPECT_TRUE(frame->m_removeButton->IsEnabled());
  EXPECT_TRUE(frame->m_removeButton->IsThisEnabled());
  const wxBitmap shot = guitest::Capture(frame);
  ASSERT_TRUE(guitest::SavePng(shot, "/tmp/list.png"));
  // Every column shows its whole heading and cells.
  wxDataViewListCtrl* list = frame->m_recordList;
  wxClientDC dc(list);
  dc.SetFont(list->GetFont());
  for (unsigned col = 0; col < list->GetColumnCount(); ++col) {
    const wxString heading = list->GetColumn(col)->GetTitle();
    int widest = dc.GetTextExtent(heading).x;
    for (const wxString& cell : Column(list, static_cast<int>(col)))
      widest = std::max(widest, dc.GetTextExtent(cell).x);
    EXPECT_LT(widest, list->GetColumn(col)->GetWidth()) << heading;
  }
}
