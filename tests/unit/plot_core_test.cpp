// Plot arithmetic: ticks and labels, legend formats, series storage, nearest point, view
// fitting and navigation, and the point reduction used for drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "plot/PlotText.h"
#include "plot/PlotView.h"
#include "plot/SeriesMath.h"

using namespace plotcore;

namespace {
const float NaN = std::numeric_limits<float>::quiet_NaN();
}

TEST(PlotTicks, StepIsThePowerOfTenSpanningMoreThan12_8Pixels) {
  struct Case {
    double scale, n, step;
  } cases[] = {
      {1.2, 2, 100},     // 128 / 1.2 = 106.7
      {1.3, 1, 10},      // 128 / 1.3 = 98.5
      {12.8, 1, 10},     // exactly 10 steps of 12.8 px... n = 1
      {128.0, 0, 1},     // one unit = 128 px
      {200.0, -1, 0.1},  // 0.64
      {0.001, 5, 1e5},
  };
  for (const Case& c : cases) {
    const TickStep t = ComputeTickStep(c.scale);
    EXPECT_EQ(t.n, c.n) << c.scale;
    EXPECT_NEAR(t.step, c.step, c.step * 1e-9) << c.scale;
  }
}

TEST(PlotTicks, ValuesStartAtTheStepBelowTheEdgeAndStopBeforeTheOtherEdge) {
  auto expectValues = [](std::vector<double> got, std::vector<double> want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-9);
  };
  // 1 px per unit, 400 px around 130: -70 .. 330, step 100.
  expectValues(TickValues(1.0, 130.0, 200), {-100, 0, 100, 200, 300});
  // The far edge is exclusive.
  expectValues(TickValues(1.0, 100.0, 100), {0, 100});
  // 0.05 px per unit, 200 px around 500: -1500 .. 2500, step 1000.
  expectValues(TickValues(0.05, 500.0, 100), {-2000, -1000, 0, 1000, 2000});
}

TEST(PlotTicks, ValuesAreExactMultiples) {
  // A running sum of 10.000000000000002 steps from -30 reached 9.999999999999996.
  for (double centre : {120.0, 127.3, 133.9, 250.0})
    for (double v : TickValues(2.4, centre, 300)) EXPECT_EQ(v, std::round(v / 10) * 10) << centre;
  for (double v : TickValues(200.0, 0.55, 300)) EXPECT_EQ(v, std::round(v * 10) / 10);
}

namespace {
// Label widths of "mm:ss" and "hh:mm:ss" in the axis font, near enough.
constexpr int SHORT_W = 33, LONG_W = 52;

std::vector<std::string> TimeLabels(double pxPerSecond, double centre, int width = 800) {
  std::vector<std::string> out;
  for (const TimeTick& t : TimeTicks(pxPerSecond, centre, width, false, SHORT_W, LONG_W))
    out.push_back(FormatClock(t.seconds));
  return out;
}
}  // namespace

TEST(PlotTimeTicks, StepsAClockReaderCountsInWithEveryTickLabelled) {
  using L = std::vector<std::string>;
  struct Case {
    double span;  // seconds fitted into the 700 pixels between the margins of 800
    double step;
    L labels;
  } cases[] = {
      {2, 1, {"00:01", "00:02"}},
      {10, 2, {"00:02", "00:04", "00:06", "00:08", "00:10"}},
      {30, 5, {"00:05", "00:10", "00:15", "00:20", "00:25", "00:30"}},
      {60, 10, {"00:10", "00:20", "00:30", "00:40", "00:50", "01:00"}},
      {120, 30, {"00:30", "01:00", "01:30", "02:00"}},
      {300, 60, {"01:00", "02:00", "03:00", "04:00", "05:00"}},
      {900, 300, {"05:00", "10:00", "15:00"}},  // read 01:40, 05:00, 08:20, 11:40 before
      {1800, 300, {"05:00", "10:00", "15:00", "20:00", "25:00", "30:00"}},
      {3600, 900, {"15:00", "30:00", "45:00", "01:00:00"}},
      {7200, 1800, {"30:00", "01:00:00", "01:30:00", "02:00:00"}},
      {21600, 7200, {"02:00:00", "04:00:00", "06:00:00"}},
      {43200, 10800, {"03:00:00", "06:00:00", "09:00:00", "12:00:00"}},
      {108000, 21600, {"06:00:00", "12:00:00", "18:00:00", "24:00:00", "30:00:00"}},
  };
  for (const Case& c : cases) {
    const double scale = 700.0 / c.span, centre = c.span / 2;
    EXPECT_EQ(TimeTickStep(scale, c.span >= 3600 ? LONG_W : SHORT_W), c.step) << c.span;
    const L labels = TimeLabels(scale, centre);
    EXPECT_EQ(labels, c.labels) << c.span;
    // The same view, painted again, and the view panned by less than a step: the labels stay
    // multiples of the step, and every one fits beside its neighbours.
    EXPECT_EQ(TimeLabels(scale, centre), labels) << c.span;
    const auto panned = TimeTicks(scale, centre + 0.37 * c.step, 800, false, SHORT_W, LONG_W);
    XLabelSpacing spacing;
    for (const TimeTick& t : panned) {
      EXPECT_EQ(std::fmod(t.seconds, c.step), 0.0) << c.span;
      EXPECT_TRUE(spacing.Accept(t.px, FormatClock(t.seconds).size() > 5 ? LONG_W : SHORT_W)) << c.span;
    }
  }
  // The empty plot at start (bounds -1 .. 1): read 00:00 five times and 00:01 once before.
  EXPECT_EQ(TimeLabels(350.0, 0.0), (L{"00:00", "00:01"}));
}

