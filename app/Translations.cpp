#include "app/Translations.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/translation.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/DesktopLanguage.h"
#include "i18n/Tr.h"

namespace {

std::string CatalogueLookup(const char* utf8) { return std::string(Tr(utf8).utf8_str()); }

}  // namespace

void InitTranslations(wxLanguage language) {
  // Beside the standard path (<prefix>/share/locale): the build tree's catalogue
  // (build/app/vrx finds build/locale) and a relocated installation's (<prefix>/bin/vrx).
  static bool pathsAdded = false;
  if (!pathsAdded) {
    const wxString exeDir = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(exeDir + "/../share/locale");
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(exeDir + "/../locale");
    pathsAdded = true;
  }
  auto* translations = new wxTranslations;
  if (language == wxLANGUAGE_DEFAULT) {
    std::vector<std::string> available;
    for (const wxString& name : translations->GetAvailableTranslations("vrx"))
      available.push_back(std::string(name.utf8_str()));
    const std::string chosen = CatalogueLanguage([](const char* name) { return std::getenv(name); }, available);
    if (chosen.empty())
      translations->SetLanguage(wxLANGUAGE_GERMAN);
    else
      translations->SetLanguage(wxString::FromUTF8(chosen));
  } else {
    translations->SetLanguage(language);
  }
  translations->AddStdCatalog();
  // The texts in the code are German, so German needs no catalogue.
  translations->AddCatalog("vrx", wxLANGUAGE_GERMAN);
  wxTranslations::Set(translations);
  i18n::g_coreLookup = CatalogueLookup;
  // Numbers in readouts, labels and files are written with a point whatever the desktop's
  // language (the toolkit may have set the user's numeric locale).
  std::setlocale(LC_NUMERIC, "C");
}
