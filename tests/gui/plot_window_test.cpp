// The plot window with real layers: drawing, navigation with wheel, drag, scroll bar and
// popup commands, measuring and the legend.
#include <gtest/gtest.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/msgdlg.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "GuiHarness.h"
#include "plot/Plot.h"

namespace {

constexpr int W = 800, H = 400;

// The window's popup opens a nested menu loop; the tests only note where it would open.
class TestPlot : public mpWindow {
 public:
  using mpWindow::mpWindow;
  int popups = 0;
  wxPoint popupAt;
  wxMenu& Menu() { return GetPopupMenu(); }

 protected:
  void ShowPopupMenu(int x, int y) override {
    ++popups;
    popupAt = wxPoint(x, y);
  }
};

// The parent window, where measured points arrive.
class Sink : public wxFrame {
 public:
  Sink() : wxFrame(nullptr, wxID_ANY, "plot", wxPoint(0, 0), wxSize(W, H)) {}
  struct Measured {
    int which;
    wxString text;
    wxObject* from;
  };
  std::vector<Measured> measured;

 private:
  void OnMeasure(wxCommandEvent& e) {
    measured.push_back({e.GetInt(), e.GetString(), e.GetEventObject()});
  }
  wxDECLARE_EVENT_TABLE();
};

wxBEGIN_EVENT_TABLE(Sink, wxFrame)
  EVT_COMMAND(wxID_ANY, MeasureEvent, Sink::OnMeasure)
wxEND_EVENT_TABLE()

// Drawing every point with one line call each, as reference for the reduced drawing.
template <class Base>
class EveryPoint : public Base {
 public:
  explicit EveryPoint(bool second) : m_second(second) {}
  void Plot(wxDC& dc, mpWindow& w) override {
    const double sx = w.GetPxPerUnitX(), cx = w.GetCentreX();
    const double sy = m_second ? w.GetPxPerUnitY2() : w.GetPxPerUnitY();
    const double cy = m_second ? w.GetCentreY2() : w.GetCentreY();
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    if (gc) gc->SetAntialiasMode(wxANTIALIAS_NONE);
    dc.SetPen(this->GetPen());
    this->ResetCursor();
    double x, y;
    bool first = true;
    wxPoint prev;
    {
      wxDCClipper clip(dc, w.GetPlotAreaRect());
      while (this->NextPoint(x, y)) {
        const wxPoint p(static_cast<int>((x - cx) * sx), static_cast<int>((cy - y) * sy));
        if (this->GetContinuity())
          dc.DrawLine(first ? p : prev, p);
        else if (this->GetPen().GetWidth() > 1)
          dc.DrawLine(p, p);
        else
          dc.DrawPoint(p);
        prev = p;
        first = false;
      }
    }
    if (gc) gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
    const std::vector<float> xs(this->m_xs, this->m_xs + this->m_count),
        ys(this->m_ys, this->m_ys + this->m_count);  // key, titles, marker: as usual
    this->SetPoints({}, {});
    Base::Plot(dc, w);
    this->SetPoints(xs, ys);
  }

 private:
  bool m_second;
};

// The flow view with pressure on the right-hand axis, as the main window builds it.
struct FlowView {
  Sink* frame;
  TestPlot* plot;
  mpScaleX* time;
  mpScaleY* flowAxis;
  mpScaleYVell* pressureAxis;
  mpFXYVector* flow;
  mpFXYVectorVell* pressure;
  mpInfoLegend* legend;
  std::vector<std::unique_ptr<mpLayer>> owned;

  FlowView(const std::vector<float>& t, const std::vector<float>& f, const std::vector<float>& p,
           bool everyPoint = false) {
    frame = new Sink;
    plot = new TestPlot(frame, wxID_ANY);
    frame->SetClientSize(W, H);
    frame->Show();
    guitest::Pump();
    const wxFont bold(9, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD);
    time = Own(new mpScaleX("Zeit (mm:ss)", 2, true, true));
    flowAxis = Own(new mpScaleY("Durchfluss (Liter/min)", 2, true, true));
    flowAxis->SetCaption("Durchfluss");
    pressureAxis = Own(new mpScaleYVell("Druck (bar)", 5, true));
    flow = Own(everyPoint ? new EveryPoint<mpFXYVector>(false) : new mpFXYVector);
    pressure = Own(everyPoint ? new EveryPoint<mpFXYVectorVell>(true) : new mpFXYVectorVell);
    legend = Own(new mpInfoLegend(wxRect(200, 20, 40, 40), wxTRANSPARENT_BRUSH));
    for (mpLayer* l : {static_cast<mpLayer*>(time), static_cast<mpLayer*>(flowAxis),
                       static_cast<mpLayer*>(pressureAxis), static_cast<mpLayer*>(flow),
                       static_cast<mpLayer*>(pressure)})
      l->SetFont(bold);
    legend->SetFont(wxFont(10, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD));
    flow->SetPen(wxPen(wxColour(0, 0, 255), 2, wxPENSTYLE_SOLID));
    pressure->SetPen(wxPen(wxColour(255, 0, 0), 2, wxPENSTYLE_SOLID));
    flow->SetContinuity(true);
    pressure->SetContinuity(true);
    flow->SetSeriesLabel("Durchfluss");
    flow->SetUnitText("l/min");
    pressure->SetSeriesLabel("Druck");
    pressure->SetUnitText("Bar");
    flow->SetName("Messung 3 12.03.2024 08:00:00");
    flow->SetSubtitle("Keller, Hauptleitung");
    flow->SetFootnote("Corvane Serial No. 1234");
    flow->SetPoints(t, f);
    pressure->SetPoints(t, p);
    for (mpLayer* l : {static_cast<mpLayer*>(time), static_cast<mpLayer*>(flowAxis),
                       static_cast<mpLayer*>(flow), static_cast<mpLayer*>(pressureAxis),
                       static_cast<mpLayer*>(pressure), static_cast<mpLayer*>(legend)})
      plot->InsertLayer(l);
    plot->Fit();
    guitest::Pump();
  }
  ~FlowView() {
    frame->Destroy();
    guitest::Pump();
  }

  template <class L>
  L* Own(L* l) {
    owned.emplace_back(l);
    return l;
  }

  void SetGrid(bool on) {
    time->SetTicks(!on);
    flowAxis->SetTicks(!on);
  }