TEST(PlotTimeTicks, NoLabelTwiceWhateverTheZoom) {
  for (double scale = 1e-4; scale < 2e3; scale *= 1.13) {
    for (double centre : {0.0, 450.5, 3599.0, 86400.0, 100000.0}) {
      const std::vector<std::string> labels = TimeLabels(scale, centre);
      const std::set<std::string> unique(labels.begin(), labels.end());
      EXPECT_EQ(unique.size(), labels.size()) << scale << " " << centre;
    }
  }
  // Unusable scales give no ticks and never loop.
  EXPECT_TRUE(TimeTicks(0.0, 10.0, 800, false, SHORT_W, LONG_W).empty());
  EXPECT_TRUE(TimeTicks(std::nan(""), 10.0, 800, false, SHORT_W, LONG_W).empty());
  EXPECT_TRUE(TimeTicks(1e-300, 10.0, 800, false, SHORT_W, LONG_W).empty());
  EXPECT_TRUE(TimeTicks(1.0, 1e300, 800, false, SHORT_W, LONG_W).empty());
  // Nothing before the start, nothing in the margins kept for the axes.
  for (const TimeTick& t : TimeTicks(1.0, 0.0, 800, true, SHORT_W, LONG_W)) {
    EXPECT_GE(t.seconds, 0.0);
    EXPECT_GT(t.px, -350);
    EXPECT_LT(t.px, 350);
  }
}

TEST(PlotTicks, UnusableScalesGiveFewOrNoValuesAndNeverLoopForever) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(TickValues(0.0, 10.0, 300).empty());
  EXPECT_TRUE(TickValues(-2.0, 10.0, 300).empty());
  EXPECT_TRUE(TickValues(std::nan(""), 10.0, 300).empty());
  EXPECT_TRUE(TickValues(inf, 10.0, 300).empty());
  EXPECT_TRUE(TickValues(1.0, std::nan(""), 300).empty());
  // Zoomed so far that the step vanishes next to the value: bounded, not endless.
  EXPECT_LE(TickValues(1e15, 1e6, 300).size(), 60u);
  EXPECT_LE(TickValues(1e300, 1e6, 300).size(), 60u);
}

TEST(PlotLabels, ElapsedSecondsAsClock) {
  const std::pair<double, const char*> cases[] = {
      {3725, "01:02:05"},
      {125, "02:05"},
      {0, "00:00"},
      {59.9, "00:59"},
      {3600, "01:00:00"},
      {-5, "-00:05"},
      {-0.5, "00:00"},
      {-3725, "-01:02:05"},
      // Hours count on past a day, so a long recording never shows one time twice.
      {86400, "24:00:00"},
      {90061, "25:01:01"},
      {1e12, "277777777:46:40"},
  };
  for (const auto& [seconds, text] : cases) EXPECT_EQ(FormatClock(seconds), text) << seconds;
  EXPECT_EQ(FormatClock(std::nan("")), "");
  EXPECT_EQ(FormatClock(std::numeric_limits<double>::infinity()), "");
}

TEST(PlotLabels, NumberFormatsOfTheAxes) {
  EXPECT_EQ(FormatPrimaryY(2.5, 0), "2.5");
  EXPECT_EQ(FormatPrimaryY(20.0, 1), "20");
  EXPECT_EQ(FormatPrimaryY(0.25, -1), "0.2");  // round half to even, as printf does
  EXPECT_EQ(FormatSecondY(3.0), "3.0");
  EXPECT_EQ(FormatSecondY(-0.04), "-0.0");
  EXPECT_EQ(FormatFixed6(12.5), "12.500000");
  EXPECT_EQ(FormatFixed6(-0.1), "-0.100000");
}

TEST(PlotLabels, TimeLabelsKeepMoreThan64PixelsApart) {
  XLabelSpacing s;
  EXPECT_TRUE(s.Accept(0, 40));     // right edge 20
  EXPECT_FALSE(s.Accept(104, 40));  // left edge 84: 64 px after, not more
  EXPECT_TRUE(s.Accept(105, 40));   // 65 px: drawn, right edge 125
  EXPECT_FALSE(s.Accept(200, 40));  // 180 - 125 = 55; a skipped label leaves the edge
  EXPECT_TRUE(s.Accept(210, 40));
}

