// The settings dialog's rules without a window: interval steps, clock spins, threshold
// checks, the device information line and the calibration expiry.
#include "device/SettingsBlock.h"
#include "settings/DeviceInfo.h"
#include "settings/SettingsLogic.h"

#include <gtest/gtest.h>

#include <array>

namespace st = settings_text;

TEST(SettingsInterval, StepsStayInRangeAndTextHasAPoint) {
  EXPECT_EQ(IntervalUp(1), 2);
  EXPECT_EQ(IntervalUp(158), 159);
  EXPECT_EQ(IntervalUp(159), 159);
  EXPECT_EQ(IntervalDown(1), 1);
  EXPECT_EQ(IntervalDown(2), 1);
  EXPECT_EQ(IntervalDown(159), 158);
  EXPECT_EQ(IntervalText(10), "1.0");
  EXPECT_EQ(IntervalText(1), "0.1");
  EXPECT_EQ(IntervalText(159), "15.9");
  EXPECT_EQ(IntervalText(100), "10.0");
  EXPECT_EQ(DelaySeconds(25, 2), 5);
  EXPECT_EQ(DelaySeconds(159, 0xFFFF), 1042006);  // no 16-bit overflow on the way
}

TEST(SettingsClock, SpinWrapsInBcd) {
  struct Case {
    uint8_t byte;
    ClockUnit unit;
    bool up;
    uint8_t expected;
  };
  const Case cases[] = {
      {0x59, ClockUnit::Minutes, true, 0x00}, {0x00, ClockUnit::Minutes, false, 0x59},
      {0x09, ClockUnit::Minutes, true, 0x10}, {0x10, ClockUnit::Seconds, false, 0x09},
      {0x59, ClockUnit::Seconds, true, 0x00}, {0x00, ClockUnit::Seconds, false, 0x59},
      {0x23, ClockUnit::Hours, true, 0x00},   {0x00, ClockUnit::Hours, false, 0x23},
      {0x19, ClockUnit::Hours, true, 0x20},
      // Above the limit (bit 7 of the seconds, an hours byte with mode bits): unchanged.
      {0x85, ClockUnit::Seconds, true, 0x85}, {0x60, ClockUnit::Minutes, false, 0x60},
      {0x24, ClockUnit::Hours, true, 0x24},   {0x45, ClockUnit::Hours, false, 0x45},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << int(c.byte) << " up " << c.up);
    EXPECT_EQ(SpinClockByte(c.byte, c.unit, c.up), c.expected);
  }
}

TEST(SettingsClock, FieldTexts) {
  EXPECT_EQ(MinutesText(0x05), "05");
  EXPECT_EQ(HoursText(0x05), "5");
  EXPECT_EQ(SecondsText(0x05), "5");
  EXPECT_EQ(MinutesText(0x59), "59");
  EXPECT_EQ(HoursText(0x23), "23");
  // Masked as the logger's control bits are not part of the value.
  EXPECT_EQ(SecondsText(0x85), "5");
  EXPECT_EQ(MinutesText(0x83), "03");
  EXPECT_EQ(HoursText(0x52), "12");
}

TEST(SettingsClock, DatesInAndOut) {
  EXPECT_EQ(DateFromBcd(0x05, 0x09, 0x16), (CivilDate{2016, 9, 5}));
  EXPECT_EQ(DateFromBcd(0x29, 0x02, 0x16), (CivilDate{2016, 2, 29}));
  for (auto bytes : {std::array<uint8_t, 3>{0x00, 0x00, 0x00}, {0x29, 0x02, 0x17}, {0x31, 0x04, 0x20},
                     {0x01, 0x13, 0x20}, {0x1A, 0x01, 0x20}, {0x01, 0x01, 0xA0}, {0xFF, 0xFF, 0xFF}})
    EXPECT_FALSE(DateFromBcd(bytes[0], bytes[1], bytes[2])) << std::hex << int(bytes[0]) << " " << int(bytes[1]);

  uint8_t out[3] = {};
  ASSERT_TRUE(BcdFromDate({2016, 3, 9}, out));
  EXPECT_EQ(out[0], 0x09);
  EXPECT_EQ(out[1], 0x03);
  EXPECT_EQ(out[2], 0x16);
  ASSERT_TRUE(BcdFromDate({2000, 12, 31}, out));
  EXPECT_EQ(out[2], 0x00);
  EXPECT_FALSE(BcdFromDate({1999, 12, 31}, out));
  EXPECT_FALSE(BcdFromDate({2100, 1, 1}, out));
}

TEST(SettingsThresholds, ParsesFieldNumbers) {
  EXPECT_EQ(ParseFieldNumber("30"), 30);
  EXPECT_EQ(ParseFieldNumber(" 7 "), 7);
  EXPECT_EQ(ParseFieldNumber("+5"), 5);
  EXPECT_EQ(ParseFieldNumber("0"), 0);
  EXPECT_EQ(ParseFieldNumber("-0"), 0);
  EXPECT_EQ(ParseFieldNumber("65535"), 65535);
  for (const char* bad : {"", " ", "abc", "12x", "x12", "1 2", "-1", "65536", "99999999999999999999", "+", "1.5"})
    EXPECT_FALSE(ParseFieldNumber(bad)) << bad;
}

