#include "plot/PlotText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "plot/PlotView.h"

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
  const double whole = std::trunc(std::fabs(seconds));
  const char* sign = seconds <= -1.0 ? "-" : "";
  const double h = std::floor(whole / 3600);
  const int m = static_cast<int>(std::fmod(whole, 3600.0) / 60);
  const int sec = static_cast<int>(std::fmod(whole, 60.0));
  char buf[48];
  if (h == 0)
    std::snprintf(buf, sizeof buf, "%s%02d:%02d", sign, m, sec);
  else
    std::snprintf(buf, sizeof buf, "%s%02.0f:%02d:%02d", sign, h, m, sec);
  return buf;
}

double TimeTickStep(double pxPerSecond, int labelWidth) {
  if (!(pxPerSecond > 0) || !std::isfinite(pxPerSecond)) return 0.0;
  // Neighbouring ticks lie step * scale pixels apart, one less after truncation; their labels
  // need the label width plus more than 64 pixels between them.
  const double needed = std::max(labelWidth, 0) + 66.0;
  static const double STEPS[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200};
  for (double step : STEPS)
    if (step * pxPerSecond >= needed) return step;
  // Whole days beyond; none beyond a million years, where a clock means nothing.
  for (double days = 1; days < 1e8; days *= 10)
    for (double k : {1.0, 2.0, 5.0})
      if (86400.0 * days * k * pxPerSecond >= needed) return 86400.0 * days * k;
  return 0.0;
}

std::vector<TimeTick> TimeTicks(double pxPerSecond, double centre, int width, bool reserveRight, int shortWidth,
                                int longWidth) {
  std::vector<TimeTick> ticks;
  if (!(pxPerSecond > 0) || !std::isfinite(pxPerSecond) || !std::isfinite(centre)) return ticks;
  const int half = width / 2;
  const double end = centre + half / pxPerSecond;
  const double step = TimeTickStep(pxPerSecond, end >= 3600 ? longWidth : shortWidth);
  // Beyond 2^53 steps whole multiples of the step are no longer apart in a double.
  if (!(step > 0) || !(std::fabs(end) / step < 9e15)) return ticks;
  const double first = std::max(0.0, std::ceil((centre - half / pxPerSecond) / step));
  // Ticks lie more than 64 pixels apart, so the width bounds their number.
  const long limit = width / 64 + 3;
  double last = -1.0;
  for (long i = 0; i < limit; ++i) {
    const double v = (first + static_cast<double>(i)) * step;
    if (!(v < end) || !(v > last)) break;  // past the edge, or the step lost in the precision
    last = v;
    const int p = ToPixel((v - centre) * pxPerSecond);
    // The leftmost 50 pixels belong to the y axis, the rightmost 50 to a right-hand one.
    if (p > 50 - half && (p < half - 50 || !reserveRight)) ticks.push_back({v, p});
  }
  return ticks;
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

int WidenLegendBox(int boxWidth, int textWidth) { return boxWidth <= textWidth + 20 ? textWidth + 25 : boxWidth; }

std::size_t FittingLength(std::size_t length, int maxWidth, const std::function<int(std::size_t)>& widthWithEllipsis) {
  std::size_t lo = 0, hi = length;  // widthWithEllipsis(lo) fits, or lo is 0; hi is too many
  if (length == 0 || widthWithEllipsis(0) > maxWidth) return 0;
  while (hi - lo > 1) {
    const std::size_t mid = lo + (hi - lo) / 2;
    (widthWithEllipsis(mid) <= maxWidth ? lo : hi) = mid;
  }
  return lo;
}

std::string FormatFixed6(double v) { return Fixed(v, 6); }

}  // namespace plotcore
