// Tick steps and the texts the axes and the legend draw, with their spacing rules.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace plotcore {

constexpr double LN10 = 2.302585092994046;

// Power-of-ten step: one step spans more than 12.8 and at most 128 pixels.
struct TickStep {
  double n;     // the exponent
  double step;  // 10^n
};
TickStep ComputeTickStep(double pxPerUnit);

// The values v = first, first + step, ... below centre + half / scale, where first is the
// step multiple at or below the left (lower) edge. Empty when the scale gives no usable step;
// never more values than the half extent allows, so no scale can make this loop forever.
std::vector<double> TickValues(double pxPerUnit, double centre, int halfExtent);

// Elapsed whole seconds as a clock: "%M:%S" within the first hour, "%H:%M:%S" after. The
// hours count on past a day (24:00:00, 27:00:00), so no two times of a long recording read
// the same; negative values get a minus sign. Empty for NaN/infinity.
std::string FormatClock(double seconds);

// The time axis: ticks at steps a clock reader counts in (1, 2, 5, 10, 15, 30 s; the same in
// minutes; 1, 2, 3, 6, 12 h; then whole days), the smallest step whose labels keep more than
// 64 pixels apart, so every tick gets its label. The ticks depend on the view alone: the same
// view always gets the same ticks, and panning never changes which multiples are labelled.
double TimeTickStep(double pxPerSecond, int labelWidth);

struct TimeTick {
  double seconds;
  int px;  // relative to the window centre
};
// Ticks of a time axis `width` pixels wide: none at negative times (before a recording
// starts), none in the leftmost 50 pixels, nor in the rightmost 50 with `reserveRight`.
// Labels are `shortWidth` pixels wide ("mm:ss"), or `longWidth` ("hh:mm:ss") when the view
// reaches an hour.
std::vector<TimeTick> TimeTicks(double pxPerSecond, double centre, int width, bool reserveRight, int shortWidth,
                                int longWidth);

// Y axis labels: the primary axis shows a decimal only for steps below 10, the second
// axis always one.
std::string FormatPrimaryY(double v, double n);
std::string FormatSecondY(double v);

// Time labels keep more than 64 pixels between a label's left edge and the right edge of the
// last one drawn; a skipped label does not move that edge.
struct XLabelSpacing {
  int lastRight = -65535;
  bool Accept(int p, int textWidth);
};

// Y labels keep more than 32 pixels between their tops.
struct YLabelSpacing {
  int lastTop = 65536;
  bool Accept(int p, int textHeight);
};

// Legend value: two decimals below 30, none from 30 up.
std::string FormatLegendValue(double v);
// The box grows to text + 25 when it is not wider than text + 20.
int WidenLegendBox(int boxWidth, int textWidth);

// How many characters of a text of `length` to keep, with an ellipsis after them, to fit
// `maxWidth`: the most for which widthWithEllipsis(n) still fits (widths grow with n). 0 when
// not even the ellipsis alone fits.
std::size_t FittingLength(std::size_t length, int maxWidth, const std::function<int(std::size_t)>& widthWithEllipsis);

// "%f"-style number with a point whatever the locale (the measure event carries these).
std::string FormatFixed6(double v);

}  // namespace plotcore