TEST(PlotLabels, YLabelsKeepMoreThan32PixelsBetweenTops) {
  YLabelSpacing s;
  EXPECT_TRUE(s.Accept(100, 14));  // top 93
  EXPECT_FALSE(s.Accept(68, 14));  // 7 + 93 - 68 = 32
  EXPECT_TRUE(s.Accept(67, 14));
}

TEST(PlotLegend, ValueFormatAndBoxWidth) {
  EXPECT_EQ(FormatLegendValue(29.999), " 30.00 ");
  EXPECT_EQ(FormatLegendValue(30.0), " 30 ");
  EXPECT_EQ(FormatLegendValue(2.346), " 2.35 ");
  EXPECT_EQ(FormatLegendValue(-1.0), " -1.00 ");
  EXPECT_EQ(FormatLegendValue(1234.6), " 1235 ");

  int w = 20;
  w = WidenLegendBox(w, 100);
  w = WidenLegendBox(w, 102);
  EXPECT_EQ(w, 125);
  EXPECT_EQ(WidenLegendBox(125, 105), 130);  // 125 <= 125
}

TEST(PlotLabels, LongTextsKeepTheStartThatFitsWithTheEllipsis) {
  // 7 pixels a character, the ellipsis included.
  const auto width = [](std::size_t n) { return 7 * static_cast<int>(n) + 7; };
  EXPECT_EQ(FittingLength(114, 380, width), 53u);  // 53 * 7 + 7 = 378
  EXPECT_EQ(FittingLength(114, 377, width), 52u);
  EXPECT_EQ(FittingLength(114, 7, width), 0u);  // the ellipsis alone
  EXPECT_EQ(FittingLength(114, 6, width), 0u);  // not even that (the caller then draws nothing)
  EXPECT_EQ(FittingLength(0, 380, width), 0u);
  EXPECT_EQ(FittingLength(3, 1000, width), 2u);  // never the whole text plus the ellipsis
}

TEST(PlotSeries, SetPointsBoundsAndCursor) {
  SeriesPoints s;
  s.SetPoints({3, 1, 2}, {-5, 7, 0});
  EXPECT_EQ(s.m_boundMinX, 1);
  EXPECT_EQ(s.m_boundMaxX, 3);
  EXPECT_EQ(s.m_boundMinY, -5);
  EXPECT_EQ(s.m_boundMaxY, 7);
  EXPECT_EQ(s.PointCount(), 3);

  double x, y;
  std::vector<std::pair<double, double>> walked;
  s.ResetCursor();
  while (s.NextPoint(x, y)) walked.push_back({x, y});
  EXPECT_EQ(walked, (std::vector<std::pair<double, double>>{{3, -5}, {1, 7}, {2, 0}}));
  EXPECT_FALSE(s.NextPoint(x, y));

  x = y = 99;
  EXPECT_FALSE(s.PointAt(x, y, 3));
  EXPECT_FALSE(s.PointAt(x, y, -1));  // never reads before the data
  EXPECT_EQ(x, 99);
  EXPECT_EQ(y, 99);
  EXPECT_TRUE(s.PointAt(x, y, 2));
  EXPECT_EQ(x, 2);

  s.SetPoints({}, {});
  EXPECT_EQ(s.PointCount(), 0);
  EXPECT_EQ(std::vector<double>({s.m_boundMinX, s.m_boundMaxX, s.m_boundMinY, s.m_boundMaxY}),
            std::vector<double>({-1, 1, -1, 1}));
}

TEST(PlotSeries, DamagedInputIsCutOrSkippedNotReadPast) {
  SeriesPoints s;
  s.SetPoints({1, 2, 3, 4}, {10, 20});  // y shorter: only the pairs
  EXPECT_EQ(s.PointCount(), 2);
  EXPECT_EQ(s.m_boundMaxX, 2);

  s.SetPoints({NaN, 5, 6}, {1, NaN, 3});
  EXPECT_EQ(s.m_boundMinX, 5);
  EXPECT_EQ(s.m_boundMaxX, 6);
  EXPECT_EQ(s.m_boundMinY, 1);
  EXPECT_EQ(s.m_boundMaxY, 3);

  // Long enough for the bounds to be taken several values at a time: NaN and the infinities in
  // every position of a step are passed over.
  std::vector<float> xs, ys;
  const float inf = std::numeric_limits<float>::infinity();
  for (int i = 0; i < 1001; ++i) {
    xs.push_back(i % 5 == 1 ? NaN : i % 7 == 2 ? -inf : static_cast<float>(i));
    ys.push_back(i % 3 == 0 ? inf : i % 11 == 4 ? NaN : static_cast<float>((i * 37) % 101) - 50);
  }
  ys[999] = -1000;
  s.SetPoints(xs, ys);
  EXPECT_EQ(s.m_boundMinX, 0);
  EXPECT_EQ(s.m_boundMaxX, 1000);
  EXPECT_EQ(s.m_boundMinY, -1000);
  EXPECT_EQ(s.m_boundMaxY, 50);
  EXPECT_FALSE(s.m_xSorted);

  s.SetPoints({NaN}, {NaN});  // nothing finite: the empty bounds
  EXPECT_EQ(s.m_boundMinX, -1);
  EXPECT_EQ(s.m_boundMaxY, 1);
}

