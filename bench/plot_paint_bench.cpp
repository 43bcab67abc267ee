// Paints the flow view with pressure on the right-hand axis (time axis, flow axis, flow
// curve, right-hand pressure axis and curve, legend) into an 800 x 400 memory bitmap, for
// recordings of 43,690, 1,000,000 and 6,000,000 samples (a week at 0.1 s), and compares it
// with drawing every point with one line call each: time ratio and share of differing pixels.
// The limit for 6,000,000 samples is 10 ms.
//
// Point mode (every point a dot) at 1,000,000 samples: the dots of distinct pixels batched
// into a few paths, against the old way (one call per distinct pixel) and every point drawn
// with one call each, with the same pixel comparison. The limit is 16 ms.
//
// Then a move of the cross-hair in measuring mode (a left drag by 200 pixels) at 1,000,000
// samples: the measurement and the paint a window makes of it (the overlays over the cached
// picture of the curves), against measuring and painting everything afresh.
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/init.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "plot/Plot.h"

namespace {

constexpr int WIDTH = 800, HEIGHT = 400;

// The drawing every point with one line call each (in point mode one dot call each, as a
// point or, for a wider pen, a zero-length line), as a reference for time and picture; or,
// with `distinct`, point mode as it was: one dot call per distinct pixel.
template <class Base>
class EveryPoint : public Base {
 public:
  EveryPoint(bool second, wxAntialiasMode mode, bool distinct = false)
      : m_second(second), m_mode(mode), m_distinct(distinct) {}
  void Plot(wxDC& dc, mpWindow& w) override {
    const double sx = w.GetPxPerUnitX(), cx = w.GetCentreX();
    const double sy = m_second ? w.GetPxPerUnitY2() : w.GetPxPerUnitY();
    const double cy = m_second ? w.GetCentreY2() : w.GetCentreY();
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    const wxAntialiasMode old = gc ? gc->GetAntialiasMode() : wxANTIALIAS_DEFAULT;
    if (gc) gc->SetAntialiasMode(m_mode);
    dc.SetPen(this->GetPen());
    this->ResetCursor();
    double x, y;
    bool first = true;
    wxPoint prev;
    const bool wide = this->GetPen().GetWidth() > 1;
    const auto dot = [&](const wxPoint& p) {
      if (wide)
        dc.DrawLine(p, p);
      else
        dc.DrawPoint(p);
    };
    {
      wxDCClipper clip(dc, w.GetPlotAreaRect());  // the curves stay between the axes
      if (m_distinct) {
        std::vector<plotcore::PixelPoint> dots;
        const plotcore::ClipBox clipBox = plotcore::Grown(w.GetPlotArea(), std::max(1, this->GetPen().GetWidth()) + 2);
        plotcore::ReduceDots(this->m_xs, this->m_ys, this->m_count, plotcore::PixelMapping{cx, sx, cy, sy}, clipBox,
                             dots);
        for (const plotcore::PixelPoint& p : dots) dot(wxPoint(p.x, p.y));
      } else {
        while (this->NextPoint(x, y)) {
          const wxPoint p(static_cast<int>((x - cx) * sx), static_cast<int>((cy - y) * sy));
          if (this->GetContinuity())
            dc.DrawLine(first ? p : prev, p);
          else
            dot(p);
          prev = p;
          first = false;
        }
      }
    }
    if (gc) gc->SetAntialiasMode(old);
    // Colour key, titles and marker as the series draws them, without its curve.
    const std::vector<float> xs(this->m_xs, this->m_xs + this->m_count), ys(this->m_ys, this->m_ys + this->m_count);
    this->SetPoints({}, {});
    Base::Plot(dc, w);
    this->SetPoints(xs, ys);
  }

 private:
  bool m_second;
  wxAntialiasMode m_mode;
  bool m_distinct;
};

struct Recording {
  std::vector<float> t, flow, pressure;
};

Recording MakeRecording(std::size_t n) {
  Recording r;
  r.t.resize(n);
  r.flow.resize(n);
  r.pressure.resize(n);
  std::mt19937 rng(42);
  std::normal_distribution<float> noise(0.0f, 1.0f);
  float level = 20.0f;
  for (std::size_t i = 0; i < n; ++i) {
    const double t = (i + 1) * 0.1;
    if (i % 20000 == 0) level = 5.0f + static_cast<float>(rng() % 40);  // tap opened / closed
    r.t[i] = static_cast<float>(t);
    r.flow[i] = level + 6.0f * static_cast<float>(std::sin(t / 700.0)) + 1.5f * noise(rng);
    r.pressure[i] = 3.0f + 0.6f * static_cast<float>(std::sin(t / 1100.0)) - 0.02f * level + 0.08f * noise(rng);
  }
  return r;
}

// One flow view: the layers the main window inserts for flow + pressure.
struct View {
  wxFrame* frame = nullptr;
  mpWindow* plot = nullptr;
  std::vector<std::unique_ptr<mpLayer>> layers;

