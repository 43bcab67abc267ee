// Reading the settings block through the link: its length follows the firmware word.
#include "UsbFixture.h"
#include "device/SettingsBlock.h"
#include "device/VellUSB.h"

TEST_F(UsbTest, BlockLengthFollowsFirmwareWord) {
  struct Case {
    int firmware;
    int length;
  };
  for (const Case c : {Case{0x0403, 41}, Case{0x0402, 21}, Case{0x0404, 21}, Case{0, 21}}) {
    SCOPED_TRACE(c.firmware);
    bus.reset();  // one testbed at a time
    bus = std::make_unique<sim::SimBus>();
    auto logger = PlugLogger(c.firmware);
    VellUSB link;
    SettingsBlock block;
    ASSERT_TRUE(ReadSettingsBlock(link, block));
    EXPECT_EQ(block.Length(), c.length);
    EXPECT_EQ(block.FirmwareVersion(), c.firmware);
    const auto log = logger->Log();
    ASSERT_FALSE(log.empty());
    EXPECT_TRUE((Wire{0xC0, 23, 0, c.length * 256, c.length, 1000}) == log.back()) << log.back();
  }
}

TEST_F(UsbTest, BlockFieldsDecode) {
  sim::BlockParams p;
  p.rateWord = 0xF800;
  p.stateFlags = 0x02;
  p.flowOnThreshold = 300;
  p.flowOnDelay = 5;
  p.flowOffThreshold = 0x1234;
  p.flowOffDelay = 9;
  p.pressureRough = 2;
  p.pressureZero = 104;
  p.pressureFine = 15;
  p.pressureUnit = 'p';
  p.serialNumber = 0xBEEF;
  p.calibrationDate[0] = 0x05;
  p.calibrationDate[1] = 0x09;
  p.calibrationDate[2] = 0x16;
  p.calibrationMonths = 12;
  auto logger = PlugLogger(0x0403, p);
  VellUSB link;
  SettingsBlock b;
  ASSERT_TRUE(ReadSettingsBlock(link, b));
  EXPECT_EQ(b.rateWord(), 0xF800);
  EXPECT_FALSE(b.flowUnitLitres());
  EXPECT_TRUE(b.autoLogging());
  EXPECT_EQ(b.flowOnThreshold(), 300);
  EXPECT_EQ(b.flowOnDelay(), 5);
  EXPECT_EQ(b.flowOffThreshold(), 0x1234);
  EXPECT_EQ(b.flowOffDelay(), 9);
  EXPECT_EQ(b.pressureRough(), 2);
  EXPECT_EQ(b.pressureZero(), 104);
  EXPECT_EQ(b.pressureFine(), 15);
  EXPECT_EQ(b.pressureUnit(), 'p');
  EXPECT_EQ(b.serialNumber(), 0xBEEF);
  EXPECT_EQ(DecodeBcd(b.calibrationDate().day), 5);
  EXPECT_EQ(DecodeBcd(b.calibrationDate().month), 9);
  EXPECT_EQ(BcdYearText(b.calibrationDate().year), "2016");
  EXPECT_EQ(b.calibrationMonths(), 12);
}

TEST_F(UsbTest, ShortBlockHasNoIdentityAndFailedReadDecodesNothing) {
  auto logger = PlugLogger(0x0402);
  VellUSB link;
  SettingsBlock b;
  ASSERT_TRUE(ReadSettingsBlock(link, b));
  EXPECT_FALSE(b.IsLong());
  EXPECT_EQ(b.serialNumber(), 0);
  EXPECT_EQ(b.calibrationMonths(), 0);
  EXPECT_EQ(b.calibrationDate().day, 0);

  // Firmware request failing counts as version 0: a short read.
  logger->StallRequest(41);
  logger->ClearLog();
  ASSERT_TRUE(ReadSettingsBlock(link, b));
  EXPECT_EQ(b.Length(), 21);
  EXPECT_EQ(b.FirmwareVersion(), 0);

  logger->StallRequest(23);
  SettingsBlock untouched;
  EXPECT_FALSE(ReadSettingsBlock(link, untouched));
  EXPECT_EQ(untouched.Length(), 0);
}
