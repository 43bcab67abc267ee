// The commands that look at and change the logger itself: status, info, set-clock, set.
#include <cstdio>
#include <ctime>
#include <optional>
#include <ostream>
#include <sstream>

#include "cli/CliCommands.h"
#include "device/SettingsBlock.h"
#include "recordings/MemoryStatus.h"
#include "settings/DeviceInfo.h"
#include "settings/SettingsLogic.h"

namespace cli {

namespace {

const char* FlowUnitText(const SettingsBlock& block) {
  return block.flowUnitLitres() ? "L/min" : "G/min";
}

std::string PressureUnitText(unsigned char unit) {
  if (unit == PRESSURE_UNIT_BAR) return "bar";
  if (unit == PRESSURE_UNIT_PSI) return "psi";
  char text[32];
  std::snprintf(text, sizeof text, "unknown (0x%02X)", unit);
  return text;
}

std::string DateText(const CivilDate& d) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
  return text;
}

// A BCD date of the block as a calendar date, or its bytes when they are none.
std::string BcdDateText(const BcdDate& d) {
  if (const auto date = DateFromBcd(d.day, d.month, d.year)) return DateText(*date);
  char text[40];
  std::snprintf(text, sizeof text, "invalid (%02X %02X %02X)", d.day, d.month, d.year);
  return text;
}

// "1 sample", "3 samples".
std::string Samples(int64_t n) { return std::to_string(n) + (n == 1 ? " sample" : " samples"); }

LocalTime LocalNow(CliEnv& env) {
  const std::time_t t = env.now();
  std::tm tm{};
  localtime_r(&t, &tm);
  return {{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday}, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

// Lines of "Label:  value", the values in one column.
class Table {
 public:
  void Add(const std::string& label, const std::string& value) { m_rows.push_back({label, value}); }
  void Print(std::ostream& out) const {
    size_t width = 0;
    for (const auto& row : m_rows) width = std::max(width, row.first.size());
    for (const auto& row : m_rows)
      out << row.first << ':' << std::string(width - row.first.size() + 2, ' ') << row.second
          << '\n';
  }

 private:
  std::vector<std::pair<std::string, std::string>> m_rows;
};

}  // namespace

int RunStatus(const Options& options, CliEnv& env) {
  const bool json = options.Has("json");
  LoggerSession session(env);
  int code = session.Connect();
  SettingsBlock block;
  std::optional<MemoryStatusView> view;
  if (code == CLI_OK) {
    if (!ReadSettingsBlock(session.link, block))
      code = session.Failed("reading the settings block");
    else if (const unsigned char* record = session.link.GetMemoryStatus())
      view = DecodeMemoryStatus(record);
    else
      code = session.Failed("reading the memory status");
  }
  if (code != CLI_OK) {
    // Machines get an answer on stdout as well; the message went to stderr.
    if (json)
      env.out << "{\"found\": " << (code == CLI_NO_LOGGER ? "false" : "true")
              << ", \"usable\": false}" << std::endl;
    return code;
  }

  const int tenths = IntervalTenths(block.rateWord());
  const char* bar = view->batteryBar == MemoryStatusView::Bar::Red      ? "red"
                    : view->batteryBar == MemoryStatusView::Bar::Orange ? "orange"
                                                                        : "green";
  char usedPercent[16];
  std::snprintf(usedPercent, sizeof usedPercent, "%.1f",
                100.0 * view->memoryGauge / STATUS_GAUGE_RANGE);
  if (json) {
    env.out << "{\"found\": true, \"usable\": true"
            << ", \"firmware\": " << JsonString(FirmwareVersionText(block.FirmwareVersion()))
            << ", \"firmware_word\": " << block.FirmwareVersion() << ", \"serial_number\": "
            << (block.IsLong() ? std::to_string(block.serialNumber()) : "null")
            << ", \"recordings\": " << block.fileCount()
            << ", \"battery_level\": " << view->batteryLevel << ", \"battery_bar\": \"" << bar
            << "\", \"free_bytes\": " << view->freeBytes
            << ", \"memory_used\": " << view->memoryGauge
            << ", \"memory_used_percent\": " << usedPercent
            << ", \"interval_seconds\": " << IntervalText(tenths)
            << ", \"remaining_seconds\": " << view->remainingSeconds
            << ", \"status_text\": " << JsonString(view->text) << "}" << std::endl;
    return CLI_OK;
  }
  Table table;
  table.Add("Logger", "found");
  table.Add("Firmware", FirmwareVersionText(block.FirmwareVersion()));
  table.Add("Serial number",
            block.IsLong() ? std::to_string(block.serialNumber()) : "not stored (short block)");
  table.Add("Recordings", std::to_string(block.fileCount()));
  table.Add("Battery", std::to_string(view->batteryLevel) + " of " +
                           std::to_string(STATUS_GAUGE_RANGE) + " (" + bar + ")");
  table.Add("Memory used",
            std::string(usedPercent) + " % (" + std::to_string(view->freeBytes) + " bytes free)");
  table.Add("Sample interval", IntervalText(tenths) + " s");
  table.Add("Status", view->text);
  table.Print(env.out);
  return CLI_OK;
}

int RunInfo(const Options&, CliEnv& env) {
  LoggerSession session(env);
  if (const int code = session.Connect()) return code;
  SettingsBlock block;
  if (!ReadSettingsBlock(session.link, block)) return session.Failed("reading the settings block");
  const unsigned char* clock = session.link.GetClock();
  if (!clock) return session.Failed("reading the clock");

  const int tenths = IntervalTenths(block.rateWord());
  const std::string unit = FlowUnitText(block);
  auto condition = [&](const char* word, uint16_t threshold, uint16_t samples) {
    return "flow " + std::string(word) + " " + std::to_string(threshold) + " " + unit + " for " +
           std::to_string(DelaySeconds(tenths, samples)) + " s (" + Samples(samples) + ")";
  };
  char clockText[32];
  std::snprintf(clockText, sizeof clockText, "%04d-%02d-%02d %02d:%02d:%02d",
                2000 + DecodeBcd(clock[6]), DecodeBcd(clock[5]), DecodeBcd(clock[4]),
                DecodeBcd(clock[2] & 0x3F), DecodeBcd(clock[1] & 0x7F), DecodeBcd(clock[0] & 0x7F));
  char pressure[64];
  std::snprintf(pressure, sizeof pressure, "zero %d, scale %d + %d/100 counts per psi",
                block.pressureZero(), block.pressureRough(), block.pressureFine());

  Table table;
  table.Add("Firmware", FirmwareVersionText(block.FirmwareVersion()));
  if (block.IsLong()) table.Add("Serial number", std::to_string(block.serialNumber()));
  table.Add("Recordings", std::to_string(block.fileCount()));
  table.Add("Sample interval", IntervalText(tenths) + " s");
  table.Add("Pressure unit", PressureUnitText(block.pressureUnit()));
  table.Add("Flow unit", unit);
  table.Add("Automatic logging", block.autoLogging() ? "on" : "off");
  table.Add("Start recording", condition("above", block.flowOnThreshold(), block.flowOnDelay()));
  table.Add("Stop recording", condition("below", block.flowOffThreshold(), block.flowOffDelay()));
  table.Add("Clock", clockText);
  table.Add("Pressure calibration", pressure);
  if (block.IsLong()) {
    table.Add("Manufactured", BcdDateText(block.manufactureDate()));
    table.Add("Calibrated", BcdDateText(block.calibrationDate()) + ", valid for " +
                                std::to_string(block.calibrationMonths()) + " months");
    if (const auto expiry = CalibrationExpiry(block.calibrationDate(), block.calibrationMonths())) {
      const bool expired =
          CalibrationExpired(block.calibrationDate(), block.calibrationMonths(), LocalNow(env));
      table.Add("Calibration expires",
                DateText(*expiry) +
                    (expired ? " (" + std::string(settings_text::CALIBRATION_EXPIRED) + ")" : ""));
    }
  } else {
    table.Add("Serial number", "not stored (short block of firmware other than 4.3)");
  }
  table.Print(env.out);
  return CLI_OK;
}

namespace {

// "HH:MM" or "HH:MM:SS" (one or two digits each) as hours, minutes, seconds.
bool ParseTime(const std::string& text, int hms[3]) {
  int part = 0, digits = 0;
  hms[0] = hms[1] = hms[2] = 0;
  for (const char c : text) {
    if (c == ':' && digits > 0 && part < 2) {
      ++part;
      digits = 0;
    } else if (c >= '0' && c <= '9' && digits < 2) {
      hms[part] = hms[part] * 10 + (c - '0');
      ++digits;
    } else {
      return false;
    }
  }
  return part >= 1 && digits > 0 && hms[0] <= 23 && hms[1] <= 59 && hms[2] <= 59;
}

bool ParseDate(const std::string& text, CivilDate& date) {
  char tail = 0;
  if (text.size() != 10 ||
      std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &date.year, &date.month, &date.day, &tail) != 3)
    return false;
  return date.month >= 1 && date.month <= 12 && date.day >= 1 &&
         date.day <= DaysInMonth(date.year, date.month);
}

}  // namespace

int RunSetClock(const Options& options, CliEnv& env) {
  const bool explicitTime = options.Has("time") || options.Has("date");
  if (options.Has("now") && explicitTime)
    return Usage(env, "set-clock", "--now goes without --time and --date");
  const bool now = !explicitTime;
  // Everything is checked before the logger is touched.
  int hms[3] = {};
  if (options.Has("time") && !ParseTime(options.Get("time"), hms))
    return Usage(env, "set-clock",
                 "the time must be HH:MM or HH:MM:SS, not '" + options.Get("time") + "'");
  CivilDate date;
  uint8_t dateBytes[3] = {};
  if (options.Has("date")) {
    if (!ParseDate(options.Get("date"), date))
      return Usage(env, "set-clock",
                   "the date must be YYYY-MM-DD, not '" + options.Get("date") + "'");
    if (!BcdFromDate(date, dateBytes))
      return Usage(env, "set-clock", "the logger's clock holds the years 2000 to 2099 only");
  }

  LoggerSession session(env);
  if (const int code = session.Connect()) return code;
  // The clock's fourth byte goes back as it was read, as the settings dialog sends it.
  const unsigned char* clock = session.link.GetClock();
  if (!clock) return session.Failed("reading the clock");
  const uint8_t fourth = clock[3];
  session.link.ConfigureClock(0, 0xAB);

  const bool sendTime = now || options.Has("time");
  const bool sendDate = now || options.Has("date");
  if (now) {
    const LocalTime local = LocalNow(env);
    hms[0] = local.hour;
    hms[1] = local.minute;
    hms[2] = local.second;
    date = local.date;
    if (!BcdFromDate(date, dateBytes)) {
      Say(env, "this computer's date lies outside the years 2000 to 2099 the logger can hold");
      return CLI_USAGE;
    }
  }
  if (sendTime) {
    const unsigned char bytes[4] = {EncodeBcd(hms[2]), EncodeBcd(hms[1]), EncodeBcd(hms[0]),
                                    fourth};
    if (!session.link.SetClockTime(bytes)) return session.Failed("setting the clock's time");
  }
  if (sendDate && !session.link.SetClockDate(dateBytes))
    return session.Failed(sendTime ? "setting the clock's date (its time was set)"
                                   : "setting the clock's date");
  char text[64];
  if (sendTime && sendDate)
    std::snprintf(text, sizeof text, "clock set to %s %02d:%02d:%02d", DateText(date).c_str(),
                  hms[0], hms[1], hms[2]);
  else if (sendTime)
    std::snprintf(text, sizeof text, "clock time set to %02d:%02d:%02d", hms[0], hms[1], hms[2]);
  else
    std::snprintf(text, sizeof text, "clock date set to %s", DateText(date).c_str());
  Say(env, text);
  return CLI_OK;
}

namespace {

// Seconds with at most one decimal, as tenths: "2.5" is 25.
std::optional<int> ParseTenths(const std::string& text) {
  int whole = 0, tenth = 0;
  size_t i = 0;
  if (text.empty() || text.size() > 6) return std::nullopt;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    whole = whole * 10 + (text[i] - '0');
  if (i == 0) return std::nullopt;
  if (i < text.size()) {
    if (text[i] != '.' || i + 2 != text.size() || text[i + 1] < '0' || text[i + 1] > '9')
      return std::nullopt;
    tenth = text[i + 1] - '0';
  }
  return whole * 10 + tenth;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace

int RunSet(const Options& options, CliEnv& env) {
  const char* const thresholdOptions[] = {"flow-on", "flow-on-delay", "flow-off", "flow-off-delay",
                                          "auto-logging"};
  bool thresholds = options.Has("interval");  // the delays count samples of the interval
  for (const char* name : thresholdOptions) thresholds = thresholds || options.Has(name);
  const bool rate = options.Has("interval") || options.Has("unit");
  if (!rate && !thresholds)
    return Usage(env, "set",
                 "nothing to set: give --interval, --unit, --auto-logging or a threshold");

  // Everything given is checked before the logger is touched.
  int tenths = 0;
  if (options.Has("interval")) {
    const auto parsed = ParseTenths(options.Get("interval"));
    if (!parsed || *parsed < INTERVAL_MIN_TENTHS || *parsed > INTERVAL_MAX_TENTHS)
      return Usage(env, "set",
                   "the interval goes from 0.1 to 15.9 seconds in steps of 0.1, not '" +
                       options.Get("interval") + "'");
    tenths = *parsed;
  }
  unsigned char unit = 0;
  if (options.Has("unit")) {
    const std::string u = Lower(options.Get("unit"));
    if (u != "bar" && u != "psi")
      return Usage(env, "set", "the unit is bar or psi, not '" + options.Get("unit") + "'");
    unit = u == "bar" ? PRESSURE_UNIT_BAR : PRESSURE_UNIT_PSI;
  }
  const std::string autoText = Lower(options.Get("auto-logging"));
  if (options.Has("auto-logging") && autoText != "on" && autoText != "off")
    return Usage(env, "set",
                 "--auto-logging is on or off, not '" + options.Get("auto-logging") + "'");

  LoggerSession session(env);
  if (const int code = session.Connect()) return code;
  SettingsBlock block;
  if (!ReadSettingsBlock(session.link, block)) return session.Failed("reading the settings block");
  const int oldTenths = IntervalTenths(block.rateWord());
  if (!tenths) tenths = oldTenths;
  if (!unit) unit = block.pressureUnit();
  const bool autoLogging = options.Has("auto-logging") ? autoText == "on" : block.autoLogging();

  // The thresholds go through the settings dialog's checks, with the values not given as the
  // dialog would show them: delays in whole seconds of the interval they were set for.
  ThresholdCheck check;
  if (thresholds) {
    auto text = [&](const char* name, int64_t current) {
      return options.Has(name) ? options.Get(name) : std::to_string(current);
    };
    check = CheckThresholds(text("flow-on", block.flowOnThreshold()),
                            text("flow-on-delay", DelaySeconds(oldTenths, block.flowOnDelay())),
                            text("flow-off", block.flowOffThreshold()),
                            text("flow-off-delay", DelaySeconds(oldTenths, block.flowOffDelay())),
                            tenths);
    for (size_t i = 0; i < check.notices.size(); ++i) {
      const Notice& n = check.notices[i];
      const bool refusal = !check.send && i + 1 == check.notices.size();
      const std::string detail =
          n.caption == settings_text::MESSAGE_CAPTION ? "" : ": '" + n.caption + "'";
      Say(env, (refusal ? "" : "warning: ") + n.text + detail);
    }
    if (!check.send) {
      Say(env, "nothing was sent to the logger");
      return CLI_USAGE;
    }
  }

  std::ostringstream done;
  if (rate) {
    // Without --interval the logger keeps its own rate word, not one rounded to tenths.
    const int rateWord = options.Has("interval") ? RateWordFromTenths(tenths) : block.rateWord();
    if (!session.link.SetRateAndUnit(rateWord, unit))
      return session.Failed("setting the interval and pressure unit (nothing else was sent)");
    done << "interval " << IntervalText(tenths) << " s, pressure unit " << PressureUnitText(unit);
  }
  if (thresholds) {
    const std::string after = rate ? " (the interval and unit were set)" : "";
    if (!session.link.SetFlowOnThreshold(check.flowOn, check.flowOnDelay))
      return session.Failed("setting the start threshold" + after);
    if (!session.link.SetFlowOffThreshold(check.flowOff, check.flowOffDelay))
      return session.Failed("setting the stop threshold (the start threshold was set)");
    if (!session.link.SetAutoLogging(autoLogging ? 1 : 0))
      return session.Failed("switching automatic logging (the thresholds were set)");
    const std::string flowUnit = FlowUnitText(block);
    if (rate) done << "; ";
    done << "start above " << check.flowOn << ' ' << flowUnit << " for " << check.flowOnDelaySeconds
         << " s (" << Samples(check.flowOnDelay) << "), stop below " << check.flowOff << ' '
         << flowUnit << " for " << check.flowOffDelaySeconds << " s ("
         << Samples(check.flowOffDelay) << "), automatic logging " << (autoLogging ? "on" : "off");
  }
  Say(env, "set " + done.str());
  return CLI_OK;
}

}  // namespace cli
