// The live recording as live reading starts it.
#include <gtest/gtest.h>

#include "device/SettingsBlock.h"
#include "recordings/LiveRecording.h"

TEST(LiveRecording, StampIsUtcAndRecordTakesTheBlock) {
  EXPECT_EQ(LiveStartStamp(1796904000), "10/12/2026 12:00:00");
  EXPECT_EQ(LiveStartStamp(1457510730), "09/03/2016 08:05:30");

  unsigned char bytes[SETTINGS_BLOCK_LONG] = {};
  bytes[SettingsBlock::OFF_RATE_WORD] = 0x00;
  bytes[SettingsBlock::OFF_RATE_WORD + 1] = 0xB0;  // 5 s
  bytes[SettingsBlock::OFF_STATE_FLAGS] = 0x01;
  bytes[SettingsBlock::OFF_PRESSURE_ROUGH] = 2;
  bytes[SettingsBlock::OFF_PRESSURE_ZERO] = 104;
  bytes[SettingsBlock::OFF_PRESSURE_FINE] = 15;
  bytes[SettingsBlock::OFF_PRESSURE_UNIT] = 'b';
  bytes[SettingsBlock::OFF_SERIAL_NUMBER] = 0x67;
  bytes[SettingsBlock::OFF_SERIAL_NUMBER + 1] = 0x12;
  struct Case {
    int firmware, length, serial;
  };
  for (const Case c : {Case{0x0403, 41, 0x1267}, Case{0x0402, 21, 0}}) {
    const Storage rec = NewLiveRecording(SettingsBlock(bytes, c.length, c.firmware), "stamp");
    EXPECT_EQ(rec.GetDateTime(), "stamp");
    EXPECT_EQ(rec.GetTitle(), "Verbunden");
    EXPECT_EQ(rec.GetIntervalMs(), 5000);
    EXPECT_EQ(rec.GetFlowUnitLitres(), 1);
    EXPECT_EQ(rec.GetPressureUnit(), 'b');
    EXPECT_EQ(rec.GetPressureZero(), 104);
    EXPECT_EQ(rec.GetSerialNumber(), c.serial);
    EXPECT_EQ(rec.GetSampleCount(), 0);
  }
}
