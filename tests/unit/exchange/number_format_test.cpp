#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

#include "NumberFormat.h"

namespace {

std::string Fixed(float v, int decimals) {
  char buf[FIXED_MAX_CHARS];
  return std::string(buf, FormatFixed(buf, v, decimals));
}

std::string Printf(float v, int decimals) {
  char buf[128];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, static_cast<double>(v));
  return buf;
}

}  // namespace

TEST(NumberFormat, FixedMatchesPrintfOnHardValues) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const float values[] = {
      0.0f,       -0.0f,     0.5f,      1.5f,    2.5f,         -2.5f,       0.125f, 0.375f,
      -0.005f,    0.995f,    9.995f,    99.5f,   1e-7f,        -1e-7f,      5e-7f,  4.9999e-7f,
      0.4999999f, FLT_MAX,   -FLT_MAX,  FLT_MIN, FLT_TRUE_MIN, 16777216.0f, 1e19f,  1.8446744e19f,
      3e25f,      6.894649f, 0.416667f, nan,     -nan,         inf,         -inf};
  for (float v : values)
    for (int d : {0, 1, 2, 6, 9}) EXPECT_EQ(Fixed(v, d), Printf(v, d)) << v << " %." << d;
}

TEST(NumberFormat, FixedMatchesPrintfOnRandomBitPatterns) {
  std::mt19937 rng(12345);
  int compared = 0;
  for (int i = 0; i < 200000; ++i) {
    const float v = std::bit_cast<float>(static_cast<uint32_t>(rng()));
    if (!std::isfinite(v)) continue;
    for (int d : {0, 2, 6}) {
      const std::string a = Fixed(v, d), b = Printf(v, d);
      ASSERT_EQ(a, b) << std::bit_cast<uint32_t>(v) << " %." << d;
    }
    ++compared;
  }
  // And the range the files really hold: plain magnitudes with few significant digits.
  std::uniform_real_distribution<float> plain(-20000.0f, 20000.0f);
  for (int i = 0; i < 100000; ++i) {
    const float v = plain(rng);
    for (int d : {0, 2, 6}) ASSERT_EQ(Fixed(v, d), Printf(v, d)) << v << " %." << d;
  }
  EXPECT_GT(compared, 100000);
}

TEST(NumberFormat, IntsAndParsing) {
  char buf[INT_MAX_CHARS];
  for (int32_t v : {0, -1, 430000, INT32_MIN, INT32_MAX})
    EXPECT_EQ(std::string(buf, FormatInt(buf, v)), std::to_string(v));

  struct IntCase {
    const char* text;
    bool ok;
    int32_t value;
  };
  const IntCase ints[] = {{"430000", true, 430000}, {"-3", true, -3},
                          {"+7", true, 7},          {"2147483647", true, INT32_MAX},
                          {"2147483648", false, 0}, {"-2147483649", false, 0},
                          {"", false, 0},           {"12x", false, 0},
                          {"1.0", false, 0},        {"+-1", false, 0},
                          {"+", false, 0},          {"-", false, 0},
                          {"0x10", false, 0}};
  for (const IntCase& c : ints) {
    int32_t v = 0;
    EXPECT_EQ(ParseInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }

  struct FloatCase {
    const char* text;
    size_t used;
  };
  const FloatCase floats[] = {{"1.000000", 8}, {"-0.5 rest", 4}, {"+2.5", 4}, {"1e3", 3},
                              {"nan", 3},      {"-inf", 4},      {"", 0},     {"abc", 0},
                              {"+-1", 0},      {"1e50", 0},      {".5", 2}};
  for (const FloatCase& c : floats) {
    float v;
    EXPECT_EQ(ParseFloat(c.text, v), c.used) << c.text;
  }
}

TEST(NumberFormat, ParseFloatRoundsAsStrtof) {
  // Exactly on and just beside midpoints between two floats.
  for (const char* text :
       {"16777217.000000", "16777217.000001", "16777216.999999", "16777219.000000",
        "-33554434.000000", "0.000000", "-0.000000", "1.00000005960464477539", "9007199254740993.5",
        "5.", "-.25", "123456789012345678901234.5"}) {
    float mine;
    ASSERT_GT(ParseFloat(text, mine), 0u) << text;
    const float ref = std::strtof(text, nullptr);
    EXPECT_EQ(std::bit_cast<uint32_t>(mine), std::bit_cast<uint32_t>(ref)) << text;
  }
  std::mt19937 rng(99);
  std::uniform_real_distribution<double> dist(-1e6, 1e6);
  char buf[64];
  for (int i = 0; i < 100000; ++i) {
    const double d = dist(rng);
    // Six decimals, as the files hold them, and more digits than a float keeps.
    for (const char* fmt : {"%f", "%.12f", "%.9e"}) {
      std::snprintf(buf, sizeof buf, fmt, d);
      float mine;
      ASSERT_GT(ParseFloat(buf, mine), 0u) << buf;
      const float ref = std::strtof(buf, nullptr);
      ASSERT_EQ(std::bit_cast<uint32_t>(mine), std::bit_cast<uint32_t>(ref)) << buf;
    }
  }
}
