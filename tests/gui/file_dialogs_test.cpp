// The main window's file dialogs: the types they offer (as GTK filters them), the extensions
// added to a chosen name, the folder they open in (remembered across a restart) and the
// confirmation in the status line after a save, an export and a memory clear.
#include <gtk/gtk.h>
#include <wx/statusbr.h>

#include <cstdlib>
#include <set>

#include "RecordingsWindowSupport.h"
#include "exchange/LastFolder.h"
#include "plot/mpWindow.h"

using namespace rectest;

namespace {

// What a file dialog was opened with, and whether its GTK filter lets `probe` be seen.
struct Opened {
  wxString message, wildcard, directory, filename;
  bool probeVisible = false;
  int filters = 0;  // types GTK offers
};

// Answers a file dialog: picks a type (filter index) and a path, or cancels.
class Pick : public wxExpectModalBase<wxFileDialog, Pick> {
 public:
  Pick(const wxString& path, int filter = 0, Opened* seen = nullptr, const std::string& probe = "")
      : m_path(path), m_filter(filter), m_seen(seen), m_probe(probe) {}

 protected:
  int OnInvoked(wxFileDialog* dlg) const override {
    if (m_seen) {
      *m_seen = {dlg->GetMessage(), dlg->GetWildcard(), dlg->GetDirectory(), dlg->GetFilename(), false};
      if (!m_probe.empty()) m_seen->probeVisible = GtkShows(dlg, m_probe);
      GSList* filters = gtk_file_chooser_list_filters(GTK_FILE_CHOOSER(dlg->GetHandle()));
      m_seen->filters = static_cast<int>(g_slist_length(filters));
      g_slist_free(filters);
    }
    if (m_path.empty()) return wxID_CANCEL;
    dlg->SetFilterIndex(m_filter);
    dlg->SetPath(m_path);
    guitest::PumpUntil([&] { return dlg->GetPath() == m_path; });
    return wxID_OK;
  }

 private:
  // Whether the file chooser's current filter passes a file of this name.
  static bool GtkShows(wxFileDialog* dlg, const std::string& name) {
    GtkFileFilter* filter = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(dlg->GetHandle()));
    if (!filter) return true;  // no filter: everything is shown
    const std::string path = "/tmp/" + name;
    GtkFileFilterInfo info{};
    info.contains = static_cast<GtkFileFilterFlags>(GTK_FILE_FILTER_FILENAME | GTK_FILE_FILTER_DISPLAY_NAME);
    info.filename = path.c_str();
    info.display_name = name.c_str();
    return gtk_file_filter_filter(filter, &info);
  }

  wxString m_path;
  int m_filter;
  Opened* m_seen;
  std::string m_probe;
};

class FileDialogTest : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    // A home of the test's own, with a documents folder as the desktop names it.
    home = dir / "home";
    documents = home / "Dokumente";
    std::filesystem::create_directories(documents);
    std::filesystem::create_directories(home / ".config");
    std::ofstream(home / ".config" / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    if (const char* h = std::getenv("HOME")) oldHome = h;
    setenv("HOME", home.c_str(), 1);
    settings = dir / "settings";
    std::filesystem::create_directories(settings);
  }
  void TearDown() override {
    setenv("HOME", oldHome.c_str(), 1);
    MainFrameTest::TearDown();
  }

  // The main window with its settings in `settings`, showing one recording.
  void OpenWindow() {
    std::ofstream(settings / "vrxv43.ini") << "0\n98\n0\n0\n";
    frame = new MainFrame("Unbennant", wxDefaultPosition, wxSize(600, 500), wxString::FromUTF8(settings.string()));
    frame->Show();
    guitest::Pump();
    Storage rec("9/03/2016 8:05:30", 1000, 1, false);
    rec.SetTitle("Speicher");
    rec.AppendSample(1, 25, 6.9f, 0.4f);
    frame->m_recordings.Replace({rec}, "", false);
    frame->m_recordings.MarkSaved();  // opening another file asks nothing
    ClickRow(frame->m_recordList, 0);
    frame->ShowRecording(0);
    guitest::Pump();
  }
  void Restart() {
    frame->m_recordings.MarkSaved();
    frame->Destroy();
    guitest::Pump();
    OpenWindow();
  }
  static wxString W(const std::filesystem::path& p) { return wxString::FromUTF8(p.string()); }
  wxString Confirmation() const { return frame->GetStatusBar()->GetStatusText(1); }

  std::filesystem::path home, documents, settings;
  std::string oldHome;
};

}  // namespace

