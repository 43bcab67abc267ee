// View arithmetic of the plot window: scales, centres, fitting, zooming, panning and the
// scroll bar layout. No wx here, so all of it is tested without a display.
#pragma once

#include <vector>

namespace plotcore {

// (int)v for every value an int can hold; values beyond are clamped and NaN gives 0, so a
// wild zoom or a broken value never turns into undefined behaviour.
int ToPixel(double v);

// A box of pixels relative to the window centre, edges included.
struct ClipBox {
  int left, top, right, bottom;
};

// The whole of a window of W x H pixels.
ClipBox WholeWindow(int W, int H);
// The box grown by `margin` pixels on every side.
ClipBox Grown(const ClipBox& box, int margin);

// The window's view. The plot window inherits it, so these are its own members.
struct ViewState {
  double m_minX = 0.0, m_maxX = 0.0, m_minY = 0.0, m_maxY = 0.0;
  double m_minY2 = 0.0, m_maxY2 = 0.0;
  double m_pxPerUnitX = 1.0, m_pxPerUnitY = 1.0, m_pxPerUnitY2 = 1.0;
  double m_centreX = 150.0, m_centreY = 100.0, m_centreY2 = 0.0;
  bool m_aspectLock = false;
};

struct LayerBounds {
  double minX, maxX, minY, maxY;
};

// The first bounded layer sets the x and primary y bounds, the last further one the second
// axis' y bounds. Returns whether there was any.
bool CollectBounds(ViewState& v, const std::vector<LayerBounds>& bounded);

// Fits the collected bounds into a client area of w x h with the plot margins.
void FitView(ViewState& v, int clientW, int clientH);

// Everything that moves or scales the primary y axis moves or scales the right-hand one by
// the same pixels and the same factor: each keeps its own value range, and a curve stays where
// its own axis says.
void ZoomIn(ViewState& v);
void ZoomOut(ViewState& v);
// The x and primary y scales become their mean (the right-hand scale follows the primary).
void LockAspect(ViewState& v);
// A new primary centre; the right-hand centre moves by the same pixels.
void MoveYTo(ViewState& v, double centreY);

// The window went from oldW x oldH to newW x newH pixels: the scales change so that the data
// range shown inside the fit margins stays the same (a fitted view stays fitted); the
// centres stay.
void KeepRangeOnResize(ViewState& v, int oldW, int oldH, int newW, int newH);

struct ScrollbarSetup {
  int virtualW, virtualH, posX, posY;
};
ScrollbarSetup ComputeScrollbars(const ViewState& v, int clientW, int clientH);

// New centres after the scroll bar moved to a view start.
double CentreXFromScroll(const ViewState& v, int clientW, int viewStartX);
double CentreYFromScroll(const ViewState& v, int clientH, int viewStartY);

// Grab-and-drag: the pointer moved by (-dx, -dy) pixels with the right button down.
void PanBy(ViewState& v, int dx, int dy);
// Wheel without Ctrl: vertical, or horizontal with Shift.
void WheelScroll(ViewState& v, int rotation, bool shift);
// Moves the pixel (px, py), counted from the top-left corner, to the middle.
void CentreOnPixel(ViewState& v, int px, int py, int clientW, int clientH);

}  // namespace plotcore
