#include "plot/PlotText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace plotcore {

TickStep ComputeTickStep(double pxPerUnit) {
  TickStep t;
  t.n = std::floor(std::log(128.0 / pxPerUnit) / LN10);
  // exp(n ln 10) lands a few units in the last place off the power of ten (10.000000000000002),
  // and summing such steps gives values like 9.999999999999996 that a time label truncates to
  // "00:09". Exact powers of ten (correctly rounded below 1) keep every tick on its multiple.
  const double p = std::pow(10.0, std::fabs(t.n));
  t.step = t.n >= 0 ? p : 1.0 / p;
  return t;
}

std::vector<double> TickValues(double pxPerUnit, double centre, int halfExtent) {
  std::vector<double> values;
  if (!(pxPerUnit > 0) || !std::isfinite(pxPerUnit) || !std::isfinite(centre)) return values;
  const TickStep t = ComputeTickStep(pxPerUnit);
  if (!(t.step > 0) || !std::isfinite(t.step)) return values;
  // Each value is its multiple k of the step computed afresh (k * 10^n, or k / 10^-n), so
  // whole multiples come out exact instead of carrying the rounding of a running sum.
  const double power = std::pow(10.0, std::fabs(t.n));
  if (!std::isfinite(power) || power == 0) return values;
  auto valueAt = [&](double k) { return t.n >= 0 ? k * power : k / power; };
  const double kFirst = std::floor((centre - halfExtent / pxPerUnit) / t.step);
  const double end = centre + halfExtent / pxPerUnit;
  // A step covers more than 12.8 pixels, so the extent holds a bounded number of them.
  const long limit = 2L * (halfExtent > 0 ? halfExtent : 0) / 12 + 4;
  for (double k = kFirst; static_cast<long>(values.size()) < limit; k += 1) {
    const double v = valueAt(k);
    if (!(v < end)) break;
    if (!values.empty() && !(v > values.back())) break;  // step lost in the value's precision
    values.push_back(v);
  }
  return values;
}

std::string FormatClock(double seconds) {
  if (!std::isfinite(seconds)) return std::string();
  double s = std::fmod(std::trunc(seconds), 86400.0);
  if (s < 0) s += 86400.0;
  const long total = static_cast<long>(s);
  const int h = static_cast<int>(total / 3600);
  const int m = static_cast<int>(total / 60 % 60);
  const int sec = static_cast<int>(total % 60);
  char buf[16];
  if (h == 0)
    std::snprintf(buf, sizeof buf, "%02d:%02d", m, sec);
  else
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, m, sec);
  return buf;
}

namespace {
std::string Fixed(double v, int decimals) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) {
    // Only huge values get here; they still need some text.
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
  }
  return std::string(buf, r.ptr);
}
}  // namespace

std::string FormatPrimaryY(double v, double n) { return Fixed(v, n < 1 ? 1 : 0); }

std::string FormatSecondY(double v) { return Fixed(v, 1); }

bool XLabelSpacing::Accept(int p, int textWidth) {
  if ((p - textWidth / 2) - lastRight > 64) {
    lastRight = p + textWidth / 2;
    return true;
  }
  return false;
}

bool YLabelSpacing::Accept(int p, int textHeight) {
  if (textHeight / 2 + lastTop - p > 32) {
    lastTop = p - textHeight / 2;
    return true;
  }
  return false;
}

std::string FormatLegendValue(double v) { return " " + Fixed(v, v < 30 ? 2 : 0) + " "; }

int WidenLegendBox(int boxWidth, int textWidth) {
  return boxWidth <= textWidth + 20 ? textWidth + 25 : boxWidth;
}

std::string FormatFixed6(double v) { return Fixed(v, 6); }

}  // namespace plotcore
