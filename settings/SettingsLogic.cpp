#include "settings/SettingsLogic.h"

#include "device/SettingsBlock.h"

#include <cstdio>
#include <cstdlib>

int IntervalUp(int tenths) {
  return tenths > 0 && tenths < INTERVAL_MAX_TENTHS ? tenths + 1 : tenths;
}

int IntervalDown(int tenths) {
  return tenths > INTERVAL_MIN_TENTHS && tenths <= INTERVAL_MAX_TENTHS ? tenths - 1 : tenths;
}

std::string IntervalText(int tenths) {
  char text[24];
  std::snprintf(text, sizeof text, "%s%d.%d", tenths < 0 ? "-" : "", std::abs(tenths) / 10,
                std::abs(tenths) % 10);
  return text;
}

int64_t DelaySeconds(int intervalTenths, uint16_t samples) {
  return static_cast<int64_t>(intervalTenths) * samples / 10;
}

uint8_t SpinClockByte(uint8_t byte, ClockUnit unit, bool up) {
  const int limit = unit == ClockUnit::Hours ? 23 : 59;
  int v = DecodeBcd(byte);
  if (v > limit) return byte;
  v += up ? 1 : -1;
  if (v > limit) v = 0;
  if (v < 0) v = limit;
  return EncodeBcd(v);
}

static std::string Hex(unsigned value, bool twoDigits = false) {
  char text[8];
  std::snprintf(text, sizeof text, twoDigits ? "%02x" : "%x", value);
  return text;
}

std::string HoursText(uint8_t hoursByte) { return Hex(hoursByte & 0x3F); }
std::string MinutesText(uint8_t minutesByte) { return Hex(minutesByte & 0x7F, true); }
std::string SecondsText(uint8_t secondsByte) { return Hex(secondsByte & 0x7F); }

static bool IsBcd(uint8_t byte) { return (byte >> 4) <= 9 && (byte & 0x0F) <= 9; }

int DaysInMonth(int year, int month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

std::optional<CivilDate> DateFromBcd(uint8_t day, uint8_t month, uint8_t year) {
  if (!IsBcd(day) || !IsBcd(month) || !IsBcd(year)) return std::nullopt;
  CivilDate date{2000 + DecodeBcd(year), DecodeBcd(month), DecodeBcd(day)};
  if (date.month < 1 || date.month > 12) return std::nullopt;
  if (date.day < 1 || date.day > DaysInMonth(date.year, date.month)) return std::nullopt;
  return date;
}

bool BcdFromDate(const CivilDate& date, uint8_t out[3]) {
  if (date.year < CLOCK_FIRST_YEAR || date.year > CLOCK_LAST_YEAR) return false;
  if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31) return false;
  out[0] = EncodeBcd(date.day);
  out[1] = EncodeBcd(date.month);
  out[2] = EncodeBcd(date.year - 2000);
  return true;
}

std::optional<uint16_t> ParseFieldNumber(const std::string& text) {
  size_t i = 0, end = text.size();
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (i < end && blank(text[i])) ++i;
  while (end > i && blank(text[end - 1])) --end;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == end) return std::nullopt;
  long value = 0;
  for (; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > 0xFFFF) return std::nullopt;  // would not fit the logger's field
  }
  if (negative && value != 0) return std::nullopt;
  return static_cast<uint16_t>(value);
}

namespace {

constexpr int THRESHOLD_WARN_ABOVE = 2000;
constexpr int DELAY_WARN_ABOVE = 4000;  // samples

Notice Message(const char* text) { return {text, settings_text::MESSAGE_CAPTION}; }

}  // namespace

