// The settings dialog's bottom line (serial number, firmware, calibration) and the check
// whether the logger's calibration has run out. Only the long settings block carries them.
#pragma once

#include "settings/SettingsLogic.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct BcdDate;

// The format strings: translation keys, and the texts shown without a translation.
namespace settings_text {
inline constexpr const char* SERIAL_FORMAT = "Geräteeinstellungen     Serial No: %d";
inline constexpr const char* FIRMWARE_FORMAT = "Firmware Version: %.1f";
inline constexpr const char* CALIBRATION_DATE_FORMAT = "Kalibrierdatum: \t %x:%x:20%x \n";
inline constexpr const char* CALIBRATION_MONTHS_FORMAT = "Kalibrierung Dauer: \t %d Monat";
inline constexpr const char* CALIBRATION_EXPIRED = "Calibration Expired";
inline constexpr const char* CALIBRATION_CAPTION = "Calibration";
inline constexpr const char* UNIT_LITRES = " L/min";
inline constexpr const char* UNIT_GALLONS = "G/min";
}  // namespace settings_text

// Puts the texts in args, in order, in place of the format's conversions ("%d", "%.1f",
// "%x" and the like); "%%" gives "%". A conversion without an argument becomes empty. The
// numbers are rendered by the caller, so a translated format can never read a wrong type.
std::string FillFormat(const std::string& format, const std::vector<std::string>& args);

// "4.3" for the firmware word 0x0403: high byte, point, low byte.
std::string FirmwareVersionText(int firmwareWord);

// The first text of the line: serial number, and the firmware version on a second line.
std::string DeviceText(int serialNumber, int firmwareWord,
                       const std::string& serialFormat = settings_text::SERIAL_FORMAT,
                       const std::string& firmwareFormat = settings_text::FIRMWARE_FORMAT);

// The second text: calibration date (day and month as their hexadecimal digits, the year
// with four digits) and, on a second line, the calibration's duration in months.
std::string CalibrationText(const BcdDate& date, int months,
                            const std::string& dateFormat = settings_text::CALIBRATION_DATE_FORMAT,
                            const std::string& monthsFormat = settings_text::CALIBRATION_MONTHS_FORMAT);

// date + n calendar months; a day beyond the resulting month's end becomes its last day.
CivilDate AddCalendarMonths(const CivilDate& date, int months);

struct LocalTime {
  CivilDate date;
  int hour = 0, minute = 0, second = 0;
};

// When the calibration runs out: (months + 1) calendar months after the calibration day,
// at midnight. Nothing when the date bytes do not form a date.
std::optional<CivilDate> CalibrationExpiry(const BcdDate& date, int months);
// True when the expiry lies before `now`. Invalid date bytes never count as expired.
bool CalibrationExpired(const BcdDate& date, int months, const LocalTime& now);
