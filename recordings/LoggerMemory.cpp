#include "LoggerMemory.h"

#include <cstdio>

#include "i18n/TrNoop.h"

uint32_t TocAddress(uint32_t fileCount) {
  const uint64_t size = static_cast<uint64_t>(fileCount) * TOC_ENTRY_SIZE;
  return size > LOGGER_TOC_TOP ? 0 : LOGGER_TOC_TOP - static_cast<uint32_t>(size);
}

TocEntry DecodeTocEntry(std::span<const uint8_t, TOC_ENTRY_SIZE> e) {
  TocEntry t;
  t.second = e[0];
  t.minute = e[1];
  t.hour = e[2];
  t.day = e[3];
  t.month = e[4];
  t.year = e[5];
  t.endAddress = static_cast<uint32_t>(e[6]) | static_cast<uint32_t>(e[7]) << 8 |
                 static_cast<uint32_t>(e[8]) << 16;
  return t;
}

std::string FormatTocDateTime(const TocEntry& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%x/%x%x/20%x%x %x:%x%x:%x%x", t.day, t.month >> 4, t.month & 0xF,
                t.year >> 4, t.year & 0xF, t.hour, t.minute >> 4, t.minute & 0xF, t.second >> 4,
                t.second & 0xF);
  return buf;
}

RawSample DecodeSample(uint8_t b0, uint8_t b1, uint8_t b2) {
  return {(b1 & 0x3F) * 256 + b0, (b1 >> 6) * 256 + b2};
}

namespace {

std::string Hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%05X", v);
  return buf;
}

uint32_t EndAddress(std::span<const uint8_t> toc, uint32_t k) {
  return DecodeTocEntry(toc.subspan(size_t{k} * TOC_ENTRY_SIZE).first<TOC_ENTRY_SIZE>()).endAddress;
}

}  // namespace

TocCheck CheckToc(std::span<const uint8_t> toc, uint32_t fileCount, uint32_t blockLength) {
  TocCheck r;
  const std::string prefix = CoreTr("Inhaltsverzeichnis des Gerätespeichers fehlerhaft: ");
  const uint64_t tocSize = static_cast<uint64_t>(fileCount) * TOC_ENTRY_SIZE;
  if (blockLength > LOGGER_TOC_TOP || tocSize > LOGGER_TOC_TOP - blockLength) {
    r.error = prefix + CoreTrF("%u Einträge passen nicht in den Speicher", fileCount);
    return r;
  }
  if (toc.size() < tocSize) {
    r.error = prefix + CoreTrF("nur %zu von %llu Bytes gelesen", toc.size(), static_cast<unsigned long long>(tocSize));
    return r;
  }
  const uint32_t tocStart = TocAddress(fileCount);
  uint32_t start = blockLength;  // S(N-1) = L
  for (uint32_t k = fileCount; k-- > 0;) {
    const uint32_t end = EndAddress(toc, k);
    if (end < start) {
      r.error =
          prefix + CoreTrF("Eintrag %u endet bei %s, vor seinem Anfang %s", k, Hex(end).c_str(), Hex(start).c_str());
      return r;
    }
    if (end > tocStart) {
      r.error = prefix + CoreTrF("Eintrag %u endet bei %s, im Inhaltsverzeichnis ab %s", k, Hex(end).c_str(),
                                 Hex(tocStart).c_str());
      return r;
    }
    start = end;
  }
  r.ok = true;
  r.sampleAreaEnd = start;
  return r;
}

DownloadResult DecodeLoggerMemory(const DownloadSettings& s, uint32_t fileCount,
                                  std::span<const uint8_t> toc,
                                  std::span<const uint8_t> sampleArea) {
  DownloadResult r;
  const TocCheck check = CheckToc(toc, fileCount, s.blockLength);
  if (!check.ok) {
    r.error = check.error;
    return r;
  }
  const uint32_t L = s.blockLength;
  if (sampleArea.size() < check.sampleAreaEnd - L) {
    r.error = CoreTrF("Datenbereich des Gerätespeichers unvollständig: %zu von %u Bytes gelesen", sampleArea.size(),
                      check.sampleAreaEnd - L);
    return r;
  }

  r.recordings.reserve(fileCount);
  for (uint32_t k = 0; k < fileCount; ++k) {
    const TocEntry e =
        DecodeTocEntry(toc.subspan(size_t{k} * TOC_ENTRY_SIZE).first<TOC_ENTRY_SIZE>());
    Storage& rec =
        r.recordings.emplace_back(FormatTocDateTime(e), s.intervalMs, s.flowUnitLitres, false);
    rec.SetPressureScaling(s.pressureZero, s.pressureRough, s.pressureFine, s.pressureUnit);
    rec.SetTitle("Speicher");
    rec.SetSerialNumber(s.serialNumber);
    rec.SetMemoryEnd(e.endAddress);
  }

  // Oldest first, so each recording starts where the older one ended.
  uint32_t start = L;
  for (uint32_t k = fileCount; k-- > 0;) {
    const uint32_t end = r.recordings[k].GetMemoryEnd();
    const uint32_t count = (end - start) / SAMPLE_SIZE;
    Storage& rec = r.recordings[k];
    rec.ReserveSamples(count);
    const uint8_t* p = sampleArea.data() + (start - L);
    for (uint32_t i = 0; i < count; ++i, p += SAMPLE_SIZE) {
      const RawSample raw = DecodeSample(p[0], p[1], p[2]);
      rec.AddSample(raw.flowRaw, raw.pressureRaw);
    }
    start = end;
  }
  r.ok = true;
  return r;
}
