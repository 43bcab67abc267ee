// Finding, opening and talking to the logger: the transport rules every request shares.
#include "UsbFixture.h"
#include "device/VellUSB.h"

#include <cerrno>
#include <vector>

TEST_F(UsbTest, NoLoggerEveryOperationFailsAtOnce) {
  VellUSB link;
  EXPECT_EQ(link.ReadCommand(41, 0, 0, 2, 500), USB_NOT_FOUND);
  EXPECT_EQ(link.WriteCommand(13, 0, 0, 1, 500), USB_NOT_FOUND);
  unsigned char dest[4];
  EXPECT_FALSE(link.ReadMemory(0, 4, dest));
  EXPECT_EQ(link.ReadLiveBlock(), nullptr);
  const unsigned char clock[4] = {0x30, 0x05, 0x14, 0};
  EXPECT_FALSE(link.SetClockTime(clock));
  EXPECT_FALSE(link.SetClockDate(clock));
  EXPECT_FALSE(link.FindDevice());

  // Each operation searches anew: a logger plugged in now is found by the next one.
  auto logger = PlugLogger();
  EXPECT_EQ(link.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  EXPECT_EQ(link.Buffer()[0], 0x03);
  EXPECT_EQ(link.Buffer()[1], 0x04);
}

TEST_F(UsbTest, FirstOperationSelectsConfigurationThenSendsRequest) {
  auto logger = PlugLogger();
  VellUSB link;
  ASSERT_EQ(link.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  ExpectWire(logger->Log(), {SET_CONFIG, {0xC0, 41, 0, 0, 2, 500}});
  // The device is known now: no further search, no further configuration request.
  logger->ClearLog();
  ASSERT_EQ(link.WriteCommand(13, 0, 0, 1, 500), USB_OK);
  ExpectWire(logger->Log(), {{0x40, 13, 0, 0, 1, 500}});
}

TEST_F(UsbTest, FailedTransferIsRepeatedOnceAfterReselectingConfiguration) {
  auto logger = PlugLogger();
  VellUSB link;
  ASSERT_TRUE(link.FindDevice());
  logger->ClearLog();

  logger->FailTransfer(1);
  EXPECT_EQ(link.ReadCommand(34, 0, 0, 7, 500), USB_OK);
  ExpectWire(logger->Log(), {{0xC0, 34, 0, 0, 7, 500}, SET_CONFIG, {0xC0, 34, 0, 0, 7, 500}});

  logger->ClearLog();
  logger->FailTransfer(1);
  logger->FailTransfer(3);
  EXPECT_EQ(link.WriteCommand(5, 1, 0, 1, 500), USB_RETRY_FAILED);
  ExpectWire(logger->Log(), {{0x40, 5, 1, 0, 1, 500}, SET_CONFIG, {0x40, 5, 1, 0, 1, 500}});

  logger->ClearLog();
  logger->FailTransfer(1);
  logger->FailTransfer(2);
  EXPECT_EQ(link.ReadCommand(1, 0, 0, 1, 500), USB_CONFIG_FAILED);
  ExpectWire(logger->Log(), {{0xC0, 1, 0, 0, 1, 500}, SET_CONFIG});

  // A stall does not make the link forget the logger.
  logger->ClearLog();
  EXPECT_EQ(link.ReadCommand(1, 0, 0, 1, 500), USB_OK);
  ExpectWire(logger->Log(), {{0xC0, 1, 0, 0, 1, 500}});
}

TEST_F(UsbTest, ReadMemoryChunksAndPacksAddress) {
  auto logger = PlugLogger();
  std::vector<uint8_t> pattern(0x20000);
  for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
  logger->WriteMemory(0, pattern);
  VellUSB link;
  ASSERT_TRUE(link.FindDevice());

  struct Case {
    uint32_t address, length;
    std::vector<Wire> wire;
  };
  const Case cases[] = {
      {0x100, 0, {}},
      {0x1234, 41, {{0xC0, 23, 0x1234, 0x2900, 41, 1000}}},
      {0x10005, 129, {{0xC0, 23, 0x0005, 0x8001, 128, 1000}, {0xC0, 23, 0x0085, 0x0101, 1, 1000}}},
      {0x1FFFF, 200, {{0xC0, 23, 0xFFFF, 0x8001, 128, 1000}, {0xC0, 23, 0x007F, 0x4802, 72, 1000}}},
      {0, 255, {{0xC0, 23, 0, 0x8000, 128, 1000}, {0xC0, 23, 128, 0x7F00, 127, 1000}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    logger->ClearLog();
    std::vector<uint8_t> dest(c.length + 1, 0xEE);
    ASSERT_TRUE(link.ReadMemory(c.address, c.length, dest.data()));
    ExpectWire(logger->Log(), c.wire);
    for (uint32_t i = 0; i < c.length; ++i) {
      const uint32_t a = c.address + i;
      ASSERT_EQ(dest[i], a < 0x20000 ? pattern[a] : 0xFF) << "byte " << i;
    }
    EXPECT_EQ(dest[c.length], 0xEE) << "wrote past the requested length";
  }
}

TEST_F(UsbTest, ReadMemoryStopsAtFirstFailedChunkWithoutRetry) {
  auto logger = PlugLogger();
  logger->WriteMemory(0, std::vector<uint8_t>(300, 0x42));
  VellUSB link;
  ASSERT_TRUE(link.FindDevice());
  logger->ClearLog();
  logger->FailTransfer(2);
  std::vector<uint8_t> dest(300, 0);
  EXPECT_FALSE(link.ReadMemory(0, 300, dest.data()));
  EXPECT_EQ(logger->Log().size(), 2u);
  EXPECT_EQ(dest[127], 0x42);  // the first chunk arrived
  EXPECT_EQ(dest[128], 0);
}

TEST_F(UsbTest, ShortRepliesHandOnTheWholeRequestedLengthFromTheBuffer) {
  auto logger = PlugLogger();
  logger->WriteMemory(0, std::vector<uint8_t>(8, 0x11));
  VellUSB link;
  std::vector<uint8_t> dest(8);
  ASSERT_TRUE(link.ReadMemory(0, 8, dest.data()));  // fills the buffer with 0x11
  logger->WriteMemory(0, {0x22, 0x22, 0x22, 0x22});
  logger->SetShortReplies(2);
  ASSERT_TRUE(link.ReadMemory(0, 8, dest.data()));
  EXPECT_EQ(dest, (std::vector<uint8_t>{0x22, 0x22, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11}));
}

TEST_F(UsbTest, OutDataStagesCarryTheBufferAsItStands) {
  auto logger = PlugLogger();
  logger->SetClock({2016, 3, 9, 14, 5, 30});
  VellUSB link;
  const unsigned char* clock = link.GetClock();
  ASSERT_NE(clock, nullptr);
  const std::vector<uint8_t> before(clock, clock + 4);
  logger->ClearLog();
  const unsigned char date[3] = {0x10, 0x04, 0x17};
  ASSERT_TRUE(link.SetClockDate(date));
  const auto log = logger->Log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].data, before);
}

TEST_F(UsbTest, UnplugIsReportedAndReplugIsFoundWithoutRestart) {
  auto logger = PlugLogger();
  VellUSB link;
  ASSERT_EQ(link.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  bus->Unplug(slot);
  const UsbResult gone = link.ReadCommand(41, 0, 0, 2, 500);
  EXPECT_NE(gone, USB_OK);
  EXPECT_TRUE(gone == USB_OPEN_FAILED || gone == USB_NOT_FOUND || gone == USB_CONFIG_FAILED ||
              gone == USB_RETRY_FAILED);
  unsigned char dest[4];
  EXPECT_FALSE(link.ReadMemory(0, 4, dest));
  EXPECT_EQ(link.GetMemoryStatus(), nullptr);

  bus->Replug(slot);
  logger->ClearLog();
  ASSERT_EQ(link.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  EXPECT_EQ(logger->Log().back().request, 41);
  EXPECT_TRUE(link.ReadMemory(0, 4, dest));
}

TEST_F(UsbTest, UnplugBetweenEveryKindOfOperationThenReplug) {
  auto logger = PlugLogger();
  VellUSB link;
  const unsigned char bytes[4] = {0, 0, 0, 0};
  unsigned char dest[4];
  // Unplugged right after the device was found, each kind of operation fails and the next
  // one after replugging succeeds.
  const std::vector<std::function<bool()>> ops = {
      [&] { return link.ReadCommand(41, 0, 0, 2, 500) == USB_OK; },
      [&] { return link.WriteCommand(13, 0, 0, 1, 500) == USB_OK; },
      [&] { return link.ReadMemory(0, 4, dest); },
      [&] { return link.ReadLiveBlock() != nullptr; },
      [&] { return link.SetClockTime(bytes); },
      [&] { return link.SetClockDate(bytes); },
  };
  for (size_t i = 0; i < ops.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(ops[i]());
    bus->Unplug(slot);
    EXPECT_FALSE(ops[i]());
    bus->Replug(slot);
    EXPECT_TRUE(ops[i]());
  }
}

TEST_F(UsbTest, LoggerGoneMidOperationFailsAndIsFoundAgain) {
  auto logger = PlugLogger();
  VellUSB link;
  ASSERT_TRUE(link.FindDevice());
  logger->GoneAfter(1);
  std::vector<uint8_t> dest(300);
  EXPECT_FALSE(link.ReadMemory(0, 300, dest.data()));
  bus->Replug(slot);
  logger->SetGone(false);
  EXPECT_TRUE(link.ReadMemory(0, 300, dest.data()));
}

TEST_F(UsbTest, TwoLoggersOnlyTheFirstIsUsed) {
  auto a = PlugLogger();
  const int slotA = slot;
  auto b = PlugLogger(0x0402);
  VellUSB link;
  ASSERT_EQ(link.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  ASSERT_EQ(link.WriteCommand(13, 0, 0, 1, 500), USB_OK);
  // Exactly one of the two saw traffic, and it is the one the bus lists first.
  const bool aUsed = !a->Log().empty(), bUsed = !b->Log().empty();
  EXPECT_NE(aUsed, bUsed);
  auto& used = aUsed ? a : b;
  EXPECT_EQ(used->Log().size(), 3u);  // configuration, request 41, request 13
  // A second link picks the same logger.
  a->ClearLog();
  b->ClearLog();
  VellUSB other;
  ASSERT_EQ(other.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  EXPECT_FALSE(used->Log().empty());
  EXPECT_TRUE((aUsed ? b : a)->Log().empty());
  // With the used one unplugged, a new search finds the other.
  bus->Unplug(aUsed ? slotA : slot);
  VellUSB third;
  ASSERT_EQ(third.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  EXPECT_FALSE((aUsed ? b : a)->Log().empty());
}

TEST_F(UsbTest, TwoLinksSideBySideSurviveEachOthersSearches) {
  auto logger = PlugLogger();
  VellUSB first, second;
  ASSERT_EQ(first.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  // The second link's search refreshes libusb's device list after a replug; the first link's
  // remembered record must not be used once the list no longer holds it.
  bus->Replug(slot);
  ASSERT_EQ(second.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  EXPECT_EQ(first.ReadCommand(41, 0, 0, 2, 500), USB_OK);
}

TEST_F(UsbTest, MissingPermissionIsToldApartFromAMissingLogger) {
  auto logger = PlugLogger();
  VellUSB link;
  ASSERT_EQ(link.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  EXPECT_FALSE(link.AccessDenied());
  bus->DenyAccess(slot, true);
  EXPECT_NE(link.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  EXPECT_TRUE(link.AccessDenied());
  VellUSB fresh;  // a first search finds the logger (its node is readable) but cannot use it
  EXPECT_EQ(fresh.GetMemoryStatus(), nullptr);
  EXPECT_TRUE(fresh.AccessDenied());
  bus->Unplug(slot);
  EXPECT_EQ(fresh.GetMemoryStatus(), nullptr);
  EXPECT_FALSE(fresh.AccessDenied()) << "a missing logger is not a permission problem";
  EXPECT_NE(link.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  bus->Replug(slot);
  bus->DenyAccess(slot, false);
  logger->ClearLog();
  EXPECT_EQ(link.ReadCommand(41, 0, 0, 2, 500), USB_OK);
  EXPECT_FALSE(link.AccessDenied());
}
