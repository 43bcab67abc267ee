#include "app/DesktopLanguage.h"

#include <algorithm>

namespace {

// "en_US.UTF-8@euro" -> "en_US"
std::string WithoutCodeset(const std::string& locale) { return locale.substr(0, locale.find_first_of(".@")); }

bool IsPlainC(const std::string& locale) { return locale.empty() || locale == "C" || locale == "POSIX"; }

}  // namespace

std::string CatalogueLanguage(const std::function<const char*(const char*)>& env,
                              const std::vector<std::string>& available) {
  std::string locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = env(name);
    if (value && *value) {
      locale = WithoutCodeset(value);
      break;
    }
  }
  if (IsPlainC(locale)) return "";
  std::vector<std::string> wanted;
  if (const char* list = env("LANGUAGE"); list && *list) {
    std::string rest = list;
    for (size_t end; !rest.empty(); rest = end == std::string::npos ? "" : rest.substr(end + 1)) {
      end = rest.find(':');
      if (const std::string entry = WithoutCodeset(rest.substr(0, end)); !entry.empty()) wanted.push_back(entry);
    }
  }
  wanted.push_back(locale);
  const auto has = [&](const std::string& name) {
    return std::find(available.begin(), available.end(), name) != available.end();
  };
  for (const std::string& language : wanted) {
    const std::string base = language.substr(0, language.find('_'));
    if (base == "de") return "";  // the texts as written
    if (has(language)) return language;
    if (has(base)) return base;
  }
  return "";
}