TEST_F(FileDialogTest, TypesOfferedAndExtensionsAdded) {
  OpenWindow();
  const std::filesystem::path out = dir / "ablage";
  std::filesystem::create_directories(out);

  // Work files: saved under the type's label with its pattern, so GTK lists the .kdl files.
  Opened seen;
  wxTEST_DIALOG(Command(ID_SAVE_AS, wxEVT_MENU), Pick(W(out / "messung"), 0, &seen, "alt.kdl"));
  EXPECT_EQ(seen.wildcard, "VRX Dateien|*.kdl");
  EXPECT_TRUE(seen.probeVisible);
  EXPECT_EQ(seen.filters, 1);
  EXPECT_TRUE(std::filesystem::exists(out / "messung.kdl"));
  wxTEST_DIALOG(Command(ID_OPEN, wxEVT_MENU), Pick(W(out / "messung.kdl"), 0, &seen, "alt.kdl"));
  EXPECT_EQ(seen.wildcard, "KDL Dateien (*.kdl)|*.kdl");
  EXPECT_TRUE(seen.probeVisible);

  // CSV: the name proposed after the recording, ".csv" added.
  ClickRow(frame->m_recordList, 0);  // the opened set replaced the one shown
  wxTEST_DIALOG(Command(ID_EXPORT_CSV, wxEVT_MENU), Pick(W(out / "daten"), 0, &seen, "alt.csv"));
  EXPECT_EQ(seen.filename, "9_03_2016 8_05_30");
  EXPECT_TRUE(seen.probeVisible);
  EXPECT_EQ(seen.filters, 1);
  EXPECT_TRUE(std::filesystem::exists(out / "daten.csv"));

  // The image: BMP or PNG, the type chosen adds its extension; a name with one keeps it.
  struct Case {
    const char* chosen;
    int filter;
    const char* written;
    const char* magic;
  };
  const Case cases[] = {
      {"bild", 0, "bild.bmp", "BM"},
      {"bild", 1, "bild.png", "\x89PNG"},
      {"foto.png", 0, "foto.png", "\x89PNG"},
      {"scan.BMP", 1, "scan.BMP", "BM"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    wxTEST_DIALOG(Command(ID_SAVE_IMAGE), Pick(W(out / c.chosen), c.filter, &seen, "alt.png"));
    EXPECT_EQ(seen.wildcard, "Bilddateien (*.bmp)|*.bmp|PNG-Bilddateien (*.png)|*.png");
    EXPECT_EQ(seen.filename, "9_03_2016 8_05_30.bmp");
    EXPECT_EQ(seen.filters, 2);
    EXPECT_EQ(ReadBytes(out / c.written).substr(0, std::string(c.magic).size()), c.magic);
    wxImage image;
    EXPECT_TRUE(image.LoadFile(W(out / c.written)));
    EXPECT_EQ(image.GetSize(), frame->m_plot->GetClientSize());
  }
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(out)) names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"messung.kdl", "daten.csv", "bild.bmp", "bild.png", "foto.png", "scan.BMP"}));

  // An added extension that hits another file is asked about first.
  wxString question;
  wxTEST_DIALOG(Command(ID_SAVE_IMAGE), Pick(W(out / "bild"), 1), MessageAnswer(wxID_NO, &question));
  EXPECT_TRUE(question.Contains("bild.png")) << question;
}

