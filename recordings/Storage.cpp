#include "Storage.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <type_traits>
#include <utility>

// The recording set moves its records when it grows; a copy instead would cost a whole
// recording's samples.
static_assert(std::is_nothrow_move_constructible_v<Storage>);

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

  AppendSample(time, flow, pressure, m_volumeTotal);
}

void Storage::AppendSample(float time, float flow, float pressure, float volume) {
  m_growth[TIME].Append(m_time, time);
  m_growth[FLOW].Append(m_flow, flow);
  m_growth[PRESSURE].Append(m_pressure, pressure);
  m_growth[VOLUME].Append(m_volume, volume);
  // Live samples arriving while the filter is on: switching it off must give them back too.
  if (m_filtered) {
    m_growth[FLOW_UNFILTERED].Append(m_flowUnfiltered, flow);
    m_growth[PRESSURE_UNFILTERED].Append(m_pressureUnfiltered, pressure);
    m_growth[VOLUME_UNFILTERED].Append(m_volumeUnfiltered, volume);
  }
}

void Storage::ResetGrowth() {
  for (SteadyGrowth& g : m_growth) g.Reset();
}

void Storage::SetSamples(std::vector<float> time, std::vector<float> flow, std::vector<float> pressure,
                         std::vector<float> volume) {
  const size_t n = std::min({time.size(), flow.size(), pressure.size(), volume.size()});
  for (std::vector<float>* v : {&time, &flow, &pressure, &volume}) v->resize(n);
  ResetGrowth();
  m_time = std::move(time);
  m_flow = std::move(flow);
  m_pressure = std::move(pressure);
  m_volume = std::move(volume);
  m_flowUnfiltered = m_pressureUnfiltered = m_volumeUnfiltered = {};
  m_filtered = false;
}

