// Seven-segment LCD layout without any window code: which character and decimal point each
// cell shows, where the segments of a cell lie in drawing units, how the drawing is fitted
// into a window, and the elapsed-time text of the clock display.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lcd {

// Segment bits: 0 top, 1 upper left, 2 upper right, 3 lower left, 4 lower right, 5 bottom,
// 6 middle. Bit 7 stands for the decimal point when a caller draws it like a segment.
constexpr int SEGMENT_COUNT = 7;
constexpr int DECIMAL_POINT = 7;

// Largest number of cells a display accepts; keeps the drawing arithmetic far from overflow
// and a paint from looping over a silly number of cells.
constexpr int MAX_DIGIT_COUNT = 64;

// Lit segment bits of ch; 0 for every character the display cannot show (":" and "." are
// handled by the layout, not by this table). Case-sensitive.
std::uint8_t SegmentsFor(char32_t ch);

// What one cell shows.
struct Cell {
  char32_t ch = U' ';  // ':' draws a colon; anything else draws SegmentsFor(ch)
  bool point = false;  // decimal point right of the cell
  bool operator==(const Cell&) const = default;
};

// Cells for text on a display of cellCount cells, index 0 being the rightmost cell.
// Points attach to the character before them (".." gets a blank between the points);
// text left of the leftmost cell is dropped, cells left of the text are blank.
std::vector<Cell> LayoutCells(std::u32string_view text, int cellCount);

// A cell count the display can draw: negative counts become 0, large ones MAX_DIGIT_COUNT.
int ClampDigitCount(int n);

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

// Up to six corners; only the first count are used.
struct Polygon {
  std::array<Point, 6> points{};
  int count = 0;
};

// Cell geometry in drawing units. L segment length, W thickness, S gap, N cells.
struct Geometry {
  int segmentLength = 40;
  int segmentThickness = 11;
  int gap = 5;
  int digitCount = 5;

  int CellWidth() const { return segmentLength + segmentThickness + gap; }
  int CellHeight() const { return 2 * (segmentLength + gap); }
  int DrawingWidth() const { return CellWidth() * digitCount + gap; }
  // Left edge of cell i counted from the right (0 = rightmost); every cell's top is at gap.
  int CellLeft(int i) const { return DrawingWidth() - CellWidth() * (i + 1); }
  int CellTop() const { return gap; }

  // Corners of segment bit (0..6) relative to the cell's top-left corner.
  Polygon SegmentPolygon(int bit) const;
  // Bounding boxes relative to the cell's top-left corner.
  Rect DecimalPointBox() const;
  std::array<Rect, 2> ColonBoxes() const;
};

// Uniform scale and device origin that fit a drawing of drawingWidth x drawingHeight units
// into a window of width x height pixels, centred. valid is false when nothing can be drawn
// (an empty window or drawing).
struct Fit {
  double scale = 0.0;
  int originX = 0;
  int originY = 0;
  bool valid = false;
};
Fit FitToWindow(int width, int height, int drawingWidth, int drawingHeight);

// "HH:MM:SS" of a span of seconds, truncated to whole seconds and wrapped at 24 hours.
// Negative, NaN and infinite spans show as 00:00:00.
std::string ElapsedText(double seconds);

}  // namespace lcd
