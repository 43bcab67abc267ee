// The logger's memory as the download sees it: settings block at 0, samples behind it, a
// table of contents of 9-byte entries at the top. Pure decoding; the reads are the caller's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "Storage.h"
#include "device/UsbConstants.h"

constexpr uint32_t LOGGER_TOC_TOP = LOGGER_MEMORY_TOP;  // the table ends just below this byte
constexpr uint32_t SAMPLE_SIZE = 3;

struct TocEntry {
  uint8_t second = 0;  // all six BCD
  uint8_t minute = 0;
  uint8_t hour = 0;
  uint8_t day = 0;
  uint8_t month = 0;
  uint8_t year = 0;         // years after 2000
  uint32_t endAddress = 0;  // just past the recording's last sample byte
};

struct RawSample {
  int32_t flowRaw = 0;      // 14 bits
  int32_t pressureRaw = 0;  // 10 bits
};

// Values of the settings block that every downloaded recording takes over.
struct DownloadSettings {
  int32_t intervalMs = 0;
  int32_t flowUnitLitres = 0;  // bit 0 of stateFlags
  uint8_t pressureZero = 0;
  uint8_t pressureRough = 0;
  uint8_t pressureFine = 0;
  char pressureUnit = 0;
  int32_t serialNumber = 0;   // 0 with a short (21-byte) block
  uint32_t blockLength = 21;  // L: 21, or 41 for firmware 0x0403
};

// Address of the first table byte for fileCount entries (0x1FFFF - 9N).
uint32_t TocAddress(uint32_t fileCount);
// Entry k of a table read from TocAddress(fileCount); entry must hold 9 bytes.
TocEntry DecodeTocEntry(std::span<const uint8_t, TOC_ENTRY_SIZE> entry);
// "9/03/2016 8:05:30" from the entry's BCD bytes.
std::string FormatTocDateTime(const TocEntry& entry);
RawSample DecodeSample(uint8_t b0, uint8_t b1, uint8_t b2);

struct TocCheck {
  bool ok = false;
  uint32_t sampleAreaEnd = 0;  // E: end address of entry 0 (L when the table is empty)
  std::string error;           // why the table was refused
};

// Checks that the table fits above the block and describes samples only inside L..table,
// ending no earlier than they start; gives E, which says how much sample area to read.
TocCheck CheckToc(std::span<const uint8_t> toc, uint32_t fileCount, uint32_t blockLength);

struct DownloadResult {
  bool ok = false;
  std::vector<Storage> recordings;  // entry k is record k: the most recent first
  std::string error;
};

// Builds the records of a download. sampleArea starts at logger address L and must reach
// at least to E; nothing beyond the given buffers is read.
DownloadResult DecodeLoggerMemory(const DownloadSettings& settings, uint32_t fileCount,
                                  std::span<const uint8_t> toc,
                                  std::span<const uint8_t> sampleArea);
