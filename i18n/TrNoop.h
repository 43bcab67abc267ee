#pragma once
// Marks for the texts people read, in code that links no toolkit (the recordings, the work
// file, the logger settings). The German text is the catalogue's key; the window translates.
#include <string>

// A text kept as written here (a constant, a table entry) and translated where it is shown.
#define TrNoop(text) text

namespace i18n {

// The lookup for texts the core builds itself (sentences with file names and numbers in
// them). Unset, every text stays German: vrx-cli and the core's tests never set it; the
// window sets it to its catalogue.
using Lookup = std::string (*)(const char* utf8);
inline Lookup g_coreLookup = nullptr;

}  // namespace i18n

// A German text (UTF-8) through the window's catalogue, when the window set one.
inline std::string CoreTr(const char* utf8) { return i18n::g_coreLookup ? i18n::g_coreLookup(utf8) : utf8; }

#include <cstdarg>
#include <cstdio>

// CoreTr with printf placeholders filled in; the compiler checks them against the German text,
// and the catalogue check against the English one.
__attribute__((format(printf, 1, 2))) inline std::string CoreTrF(const char* utf8, ...) {
  const std::string format = CoreTr(utf8);
  va_list args, again;
  va_start(args, utf8);
  va_copy(again, args);
  const int n = std::vsnprintf(nullptr, 0, format.c_str(), args);
  va_end(args);
  std::string text(n > 0 ? static_cast<size_t>(n) : 0, '\0');
  if (n > 0) std::vsnprintf(text.data(), text.size() + 1, format.c_str(), again);
  va_end(again);
  return text;
}
