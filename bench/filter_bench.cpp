// Switching the moving-average filter on for a week of live reading at 0.1 s (6,048,000
// samples), beside the plain way: the same copies and, per position, the sum of the whole
// window (the filter as first written). Both must give the same floats, bit for bit.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "BenchSupport.h"
#include "Storage.h"

namespace {

constexpr int WEEK = 7 * 24 * 36000;

// A live recording as the logger delivers it: taps opened and closed, noise on flow and
// pressure, long stretches of no flow.
const Storage& Week() {
  static const Storage rec = [] {
    Storage s("09/03/2016 08:05:30", 100, 1, false);
    s.SetPressureScaling(104, 2, 15, 'b');
    std::mt19937 rng(3);
    int level = 0;
    for (int i = 0; i < WEEK; ++i) {
      if (i % 9000 == 0) level = rng() % 3 ? 0 : 200 + static_cast<int>(rng() % 2000);
      const int flow = level ? level + static_cast<int>(rng() % 40) : 0;
      s.AddSample(flow, 300 + static_cast<int>(rng() % 60) - (level ? 80 : 0));
    }
    return s;
  }();
  return rec;
}

void PlainSmooth(std::vector<float>& v, int64_t k) {
  const int64_t n = static_cast<int64_t>(v.size());
  const double width = static_cast<double>(2 * k + 1);
  for (int64_t i = k; i < n - k; ++i) {
    double sum = 0;
    for (int64_t j = i - k; j <= i + k; ++j) sum += v[static_cast<size_t>(j)];
    v[static_cast<size_t>(i)] = static_cast<float>(sum / width);
  }
}

bool SameBits(const std::vector<float>& a, const std::vector<float>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

void BM_FilterOn(benchmark::State& state) {
  const int k = static_cast<int>(state.range(0));
  Storage mine = Week();
  std::vector<float> flow, volume, pressure, flowCopy, volumeCopy, pressureCopy;
  bench::SideBySide(
      state,
      [&] {
        mine = Week();
        flow = Week().GetFlow();
        volume = Week().GetVolume();
        pressure = Week().GetPressure();
      },
      [&] { mine.ApplyFilter(true, k); },
      [&] {
        flowCopy = flow;
        volumeCopy = volume;
        pressureCopy = pressure;
        PlainSmooth(flow, k);
        PlainSmooth(volume, k);
        PlainSmooth(pressure, k);
      });
  // The last round left the plain way's results in flow, volume and pressure.
  mine = Week();
  mine.ApplyFilter(true, k);
  if (!SameBits(mine.GetFlow(), flow) || !SameBits(mine.GetVolume(), volume) || !SameBits(mine.GetPressure(), pressure))
    state.SkipWithError("filtered values differ from the plain way");
  state.counters["samples"] = static_cast<double>(mine.GetSampleCount());
  state.counters["limit_ms"] = 100;
}

}  // namespace

BENCHMARK(BM_FilterOn)->Arg(2)->Arg(10)->Iterations(7)->Unit(benchmark::kMillisecond);
