// The simulated logger's own behaviour: memory layout of its recordings and its clock.
#include "device/LiveBlock.h"
#include "sim/DemoLogger.h"
#include "sim/SimLogger.h"

#include <gtest/gtest.h>

TEST(SimLogger, LaysOutRecordingsWithTableOfContents) {
  sim::SimLogger logger(0x0402);  // 21-byte block
  sim::Recording older{{2016, 3, 9, 8, 5, 30}, std::vector<sim::RawSample>(100, {4660, 383}), 0};
  sim::Recording newer{{2016, 3, 10, 12, 0, 0}, std::vector<sim::RawSample>(10, {1, 2}), 2};
  ASSERT_TRUE(logger.LoadRecordings({older, newer}));
  EXPECT_EQ(logger.BlockWord(2), 2);
  // Entry 0 (newest) at 0x1FFFF - 18, entry 1 (oldest) 9 bytes above it.
  const auto toc = logger.ReadMemory(0x1FFFF - 18, 18);
  EXPECT_EQ(std::vector<uint8_t>(toc.begin() + 9, toc.begin() + 18),
            (std::vector<uint8_t>{0x30, 0x05, 0x08, 0x09, 0x03, 0x16, 0x41, 0x01, 0x00}));  // end 321
  EXPECT_EQ(toc[6] | toc[7] << 8 | toc[8] << 16, 353);
  const auto first = logger.ReadMemory(21, 3);
  const LoggerSample s = DecodeLoggerSample(first.data());
  EXPECT_EQ(s.flowRaw, 4660);
  EXPECT_EQ(s.pressureRaw, 383);
  EXPECT_EQ(logger.FreeMemory(), 0x1FFFFu - 18 - 353);

  // Too much for the memory is refused and changes nothing.
  std::vector<sim::RawSample> huge(43700);
  EXPECT_FALSE(logger.LoadRecordings({{{}, huge, 0}}));
  EXPECT_EQ(logger.BlockWord(2), 2);
}

TEST(SimLogger, ClockRunsWithVirtualTime) {
  sim::SimLogger logger;
  logger.SetClock({2024, 2, 28, 23, 59, 50});
  logger.AdvanceMs(86400 * 1000 + 15000);
  const sim::ClockTime c = logger.Clock();
  EXPECT_EQ(std::vector<int>({c.year, c.month, c.day, c.hour, c.minute, c.second}),
            (std::vector<int>{2024, 3, 1, 0, 0, 5}));
}

TEST(SimLogger, DemoLoggerHoldsPlausibleRecordings) {
  auto demo = sim::MakeDemoLogger();
  EXPECT_EQ(demo->FirmwareVersion(), 0x0403);
  EXPECT_EQ(demo->BlockWord(2), sim::DemoRecordings({}).size());
  EXPECT_GT(demo->FreeMemory(), 100000u);
}