TEST(PlotSeries, AViewReadsTheCallersArraysAndFollowsThemWhenTheyGrowAndMove) {
  std::vector<float> xs, ys;
  SeriesPoints grown;
  grown.ViewPoints(xs, ys);
  EXPECT_EQ(grown.PointCount(), 0);
  // Grown in uneven steps; the arrays move to new buffers on the way, as a live recording's do.
  for (int step = 1; step <= 40; ++step) {
    for (int k = 0; k < 97 * step; ++k) {
      const int i = static_cast<int>(xs.size());
      xs.push_back(static_cast<float>(i));
      ys.push_back(i % 1013 == 0 ? NaN : static_cast<float>((i * 7919) % 1000) - 500);
    }
    xs.shrink_to_fit();  // a new buffer every step
    ys.shrink_to_fit();
    grown.ExtendView(xs, ys);
    ASSERT_EQ(grown.PointCount(), static_cast<int>(xs.size()));
    double x, y;
    ASSERT_TRUE(grown.PointAt(x, y, grown.PointCount() - 1));  // read where the arrays are now
    EXPECT_EQ(x, xs.back());
  }
  SeriesPoints fresh;
  fresh.ViewPoints(xs, ys);
  EXPECT_EQ(grown.m_boundMinY, fresh.m_boundMinY);
  EXPECT_EQ(grown.m_boundMaxY, fresh.m_boundMaxY);
  EXPECT_EQ(grown.m_boundMaxX, xs.back());
  EXPECT_TRUE(grown.m_xSorted);
  ASSERT_EQ(grown.m_ranges.lo.size(), xs.size() / BlockRanges::BLOCK);
  ASSERT_EQ(grown.m_ranges.lo.size(), fresh.m_ranges.lo.size());
  for (std::size_t k = 0; k < fresh.m_ranges.lo.size(); ++k) {
    const float lo = fresh.m_ranges.lo[k];
    EXPECT_TRUE(lo == grown.m_ranges.lo[k] || (std::isnan(lo) && std::isnan(grown.m_ranges.lo[k]))) << k;
    if (!std::isnan(lo)) {
      EXPECT_EQ(grown.m_ranges.hi[k], fresh.m_ranges.hi[k]) << k;
    }
  }

  // Shorter data is viewed afresh; a copy and a view of the same points agree.
  xs.resize(10);
  ys.resize(5);
  grown.ExtendView(xs, ys);
  EXPECT_EQ(grown.PointCount(), 5);
  SeriesPoints copy;
  copy.SetPoints(xs, ys);
  EXPECT_FALSE(copy.IsView());
  EXPECT_TRUE(grown.IsView());
  EXPECT_EQ(copy.m_boundMaxY, grown.m_boundMaxY);
  grown.ViewNothing();
  EXPECT_EQ(grown.PointCount(), 0);
  EXPECT_EQ(grown.m_boundMaxX, 1);
}

TEST(PlotSeries, FindNearestTakesTheEarlierPointOnTies) {
  const std::vector<float> xs = {0, 1, 2, 3};
  EXPECT_EQ(FindNearest(xs.data(), xs.size(), 1.5), 1);
  EXPECT_EQ(FindNearest(xs.data(), xs.size(), 1.6), 2);
  EXPECT_EQ(FindNearest(xs.data(), xs.size(), -10), 0);
  EXPECT_EQ(FindNearest(xs.data(), xs.size(), 10), 3);
  const std::vector<float> dup = {5, 5, 5};
  EXPECT_EQ(FindNearest(dup.data(), dup.size(), 5), 0);
  const std::vector<float> gaps = {NaN, 4, NaN};
  EXPECT_EQ(FindNearest(gaps.data(), gaps.size(), 0), 1);
  EXPECT_EQ(FindNearest(gaps.data(), 0, 0), -1);
  const std::vector<float> none = {NaN};
  EXPECT_EQ(FindNearest(none.data(), none.size(), 0), -1);
}