// What the user sees and what is sent, for the four field texts at an interval.
struct ThresholdCase {
  const char *on, *onDelay, *off, *offDelay;
  int tenths;
  std::vector<Notice> notices;
  bool send;
  uint16_t onDelaySamples = 0, offDelaySamples = 0;
  int64_t onDelayShown = 0, offDelayShown = 0;
};

static Notice Msg(const char* text) { return {text, st::MESSAGE_CAPTION}; }

static bool operator==(const Notice& a, const Notice& b) {
  return a.text == b.text && a.caption == b.caption;
}
static std::ostream& operator<<(std::ostream& os, const Notice& n) {
  return os << "\"" << n.text << "\" / \"" << n.caption << "\"";
}

TEST(SettingsThresholds, ValidationMessagesInOrder) {
  const Notice retype = {st::RETYPE_VALUE, ""};
  auto retypeWith = [](const char* caption) { return Notice{st::RETYPE_VALUE, caption}; };
  const ThresholdCase cases[] = {
      // Plain, then the delay round trips of the interval.
      {"30", "7", "20", "3", 10, {}, true, 7, 3, 7, 3},
      {"30", "7", "20", "7", 25, {}, true, 2, 2, 5, 5},
      {"30", "1", "20", "1", 15, {}, true, 0, 0, 0, 0},
      {"30", "0", "20", "1", 15, {Msg(st::DELAY_BELOW_INTERVAL)}, false},
      {"30", "1", "20", "0", 15, {Msg(st::DELAY_BELOW_INTERVAL)}, false},
      {"30", "0", "20", "0", 9, {}, true, 0, 0, 0, 0},  // intervals below 1 s allow 0 s
      // The thresholds' order: equal passes, off above on is refused.
      {"30", "5", "30", "5", 10, {}, true, 5, 5, 5, 5},
      {"20", "5", "30", "5", 10, {Msg(st::START_ABOVE_END)}, false},
      // High thresholds warn (once per threshold) and go on; the order check still applies.
      {"2500", "5", "20", "5", 10, {Msg(st::THRESHOLD_TOO_HIGH)}, true, 5, 5, 5, 5},
      {"2000", "5", "20", "5", 10, {}, true, 5, 5, 5, 5},
      {"3000", "5", "2500", "5", 10, {Msg(st::THRESHOLD_TOO_HIGH), Msg(st::THRESHOLD_TOO_HIGH)}, true, 5, 5, 5, 5},
      {"2500", "5", "3000", "5", 10,
       {Msg(st::THRESHOLD_TOO_HIGH), Msg(st::THRESHOLD_TOO_HIGH), Msg(st::START_ABOVE_END)}, false},
      // Long delays warn above 4000 samples and are sent.
      {"30", "401", "20", "400", 1, {Msg(st::DELAY_TOO_HIGH)}, true, 4010, 4000, 401, 400},
      {"30", "4001", "20", "4001", 10, {Msg(st::DELAY_TOO_HIGH), Msg(st::DELAY_TOO_HIGH)}, true, 4001, 4001, 4001, 4001},
      // A sample count beyond the logger's 16 bits would arrive cut short: refused.
      {"30", "6554", "20", "5", 1, {Msg(st::DELAY_TOO_HIGH)}, false},
      {"30", "6553", "20", "5", 1, {Msg(st::DELAY_TOO_HIGH)}, true, 65530, 50, 6553, 5},
      // Unparsable texts, checked in the order on, off, on delay, off delay; the first names itself.
      {"abc", "x", "y", "z", 10, {retypeWith("abc")}, false},
      {"12x", "5", "20", "5", 10, {retypeWith("12x")}, false},
      {"", "5", "20", "5", 10, {retype}, false},
      {"30", "x1", "2y", "5", 10, {retypeWith("2y")}, false},
      {"30", "x1", "20", "5", 10, {retypeWith("x1")}, false},
      {"30", "5", "20", "-3", 10, {retypeWith("-3")}, false},
      {"70000", "5", "20", "5", 10, {retypeWith("70000")}, false},
  };
  for (const ThresholdCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.on << " " << c.onDelay << " " << c.off << " " << c.offDelay << " @" << c.tenths);
    const ThresholdCheck check = CheckThresholds(c.on, c.onDelay, c.off, c.offDelay, c.tenths);
    EXPECT_EQ(check.notices, c.notices);
    EXPECT_EQ(check.send, c.send);
    if (!c.send || !check.send) continue;
    EXPECT_EQ(check.flowOn, *ParseFieldNumber(c.on));
    EXPECT_EQ(check.flowOff, *ParseFieldNumber(c.off));
    EXPECT_EQ(check.flowOnDelay, c.onDelaySamples);
    EXPECT_EQ(check.flowOffDelay, c.offDelaySamples);
    EXPECT_EQ(check.flowOnDelaySeconds, c.onDelayShown);
    EXPECT_EQ(check.flowOffDelaySeconds, c.offDelayShown);
  }
}