void Storage::ReserveSamples(size_t n) {
  ResetGrowth();
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

// The window sum of position i as the filter defines it: in double, from 0, in ascending
// position order. The window already holds the smoothed values left of i.
inline double WindowSum(const float* v, int64_t i, int64_t k) {
  double sum = 0;
  for (int64_t j = i - k; j <= i + k; ++j) sum += v[j];
  return sum;
}

// Smooths one series with a running sum that gives exactly the averages of WindowSum, in
// one pass instead of 2k + 1 additions per position. The running sum is kept in double and
// is exact while every value it touches lies on one grid: a multiple of 2^q no larger than
// 2^e in magnitude (e from the largest value, q so that 2k + 3 such values sum below 2^53
// grid steps). Then every partial sum, the per-position sum in ascending order included,
// is exact, so the two sums are the same number. While a value off the grid (tiny, NaN,
// infinite) is in the window, the window is summed by WindowSum, and the running sum is
// rebuilt once that position has left it.
class RunningAverage {
 public:
  RunningAverage(std::vector<float>& v, int64_t k)
      : m_v(v.data()), m_k(k), m_n(static_cast<int64_t>(v.size())), m_width(static_cast<double>(2 * k + 1)) {
    // The largest finite magnitude, on the bits: positive floats order as their bit patterns,
    // and this form vectorises.
    int32_t largestBits = 0;
    for (float x : v) {
      const int32_t b = std::bit_cast<int32_t>(x) & 0x7FFFFFFF;
      largestBits = b < 0x7F800000 && b > largestBits ? b : largestBits;
    }
    const float largest = std::bit_cast<float>(largestBits);
    int e = 0;
    std::frexp(largest, &e);                                         // largest < 2^e
    const int c = std::bit_width(static_cast<uint64_t>(2 * k + 2));  // 2^c >= 2k + 3
    m_toGrid = std::ldexp(1.0, 53 - c - e);
    m_limit = std::ldexp(1.0, 53 - c);
    // Floats from 2^(q + 23) up have no bits below 2^q: on the grid without a closer look.
    m_largest = largest;
    const int surelyOnExponent = e + c - 30;
    m_surelyOn = surelyOnExponent > 127 ? std::numeric_limits<float>::infinity()
                                        : static_cast<float>(std::ldexp(1.0, surelyOnExponent));
    for (int64_t j = 0; j <= 2 * k && j < m_n; ++j)
      if (!OnGrid(m_v[j])) m_lastOff = j;
  }

  // Position i (k <= i < n - k - 1), in ascending order; k >= 1.
  [[gnu::always_inline]] void Step(int64_t i) {
    if (!m_valid) Rebuild(i);
    const float r = static_cast<float>(m_sum / m_width);
    // The next window loses position i - k, sees r in place of the old value at i and
    // gains position i + k + 1. While the window is clean, out and old are on the grid.
    const float out = m_v[i - m_k];
    const float old = m_v[i];
    const float in = m_v[i + m_k + 1];
    m_v[i] = r;
    if (!OnGrid(r)) m_lastOff = std::max(m_lastOff, i);
    if (!OnGrid(in)) m_lastOff = i + m_k + 1;
    if (m_valid && m_lastOff < i + 1 - m_k)
      m_sum = (m_sum - out - old + in) + r;
    else
      m_valid = false;
  }

  // The last position, n - k - 1: nothing follows.
  void Last(int64_t i) {
    if (!m_valid) Rebuild(i);
    m_v[i] = static_cast<float>(m_sum / m_width);
  }

 private:
  void Rebuild(int64_t i) {
    m_sum = WindowSum(m_v, i, m_k);
    m_valid = m_lastOff < i - m_k;
  }

  bool OnGrid(float x) const {
    const float a = std::fabs(x);
    if (a <= m_largest && (a >= m_surelyOn || x == 0)) return true;
    const double t = x * m_toGrid;  // exact: a power of two, in range
    if (!(std::fabs(t) <= m_limit)) return false;
    return static_cast<double>(static_cast<int64_t>(t)) == t;
  }

  float* m_v;
  int64_t m_k, m_n;
  double m_width;
  double m_toGrid = 1, m_limit = 0;
  float m_largest = 0, m_surelyOn = 0;
  int64_t m_lastOff = -1;  // the last position whose value is (or was) off the grid
  double m_sum = 0;
  bool m_valid = false;
};

// In place: the window of position i already sees the smoothed values left of it. The three
// series go through one loop, so their chains of dependent steps overlap.
void SmoothInPlace(std::vector<float>& a, std::vector<float>& b, std::vector<float>& c, int64_t k) {
  const int64_t n = static_cast<int64_t>(a.size());
  if (n <= 2 * k) return;
  if (k == 0) {
    // The sum still starts from +0.0, which turns -0.0 into +0.0.
    for (std::vector<float>* v : {&a, &b, &c})
      for (int64_t i = 0; i < n; ++i) (*v)[i] = static_cast<float>(WindowSum(v->data(), i, 0) / 1.0);
    return;
  }
  RunningAverage ra(a, k), rb(b, k), rc(c, k);
  for (int64_t i = k; i < n - k - 1; ++i) {
    ra.Step(i);
    rb.Step(i);
    rc.Step(i);
  }
  ra.Last(n - k - 1);
  rb.Last(n - k - 1);
  rc.Last(n - k - 1);
}

}  // namespace

void Storage::ApplyFilter(bool on, int32_t halfWidth) {
  if (on && !m_filtered) {
    ResetGrowth();
    m_flowUnfiltered = m_flow;
    m_volumeUnfiltered = m_volume;
    m_pressureUnfiltered = m_pressure;
    const int64_t k = halfWidth < 0 ? 0 : halfWidth;
    SmoothInPlace(m_flow, m_volume, m_pressure, k);
    m_filtered = true;
  } else if (!on && m_filtered) {
    // The copies become the series again; nothing is copied, and their room goes back.
    ResetGrowth();
    m_flow = std::exchange(m_flowUnfiltered, {});
    m_pressure = std::exchange(m_pressureUnfiltered, {});
    m_volume = std::exchange(m_volumeUnfiltered, {});
    m_filtered = false;
  }
}
