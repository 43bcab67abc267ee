#pragma once
// Every text of the window that people read goes through Tr: the German text (UTF-8) is the
// catalogue's key and what shows without a catalogue. Not `_()`: that converts the literal
// through the C library's locale and loses the umlauts in the C locale.
#include <wx/string.h>
#include <wx/translation.h>

#include "i18n/TrNoop.h"

inline wxString Tr(const char* utf8) { return wxGetTranslation(wxString::FromUTF8(utf8)); }
inline wxString Tr(const std::string& utf8) { return Tr(utf8.c_str()); }

// The same German word with more than one English one ("Laden": loading, download): the
// context tells the catalogue entries apart.
inline wxString TrC(const char* context, const char* utf8) {
  return wxGetTranslation(wxString::FromUTF8(utf8), wxString(), wxString::FromUTF8(context));
}
