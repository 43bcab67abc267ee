#pragma once

#include <wx/language.h>

// The translation lookup for the texts that pass through it (the plot's menu and help, the
// device information line, the unit captions): the program's catalogue "vrx" in the given
// language, found on the standard search path (<prefix>/share/locale/<lang>/LC_MESSAGES/vrx.mo).
// Without a catalogue every text shows as written.
void InitTranslations(wxLanguage language = wxLANGUAGE_DEFAULT);
