// The download without a window, against the simulated logger: what it reads over the wire,
// what it makes of it, and that every failure, refusal and cancel leaves no recordings.
#include <cstdio>
#include <string>
#include <vector>

#include "UsbFixture.h"
#include "device/SettingsBlock.h"
#include "device/VellUSB.h"
#include "recordings/LoggerDownload.h"
#include "recordings/LoggerMemory.h"

namespace {

// Varying readings, so a sample taken from the wrong place shows.
sim::Recording LoggerRecording(sim::ClockTime start, int samples, int flow, int extraBytes = 0) {
  sim::Recording r{start, {}, extraBytes};
  for (int i = 0; i < samples; ++i) r.samples.push_back({flow + i % 13, 200 + i % 57});
  return r;
}

// Oldest first, as the logger lays them out: one without samples, and stray bytes after the
// newest.
std::vector<sim::Recording> ThreeRecordings() {
  return {LoggerRecording({2026, 3, 9, 8, 5, 30}, 100, 40),
          LoggerRecording({2026, 3, 10, 17, 0, 0}, 0, 0),
          LoggerRecording({2026, 12, 1, 23, 59, 59}, 300, 900, 2)};
}

// What a recording of the logger must become, built from the logger's raw readings.
Storage Expected(const sim::Recording& r, const sim::BlockParams& p, int serial) {
  char date[48];
  std::snprintf(date, sizeof date, "%d/%02d/%04d %d:%02d:%02d", r.start.day, r.start.month,
                r.start.year, r.start.hour, r.start.minute, r.start.second);
  Storage s(date, IntervalMilliseconds(p.rateWord), p.stateFlags & 1, false);
  s.SetPressureScaling(p.pressureZero, p.pressureRough, p.pressureFine,
                       static_cast<char>(p.pressureUnit));
  s.SetSerialNumber(serial);
  for (const sim::RawSample& x : r.samples) s.AddSample(x.flowRaw, x.pressureRaw);
  return s;
}

void ExpectSameRecording(const Storage& got, const Storage& want) {
  EXPECT_EQ(got.GetDateTime(), want.GetDateTime());
  EXPECT_EQ(got.GetTitle(), "Speicher");
  EXPECT_EQ(got.GetSerialNumber(), want.GetSerialNumber());
  EXPECT_EQ(got.GetIntervalMs(), want.GetIntervalMs());
  EXPECT_EQ(got.GetFlowUnitLitres(), want.GetFlowUnitLitres());
  EXPECT_EQ(got.GetPressureUnit(), want.GetPressureUnit());
  EXPECT_EQ(got.GetTime(), want.GetTime());
  EXPECT_EQ(got.GetFlow(), want.GetFlow());
  EXPECT_EQ(got.GetPressure(), want.GetPressure());
  EXPECT_EQ(got.GetVolume(), want.GetVolume());
}

// One memory read as the wire shows it: consecutive chunks that continue each other.
struct Read {
  uint32_t address, length;
  bool operator==(const Read&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Read& r) {
  return os << "{0x" << std::hex << r.address << std::dec << ", " << r.length << "}";
}

std::vector<Read> MemoryReads(const std::vector<sim::Transfer>& log) {
  std::vector<Read> reads;
  bool previousWasChunk = false;
  for (const sim::Transfer& t : log) {
    const bool chunk = t.requestType == USB_TYPE_IN && t.request == REQ_READ_MEMORY;
    if (chunk) {
      const uint32_t address = static_cast<uint32_t>(t.value) | (t.index & 0xFF) << 16;
      const uint32_t length = static_cast<uint32_t>(t.index) >> 8;
      if (previousWasChunk && reads.back().address + reads.back().length == address)
        reads.back().length += length;
      else
        reads.push_back({address, length});
    }
    previousWasChunk = chunk;
  }
  return reads;
}

size_t ChunkCount(const std::vector<sim::Transfer>& log) {
  size_t n = 0;
  for (const sim::Transfer& t : log) n += t.request == REQ_READ_MEMORY;
  return n;
}

class LoggerDownloadTest : public UsbTest {
 protected:
  // A logger holding the three recordings; its log starts empty.
  std::shared_ptr<sim::SimLogger> LoggerWithRecordings(int firmware = 0x0403) {
    auto logger = PlugLogger(firmware, params);
    EXPECT_TRUE(logger->LoadRecordings(ThreeRecordings()));
    return logger;
  }
  // Each run on a fresh link, so every run sends the same transfers from the bus search on.
  LoggerDownloadResult Run(const LoggerDownload::Progress& progress = nullptr) {
    VellUSB link;
    return LoggerDownload(link).Run(progress);
  }

