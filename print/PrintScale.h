// Where the plot goes on paper. Kept apart from the printout so the arithmetic can be
// checked without a printer.
#pragma once

#include <algorithm>

// A rectangle in device units.
struct PrintRect {
  int x = 0, y = 0, w = 0, h = 0;
  constexpr int Right() const { return x + w; }
  constexpr int Bottom() const { return y + h; }
  constexpr bool operator==(const PrintRect&) const = default;
};

// What the printout may draw on: the paper less its margins (given from the paper's edge),
// and never beyond the printable area (the page, whose corner is the origin). Empty when
// the margins leave nothing.
constexpr PrintRect MarginArea(const PrintRect& paper, int pageW, int pageH, int left, int top, int right, int bottom) {
  const int x0 = std::max(paper.x + left, 0), y0 = std::max(paper.y + top, 0);
  const int x1 = std::min(paper.Right() - right, pageW), y1 = std::min(paper.Bottom() - bottom, pageH);
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

// Factor that makes a plot of plotW x plotH pixels as large as fits into an area of
// areaW x areaH device units, keeping its proportions; single precision, as the page is
// mapped with it. 0 when there is nothing to draw or no room.
constexpr float FitScale(int areaW, int areaH, int plotW, int plotH) {
  if (plotW <= 0 || plotH <= 0 || areaW <= 0 || areaH <= 0) return 0.0f;
  return std::min(static_cast<float>(areaW) / static_cast<float>(plotW),
                  static_cast<float>(areaH) / static_cast<float>(plotH));
}
