// Sample-rate words, BCD and the live block.
#include "device/LiveBlock.h"
#include "device/SettingsBlock.h"

#include <gtest/gtest.h>

TEST(RateWord, ReferenceValues) {
  struct Case {
    uint16_t word;
    int tenths, ms;
  };
  const Case cases[] = {{0xFE67, 1, 100},   {0xFCCD, 2, 200},     {0xF800, 5, 500},
                        {0xF000, 10, 1000}, {0xB000, 50, 5000},   {0x6000, 100, 10000},
                        {0x019A, 159, 15900}, {0x0000, 160, 16000}, {0xFFFF, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(IntervalTenths(c.word), c.tenths);
    EXPECT_EQ(IntervalMilliseconds(c.word), c.ms);
  }
  EXPECT_EQ(RateWordFromTenths(10), 0xF000);
  EXPECT_EQ(RateWordFromTenths(1), 0xFE67);
  EXPECT_EQ(RateWordFromTenths(159), 0x019A);
}

TEST(RateWord, RoundTripForEveryInterval) {
  for (int t = 1; t <= 159; ++t) EXPECT_EQ(IntervalTenths(RateWordFromTenths(t)), t) << t;
}

TEST(Bcd, DecodeEncodeAndYearText) {
  EXPECT_EQ(DecodeBcd(0x25), 25);
  EXPECT_EQ(DecodeBcd(0x09), 9);
  EXPECT_EQ(DecodeBcd(0x00), 0);
  EXPECT_EQ(DecodeBcd(0x99), 99);
  // Read as "%x" text parsed as decimal: parsing stops at the first non-decimal digit.
  EXPECT_EQ(DecodeBcd(0x1A), 1);
  EXPECT_EQ(DecodeBcd(0xA5), 0);
  EXPECT_EQ(DecodeBcd(0x0B), 0);
  for (int n = 0; n <= 99; ++n) EXPECT_EQ(DecodeBcd(EncodeBcd(n)), n);
  EXPECT_EQ(EncodeBcd(25), 0x25);
  EXPECT_EQ(BcdYearText(0x16), "2016");
  EXPECT_EQ(BcdYearText(0x07), "2007");
  EXPECT_EQ(BcdYearText(0x00), "2000");
}

TEST(SettingsBlockBytes, StateFlagsAndUnits) {
  unsigned char bytes[21] = {};
  bytes[4] = 0x03;
  bytes[19] = 0x62;
  SettingsBlock litres(bytes, 21, 0);
  EXPECT_TRUE(litres.flowUnitLitres());
  EXPECT_TRUE(litres.autoLogging());
  EXPECT_EQ(litres.pressureUnit(), 'b');
  bytes[4] = 0x02;
  bytes[19] = 0;
  SettingsBlock gallons(bytes, 21, 0);
  EXPECT_FALSE(gallons.flowUnitLitres());
  EXPECT_TRUE(gallons.autoLogging());
  EXPECT_EQ(gallons.pressureUnit(), 0);
}

TEST(LiveBlock, DecodesCountedSamplesAndClampsImpossibleCounts) {
  unsigned char block[223] = {};
  block[1] = 0x34;
  block[2] = 0x52;
  block[3] = 0x7F;
  block[0] = 0;
  EXPECT_TRUE(DecodeLiveBlock(block).empty());
  block[0] = 4;  // one sample; the remainder is ignored
  auto s = DecodeLiveBlock(block);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].flowRaw, 4660);
  EXPECT_EQ(s[0].pressureRaw, 383);
  block[0] = 222;
  EXPECT_EQ(DecodeLiveBlock(block).size(), 74u);
  block[0] = 255;  // claims 85 samples: only the 74 the block holds are read
  EXPECT_EQ(DecodeLiveBlock(block).size(), 74u);
  EXPECT_TRUE(DecodeLiveBlock(nullptr).empty());
}