  sim::BlockParams params;
};

}  // namespace

TEST_F(LoggerDownloadTest, ReadsEveryRecordingInThreeReads) {
  struct Case {
    int firmware;
    uint32_t blockLength;
    int serial;
  };
  for (const Case c : {Case{0x0403, 41, 4711}, Case{0x0402, 21, 0}, Case{0x0404, 21, 0}}) {
    SCOPED_TRACE(c.firmware);
    bus.reset();  // one testbed at a time
    bus = std::make_unique<sim::SimBus>();
    auto logger = LoggerWithRecordings(c.firmware);
    logger->ClearLog();
    std::vector<std::pair<uint64_t, uint64_t>> progress;
    const LoggerDownloadResult r = Run([&](uint64_t done, uint64_t total) {
      progress.emplace_back(done, total);
      return true;
    });
    ASSERT_EQ(r.status, DownloadStatus::Ok) << r.error;
    EXPECT_EQ(r.firmwareVersion, c.firmware);
    ASSERT_TRUE(r.block.has_value());
    EXPECT_EQ(static_cast<uint32_t>(r.block->Length()), c.blockLength);

    // Newest first: table entry k is record k.
    const std::vector<sim::Recording> held = ThreeRecordings();
    ASSERT_EQ(r.recordings.size(), held.size());
    for (size_t k = 0; k < held.size(); ++k) {
      SCOPED_TRACE(k);
      ExpectSameRecording(r.recordings[k], Expected(held[held.size() - 1 - k], params, c.serial));
    }

    // The block, the table and the used sample area; the free space is never read.
    const uint32_t sampleEnd = c.blockLength + 100 * 3 + 300 * 3 + 2;
    EXPECT_EQ(
        MemoryReads(logger->Log()),
        (std::vector<Read>{
            {0, c.blockLength}, {TocAddress(3), 27}, {c.blockLength, sampleEnd - c.blockLength}}));
    // One report per chunk, rising to the total of all three reads.
    EXPECT_EQ(progress.size(), ChunkCount(logger->Log()));
    for (size_t i = 1; i < progress.size(); ++i)
      EXPECT_GT(progress[i].first, progress[i - 1].first);
    EXPECT_EQ(progress.back().first, sampleEnd + 27);
    EXPECT_EQ(progress.back().second, sampleEnd + 27);
  }
}

TEST_F(LoggerDownloadTest, EmptyMemoryIsOneRead) {
  auto logger = PlugLogger(0x0403, params);
  logger->ClearLog();
  const LoggerDownloadResult r = Run();
  EXPECT_EQ(r.status, DownloadStatus::Ok);
  EXPECT_TRUE(r.recordings.empty());
  EXPECT_EQ(MemoryReads(logger->Log()), (std::vector<Read>{{0, 41}}));
}

TEST_F(LoggerDownloadTest, FailedTransferAnywhereGivesNoRecordings) {
  // Where the failing transfer lies: the n-th memory chunk of a run (1-based; 0 = the last).
  struct Case {
    const char* name;
    size_t chunk;
    bool unplugged;  // the logger goes away instead of refusing one transfer
    bool blockRead;  // whether the settings block arrived before the failure
    size_t readsSeen;
  };
  const Case cases[] = {
      {"block", 1, false, false, 1},
      {"table", 2, false, true, 2},
      {"first sample chunk", 3, false, true, 3},
      {"last sample chunk", 0, false, true, 3},
      {"unplugged in the samples", 5, true, true, 3},
  };
  auto logger = LoggerWithRecordings();
  logger->ClearLog();
  ASSERT_EQ(Run().status, DownloadStatus::Ok);
  const std::vector<sim::Transfer> clean = logger->Log();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The transfer number of the chosen chunk in a clean run.
    size_t target = 0, chunks = 0;
    const size_t wanted = c.chunk ? c.chunk : ChunkCount(clean);
    for (size_t i = 0; i < clean.size() && !target; ++i)
      if (clean[i].request == REQ_READ_MEMORY && ++chunks == wanted) target = i + 1;
    ASSERT_NE(target, 0u);

    logger->ClearFaults();
    logger->ClearLog();
    if (c.unplugged)
      logger->GoneAfter(static_cast<int>(target) - 1);
    else
      logger->FailTransfer(static_cast<int>(target));
    const LoggerDownloadResult r = Run();
    EXPECT_EQ(r.status, DownloadStatus::ReadFailed);
    EXPECT_TRUE(r.recordings.empty());
    EXPECT_EQ(r.block.has_value(), c.blockRead);
    // No read is retried and nothing is read after the failure.
    EXPECT_EQ(MemoryReads(logger->Log()).size(), c.readsSeen);
    EXPECT_EQ(ChunkCount(logger->Log()), wanted);
  }
}

