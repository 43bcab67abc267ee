// How much the plot is enlarged on paper. Kept apart from the printout so the arithmetic can
// be checked without a printer.
#pragma once

// Factor that makes a plot `plotWidth` pixels wide fill `pageWidth` device units, in single
// precision as the page is mapped with it. 0 when the plot has no width: nothing to draw.
constexpr float PrintScale(int pageWidth, int plotWidth) {
  if (plotWidth <= 0 || pageWidth <= 0) return 0.0f;
  return static_cast<float>(pageWidth) / static_cast<float>(plotWidth);
}
