#include "RecordingListText.h"

#include "i18n/TrNoop.h"

#include <cmath>
#include <cstdio>

std::string ListDateText(const std::string& dateTime) {
  return dateTime.substr(0, dateTime.find(' '));
}

std::string ListTimeText(const std::string& dateTime) {
  const size_t blank = dateTime.find(' ');
  return blank == std::string::npos ? std::string() : dateTime.substr(blank + 1);
}

std::string DurationText(int64_t sampleCount, int32_t intervalMs) {
  const double seconds = std::trunc(static_cast<double>(sampleCount) * intervalMs / 1000.0);
  // Both factors fit 32 bits, so the product is exact in an int64 range.
  const int64_t s = seconds > 0 ? static_cast<int64_t>(seconds) : 0;
  const int hours = static_cast<int>(s / 3600 % 24);
  const int minutes = static_cast<int>(s / 60 % 60);
  const int secs = static_cast<int>(s % 60);
  char buf[16];
  if (hours != 0)
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hours, minutes, secs);
  else
    std::snprintf(buf, sizeof buf, "%02d:%02d", minutes, secs);
  return buf;
}

std::string DurationText(const Storage& rec) {
  return DurationText(rec.GetSampleCount(), rec.GetIntervalMs());
}

std::string VolumeText(const Storage& rec) { return std::to_string(rec.GetTotalVolume()); }

std::string VolumeColumnHeading(int32_t flowUnitLitres) {
  return flowUnitLitres == 1 ? TrNoop("Volumen (L)") : TrNoop("Volumen (G)");
}
