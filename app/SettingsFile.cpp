#include "app/SettingsFile.h"

#include "device/LoggerInfo.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

bool g_showTips = true;

namespace {

std::string SettingsPath(const std::string& directory) {
  if (directory.empty()) return SETTINGS_FILE_NAME;
  if (directory.back() == '/') return directory + SETTINGS_FILE_NAME;
  return directory + "/" + SETTINGS_FILE_NAME;
}

// One line as a decimal integer; false for end of file or anything that is not a number.
// Read byte by byte: a NUL in a damaged file must not hide the line's end, or the next
// line would be swallowed and every later value would land in the wrong setting.
bool ReadNumberLine(std::FILE* f, long& value) {
  constexpr size_t MAX_LINE = 62;  // longer lines are refused as a whole
  char line[MAX_LINE + 1];
  size_t len = 0;
  bool overlong = false;
  int c;
  while ((c = std::fgetc(f)) != EOF && c != '\n') {
    if (len < MAX_LINE)
      line[len++] = static_cast<char>(c);
    else
      overlong = true;
  }
  if (overlong || (c == EOF && len == 0)) return false;
  line[len] = '\0';
  if (std::memchr(line, '\0', len)) return false;
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(line, &end, 10);
  if (end == line || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
  while (*end == ' ' || *end == '\t' || *end == '\r' || *end == '\n') ++end;
  if (*end != '\0') return false;
  value = v;
  return true;
}

}  // namespace

std::string SettingsDirectoryFor(const std::string& executableDirectory, const char* xdgConfigHome,
                                 const char* home) {
  // A program installed under /usr lives in a directory the package manager owns, even
  // when root could write there.
  const bool systemDirectory = executableDirectory.rfind("/usr/", 0) == 0;
  if (!executableDirectory.empty() && !systemDirectory && access(executableDirectory.c_str(), W_OK) == 0)
    return executableDirectory;
  // Relative values are not valid configuration homes; fall back as the XDG rules say.
  if (xdgConfigHome && xdgConfigHome[0] == '/') return std::string(xdgConfigHome) + "/vrx";
  if (home && home[0] == '/') return std::string(home) + "/.config/vrx";
  return executableDirectory;
}

void LoadSettings(const std::string& directory) {
  g_flowUnitLitres = 1;
  g_pressureUnit = 'b';
  g_firmwareVersion = 0;
  g_showTips = true;
  std::FILE* f = std::fopen(SettingsPath(directory).c_str(), "r");
  if (!f) return;
  long v = 0;
  if (ReadNumberLine(f, v)) g_flowUnitLitres = static_cast<unsigned char>(v & 0xFF);
  if (ReadNumberLine(f, v)) g_pressureUnit = static_cast<unsigned char>(v & 0xFF);
  if (ReadNumberLine(f, v)) g_firmwareVersion = static_cast<int>(v);
  if (ReadNumberLine(f, v)) g_showTips = v != 0;
  std::fclose(f);
}

bool SaveSettings(const std::string& directory) {
  if (!directory.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
  }
  std::FILE* f = std::fopen(SettingsPath(directory).c_str(), "w");
  if (!f) return false;
  std::fprintf(f, "%d\n", g_flowUnitLitres);
  std::fprintf(f, "%d\n", g_pressureUnit);
  std::fprintf(f, "%d\n", g_firmwareVersion);
  std::fprintf(f, "%d\n", g_showTips ? 1 : 0);
  return std::fclose(f) == 0;
}
