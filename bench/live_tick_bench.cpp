// One live tick on a live recording of a week at 0.1 s (6,048,000 samples) grown the way live
// reading grows it (every sample through AddSample, nothing reserved): a block of 10 samples
// read over the emulated bus and appended, the list refreshed, the curves updated and the flow
// view with pressure on the right painted. The plain way beside it, in the same run: the same
// tick with the curves holding copies of the series, as they did, at a tick where those
// copies are full and double (what made the worst tick). The parts of the tick are timed on
// their own too, to show where the time goes.
//   xvfb-run -a -s "-screen 0 1280x1024x24" env LD_PRELOAD=libumockdev-preload.so.0 build/bench/live_tick_bench
#include <benchmark/benchmark.h>
#include <wx/dcmemory.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "BenchSupport.h"
#include "BenchWindow.h"
#include "GuiBench.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "plot/Plot.h"
#include "sim/SimBus.h"

namespace {

constexpr long WEEK = 7L * 24 * 3600 * 10;
constexpr double LIMIT_MS = 10.0;

struct Fixture {
  std::unique_ptr<sim::SimBus> bus;
  std::shared_ptr<sim::SimLogger> logger;
  MainFrame* frame = nullptr;
  wxBitmap canvas;
  // The curves as they were: each holding its own copy of time and values.
  std::array<std::unique_ptr<mpFXYVector>, 4> copies;
};

Fixture& Get() {
  static Fixture f;
  return f;
}

void Setup(long samples) {
  Fixture& f = Get();
  f.bus = std::make_unique<sim::SimBus>();
  sim::BlockParams p;
  p.rateWord = 0xFE67;  // 0.1 s
  f.logger = std::make_shared<sim::SimLogger>(0x0403, p);
  f.bus->Plug(f.logger);
  f.frame = bench::OpenMainFrame();
  wxCommandEvent pressure(wxEVT_BUTTON, ID_VIEW_PRESSURE);  // flow, pressure on the right
  f.frame->GetEventHandler()->ProcessEvent(pressure);
  wxCommandEvent start(wxEVT_BUTTON, ID_LIVE_START);
  f.frame->GetEventHandler()->ProcessEvent(start);
  Storage& live = f.frame->m_recordings.LiveRecording();
  for (long i = 0; i < samples; ++i) live.AddSample(static_cast<int>(i % 600 / 40), 300 + static_cast<int>(i % 97));
  f.canvas = wxBitmap(f.frame->m_plot->GetClientSize());
  // Live reading would have shown every tick's samples: the curves catch up once, untimed.
  f.frame->m_recordings.LiveSamplesAdded();
}

void Paint() {
  Fixture& f = Get();
  wxMemoryDC dc(f.canvas);
  f.frame->m_plot->DrawView(dc);
}

void Tick() {
  Fixture& f = Get();
  f.logger->AdvanceMs(1000);
  wxTimerEvent tick(f.frame->m_liveTimer);
  f.frame->GetEventHandler()->ProcessEvent(tick);
  Paint();
}

// The copies, exactly full: the next extension reallocates all eight arrays.
void LoadCopies() {
  Fixture& f = Get();
  const Storage& rec = f.frame->m_recordings.back();
  const std::vector<float>* values[4] = {&rec.GetFlow(), &rec.GetVolume(), &rec.GetPressure(), &rec.GetPressure()};
  for (int k = 0; k < 4; ++k) {
    f.copies[static_cast<size_t>(k)] = std::make_unique<mpFXYVector>();
    f.copies[static_cast<size_t>(k)]->SetPoints(rec.GetTime(), *values[k]);
  }
}

void ExtendCopies() {
  Fixture& f = Get();
  const Storage& rec = f.frame->m_recordings.back();
  const std::vector<float>* values[4] = {&rec.GetFlow(), &rec.GetVolume(), &rec.GetPressure(), &rec.GetPressure()};
  for (int k = 0; k < 4; ++k) f.copies[static_cast<size_t>(k)]->ExtendPoints(rec.GetTime(), *values[k]);
}

void BM_LiveTick(benchmark::State& state) {
  // Wall time includes what the shared machine takes from us; the thread's CPU time is the
  // program's own work.
  std::vector<double> mine, plain, mineCpu, plainCpu;
  for (auto _ : state) {
    state.PauseTiming();
    LoadCopies();
    double c0 = bench::ThreadCpuMs();
    auto t0 = bench::Clock::now();
    Tick();
    mine.push_back(bench::MsSince(t0));
    mineCpu.push_back(bench::ThreadCpuMs() - c0);
    LoadCopies();
    c0 = bench::ThreadCpuMs();
    t0 = bench::Clock::now();
    Tick();
    ExtendCopies();
    plain.push_back(bench::MsSince(t0));
    plainCpu.push_back(bench::ThreadCpuMs() - c0);
    state.ResumeTiming();
  }
  Fixture& f = Get();
  for (auto& c : f.copies) c.reset();
  state.counters["samples"] = f.frame->m_recordings.back().GetSampleCount();
  state.counters["mine_median_ms"] = bench::Median(mine);
  state.counters["mine_worst_ms"] = *std::max_element(mine.begin(), mine.end());
  state.counters["limit_worst_ms"] = LIMIT_MS;
  state.counters["plain_median_ms"] = bench::Median(plain);
  state.counters["plain_worst_ms"] = *std::max_element(plain.begin(), plain.end());
  state.counters["mine_worst_cpu_ms"] = *std::max_element(mineCpu.begin(), mineCpu.end());
  state.counters["plain_worst_cpu_ms"] = *std::max_element(plainCpu.begin(), plainCpu.end());
  state.counters["x_vs_plain"] = bench::Median(plain) / bench::Median(mine);
}

void BM_RefreshList(benchmark::State& state) {
  for (auto _ : state) Get().frame->RefreshRecordingList();
}

void BM_ShowRecording(benchmark::State& state) {
  MainFrame* frame = Get().frame;
  for (auto _ : state) frame->ShowRecording(static_cast<int>(frame->m_recordings.size()) - 1);
}

void BM_Paint(benchmark::State& state) {
  for (auto _ : state) Paint();
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::StartGui(argc, argv, &sim::SimBus::InMockEnvironment)) return 1;
  benchmark::Initialize(&argc, argv);
  Setup(WEEK);
  benchmark::RegisterBenchmark("LiveTick/week", BM_LiveTick)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(30)
      ->UseRealTime();
  benchmark::RegisterBenchmark("LiveTick/week/part:list", BM_RefreshList)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(5)
      ->Iterations(3);
  benchmark::RegisterBenchmark("LiveTick/week/part:show_recording", BM_ShowRecording)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(5)
      ->Iterations(3);
  benchmark::RegisterBenchmark("LiveTick/week/part:paint", BM_Paint)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(5)
      ->Iterations(3);
  benchmark::RunSpecifiedBenchmarks();
  Get().frame->m_recordings.MarkSaved();
  Get().frame->Destroy();
  wxEntryCleanup();
  return 0;
}
