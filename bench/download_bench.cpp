// Downloading a full logger memory (40 recordings, 43,520 samples, about 1,020 transfers)
// through the simulated logger, three ways in each round:
//   window     - the window's download command (OnDownload): transfers, progress window,
//                decoding, the recording set replaced, list and plot refreshed, the save
//                question (answered No by a dialog hook);
//   download   - LoggerDownload alone: the same transfers and the decoding, no window;
//   transfers  - the plain way: the same three memory reads and nothing else.
// The program's own CPU beyond the transfers is the main thread's CPU time of the window's
// download less that of the transfers alone (the simulated logger answers on its own thread,
// the X server in its own process). Needs a display and the emulated USB bus:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env LD_PRELOAD=libumockdev-preload.so.0 build/bench/download_bench
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/modalhook.h>
#include <wx/progdlg.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "BenchWindow.h"
#include "GuiBench.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "device/SettingsBlock.h"
#include "device/VellUSB.h"
#include "recordings/LoggerDownload.h"
#include "recordings/LoggerMemory.h"
#include "sim/SimBus.h"

namespace {

constexpr int RECORDINGS = 40;
constexpr int SAMPLES_EACH = 1088;

// Answers the save question with No, and counts the questions.
class AnswerNo : public wxModalDialogHook {
 public:
  int questions = 0;