TEST(SettingsDeviceInfo, LineTexts) {
  EXPECT_EQ(DeviceText(1234, 0x0403), "Ger\xC3\xA4teeinstellungen     Serial No: 1234\nFirmware Version: 4.3");
  EXPECT_EQ(CalibrationText({0x05, 0x09, 0x16}, 12),
            "Kalibrierdatum: \t 5:9:2016 \nKalibrierung Dauer: \t 12 Monat");
  EXPECT_EQ(CalibrationText({0x31, 0x12, 0x09}, 0),
            "Kalibrierdatum: \t 31:12:2009 \nKalibrierung Dauer: \t 0 Monat");
  // A translated format gets the same numbers, even with conversions of another type.
  EXPECT_EQ(DeviceText(7, 0x0403, "Nr. %s / %%", "FW %5.2f%"), "Nr. 7 / %\nFW 4.3%");
  EXPECT_EQ(FillFormat("%d %d %d", {"1"}), "1  ");
  EXPECT_EQ(FillFormat("%y%", {"1"}), "%y%");
}

TEST(SettingsDeviceInfo, ExpiryByCalendarMonths) {
  EXPECT_EQ(CalibrationExpiry({0x05, 0x09, 0x16}, 12), (CivilDate{2017, 10, 5}));
  EXPECT_EQ(CalibrationExpiry({0x31, 0x01, 0x16}, 0), (CivilDate{2016, 2, 29}));
  EXPECT_EQ(CalibrationExpiry({0x31, 0x01, 0x17}, 0), (CivilDate{2017, 2, 28}));
  EXPECT_EQ(CalibrationExpiry({0x31, 0x03, 0x16}, 0), (CivilDate{2016, 4, 30}));
  EXPECT_EQ(CalibrationExpiry({0x15, 0x11, 0x09}, 1), (CivilDate{2010, 1, 15}));
  EXPECT_EQ(CalibrationExpiry({0x01, 0x01, 0x99}, 255), (CivilDate{2120, 5, 1}));

  const BcdDate september2016{0x05, 0x09, 0x16};
  struct Case {
    LocalTime now;
    bool expired;
  };
  const Case cases[] = {
      {{{2017, 10, 4}, 23, 59, 59}, false},
      {{{2017, 10, 5}, 0, 0, 0}, false},  // the very moment of expiry is not yet before now
      {{{2017, 10, 5}, 0, 0, 1}, true},
      {{{2017, 10, 5}, 12, 0, 0}, true},
      {{{2026, 1, 1}, 0, 0, 0}, true},
      {{{2016, 9, 5}, 0, 0, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.now.date.year << "-" << c.now.date.month << "-" << c.now.date.day << " " << c.now.hour);
    EXPECT_EQ(CalibrationExpired(september2016, 12, c.now), c.expired);
  }
}

TEST(SettingsDeviceInfo, InvalidCalibrationBytesNeverExpire) {
  const LocalTime far{{2099, 12, 31}, 23, 59, 59};
  for (BcdDate date : {BcdDate{0, 0, 0}, BcdDate{0x32, 0x01, 0x16}, BcdDate{0x01, 0x13, 0x16},
                       BcdDate{0xFF, 0xFF, 0xFF}, BcdDate{0x30, 0x02, 0x16}}) {
    EXPECT_FALSE(CalibrationExpiry(date, 12));
    EXPECT_FALSE(CalibrationExpired(date, 12, far));
  }
  // The line still shows what the logger holds.
  EXPECT_EQ(CalibrationText({0, 0, 0}, 0), "Kalibrierdatum: \t 0:0:2000 \nKalibrierung Dauer: \t 0 Monat");
}

TEST(SettingsSend, PartialFailureTextNamesWhatGotThere) {
  using S = SettingsStep;
  EXPECT_EQ(PartialSendText({S::RateAndUnit, S::Time, S::FlowOn, S::FlowOff, S::AutoLogging}, S::FlowOn, true),
            "\xC3\x84nderung des Druchflussgrenzwertes fehlgeschlagen\n\n"
            "\xC3\x9C"
            "bertragen: Abtastrate und Druckeinheit, Uhrzeit.\n"
            "Nicht \xC3\xBC"
            "bertragen: Einschaltbedingung, Ausschaltbedingung, automatische Datenlogfunktion.\n\n"
            "Der Dialog zeigt jetzt die Einstellungen, die der Logger tats\xC3\xA4"
            "chlich hat.");
  const std::string first = PartialSendText({S::RateAndUnit, S::Date}, S::RateAndUnit, false);
  EXPECT_EQ(first.rfind(st::RATE_FAILED, 0), 0u) << first;
  EXPECT_NE(first.find("bertragen: nichts.\nNicht \xC3\xBC"
                       "bertragen: Abtastrate und Druckeinheit, Datum."),
            std::string::npos)
      << first;
  EXPECT_NE(first.find("nicht zur\xC3\xBC"
                       "ckgelesen"),
            std::string::npos)
      << first;
}
