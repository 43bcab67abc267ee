#pragma once

#include <wx/language.h>

// The program's catalogue "vrx" for the given language (the desktop's by default: LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG), found on the standard search path
// (<prefix>/share/locale/<lang>/LC_MESSAGES/vrx.mo) or beside the executable's folder. The
// texts in the code are German: German, C/POSIX and any language without a catalogue show
// them as written. Also routes the core's own sentences (CoreTr) through the catalogue.
void InitTranslations(wxLanguage language = wxLANGUAGE_DEFAULT);
