// What a desktop program is expected to do: shortcuts and mnemonics, the About box, the recent
// files, opening a file from outside (command line, file manager, drop), the demo logger named
// in the status line, and a window that fits small screens.
#include "RecordingsWindowSupport.h"
#include "exchange/WorkFile.h"
#include "plot/Plot.h"

#include <wx/dnd.h>
#include <wx/filehistory.h>
#include <wx/generic/aboutdlgg.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>

using namespace rectest;

namespace {

class DesktopTest : public MainFrameTest {
 protected:
  wxString WriteFile(const std::string& name, std::vector<std::string> titles) {
    std::vector<Storage> recs;
    for (const std::string& t : titles) recs.push_back(MakeRecord(t, "1/01/2026 8:00:00", 10));
    const std::filesystem::path p = dir / name;
    EXPECT_TRUE(::WriteWorkFile(p.string(), recs).ok);
    return wxString::FromUTF8(p.string());
  }
  std::vector<std::string> Titles() const {
    std::vector<std::string> out;
    for (const Storage& r : frame->m_recordings) out.push_back(r.GetTitle());
    return out;
  }
  void Reopen() {
    frame->m_recordings.MarkSaved();
    frame->Destroy();
    guitest::Pump();
    Open("");
  }
};

}  // namespace

TEST_F(DesktopTest, ShortcutsAndMnemonicsInTheMenus) {
  Open();
  wxMenuBar* bar = frame->GetMenuBar();
  struct Case {
    int id;
    const char* keys;
  } cases[] = {{ID_OPEN, "Ctrl+O"},  {ID_SAVE, "Ctrl+S"},       {ID_SAVE_AS, "Ctrl+Shift+S"},
               {ID_PRINT, "Ctrl+P"}, {ID_QUIT, "Ctrl+Q"},       {ID_EXPORT_CSV, "Ctrl+E"},
               {ID_SHOW_TIPS, "F1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    wxMenuItem* item = bar->FindItem(c.id);
    ASSERT_NE(item, nullptr);
    std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
    ASSERT_TRUE(accel);
    EXPECT_EQ(accel->ToString(), c.keys);
    EXPECT_TRUE(item->GetItemLabel().Contains("&")) << item->GetItemLabel();
  }
  for (size_t i = 0; i < bar->GetMenuCount(); ++i) EXPECT_TRUE(bar->GetMenuLabel(i).Contains("&"));
  // A shortcut reaches its command: F1 opens the tips like the menu item.
  wxCommandEvent help(wxEVT_MENU, ID_SHOW_TIPS);
  frame->GetEventHandler()->ProcessEvent(help);
  int tips = 0;
  for (wxWindow* w : wxTopLevelWindows) tips += w->GetName() != "frame" && w != frame.get() && w->IsShown();
  EXPECT_GE(tips, 1);
}

// On GTK the about box is not modal: it stays beside the window until closed.
TEST_F(DesktopTest, AboutShowsNameAndVersion) {
  Open();
  Command(wxID_ABOUT, wxEVT_MENU);
  guitest::Pump();
  wxGenericAboutDialog* about = nullptr;
  for (wxWindow* w : wxTopLevelWindows)
    if (auto* d = dynamic_cast<wxGenericAboutDialog*>(w)) about = d;
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->GetParent(), frame.get());
  wxString text;
  std::function<void(wxWindow*)> collect = [&](wxWindow* w) {
    text += w->GetLabel() + "\n";
    for (wxWindow* c : w->GetChildren()) collect(c);
  };
  collect(about);
  EXPECT_TRUE(text.Contains("vrx")) << text;
  EXPECT_TRUE(text.Contains("4.5")) << text;
  EXPECT_TRUE(text.Contains("2026 the vrx developers")) << text;
  about->Destroy();
}