TEST(PlotSeries, FindNearestSortedAgreesWithTheFullSearch) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> gap(0, 3);  // equal x now and then
  std::vector<float> xs;
  float x = -20;
  for (int i = 0; i < 2000; ++i) xs.push_back(x += 0.25f * static_cast<float>(gap(rng)));
  std::uniform_real_distribution<double> q(-40, x + 20);
  for (int k = 0; k < 5000; ++k) {
    const double query = k < 2000 ? xs[static_cast<std::size_t>(k)] + 0.125 : q(rng);  // many ties
    ASSERT_EQ(FindNearestSorted(xs.data(), xs.size(), query), FindNearest(xs.data(), xs.size(), query)) << query;
  }
  EXPECT_EQ(FindNearestSorted(xs.data(), 0, 1.0), -1);
  EXPECT_EQ(FindNearestSorted(xs.data(), xs.size(), std::nan("")), -1);
  const std::vector<float> one = {3};
  EXPECT_EQ(FindNearestSorted(one.data(), 1, -1e300), 0);
}

TEST(PlotView, BoundsComeFromTheFirstLayerAndTheSecondAxisFromTheLast) {
  ViewState v;
  EXPECT_FALSE(CollectBounds(v, {}));
  EXPECT_TRUE(CollectBounds(v, {{0, 10, -1, 5}, {100, 200, 2, 4}, {300, 400, 6, 8}}));
  EXPECT_EQ(std::vector<double>({v.m_minX, v.m_maxX, v.m_minY, v.m_maxY}), std::vector<double>({0, 10, -1, 5}));
  EXPECT_EQ(v.m_minY2, 6);
  EXPECT_EQ(v.m_maxY2, 8);

  // With one bounded layer the second axis keeps what it had.
  EXPECT_TRUE(CollectBounds(v, {{1, 2, 3, 4}}));
  EXPECT_EQ(v.m_minY2, 6);
}

TEST(PlotView, FitFillsTheAreaInsideTheMargins) {
  ViewState v;
  CollectBounds(v, {{0, 700, 10, 42}, {0, 1, 1, 3}});
  FitView(v, 800, 400);  // 700 x 320 inside the margins
  EXPECT_DOUBLE_EQ(v.m_pxPerUnitX, 1.0);
  EXPECT_DOUBLE_EQ(v.m_pxPerUnitY, 10.0);
  EXPECT_DOUBLE_EQ(v.m_pxPerUnitY2, 160.0);
  EXPECT_DOUBLE_EQ(v.m_centreX, 350.0);
  EXPECT_DOUBLE_EQ(v.m_centreY, 26.0);
  EXPECT_DOUBLE_EQ(v.m_centreY2, 2.0);

  v.m_aspectLock = true;
  FitView(v, 800, 400);
  EXPECT_DOUBLE_EQ(v.m_pxPerUnitX, 5.5);
  EXPECT_DOUBLE_EQ(v.m_pxPerUnitY, 5.5);
}

TEST(PlotView, FitLeavesZeroRangesAndTinyWindowsSane) {
  ViewState v;
  v.m_pxPerUnitY2 = 7.0;
  CollectBounds(v, {{5, 5, 1, 1}, {0, 1, 2, 2}});
  FitView(v, 800, 400);
  EXPECT_EQ(v.m_pxPerUnitX, 1.0);  // unchanged
  EXPECT_EQ(v.m_centreX, 150.0);
  EXPECT_EQ(v.m_centreY, 100.0);
  EXPECT_EQ(v.m_pxPerUnitY2, 7.0);

  // A y range but no second-axis range: only the primary changes.
  CollectBounds(v, {{0, 10, 0, 10}, {0, 1, 2, 2}});
  FitView(v, 800, 400);
  EXPECT_EQ(v.m_pxPerUnitY2, 7.0);

  // Narrower than the margins: the scale stays positive instead of flipping the plot.
  FitView(v, 64, 64);
  EXPECT_GT(v.m_pxPerUnitX, 0.0);
  EXPECT_GT(v.m_pxPerUnitY, 0.0);
}