  // The window's drawing, straight into a bitmap.
  wxImage Render() {
    wxBitmap bmp(W, H);
    {
      wxMemoryDC dc(bmp);
      plot->DrawView(dc);
    }
    return bmp.ConvertToImage();
  }
};

struct Data {
  std::vector<float> t, flow, pressure;
};

// 0 .. 700 s every 2 s: with the fit, exactly 1 px per second and the centre at 350 s.
Data Regular() {
  Data d;
  for (int i = 0; i <= 350; ++i) {
    d.t.push_back(2.0f * i);
    d.flow.push_back(10.0f + static_cast<float>(i % 7));
    d.pressure.push_back(2.0f + 0.01f * static_cast<float>(i));
  }
  return d;
}

Data Noisy(int n) {
  Data d;
  std::mt19937 rng(11);
  std::normal_distribution<float> noise(0.0f, 1.0f);
  for (int i = 0; i < n; ++i) {
    d.t.push_back(0.1f * (i + 1));
    d.flow.push_back(25.0f + 10.0f * std::sin(i * 0.0007f) + 2.0f * noise(rng));
    d.pressure.push_back(3.0f + 0.5f * std::sin(i * 0.0004f) + 0.05f * noise(rng));
  }
  return d;
}

bool Near(const wxImage& img, int x, int y, unsigned char r, unsigned char g, unsigned char b) {
  return std::abs(img.GetRed(x, y) - r) < 60 && std::abs(img.GetGreen(x, y) - g) < 60 &&
         std::abs(img.GetBlue(x, y) - b) < 60;
}

int CountColour(const wxImage& img, const wxRect& r, unsigned char red, unsigned char green,
                unsigned char blue) {
  int n = 0;
  for (int y = r.y; y < r.y + r.height; ++y)
    for (int x = r.x; x < r.x + r.width; ++x) n += Near(img, x, y, red, green, blue);
  return n;
}

// Anything not white.
int CountInk(const wxImage& img, const wxRect& r) {
  int n = 0;
  for (int y = r.y; y < r.y + r.height; ++y)
    for (int x = r.x; x < r.x + r.width; ++x)
      n += img.GetRed(x, y) < 250 || img.GetGreen(x, y) < 250 || img.GetBlue(x, y) < 250;
  return n;
}

void Mouse(wxWindow* w, wxEventType type, int x, int y, bool left = false, bool right = false) {
  wxMouseEvent e(type);
  e.SetPosition(wxPoint(x, y));
  e.SetLeftDown(left);
  e.SetRightDown(right);
  e.SetEventObject(w);
  w->GetEventHandler()->ProcessEvent(e);
}

void Wheel(wxWindow* w, int rotation, bool ctrl, bool shift) {
  wxMouseEvent e(wxEVT_MOUSEWHEEL);
  e.SetPosition(wxPoint(400, 200));
  e.m_wheelRotation = rotation;
  e.m_wheelDelta = 120;
  e.m_linesPerAction = 3;
  e.SetControlDown(ctrl);
  e.SetShiftDown(shift);
  e.SetEventObject(w);
  w->GetEventHandler()->ProcessEvent(e);
}

void Command(wxWindow* w, int id) {
  wxCommandEvent e(wxEVT_MENU, id);
  e.SetEventObject(w);
  w->GetEventHandler()->ProcessEvent(e);
}

}  // namespace

TEST(PlotWindow, EmptyWindowPaintsOnlyTheBackgroundAndDoesNotFit) {
  auto* frame = new wxFrame(nullptr, wxID_ANY, "empty", wxPoint(0, 0), wxSize(300, 200));
  auto* plot = new mpWindow(frame, wxID_ANY);
  frame->Show();
  guitest::Pump();
  const plotcore::ViewState before = plot->GetView();
  plot->Fit();
  EXPECT_EQ(plot->GetCentreX(), before.m_centreX);
  EXPECT_EQ(plot->GetPxPerUnitY(), before.m_pxPerUnitY);
  const wxImage img = guitest::Capture(plot).ConvertToImage();
  EXPECT_EQ(CountInk(img, wxRect(0, 0, img.GetWidth(), img.GetHeight())), 0);
  frame->Destroy();
  guitest::Pump();
}

TEST(PlotWindow, LayerTableIsKeyedByInsertionAndNeverOverwrites) {
  auto* frame = new wxFrame(nullptr, wxID_ANY, "layers");
  auto* plot = new mpWindow(frame, wxID_ANY);
  mpScaleX a, b, c, d;
  EXPECT_FALSE(plot->InsertLayer(nullptr));
  EXPECT_TRUE(plot->InsertLayer(&a));
  EXPECT_TRUE(plot->InsertLayer(&b));
  EXPECT_EQ(plot->LayerAt(0), &a);
  EXPECT_EQ(plot->LayerAt(1), &b);
  EXPECT_EQ(plot->LayerAt(2), nullptr);
  EXPECT_EQ(plot->LayerAt(-1), nullptr);

  for (int key = 0; key <= 5; ++key) plot->RemoveLayer(key);
  EXPECT_EQ(plot->CountLayers(), 0);
  plot->InsertLayer(&c);
  EXPECT_EQ(plot->LayerAt(0), &c);

  // A gap in the middle: the next layer goes after the last, the last one stays.
  plot->InsertLayer(&a);
  plot->InsertLayer(&b);
  plot->RemoveLayer(1);
  plot->InsertLayer(&d);
  EXPECT_EQ(plot->LayersInOrder(), (std::vector<mpLayer*>{&c, &b, &d}));
  for (int key = 0; key <= 5; ++key) plot->RemoveLayer(key);
  frame->Destroy();
  guitest::Pump();
}

