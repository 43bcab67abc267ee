// An installed message catalogue is found on the standard search path and used for the
// texts that go through the translation lookup.
#include "GuiHarness.h"
#include "app/Translations.h"
#include "i18n/Tr.h"
#include "plot/Plot.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/translation.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// Writes a GNU .mo catalogue holding the given pairs (sorted by original, as lookups need).
void WriteMo(const std::filesystem::path& path, std::vector<std::pair<std::string, std::string>> pairs) {
  std::sort(pairs.begin(), pairs.end());
  const uint32_t n = static_cast<uint32_t>(pairs.size());
  const uint32_t origTable = 28, transTable = origTable + 8 * n;
  uint32_t offset = transTable + 8 * n;
  std::vector<uint32_t> header = {0x950412de, 0, n, origTable, transTable, 0, 0};
  std::vector<uint32_t> origs, trans;
  std::string strings;
  for (const auto& [o, t] : pairs) {
    origs.push_back(static_cast<uint32_t>(o.size()));
    origs.push_back(offset + static_cast<uint32_t>(strings.size()));
    strings += o + '\0';
  }
  for (const auto& [o, t] : pairs) {
    trans.push_back(static_cast<uint32_t>(t.size()));
    trans.push_back(offset + static_cast<uint32_t>(strings.size()));
    strings += t + '\0';
  }
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  for (const auto* table : {&header, &origs, &trans})
    out.write(reinterpret_cast<const char*>(table->data()), static_cast<std::streamsize>(table->size() * 4));
  out << strings;
}

// The plot window's popup menu, as a user would open it.
struct PlotProbe : mpWindow {
  using mpWindow::mpWindow;
  using mpWindow::GetPopupMenu;
};

}  // namespace

TEST(Translations, InstalledCatalogueIsUsedAndNumbersKeepThePoint) {
  const auto dir = std::filesystem::temp_directory_path() / "vrx-translations-test";
  std::filesystem::remove_all(dir);
  WriteMo(dir / "de" / "LC_MESSAGES" / "vrx.mo",
          {{"Zentrieren", "Mitte hierher"}, {"Kein Zugriff auf den Logger: udev-Regel 70-vrx-logger.rules fehlt", "x"}});
  wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxString::FromUTF8(dir.string()));
  InitTranslations(wxLANGUAGE_GERMAN);
  EXPECT_EQ(wxGetTranslation("Zentrieren"), "Mitte hierher");
  EXPECT_EQ(wxGetTranslation("Vergrößern"), "Vergrößern") << "a text the catalogue lacks stays as written";

  auto* frame = new wxFrame(nullptr, wxID_ANY, "t");
  auto* plot = new PlotProbe(frame, wxID_ANY, wxDefaultPosition, wxSize(300, 200));
  wxMenuItem* centre = plot->GetPopupMenu().FindItem(mpID_CENTER);
  ASSERT_NE(centre, nullptr);
  EXPECT_EQ(centre->GetItemLabelText(), "Mitte hierher");
  frame->Destroy();

  EXPECT_EQ(wxString::Format("%.1f", 12.5), "12.5");

  // Without a catalogue for the language: every text as written.
  InitTranslations(wxLANGUAGE_FRENCH);
  EXPECT_EQ(wxGetTranslation("Zentrieren"), "Zentrieren");
  wxTranslations::Set(nullptr);
  std::filesystem::remove_all(dir);
}

// The neutral language CTest gives the GUI tests (and C, POSIX, German desktops): the program's
// English catalogue is there, and the German texts show as written.
TEST(Translations, NeutralLanguageKeepsTheGermanTexts) {
  wxFileTranslationsLoader::AddCatalogLookupPathPrefix(VRX_LOCALE_DIR);
  InitTranslations();
  EXPECT_EQ(Tr("&Datei"), "&Datei");
  EXPECT_EQ(Tr("Vergrößern"), wxString::FromUTF8("Vergrößern"));
  EXPECT_EQ(CoreTrF("Messwert %d von %d", 3, 7), "Messwert 3 von 7");
  // The catalogue itself is there: asked for by name, it answers in English.
  InitTranslations(wxLANGUAGE_ENGLISH_US);
  EXPECT_EQ(Tr("&Datei"), "&File");
  EXPECT_EQ(CoreTrF("Messwert %d von %d", 3, 7), "sample 3 of 7");
  wxTranslations::Set(nullptr);
  i18n::g_coreLookup = nullptr;
}
