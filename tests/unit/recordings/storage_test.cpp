#include "Storage.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <random>
#include <vector>

namespace {

std::string Printed(float v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%f", v);
  return buf;
}

Storage WithFlow(const std::vector<float>& flow) {
  Storage s("1/01/2020 0:00:00", 1000, 1, false);
  for (size_t i = 0; i < flow.size(); ++i)
    s.AppendSample(static_cast<float>(i), flow[i], flow[i] * 2, flow[i] * 3);
  return s;
}

// The filter as it was first written, O(n (2k + 1)): the reference the running sum must
// match bit for bit.
void ReferenceSmooth(std::vector<float>& v, int64_t k) {
  const int64_t n = static_cast<int64_t>(v.size());
  const double width = static_cast<double>(2 * k + 1);
  for (int64_t i = k; i < n - k; ++i) {
    double sum = 0;
    for (int64_t j = i - k; j <= i + k; ++j) sum += v[static_cast<size_t>(j)];
    v[static_cast<size_t>(i)] = static_cast<float>(sum / width);
  }
}

std::vector<uint32_t> Bits(const std::vector<float>& v) {
  std::vector<uint32_t> b;
  for (float x : v) b.push_back(std::bit_cast<uint32_t>(x));
  return b;
}

}  // namespace

TEST(Storage, ConstructionSetsOnlyTheGivenMembers) {
  const Storage s("9/03/2016 8:05:30", 500, 1, true);
  EXPECT_EQ(s.GetDateTime(), "9/03/2016 8:05:30");
  EXPECT_EQ(s.GetIntervalMs(), 500);
  EXPECT_EQ(s.GetFlowUnitLitres(), 1);
  EXPECT_TRUE(s.GetSpareFlag());
  EXPECT_EQ(s.GetTitle(), "");
  EXPECT_EQ(s.GetPressureUnit(), 0);
  EXPECT_EQ(s.GetSerialNumber(), 0);
  EXPECT_EQ(s.GetMemoryEnd(), 0u);
  EXPECT_FALSE(s.IsFiltered());
  EXPECT_EQ(s.GetSampleCount(), 0);
}

TEST(Storage, AddSampleTimeAndVolumeAdvanceByOneInterval) {
  Storage s("", 1000, 1, false);
  for (int i = 0; i < 3; ++i) s.AddSample(60, 0);
  EXPECT_EQ(s.GetTime(), (std::vector<float>{1, 2, 3}));
  EXPECT_EQ(s.GetVolume(), (std::vector<float>{1, 2, 3}));
  EXPECT_EQ(s.GetFlow(), (std::vector<float>{60, 60, 60}));
  EXPECT_EQ(s.GetVolumeTotal(), 3.0f);
}

TEST(Storage, PressureConversion) {
  struct Case {
    int raw;
    char unit;
    float expected;
    const char* printed;
  };
  const float gain = static_cast<float>(2 + 15 / 100.0);
  const float psi = 215 / gain;
  const Case cases[] = {
      {108, 'p', 0, "0.000000"},  // difference 4 is below the threshold
      {100, 'p', 0, "0.000000"},  // negative difference
      {109, 'p', 5 / gain, "2.325581"},
      {319, 'p', psi, "99.999992"},
      {319, 'b', static_cast<float>(psi / 14.504), "6.894649"},
  };
  for (const Case& c : cases) {
    Storage s("", 1000, 1, false);
    s.SetPressureScaling(104, 2, 15, c.unit);
    s.AddSample(0, c.raw);
    EXPECT_EQ(s.GetPressure()[0], c.expected) << c.raw << c.unit;
    EXPECT_EQ(Printed(s.GetPressure()[0]), c.printed) << c.raw << c.unit;
  }
}

TEST(Storage, ZeroGainGivesZeroPressureNotInfinity) {
  for (char unit : {'p', 'b'}) {
    Storage s("", 1000, 1, false);
    s.SetPressureScaling(0, 0, 0, unit);
    s.AddSample(10, 1023);
    s.AddSample(10, 0);
    EXPECT_EQ(s.GetPressure(), (std::vector<float>{0, 0}));
  }
}