  // `dots`: point mode; `distinct` (with everyPoint): one dot call per distinct pixel.
  View(const Recording& r, bool everyPoint, wxAntialiasMode mode, bool dots = false, bool distinct = false) {
    frame = new wxFrame(nullptr, wxID_ANY, "bench", wxPoint(0, 0), wxSize(WIDTH, HEIGHT));
    plot = new mpWindow(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSUNKEN_BORDER);
    frame->SetClientSize(WIDTH, HEIGHT);
    frame->Show();
    for (int i = 0; i < 10; ++i) wxYield();
    const wxFont axisFont(9, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD);

    auto* time = new mpScaleX("Zeit (mm:ss)", 2, true, true);
    auto* flowAxis = new mpScaleY("Durchfluss (Liter/min)", 2, true, true);
    flowAxis->SetCaption("Durchfluss");
    auto* pressureAxis = new mpScaleYVell("Druck (bar)", 5, true);
    mpFXYVector* flow = everyPoint ? new EveryPoint<mpFXYVector>(false, mode, distinct) : new mpFXYVector;
    mpFXYVectorVell* pressure =
        everyPoint ? new EveryPoint<mpFXYVectorVell>(true, mode, distinct) : new mpFXYVectorVell;
    auto* legend = new mpInfoLegend(wxRect(200, 20, 40, 40), wxTRANSPARENT_BRUSH);
    for (mpLayer* l : std::initializer_list<mpLayer*>{time, flowAxis, pressureAxis, flow, pressure})
      l->SetFont(axisFont);
    legend->SetFont(wxFont(10, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD));
    flow->SetPen(wxPen(wxColour(0, 0, 255), 2, wxPENSTYLE_SOLID));
    pressure->SetPen(wxPen(wxColour(255, 0, 0), 2, wxPENSTYLE_SOLID));
    flow->SetContinuity(!dots);
    pressure->SetContinuity(!dots);
    flow->SetSeriesLabel("Durchfluss");
    flow->SetUnitText("l/min");
    pressure->SetSeriesLabel("Druck");
    pressure->SetUnitText("Bar");
    flow->SetPoints(r.t, r.flow);
    pressure->SetPoints(r.t, r.pressure);
    flow->SetName("Messung 1 01.02.2024 10:15:00");
    flow->SetSubtitle("Hauptleitung");
    // Measured points show in the legend and as markers; measuring itself stays off.
    flow->SetMarker(r.t[r.t.size() / 3], r.flow[r.t.size() / 3]);
    pressure->SetMarker(r.t[r.t.size() / 2], r.pressure[r.t.size() / 2]);
    for (mpLayer* l : std::initializer_list<mpLayer*>{time, flowAxis, flow, pressureAxis, pressure, legend}) {
      layers.emplace_back(l);
      plot->InsertLayer(l);
    }
    plot->Fit();
    for (int i = 0; i < 10; ++i) wxYield();
  }
  ~View() {
    frame->Destroy();
    wxYield();
  }

