#include "settings/DeviceInfo.h"

#include "device/SettingsBlock.h"

#include <cstdio>
#include <cstring>
#include <tuple>

std::string FillFormat(const std::string& format, const std::vector<std::string>& args) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    // Flags, width, precision and length modifiers, then the conversion letter.
    size_t j = i + 1;
    while (j < format.size() && std::strchr("-+ #0123456789.hlLqjzt", format[j])) ++j;
    if (j >= format.size() || !std::strchr("diouxXeEfFgGaAcsp", format[j])) {
      out.append(format, i, j - i);  // not a conversion: kept as it stands
      i = j - 1;
      continue;
    }
    if (next < args.size()) out += args[next];
    ++next;
    i = j;
  }
  return out;
}

std::string FirmwareVersionText(int firmwareWord) {
  char text[24];
  std::snprintf(text, sizeof text, "%d.%d", (firmwareWord >> 8) & 0xFF, firmwareWord & 0xFF);
  return text;
}

std::string DeviceText(int serialNumber, int firmwareWord, const std::string& serialFormat,
                       const std::string& firmwareFormat) {
  // Two lines: run together, the number and the next label read as one ("4711Firmware").
  return FillFormat(serialFormat, {std::to_string(serialNumber)}) + "\n" +
         FillFormat(firmwareFormat, {FirmwareVersionText(firmwareWord)});
}

static std::string Hex(unsigned value, const char* format = "%x") {
  char text[8];
  std::snprintf(text, sizeof text, format, value & 0xFF);
  return text;
}

std::string CalibrationText(const BcdDate& date, int months, const std::string& dateFormat,
                            const std::string& monthsFormat) {
  // The format writes "20" before the year's digits, so a single-digit year needs its zero.
  const std::string year = Hex(date.year, date.year < 0x10 ? "0%x" : "%x");
  return FillFormat(dateFormat, {Hex(date.day), Hex(date.month), year}) +
         FillFormat(monthsFormat, {std::to_string(months)});
}

CivilDate AddCalendarMonths(const CivilDate& date, int months) {
  const int total = date.year * 12 + (date.month - 1) + months;
  CivilDate out{total / 12, total % 12 + 1, date.day};
  const int last = DaysInMonth(out.year, out.month);
  if (out.day > last) out.day = last;
  return out;
}

std::optional<CivilDate> CalibrationExpiry(const BcdDate& date, int months) {
  const auto calibrated = DateFromBcd(date.day, date.month, date.year);
  if (!calibrated) return std::nullopt;
  return AddCalendarMonths(*calibrated, months + 1);
}

bool CalibrationExpired(const BcdDate& date, int months, const LocalTime& now) {
  const auto expiry = CalibrationExpiry(date, months);
  if (!expiry) return false;
  const auto at = std::make_tuple(expiry->year, expiry->month, expiry->day, 0, 0, 0);
  return at < std::make_tuple(now.date.year, now.date.month, now.date.day, now.hour, now.minute,
                              now.second);
}