TEST(Storage, AppendSampleLeavesTimeBaseAndVolumeTotal) {
  Storage s("", 1000, 1, false);
  s.AddSample(60, 0);
  s.AppendSample(100, 5, 6, 50);
  s.AddSample(60, 0);
  EXPECT_EQ(s.GetTime(), (std::vector<float>{1, 100, 2}));
  EXPECT_EQ(s.GetVolume(), (std::vector<float>{1, 50, 2}));
  EXPECT_EQ(s.GetAddedSampleCount(), 2);
}

TEST(Storage, SampleAccessAndTotalVolume) {
  Storage s("", 1000, 1, false);
  EXPECT_EQ(s.GetTotalVolume(), 0);
  EXPECT_EQ(s.GetLastSample().time, 0);  // empty: zeros, no read past the series
  s.AppendSample(1, 2, 3, 4);
  s.AppendSample(5, 6, 7, 12.9f);
  EXPECT_EQ(s.GetSample(0).pressure, 3);
  EXPECT_EQ(s.GetLastSample().flow, 6);
  EXPECT_EQ(s.GetSample(2).volume, 0);
  EXPECT_EQ(s.GetSample(-1).volume, 0);
  EXPECT_EQ(s.GetTotalVolume(), 12);

  const float cases[] = {-12.9f, 1e20f, -1e20f, std::numeric_limits<float>::quiet_NaN()};
  const int32_t expected[] = {-12, INT32_MAX, INT32_MIN, 0};
  for (int i = 0; i < 4; ++i) {
    Storage t("", 1000, 1, false);
    t.AppendSample(1, 1, 1, cases[i]);
    EXPECT_EQ(t.GetTotalVolume(), expected[i]) << cases[i];
  }
}

TEST(Storage, CopiesAreIndependent) {
  Storage a = WithFlow({1, 2, 3});
  a.SetTitle("A");
  a.ApplyFilter(true, 1);
  Storage b = a;
  b.SetTitle("B");
  b.ApplyFilter(false, 1);
  EXPECT_EQ(a.GetTitle(), "A");
  EXPECT_TRUE(a.IsFiltered());
  EXPECT_FALSE(b.IsFiltered());
  EXPECT_EQ(b.GetFlow(), a.GetFlowUnfiltered());
  std::vector<Storage> set{a, b, WithFlow({9})};
  set.erase(set.begin() + 1);
  EXPECT_EQ(set[0].GetTitle(), "A");
  EXPECT_EQ(set[1].GetFlow(), (std::vector<float>{9}));
}

TEST(Storage, FilterAveragesInPlace) {
  struct Case {
    int k;
    std::vector<float> in;
    std::vector<float> out;
  };
  const float third = static_cast<float>(4 / 3.0);
  const Case cases[] = {
      {1, {0, 3, 6, 9, 12}, {0, 3, 6, 9, 12}},
      // Windows see the already smoothed left neighbours.
      {1, {0, 0, 3, 0, 0}, {0, 1, third, static_cast<float>(third / 3.0), 0}},
      {2, {5, 5, 10, 5, 5, 5}, {5, 5, 6, static_cast<float>(26 / 5.0), 5, 5}},
      {0, {1, 2, 3}, {1, 2, 3}},
      {3, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},  // n <= 2k: nothing averaged
      {-4, {1, 2, 3}, {1, 2, 3}},                   // a negative width averages nothing
      {1, {}, {}},
  };
  for (const Case& c : cases) {
    Storage s = WithFlow(c.in);
    const std::vector<float> time = s.GetTime();
    s.ApplyFilter(true, c.k);
    EXPECT_TRUE(s.IsFiltered());
    EXPECT_EQ(s.GetFlow(), c.out) << "k=" << c.k;
    EXPECT_EQ(s.GetTime(), time);
    ASSERT_EQ(s.GetPressure().size(), c.out.size());
    for (size_t i = 0; i < c.out.size(); ++i) {
      // Each series is smoothed alone; pressure is 2x flow, so its average is too.
      EXPECT_FLOAT_EQ(s.GetPressure()[i], 2 * c.out[i]);
    }
  }
}

