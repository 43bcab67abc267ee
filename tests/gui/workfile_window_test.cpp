// Opening and saving work files from the main window, through its file dialogs.
#include "RecordingsWindowSupport.h"
#include "device/LoggerInfo.h"

using namespace rectest;

namespace {

class WorkFileWindowTest : public MainFrameTest {
 protected:
  void OpenWithTwo() {
    Open();
    Storage gallons = MakeRecord("Garten", "2/01/2026 9:00:00", 3);
    gallons.SetFlowUnitLitres(0);
    gallons.SetPressureUnit('p');
    gallons.SetInfo("Schlauch");
    frame->m_recordings.Replace({MakeRecord("Küche", "1/01/2026 8:00:00", 2), gallons}, "", false);
    frame->RefreshRecordingList();
  }
  wxString PathIn(const std::string& name) const { return wxString::FromUTF8((dir / name).string()); }

  struct Snapshot {
    std::vector<std::string> titles;
    int rows;
    bool saved;
    wxString workFile, windowTitle;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Take() const {
    Snapshot s{{}, frame->m_recordList->GetItemCount(), frame->m_recordings.IsSaved(), frame->WorkFilePath(), frame->GetTitle()};
    for (const Storage& r : frame->m_recordings) s.titles.push_back(r.GetTitle());
    return s;
  }
};

}  // namespace

TEST_F(WorkFileWindowTest, SaveAsSaveAndOpenRoundTrip) {
  OpenWithTwo();
  FileDialogSeen seen;
  wxTEST_DIALOG(Command(ID_SAVE_AS, wxEVT_MENU), FileAnswer(PathIn("arbeit"), wxID_OK, &seen));
  EXPECT_EQ(seen.message, "Vorgang abspeichern");
  EXPECT_EQ(seen.wildcard, "VRX Dateien|*.kdl");
  EXPECT_TRUE(seen.style & wxFD_SAVE);
  EXPECT_TRUE(seen.style & wxFD_OVERWRITE_PROMPT);
  const std::filesystem::path file = dir / "arbeit.kdl";
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_TRUE(ReadBytes(file).starts_with("430000\r\n2\r\nK\xFC" "che\r\n1/01/2026 8:00:00\r\n\r\n"));
  EXPECT_EQ(frame->GetTitle(), "arbeit.kdl");  // the file's name as it is on disk
  EXPECT_EQ(frame->WorkFilePath(), PathIn("arbeit.kdl"));
  EXPECT_TRUE(frame->m_recordings.IsSaved());

  // Plain save goes to the same file without a dialog.
  frame->m_recordings.SetTitle(0, "Bad");
  EXPECT_EQ(frame->GetTitle(), "arbeit.kdl *");
  Command(ID_SAVE);
  EXPECT_EQ(frame->GetTitle(), "arbeit.kdl");
  EXPECT_TRUE(frame->m_recordings.IsSaved());
  EXPECT_TRUE(ReadBytes(file).starts_with("430000\r\n2\r\nBad\r\n"));

  // Opened (button "Öffnen"): the file's set replaces the one on screen.
  frame->m_recordings.Replace({}, "", false);
  g_flowUnitLitres = 1;
  g_pressureUnit = 'b';
  seen = {};
  wxTEST_DIALOG(Command(ID_OPEN_BUTTON), FileAnswer(PathIn("arbeit.kdl"), wxID_OK, &seen));
  EXPECT_EQ(seen.message, wxString::FromUTF8("KDL VRX-Vorgang öffnen"));
  EXPECT_EQ(seen.wildcard, "KDL Dateien (*.kdl)|*.kdl");
  EXPECT_TRUE(seen.style & wxFD_OPEN);
  ASSERT_EQ(frame->m_recordings.size(), 2u);
  EXPECT_EQ(frame->m_recordings[0].GetTitle(), "Bad");
  EXPECT_EQ(frame->m_recordings[1].GetInfo(), "Schlauch");
  EXPECT_EQ(frame->m_recordings[1].GetSampleCount(), 3);
  EXPECT_EQ(Column(frame->m_recordList, 0), (std::vector<wxString>{"Bad", "Garten"}));
  EXPECT_EQ(frame->GetTitle(), "arbeit.kdl");
  EXPECT_EQ(frame->WorkFilePath(), PathIn("arbeit.kdl"));
  EXPECT_TRUE(frame->m_recordings.IsSaved());
  // The window's units are now those of the file's last recording.
  EXPECT_EQ(g_flowUnitLitres, 0);
  EXPECT_EQ(g_pressureUnit, 'p');

  // The menu item opens the same way; cancelled, nothing changes.
  const Snapshot before = Take();
  wxTEST_DIALOG(Command(ID_OPEN, wxEVT_MENU), FileAnswer("", wxID_CANCEL));
  EXPECT_EQ(Take(), before);
}

TEST_F(WorkFileWindowTest, ExtensionRulesAndOverwriteQuestion) {
  OpenWithTwo();
  // A name holding ".kdl" anywhere is taken as it stands.
  wxTEST_DIALOG(Command(ID_SAVE_AS, wxEVT_MENU), FileAnswer(PathIn("arbeit.kdl.old")));
  EXPECT_TRUE(std::filesystem::exists(dir / "arbeit.kdl.old"));
  EXPECT_FALSE(std::filesystem::exists(dir / "arbeit.kdl.old.kdl"));
  EXPECT_EQ(frame->GetTitle(), "arbeit.kdl.old");

  // "arbeit" when arbeit.kdl exists: the dialog could not ask, so the window does.
  std::ofstream(dir / "arbeit.kdl") << "fremd";
  frame->m_recordings.SetInfo(0, "geändert");
  wxString question;
  wxTEST_DIALOG(Command(ID_SAVE_AS, wxEVT_MENU), FileAnswer(PathIn("arbeit")), MessageAnswer(wxID_NO, &question));
  EXPECT_TRUE(question.Contains("arbeit.kdl")) << question;
  EXPECT_EQ(ReadBytes(dir / "arbeit.kdl"), "fremd");
  EXPECT_FALSE(frame->m_recordings.IsSaved());
  EXPECT_EQ(frame->WorkFilePath(), PathIn("arbeit.kdl.old"));

  wxTEST_DIALOG(Command(ID_SAVE_AS, wxEVT_MENU), FileAnswer(PathIn("arbeit")), wxExpectModal<wxMessageDialog>(wxID_YES));
  EXPECT_TRUE(ReadBytes(dir / "arbeit.kdl").starts_with("430000\r\n"));
  EXPECT_EQ(frame->WorkFilePath(), PathIn("arbeit.kdl"));
}

TEST_F(WorkFileWindowTest, SaveWithoutFileCancelledWritesNothing) {
  OpenWithTwo();
  for (bool saved : {false, true}) {
    if (saved)
      frame->m_recordings.MarkSaved();
    else
      frame->m_recordings.SetInfo(0, "geändert");
    wxTEST_DIALOG(Command(ID_SAVE), FileAnswer("", wxID_CANCEL));
    EXPECT_EQ(frame->m_recordings.IsSaved(), saved);
    EXPECT_TRUE(frame->WorkFilePath().empty());
  }
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    EXPECT_EQ(entry.path().filename(), "vrxv43.ini");
}

TEST_F(WorkFileWindowTest, UnreadableFilesAreRefusedAndChangeNothing) {
  OpenWithTwo();
  frame->m_recordings.MarkSaved(std::string(PathIn("vorher.kdl").utf8_str()));
  std::ofstream(dir / "kaputt.kdl") << "430000\r\n1\r\nTitel\r\n1/01/2026 8:00:00\r\n\r\n0\r\nabc\r\n";
  std::ofstream(dir / "kurz.kdl") << "430000\r\n2\r\nTitel\r\n1/01/2026 8:00:00\r\n\r\n0\r\n1000\r\n98\r\n1\r\n0\r\n1\r\n";
  struct Case {
    const char* file;
    const char* error;  // the message after the file's name
  };
  for (const Case& c : {Case{"kaputt.kdl", "“ ist keine gültige Arbeitsdatei: in Zeile 7 "},
                        Case{"kurz.kdl", "“ ist keine gültige Arbeitsdatei: die Datei endet vor Zeile "},
                        Case{"fehlt.kdl", "“ kann nicht geöffnet werden: die Datei existiert nicht."}}) {
    SCOPED_TRACE(c.file);
    const Snapshot before = Take();
    guitest::LogCapture::Get().Clear();
    // The open dialog offers only existing files; a file gone since is read directly.
    if (std::filesystem::exists(dir / c.file)) {
      wxTEST_DIALOG(Command(ID_OPEN, wxEVT_MENU), FileAnswer(PathIn(c.file)));
    } else {
      EXPECT_FALSE(frame->ReadWorkFile(PathIn(c.file)));
    }
    const auto errors = guitest::LogCapture::Get().Errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].StartsWith(wxString::FromUTF8("„") + PathIn(c.file) + wxString::FromUTF8(c.error)))
        << errors[0];
    EXPECT_EQ(Take(), before);
  }
}

TEST_F(WorkFileWindowTest, UnwritableFileIsReported) {
  OpenWithTwo();
  wxTEST_DIALOG(Command(ID_SAVE_AS, wxEVT_MENU), FileAnswer(PathIn("gut")));
  ASSERT_TRUE(frame->m_recordings.IsSaved());
  frame->m_recordings.SetTitle(0, "Neu");

  guitest::LogCapture::Get().Clear();
  wxTEST_DIALOG(Command(ID_SAVE_AS, wxEVT_MENU), FileAnswer("/proc/vrx-arbeit"));
  const auto errors = guitest::LogCapture::Get().Errors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].Contains("/proc/vrx-arbeit.kdl")) << errors[0];
  EXPECT_FALSE(frame->m_recordings.IsSaved());
  EXPECT_EQ(frame->WorkFilePath(), PathIn("gut.kdl"));  // plain save still goes to the good file
  EXPECT_EQ(frame->GetTitle(), "gut.kdl *");

  Command(ID_SAVE);
  EXPECT_TRUE(frame->m_recordings.IsSaved());
  EXPECT_TRUE(ReadBytes(dir / "gut.kdl").starts_with("430000\r\n2\r\nNeu\r\n"));
}