TEST(PlotWindow, FlowViewShowsAxesBothCurvesKeysAndTitles) {
  const Data d = Noisy(20000);
  FlowView v(d.t, d.flow, d.pressure);
  ASSERT_EQ(v.plot->GetClientSize(), wxSize(W, H));
  for (bool grid : {false, true}) {
    v.SetGrid(grid);
    const wxImage img = guitest::Capture(v.plot).ConvertToImage();
    guitest::SavePng(wxBitmap(img), grid ? "/tmp/plot_flow_grid.png" : "/tmp/plot_flow_ticks.png");
    // Both curves inside the plot area, and their keys in the top-left corner.
    EXPECT_GT(CountColour(img, wxRect(60, 40, 680, 300), 0, 0, 255), 2000);
    EXPECT_GT(CountColour(img, wxRect(60, 40, 680, 300), 255, 0, 0), 2000);
    EXPECT_EQ(CountColour(img, wxRect(56, 9, 18, 2), 0, 0, 255), 36);
    EXPECT_EQ(CountColour(img, wxRect(56, 24, 18, 2), 255, 0, 0), 36);
    // Axis lines: time axis 35 px above the bottom, flow axis 50 px from the left, pressure
    // axis 50 px from the right.
    EXPECT_GT(CountInk(img, wxRect(0, H - 35, W, 1)), W * 3 / 4);
    EXPECT_GT(CountInk(img, wxRect(50, 0, 1, H)), H * 3 / 4);
    EXPECT_GT(CountInk(img, wxRect(W - 50, 0, 1, H)), H * 3 / 4);
    // Time labels below the axis, flow labels left of it, pressure labels right of it.
    EXPECT_GT(CountInk(img, wxRect(60, H - 30, 600, 14)), 100);
    EXPECT_GT(CountInk(img, wxRect(20, 40, 28, 300)), 100);
    EXPECT_GT(CountInk(img, wxRect(W - 44, 40, 28, 300)), 100);
  }
}

TEST(PlotWindow, ReducedDrawingHasThePixelsOfDrawingEveryPoint) {
  const Data d = Noisy(60000);
  // Lines of 1, 2 (both drawn partly as rectangles) and 5 pixels, and dots of 1 (one-pixel
  // squares), 2 and 6 (round strokes batched into paths).
  for (auto [width, continuous] : {std::pair{1, true}, std::pair{2, true}, std::pair{5, true}, std::pair{1, false},
                                   std::pair{2, false}, std::pair{6, false}}) {
    FlowView fast(d.t, d.flow, d.pressure);
    FlowView slow(d.t, d.flow, d.pressure, true);
    for (FlowView* v : {&fast, &slow}) {
      v->flow->SetContinuity(continuous);
      v->pressure->SetContinuity(continuous);
      v->flow->SetPen(wxPen(wxColour(0, 0, 255), width, wxPENSTYLE_SOLID));
      v->plot->ZoomInStep();  // part of the curve leaves the window
      v->plot->SetCentre(400.0, 30.0, 3.2);
    }
    const wxImage a = fast.Render(), b = slow.Render();
    long differ = 0;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        differ += a.GetRed(x, y) != b.GetRed(x, y) || a.GetGreen(x, y) != b.GetGreen(x, y) ||
                  a.GetBlue(x, y) != b.GetBlue(x, y);
    EXPECT_EQ(differ, 0) << (continuous ? "lines " : "points ") << width;
  }
}

TEST(PlotWindow, NothingOfTheDataLeavesTheAreaBetweenTheAxes) {
  const Data d = Noisy(20000);
  FlowView v(d.t, d.flow, d.pressure);
  // Between the flow axis (x = 50), the pressure axis (x = 750), the time axis (y = 365) and
  // the 30 pixels kept for the titles at the top.
  EXPECT_EQ(v.plot->GetPlotAreaRect(), wxRect(51 - W / 2, 30 - H / 2, 699, 335));
  for (int i = 0; i < 5; ++i) v.plot->ZoomInStep();  // 1.6 times: beyond every edge
  Mouse(v.plot, wxEVT_RIGHT_DOWN, 400, 200, false, true);
  Mouse(v.plot, wxEVT_MOTION, 330, 240, false, true);  // and panned
  Mouse(v.plot, wxEVT_RIGHT_UP, 330, 240);
  for (bool continuous : {true, false}) {
    v.flow->SetContinuity(continuous);
    v.pressure->SetContinuity(continuous);
    v.flow->SetPen(wxPen(wxColour(0, 0, 255), continuous ? 2 : 6, wxPENSTYLE_SOLID));
    const wxImage img = v.Render();
    guitest::SavePng(wxBitmap(img), continuous ? "/tmp/plot_zoom_pan.png" : "/tmp/plot_zoom_pan_points.png");
    const wxRect area(51, 30, 699, 335);
    const wxRect keys(55, 8, 21, 20);  // the colour keys beside the headings
    for (auto colour : {wxColour(0, 0, 255), wxColour(255, 0, 0)}) {
      auto count = [&](const wxRect& r) { return CountColour(img, r, colour.Red(), colour.Green(), colour.Blue()); };
      const int outside = count(wxRect(0, 0, area.x, H)) +
                          count(wxRect(area.GetRight() + 1, 0, W - area.GetRight() - 1, H)) +
                          count(wxRect(0, area.GetBottom() + 1, W, H - area.GetBottom() - 1)) +
                          count(wxRect(0, 0, W, area.y)) - count(keys);
      EXPECT_EQ(outside, 0) << (continuous ? "lines " : "points ") << colour.GetAsString();
      EXPECT_GT(count(area), 2000);
    }
  }
}

namespace {
// Rows where an axis draws a tick mark, in one column beside its line.
std::vector<int> TickRows(const wxImage& img, int column) {
  std::vector<int> rows;
  for (int y = 31; y < H - 36; ++y)
    if (img.GetRed(column, y) < 220 && img.GetRed(column, y) == img.GetBlue(column, y)) rows.push_back(y);
  return rows;
}

// The first row of the plot area in a column with the colour, -1 when there is none.
int FirstRow(const wxImage& img, int column, unsigned char r, unsigned char g, unsigned char b) {
  for (int y = 30; y < H; ++y)
    if (Near(img, column, y, r, g, b)) return y;
  return -1;
}

// Index of the time nearest to the time at a pixel column.
long FindNearestColumn(const mpWindow* plot, int column, const std::vector<float>& t) {
  const double x = (column - plot->GetPlotWidth() / 2) / plot->GetPxPerUnitX() + plot->GetCentreX();
  return plotcore::FindNearest(t.data(), t.size(), x);
}

bool HasNear(const std::vector<int>& rows, int row) {
  return std::any_of(rows.begin(), rows.end(), [&](int r) { return std::abs(r - row) <= 1; });
}
}  // namespace