 protected:
  int Enter(wxDialog*) override {
    ++questions;
    return wxID_NO;
  }
  void Exit(wxDialog*) override {}
};

struct Fixture {
  std::unique_ptr<sim::SimBus> bus;
  std::shared_ptr<sim::SimLogger> logger;
  MainFrame* frame = nullptr;
  AnswerNo answers;
};

Fixture& Get() {
  static Fixture f;
  return f;
}

void Setup() {
  Fixture& f = Get();
  f.bus = std::make_unique<sim::SimBus>();
  f.logger = std::make_shared<sim::SimLogger>(0x0403);
  std::vector<sim::Recording> recordings;
  for (int r = 0; r < RECORDINGS; ++r) {
    sim::Recording rec;
    rec.start = {2026, 3, 1 + r % 28, r % 24, 5, 30};
    for (int i = 0; i < SAMPLES_EACH; ++i) rec.samples.push_back({(i * 37 + r) % 3000, 200 + i % 500});
    recordings.push_back(rec);
  }
  if (!f.logger->LoadRecordings(recordings)) std::abort();
  f.bus->Plug(f.logger);
  f.frame = bench::OpenMainFrame();
  f.answers.Register();
}

// The plain way: the three memory reads LoggerDownload makes, nothing decoded.
bool TransfersOnly(VellUSB& link) {
  const unsigned char* version = link.GetFirmwareVersion();
  if (!version) return false;
  const int length = SettingsBlockLength(version[0] | version[1] << 8);
  unsigned char block[SETTINGS_BLOCK_LONG];
  if (!link.ReadMemory(0, static_cast<uint32_t>(length), block)) return false;
  const uint32_t n = block[2] | block[3] << 8;
  std::vector<uint8_t> toc(n * TOC_ENTRY_SIZE);
  if (!link.ReadMemory(TocAddress(n), static_cast<uint32_t>(toc.size()), toc.data())) return false;
  const TocCheck check = CheckToc(toc, n, static_cast<uint32_t>(length));
  std::vector<uint8_t> area(check.sampleAreaEnd - static_cast<uint32_t>(length));
  return check.ok && link.ReadMemory(static_cast<uint32_t>(length), static_cast<uint32_t>(area.size()), area.data());
}

void BM_FullDownload(benchmark::State& state) {
  Fixture& f = Get();
  VellUSB link;
  std::vector<double> windowCpu, windowWall, downloadCpu, transfersCpu, transfersWall;
  for (auto _ : state) {
    f.frame->m_recordings.MarkSaved();  // nothing to ask about before the download
    const int asked = f.answers.questions;
    double c0 = bench::ThreadCpuMs();
    auto t0 = bench::Clock::now();
    wxCommandEvent download(wxEVT_BUTTON, ID_DOWNLOAD);
    f.frame->GetEventHandler()->ProcessEvent(download);
    windowWall.push_back(bench::MsSince(t0));
    windowCpu.push_back(bench::ThreadCpuMs() - c0);
    int samples = 0;
    for (const Storage& rec : f.frame->m_recordings) samples += rec.GetSampleCount();
    if (f.frame->m_recordings.size() != RECORDINGS || samples != RECORDINGS * SAMPLES_EACH ||
        f.answers.questions != asked + 1) {
      state.SkipWithError("the window's download did not bring every recording");
      return;
    }

    c0 = bench::ThreadCpuMs();
    const LoggerDownloadResult r = LoggerDownload(link).Run();
    downloadCpu.push_back(bench::ThreadCpuMs() - c0);
    if (!r.ok()) state.SkipWithError("LoggerDownload failed");

    c0 = bench::ThreadCpuMs();
    t0 = bench::Clock::now();
    if (!TransfersOnly(link)) state.SkipWithError("a memory read failed");
    transfersWall.push_back(bench::MsSince(t0));
    transfersCpu.push_back(bench::ThreadCpuMs() - c0);
  }
  const double beyond = bench::Median(windowCpu) - bench::Median(transfersCpu);
  state.counters["window_cpu_ms"] = bench::Median(windowCpu);
  state.counters["window_wall_ms"] = bench::Median(windowWall);
  state.counters["download_cpu_ms"] = bench::Median(downloadCpu);
  state.counters["transfers_cpu_ms"] = bench::Median(transfersCpu);
  state.counters["transfers_wall_ms"] = bench::Median(transfersWall);
  state.counters["beyond_transfers_cpu_ms"] = beyond;
  state.counters["limit_ms"] = 10;
  state.counters["transfers"] = static_cast<double>(f.logger->TransferCount()) / (3.0 * state.iterations());
}

// Parts of the window's share, on their own: the progress window opened and closed, the same
// pulsed three times in between (its first pulse shows and draws it), and the recording set
// replaced by the 40 downloaded recordings (list, plot and title follow).
void BM_Parts(benchmark::State& state) {
  Fixture& f = Get();
  VellUSB link;
  const std::vector<Storage> records = LoggerDownload(link).Run().recordings;
  std::vector<double> progressCpu, replaceCpu, openCpu;
  for (auto _ : state) {
    double c0 = bench::ThreadCpuMs();
    {
      wxProgressDialog progress("Laden",
                                wxString::FromUTF8("Daten werden vom VRX-Speicher gelesen, einen Moment bitte…"), 100,
                                nullptr, wxPD_APP_MODAL | wxPD_AUTO_HIDE | wxPD_CAN_ABORT);
      for (int i = 0; i < 3; ++i) progress.Pulse();
    }
    progressCpu.push_back(bench::ThreadCpuMs() - c0);
    c0 = bench::ThreadCpuMs();
    {
      wxProgressDialog progress("Laden",
                                wxString::FromUTF8("Daten werden vom VRX-Speicher gelesen, einen Moment bitte…"), 100,
                                nullptr, wxPD_APP_MODAL | wxPD_AUTO_HIDE | wxPD_CAN_ABORT);
    }
    openCpu.push_back(bench::ThreadCpuMs() - c0);
    f.frame->m_recordings.MarkSaved();
    c0 = bench::ThreadCpuMs();
    f.frame->m_recordings.Replace(records, std::string(), false);
    replaceCpu.push_back(bench::ThreadCpuMs() - c0);
  }
  state.counters["progress_open_close_cpu_ms"] = bench::Median(openCpu);
  state.counters["progress_shown_cpu_ms"] = bench::Median(progressCpu);
  state.counters["replace_set_cpu_ms"] = bench::Median(replaceCpu);
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::StartGui(argc, argv, &sim::SimBus::InMockEnvironment)) return 1;
  benchmark::Initialize(&argc, argv);
  Setup();
  benchmark::RegisterBenchmark("FullDownload", BM_FullDownload)->Unit(benchmark::kMillisecond)->Iterations(15);
  benchmark::RegisterBenchmark("FullDownload/parts", BM_Parts)->Unit(benchmark::kMillisecond)->Iterations(15);
  benchmark::RunSpecifiedBenchmarks();
  Get().frame->m_recordings.MarkSaved();
  Get().frame->Destroy();
  wxEntryCleanup();
  return 0;
}
