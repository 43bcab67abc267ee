// Work file, CSV and logger memory decoding, each against the plain stdio way of doing
// the same (fprintf/fscanf of the documented formats), timed in the same run. Work files of
// a full logger, of a day and of a week of live reading at 0.1 s.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "CsvExport.h"
#include "LoggerMemory.h"
#include "Storage.h"
#include "WorkFile.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t0) {
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

const std::string& Dir() {
  static const std::string dir = [] {
    std::string tmpl = (std::filesystem::temp_directory_path() / "vrx-bench-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    std::atexit([] { std::filesystem::remove_all(Dir()); });
    return tmpl;
  }();
  return dir;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Realistic values: a logger's flows and pressures through AddSample.
std::vector<Storage> MakeSet(int recordings, int totalSamples) {
  std::mt19937 rng(42);
  std::vector<Storage> set;
  for (int r = 0; r < recordings; ++r) {
    Storage s("9/03/2016 8:05:30", 1000, 1, false);
    s.SetPressureScaling(104, 2, 15, r % 2 ? 'b' : 'p');
    s.SetTitle("Speicher");
    s.SetSerialNumber(1234);
    const int samples = totalSamples / recordings + (r < totalSamples % recordings);
    for (int i = 0; i < samples; ++i)
      s.AddSample(static_cast<int>(rng() % 400), 104 + static_cast<int>(rng() % 900));
    set.push_back(std::move(s));
  }
  return set;
}

void StdioWriteWorkFile(const std::vector<Storage>& set, const std::string& path,
                        bool sync = false) {
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fprintf(f, "%d\r\n%d\r\n", 430000, static_cast<int>(set.size()));
  for (const Storage& s : set) {
    std::fprintf(f, "%s\r\n%s\r\n%s\r\n%d\r\n%d\r\n%d\r\n%d\r\n%d\r\n%d\r\n", s.GetTitle().c_str(),
                 s.GetDateTime().c_str(), s.GetInfo().c_str(), s.GetSerialNumber(),
                 s.GetIntervalMs(), s.GetPressureUnit(), s.GetFlowUnitLitres(),
                 s.GetSpareFlag() ? 1 : 0, s.GetSampleCount());
    const float* t = s.GetTime().data();
    const float* q = s.GetFlow().data();
    const float* p = s.GetPressure().data();
    const float* v = s.GetVolume().data();
    for (int i = 0; i < s.GetSampleCount(); ++i)
      std::fprintf(f, "%f %f %f %f\r\n", t[i], q[i], p[i], v[i]);
  }
  // As durable as the safe write, for a like-for-like figure.
  if (sync && (std::fflush(f) != 0 || fsync(fileno(f)) != 0)) std::abort();
  std::fclose(f);
}

// The reader as plain stdio does it: fscanf for numbers, fgets for texts.
std::vector<Storage> StdioReadWorkFile(const std::string& path) {
  std::vector<Storage> set;
  FILE* f = std::fopen(path.c_str(), "rb");
  int version, count;
  if (std::fscanf(f, "%d\n%d\n", &version, &count) != 2) std::abort();
  char title[200], date[200], info[200];
  for (int r = 0; r < count; ++r) {
    int serial, interval, unit, flowUnit, spare, n;
    if (!std::fgets(title, sizeof title, f) || !std::fgets(date, sizeof date, f) ||
        !std::fgets(info, sizeof info, f) ||
        std::fscanf(f, "%d\n%d\n%d\n%d\n%d\n%d\n", &serial, &interval, &unit, &flowUnit, &spare,
                    &n) != 6)
      std::abort();
    Storage& s = set.emplace_back(date, interval, flowUnit, spare != 0);
    s.SetTitle(title);
    s.SetInfo(info);
    s.SetSerialNumber(serial);
    s.SetPressureUnit(static_cast<char>(unit));
    for (int i = 0; i < n; ++i) {
      float t, q, p, v;
      if (std::fscanf(f, "%f %f %f %f\n", &t, &q, &p, &v) != 4) std::abort();
      s.AppendSample(t, q, p, v);
    }
  }
  std::fclose(f);
  return set;
}

void StdioWriteCsv(const Storage& s, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  const char* flow = CsvFlowUnit(s.GetFlowUnitLitres());
  const char* volume = CsvVolumeUnit(s.GetFlowUnitLitres());
  const char* pressure = CsvPressureUnit(s.GetPressureUnit());
  std::fprintf(f, "File Name,%s\r\nTitle,%s %s\r\nInformation,%s\r\n", path.c_str(),
               s.GetTitle().c_str(), s.GetDateTime().c_str(), s.GetInfo().c_str());
  std::fprintf(f, "Flow Measurement,%s,%s\r\nPressure Measurement,%s,%s\r\n",
               s.GetFlowMeasurement().c_str(), flow, s.GetPressureMeasurement().c_str(), pressure);
  std::fprintf(f, "Zeit (s), Durchfluss (%s), Volumen (%s), Druck (%s)\r\n", flow, volume,
               pressure);
  const float* t = s.GetTime().data();
  const float* q = s.GetFlow().data();
  const float* p = s.GetPressure().data();
  const float* v = s.GetVolume().data();
  for (int i = 0; i < s.GetSampleCount(); ++i)
    std::fprintf(f, "%.2f,%.0f,%.0f,%.2f\r\n", t[i], q[i], v[i], p[i]);
  std::fclose(f);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t m = v.size() / 2;
  return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

// Runs mine (timed by the framework) and the stdio ways alternately, so all see the same load
// on a shared machine; the figures are medians of the rounds, and each ratio is of medians.
void Compare(benchmark::State& state, const std::function<void()>& mine,
             const std::vector<std::pair<const char*, std::function<void()>>>& plain) {
  std::vector<double> mineMs;
  std::vector<std::vector<double>> plainMs(plain.size());
  for (auto _ : state) {
    auto t0 = Clock::now();
    mine();
    mineMs.push_back(Since(t0) * 1e3);
    state.PauseTiming();
    for (size_t i = 0; i < plain.size(); ++i) {
      t0 = Clock::now();
      plain[i].second();
      plainMs[i].push_back(Since(t0) * 1e3);
    }
    state.ResumeTiming();
  }
  state.counters["mine_ms"] = Median(mineMs);
  for (size_t i = 0; i < plain.size(); ++i) {
    state.counters[std::string(plain[i].first) + "_ms"] = Median(plainMs[i]);
    state.counters[std::string("x_vs_") + plain[i].first] = Median(plainMs[i]) / Median(mineMs);
  }
}

void WriteWorkFileBench(benchmark::State& state, int recordings, int totalSamples) {
  const std::vector<Storage> set = MakeSet(recordings, totalSamples);
  const std::string mine = Dir() + "/mine.kdl", plain = Dir() + "/stdio.kdl";
  // The safe write syncs before its rename; the second stdio figure syncs as well.
  Compare(state, [&] { benchmark::DoNotOptimize(WriteWorkFile(mine, set).ok); },
          {{"stdio", [&] { StdioWriteWorkFile(set, plain); }},
           {"stdio_fsync", [&] { StdioWriteWorkFile(set, plain, true); }}});
  if (ReadAll(mine) != ReadAll(plain)) state.SkipWithError("output differs from fprintf");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(mine)));
}

void ReadWorkFileBench(benchmark::State& state, int recordings, int totalSamples) {
  const std::string path = Dir() + "/read.kdl";
  if (!WriteWorkFile(path, MakeSet(recordings, totalSamples)).ok) std::abort();
  Compare(state, [&] { benchmark::DoNotOptimize(ReadWorkFile(path).recordings.size()); },
          {{"stdio", [&] { benchmark::DoNotOptimize(StdioReadWorkFile(path).size()); }}});
  const WorkFileReadResult r = ReadWorkFile(path);
  const std::vector<Storage> ref = StdioReadWorkFile(path);
  for (size_t k = 0; k < ref.size(); ++k)
    if (!r.ok || r.recordings[k].GetFlow() != ref[k].GetFlow() ||
        r.recordings[k].GetPressure() != ref[k].GetPressure() ||
        r.recordings[k].GetVolume() != ref[k].GetVolume())
      state.SkipWithError("values differ from fscanf");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
}

// A full logger: 43,690 samples in 40 recordings.
void BM_WriteWorkFile_FullLogger(benchmark::State& state) { WriteWorkFileBench(state, 40, 43690); }
void BM_WriteWorkFile_1M(benchmark::State& state) { WriteWorkFileBench(state, 1, 1000000); }
void BM_ReadWorkFile_FullLogger(benchmark::State& state) { ReadWorkFileBench(state, 40, 43690); }
void BM_ReadWorkFile_1M(benchmark::State& state) { ReadWorkFileBench(state, 1, 1000000); }
// A week of live reading at 0.1 s.
void BM_WriteWorkFile_6M(benchmark::State& state) { WriteWorkFileBench(state, 1, 6048000); }
void BM_ReadWorkFile_6M(benchmark::State& state) { ReadWorkFileBench(state, 1, 6048000); }

void BM_WriteCsv_1M(benchmark::State& state) {
  const Storage rec = MakeSet(1, 1000000)[0];
  const std::string mine = Dir() + "/mine.csv", plain = Dir() + "/stdio.csv";
  Compare(state, [&] { benchmark::DoNotOptimize(WriteCsvFile(mine, rec).ok); },
          {{"stdio", [&] { StdioWriteCsv(rec, plain); }}});
  // The first line names the file itself; the rest must match.
  const std::string a = ReadAll(mine), b = ReadAll(plain);
  if (a.substr(a.find('\n')) != b.substr(b.find('\n')))
    state.SkipWithError("output differs from fprintf");
}

void BM_DecodeFullLoggerMemory(benchmark::State& state) {
  const uint32_t n = 40, L = 41;
  const uint32_t tocStart = TocAddress(n);
  std::vector<uint8_t> toc(n * TOC_ENTRY_SIZE);
  for (uint32_t k = 0; k < n; ++k) {
    // Entry 0, the newest, ends at the table; older ones 3276 bytes apart.
    const uint32_t end = tocStart - k * 3276;
    const uint8_t e[9] = {0x30,
                          0x05,
                          0x08,
                          0x09,
                          0x03,
                          0x16,
                          static_cast<uint8_t>(end),
                          static_cast<uint8_t>(end >> 8),
                          static_cast<uint8_t>(end >> 16)};
    std::copy(e, e + 9, toc.begin() + k * 9);
  }
  std::vector<uint8_t> area(tocStart - L);
  std::mt19937 rng(1);
  for (uint8_t& b : area) b = static_cast<uint8_t>(rng());
  DownloadSettings s;
  s.intervalMs = 1000;
  s.flowUnitLitres = 1;
  s.pressureZero = 104;
  s.pressureRough = 2;
  s.pressureFine = 15;
  s.pressureUnit = 'b';
  s.blockLength = L;
  int samples = 0;
  for (auto _ : state) {
    const DownloadResult r = DecodeLoggerMemory(s, n, toc, area);
    samples = 0;
    for (const Storage& rec : r.recordings) samples += rec.GetSampleCount();
    benchmark::DoNotOptimize(samples);
  }
  state.counters["samples"] = samples;
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * samples);
}

}  // namespace

BENCHMARK(BM_WriteWorkFile_FullLogger)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteWorkFile_1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWorkFile_FullLogger)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWorkFile_1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteWorkFile_6M)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWorkFile_6M)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCsv_1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeFullLoggerMemory)->Unit(benchmark::kMillisecond);