TEST(PlotWindow, BothYAxesZoomAndMoveTogether) {
  // Flow 12 / 20 / 23 / 28 and pressure 2.0 / 2.3 / 1.2 / 2.8 in quarters of the time: after
  // the fit a flow of 20 and a pressure of 2.0 lie on one row, as do 23 and 2.3, and so do the
  // ticks of those values on the two axes.
  Data d;
  for (int i = 0; i <= 400; ++i) {
    d.t.push_back(static_cast<float>(i));
    const int quarter = std::min(i / 100, 3);
    d.flow.push_back(std::array<float, 4>{12, 20, 23, 28}[quarter]);
    d.pressure.push_back(std::array<float, 4>{2.0f, 2.3f, 1.2f, 2.8f}[quarter]);
  }
  FlowView v(d.t, d.flow, d.pressure);
  v.flow->SetName("");
  const auto column = [&](double t) {
    return static_cast<int>((t - v.plot->GetCentreX()) * v.plot->GetPxPerUnitX()) + W / 2;
  };
  const auto check = [&](const char* step) {
    SCOPED_TRACE(step);
    const wxImage img = v.Render();
    // Flow 20 with pressure 2.0 on the middle row, and flow 23 with pressure 2.3 above it,
    // where a zoom moves them.
    for (auto [flowT, pressureT] : {std::pair(150.0, 60.0), std::pair(250.0, 160.0)}) {
      ASSERT_GT(column(pressureT), 60);
      ASSERT_LT(column(flowT), W - 60);
      const int flowRow = FirstRow(img, column(flowT), 0, 0, 255) + 1;  // the pen covers the row above too
      const int pressureRow = FirstRow(img, column(pressureT), 255, 0, 0) + 1;
      ASSERT_GT(flowRow, 30);
      EXPECT_NEAR(flowRow, pressureRow, 1) << flowT;
      // Both axes have a tick (and so their label) on that row.
      EXPECT_TRUE(HasNear(TickRows(img, 47), flowRow)) << flowT;      // left of the flow axis at 50
      EXPECT_TRUE(HasNear(TickRows(img, W - 48), flowRow)) << flowT;  // right of the pressure axis
    }
  };
  check("fitted");
  v.plot->ZoomInStep();
  check("zoom button");
  Wheel(v.plot, 120, true, false);
  check("ctrl + wheel");
  Wheel(v.plot, 40, false, false);
  check("wheel");
  Mouse(v.plot, wxEVT_RIGHT_DOWN, 400, 200, false, true);
  Mouse(v.plot, wxEVT_MOTION, 420, 180, false, true);
  Mouse(v.plot, wxEVT_RIGHT_UP, 420, 180);
  check("drag");
  Mouse(v.plot, wxEVT_RIGHT_DOWN, 430, 170, false, true);
  Mouse(v.plot, wxEVT_RIGHT_UP, 430, 170);
  Command(v.plot, mpID_ZOOM_IN);
  check("popup zoom");
  wxScrollWinEvent e(wxEVT_SCROLLWIN_THUMBTRACK, v.plot->GetViewStart().y + 40, wxVERTICAL);
  e.SetEventObject(v.plot);
  v.plot->GetEventHandler()->ProcessEvent(e);
  check("scroll bar");
  v.plot->ZoomOutStep();
  check("zoom out");
  guitest::SavePng(wxBitmap(v.Render()), "/tmp/plot_both_axes.png");
}

TEST(PlotWindow, OneGridFromThePrimaryAxis) {
  const Data d = Noisy(2000);
  FlowView v(d.t, d.flow, d.pressure);
  v.SetGrid(true);
  v.pressureAxis->SetTicks(true);
  const wxImage ticks = v.Render();
  v.pressureAxis->SetTicks(false);  // the right-hand axis draws no grid of its own
  const wxImage grid = v.Render();
  EXPECT_EQ(0, std::memcmp(ticks.GetData(), grid.GetData(), 3 * W * H));
}

TEST(PlotWindow, ALongTitleIsShortenedClearOfTheKeysAndTheEdge) {
  const Data d = Regular();
  FlowView v(d.t, d.flow, d.pressure);
  v.flow->SetName("");
  v.flow->SetSubtitle("");
  const wxImage without = v.Render();
  // 114 characters, as a user named a recording.
  const wxString longTitle = wxString::FromUTF8(
      "Messung Hauptleitung Keller nach Tausch des Druckminderers und der Filterpatrone, "
      "Nachmessung: 12.03.2024 08:00:00");
  ASSERT_EQ(longTitle.length(), 114u);
  for (const wxString& name : {longTitle, wxString("Messung 3 12.03.2024 08:00:00")}) {
    v.flow->SetName(name);
    const wxImage with = v.Render();
    wxRect box;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < W; ++x)
        if (with.GetRed(x, y) != without.GetRed(x, y) || with.GetBlue(x, y) != without.GetBlue(x, y))
          box = box.IsEmpty() ? wxRect(x, y, 1, 1) : box.Union(wxRect(x, y, 1, 1));
    ASSERT_FALSE(box.IsEmpty());
    // Clear of the keys and headings (up to 160 px) and of the right edge, centred as before.
    EXPECT_GE(box.GetLeft(), 160) << name;
    EXPECT_LE(box.GetRight(), W - 8) << name;
    EXPECT_NEAR(box.x + box.width / 2.0, W / 2 + 10, 3) << name;
    if (name == longTitle) {
      EXPECT_GT(box.width, W - 340);  // the room is used
      guitest::SavePng(wxBitmap(with), "/tmp/plot_long_title.png");
    }
  }
  // The layer keeps the whole title.
  EXPECT_EQ(v.flow->GetName().length(), 29u);
}

TEST(PlotWindow, ThreePointsAsLineOrAsDots) {
  FlowView v({0, 350, 700}, {0, 20, 0}, {0, 0, 0});
  v.plot->RemoveLayer(4);  // no pressure curve
  v.flow->SetName("");
  v.flow->SetPen(wxPen(wxColour(0, 0, 255), 6, wxPENSTYLE_SOLID));
  // Fit: 1 px per second, 16 px per unit, centre (350, 10): points at x 50, 400, 750.
  const wxImage line = v.Render();
  EXPECT_GT(CountColour(line, wxRect(220, 180, 10, 40), 0, 0, 255), 0);  // between points
  v.flow->SetContinuity(false);
  const wxImage dots = v.Render();
  EXPECT_EQ(CountColour(dots, wxRect(220, 180, 10, 40), 0, 0, 255), 0);
  // The first and last dots sit on the axis lines, which hide their outer halves.
  for (wxPoint p : {wxPoint(52, 360), wxPoint(400, 40), wxPoint(748, 360)})
    EXPECT_TRUE(Near(dots, p.x, p.y, 0, 0, 255)) << p.x;
  EXPECT_EQ(CountColour(dots, wxRect(50, 5, 30, 10), 0, 0, 255), 0);  // no key for points
}

