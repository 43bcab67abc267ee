// The settings file: any bytes give four values, each either what its own line says or its
// default, and saving them reads back the same.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <vector>

#include "FuzzSupport.h"
#include "app/SettingsFile.h"
#include "device/LoggerInfo.h"

namespace {

struct Line {
  std::string text;  // without the line feed
  bool complete;     // ended by a line feed
};

std::vector<Line> SplitLines(const uint8_t* data, size_t size) {
  std::vector<Line> lines;
  size_t start = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      lines.push_back({std::string(reinterpret_cast<const char*>(data + start), i - start), true});
      start = i + 1;
    }
  }
  if (start < size)
    lines.push_back(
        {std::string(reinterpret_cast<const char*>(data + start), size - start), false});
  return lines;
}

// The number a line holds: a decimal int, white space around it; nothing otherwise.
std::optional<long> NumberOf(const std::string& text) {
  if (text.find('\0') != std::string::npos) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || errno == ERANGE || v < INT_MIN || v > INT_MAX) return std::nullopt;
  while (*end == ' ' || *end == '\t' || *end == '\r') ++end;
  if (*end != '\0') return std::nullopt;
  return v;
}

struct Values {
  int litres, unit, firmware, tips;
};

Values Current() {
  unsigned char tips;  // the bool's own byte: anything but 0 or 1 is a broken bool
  std::memcpy(&tips, &g_showTips, 1);
  return {g_flowUnitLitres, g_pressureUnit, g_firmwareVersion, tips};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = fuzz::ScratchDir();
  fuzz::WriteFileOrDie(dir + "/" + SETTINGS_FILE_NAME, data, size);

  g_flowUnitLitres = 77;
  g_pressureUnit = 77;
  g_firmwareVersion = 77;
  g_showTips = false;
  LoadSettings(dir);
  const Values got = Current();
  FUZZ_CHECK(got.tips == 0 || got.tips == 1);

  const Values defaults{1, 'b', 0, 1};
  const std::vector<Line> lines = SplitLines(data, size);
  for (int k = 0; k < 4; ++k) {
    const int value = k == 0 ? got.litres : k == 1 ? got.unit : k == 2 ? got.firmware : got.tips;
    const int fallback = k == 0   ? defaults.litres
                         : k == 1 ? defaults.unit
                         : k == 2 ? defaults.firmware
                                  : defaults.tips;
    std::optional<long> n;
    if (static_cast<size_t>(k) < lines.size()) n = NumberOf(lines[static_cast<size_t>(k)].text);
    int expected = fallback;
    if (n) expected = k < 2 ? static_cast<int>(*n & 0xFF) : k == 2 ? static_cast<int>(*n) : *n != 0;
    // Lines past the reader's line buffer may be refused as a whole.
    const bool longLine =
        static_cast<size_t>(k) < lines.size() && lines[static_cast<size_t>(k)].text.size() >= 62;
    if (longLine)
      FUZZ_CHECK(value == expected || value == fallback);
    else
      FUZZ_CHECK(value == expected);
  }

  // What was read is saved as it stands and reads back the same.
  FUZZ_CHECK(SaveSettings(dir));
  g_flowUnitLitres = 77;
  g_pressureUnit = 77;
  g_firmwareVersion = 77;
  g_showTips = false;
  LoadSettings(dir);
  const Values again = Current();
  FUZZ_CHECK(again.litres == got.litres && again.unit == got.unit &&
             again.firmware == got.firmware && again.tips == got.tips);
  return 0;
}