TEST_F(DesktopTest, RecentFilesSurviveARestartAndForgetMissingFiles) {
  Open();
  const wxString a = WriteFile("a.kdl", {"A"}), b = WriteFile("b.kdl", {"B"});
  ASSERT_TRUE(frame->ReadWorkFile(a));
  ASSERT_TRUE(frame->ReadWorkFile(b));
  EXPECT_EQ(frame->m_recentFiles->GetCount(), 2u);
  EXPECT_EQ(frame->m_recentFiles->GetHistoryFile(0), b);  // the newest first

  std::filesystem::remove(dir / "b.kdl");
  Reopen();
  ASSERT_EQ(frame->m_recentFiles->GetCount(), 1u);
  EXPECT_EQ(frame->m_recentFiles->GetHistoryFile(0), a);
  EXPECT_NE(frame->GetMenuBar()->FindItem(wxID_FILE1), nullptr);
  Command(wxID_FILE1, wxEVT_MENU);
  EXPECT_EQ(Titles(), std::vector<std::string>{"A"});

  // A file gone while the program runs: said so, and taken off the list.
  frame->m_recentFiles->AddFileToHistory(wxString::FromUTF8((dir / "weg.kdl").string()));
  guitest::LogCapture::Get().Clear();
  Command(wxID_FILE1, wxEVT_MENU);
  EXPECT_EQ(guitest::LogCapture::Get().Errors().size(), 1u);
  EXPECT_EQ(frame->m_recentFiles->GetCount(), 1u);
  EXPECT_EQ(Titles(), std::vector<std::string>{"A"});
}

// The command line and the file manager go through OpenWorkFileFrom; a drop through the drop
// target. Each asks before unsaved recordings go.
TEST_F(DesktopTest, OpeningFromOutsideAsksFirst) {
  Open();
  const wxString file = WriteFile("draussen.kdl", {"X", "Y"});
  frame->m_recordings.Replace({MakeRecord("ungespeichert", "1/01/2026 8:00:00", 5)}, "", false);
  wxTEST_DIALOG(frame->OpenWorkFileFrom(file), wxExpectModal<wxMessageDialog>(wxID_CANCEL));
  EXPECT_EQ(Titles(), std::vector<std::string>{"ungespeichert"});

  auto* target = dynamic_cast<wxFileDropTarget*>(frame->m_plot->GetDropTarget());
  ASSERT_NE(target, nullptr);
  wxArrayString dropped;
  dropped.Add(wxString::FromUTF8((dir / "bild.png").string()));
  EXPECT_FALSE(target->OnDropFiles(0, 0, dropped));  // not a work file
  dropped.Add(file);
  EXPECT_TRUE(target->OnDropFiles(0, 0, dropped));
  wxTEST_DIALOG(guitest::Pump(), wxExpectModal<wxMessageDialog>(wxID_NO));
  EXPECT_EQ(Titles(), (std::vector<std::string>{"X", "Y"}));
  EXPECT_EQ(frame->GetTitle(), "draussen.kdl");
}

TEST_F(DesktopTest, DemoLoggerIsNamedInTheStatusLine) {
  Open();
  StatusTick();
  EXPECT_EQ(frame->GetStatusBar()->GetStatusText(2), "");
  bus->Unplug(slot);
  auto demo = std::make_shared<sim::SimLogger>();
  demo->SetDemo(true);
  slot = bus->Plug(demo);
  StatusTick();
  if (frame->GetStatusBar()->GetStatusText(2).empty()) StatusTick();  // a replug may cost one try
  EXPECT_EQ(frame->GetStatusBar()->GetStatusText(2), "Demo-Logger");
}

// Down to 1024 x 600 every control is whole and inside the window; the plot and the list give
// way. Screenshots of each size are kept for looking at.
TEST_F(DesktopTest, WindowFitsSmallScreens) {
  Open();
  frame->m_recordings.Replace({MakeRecord("Garten", "1/01/2026 8:00:00", 60)}, "", false);
  for (const wxSize screen : {wxSize(1024, 600), wxSize(1280, 720), wxSize(1920, 1080)}) {
    SCOPED_TRACE(testing::Message() << screen.x << "x" << screen.y);
    const wxSize min = frame->GetMinSize();
    EXPECT_LE(min.x, screen.x);
    EXPECT_LE(min.y, screen.y);
    frame->SetSize(screen);
    guitest::PumpUntil([&] { return frame->GetSize() == screen; });
    frame->Layout();
    guitest::Pump();
    const wxRect panel(frame->m_panel->GetClientSize());
    for (wxWindow* child : frame->m_panel->GetChildren()) {
      if (!child->IsShown()) continue;
      const wxRect r = child->GetRect();
      EXPECT_TRUE(panel.Contains(r)) << child->GetClassInfo()->GetClassName() << " " << child->GetLabel() << " at "
                                     << r.x << "," << r.y << " " << r.width << "x" << r.height;
      EXPECT_GE(r.width, child->GetMinSize().x) << child->GetLabel();
      EXPECT_GE(r.height, child->GetMinSize().y) << child->GetLabel();
    }
    const wxString shot = wxString::Format("/tmp/vrx-window-%dx%d.png", screen.x, screen.y);
    guitest::SavePng(guitest::Capture(frame), shot);
  }
}
