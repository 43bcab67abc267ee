#include "recordings/LoggerDownload.h"

#include "device/VellUSB.h"
#include "recordings/LoggerMemory.h"

LoggerDownloadResult LoggerDownload::Run(const Progress& progress) {
  LoggerDownloadResult result;
  bool cancelled = false;
  uint64_t before = 0;  // bytes of the reads already done
  uint64_t total = 0;
  // One read, reporting chunk by chunk; tells a cancel from a failed transfer.
  auto read = [&](uint32_t address, uint32_t length, unsigned char* into) {
    const bool ok = m_link.ReadMemory(address, length, into, [&](uint32_t done) {
      if (progress && !progress(before + done, total)) cancelled = true;
      return !cancelled;
    });
    before += length;
    if (cancelled) result.status = DownloadStatus::Cancelled;
    return ok && !cancelled;
  };
  auto fail = [&](std::string why) {
    result.status = DownloadStatus::BadMemory;
    result.error = std::move(why);
    return result;
  };

  // A failed version request counts as version 0, which means the short block.
  const unsigned char* reply = m_link.GetFirmwareVersion();
  result.firmwareVersion = reply ? reply[0] | reply[1] << 8 : 0;
  const int blockLength = SettingsBlockLength(result.firmwareVersion);
  unsigned char bytes[SETTINGS_BLOCK_LONG] = {};
  total = static_cast<uint64_t>(blockLength);
  if (!read(0, static_cast<uint32_t>(blockLength), bytes)) return result;
  const SettingsBlock& block = result.block.emplace(bytes, blockLength, result.firmwareVersion);

  DownloadSettings settings;
  settings.intervalMs = IntervalMilliseconds(block.rateWord());
  settings.flowUnitLitres = block.flowUnitLitres() ? 1 : 0;
  settings.pressureZero = block.pressureZero();
  settings.pressureRough = block.pressureRough();
  settings.pressureFine = block.pressureFine();
  settings.pressureUnit = static_cast<char>(block.pressureUnit());
  settings.blockLength = static_cast<uint32_t>(blockLength);
  settings.serialNumber = block.IsLong() ? block.serialNumber() : 0;
  const uint32_t fileCount = block.fileCount();
  if (fileCount == 0) {
    result.status = DownloadStatus::Ok;
    return result;
  }

  // A count whose table would not fit above the block is refused before
  // anything is read.
  if (uint64_t{fileCount} * TOC_ENTRY_SIZE > LOGGER_TOC_TOP - settings.blockLength)
    return fail(CheckToc({}, fileCount, settings.blockLength).error);
  std::vector<uint8_t> toc(size_t{fileCount} * TOC_ENTRY_SIZE);
  total += toc.size();
  if (!read(TocAddress(fileCount), static_cast<uint32_t>(toc.size()), toc.data())) return result;
  // End addresses that do not rise, or reach into the table, would point past
  // what is read.
  const TocCheck check = CheckToc(toc, fileCount, settings.blockLength);
  if (!check.ok) return fail(check.error);

  std::vector<uint8_t> sampleArea(check.sampleAreaEnd - settings.blockLength);
  total += sampleArea.size();
  if (!read(settings.blockLength, static_cast<uint32_t>(sampleArea.size()), sampleArea.data())) return result;
  DownloadResult decoded = DecodeLoggerMemory(settings, fileCount, toc, sampleArea);
  if (!decoded.ok) return fail(decoded.error);
  result.recordings = std::move(decoded.recordings);
  result.status = DownloadStatus::Ok;
  return result;
}