TEST_F(FileDialogTest, OpensInTheFolderUsedLastAcrossARestart) {
  OpenWindow();
  // First time: the documents folder.
  Opened seen;
  wxTEST_DIALOG(Command(ID_OPEN, wxEVT_MENU), Pick("", 0, &seen));
  EXPECT_EQ(seen.directory, W(documents));
  EXPECT_FALSE(std::filesystem::exists(settings / LAST_FOLDER_FILE_NAME));  // cancelled: nothing kept

  // A file saved elsewhere: every dialog now starts there.
  const std::filesystem::path project = dir / "Projekt Küche";
  std::filesystem::create_directories(project);
  wxTEST_DIALOG(Command(ID_SAVE_AS, wxEVT_MENU), Pick(W(project / "messung")));
  wxTEST_DIALOG(Command(ID_EXPORT_CSV, wxEVT_MENU), Pick("", 0, &seen));
  EXPECT_EQ(seen.directory, W(project));
  wxTEST_DIALOG(Command(ID_SAVE_IMAGE), Pick("", 0, &seen));
  EXPECT_EQ(seen.directory, W(project));

  // After a restart too; the settings file keeps its four lines.
  Restart();
  EXPECT_EQ(ReadBytes(settings / "vrxv43.ini").size(), std::string("0\n98\n0\n0\n").size());
  wxTEST_DIALOG(Command(ID_OPEN, wxEVT_MENU), Pick(W(project / "messung.kdl"), 0, &seen));
  EXPECT_EQ(seen.directory, W(project));
  EXPECT_EQ(frame->m_recordings.size(), 1u);

  // A remembered folder that has gone: back to the documents folder.
  std::filesystem::remove_all(project);
  wxTEST_DIALOG(Command(ID_OPEN, wxEVT_MENU), Pick("", 0, &seen));
  EXPECT_EQ(seen.directory, W(documents));
}

TEST_F(FileDialogTest, ConfirmationsInTheStatusLine) {
  OpenWindow();
  ASSERT_EQ(Confirmation(), "");
  wxTEST_DIALOG(Command(ID_SAVE_AS, wxEVT_MENU), Pick(W(dir / "messung")));
  EXPECT_EQ(Confirmation(), "Gespeichert: messung.kdl");
  wxTEST_DIALOG(Command(ID_EXPORT_CSV, wxEVT_MENU), Pick(W(dir / "daten")));
  EXPECT_EQ(Confirmation(), "Exportiert: daten.csv");
  wxTEST_DIALOG(Command(ID_SAVE_IMAGE), Pick(W(dir / "bild"), 1));
  EXPECT_EQ(Confirmation(), "Gespeichert: bild.png");
  wxTEST_DIALOG(Command(ID_CLEAR_MEMORY), wxExpectModal<wxMessageDialog>(wxID_OK));
  EXPECT_EQ(Confirmation(), wxString::FromUTF8("Loggerspeicher gelöscht"));
  EXPECT_EQ(frame->GetStatusBar()->GetStatusText(0), "VRX Version 4.5");

  // Plain save confirms as well; a failed one does not.
  frame->GetStatusBar()->SetStatusText("", 1);
  Command(ID_SAVE);
  EXPECT_EQ(Confirmation(), "Gespeichert: messung.kdl");
  frame->GetStatusBar()->SetStatusText("", 1);
  frame->m_recordings.MarkSaved("/proc/vrx/messung.kdl");
  Command(ID_SAVE);
  EXPECT_EQ(Confirmation(), "");
  EXPECT_EQ(guitest::LogCapture::Get().Errors().size(), 1u);
}

// Each dialog as GTK draws it, for a person to look at: /tmp/file_dialog_*.png, the whole
// screen while the dialog is up (GTK places its own file chooser).
TEST_F(FileDialogTest, Screenshots) {
  OpenWindow();
  frame->Move(0, 0);
  const std::filesystem::path folder = dir / "Messungen";
  std::filesystem::create_directories(folder);
  for (const char* name : {"garten.kdl", "keller.kdl", "notiz.txt", "alt.csv", "plot.bmp"})
    std::ofstream(folder / name) << "x";
  ASSERT_TRUE(SaveLastFolder(settings.string(), folder.string()));
  struct Shot {
    int id;
    wxEventType type;
    const char* file;
  };
  for (const Shot& s : {Shot{ID_OPEN, wxEVT_MENU, "open"}, Shot{ID_SAVE_AS, wxEVT_MENU, "save_as"},
                        Shot{ID_EXPORT_CSV, wxEVT_MENU, "csv"}, Shot{ID_SAVE_IMAGE, wxEVT_BUTTON, "image"}}) {
    SCOPED_TRACE(s.file);
    guitest::RealModalDialogs real;
    guitest::ScreenshotAndAnswer shoot(std::string("/tmp/file_dialog_") + s.file + ".png", GTK_RESPONSE_CANCEL);
    Command(s.id, s.type);
    EXPECT_TRUE(shoot.shot);
  }
}