TEST_F(LoggerDownloadTest, TableThatPointsOutsideTheSamplesIsRefused) {
  auto put = [](sim::SimLogger& logger, uint32_t fileCount, const std::vector<uint32_t>& ends) {
    logger.SetBlockByte(SettingsBlock::OFF_FILE_COUNT, fileCount & 0xFF);
    logger.SetBlockByte(SettingsBlock::OFF_FILE_COUNT + 1, fileCount >> 8 & 0xFF);
    for (uint32_t k = 0; k < ends.size(); ++k)
      logger.WriteMemory(TocAddress(fileCount) + 9 * k,
                         {0x30, 0x05, 0x08, 0x09, 0x03, 0x16, static_cast<uint8_t>(ends[k]),
                          static_cast<uint8_t>(ends[k] >> 8), static_cast<uint8_t>(ends[k] >> 16)});
  };
  struct Case {
    const char* name;
    uint32_t fileCount;
    std::vector<uint32_t> ends;  // entry 0 (newest) first
    size_t reads;
  };
  const Case cases[] = {
      {"newer ends before older", 2, {100, 200}, 2},
      {"oldest ends before the block", 1, {30}, 2},
      {"ends inside the table", 1, {TocAddress(1) + 3}, 2},
      {"table larger than the memory", 0xFFFF, {}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bus.reset();  // one testbed at a time
    bus = std::make_unique<sim::SimBus>();
    auto logger = PlugLogger(0x0403, params);
    put(*logger, c.fileCount, c.ends);
    logger->ClearLog();
    const LoggerDownloadResult r = Run();
    EXPECT_EQ(r.status, DownloadStatus::BadMemory);
    EXPECT_FALSE(r.error.empty());
    EXPECT_TRUE(r.recordings.empty());
    EXPECT_EQ(MemoryReads(logger->Log()).size(), c.reads) << "no sample may be read";
  }
}

TEST_F(LoggerDownloadTest, CancelAtAnyChunkStopsReading) {
  auto logger = LoggerWithRecordings();
  logger->ClearLog();
  ASSERT_EQ(Run().status, DownloadStatus::Ok);
  const size_t chunks = ChunkCount(logger->Log());
  ASSERT_GE(chunks, 3u);
  for (size_t k = 1; k <= chunks; ++k) {
    SCOPED_TRACE(k);
    logger->ClearLog();
    size_t calls = 0;
    const LoggerDownloadResult r = Run([&](uint64_t, uint64_t) { return ++calls < k; });
    EXPECT_EQ(r.status, DownloadStatus::Cancelled);
    EXPECT_TRUE(r.recordings.empty());
    EXPECT_EQ(calls, k);
    EXPECT_EQ(ChunkCount(logger->Log()), k) << "nothing is read after the cancel";
  }
}
