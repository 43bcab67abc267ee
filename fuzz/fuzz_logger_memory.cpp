// A download: table of contents and sample area as the logger sends them. The table check
// and the decoding must agree with an independent reading of the table, every record must
// hold exactly the samples of its address span, and nothing beyond the two buffers may be
// read (each is an exactly-sized heap copy).
//
// Input: a 13-byte header, then the table bytes, then the sample area.
//   0-1   file count, low 16 bits
//   2     bit 0: 41-byte block (else 21); bit 1: byte 3 is bits 16-23 of the file count;
//         bit 2: the sample area is bytes 4-6 long, made by repeating the input's rest
//         (so full-memory addresses need no 128 KiB input); bits 3-4: bytes missing from
//         the table; bit 5: flow in litres
//   3     file count, bits 16-23
//   4-6   length of a made sample area
//   7-10  pressure zero, rough, fine, unit
//   11-12 rate word (also the serial number of a long block)
#include <span>
#include <vector>

#include "FuzzSupport.h"
#include "LoggerMemory.h"
#include "device/SettingsBlock.h"

namespace {

constexpr size_t HEADER = 13;

struct Reference {
  bool ok = false;
  uint32_t sampleAreaEnd = 0;
  std::vector<uint32_t> ends;
};

uint32_t End(const uint8_t* toc, uint32_t k) {
  const uint8_t* e = toc + size_t{k} * TOC_ENTRY_SIZE;
  return e[6] | e[7] << 8 | static_cast<uint32_t>(e[8]) << 16;
}

// The table as the memory layout describes it: oldest entry last, each recording starting
// where the older one ended, all of them between the block and the table.
Reference ReadTable(const uint8_t* toc, size_t tocSize, uint32_t fileCount, uint32_t blockLength) {
  Reference ref;
  const uint64_t need = uint64_t{fileCount} * TOC_ENTRY_SIZE;
  if (need + blockLength > LOGGER_TOC_TOP || tocSize < need) return ref;
  const uint32_t tableStart = LOGGER_TOC_TOP - static_cast<uint32_t>(need);
  ref.ends.resize(fileCount);
  uint32_t start = blockLength;
  for (uint32_t k = fileCount; k-- > 0;) {
    const uint32_t end = End(toc, k);
    if (end < start || end > tableStart) return ref;
    ref.ends[k] = end;
    start = end;
  }
  ref.ok = true;
  ref.sampleAreaEnd = start;
  return ref;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < HEADER) return 0;
  const uint8_t flags = data[2];
  uint32_t fileCount = data[0] | data[1] << 8;
  if (flags & 0x02) fileCount |= static_cast<uint32_t>(data[3]) << 16;
  const uint32_t blockLength = flags & 0x01 ? SETTINGS_BLOCK_LONG : SETTINGS_BLOCK_SHORT;
  const size_t missing = flags >> 3 & 0x03;

  DownloadSettings settings;
  const uint16_t rateWord = static_cast<uint16_t>(data[11] | data[12] << 8);
  settings.intervalMs = IntervalMilliseconds(rateWord);
  settings.flowUnitLitres = flags >> 5 & 1;
  settings.pressureZero = data[7];
  settings.pressureRough = data[8];
  settings.pressureFine = data[9];
  settings.pressureUnit = static_cast<char>(data[10]);
  settings.serialNumber = blockLength == SETTINGS_BLOCK_LONG ? rateWord : 0;
  settings.blockLength = blockLength;

  const uint8_t* rest = data + HEADER;
  const size_t restSize = size - HEADER;
  const uint64_t wanted = uint64_t{fileCount} * TOC_ENTRY_SIZE;
  const size_t tocSize =
      static_cast<size_t>(std::min<uint64_t>(restSize, wanted > missing ? wanted - missing : 0));
  const auto toc = fuzz::HeapCopy(rest, tocSize);

  const uint8_t* tail = rest + tocSize;
  const size_t tailSize = restSize - tocSize;
  size_t areaSize = tailSize;
  std::unique_ptr<uint8_t[]> area;
  if (flags & 0x04) {
    areaSize =
        (data[4] | data[5] << 8 | static_cast<size_t>(data[6]) << 16) % (LOGGER_MEMORY_SIZE + 1);
    area.reset(new uint8_t[areaSize]);
    for (size_t i = 0; i < areaSize; ++i) area[i] = tailSize ? tail[i % tailSize] : 0;
  } else {
    area = fuzz::HeapCopy(tail, tailSize);
  }
  const std::span<const uint8_t> tocSpan(toc.get(), tocSize);
  const std::span<const uint8_t> areaSpan(area.get(), areaSize);

  const Reference ref = ReadTable(toc.get(), tocSize, fileCount, blockLength);
  const TocCheck check = CheckToc(tocSpan, fileCount, blockLength);
  FUZZ_CHECK(check.ok == ref.ok);
  if (check.ok)
    FUZZ_CHECK(check.sampleAreaEnd == ref.sampleAreaEnd);
  else
    FUZZ_CHECK(!check.error.empty());

  const DownloadResult r = DecodeLoggerMemory(settings, fileCount, tocSpan, areaSpan);
  FUZZ_CHECK(r.ok == (ref.ok && areaSize >= ref.sampleAreaEnd - blockLength));
  if (!r.ok) {
    FUZZ_CHECK(!r.error.empty() && r.recordings.empty());
    return 0;
  }
  FUZZ_CHECK(r.recordings.size() == fileCount);
  uint32_t start = blockLength;
  for (uint32_t k = fileCount; k-- > 0;) {
    const Storage& rec = r.recordings[k];
    const uint32_t end = ref.ends[k];
    FUZZ_CHECK(rec.GetMemoryEnd() == end);
    const uint32_t count = (end - start) / SAMPLE_SIZE;
    FUZZ_CHECK(rec.GetSampleCount() == static_cast<int>(count));
    FUZZ_CHECK(rec.GetTitle() == "Speicher");
    FUZZ_CHECK(rec.GetSerialNumber() == settings.serialNumber);
    FUZZ_CHECK(rec.GetIntervalMs() == settings.intervalMs);
    FUZZ_CHECK(rec.GetFlowUnitLitres() == settings.flowUnitLitres);
    FUZZ_CHECK(rec.GetPressureUnit() == settings.pressureUnit);
    const auto entry = tocSpan.subspan(size_t{k} * TOC_ENTRY_SIZE).first<TOC_ENTRY_SIZE>();
    FUZZ_CHECK(rec.GetDateTime() == FormatTocDateTime(DecodeTocEntry(entry)));
    // Sample i of the record is the three bytes at its address, start + 3i.
    for (uint32_t i = 0; i < count; ++i) {
      const size_t at = size_t{start} - blockLength + size_t{i} * SAMPLE_SIZE;
      FUZZ_CHECK(at + SAMPLE_SIZE <= areaSize);
      const RawSample raw = DecodeSample(area[at], area[at + 1], area[at + 2]);
      FUZZ_CHECK(raw.flowRaw >= 0 && raw.flowRaw < 1 << 14);
      FUZZ_CHECK(raw.pressureRaw >= 0 && raw.pressureRaw < 1 << 10);
      const Storage::Sample s = rec.GetSample(static_cast<int>(i));
      FUZZ_CHECK(s.flow == static_cast<float>(raw.flowRaw));
      FUZZ_CHECK(std::isfinite(s.pressure) && s.pressure >= 0);
      FUZZ_CHECK(s.time > 0);
    }
    start = end;
  }
  return 0;
}