TEST(PlotWindow, AxesKeepTheirMarginsAndTheReservedRightStrip) {
  auto* frame = new wxFrame(nullptr, wxID_ANY, "axes");
  auto* plot = new mpWindow(frame, wxID_ANY);
  frame->SetClientSize(W, H);
  frame->Show();
  guitest::Pump();
  mpScaleX time("Zeit", 2, true, true);
  mpScaleY left("Links", 2, false, true);  // grid lines
  mpScaleYVell right("Rechts", 5, true);
  plot->InsertLayer(&time);
  plot->InsertLayer(&left);
  plot->InsertLayer(&right);
  // x: 1 px per unit, ticks every 100 px. Left: 0.5 px per unit, grid every 50 px, y = 200
  // lies 20 px below the top. Right: 1 px per unit, y = 100 lies 20 px below the top.
  plot->SetPxPerUnit(1.0, 0.5, 1.0);
  plot->SetCentre(10.0, -160.0, -80.0);
  wxBitmap bmp(W, H);
  {
    wxMemoryDC dc(bmp);
    plot->DrawView(dc);
  }
  const wxImage img = bmp.ConvertToImage();
  guitest::SavePng(bmp, "/tmp/plot_axes.png");
  // Nothing of the time axis but its line in the leftmost and rightmost 50 px.
  EXPECT_EQ(CountInk(img, wxRect(0, H - 34, 50, 34)), 0);
  EXPECT_EQ(CountInk(img, wxRect(W - 49, H - 34, 49, 34)), 0);
  // Grid lines stop 50 px before the right edge, where the right-hand axis sits.
  EXPECT_GT(CountInk(img, wxRect(100, 170, W - 160, 1)), 100);  // y = -100
  EXPECT_EQ(CountInk(img, wxRect(W - 49, 170, 49, 1)), 0);
  // 20 px below the top: no tick on the left axis (grid line there), one on the right.
  EXPECT_EQ(CountInk(img, wxRect(100, 20, 500, 1)), 0);
  EXPECT_GT(CountInk(img, wxRect(W - 50, 20, 5, 1)), 2);
  for (int key = 0; key < 3; ++key) plot->RemoveLayer(key);
  frame->Destroy();
  guitest::Pump();
}

TEST(PlotWindow, RotatedAxisTitlesClearTheLabelsBesideThem) {
  auto* frame = new wxFrame(nullptr, wxID_ANY, "titles");
  auto* plot = new mpWindow(frame, wxID_ANY);
  frame->SetClientSize(W, H);
  frame->Show();
  guitest::Pump();
  const wxFont bold(9, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD);
  mpScaleY left("", 2, true, true);
  mpScaleYVell right("", 5, true);
  left.SetFont(bold);
  right.SetFont(bold);
  plot->InsertLayer(&left);
  plot->InsertLayer(&right);
  // Labels like "14.0" on the left and "40.0" on the right, around the middle.
  plot->SetPxPerUnit(1.0, 20.0, 4.0);
  plot->SetCentre(0.0, 13.0, 40.0);
  auto render = [&] {
    wxBitmap bmp(W, H);
    {
      wxMemoryDC dc(bmp);
      plot->DrawView(dc);
    }
    return bmp.ConvertToImage();
  };
  const wxImage labelsOnly = render();
  left.SetName("Durchfluss (Liter/min)");
  right.SetName("Druck (psi)");
  const wxImage withTitles = render();
  guitest::SavePng(wxBitmap(withTitles), "/tmp/plot_axis_titles.png");
  // Columns, within the middle rows, of the labels and of the titles' own pixels.
  int leftTitleEnd = -1, leftLabelStart = W, rightLabelEnd = -1, rightTitleStart = W;
  for (int y = H / 2 - 40; y < H / 2 + 40; ++y)
    for (int x = 0; x < W; ++x) {
      const bool label = labelsOnly.GetRed(x, y) < 200 && std::abs(x - 50) > 5 &&
                         std::abs(x - (W - 50)) > 5;  // not the axis lines and ticks
      const bool title = labelsOnly.GetRed(x, y) != withTitles.GetRed(x, y);
      if (x < W / 2) {
        if (label) leftLabelStart = std::min(leftLabelStart, x);
        if (title) leftTitleEnd = std::max(leftTitleEnd, x);
      } else {
        if (label) rightLabelEnd = std::max(rightLabelEnd, x);
        if (title) rightTitleStart = std::min(rightTitleStart, x);
      }
    }
  ASSERT_GE(leftTitleEnd, 0);
  ASSERT_LT(rightTitleStart, W);
  EXPECT_LT(leftTitleEnd, leftLabelStart);
  EXPECT_GT(rightTitleStart, rightLabelEnd);
  plot->RemoveLayer(0);
  plot->RemoveLayer(1);
  frame->Destroy();
  guitest::Pump();
}

TEST(PlotWindow, WheelMovesAndZoomsTheView) {
  const Data d = Regular();
  FlowView v(d.t, d.flow, d.pressure);
  const plotcore::ViewState s = v.plot->GetView();

  Wheel(v.plot, 120, false, false);  // the curves move 120 px down, on both axes
  EXPECT_DOUBLE_EQ(v.plot->GetCentreY(), s.m_centreY + static_cast<float>(120 / s.m_pxPerUnitY));
  EXPECT_DOUBLE_EQ(v.plot->GetCentreY2(), s.m_centreY2 + 120 / s.m_pxPerUnitY2);
  EXPECT_EQ(v.plot->GetCentreX(), s.m_centreX);
  Wheel(v.plot, 120, false, true);  // with Shift 120 px to the right
  EXPECT_DOUBLE_EQ(v.plot->GetCentreX(), s.m_centreX - static_cast<float>(120 / s.m_pxPerUnitX));
  EXPECT_DOUBLE_EQ(v.plot->GetCentreY2(), s.m_centreY2 + 120 / s.m_pxPerUnitY2);

  Wheel(v.plot, 120, true, false);
  EXPECT_DOUBLE_EQ(v.plot->GetPxPerUnitX(), s.m_pxPerUnitX * 1.1);
  EXPECT_DOUBLE_EQ(v.plot->GetPxPerUnitY(), s.m_pxPerUnitY * 1.1);
  EXPECT_DOUBLE_EQ(v.plot->GetPxPerUnitY2(), s.m_pxPerUnitY2 * 1.1);
  Wheel(v.plot, -120, true, false);
  EXPECT_DOUBLE_EQ(v.plot->GetPxPerUnitX(), s.m_pxPerUnitX);

  v.plot->SetMouseNavigation(false);
  Wheel(v.plot, 120, true, false);
  EXPECT_DOUBLE_EQ(v.plot->GetPxPerUnitX(), s.m_pxPerUnitX);
}

