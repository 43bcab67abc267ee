// The logger settings dialog's rules, without any window: interval stepping, the clock's
// BCD spin wraps and texts, the threshold and delay checks with their messages, and the
// dates the dialog converts. The dialog only reads its controls, calls these and shows
// what they return.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Texts the dialog shows (UTF-8).
namespace settings_text {
inline constexpr const char* MESSAGE_CAPTION = "Message";
inline constexpr const char* RETYPE_VALUE = "Wert neu eintippen";
inline constexpr const char* THRESHOLD_TOO_HIGH = "Achtung zu hohe Grenzwerte!";
inline constexpr const char* START_ABOVE_END =
    "Startwert für den Datenlogger muss größer sein als der Endwert";
inline constexpr const char* DELAY_BELOW_INTERVAL =
    "Abtastrate muss verringert werden und diese Verzögerungseinstellung zu erreichen";
inline constexpr const char* DELAY_TOO_HIGH = "Achtung zu hohe Verzögerungsgrenzwerte";
inline constexpr const char* RATE_FAILED =
    "Herunterladen der Einstellungen fehlgeschlagen: USB-Kabelverbindung überprüfen";
inline constexpr const char* CLOCK_FAILED = "Uhrzeiteinstellung fehlgeschlagen";
inline constexpr const char* THRESHOLD_FAILED = "Änderung des Druchflussgrenzwertes fehlgeschlagen";
inline constexpr const char* AUTO_LOGGING_FAILED = "Automatische Datenlogfunktion fehlgeschlagen";
inline constexpr const char* SEND_FAILED_CAPTION = "Geräteeinstellungen";
}  // namespace settings_text

// --- sample interval, in tenths of a second ---
constexpr int INTERVAL_MIN_TENTHS = 1;
constexpr int INTERVAL_MAX_TENTHS = 159;
constexpr int INTERVAL_UNREAD_TENTHS = 100;  // shown when no logger could be read

// One step up or down; outside the steppable range the value stays as it is.
int IntervalUp(int tenths);
int IntervalDown(int tenths);
// "1.0" for 10; always with a point, whatever the locale.
std::string IntervalText(int tenths);

// Delays: the logger counts samples, the dialog shows whole seconds.
int64_t DelaySeconds(int intervalTenths, uint16_t samples);

// --- the clock ---
enum class ClockUnit { Seconds, Minutes, Hours };
// One press of a clock spin button on a BCD byte. The whole byte is read as a decimal
// number; a value above the unit's limit is left as it is.
uint8_t SpinClockByte(uint8_t byte, ClockUnit unit, bool up);
// Field texts: hours and seconds without leading zero, minutes always two digits.
std::string HoursText(uint8_t hoursByte);
std::string MinutesText(uint8_t minutesByte);
std::string SecondsText(uint8_t secondsByte);

struct CivilDate {
  int year = 2000, month = 1, day = 1;
  bool operator==(const CivilDate&) const = default;
};

int DaysInMonth(int year, int month);  // month 1 to 12

// Day, month and year bytes (BCD, year after 2000) as a calendar date; nothing when the
// bytes are not BCD or do not name a day of the calendar.
std::optional<CivilDate> DateFromBcd(uint8_t day, uint8_t month, uint8_t year);
// A picked date as the clock's day, month, year bytes; false for a date the logger's
// two-digit year cannot hold (before 2000 or after 2099).
bool BcdFromDate(const CivilDate& date, uint8_t out[3]);
// The range the date picker offers.
constexpr int CLOCK_FIRST_YEAR = 2000;
constexpr int CLOCK_LAST_YEAR = 2099;

// --- thresholds and delays ---
struct Notice {
  std::string text;
  std::string caption;
};

// The outcome of checking the four threshold fields before they are sent.
struct ThresholdCheck {
  std::vector<Notice> notices;  // message boxes to show, in this order
  bool send = false;            // false: stop the download here, nothing of this step is sent
  uint16_t flowOn = 0, flowOnDelay = 0, flowOff = 0, flowOffDelay = 0;  // delays in samples
  int64_t flowOnDelaySeconds = 0, flowOffDelaySeconds = 0;  // what the logger will use
};

// Checks the field texts against the interval: numbers, the thresholds' order, delays not
// shorter than one interval, and the warnings for high values.
ThresholdCheck CheckThresholds(const std::string& flowOnText, const std::string& flowOnDelayText,
                               const std::string& flowOffText, const std::string& flowOffDelayText,
                               int intervalTenths);

// --- sending ---
// What one "Download" sends, in this order: each step is one request to the logger
// (rate and unit are two, told as one).
enum class SettingsStep { RateAndUnit, Time, Date, FlowOn, FlowOff, AutoLogging };

// What the user is told when `failed` did not reach the logger: the step's own failure
// text, then which steps reached the logger and which did not (`failed` and the ones after
// it, which are not tried), and whether the dialog now shows what the logger holds.
std::string PartialSendText(const std::vector<SettingsStep>& steps, SettingsStep failed, bool readBack);

// A field text as a 16-bit number: decimal digits with an optional sign, blanks around
// allowed. Empty, trailing letters, negative or above 65535: nothing.
std::optional<uint16_t> ParseFieldNumber(const std::string& text);
