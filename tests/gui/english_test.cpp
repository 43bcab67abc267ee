// With an English desktop language (run with LANG=en_US.UTF-8 and nothing else set, as a
// desktop session does; the machine need not have that locale generated) the window shows
// the English catalogue built from po/en.po; any other language keeps the German texts.
#include <wx/button.h>
#include <wx/dataview.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/statbox.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "RecordingsWindowSupport.h"
#include "app/Translations.h"
#include "app/wxVellButton.h"
#include "i18n/Tr.h"

using namespace rectest;

namespace {

class EnglishTest : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(VRX_LOCALE_DIR);
    InitTranslations();
  }
  void TearDown() override {
    MainFrameTest::TearDown();
    wxTranslations::Set(nullptr);
    i18n::g_coreLookup = nullptr;
  }
};

}  // namespace

TEST_F(EnglishTest, MenusButtonsAndBoxesShowEnglish) {
  ASSERT_STREQ(std::getenv("LANG"), "en_US.UTF-8") << "CTest runs this with an English desktop language";
  Open();
  wxMenuBar* bar = frame->GetMenuBar();
  std::vector<wxString> menus;
  for (size_t i = 0; i < bar->GetMenuCount(); ++i) menus.push_back(bar->GetMenuLabelText(i));
  EXPECT_EQ(menus, (std::vector<wxString>{"File", "Plot", "Data", "Help"}));
  const std::vector<std::pair<int, wxString>> items = {{ID_OPEN, "Open Work..."},
                                                       {ID_SAVE, "Save Work"},
                                                       {ID_PRINT_PREVIEW, "Print Preview"},
                                                       {ID_QUIT, "Quit"},
                                                       {ID_EXPORT_CSV, "Export to Excel..."},
                                                       {ID_COLOUR_PRESSURE, "Pressure"}};
  for (const auto& [id, label] : items) {
    wxMenuItem* item = bar->FindItem(id);
    ASSERT_NE(item, nullptr) << id;
    EXPECT_EQ(item->GetItemLabelText(), label);
  }
  const std::unique_ptr<wxAcceleratorEntry> accel(bar->FindItem(ID_OPEN)->GetAccel());  // ours to delete
  ASSERT_NE(accel, nullptr);
  EXPECT_EQ(accel->ToString(), "Ctrl+O") << "the shortcut survives the translation";
  EXPECT_EQ(frame->m_saveButton->GetCaptionText(), "Save");
  EXPECT_EQ(frame->m_zoomInButton->GetCaptionText(), "Zoom in");
  EXPECT_EQ(frame->m_titleButton->GetLabel(), "Rename");
  EXPECT_EQ(frame->m_recordList->GetColumnCount(), 5);
  EXPECT_EQ(frame->m_recordList->GetColumn(3)->GetTitle(), "Duration");
  std::vector<wxString> boxes;
  for (wxWindow* w : frame->m_panel->GetChildren())
    if (auto* box = dynamic_cast<wxStaticBox*>(w)) boxes.push_back(box->GetLabel());
  EXPECT_NE(std::find(boxes.begin(), boxes.end(), "Logger status"), boxes.end());
}

TEST_F(EnglishTest, MessagesShowEnglish) {
  Open();
  // The question before unsaved recordings would go (Cancel keeps them).
  frame->m_recordings.Replace({MakeRecord("A", "1/01/2026 8:00:00", 20)}, "", false);
  wxString message, caption;
  wxTEST_DIALOG(Command(ID_DOWNLOAD), MessageAnswer(wxID_CANCEL, &message, &caption));
  EXPECT_EQ(message, "The recordings have not been saved.\nDo you want to save them first?");
  EXPECT_EQ(caption, "Unsaved recordings");
  EXPECT_EQ(frame->m_recordings.size(), 1u);

  // An error the wx-free core words, with the file's name in it.
  frame->m_recordings.MarkSaved();
  guitest::LogCapture::Get().Clear();
  const auto missing = dir / "missing.kdl";
  ASSERT_FALSE(frame->OpenWorkFileFrom(wxString::FromUTF8(missing.string())));
  const auto& log = guitest::LogCapture::Get().Entries();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].text, wxString::FromUTF8("“" + missing.string() + "” cannot be opened: the file does not exist."));
}
