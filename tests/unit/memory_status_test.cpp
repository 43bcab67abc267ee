// The memory status record as the main window shows it.
#include "recordings/MemoryStatus.h"

#include <gtest/gtest.h>

namespace {
MemoryStatusView Decode(unsigned free, unsigned battery, unsigned rate) {
  const unsigned char r[7] = {static_cast<unsigned char>(free), static_cast<unsigned char>(free >> 8),
                              static_cast<unsigned char>(free >> 16), static_cast<unsigned char>(battery),
                              static_cast<unsigned char>(battery >> 8), static_cast<unsigned char>(rate),
                              static_cast<unsigned char>(rate >> 8)};
  return DecodeMemoryStatus(r);
}
}  // namespace

TEST(MemoryStatus, TextsGaugesAndBatteryBar) {
  using Bar = MemoryStatusView::Bar;
  struct Case {
    unsigned free, battery, rate;
    const char* text;
    int memory, level;
    Bar bar;
  };
  const Case cases[] = {
      {131050, 200, 0xF000, "12:08 Stunden Speicherplatz vorhanden", 0, 600, Bar::Green},
      {3000, 100, 0xF000, "00:16 Minuten Speicherplatz vorhanden", 683, 300, Bar::Orange},
      {131050, 50, 0x6000, "5 Days, 01:21 Minuten Speicherplatz vorhanden", 0, 150, Bar::Red},
      {0, 117, 0xF000, "00:00 Minuten Speicherplatz vorhanden", 700, 351, Bar::Green},
      {65535, 59, 0xF000, "06:04 Stunden Speicherplatz vorhanden", 350, 177, Bar::Orange},
      {65535, 58, 0xF000, "06:04 Stunden Speicherplatz vorhanden", 350, 174, Bar::Red},
      {0xFFFFFF, 0xFFFF, 0xF000, "64 Days, 18:37 Minuten Speicherplatz vorhanden", 0, 700, Bar::Green},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const MemoryStatusView v = Decode(c.free, c.battery, c.rate);
    EXPECT_EQ(v.text, c.text);
    EXPECT_EQ(v.memoryGauge, c.memory);
    EXPECT_EQ(v.batteryLevel, c.level);
    EXPECT_EQ(v.batteryBar, c.bar);
    EXPECT_EQ(v.freeBytes, c.free);
  }
  EXPECT_EQ(Decode(131050, 200, 0xF000).remainingSeconds, 43716);
  EXPECT_EQ(Decode(131050, 200, 0x6000).remainingSeconds, 436866);
}

TEST(MemoryStatus, ReadFailureTextNamesTheLoggersCode) {
  EXPECT_EQ(ReadFailureText(7), "Lesen fehlgeschlagen Fehlercode: 7");
  EXPECT_EQ(ReadFailureText(0), "USB-Verbindung fehlgeschlagen");
}
