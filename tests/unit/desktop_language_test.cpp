// The desktop's language picks the catalogue as gettext would, from the environment alone.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/DesktopLanguage.h"

TEST(DesktopLanguage, EnvironmentChoosesTheCatalogue) {
  struct Case {
    std::map<std::string, std::string> env;
    std::string expected;
  };
  const Case cases[] = {
      {{{"LANG", "en_US.UTF-8"}}, "en"},
      {{{"LANG", "en_GB"}}, "en"},
      {{{"LANG", "en_IE.UTF-8@euro"}}, "en"},
      {{{"LC_ALL", "en_US.UTF-8"}, {"LANG", "C"}}, "en"},
      {{{"LC_MESSAGES", "en_US.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, "en"},
      {{{"LANGUAGE", "fr:en"}, {"LANG", "fr_FR.UTF-8"}}, "en"},
      {{{"LANGUAGE", "de:en"}, {"LANG", "en_US.UTF-8"}}, ""},
      {{{"LANGUAGE", "en"}, {"LANG", "C"}}, ""},  // gettext ignores LANGUAGE in the C locale
      {{{"LANGUAGE", ""}, {"LANG", "en_US.UTF-8"}}, "en"},
      {{{"LC_ALL", ""}, {"LANG", "en_US.UTF-8"}}, "en"},
      {{{"LC_ALL", "C"}, {"LANG", "en_US.UTF-8"}}, ""},
      {{{"LANG", "C.UTF-8"}}, ""},
      {{{"LANG", "POSIX"}}, ""},
      {{{"LANG", "de_DE.UTF-8"}}, ""},
      {{{"LANG", "fr_FR.UTF-8"}}, ""},
      {{}, ""},
  };
  for (const Case& c : cases) {
    const auto env = [&](const char* name) -> const char* {
      const auto it = c.env.find(name);
      return it == c.env.end() ? nullptr : it->second.c_str();
    };
    std::string described;
    for (const auto& [name, value] : c.env) described += name + "=" + value + " ";
    EXPECT_EQ(CatalogueLanguage(env, {"en"}), c.expected) << described;
  }
  // A regional catalogue is preferred to the language's own; nothing available, nothing chosen.
  const auto brazil = [](const char* name) -> const char* {
    return std::string(name) == "LANG" ? "pt_BR.UTF-8" : nullptr;
  };
  EXPECT_EQ(CatalogueLanguage(brazil, {"pt", "pt_BR"}), "pt_BR");
  EXPECT_EQ(CatalogueLanguage(brazil, {"pt"}), "pt");
  EXPECT_EQ(CatalogueLanguage(brazil, {}), "");
}
