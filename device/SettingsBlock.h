#pragma once

#include <array>
#include <cstdint>
#include <string>

class VellUSB;

constexpr int SETTINGS_BLOCK_SHORT = 21;
constexpr int SETTINGS_BLOCK_LONG = 41;
constexpr int FIRMWARE_LONG_BLOCK = 0x0403;

constexpr unsigned char PRESSURE_UNIT_PSI = 'p';
constexpr unsigned char PRESSURE_UNIT_BAR = 'b';

// A BCD date as stored in the block: day, month, year after 2000.
struct BcdDate {
  uint8_t day = 0, month = 0, year = 0;
};

// The logger's settings block at memory address 0, as read, decoded on demand.
class SettingsBlock {
 public:
  // Offsets of the fields.
  enum : int {
    OFF_RATE_WORD = 0,
    OFF_FILE_COUNT = 2,
    OFF_STATE_FLAGS = 4,
    OFF_FLOW_ON_THRESHOLD = 5,
    OFF_FLOW_ON_DELAY = 7,
    OFF_FLOW_OFF_THRESHOLD = 9,
    OFF_FLOW_OFF_DELAY = 11,
    OFF_PRESSURE_ROUGH = 13,
    OFF_PRESSURE_ZERO = 14,
    OFF_PRESSURE_FINE = 15,
    OFF_FILTER_MEDIAN = 16,
    OFF_FLOW_CLAMP = 17,
    OFF_DISPLAY_ALTERNATION = 18,
    OFF_PRESSURE_UNIT = 19,
    OFF_VOLUME_RANGE = 20,
    OFF_SERIAL_NUMBER = 21,
    OFF_MANUFACTURE_DATE = 23,
    OFF_CALIBRATION_DATE = 29,
    OFF_CALIBRATION_MONTHS = 32,
  };

  SettingsBlock() = default;
  // Takes `length` bytes: 41 or more make a long block, anything less a short one (cut or
  // padded with zeros).
  SettingsBlock(const unsigned char* bytes, int length, int firmwareVersion);

  int Length() const { return m_length; }
  bool IsLong() const { return m_length == SETTINGS_BLOCK_LONG; }
  int FirmwareVersion() const { return m_firmwareVersion; }
  const unsigned char* Bytes() const { return m_bytes.data(); }

  uint16_t rateWord() const { return Word(OFF_RATE_WORD); }
  uint16_t fileCount() const { return Word(OFF_FILE_COUNT); }
  uint8_t stateFlags() const { return m_bytes[OFF_STATE_FLAGS]; }
  bool flowUnitLitres() const { return stateFlags() & 0x01; }
  bool autoLogging() const { return stateFlags() & 0x02; }
  uint16_t flowOnThreshold() const { return Word(OFF_FLOW_ON_THRESHOLD); }
  uint16_t flowOnDelay() const { return Word(OFF_FLOW_ON_DELAY); }
  uint16_t flowOffThreshold() const { return Word(OFF_FLOW_OFF_THRESHOLD); }
  uint16_t flowOffDelay() const { return Word(OFF_FLOW_OFF_DELAY); }
  uint8_t pressureRough() const { return m_bytes[OFF_PRESSURE_ROUGH]; }
  uint8_t pressureZero() const { return m_bytes[OFF_PRESSURE_ZERO]; }
  uint8_t pressureFine() const { return m_bytes[OFF_PRESSURE_FINE]; }
  uint8_t filterMedian() const { return m_bytes[OFF_FILTER_MEDIAN]; }
  uint8_t flowClamp() const { return m_bytes[OFF_FLOW_CLAMP]; }
  uint8_t displayAlternation() const { return m_bytes[OFF_DISPLAY_ALTERNATION]; }
  unsigned char pressureUnit() const { return m_bytes[OFF_PRESSURE_UNIT]; }
  uint8_t volumeRange() const { return m_bytes[OFF_VOLUME_RANGE]; }
  // The following are only meaningful in a long block (0 / empty otherwise).
  uint16_t serialNumber() const { return IsLong() ? Word(OFF_SERIAL_NUMBER) : 0; }
  BcdDate manufactureDate() const { return Date(OFF_MANUFACTURE_DATE); }
  BcdDate calibrationDate() const { return Date(OFF_CALIBRATION_DATE); }
  uint8_t calibrationMonths() const { return IsLong() ? m_bytes[OFF_CALIBRATION_MONTHS] : 0; }

 private:
  uint16_t Word(int off) const { return static_cast<uint16_t>(m_bytes[off] | m_bytes[off + 1] << 8); }
  BcdDate Date(int off) const;

  std::array<unsigned char, SETTINGS_BLOCK_LONG> m_bytes{};
  int m_length = 0;
  int m_firmwareVersion = 0;
};

// Block length for a firmware version word.
int SettingsBlockLength(int firmwareVersion);

// Reads the block through the link: firmware version (a failed request counts as 0), then
// 21 or 41 bytes from address 0. False when the memory read fails; nothing is decoded then.
bool ReadSettingsBlock(VellUSB& link, SettingsBlock& block);

// Sample-rate conversions.
int IntervalTenths(uint16_t rateWord);
int IntervalMilliseconds(uint16_t rateWord);
uint16_t RateWordFromTenths(int tenths);

// Packed BCD: the byte's hexadecimal digits read as a decimal number (0x25 is 25). As with
// reading the "%x" text as a decimal, reading stops at the first digit above 9.
int DecodeBcd(uint8_t byte);
uint8_t EncodeBcd(int n);  // n from 0 to 99
// The four-digit year text of a BCD year byte ("2016" for 0x16, "2007" for 0x07).
std::string BcdYearText(uint8_t year);
