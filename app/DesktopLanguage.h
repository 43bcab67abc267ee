#pragma once
// Which catalogue the desktop's language asks for, read from the environment as gettext reads
// it, without the toolkit: its guess depends on a generated system locale (a clean Debian has
// only C.UTF-8) and is taken once per process.
#include <functional>
#include <string>
#include <vector>

// `env` gives a variable's value or nullptr. Looks at LANGUAGE (a colon-separated list, heeded
// only when a locale is set, as gettext does), then the first of LC_ALL, LC_MESSAGES and LANG.
// Returns the first of `available` (catalogue names such as "en" or "pt_BR") the desktop asks
// for, or "" for the texts as written: German, C, POSIX, nothing set or nothing available.
std::string CatalogueLanguage(const std::function<const char*(const char*)>& env,
                              const std::vector<std::string>& available);
