#include "app/Translations.h"

#include <wx/translation.h>

#include <clocale>

void InitTranslations(wxLanguage language) {
  auto* translations = new wxTranslations;
  translations->SetLanguage(language);
  translations->AddStdCatalog();
  translations->AddCatalog("vrx");
  wxTranslations::Set(translations);
  // Numbers in readouts, labels and files are written with a point whatever the desktop's
  // language (the toolkit may have set the user's numeric locale).
  std::setlocale(LC_NUMERIC, "C");
}
