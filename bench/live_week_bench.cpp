// The long-run check: a simulated week of live reading at 0.1 s through the main window, on
// the simulated logger's virtual clock. Every tick is the window's own live tick (the block
// read over the emulated USB bus, decoded, appended, readouts, list and plot updated); the
// logger's flow counts its samples, so the end can check that every sample arrived, in
// order. Reports the worst tick (wall and the main thread's CPU), the median, and the heap
// growth per sample after warm-up (the recording and whatever else grows with it; the plot's
// curves read the recording's arrays), then what switching the filter on adds (the
// unfiltered copies of three series). Limits: 10 ms for the worst tick, 24 bytes a sample
// with the filter off. Not run in CI: at one tick a second a week is 604,800
// ticks, several minutes.
//   xvfb-run -a -s "-screen 0 1280x1024x24" env LD_PRELOAD=libumockdev-preload.so.0
//       build/bench/live_week_bench [TICK_MS [DAYS]]      (defaults 1000 and 7)
#include <wx/app.h>
#include <wx/init.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "BenchWindow.h"
#include "GuiBench.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "sim/SimBus.h"

namespace {

double ProcessCpuMs() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

int Run(int tickMs, int days) {
  sim::SimBus bus;
  sim::BlockParams params;
  params.rateWord = 0xFE67;  // 0.1 s: 409 ticks of 1/4096 s per sample
  auto logger = std::make_shared<sim::SimLogger>(0x0403, params);
  uint64_t produced = 0;
  logger->SetSignal([&produced](double) { return sim::RawSample{static_cast<int>(produced++ % 16384), 300}; });
  bus.Plug(logger);
  MainFrame* frame = bench::OpenMainFrame();
  wxCommandEvent start(wxEVT_BUTTON, ID_LIVE_START);
  frame->GetEventHandler()->ProcessEvent(start);

  const int64_t totalMs = int64_t{days} * 24 * 3600 * 1000;
  const int64_t ticks = totalMs / tickMs;
  // The process's CPU as well: the emulated bus answers on a thread of its own, so a tick that
  // waited for it shows there and not in the main thread's time.
  std::vector<double> wall, cpu, processCpu;
  processCpu.reserve(static_cast<size_t>(ticks));
  wall.reserve(static_cast<size_t>(ticks));
  cpu.reserve(static_cast<size_t>(ticks));
  size_t heapWarm = 0;
  int samplesWarm = 0;
  const auto begin = bench::Clock::now();
  for (int64_t t = 1; t <= ticks; ++t) {
    logger->AdvanceMs(tickMs);
    const double c0 = bench::ThreadCpuMs(), p0 = ProcessCpuMs();
    const auto t0 = bench::Clock::now();
    wxTimerEvent tick(frame->m_liveTimer);
    frame->GetEventHandler()->ProcessEvent(tick);
    wall.push_back(bench::MsSince(t0));
    cpu.push_back(bench::ThreadCpuMs() - c0);
    processCpu.push_back(ProcessCpuMs() - p0);
    if (t == 100) {
      heapWarm = bench::HeapInUse();
      samplesWarm = frame->m_recordings.back().GetSampleCount();
    }
    // Now and then the window gets to handle what the ticks queued (repaints), as in the
    // event loop, and the simulated logger forgets its log of transfers (a test's record,
    // some 330 bytes a tick, which is not the program's memory); not part of any tick's time.
    if (t % 600 == 0) {
      wxYield();
      logger->ClearLog();
    }
    if (t % (ticks / 20 + 1) == 0)
      std::fprintf(stderr, "%3d%%  %d samples  %.0f s\n", static_cast<int>(100 * t / ticks),
                   frame->m_recordings.back().GetSampleCount(), bench::MsSince(begin) / 1e3);
  }
  const size_t heapEnd = bench::HeapInUse();
  const Storage& live = frame->m_recordings.back();
  const int received = live.GetSampleCount();
  int misplaced = 0;
  for (int i = 0; i < received; ++i)
    if (static_cast<int>(live.GetFlow()[static_cast<size_t>(i)]) != i % 16384) ++misplaced;
  const bool complete = received + logger->PendingLiveSamples() == logger->LiveSamplesTaken();

  std::printf("live reading: %lld ticks of %d ms, %d samples received, %llu taken by the logger, %zu pending\n",
              static_cast<long long>(ticks), tickMs, received,
              static_cast<unsigned long long>(logger->LiveSamplesTaken()), logger->PendingLiveSamples());
  std::printf("every sample in order: %s; complete: %s\n", misplaced ? "NO" : "yes", complete ? "yes" : "NO");
  std::printf("tick wall ms:  median %.3f  p99.9 %.3f  worst %.3f\n", bench::Median(wall), Percentile(wall, 0.999),
              *std::max_element(wall.begin(), wall.end()));
  std::printf("tick CPU ms:   median %.3f  p99.9 %.3f  worst %.3f   (limit for the worst tick: 10 ms)\n",
              bench::Median(cpu), Percentile(cpu, 0.999), *std::max_element(cpu.begin(), cpu.end()));
  // Where the slowest ticks fell (the tick's number, one a second, counts the samples too).
  std::vector<size_t> order(cpu.size());
  for (size_t k = 0; k < order.size(); ++k) order[k] = k;
  const size_t shown = std::min<size_t>(5, order.size());
  std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(shown), order.end(),
                    [&cpu](size_t a, size_t b) { return cpu[a] > cpu[b]; });
  std::printf("slowest ticks by CPU:");
  for (size_t k = 0; k < shown; ++k) std::printf("  #%zu %.3f ms", order[k] + 1, cpu[order[k]]);
  std::printf("\n");
  std::printf("tick process CPU ms (all threads):  median %.3f  p99.9 %.3f  worst %.3f\n", bench::Median(processCpu),
              Percentile(processCpu, 0.999), *std::max_element(processCpu.begin(), processCpu.end()));
  std::printf("heap growth after warm-up: %.1f bytes per sample (%zu bytes for %d samples; limit 24)\n",
              static_cast<double>(heapEnd - heapWarm) / (received - samplesWarm), heapEnd - heapWarm,
              received - samplesWarm);
  // To tell the recording's share from the rest: the room its four arrays hold.
  const size_t own = (live.GetTime().capacity() + live.GetFlow().capacity() + live.GetPressure().capacity() +
                      live.GetVolume().capacity()) *
                     sizeof(float);
  std::printf("of the heap in use, the recording's arrays hold %.1f bytes per sample\n",
              static_cast<double>(own) / received);
  // The filter on the live recording, as its button does.
  const size_t heapBeforeFilter = bench::HeapInUse();
  const double filterCpu0 = bench::ThreadCpuMs();
  frame->FilterAction();
  const double filterCpuMs = bench::ThreadCpuMs() - filterCpu0;
  std::printf("filter on: %.1f ms CPU; it adds %.1f bytes per sample (limit with the filter off: 24)\n", filterCpuMs,
              static_cast<double>(bench::HeapInUse() - heapBeforeFilter) / received);
  frame->FilterAction();
  std::printf("run time: %.0f s\n", bench::MsSince(begin) / 1e3);

  wxCommandEvent stop(wxEVT_BUTTON, ID_LIVE_STOP);
  frame->GetEventHandler()->ProcessEvent(stop);
  frame->m_recordings.MarkSaved();
  frame->Destroy();
  wxYield();
  return misplaced == 0 && complete ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const int tickMs = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int days = argc > 2 ? std::atoi(argv[2]) : 7;
  if (tickMs < 100 || tickMs > 7300 || days < 1) {
    std::fprintf(stderr, "usage: %s [TICK_MS 100..7300 [DAYS]]\n", argv[0]);
    return 2;
  }
  if (!bench::StartGui(argc, argv, &sim::SimBus::InMockEnvironment)) return 1;
  const int rc = Run(tickMs, days);
  wxEntryCleanup();
  return rc;
}