  bool SizeOk() const { return plot->GetPlotWidth() == WIDTH && plot->GetPlotHeight() == HEIGHT; }
};

std::map<std::size_t, Recording>& Recordings() {
  static std::map<std::size_t, Recording> r;
  return r;
}

void Paint(View& v, wxMemoryDC& dc) { v.plot->DrawView(dc); }

void BM_Paint(benchmark::State& state, bool everyPoint, wxAntialiasMode mode, bool dots = false,
              bool distinct = false) {
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  View v(Recordings()[n], everyPoint, mode, dots, distinct);
  if (!v.SizeOk()) {
    state.SkipWithError("plot window is not 800 x 400");
    return;
  }
  wxBitmap bmp(WIDTH, HEIGHT);
  wxMemoryDC dc(bmp);
  for (auto _ : state) {
    Paint(v, dc);
    benchmark::ClobberMemory();
  }
  state.counters["samples"] = static_cast<double>(n);
}

void MouseAt(mpWindow* plot, wxEventType type, int x, int y) {
  wxMouseEvent e(type);
  e.SetPosition(wxPoint(x, y));
  e.SetLeftDown(true);
  e.SetEventObject(plot);
  plot->GetEventHandler()->ProcessEvent(e);
}

// The cross-hair follows a left drag between two columns 200 pixels apart: each move
// measures (the nearest of the samples) and paints, over the cached picture of the curves or
// everything afresh.
void BM_Crosshair(benchmark::State& state, bool cached) {
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  View v(Recordings()[n], false, wxANTIALIAS_NONE);
  if (!v.SizeOk()) {
    state.SkipWithError("plot window is not 800 x 400");
    return;
  }
  wxBitmap bmp(WIDTH, HEIGHT);
  wxMemoryDC dc(bmp);
  v.plot->SetFlowMeasuring(true);
  MouseAt(v.plot, wxEVT_LEFT_DOWN, 300, 200);
  v.plot->DrawCachedView(dc);  // as the last paint left it
  int k = 0;
  for (auto _ : state) {
    MouseAt(v.plot, wxEVT_MOTION, ++k % 2 ? 500 : 300, 200);
    if (cached)
      v.plot->DrawCachedView(dc);
    else
      v.plot->DrawView(dc);
    benchmark::ClobberMemory();
  }
  state.counters["samples"] = static_cast<double>(n);
}

wxImage Render(const Recording& r, bool everyPoint, wxAntialiasMode mode, bool dots = false, bool distinct = false) {
  View v(r, everyPoint, mode, dots, distinct);
  wxBitmap bmp(WIDTH, HEIGHT);
  {
    wxMemoryDC dc(bmp);
    Paint(v, dc);
  }
  return bmp.ConvertToImage();
}

// Share of pixels whose colour differs by more than `tolerance` in some channel.
double DifferingShare(const wxImage& a, const wxImage& b, int tolerance = 0) {
  const unsigned char* pa = a.GetData();
  const unsigned char* pb = b.GetData();
  long differ = 0;
  const long pixels = static_cast<long>(a.GetWidth()) * a.GetHeight();
  for (long i = 0; i < 3 * pixels; i += 3)
    for (int c = 0; c < 3; ++c)
      if (std::abs(pa[i + c] - pb[i + c]) > tolerance) {
        ++differ;
        break;
      }
  return 100.0 * differ / pixels;
}

// Differing pixels in black on white, to see where they are.
wxImage DiffImage(const wxImage& a, const wxImage& b) {
  wxImage d(a.GetWidth(), a.GetHeight());
  for (int y = 0; y < a.GetHeight(); ++y)
    for (int x = 0; x < a.GetWidth(); ++x) {
      const bool same = a.GetRed(x, y) == b.GetRed(x, y) && a.GetGreen(x, y) == b.GetGreen(x, y) &&
                        a.GetBlue(x, y) == b.GetBlue(x, y);
      const unsigned char v = same ? 255 : 0;
      d.SetRGB(x, y, v, v, v);
    }
  return d;
}

// Collects the per-repetition times to print medians and ratios after the run.
class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && !r.error_occurred)
        times[r.run_name.function_name + "/" + r.run_name.args].push_back(r.GetAdjustedRealTime());
    ConsoleReporter::ReportRuns(runs);
  }
  double Median(const std::string& key) {
    auto v = times[key];
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  }
  std::map<std::string, std::vector<double>> times;
};

}  // namespace

