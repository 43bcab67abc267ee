#include "recordings/LiveRecording.h"

#include "device/SettingsBlock.h"

std::string LiveStartStamp(std::time_t now) {
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[64];
  const size_t n = std::strftime(text, sizeof text, "%d/%m/%Y %H:%M:%S", &utc);
  return std::string(text, n);
}

Storage NewLiveRecording(const SettingsBlock& block, const std::string& stamp) {
  Storage rec(stamp, IntervalMilliseconds(block.rateWord()), block.flowUnitLitres() ? 1 : 0, false);
  rec.SetPressureScaling(block.pressureZero(), block.pressureRough(), block.pressureFine(),
                         static_cast<char>(block.pressureUnit()));
  rec.SetTitle("Verbunden");
  if (block.FirmwareVersion() == FIRMWARE_LONG_BLOCK && block.IsLong())
    rec.SetSerialNumber(block.serialNumber());
  return rec;
}
