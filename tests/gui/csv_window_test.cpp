// Exporting the chosen recording as CSV from the main window.
#include "RecordingsWindowSupport.h"
#include "exchange/CsvExport.h"

using namespace rectest;

namespace {

class CsvWindowTest : public MainFrameTest {
 protected:
  void OpenWithOne() {
    Open();
    Storage rec("9/03/2016 8:05:30", 1000, 1, false);
    rec.SetPressureUnit('b');
    rec.SetTitle("Speicher");
    rec.AppendSample(1, 25, 6.894649f, 0.41667f);
    rec.AppendSample(2, 25, 6.894649f, 0.833333f);
    frame->m_recordings.Replace({rec}, "", false);
    frame->RefreshRecordingList();
    ClickRow(frame->m_recordList, 0);
  }
  wxString PathIn(const std::string& name) const { return wxString::FromUTF8((dir / name).string()); }
  void Export(const wxString& path, FileDialogSeen* seen = nullptr) {
    wxTEST_DIALOG(Command(ID_EXPORT_CSV, wxEVT_MENU), FileAnswer(path, wxID_OK, seen));
  }
};

}  // namespace

TEST_F(CsvWindowTest, ExportsTheFocusedRecording) {
  OpenWithOne();
  FileDialogSeen seen;
  Export(PathIn("daten"), &seen);
  EXPECT_EQ(seen.message, "Exportieren nach Excel");
  EXPECT_EQ(seen.filename, "9_03_2016 8_05_30");
  EXPECT_EQ(seen.wildcard, "Exceldateien (*.csv)|*.csv");
  EXPECT_TRUE(seen.style & wxFD_SAVE);
  EXPECT_TRUE(seen.style & wxFD_OVERWRITE_PROMPT);
  const std::string path = (dir / "daten.csv").string();
  EXPECT_EQ(ReadBytes(dir / "daten.csv"),
            "File Name," + path + "\r\n"
            "Title,Speicher 9/03/2016 8:05:30\r\n"
            "Information,\r\n"
            "Flow Measurement,,L/min\r\n"
            "Pressure Measurement,,Bar\r\n"
            "Zeit (s), Durchfluss (L/min), Volumen (L), Druck (Bar)\r\n"
            "1.00,25,0,6.89\r\n"
            "2.00,25,1,6.89\r\n");
  EXPECT_FALSE(frame->m_recordings.IsSaved());  // an export is no save

  // A name holding ".csv" anywhere is taken as it stands.
  Export(PathIn("daten.csv.bak"));
  EXPECT_TRUE(std::filesystem::exists(dir / "daten.csv.bak"));
  EXPECT_FALSE(std::filesystem::exists(dir / "daten.csv.bak.csv"));

  // A name beyond ASCII reaches the file system as typed, whatever the locale.
  Export(PathIn("Küche"));
  EXPECT_TRUE(std::filesystem::exists(dir / "Küche.csv"));
}

TEST_F(CsvWindowTest, CancelledOrRefusedWritesNothing) {
  OpenWithOne();
  wxTEST_DIALOG(Command(ID_EXPORT_CSV, wxEVT_MENU), FileAnswer("", wxID_CANCEL));

  // The added extension would replace another file: asked first, and No keeps it.
  std::ofstream(dir / "daten.csv") << "fremd";
  wxTEST_DIALOG(Command(ID_EXPORT_CSV, wxEVT_MENU), FileAnswer(PathIn("daten")),
                wxExpectModal<wxMessageDialog>(wxID_NO));
  EXPECT_EQ(ReadBytes(dir / "daten.csv"), "fremd");

  // A file that cannot be created: the message box, nothing else.
  wxString message, caption;
  wxTEST_DIALOG(Command(ID_EXPORT_CSV, wxEVT_MENU), FileAnswer("/proc/vrx-daten"),
                MessageAnswer(wxID_OK, &message, &caption));
  EXPECT_EQ(message, wxString::FromUTF8("„/proc/vrx-daten.csv“ kann nicht gespeichert werden: in diesem Ordner können "
                                        "keine Dateien angelegt werden."));
  EXPECT_EQ(caption, "Message");

  // No focused row: no dialog at all.
  frame->m_recordings.Replace({}, "", false);
  frame->RefreshRecordingList();
  Command(ID_EXPORT_CSV, wxEVT_MENU);

  for (const auto& entry : std::filesystem::directory_iterator(dir))
    EXPECT_TRUE(entry.path().filename() == "vrxv43.ini" || entry.path().filename() == "daten.csv" ||
                entry.path().filename() == "vrxordner.ini")
        << entry.path();
}