int main(int argc, char** argv) {
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "cannot start wx (no display?)\n");
    return 1;
  }
  wxTheApp->CallOnInit();
  wxInitAllImageHandlers();
  benchmark::Initialize(&argc, argv);
  // --no_compare: timings only, without the (slow) reference pictures.
  bool compare = true;
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]) == "--no_compare") compare = false;

  const std::vector<long> sizes = {43690, 1000000, 6000000};
  constexpr long POINTS_SIZE = 1000000;
  constexpr long LIMIT_SIZE = 6000000;
  constexpr double LIMIT_MS = 10.0, POINTS_LIMIT_MS = 16.0;
  for (long n : sizes) Recordings()[static_cast<std::size_t>(n)] = MakeRecording(n);

  const auto paint = [](const char* name, long n, int repetitions, int iterations, bool everyPoint,
                        wxAntialiasMode mode, bool dots = false, bool distinct = false) {
    benchmark::RegisterBenchmark(name, BM_Paint, everyPoint, mode, dots, distinct)
        ->Arg(n)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(repetitions)
        ->Iterations(iterations);
  };
  for (long n : sizes) {
    paint("Paint/reduced", n, 15, 4, false, wxANTIALIAS_NONE);
    // Every point with one line call each: antialiased as the toolkit draws by default, and
    // aliased like the reduced curve.
    const int slowRepetitions = n > POINTS_SIZE ? 1 : 3;
    paint("Paint/every_point", n, slowRepetitions, 1, true, wxANTIALIAS_DEFAULT);
    paint("Paint/every_point_aliased", n, slowRepetitions, 1, true, wxANTIALIAS_NONE);
  }
  paint("Points/batched", POINTS_SIZE, 15, 4, false, wxANTIALIAS_NONE, true);
  paint("Points/dot_per_pixel", POINTS_SIZE, 5, 1, true, wxANTIALIAS_NONE, true, true);
  paint("Points/every_point", POINTS_SIZE, 3, 1, true, wxANTIALIAS_NONE, true);
  const long crosshairSize = POINTS_SIZE;
  benchmark::RegisterBenchmark("Crosshair/cached", BM_Crosshair, true)
      ->Arg(crosshairSize)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(15)
      ->Iterations(10);
  benchmark::RegisterBenchmark("Crosshair/full_repaint", BM_Crosshair, false)
      ->Arg(crosshairSize)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(15)
      ->Iterations(4);
  Collector reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\n");
  const std::string arg = std::to_string(crosshairSize);
  const double cachedMove = reporter.Median("Crosshair/cached/" + arg);
  const double fullMove = reporter.Median("Crosshair/full_repaint/" + arg);
  if (cachedMove > 0 && fullMove > 0)
    std::printf(
        "%8ld samples: cross-hair move %.2f ms median over the cached picture; "
        "%.2f ms painting everything (%.1f x)\n",
        crosshairSize, cachedMove, fullMove, fullMove / cachedMove);
  for (long n : sizes) {
    const std::string arg = std::to_string(n);
    const double fast = reporter.Median("Paint/reduced/" + arg);
    const std::string limit = " (limit " + std::to_string(static_cast<int>(LIMIT_MS)) + " ms)";
    const double slow = reporter.Median("Paint/every_point/" + arg);
    const double slowAliased = reporter.Median("Paint/every_point_aliased/" + arg);
    if (fast > 0 && slow > 0 && slowAliased > 0)
      std::printf(
          "%8ld samples: reduced %.2f ms median%s; every point %.1f ms (%.0f x), "
          "every point aliased %.1f ms (%.0f x)\n",
          n, fast, n == LIMIT_SIZE ? limit.c_str() : "", slow, slow / fast, slowAliased, slowAliased / fast);
    if (!compare) continue;
    const Recording& r = Recordings()[static_cast<std::size_t>(n)];
    const wxImage reduced = Render(r, false, wxANTIALIAS_NONE);
    const wxImage sameMode = Render(r, true, wxANTIALIAS_NONE);
    const wxImage antialiased = Render(r, true, wxANTIALIAS_DEFAULT);
    std::printf(
        "%8ld samples: differing pixels vs every point aliased: %.3f %%; "
        "vs every point antialiased: %.3f %% (%.3f %% by more than 64 levels)\n",
        n, DifferingShare(reduced, sameMode), DifferingShare(reduced, antialiased),
        DifferingShare(reduced, antialiased, 64));
    if (n == POINTS_SIZE) {
      reduced.SaveFile("/tmp/plot_bench_reduced.png", wxBITMAP_TYPE_PNG);
      sameMode.SaveFile("/tmp/plot_bench_every_point.png", wxBITMAP_TYPE_PNG);
      antialiased.SaveFile("/tmp/plot_bench_every_point_aa.png", wxBITMAP_TYPE_PNG);
      DiffImage(reduced, sameMode).SaveFile("/tmp/plot_bench_diff.png", wxBITMAP_TYPE_PNG);
    }
  }
  {
    const std::string arg = std::to_string(POINTS_SIZE);
    const double batched = reporter.Median("Points/batched/" + arg);
    const double perPixel = reporter.Median("Points/dot_per_pixel/" + arg);
    const double every = reporter.Median("Points/every_point/" + arg);
    if (batched > 0 && perPixel > 0 && every > 0)
      std::printf(
          "%8ld samples, point mode: batched %.2f ms median (limit %.0f ms); a call per distinct pixel "
          "%.1f ms (%.1f x); every point %.1f ms (%.0f x)\n",
          POINTS_SIZE, batched, POINTS_LIMIT_MS, perPixel, perPixel / batched, every, every / batched);
    if (compare) {
      const Recording& r = Recordings()[static_cast<std::size_t>(POINTS_SIZE)];
      const wxImage mine = Render(r, false, wxANTIALIAS_NONE, true);
      const wxImage old = Render(r, true, wxANTIALIAS_NONE, true, true);
      const wxImage every = Render(r, true, wxANTIALIAS_NONE, true);
      std::printf(
          "%8ld samples, point mode: differing pixels vs a call per distinct pixel: %.3f %%; "
          "vs every point: %.3f %%\n",
          POINTS_SIZE, DifferingShare(mine, old), DifferingShare(mine, every));
      mine.SaveFile("/tmp/plot_bench_points.png", wxBITMAP_TYPE_PNG);
    }
  }
  benchmark::Shutdown();
  wxEntryCleanup();
  return 0;
}
