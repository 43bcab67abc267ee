// What the benchmarks share: clocks, the allocator's count of heap in use, medians, and
// timing a piece of the program beside the plain way of doing the same thing in one run (the
// two alternate, so both see the same load on a shared machine; the figures are medians).
#pragma once

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// CPU time of the calling thread: what the program itself spent, without the time other
// processes on the machine took from it.
inline double ThreadCpuMs() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Heap in use by the allocator's own count (small blocks and mapped ones).
inline size_t HeapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t m = v.size() / 2;
  return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

// Each round: prepare() untimed, mine() timed, prepare() again, plain() timed. Sets the
// counters mine_ms, plain_ms (medians) and x_vs_plain (plain / mine).
template <class Prepare, class Mine, class Plain>
void SideBySide(benchmark::State& state, Prepare prepare, Mine mine, Plain plain) {
  std::vector<double> mineMs, plainMs;
  for (auto _ : state) {
    state.PauseTiming();
    prepare();
    state.ResumeTiming();
    auto t0 = Clock::now();
    mine();
    mineMs.push_back(MsSince(t0));
    state.PauseTiming();
    prepare();
    t0 = Clock::now();
    plain();
    plainMs.push_back(MsSince(t0));
    state.ResumeTiming();
  }
  state.counters["mine_ms"] = Median(mineMs);
  state.counters["plain_ms"] = Median(plainMs);
  state.counters["x_vs_plain"] = Median(plainMs) / Median(mineMs);
}

}  // namespace bench
