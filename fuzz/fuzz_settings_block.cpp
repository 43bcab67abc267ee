// The settings block as the logger sends it, and everything the program derives from it:
// two bytes of firmware word, then the block bytes. The block is built over the whole
// input and over exactly 21 and 41 of its bytes, each an exactly-sized heap copy.
#include <string_view>

#include "FuzzSupport.h"
#include "device/SettingsBlock.h"
#include "settings/DeviceInfo.h"
#include "settings/SettingsLogic.h"

namespace {

uint16_t Word(const uint8_t* b, int off) { return static_cast<uint16_t>(b[off] | b[off + 1] << 8); }

bool IsBcd(uint8_t b) { return (b >> 4) <= 9 && (b & 0x0F) <= 9; }

void CheckBcd(uint8_t b) {
  const int n = DecodeBcd(b);
  FUZZ_CHECK(n >= 0 && n <= 99);
  if (IsBcd(b)) FUZZ_CHECK(EncodeBcd(n) == b);
  const std::string year = BcdYearText(b);
  FUZZ_CHECK(year.size() == 4 && year.rfind("20", 0) == 0);
}

void CheckRate(uint16_t rateWord) {
  const int tenths = IntervalTenths(rateWord);
  const int ms = IntervalMilliseconds(rateWord);
  FUZZ_CHECK(tenths >= 1 && tenths <= 160);
  FUZZ_CHECK(ms >= 1 && ms <= 16000);
  // The dialog offers 1..159 tenths; each must come back from its own rate word.
  if (tenths <= INTERVAL_MAX_TENTHS)
    FUZZ_CHECK(IntervalTenths(RateWordFromTenths(tenths)) == tenths);
  FUZZ_CHECK(!IntervalText(tenths).empty());
}

void CheckDate(const BcdDate& d, int months) {
  const std::string text = CalibrationText(d, months);
  FUZZ_CHECK(!text.empty());
  if (const auto date = DateFromBcd(d.day, d.month, d.year)) {
    FUZZ_CHECK(date->month >= 1 && date->month <= 12);
    FUZZ_CHECK(date->day >= 1 && date->day <= DaysInMonth(date->year, date->month));
    const auto expiry = CalibrationExpiry(d, months);
    FUZZ_CHECK(expiry.has_value());
    FUZZ_CHECK(expiry->day >= 1 && expiry->day <= DaysInMonth(expiry->year, expiry->month));
  }
  LocalTime now;
  now.date = {2030, 6, 15};
  (void)CalibrationExpired(d, months, now);
}

void CheckBlock(const SettingsBlock& block, const uint8_t* bytes, size_t given, int firmware) {
  FUZZ_CHECK(block.Length() == SETTINGS_BLOCK_SHORT || block.Length() == SETTINGS_BLOCK_LONG);
  FUZZ_CHECK(block.IsLong() == (given >= static_cast<size_t>(SETTINGS_BLOCK_LONG)));
  FUZZ_CHECK(block.FirmwareVersion() == firmware);
  // The block's bytes: the given ones, zeros after them.
  const uint8_t* b = block.Bytes();
  for (int i = 0; i < block.Length(); ++i)
    FUZZ_CHECK(b[i] == (bytes && static_cast<size_t>(i) < given ? bytes[i] : 0));

  FUZZ_CHECK(block.rateWord() == Word(b, SettingsBlock::OFF_RATE_WORD));
  FUZZ_CHECK(block.fileCount() == Word(b, SettingsBlock::OFF_FILE_COUNT));
  FUZZ_CHECK(block.stateFlags() == b[SettingsBlock::OFF_STATE_FLAGS]);
  FUZZ_CHECK(block.flowUnitLitres() == ((b[SettingsBlock::OFF_STATE_FLAGS] & 1) != 0));
  FUZZ_CHECK(block.autoLogging() == ((b[SettingsBlock::OFF_STATE_FLAGS] & 2) != 0));
  FUZZ_CHECK(block.flowOnThreshold() == Word(b, SettingsBlock::OFF_FLOW_ON_THRESHOLD));
  FUZZ_CHECK(block.flowOnDelay() == Word(b, SettingsBlock::OFF_FLOW_ON_DELAY));
  FUZZ_CHECK(block.flowOffThreshold() == Word(b, SettingsBlock::OFF_FLOW_OFF_THRESHOLD));
  FUZZ_CHECK(block.flowOffDelay() == Word(b, SettingsBlock::OFF_FLOW_OFF_DELAY));
  FUZZ_CHECK(block.pressureRough() == b[SettingsBlock::OFF_PRESSURE_ROUGH]);
  FUZZ_CHECK(block.pressureZero() == b[SettingsBlock::OFF_PRESSURE_ZERO]);
  FUZZ_CHECK(block.pressureFine() == b[SettingsBlock::OFF_PRESSURE_FINE]);
  FUZZ_CHECK(block.filterMedian() == b[SettingsBlock::OFF_FILTER_MEDIAN]);
  FUZZ_CHECK(block.flowClamp() == b[SettingsBlock::OFF_FLOW_CLAMP]);
  FUZZ_CHECK(block.displayAlternation() == b[SettingsBlock::OFF_DISPLAY_ALTERNATION]);
  FUZZ_CHECK(block.pressureUnit() == b[SettingsBlock::OFF_PRESSURE_UNIT]);
  FUZZ_CHECK(block.volumeRange() == b[SettingsBlock::OFF_VOLUME_RANGE]);

  const BcdDate made = block.manufactureDate();
  const BcdDate calibrated = block.calibrationDate();
  if (block.IsLong()) {
    FUZZ_CHECK(block.serialNumber() == Word(b, SettingsBlock::OFF_SERIAL_NUMBER));
    FUZZ_CHECK(made.day == b[SettingsBlock::OFF_MANUFACTURE_DATE]);
    FUZZ_CHECK(made.year == b[SettingsBlock::OFF_MANUFACTURE_DATE + 2]);
    FUZZ_CHECK(calibrated.month == b[SettingsBlock::OFF_CALIBRATION_DATE + 1]);
    FUZZ_CHECK(block.calibrationMonths() == b[SettingsBlock::OFF_CALIBRATION_MONTHS]);
  } else {
    FUZZ_CHECK(block.serialNumber() == 0 && block.calibrationMonths() == 0);
    FUZZ_CHECK(made.day == 0 && made.month == 0 && made.year == 0);
    FUZZ_CHECK(calibrated.day == 0 && calibrated.month == 0 && calibrated.year == 0);
  }

  // What the settings dialog and the device line make of it.
  CheckRate(block.rateWord());
  const int tenths = IntervalTenths(block.rateWord());
  FUZZ_CHECK(DelaySeconds(tenths, block.flowOnDelay()) >= 0);
  FUZZ_CHECK(DelaySeconds(tenths, block.flowOffDelay()) >= 0);
  FUZZ_CHECK(!DeviceText(block.serialNumber(), block.FirmwareVersion()).empty());
  CheckDate(calibrated, block.calibrationMonths());
  CheckDate(made, block.calibrationMonths());
  for (int i = 0; i < block.Length(); ++i) CheckBcd(b[i]);
}

// The clock bytes the dialog shows come from the logger too.
void CheckClockBytes(const uint8_t* b, size_t n) {
  if (n < 6) return;
  FUZZ_CHECK(!HoursText(b[2]).empty() && MinutesText(b[1]).size() >= 2 &&
             !SecondsText(b[0]).empty());
  for (ClockUnit unit : {ClockUnit::Seconds, ClockUnit::Minutes, ClockUnit::Hours}) {
    (void)SpinClockByte(b[0], unit, true);
    (void)SpinClockByte(b[0], unit, false);
  }
  if (const auto date = DateFromBcd(b[3], b[4], b[5])) {
    uint8_t back[3];
    FUZZ_CHECK(BcdFromDate(*date, back));
    FUZZ_CHECK(back[0] == b[3] && back[1] == b[4] && back[2] == b[5]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int firmware = data[0] | data[1] << 8;
  FUZZ_CHECK(SettingsBlockLength(firmware) == (firmware == FIRMWARE_LONG_BLOCK ? 41 : 21));
  FUZZ_CHECK(FirmwareVersionText(firmware).find('.') != std::string::npos);
  const uint8_t* bytes = data + 2;
  const size_t n = size - 2;

  // Whatever length arrives, and the two lengths a block really has.
  {
    const auto copy = fuzz::HeapCopy(bytes, n);
    const int length = static_cast<int>(std::min<size_t>(n, 1 << 20));
    CheckBlock(SettingsBlock(copy.get(), length, firmware), copy.get(), n, firmware);
  }
  for (const int length : {SETTINGS_BLOCK_SHORT, SETTINGS_BLOCK_LONG}) {
    if (n < static_cast<size_t>(length)) continue;
    const auto copy = fuzz::HeapCopy(bytes, static_cast<size_t>(length));
    CheckBlock(SettingsBlock(copy.get(), length, firmware), copy.get(), static_cast<size_t>(length),
               firmware);
  }
  CheckBlock(SettingsBlock(nullptr, SETTINGS_BLOCK_LONG, firmware), nullptr, 41, firmware);

  const auto clock = fuzz::HeapCopy(bytes, n);
  CheckClockBytes(clock.get(), n);
  return 0;
}