TEST(Storage, FilterOffRestoresExactlyAndOnTwiceFiltersOnce) {
  Storage s("", 700, 0, false);
  s.SetPressureScaling(50, 3, 33, 'p');
  for (int i = 0; i < 50; ++i) s.AddSample((i * 37) % 101, 60 + (i * 13) % 200);
  const Storage original = s;

  s.ApplyFilter(true, 2);
  const std::vector<float> once = s.GetFlow();
  EXPECT_NE(once, original.GetFlow());
  s.ApplyFilter(true, 2);
  s.ApplyFilter(true, 5);
  EXPECT_EQ(s.GetFlow(), once);
  EXPECT_EQ(s.GetFlowUnfiltered(), original.GetFlow());

  s.ApplyFilter(false, 2);
  EXPECT_FALSE(s.IsFiltered());
  EXPECT_TRUE(s.GetFlowUnfiltered().empty());  // the copies are held only while filtered
  EXPECT_EQ(s.GetFlow(), original.GetFlow());
  EXPECT_EQ(s.GetPressure(), original.GetPressure());
  EXPECT_EQ(s.GetVolume(), original.GetVolume());
  s.ApplyFilter(false, 2);  // already off: nothing happens
  EXPECT_EQ(s.GetFlow(), original.GetFlow());
}

TEST(Storage, FilterGivesTheValuesOfTheFullWindowSumBitForBit) {
  std::mt19937 rng(7);
  auto uniform = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  auto series = [&](int n, auto make) {
    std::vector<float> v;
    for (int i = 0; i < n; ++i) v.push_back(make(i));
    return v;
  };
  struct Case {
    const char* what;
    std::vector<float> values;
  };
  const Case cases[] = {
      {"short", {1, 2, 3}},
      {"signed zeros", {-0.0f, 0.0f, -0.0f, -0.0f, 1, -1, -0.0f, 0.0f}},
      {"logger flows", series(5000, [&](int) { return static_cast<float>(rng() % 16384); })},
      {"mostly zero with spikes",
       series(5000, [&](int i) { return i % 700 == 3 ? static_cast<float>(rng() % 500) : 0.0f; })},
      {"signed reals", series(5000, [&](int) { return uniform(-1000, 1000); })},
      {"small reals", series(5000, [&](int) { return uniform(0, 1e-3f); })},
      {"rising volume", series(5000, [&](int i) { return static_cast<float>(i * i * 1e-3 + 1e-7); })},
      {"wild magnitudes",
       series(5000, [&](int) { return std::ldexp(uniform(-1, 1), static_cast<int>(rng() % 120) - 60); })},
      {"subnormal and huge", series(2000, [&](int i) { return i % 3 ? 1e-40f * (i % 7) : 3e38f * (i % 2 ? 1 : -1); })},
      {"nan and infinity",
       series(3000, [&](int i) { return i == 50    ? nan
                                        : i == 900 ? inf
                                        : i == 901 ? -inf
                                                   : uniform(0, 10); })},
  };
  for (const Case& c : cases) {
    for (int k : {0, 1, 2, 3, 10, 100, 999, 1000, 2500}) {
      Storage s("", 100, 1, false);
      std::vector<float> pressure = c.values, volume = c.values;
      std::reverse(pressure.begin(), pressure.end());
      for (float& v : volume) v = v * 0.5f + 1;
      for (size_t i = 0; i < c.values.size(); ++i)
        s.AppendSample(static_cast<float>(i), c.values[i], pressure[i], volume[i]);
      const std::vector<float> time = s.GetTime();
      s.ApplyFilter(true, k);

      std::vector<float> flow = c.values;
      ReferenceSmooth(flow, k);
      ReferenceSmooth(pressure, k);
      ReferenceSmooth(volume, k);
      EXPECT_EQ(Bits(s.GetFlow()), Bits(flow)) << c.what << " k=" << k;
      EXPECT_EQ(Bits(s.GetPressure()), Bits(pressure)) << c.what << " k=" << k;
      EXPECT_EQ(Bits(s.GetVolume()), Bits(volume)) << c.what << " k=" << k;
      EXPECT_EQ(s.GetTime(), time);
    }
  }
}

