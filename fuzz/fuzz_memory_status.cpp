// The memory status record: exactly 7 bytes from the logger (the input cut or zero-padded)
// give a text and two gauge values within the gauges' range.
#include "FuzzSupport.h"
#include "MemoryStatus.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t RECORD = 7;
  std::unique_ptr<uint8_t[]> record(new uint8_t[RECORD]());
  std::memcpy(record.get(), data, std::min(size, RECORD));

  const MemoryStatusView view = DecodeMemoryStatus(record.get());
  FUZZ_CHECK(view.memoryGauge >= 0 && view.memoryGauge <= STATUS_GAUGE_RANGE);
  FUZZ_CHECK(view.batteryLevel >= 0 && view.batteryLevel <= STATUS_GAUGE_RANGE);

  const unsigned free = record[0] | record[1] << 8 | record[2] << 16;
  const int battery = 3 * (record[3] | record[4] << 8);
  const unsigned used = free >= LOGGER_MEMORY_BYTES ? 0 : LOGGER_MEMORY_BYTES - free;
  FUZZ_CHECK(view.memoryGauge == static_cast<int>(700ull * used / LOGGER_MEMORY_BYTES));
  FUZZ_CHECK(view.batteryLevel == std::min(battery, STATUS_GAUGE_RANGE));
  const auto bar = battery <= 175   ? MemoryStatusView::Bar::Red
                   : battery <= 350 ? MemoryStatusView::Bar::Orange
                                    : MemoryStatusView::Bar::Green;
  FUZZ_CHECK(view.batteryBar == bar);

  const std::string& t = view.text;
  const std::string tail = " Speicherplatz vorhanden";
  FUZZ_CHECK(t.size() > tail.size() && t.compare(t.size() - tail.size(), tail.size(), tail) == 0);
  return 0;
}