ThresholdCheck CheckThresholds(const std::string& flowOnText, const std::string& flowOnDelayText,
                               const std::string& flowOffText, const std::string& flowOffDelayText,
                               int intervalTenths) {
  ThresholdCheck check;
  // Parsed in this order; the first bad text is named in the caption.
  const std::string* texts[4] = {&flowOnText, &flowOffText, &flowOnDelayText, &flowOffDelayText};
  uint16_t values[4] = {};
  for (int i = 0; i < 4; ++i) {
    const auto value = ParseFieldNumber(*texts[i]);
    if (!value) {
      check.notices.push_back({settings_text::RETYPE_VALUE, *texts[i]});
      return check;
    }
    values[i] = *value;
  }
  const uint16_t flowOn = values[0], flowOff = values[1];
  const uint16_t onSeconds = values[2], offSeconds = values[3];

  if (flowOn > THRESHOLD_WARN_ABOVE) check.notices.push_back(Message(settings_text::THRESHOLD_TOO_HIGH));
  if (flowOff > THRESHOLD_WARN_ABOVE) check.notices.push_back(Message(settings_text::THRESHOLD_TOO_HIGH));
  if (flowOff > flowOn) {
    check.notices.push_back(Message(settings_text::START_ABOVE_END));
    return check;
  }
  if (intervalTenths <= 0) return check;  // no interval to count samples in
  const int wholeSeconds = intervalTenths / 10;
  if (offSeconds < wholeSeconds || onSeconds < wholeSeconds) {
    check.notices.push_back(Message(settings_text::DELAY_BELOW_INTERVAL));
    return check;
  }

  // A delay whose sample count does not fit the logger's 16-bit field would reach it cut
  // to a short, wrong delay: it is refused instead of being warned about and sent.
  const int64_t samples[2] = {int64_t{onSeconds} * 10 / intervalTenths,
                              int64_t{offSeconds} * 10 / intervalTenths};
  for (int64_t n : samples) {
    if (n > 0xFFFF) {
      check.notices.push_back(Message(settings_text::DELAY_TOO_HIGH));
      return check;
    }
    if (n > DELAY_WARN_ABOVE) check.notices.push_back(Message(settings_text::DELAY_TOO_HIGH));
  }

  check.send = true;
  check.flowOn = flowOn;
  check.flowOff = flowOff;
  check.flowOnDelay = static_cast<uint16_t>(samples[0]);
  check.flowOffDelay = static_cast<uint16_t>(samples[1]);
  check.flowOnDelaySeconds = DelaySeconds(intervalTenths, check.flowOnDelay);
  check.flowOffDelaySeconds = DelaySeconds(intervalTenths, check.flowOffDelay);
  return check;
}

namespace {

const char* StepName(SettingsStep step) {
  switch (step) {
    case SettingsStep::RateAndUnit:
      return "Abtastrate und Druckeinheit";
    case SettingsStep::Time:
      return "Uhrzeit";
    case SettingsStep::Date:
      return "Datum";
    case SettingsStep::FlowOn:
      return "Einschaltbedingung";
    case SettingsStep::FlowOff:
      return "Ausschaltbedingung";
    case SettingsStep::AutoLogging:
      return "automatische Datenlogfunktion";
  }
  return "";
}

const char* StepFailureText(SettingsStep step) {
  switch (step) {
    case SettingsStep::RateAndUnit:
      return settings_text::RATE_FAILED;
    case SettingsStep::Time:
    case SettingsStep::Date:
      return settings_text::CLOCK_FAILED;
    case SettingsStep::FlowOn:
    case SettingsStep::FlowOff:
      return settings_text::THRESHOLD_FAILED;
    case SettingsStep::AutoLogging:
      return settings_text::AUTO_LOGGING_FAILED;
  }
  return "";
}

std::string NameList(const std::vector<SettingsStep>& steps) {
  if (steps.empty()) return "nichts";
  std::string out;
  for (SettingsStep step : steps) out += (out.empty() ? "" : ", ") + std::string(StepName(step));
  return out;
}

}  // namespace

std::string PartialSendText(const std::vector<SettingsStep>& steps, SettingsStep failed, bool readBack) {
  std::vector<SettingsStep> sent, notSent;
  bool reached = true;
  for (SettingsStep step : steps) {
    if (step == failed) reached = false;
    (reached ? sent : notSent).push_back(step);
  }
  std::string text = StepFailureText(failed);
  text += "\n\nÜbertragen: " + NameList(sent) + ".\nNicht übertragen: " + NameList(notSent) + ".\n\n";
  text += readBack ? "Der Dialog zeigt jetzt die Einstellungen, die der Logger tatsächlich hat."
                   : "Die Einstellungen des Loggers konnten nicht zurückgelesen werden: "
                     "USB-Kabelverbindung überprüfen.";
  return text;
}
