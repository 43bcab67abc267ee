// One live tick on a live recording of a day at 0.1 s (1,000,000 samples): a block of 10
// samples read and appended, the list refreshed, the plot reloaded and repainted. The parts
// of the tick are timed on their own too, to show where the time goes.
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "plot/Plot.h"
#include "sim/SimBus.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/init.h>

#include <cstdio>
#include <memory>

namespace {

struct Fixture {
  std::unique_ptr<sim::SimBus> bus;
  std::shared_ptr<sim::SimLogger> logger;
  MainFrame* frame = nullptr;
  wxBitmap canvas;
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
  const wxString dir = wxFileName::CreateTempFileName("vrx-bench");
  wxRemoveFile(dir);
  wxFileName::Mkdir(dir);
  f.frame = new MainFrame("bench", wxDefaultPosition, wxSize(1200, 800), dir);
  f.frame->Show();
  wxCommandEvent start(wxEVT_BUTTON, ID_LIVE_START);
  f.frame->GetEventHandler()->ProcessEvent(start);
  Storage& live = f.frame->m_recordings.LiveRecording();
  live.ReserveSamples(static_cast<size_t>(samples) + 100000);
  for (long i = 0; i < samples; ++i) live.AddSample(static_cast<int>(i % 600 / 40), 300 + static_cast<int>(i % 97));
  f.canvas = wxBitmap(f.frame->m_plot->GetClientSize());
}

void Paint() {
  Fixture& f = Get();
  wxMemoryDC dc(f.canvas);
  f.frame->m_plot->DrawView(dc);
}

void BM_LiveTick(benchmark::State& state) {
  Fixture& f = Get();
  for (auto _ : state) {
    f.logger->AdvanceMs(1000);
    wxTimerEvent tick(f.frame->m_liveTimer);
    f.frame->GetEventHandler()->ProcessEvent(tick);
    Paint();
  }
  state.counters["samples"] = f.frame->m_recordings.back().GetSampleCount();
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
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "cannot start wx (no display?)\n");
    return 1;
  }
  wxTheApp->CallOnInit();
  if (!sim::SimBus::InMockEnvironment()) {
    std::fprintf(stderr, "run with LD_PRELOAD=libumockdev-preload.so.0\n");
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  Setup(1000000);
  benchmark::RegisterBenchmark("LiveTick/1M", BM_LiveTick)->Unit(benchmark::kMillisecond)->Repetitions(10)->Iterations(3);
  benchmark::RegisterBenchmark("LiveTick/1M/part:list", BM_RefreshList)->Unit(benchmark::kMillisecond)->Repetitions(5)->Iterations(3);
  benchmark::RegisterBenchmark("LiveTick/1M/part:show_recording", BM_ShowRecording)->Unit(benchmark::kMillisecond)->Repetitions(5)->Iterations(3);
  benchmark::RegisterBenchmark("LiveTick/1M/part:paint", BM_Paint)->Unit(benchmark::kMillisecond)->Repetitions(5)->Iterations(3);
  benchmark::RunSpecifiedBenchmarks();
  Get().frame->m_recordings.MarkSaved();
  Get().frame->Destroy();
  wxEntryCleanup();
  return 0;
}