TEST(PlotWindow, RightDragPansAndARightClickOpensTheMenu) {
  const Data d = Regular();
  FlowView v(d.t, d.flow, d.pressure);
  const plotcore::ViewState s = v.plot->GetView();

  Mouse(v.plot, wxEVT_RIGHT_DOWN, 300, 200, false, true);
  Mouse(v.plot, wxEVT_MOTION, 340, 230, false, true);
  Mouse(v.plot, wxEVT_RIGHT_UP, 340, 230);
  EXPECT_DOUBLE_EQ(v.plot->GetCentreX(), s.m_centreX + static_cast<float>(-40 / s.m_pxPerUnitX));
  EXPECT_DOUBLE_EQ(v.plot->GetCentreY(), s.m_centreY + static_cast<float>(30 / s.m_pxPerUnitY));
  EXPECT_DOUBLE_EQ(v.plot->GetCentreY2(), s.m_centreY2 + 30 / s.m_pxPerUnitY2);
  EXPECT_EQ(v.plot->popups, 0);

  Mouse(v.plot, wxEVT_RIGHT_DOWN, 120, 80, false, true);
  Mouse(v.plot, wxEVT_RIGHT_UP, 120, 80);
  EXPECT_EQ(v.plot->popups, 1);
  EXPECT_EQ(v.plot->popupAt, wxPoint(120, 80));
  Mouse(v.plot, wxEVT_MIDDLE_UP, 10, 20);
  EXPECT_EQ(v.plot->popups, 2);

  // The menu, in the window's order and words.
  const wxMenuItemList& items = v.plot->Menu().GetMenuItems();
  ASSERT_EQ(items.size(), 4u);
  const int ids[] = {2003, 2000, 2001, 2002};
  const wxString texts[] = {"Zentrieren", "Passend ", wxString::FromUTF8("Vergrößern"),
                            "Verkleinern"};
  int k = 0;
  for (const wxMenuItem* item : items) {
    EXPECT_EQ(item->GetId(), ids[k]);
    EXPECT_EQ(item->GetItemLabelText(), texts[k]);
    ++k;
  }
}

TEST(PlotWindow, PopupCommandsCentreZoomFitAndHelp) {
  const Data d = Regular();
  FlowView v(d.t, d.flow, d.pressure);
  const plotcore::ViewState s = v.plot->GetView();
  Mouse(v.plot, wxEVT_RIGHT_DOWN, 500, 100, false, true);
  Mouse(v.plot, wxEVT_RIGHT_UP, 500, 100);  // the menu opened at (500, 100)

  Command(v.plot, mpID_CENTER);
  EXPECT_DOUBLE_EQ(v.plot->GetCentreX(), s.m_centreX + 100 / s.m_pxPerUnitX);
  EXPECT_DOUBLE_EQ(v.plot->GetCentreY(), s.m_centreY + 100 / s.m_pxPerUnitY);
  Command(v.plot, mpID_ZOOM_IN);  // centres once more, then zooms
  EXPECT_DOUBLE_EQ(v.plot->GetCentreX(), s.m_centreX + 200 / s.m_pxPerUnitX);
  EXPECT_DOUBLE_EQ(v.plot->GetPxPerUnitX(), s.m_pxPerUnitX * 1.1);
  Command(v.plot, mpID_ZOOM_OUT);
  EXPECT_DOUBLE_EQ(v.plot->GetPxPerUnitX(), s.m_pxPerUnitX);
  Command(v.plot, mpID_FIT);
  EXPECT_DOUBLE_EQ(v.plot->GetCentreX(), s.m_centreX);
  EXPECT_DOUBLE_EQ(v.plot->GetCentreY(), s.m_centreY);

  Command(v.plot, mpID_LOCKASPECT);
  EXPECT_TRUE(v.plot->IsAspectLocked());
  EXPECT_DOUBLE_EQ(v.plot->GetPxPerUnitX(), (s.m_pxPerUnitX + s.m_pxPerUnitY) / 2);
  EXPECT_EQ(v.plot->GetPxPerUnitX(), v.plot->GetPxPerUnitY());
  Command(v.plot, mpID_LOCKASPECT);
  EXPECT_FALSE(v.plot->IsAspectLocked());

  class Help : public wxExpectModalBase<wxMessageDialog> {
   protected:
    int OnInvoked(wxMessageDialog* dlg) const override {
      EXPECT_EQ(dlg->GetMessage(), wxString::FromUTF8("Unterstützte Mausbefehle"));
      EXPECT_EQ(dlg->GetTitle(), "Diagramm Hilfe");
      return wxID_OK;
    }
  };
  wxTEST_DIALOG(Command(v.plot, mpID_HELP_MOUSE), Help());
}

TEST(PlotWindow, ScrollBarMovesTheCentreToItsNewPosition) {
  const Data d = Regular();
  FlowView v(d.t, d.flow, d.pressure);
  for (int i = 0; i < 10; ++i) v.plot->ZoomInStep();  // 2.6 times the window: scroll bars
  guitest::Pump();
  const plotcore::ViewState s = v.plot->GetView();
  const wxSize client = v.plot->GetClientSize();
  wxScrollWinEvent e(wxEVT_SCROLLWIN_THUMBTRACK, 300, wxHORIZONTAL);
  e.SetEventObject(v.plot);
  v.plot->GetEventHandler()->ProcessEvent(e);
  EXPECT_EQ(v.plot->GetViewStart().x, 300);
  EXPECT_DOUBLE_EQ(v.plot->GetCentreX(), s.m_minX + (client.x / 2 + 300) / s.m_pxPerUnitX);
  EXPECT_EQ(v.plot->GetCentreY(), s.m_centreY);
}

