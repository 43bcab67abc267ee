#pragma once

#include <string>

// What the main window shows of the logger's memory status record (request 34): free
// memory as remaining recording time, the used share and the battery level.
struct MemoryStatusView {
  std::string text;      // e.g. "12:08 Stunden Speicherplatz vorhanden"
  int memoryGauge = 0;   // 0..700, the used share of the memory
  int batteryLevel = 0;  // 3 × the battery field, the battery gauge's value (0..700)
  enum class Bar { Green, Orange, Red } batteryBar = Bar::Green;
};

constexpr int STATUS_GAUGE_RANGE = 700;
constexpr unsigned LOGGER_MEMORY_BYTES = 131071;

// Decodes the 7-byte record.
MemoryStatusView DecodeMemoryStatus(const unsigned char* record);
