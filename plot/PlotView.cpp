#include "plot/PlotView.h"

#include <climits>
#include <cmath>

namespace plotcore {

int ToPixel(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

ClipBox WholeWindow(int W, int H) { return {-(W / 2), -(H / 2), W - W / 2 - 1, H - H / 2 - 1}; }

ClipBox Grown(const ClipBox& box, int margin) {
  return {box.left - margin, box.top - margin, box.right + margin, box.bottom + margin};
}

bool CollectBounds(ViewState& v, const std::vector<LayerBounds>& bounded) {
  bool first = true;
  for (const LayerBounds& b : bounded) {
    if (first) {
      v.m_minX = b.minX;
      v.m_maxX = b.maxX;
      v.m_minY = b.minY;
      v.m_maxY = b.maxY;
      first = false;
    } else {
      v.m_minY2 = b.minY;
      v.m_maxY2 = b.maxY;
    }
  }
  return !first;
}

void FitView(ViewState& v, int clientW, int clientH) {
  // Margins of 50 px left and right, 40 px top and bottom. A window smaller than the margins
  // keeps a 1-pixel plot area: a zero or negative scale would flip the plot or divide by zero.
  const double w = clientW - 100 > 0 ? clientW - 100 : 1;
  const double h = clientH - 80 > 0 ? clientH - 80 : 1;
  if (v.m_maxX - v.m_minX != 0) {
    v.m_pxPerUnitX = w / (v.m_maxX - v.m_minX);
    v.m_centreX = v.m_minX + (v.m_maxX - v.m_minX) * 0.5;
  }
  if (v.m_maxY - v.m_minY != 0) {
    v.m_pxPerUnitY = h / (v.m_maxY - v.m_minY);
    v.m_centreY = v.m_minY + (v.m_maxY - v.m_minY) * 0.5;
    if (v.m_maxY2 - v.m_minY2 != 0) {
      v.m_pxPerUnitY2 = h / (v.m_maxY2 - v.m_minY2);
      v.m_centreY2 = v.m_minY2 + (v.m_maxY2 - v.m_minY2) * 0.5;
    }
  }
  if (v.m_aspectLock) LockAspect(v);
}

namespace {
// Zooming stops where a scale would overflow to infinity or underflow to zero.
void ScaleBy(double& s, double f) {
  const double r = s * f;
  if (std::isfinite(r) && r != 0.0) s = r;
}
}  // namespace

// The right-hand axis zooms with the primary one, about the same middle row, so a value on
// either axis stays on the row where it was.
void ZoomIn(ViewState& v) {
  ScaleBy(v.m_pxPerUnitX, 1.1);
  ScaleBy(v.m_pxPerUnitY, 1.1);
  ScaleBy(v.m_pxPerUnitY2, 1.1);
}

void ZoomOut(ViewState& v) {
  ScaleBy(v.m_pxPerUnitX, 1.0 / 1.1);
  ScaleBy(v.m_pxPerUnitY, 1.0 / 1.1);
  ScaleBy(v.m_pxPerUnitY2, 1.0 / 1.1);
}

void LockAspect(ViewState& v) {
  const double mean = (v.m_pxPerUnitX + v.m_pxPerUnitY) * 0.5;
  ScaleBy(v.m_pxPerUnitY2, mean / v.m_pxPerUnitY);
  v.m_pxPerUnitX = v.m_pxPerUnitY = mean;
}

void MoveYTo(ViewState& v, double centreY) {
  v.m_centreY2 += (centreY - v.m_centreY) * v.m_pxPerUnitY / v.m_pxPerUnitY2;
  v.m_centreY = centreY;
}

void KeepRangeOnResize(ViewState& v, int oldW, int oldH, int newW, int newH) {
  // The extents inside the margins FitView keeps, at least a pixel.
  const auto inner = [](int size, int margins) { return size - margins > 0 ? size - margins : 1; };
  const double fx = static_cast<double>(inner(newW, 100)) / inner(oldW, 100);
  const double fy = static_cast<double>(inner(newH, 80)) / inner(oldH, 80);
  ScaleBy(v.m_pxPerUnitX, fx);
  ScaleBy(v.m_pxPerUnitY, fy);
  ScaleBy(v.m_pxPerUnitY2, fy);
}

namespace {
// Scroll bar sizes stay within what the toolkit can hold.
int ScrollValue(double d) {
  constexpr double LIMIT = 1e9;
  if (std::isnan(d)) return 0;
  if (d > LIMIT) d = LIMIT;
  if (d < -LIMIT) d = -LIMIT;
  return static_cast<int>(d);
}
}  // namespace

ScrollbarSetup ComputeScrollbars(const ViewState& v, int clientW, int clientH) {
  ScrollbarSetup s;
  s.virtualW = ScrollValue((v.m_maxX - v.m_minX) * v.m_pxPerUnitX);
  s.virtualH = ScrollValue((v.m_maxY - v.m_minY) * v.m_pxPerUnitY);
  s.posX = ScrollValue(v.m_pxPerUnitX * (v.m_centreX - v.m_minX) - clientW / 2);
  s.posY = ScrollValue((v.m_maxY - v.m_centreY) * v.m_pxPerUnitY - clientH / 2);
  return s;
}

double CentreXFromScroll(const ViewState& v, int clientW, int viewStartX) {
  return v.m_minX + (clientW / 2 + viewStartX) / v.m_pxPerUnitX;
}

double CentreYFromScroll(const ViewState& v, int clientH, int viewStartY) {
  return v.m_maxY - (clientH / 2 + viewStartY) / v.m_pxPerUnitY;
}

namespace {
// Pan and wheel steps are rounded to single precision. Through a volatile, because GCC 12's
// SLP vectoriser drops a plain static_cast<float> when two such steps sit side by side.
double Single(double v) {
  volatile float f = static_cast<float>(v);
  return f;
}
}  // namespace

void PanBy(ViewState& v, int dx, int dy) {
  v.m_centreX += Single(dx / v.m_pxPerUnitX);
  v.m_centreY += Single(-dy / v.m_pxPerUnitY);
  v.m_centreY2 -= dy / v.m_pxPerUnitY2;
}

void WheelScroll(ViewState& v, int rotation, bool shift) {
  const double change = -rotation;
  if (shift) {
    v.m_centreX += Single(change / v.m_pxPerUnitX);
  } else {
    v.m_centreY -= Single(change / v.m_pxPerUnitY);
    v.m_centreY2 -= change / v.m_pxPerUnitY2;
  }
}

void CentreOnPixel(ViewState& v, int px, int py, int clientW, int clientH) {
  v.m_centreX += (px - clientW / 2) / v.m_pxPerUnitX;
  v.m_centreY += (clientH / 2 - py) / v.m_pxPerUnitY;
  v.m_centreY2 += (clientH / 2 - py) / v.m_pxPerUnitY2;
}

}  // namespace plotcore