TEST(PlotWindow, MeasuringReportsTheNearestPointAndMarksIt) {
  const Data d = Regular();
  FlowView v(d.t, d.flow, d.pressure);
  ASSERT_EQ(v.plot->GetPxPerUnitX(), 1.0);
  ASSERT_EQ(v.plot->GetCentreX(), 350.0);

  // Nothing measured: the legend draws nothing at all.
  EXPECT_EQ(CountColour(v.Render(), wxRect(398, 198, 30, 30), 192, 192, 192), 0);

  // Column 401 is x = 351, halfway between the points at 350 and 352: the earlier wins.
  v.plot->SetFlowMeasuring(true);
  Mouse(v.plot, wxEVT_LEFT_DOWN, 401, 300, true);
  Mouse(v.plot, wxEVT_LEFT_UP, 401, 300);
  ASSERT_EQ(v.frame->measured.size(), 1u);
  const Sink::Measured m = v.frame->measured.back();
  EXPECT_EQ(m.which, 1);
  EXPECT_EQ(m.text, "350.000000 10.000000");  // point 175: 10 + 175 % 7
  EXPECT_EQ(m.from, v.flow);
  EXPECT_TRUE(v.flow->HasMarker());
  EXPECT_EQ(v.flow->GetMarkerX(), 350.0);
  EXPECT_EQ(v.flow->GetMarkerValue(), 10.0);
  EXPECT_FALSE(v.pressure->HasMarker());

  // The legend box now sits with its corner in the middle of the window.
  const wxImage shown = v.Render();
  guitest::SavePng(wxBitmap(shown), "/tmp/plot_measure.png");
  EXPECT_TRUE(Near(shown, 402, 202, 192, 192, 192));
  wxClientDC probe(v.plot);
  probe.SetFont(v.legend->GetFont());
  EXPECT_EQ(v.legend->GetRectangle().width, probe.GetTextExtent(wxString("Durchfluss 10.00 l/min")).x + 25);

  // Zooming keeps the measured point: no new measurement, the marker moves with its data.
  v.frame->measured.clear();
  Wheel(v.plot, 120, true, false);
  guitest::Capture(v.plot);
  EXPECT_TRUE(v.frame->measured.empty());
  EXPECT_EQ(v.flow->GetMarkerX(), 350.0);

  // A click left of the flow axis measures nothing (the point would lie out of sight).
  Mouse(v.plot, wxEVT_LEFT_DOWN, 20, 300, true);
  Mouse(v.plot, wxEVT_LEFT_UP, 20, 300);
  EXPECT_TRUE(v.frame->measured.empty());

  // The right-hand curve reports its value first, then the time.
  v.plot->SetFlowMeasuring(false);
  v.plot->SetPressureMeasuring(true);
  Mouse(v.plot, wxEVT_LEFT_DOWN, 401, 300, true);
  Mouse(v.plot, wxEVT_LEFT_UP, 401, 300);
  ASSERT_EQ(v.frame->measured.size(), 1u);
  EXPECT_EQ(v.frame->measured.back().which, 2);
  EXPECT_EQ(v.frame->measured.back().text, "3.750000 350.000000");  // 2 + 0.01 * 175
  EXPECT_TRUE(v.pressure->HasMarker());

  // Dragging with the left button moves the legend, and while measuring the cross-hair.
  v.frame->measured.clear();
  Mouse(v.plot, wxEVT_LEFT_DOWN, 380, 100, true);
  Mouse(v.plot, wxEVT_MOTION, 400, 90, true);
  EXPECT_EQ(v.frame->measured.size(), 2u);
  EXPECT_EQ(v.pressure->GetMarkerX(),
            static_cast<double>(d.t[static_cast<std::size_t>(FindNearestColumn(v.plot, 400, d.t))]));
  v.plot->SetPressureMeasuring(false);

  // Markers stay after measuring ends; a left drag still moves the legend and the column.
  v.frame->measured.clear();
  const double legendX = v.plot->GetLegendX(), legendY = v.plot->GetLegendY();
  Mouse(v.plot, wxEVT_LEFT_DOWN, 100, 100, true);
  Mouse(v.plot, wxEVT_MOTION, 130, 90, true);
  EXPECT_EQ(v.plot->GetLegendX(), legendX + 30);
  EXPECT_EQ(v.plot->GetLegendY(), legendY - 10);
  EXPECT_EQ(v.plot->GetMarkX(), 130);
  EXPECT_TRUE(v.frame->measured.empty());
  EXPECT_TRUE(v.flow->HasMarker());
  EXPECT_TRUE(v.pressure->HasMarker());
}

TEST(PlotWindow, MarkersSitOnTheirPointAfterZoomPanAndResize) {
  Data d;  // smooth curves: they cross a marker's square but hide none of its sides
  for (int i = 0; i <= 700; ++i) {
    d.t.push_back(static_cast<float>(i));
    d.flow.push_back(20.0f + 5.0f * std::sin(i / 100.0f));
    d.pressure.push_back(2.0f + 0.5f * std::cos(i / 100.0f));
  }
  FlowView v(d.t, d.flow, d.pressure);
  v.legend->SetVisible(false);  // only the markers differ between the pictures below
  v.plot->SetFlowMeasuring(true);
  Mouse(v.plot, wxEVT_LEFT_DOWN, 300, 200, true);
  v.plot->SetFlowMeasuring(false);
  v.plot->SetPressureMeasuring(true);
  Mouse(v.plot, wxEVT_LEFT_DOWN, 520, 200, true);
  v.plot->SetPressureMeasuring(false);
  ASSERT_TRUE(v.flow->HasMarker());
  ASSERT_TRUE(v.pressure->HasMarker());

  const auto render = [&] {
    const wxSize size = v.plot->GetClientSize();
    wxBitmap bmp(size);
    {
      wxMemoryDC dc(bmp);
      v.plot->DrawView(dc);
    }
    return bmp.ConvertToImage();
  };
  const auto check = [&](const char* step) {
    SCOPED_TRACE(step);
    for (mpCurve* curve : {static_cast<mpCurve*>(v.flow), static_cast<mpCurve*>(v.pressure)}) {
      const bool second = curve == v.pressure;
      // Where the point is drawn now.
      const int px = static_cast<int>((curve->GetMarkerX() - v.plot->GetCentreX()) * v.plot->GetPxPerUnitX()) +
                     v.plot->GetPlotWidth() / 2;
      const double cy = second ? v.plot->GetCentreY2() : v.plot->GetCentreY();
      const double sy = second ? v.plot->GetPxPerUnitY2() : v.plot->GetPxPerUnitY();
      const int py = static_cast<int>((cy - curve->GetMarkerValue()) * sy) + v.plot->GetPlotHeight() / 2;
      // The marker's pixels: the picture with it against the picture without it.
      mpCurve* other = second ? static_cast<mpCurve*>(v.flow) : static_cast<mpCurve*>(v.pressure);
      other->SetHasMarker(false);
      curve->SetHasMarker(false);
      const wxImage without = render();
      curve->SetHasMarker(true);
      const wxImage with = render();
      other->SetHasMarker(true);
      wxRect box;
      for (int y = 0; y < with.GetHeight(); ++y)
        for (int x = 0; x < with.GetWidth(); ++x)
          if (with.GetRed(x, y) != without.GetRed(x, y) || with.GetGreen(x, y) != without.GetGreen(x, y) ||
              with.GetBlue(x, y) != without.GetBlue(x, y))
            box = box.IsEmpty() ? wxRect(x, y, 1, 1) : box.Union(wxRect(x, y, 1, 1));
      ASSERT_FALSE(box.IsEmpty()) << (second ? "pressure" : "flow");
      EXPECT_GE(box.width, 10);
      EXPECT_NEAR(box.x + box.width / 2.0, px, 1.5) << (second ? "pressure" : "flow");
      EXPECT_NEAR(box.y + box.height / 2.0, py, 1.5) << (second ? "pressure" : "flow");
    }
  };
  check("measured");
  for (int i = 0; i < 3; ++i) v.plot->ZoomInStep();
  check("zoomed");
  Mouse(v.plot, wxEVT_RIGHT_DOWN, 400, 200, false, true);
  Mouse(v.plot, wxEVT_MOTION, 450, 170, false, true);
  Mouse(v.plot, wxEVT_RIGHT_UP, 450, 170);
  check("panned");
  v.frame->SetClientSize(640, 480);
  ASSERT_TRUE(guitest::PumpUntil(
      [&] { return v.plot->GetPlotWidth() == v.plot->GetClientSize().x && v.plot->GetClientSize().x == 640; }));
  check("resized");
  guitest::SavePng(wxBitmap(render()), "/tmp/plot_markers_resized.png");
}

