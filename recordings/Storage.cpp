#include "Storage.h"

#include <cmath>
#include <limits>

Storage::Storage(const std::string& dateTime, int32_t intervalMs, int32_t flowUnitLitres,
                 bool spareFlag)
    : m_spareFlag(spareFlag),
      m_flowUnitLitres(flowUnitLitres),
      m_intervalMs(intervalMs),
      m_dateTime(dateTime) {}

void Storage::SetPressureScaling(uint8_t zero, uint8_t rough, uint8_t fine, char unit) {
  m_pressureZero = zero;
  m_pressureRough = rough;
  m_pressureFine = fine;
  m_pressureUnit = unit;
}

void Storage::AddSample(int32_t flowRaw, int32_t pressureRaw) {
  // A live recording could in theory run long enough to overflow the counter.
  if (m_sampleCount < std::numeric_limits<int32_t>::max()) ++m_sampleCount;

  const float time = static_cast<float>(static_cast<double>(m_sampleCount) * m_intervalMs / 1000.0);
  const float flow = static_cast<float>(flowRaw);

  int64_t d = static_cast<int64_t>(pressureRaw) - m_pressureZero;
  if (d < 5) d = 0;
  const float gain = static_cast<float>(m_pressureRough + m_pressureFine / 100.0);
  // An uncalibrated logger (gain 0) would give inf/NaN; no pressure is the honest value.
  float pressure = gain > 0 ? static_cast<float>(d) / gain : 0.0f;
  if (m_pressureUnit == 'b') pressure = static_cast<float>(pressure / 14.504);

  m_volumeTotal =
      static_cast<float>(m_volumeTotal + static_cast<double>(m_intervalMs) * flow / 60000.0);

  m_time.push_back(time);
  m_flow.push_back(flow);
  m_pressure.push_back(pressure);
  m_volume.push_back(m_volumeTotal);
}

void Storage::ReserveSamples(size_t n) {
  m_time.reserve(n);
  m_flow.reserve(n);
  m_pressure.reserve(n);
  m_volume.reserve(n);
}

Storage::Sample Storage::GetSample(int i) const {
  if (i < 0 || static_cast<size_t>(i) >= m_time.size()) return {};
  const auto k = static_cast<size_t>(i);
  return {m_time[k], m_flow[k], m_pressure[k], m_volume[k]};
}

Storage::Sample Storage::GetLastSample() const { return GetSample(GetSampleCount() - 1); }

int32_t Storage::GetTotalVolume() const {
  if (m_volume.empty()) return 0;
  const float v = m_volume.back();
  // Converting NaN or an out-of-range float to int is undefined; clamp instead.
  if (std::isnan(v)) return 0;
  if (v >= 2147483648.0f) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0f) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

namespace {

// In place: the window of position i already sees the smoothed values left of it.
void SmoothInPlace(std::vector<float>& v, int64_t k) {
  const int64_t n = static_cast<int64_t>(v.size());
  const double width = static_cast<double>(2 * k + 1);
  for (int64_t i = k; i < n - k; ++i) {
    double sum = 0;
    for (int64_t j = i - k; j <= i + k; ++j) sum += v[static_cast<size_t>(j)];
    v[static_cast<size_t>(i)] = static_cast<float>(sum / width);
  }
}

}  // namespace

void Storage::ApplyFilter(bool on, int32_t halfWidth) {
  if (on && !m_filtered) {
    m_flowUnfiltered = m_flow;
    m_volumeUnfiltered = m_volume;
    m_pressureUnfiltered = m_pressure;
    const int64_t k = halfWidth < 0 ? 0 : halfWidth;
    SmoothInPlace(m_flow, k);
    SmoothInPlace(m_volume, k);
    SmoothInPlace(m_pressure, k);
    m_filtered = true;
  } else if (!on && m_filtered) {
    m_flow = m_flowUnfiltered;
    m_pressure = m_pressureUnfiltered;
    m_volume = m_volumeUnfiltered;
    m_filtered = false;
  }
}
