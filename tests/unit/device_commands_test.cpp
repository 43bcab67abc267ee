// Every logger request: its packing, data length, time-out and path, and what it returns.
#include "UsbFixture.h"
#include "device/LiveBlock.h"
#include "device/VellUSB.h"

#include <functional>
#include <string>

namespace {

struct RequestCase {
  std::string name;
  std::function<void(VellUSB&)> call;
  Wire wire;
};

}  // namespace

TEST_F(UsbTest, EveryRequestGoesOutWithItsExactPacking) {
  auto logger = PlugLogger();
  const unsigned char time[4] = {0x30, 0x05, 0x14, 0x80};
  const unsigned char date[3] = {0x09, 0x03, 0x16};
  const RequestCase cases[] = {
      {"GetErrorCode", [](VellUSB& l) { l.GetErrorCode(); }, {0xC0, 1, 0, 0, 1, 500}},
      {"SetAutoLogging(1)", [](VellUSB& l) { l.SetAutoLogging(1); }, {0x40, 3, 2, 0, 1, 500}},
      {"SetAutoLogging(2)", [](VellUSB& l) { l.SetAutoLogging(2); }, {0x40, 3, 0, 0, 1, 500}},
      {"SetAutoLogging(0)", [](VellUSB& l) { l.SetAutoLogging(0); }, {0x40, 3, 0, 0, 1, 500}},
      {"SetLiveMode(2)", [](VellUSB& l) { l.SetLiveMode(2); }, {0x40, 5, 1, 0, 1, 500}},
      {"SetLiveMode(0)", [](VellUSB& l) { l.SetLiveMode(0); }, {0x40, 5, 0, 0, 1, 500}},
      {"SetLiveMode(-1)", [](VellUSB& l) { l.SetLiveMode(-1); }, {0x40, 5, 0, 0, 1, 500}},
      {"ClearMemory", [](VellUSB& l) { l.ClearMemory(); }, {0x40, 13, 0, 0, 1, 500}},
      {"ReadLiveBlock", [](VellUSB& l) { l.ReadLiveBlock(); }, {0xC0, 21, 0, 0, 223, 100}},
      {"GetClock", [](VellUSB& l) { l.GetClock(); }, {0xC0, 26, 0, 0, 8, 500}},
      {"SetClockTime 14:05:30", [&](VellUSB& l) { l.SetClockTime(time); }, {0x40, 27, 0x0530, 0x8014, 4, 500}},
      {"SetClockDate 9.3.2016", [&](VellUSB& l) { l.SetClockDate(date); }, {0x40, 28, 0x0309, 0x16, 4, 500}},
      {"ConfigureClock", [](VellUSB& l) { l.ConfigureClock(0, 0xAB); }, {0x40, 29, 0xAB00, 0, 2, 100}},
      {"SetFlowOnThreshold", [](VellUSB& l) { l.SetFlowOnThreshold(0x12345, 7); }, {0x40, 30, 0x2345, 7, 4, 500}},
      {"SetFlowOffThreshold", [](VellUSB& l) { l.SetFlowOffThreshold(3, 0x10009); }, {0x40, 31, 3, 9, 4, 500}},
      {"GetMemoryStatus", [](VellUSB& l) { l.GetMemoryStatus(); }, {0xC0, 34, 0, 0, 7, 500}},
      {"GetFirmwareVersion", [](VellUSB& l) { l.GetFirmwareVersion(); }, {0xC0, 41, 0, 0, 2, 500}},
  };
  VellUSB link;
  ASSERT_TRUE(link.FindDevice());
  for (const RequestCase& c : cases) {
    SCOPED_TRACE(c.name);
    logger->ClearLog();
    c.call(link);
    ExpectWire(logger->Log(), {c.wire});
  }
  logger->ClearLog();
  EXPECT_TRUE(link.SetRateAndUnit(0x1F000, 0x170));
  ExpectWire(logger->Log(), {{0x40, 4, 0xF000, 0, 1, 500}, {0x40, 12, 0x70, 0, 1, 500}});
}

