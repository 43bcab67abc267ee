// Reading every recording from the logger's memory: the settings block, the
// table of contents and the used sample area, decoded into records. No window:
// progress and cancelling go through a callback, and the caller decides what to
// tell the user.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/SettingsBlock.h"
#include "recordings/Storage.h"

class VellUSB;

enum class DownloadStatus {
  Ok,
  ReadFailed,  // a transfer failed: the caller asks the logger why (error code)
  BadMemory,   // the table of contents or the samples make no sense; `error` says
               // why
  Cancelled,   // the progress callback asked to stop
};

struct LoggerDownloadResult {
  DownloadStatus status = DownloadStatus::ReadFailed;
  // Firmware word asked first (0 when the request failed); the settings block
  // once it was read, even when a later step failed.
  int firmwareVersion = 0;
  std::optional<SettingsBlock> block;
  std::vector<Storage> recordings;  // only with Ok: the most recent first
  std::string error;                // with BadMemory
  bool ok() const { return status == DownloadStatus::Ok; }
};

class LoggerDownload {
 public:
  // Bytes read so far and the bytes the whole download reads (known once the
  // table is read; until then the total covers what is known). Return false to
  // cancel.
  using Progress = std::function<bool(uint64_t done, uint64_t total)>;

  explicit LoggerDownload(VellUSB& link) : m_link(link) {}

  // Three memory reads (one when the logger holds no recording). Nothing is
  // kept between runs.
  LoggerDownloadResult Run(const Progress& progress = nullptr);

 private:
  VellUSB& m_link;
};
