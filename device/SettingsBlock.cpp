#include "device/SettingsBlock.h"

#include "device/VellUSB.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

SettingsBlock::SettingsBlock(const unsigned char* bytes, int length, int firmwareVersion)
    : m_length(length >= SETTINGS_BLOCK_LONG ? SETTINGS_BLOCK_LONG : SETTINGS_BLOCK_SHORT),
      m_firmwareVersion(firmwareVersion) {
  if (bytes && length > 0) std::memcpy(m_bytes.data(), bytes, std::min(length, m_length));
}

BcdDate SettingsBlock::Date(int off) const {
  if (!IsLong()) return {};
  return {m_bytes[off], m_bytes[off + 1], m_bytes[off + 2]};
}

int SettingsBlockLength(int firmwareVersion) {
  return firmwareVersion == FIRMWARE_LONG_BLOCK ? SETTINGS_BLOCK_LONG : SETTINGS_BLOCK_SHORT;
}

bool ReadSettingsBlock(VellUSB& link, SettingsBlock& block) {
  const unsigned char* reply = link.GetFirmwareVersion();
  const int version = reply ? reply[0] | reply[1] << 8 : 0;
  const int length = SettingsBlockLength(version);
  unsigned char bytes[SETTINGS_BLOCK_LONG] = {};
  if (!link.ReadMemory(0, static_cast<uint32_t>(length), bytes)) return false;
  block = SettingsBlock(bytes, length, version);
  return true;
}

int IntervalTenths(uint16_t rateWord) { return 1 + 80 * (65535 - rateWord) / 32768; }

int IntervalMilliseconds(uint16_t rateWord) { return 1 + 8000 * (65535 - rateWord) / 32768; }

uint16_t RateWordFromTenths(int tenths) {
  const double product = tenths / 10.0 * 4096;
  const int truncated = static_cast<int>(product);
  return static_cast<uint16_t>(-truncated);
}

int DecodeBcd(uint8_t byte) {
  const int hi = byte >> 4, lo = byte & 0x0F;
  if (hi == 0) return lo <= 9 ? lo : 0;  // a single hexadecimal digit
  if (hi > 9) return 0;
  return lo > 9 ? hi : hi * 10 + lo;
}

uint8_t EncodeBcd(int n) { return static_cast<uint8_t>(n + (n / 10) * 6); }

std::string BcdYearText(uint8_t year) {
  char text[8];
  std::snprintf(text, sizeof text, year < 0x10 ? "200%x" : "20%x", year);
  return text;
}
