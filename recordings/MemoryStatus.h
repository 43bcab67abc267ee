#pragma once

#include <string>

// What the main window shows of the logger's memory status record (request 34): free
// memory as remaining recording time, the used share and the battery level.
struct MemoryStatusView {
  std::string text;      // e.g. "12:08 Stunden Speicherplatz vorhanden"
  int memoryGauge = 0;   // 0..700, the used share of the memory
  int batteryLevel = 0;  // 3 × the battery field, the battery gauge's value (0..700)
  enum class Bar { Green, Orange, Red } batteryBar = Bar::Green;
  unsigned freeBytes = 0;          // as the logger reports it
  long long remainingSeconds = 0;  // recording time the free memory holds, as the text says
};

constexpr int STATUS_GAUGE_RANGE = 700;
constexpr unsigned LOGGER_MEMORY_BYTES = 131071;

// Decodes the 7-byte record.
MemoryStatusView DecodeMemoryStatus(const unsigned char* record);

// The report of a failed logger operation, from the error code the logger gives when asked
// afterwards: "Lesen fehlgeschlagen Fehlercode: %d", or "USB-Verbindung fehlgeschlagen" when
// it names none (0: the request failed too, or the logger knows of no fault).
std::string ReadFailureText(int errorCode);
