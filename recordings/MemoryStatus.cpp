#include "MemoryStatus.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "i18n/TrNoop.h"

MemoryStatusView DecodeMemoryStatus(const unsigned char* record) {
  MemoryStatusView view;
  const unsigned free = record[0] | record[1] << 8 | record[2] << 16;
  const int battery = 3 * (record[3] | record[4] << 8);
  const unsigned rateWord = record[5] | record[6] << 8;

  // The interval in seconds, here without truncating before adding the one.
  const double interval = ((65535.0 - rateWord) * 8000.0 / 32768.0 + 1.0) / 1000.0;
  // free / 3 in floating point: cutting to whole samples first gives 436863 s instead of
  // 436866 s for 131050 free bytes at a 10 s interval.
  const long long total = static_cast<long long>(free / 3.0 * interval);
  const long long days = total / 86400;
  const int hours = static_cast<int>(total % 86400 / 3600);
  const int minutes = static_cast<int>(total % 3600 / 60);
  if (days >= 1)
    view.text = CoreTrF("%lld Days, %02d:%02d Minuten Speicherplatz vorhanden", days, hours, minutes);
  else if (hours >= 1)
    view.text = CoreTrF("%02d:%02d Stunden Speicherplatz vorhanden", hours, minutes);
  else
    view.text = CoreTrF("%02d:%02d Minuten Speicherplatz vorhanden", hours, minutes);
  view.freeBytes = free;
  view.remainingSeconds = total;

  // A free count above the memory size (no working logger sends one) shows as empty memory.
  const unsigned used = LOGGER_MEMORY_BYTES - std::min(free, LOGGER_MEMORY_BYTES);
  view.memoryGauge = static_cast<int>(static_cast<unsigned long long>(STATUS_GAUGE_RANGE) * used /
                                      LOGGER_MEMORY_BYTES);

  // The gauge cannot show more than its range.
  view.batteryLevel = std::min(battery, STATUS_GAUGE_RANGE);
  view.batteryBar = battery <= 175   ? MemoryStatusView::Bar::Red
                    : battery <= 350 ? MemoryStatusView::Bar::Orange
                                     : MemoryStatusView::Bar::Green;
  return view;
}

std::string ReadFailureText(int errorCode) {
  if (errorCode == 0) return CoreTr("USB-Verbindung fehlgeschlagen");
  return CoreTrF("Lesen fehlgeschlagen Fehlercode: %d", errorCode);
}