TEST(PlotWindow, CachedPictureFollowsEveryChange) {
  const Data d = Noisy(3000);
  FlowView v(d.t, d.flow, d.pressure);
  const auto cached = [&] {
    wxBitmap bmp(W, H);
    {
      wxMemoryDC dc(bmp);
      v.plot->DrawCachedView(dc);
    }
    return bmp.ConvertToImage();
  };
  const auto same = [](const wxImage& a, const wxImage& b) {
    return std::memcmp(a.GetData(), b.GetData(), 3 * W * H) == 0;
  };
  EXPECT_TRUE(same(cached(), v.Render()));
  // Measuring changes only the overlays over the cached picture.
  v.plot->SetFlowMeasuring(true);
  Mouse(v.plot, wxEVT_LEFT_DOWN, 300, 200, true);
  Mouse(v.plot, wxEVT_MOTION, 340, 220, true);
  EXPECT_TRUE(same(cached(), v.Render()));
  // A change of the view redraws the picture.
  v.plot->ZoomInStep();
  EXPECT_TRUE(same(cached(), v.Render()));
  v.SetGrid(true);
  v.plot->UpdateView();
  EXPECT_TRUE(same(cached(), v.Render()));
}

TEST(PlotWindow, ResizeKeepsTheDataRangeAndSnapshotHasTheWindowSize) {
  const Data d = Regular();
  FlowView v(d.t, d.flow, d.pressure);
  const plotcore::ViewState s = v.plot->GetView();
  for (wxSize size : {wxSize(640, 480), wxSize(1000, 300), wxSize(W, H)}) {
    SCOPED_TRACE(size.x);
    v.frame->SetClientSize(size);
    ASSERT_TRUE(guitest::PumpUntil([&] {
      guitest::Capture(v.plot);
      return v.plot->GetClientSize() == size && v.plot->GetPlotHeight() == size.y;
    }));
    // Still fitted: the first and last samples at the 50-pixel margins, the lowest and highest
    // flow 40 pixels from the top and bottom; the middle stays in the middle.
    EXPECT_EQ(v.plot->GetCentreX(), s.m_centreX);
    EXPECT_EQ(v.plot->GetCentreY(), s.m_centreY);
    EXPECT_NEAR(v.plot->GetPxPerUnitX(), (size.x - 100) / 700.0, 1e-9);
    EXPECT_NEAR(v.plot->GetPxPerUnitY(), s.m_pxPerUnitY * (size.y - 80) / (H - 80), 1e-9);
    EXPECT_NEAR(v.plot->GetPxPerUnitY2(), s.m_pxPerUnitY2 * (size.y - 80) / (H - 80), 1e-9);
    EXPECT_EQ(v.plot->GetPlotWidth(), size.x);
    guitest::Capture(v.plot);  // painted at the new size
    const wxBitmap snap = v.plot->SnapshotBitmap();
    EXPECT_EQ(snap.GetSize(), size);
    guitest::SavePng(snap, wxString::Format("/tmp/plot_resized_%d.png", size.x));
  }
  // Back at the first size, the first fit's scales again.
  EXPECT_NEAR(v.plot->GetPxPerUnitY(), s.m_pxPerUnitY, 1e-9);
}

TEST(PlotWindow, HomeFitsAndPlusMinusZoom) {
  const Data d = Regular();
  FlowView v(d.t, d.flow, d.pressure);
  const plotcore::ViewState s = v.plot->GetView();
  const auto key = [&](int code) {
    wxKeyEvent e(wxEVT_CHAR);
    e.m_keyCode = code;
    e.SetEventObject(v.plot);
    v.plot->GetEventHandler()->ProcessEvent(e);
  };
  key('+');
  EXPECT_DOUBLE_EQ(v.plot->GetPxPerUnitX(), s.m_pxPerUnitX * 1.1);
  key(WXK_NUMPAD_ADD);
  key('-');
  EXPECT_DOUBLE_EQ(v.plot->GetPxPerUnitY2(), s.m_pxPerUnitY2 * 1.1);
  Wheel(v.plot, 120, false, false);
  key(WXK_HOME);
  EXPECT_DOUBLE_EQ(v.plot->GetPxPerUnitX(), s.m_pxPerUnitX);
  EXPECT_DOUBLE_EQ(v.plot->GetCentreY(), s.m_centreY);
  EXPECT_DOUBLE_EQ(v.plot->GetCentreY2(), s.m_centreY2);
}
