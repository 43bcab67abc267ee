#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "LoggerMemory.h"

namespace {

using Bytes = std::vector<uint8_t>;

// One table entry with a fixed start time and the given end address.
void PutEntry(Bytes& toc, uint32_t k, uint32_t end, uint8_t minute = 0x05) {
  const uint8_t e[9] = {0x30,
                        minute,
                        0x08,
                        0x09,
                        0x03,
                        0x16,
                        static_cast<uint8_t>(end),
                        static_cast<uint8_t>(end >> 8),
                        static_cast<uint8_t>(end >> 16)};
  std::copy(e, e + 9, toc.begin() + k * 9);
}

Bytes Toc(const std::vector<uint32_t>& ends) {
  Bytes toc(ends.size() * 9);
  for (uint32_t k = 0; k < ends.size(); ++k) PutEntry(toc, k, ends[k]);
  return toc;
}

DownloadSettings Settings(uint32_t blockLength = 21) {
  DownloadSettings s;
  s.intervalMs = 1000;
  s.flowUnitLitres = 1;
  s.pressureZero = 104;
  s.pressureRough = 2;
  s.pressureFine = 15;
  s.pressureUnit = 'b';
  s.serialNumber = blockLength == 41 ? 4711 : 0;
  s.blockLength = blockLength;
  return s;
}

// Sample i of the area carries flow i, so a record's first flow tells where it started.
Bytes SampleArea(size_t bytes) {
  Bytes area(bytes);
  for (size_t i = 0; i + 2 < bytes; i += 3) {
    const size_t n = i / 3;
    area[i] = static_cast<uint8_t>(n & 0xFF);
    area[i + 1] = static_cast<uint8_t>(n >> 8 & 0x3F);
    area[i + 2] = 0;
  }
  return area;
}

}  // namespace

TEST(LoggerMemory, DateTextAndSampleDecoding) {
  const Bytes entry = {0x30, 0x05, 0x08, 0x09, 0x03, 0x16, 0x41, 0x01, 0x00};
  const TocEntry e = DecodeTocEntry(std::span<const uint8_t, 9>(entry.data(), 9));
  EXPECT_EQ(FormatTocDateTime(e), "9/03/2016 8:05:30");
  EXPECT_EQ(e.endAddress, 321u);

  const Bytes late = {0x59, 0x59, 0x23, 0x31, 0x12, 0x99, 0xFF, 0xFF, 0x01};
  const TocEntry l = DecodeTocEntry(std::span<const uint8_t, 9>(late.data(), 9));
  EXPECT_EQ(FormatTocDateTime(l), "31/12/2099 23:59:59");
  EXPECT_EQ(l.endAddress, 0x1FFFFu);

  const RawSample s = DecodeSample(0x34, 0x52, 0x7F);
  EXPECT_EQ(s.flowRaw, 4660);
  EXPECT_EQ(s.pressureRaw, 383);
  const RawSample m = DecodeSample(0xFF, 0xFF, 0xFF);
  EXPECT_EQ(m.flowRaw, 16383);
  EXPECT_EQ(m.pressureRaw, 1023);
}

TEST(LoggerMemory, TwoRecordingsSplitAtTheirEndAddresses) {
  const Bytes toc = Toc({353, 321});
  const TocCheck check = CheckToc(toc, 2, 21);
  ASSERT_TRUE(check.ok) << check.error;
  EXPECT_EQ(check.sampleAreaEnd, 353u);  // the download reads 332 bytes from 21

  const Bytes area = SampleArea(353 - 21);
  const DownloadResult r = DecodeLoggerMemory(Settings(), 2, toc, area);
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.recordings.size(), 2u);
  const Storage& older = r.recordings[1];
  const Storage& newer = r.recordings[0];
  EXPECT_EQ(older.GetSampleCount(), 100);
  EXPECT_EQ(newer.GetSampleCount(), 10);  // 32 bytes: the 2 left over are ignored
  EXPECT_EQ(older.GetFlow().front(), 0);
  EXPECT_EQ(newer.GetFlow().front(), 100);
  EXPECT_EQ(newer.GetTime().front(), 1);  // every recording starts its own time base
  EXPECT_EQ(newer.GetTime().back(), 10);
  EXPECT_EQ(older.GetMemoryEnd(), 321u);
  EXPECT_EQ(newer.GetMemoryEnd(), 353u);
  for (const Storage& rec : r.recordings) {
    EXPECT_EQ(rec.GetTitle(), "Speicher");
    EXPECT_EQ(rec.GetDateTime(), "9/03/2016 8:05:30");
    EXPECT_EQ(rec.GetIntervalMs(), 1000);
    EXPECT_EQ(rec.GetFlowUnitLitres(), 1);
    EXPECT_EQ(rec.GetPressureUnit(), 'b');
    EXPECT_EQ(rec.GetPressureZero(), 104);
    EXPECT_EQ(rec.GetPressureRough(), 2);
    EXPECT_EQ(rec.GetPressureFine(), 15);
    EXPECT_EQ(rec.GetSerialNumber(), 0);
    EXPECT_FALSE(rec.GetSpareFlag());
  }
}