TEST_F(UsbTest, RequestsChangeTheLoggerAndRepliesAreDecoded) {
  auto logger = PlugLogger();
  VellUSB link;
  ASSERT_TRUE(link.SetRateAndUnit(0xB000, 'p'));
  ASSERT_TRUE(link.SetAutoLogging(1));
  ASSERT_TRUE(link.SetFlowOnThreshold(12, 4));
  ASSERT_TRUE(link.SetFlowOffThreshold(3, 6));
  EXPECT_EQ(logger->BlockWord(0), 0xB000);
  EXPECT_EQ(logger->BlockByte(19), 'p');
  EXPECT_EQ(logger->BlockByte(4) & 0x02, 0x02);
  EXPECT_EQ(logger->BlockWord(5), 12);
  EXPECT_EQ(logger->BlockWord(7), 4);
  EXPECT_EQ(logger->BlockWord(9), 3);
  EXPECT_EQ(logger->BlockWord(11), 6);

  logger->SetFreeMemoryOverride(131050);
  logger->SetBattery(100);
  const unsigned char* status = link.GetMemoryStatus();
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status[0] | status[1] << 8 | status[2] << 16, 131050);
  EXPECT_EQ(status[3] | status[4] << 8, 100);
  EXPECT_EQ(status[5] | status[6] << 8, 0xB000);

  logger->SetClock({2016, 3, 9, 8, 5, 30});
  const unsigned char* clock = link.GetClock();
  ASSERT_NE(clock, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(clock, clock + 7),
            (std::vector<uint8_t>{0x30, 0x05, 0x08, 0x00, 0x09, 0x03, 0x16}));
  const unsigned char time[4] = {0x59, 0x59, 0x23, 0x00};
  const unsigned char date[3] = {0x31, 0x12, 0x25};
  ASSERT_TRUE(link.SetClockTime(time));
  ASSERT_TRUE(link.SetClockDate(date));
  const sim::ClockTime c = logger->Clock();
  EXPECT_EQ(std::vector<int>({c.year, c.month, c.day, c.hour, c.minute, c.second}),
            (std::vector<int>{2025, 12, 31, 23, 59, 59}));
  ASSERT_TRUE(link.ConfigureClock(0, 0xAB));
  EXPECT_EQ(logger->ClockConfiguration(), 0xAB00);
}

TEST_F(UsbTest, RefusedRequestsFailAndLeaveTheirErrorCode) {
  auto logger = PlugLogger();
  VellUSB link;
  EXPECT_EQ(link.GetErrorCode(), 0);
  logger->RefuseRequest(4, 17);
  logger->ClearLog();
  EXPECT_FALSE(link.SetRateAndUnit(0xF000, 'b'));
  for (const auto& t : logger->Log()) EXPECT_NE(t.request, 12) << "unit sent after a refused rate";
  EXPECT_EQ(link.GetErrorCode(), 17);

  logger->StallRequest(34);
  EXPECT_EQ(link.GetMemoryStatus(), nullptr);
  logger->StallRequest(1);
  EXPECT_EQ(link.GetErrorCode(), 0) << "a failed request 1 reads as no code";
  logger->StallRequest(41);
  EXPECT_EQ(link.GetFirmwareVersion(), nullptr);
  EXPECT_EQ(link.Buffer()[0], 0);
  EXPECT_EQ(link.Buffer()[1], 0);
}

TEST_F(UsbTest, LiveSamplingDeliversOldestFirstAtMost74PerBlock) {
  sim::BlockParams p;
  p.rateWord = 0xFE67;  // 0.1 s
  auto logger = PlugLogger(0x0403, p);
  int n = 0;
  logger->SetSignal([&n](double) { return sim::RawSample{n++, 1023 - (n % 1024)}; });
  VellUSB link;
  ASSERT_TRUE(link.SetLiveMode(1));
  logger->AdvanceMs(1000);
  const unsigned char* block = link.ReadLiveBlock();
  ASSERT_NE(block, nullptr);
  auto samples = DecodeLiveBlock(block);
  // 4096 ticks a second, 409 ticks a sample: 10 samples in the first second.
  ASSERT_EQ(samples.size(), 10u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(samples[i].flowRaw, i);

  logger->AdvanceMs(10000);  // 100 more samples: 74, then 26
  EXPECT_EQ(DecodeLiveBlock(link.ReadLiveBlock()).size(), 74u);
  samples = DecodeLiveBlock(link.ReadLiveBlock());
  ASSERT_EQ(samples.size(), 26u);
  EXPECT_EQ(samples.back().flowRaw, 109);
  EXPECT_EQ(DecodeLiveBlock(link.ReadLiveBlock()).size(), 0u);

  ASSERT_TRUE(link.SetLiveMode(0));
  logger->AdvanceMs(5000);
  EXPECT_EQ(DecodeLiveBlock(link.ReadLiveBlock()).size(), 0u);
}