// Live reading goes on while the filter is on: the samples that arrive meanwhile are kept
// unsmoothed, and switching the filter off keeps them with the rest.
TEST(Storage, SamplesAddedWhileFilteredSurviveSwitchingOff) {
  Storage s("", 100, 1, false);
  s.SetPressureScaling(104, 2, 15, 'p');
  for (int i = 0; i < 20; ++i) s.AddSample(i * 7 % 30, 200 + i);
  const Storage before = s;
  s.ApplyFilter(true, 2);
  const std::vector<float> smoothed = s.GetFlow();
  for (int i = 20; i < 30; ++i) s.AddSample(i * 7 % 30, 200 + i);
  EXPECT_EQ(s.GetSampleCount(), 30);
  EXPECT_EQ(std::vector<float>(s.GetFlow().begin(), s.GetFlow().begin() + 20), smoothed);

  s.ApplyFilter(false, 2);
  Storage unfiltered = before;
  for (int i = 20; i < 30; ++i) unfiltered.AddSample(i * 7 % 30, 200 + i);
  EXPECT_EQ(s.GetTime(), unfiltered.GetTime());
  EXPECT_EQ(s.GetFlow(), unfiltered.GetFlow());
  EXPECT_EQ(s.GetPressure(), unfiltered.GetPressure());
  EXPECT_EQ(s.GetVolume(), unfiltered.GetVolume());
}

// A long recording keeps every sample in order through many rounds of growth, with at most
// an eighth of spare room (plus the thirty-second the next round starts at). Copying or
// filtering it while a larger buffer is half filled keeps the copy's and the filtered values.
TEST(Storage, LongRecordingGrowsInStepsAndKeepsEverySample) {
  Storage s("", 100, 1, false);
  std::optional<Storage> copy;
  std::vector<float> flow;
  size_t filteredAt = 0;
  for (int i = 0; i < 1500000; ++i) {
    const float f = static_cast<float>(i % 9973 * 7919 % 9973);
    s.AppendSample(static_cast<float>(i), f, f + 1, f + 2);
    flow.push_back(f);
    const size_t n = s.GetFlow().size(), room = s.GetFlow().capacity();
    if (n >= SteadyGrowth::STEADY_FROM && n % 1000 == 0) {
      ASSERT_LE(room, n + n / 8 + n / 32) << n;
    }
    // A larger buffer is being filled from a thirty-second before full.
    const bool growing = room >= SteadyGrowth::STEADY_FROM && n >= room - room / 32 + 100;
    if (growing && n > 600000 && !copy) copy = s;
    if (growing && n > 1000000 && !filteredAt) {
      s.ApplyFilter(true, 1);
      filteredAt = n;
    }
  }
  ASSERT_TRUE(copy && filteredAt);
  const size_t copied = static_cast<size_t>(copy->GetSampleCount());
  for (int i = 0; i < 200000; ++i) copy->AppendSample(0, -1, 0, 0);
  EXPECT_EQ(std::vector<float>(copy->GetFlow().begin(), copy->GetFlow().begin() + static_cast<long>(copied)),
            std::vector<float>(flow.begin(), flow.begin() + static_cast<long>(copied)));
  EXPECT_EQ(copy->GetFlow().back(), -1.0f);

  for (size_t i = 0; i < flow.size(); ++i) ASSERT_EQ(s.GetTime()[i], static_cast<float>(i)) << i;
  std::vector<float> expected = flow;
  expected.resize(filteredAt);
  ReferenceSmooth(expected, 1);
  expected.insert(expected.end(), flow.begin() + static_cast<long>(filteredAt), flow.end());
  EXPECT_EQ(s.GetFlow(), expected);
  EXPECT_EQ(s.GetFlowUnfiltered(), flow);
  s.ApplyFilter(false, 1);
  EXPECT_EQ(s.GetFlow(), flow);
}