TEST(LoggerMemory, LongBlockAndEmptyRecordings) {
  // Entry 1 is empty, so entry 0 starts right behind the 41-byte block.
  const Bytes toc = Toc({41 + 6, 41});
  const Bytes area = SampleArea(6);
  const DownloadResult r = DecodeLoggerMemory(Settings(41), 2, toc, area);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.recordings[1].GetSampleCount(), 0);
  EXPECT_EQ(r.recordings[0].GetSampleCount(), 2);
  EXPECT_EQ(r.recordings[0].GetSerialNumber(), 4711);

  const TocCheck none = CheckToc({}, 0, 41);
  ASSERT_TRUE(none.ok);
  EXPECT_EQ(none.sampleAreaEnd, 41u);
  const DownloadResult empty = DecodeLoggerMemory(Settings(41), 0, {}, {});
  EXPECT_TRUE(empty.ok);
  EXPECT_TRUE(empty.recordings.empty());
}

TEST(LoggerMemory, FullMemoryUpToTheTable) {
  const uint32_t n = 40;
  const uint32_t tocStart = TocAddress(n);
  EXPECT_EQ(tocStart, 0x1FFFFu - 360);
  std::vector<uint32_t> ends(n);
  for (uint32_t k = 0; k < n; ++k) ends[k] = tocStart - k * 3000;
  const Bytes toc = Toc(ends);
  const TocCheck check = CheckToc(toc, n, 21);
  ASSERT_TRUE(check.ok) << check.error;
  EXPECT_EQ(check.sampleAreaEnd, tocStart);
  const Bytes area = SampleArea(tocStart - 21);
  const DownloadResult r = DecodeLoggerMemory(Settings(), n, toc, area);
  ASSERT_TRUE(r.ok);
  int total = 0;
  for (const Storage& rec : r.recordings) total += rec.GetSampleCount();
  EXPECT_EQ(total, static_cast<int>((tocStart - 21) / 3));
}

TEST(LoggerMemory, InconsistentTablesAreRefused) {
  struct Case {
    const char* what;
    uint32_t fileCount;
    std::vector<uint32_t> ends;
    size_t tocBytes;  // bytes handed over as the table
  };
  const uint32_t top = TocAddress(2);
  const Case cases[] = {
      {"end addresses fall toward entry 0", 2, {300, 321}, 18},
      {"oldest ends inside the settings block", 2, {300, 20}, 18},
      {"newest reaches into the table", 2, {top + 1, 321}, 18},
      {"end address far past the memory", 1, {0xFFFFFF}, 9},
      {"table shorter than announced", 2, {353, 321}, 17},
      {"more entries than the memory holds", 14562, {}, 0},
      {"fileCount at its 16-bit maximum", 65535, {}, 0},
  };
  for (const Case& c : cases) {
    Bytes toc = Toc(c.ends);
    toc.resize(c.tocBytes);  // exact size: a read past it is a sanitizer fault
    const TocCheck check = CheckToc(toc, c.fileCount, 21);
    EXPECT_FALSE(check.ok) << c.what;
    EXPECT_FALSE(check.error.empty()) << c.what;
    const Bytes area = SampleArea(400);
    const DownloadResult r = DecodeLoggerMemory(Settings(), c.fileCount, toc, area);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_TRUE(r.recordings.empty()) << c.what;
    EXPECT_EQ(r.error, check.error) << c.what;
  }
}

TEST(LoggerMemory, SampleAreaShorterThanTheTableSaysIsRefused) {
  const Bytes toc = Toc({353, 321});
  const Bytes area = SampleArea(331);
  const DownloadResult r = DecodeLoggerMemory(Settings(), 2, toc, area);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("331"), std::string::npos) << r.error;
}