TEST(PlotView, ZoomWheelPanAndCentre) {
  ViewState v;
  v.m_pxPerUnitX = 2.0;
  v.m_pxPerUnitY = 4.0;
  v.m_pxPerUnitY2 = 8.0;
  // The right-hand axis zooms and moves with the primary one.
  ZoomIn(v);
  EXPECT_DOUBLE_EQ(v.m_pxPerUnitX, 2.2);
  EXPECT_DOUBLE_EQ(v.m_pxPerUnitY, 4.4);
  EXPECT_DOUBLE_EQ(v.m_pxPerUnitY2, 8.8);
  ZoomOut(v);
  EXPECT_DOUBLE_EQ(v.m_pxPerUnitX, 2.0);
  EXPECT_DOUBLE_EQ(v.m_pxPerUnitY2, 8.0);

  // One notch forward: the curves move 120 px down; with Shift 120 px to the right.
  WheelScroll(v, 120, false);
  EXPECT_DOUBLE_EQ(v.m_centreY, 100.0 + 120.0 / 4.0);
  EXPECT_DOUBLE_EQ(v.m_centreY2, 120.0 / 8.0);
  EXPECT_DOUBLE_EQ(v.m_centreX, 150.0);
  WheelScroll(v, 120, true);
  EXPECT_DOUBLE_EQ(v.m_centreX, 150.0 - 120.0 / 2.0);
  EXPECT_DOUBLE_EQ(v.m_centreY2, 120.0 / 8.0);

  // A scroll bar or the aspect lock moves or scales the primary axis: the right one follows.
  MoveYTo(v, 150.0);  // 20 units of 4 px up
  EXPECT_DOUBLE_EQ(v.m_centreY2, 15.0 + 80.0 / 8.0);
  LockAspect(v);  // 4 -> 3 px per unit
  EXPECT_DOUBLE_EQ(v.m_pxPerUnitY, 3.0);
  EXPECT_DOUBLE_EQ(v.m_pxPerUnitY2, 6.0);

  // Dragging the pointer 10 px right and 20 px down moves the view with it.
  ViewState d;
  d.m_pxPerUnitX = 3.0;
  d.m_pxPerUnitY = 3.0;
  d.m_pxPerUnitY2 = 0.5;
  PanBy(d, -10, -20);
  EXPECT_DOUBLE_EQ(d.m_centreX, 150.0 + static_cast<float>(-10 / 3.0));
  EXPECT_DOUBLE_EQ(d.m_centreY, 100.0 + static_cast<float>(20 / 3.0));
  EXPECT_DOUBLE_EQ(d.m_centreY2, 40.0);

  ViewState c;
  c.m_pxPerUnitX = 2.0;
  c.m_pxPerUnitY = 5.0;
  c.m_pxPerUnitY2 = 10.0;
  CentreOnPixel(c, 500, 100, 800, 400);
  EXPECT_DOUBLE_EQ(c.m_centreX, 150.0 + 50.0);
  EXPECT_DOUBLE_EQ(c.m_centreY, 100.0 + 20.0);
  EXPECT_DOUBLE_EQ(c.m_centreY2, 0.0 + 10.0);
}

TEST(PlotView, ZoomStopsBeforeTheScaleOverflows) {
  ViewState v;
  v.m_pxPerUnitX = 1.7e308;
  ZoomIn(v);
  EXPECT_EQ(v.m_pxPerUnitX, 1.7e308);
  v.m_pxPerUnitY = 5e-324;
  ZoomOut(v);
  EXPECT_GT(v.m_pxPerUnitY, 0.0);
}

TEST(PlotView, ScrollBarsRoundTripToTheCentre) {
  ViewState v;
  CollectBounds(v, {{0, 1000, 0, 100}});
  v.m_pxPerUnitX = 2.0;
  v.m_pxPerUnitY = 4.0;
  v.m_centreX = 300.0;
  v.m_centreY = 60.0;
  const ScrollbarSetup s = ComputeScrollbars(v, 800, 400);
  EXPECT_EQ(s.virtualW, 2000);
  EXPECT_EQ(s.virtualH, 400);
  EXPECT_EQ(s.posX, 200);  // 2 * 300 - 400
  EXPECT_EQ(s.posY, -40);  // (100 - 60) * 4 - 200: passed on unchanged
  EXPECT_DOUBLE_EQ(CentreXFromScroll(v, 800, s.posX), 300.0);
  EXPECT_DOUBLE_EQ(CentreYFromScroll(v, 400, s.posY), 60.0);

  v.m_pxPerUnitX = 1e300;  // sizes the toolkit could not hold are capped
  EXPECT_LE(ComputeScrollbars(v, 800, 400).virtualW, 1000000000);
}

TEST(PlotView, ToPixelTruncatesTowardsZeroAndClamps) {
  EXPECT_EQ(ToPixel(2.9), 2);
  EXPECT_EQ(ToPixel(-2.9), -2);
  EXPECT_EQ(ToPixel(1e20), std::numeric_limits<int>::max());
  EXPECT_EQ(ToPixel(-1e20), std::numeric_limits<int>::min());
  EXPECT_EQ(ToPixel(std::nan("")), 0);
}

// ---- point reduction -------------------------------------------------------------------

namespace {

using PixelSet = std::set<std::pair<int, int>>;

// 1-pixel Bresenham lines, keeping the pixels inside the view. Drawing every point and the
// reduced segments must colour the same pixels.
void Rasterise(PixelPoint a, PixelPoint b, const ClipBox& view, PixelSet& out) {
  long x0 = a.x, y0 = a.y;
  const long x1 = b.x, y1 = b.y;
  const long dx = std::labs(x1 - x0), dy = -std::labs(y1 - y0);
  const long sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  long err = dx + dy;
  for (;;) {
    if (x0 >= view.left && x0 <= view.right && y0 >= view.top && y0 <= view.bottom)
      out.insert({static_cast<int>(x0), static_cast<int>(y0)});
    if (x0 == x1 && y0 == y1) break;
    const long e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

PixelPoint Px(const PixelMapping& m, float x, float y) {
  return {static_cast<int>((x - m.centreX) * m.pxPerUnitX), static_cast<int>((m.centreY - y) * m.pxPerUnitY)};
}

// Every point with one line each; a non-finite point breaks the line.
PixelSet EveryPoint(const std::vector<float>& xs, const std::vector<float>& ys, const PixelMapping& m,
                    const ClipBox& view) {
  PixelSet out;
  bool have = false;
  PixelPoint prev{};
  for (std::size_t i = 0; i < xs.size(); ++i) {
    if (!std::isfinite(xs[i]) || !std::isfinite(ys[i])) {
      have = false;
      continue;
    }
    const PixelPoint p = Px(m, xs[i], ys[i]);
    Rasterise(have ? prev : p, p, view, out);
    prev = p;
    have = true;
  }
  return out;
}

// blocks: with the block ranges a series keeps of its y values.
PixelSet Reduced(const std::vector<float>& xs, const std::vector<float>& ys, const PixelMapping& m, const ClipBox& view,
                 bool sorted, std::size_t* count = nullptr, bool blocks = false) {
  const ClipBox clip{view.left - 4, view.top - 4, view.right + 4, view.bottom + 4};
  std::vector<Segment> segs;
  SeriesPoints s;
  s.ViewPoints(xs, ys);
  ReduceLine(xs.data(), ys.data(), xs.size(), m, clip, segs, sorted, blocks ? &s.m_ranges : nullptr);
  if (count) *count = segs.size();
  PixelSet out;
  for (const Segment& g : segs) Rasterise(g.a, g.b, view, out);
  return out;
}

const ClipBox VIEW{-200, -100, 199, 99};

}  // namespace

TEST(PlotReduction, ColoursTheSamePixelsAsDrawingEveryPoint) {
  std::mt19937 rng(7);
  std::normal_distribution<float> noise(0.0f, 1.0f);
  struct Case {
    const char* name;
    std::vector<float> xs, ys;
    PixelMapping map;
  };
  std::vector<Case> cases;
  // A long noisy recording at 0.1 s with NaN, spikes off the view and infinities every so
  // many points (0: none).
  const auto noisy = [&](const char* name, int n, float wave, PixelMapping map, int nanEvery, int spikeEvery,
                         int infEvery) {
    Case c{name, {}, {}, map};
    for (int i = 0; i < n; ++i) {
      c.xs.push_back(i * 0.1f);
      float y = 20 + 4 * std::sin(i * wave) + 3 * noise(rng);
      if (i % nanEvery == 0) y = NaN;
      if (i % spikeEvery == 0) y = 500;
      if (infEvery && i % infEvery == 0) y = std::numeric_limits<float>::infinity();
      c.ys.push_back(y);
    }
    cases.push_back(std::move(c));
  };
  // Hundreds of points per column, starting and ending outside the view.
  noisy("dense", 100000, 0.001f, {5000, 400.0 / 9000, 20, 8}, 7919, 5003, 0);
  // Thousands of points per column: whole blocks of them are read from their ranges.
  noisy("very dense", 300000, 0.0001f, {15000, 100.0 / 30000, 20, 8}, 37117, 50021, 70001);
  {  // slow steps: runs of equal x, flat stretches along one row
    Case c{"steps", {}, {}, {100, 2, 0, 4}};
    for (int i = 0; i < 4000; ++i) {
      c.xs.push_back(static_cast<float>(i / 20));
      c.ys.push_back(static_cast<float>((i / 300) % 5 * 7 - 14));
    }
    cases.push_back(std::move(c));
  }
  {  // sparse: several pixels between points, and a part of it outside the view
    Case c{"sparse", {}, {}, {0, 7.3, 0, 3}};
    for (int i = 0; i < 200; ++i) {
      c.xs.push_back(static_cast<float>(i - 60));
      c.ys.push_back(40 * std::sin(i * 0.2f) + 5 * noise(rng));
    }
    cases.push_back(std::move(c));
  }
  {  // x going back and forth, with gaps of NaN and jumps far outside and across the view
    Case c{"zigzag", {}, {}, {50, 4, 0, 2}};
    for (int i = 0; i < 3000; ++i) {
      c.xs.push_back(static_cast<float>((i * 37) % 100) + 0.3f * noise(rng));
      c.ys.push_back(i % 97 == 0 ? NaN : 30 * noise(rng));
    }
    c.xs.insert(c.xs.begin() + 500, {-5000, 5000, 60, 60, 1e6f});
    c.ys.insert(c.ys.begin() + 500, {0, 1, -400, 400, 0});
    cases.push_back(std::move(c));
  }
  {  // a single point, and two far apart only crossing the view
    cases.push_back({"one", {1}, {2}, {0, 10, 0, 10}});
    cases.push_back({"crossing", {-1000, 1000}, {-3, 5}, {0, 1, 0, 10}});
  }
  for (const Case& c : cases) {
    const PixelSet want = EveryPoint(c.xs, c.ys, c.map, VIEW);
    EXPECT_FALSE(want.empty()) << c.name;
    EXPECT_EQ(Reduced(c.xs, c.ys, c.map, VIEW, false), want) << c.name;
    // Sorted x takes the column search; it must colour the same pixels.
    if (IsSorted(c.xs.data(), c.xs.size())) {
      EXPECT_EQ(Reduced(c.xs, c.ys, c.map, VIEW, true), want) << c.name << " (sorted)";
      EXPECT_EQ(Reduced(c.xs, c.ys, c.map, VIEW, true, nullptr, true), want) << c.name << " (block ranges)";
    }
  }
  EXPECT_TRUE(IsSorted(cases[0].xs.data(), cases[0].xs.size()));
  EXPECT_FALSE(IsSorted(cases[4].xs.data(), cases[4].xs.size()));
}

TEST(PlotReduction, AMillionPointsBecomeAboutTwoSegmentsPerColumn) {
  std::vector<float> xs(1000000), ys(1000000);
  std::mt19937 rng(3);
  std::uniform_real_distribution<float> u(0, 50);
  for (std::size_t i = 0; i < xs.size(); ++i) {
    xs[i] = (i + 1) * 0.1f;
    ys[i] = u(rng);
  }
  const PixelMapping m{50000, 400.0 / 100000, 25, 4};
  std::size_t count = 0;
  Reduced(xs, ys, m, VIEW, true, &count);
  EXPECT_LE(count, 2u * 402u);
  Reduced(xs, ys, m, VIEW, false, &count);
  EXPECT_LE(count, 2u * 402u);
}

TEST(PlotReduction, DeepZoomClipsFarPointsOntoTheirLine) {
  // 1e9 px per unit: the neighbours of the visible point lie a billion pixels away.
  const std::vector<float> xs = {0.0f, 1.0f, 2.0f}, ys = {0.0f, 1.0f, 0.0f};
  const PixelMapping m{1.0, 1e9, 1.0, 1e9};
  std::vector<Segment> segs;
  ReduceLine(xs.data(), ys.data(), xs.size(), m, {-300, -300, 300, 300}, segs);
  ASSERT_EQ(segs.size(), 2u);
  for (const Segment& g : segs) {
    for (PixelPoint p : {g.a, g.b}) {
      EXPECT_LE(std::abs(p.x), 1 << 20);
      EXPECT_LE(std::abs(p.y), 1 << 20);
    }
    // Both halves of the peak run through the centre at 45 degrees.
    EXPECT_NEAR(std::abs(static_cast<double>(g.b.y - g.a.y)) / std::abs(g.b.x - g.a.x), 1.0, 1e-5);
  }
}

TEST(PlotReduction, DotsAreTheVisiblePixelsEachOnce) {
  const std::vector<float> xs = {0, 0.01f, 1, 1, 500, NaN, 2};
  const std::vector<float> ys = {0, 0.01f, 1, 1, 0, 0, NaN};
  std::vector<PixelPoint> dots;
  ReduceDots(xs.data(), ys.data(), xs.size(), {0, 10, 0, 10}, VIEW, dots);
  EXPECT_EQ(dots, (std::vector<PixelPoint>{{0, 0}, {10, -10}}));

  // Sorted x goes column by column: the same pixels, each once, for dense and sparse columns,
  // NaN and points beyond every edge of the box.
  std::mt19937 rng(5);
  std::normal_distribution<float> noise(0.0f, 1.0f);
  std::vector<float> tx, ty;
  for (int i = 0; i < 200000; ++i) {
    tx.push_back(i * 0.01f - 300);
    ty.push_back(i % 4999 == 0 ? NaN : 60 * std::sin(i * 0.0003f) + 8 * noise(rng));
  }
  ASSERT_TRUE(IsSorted(tx.data(), tx.size()));
  for (const PixelMapping& m : {PixelMapping{700, 0.2, 0, 1.5}, PixelMapping{0, 3, 10, 0.8}}) {
    std::vector<PixelPoint> general, byColumn;
    ReduceDots(tx.data(), ty.data(), tx.size(), m, VIEW, general);
    ReduceDots(tx.data(), ty.data(), tx.size(), m, VIEW, byColumn, true);
    EXPECT_GT(general.size(), 1000u);
    const auto pixels = [](const std::vector<PixelPoint>& dots) {
      std::set<std::pair<int, int>> out;
      for (const PixelPoint& p : dots) out.insert({p.x, p.y});
      return out;
    };
    EXPECT_EQ(pixels(byColumn).size(), byColumn.size());
    EXPECT_EQ(pixels(general), pixels(byColumn));
  }
}
