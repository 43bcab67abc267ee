// Seven-segment layout: text to cells, cell geometry, fitting into a window, elapsed time.
#include "LcdLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

// Cells as they read from left to right: each cell's character, then "." if its point is lit.
std::string Shown(std::u32string_view text, int cellCount) {
  const auto cells = lcd::LayoutCells(text, cellCount);
  std::string out;
  for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
    out += it->ch < 0x80 ? static_cast<char>(it->ch) : '?';
    if (it->point) out += '.';
  }
  return out;
}

TEST(LcdLayout, TextToCells) {
  struct Case {
    std::u32string text;
    int cells;
    std::string shown;
  };
  const Case cases[] = {
      {U"12.5", 6, "   12.5"},
      {U"0", 6, "     0"},
      {U"0.0", 6, "    0.0"},
      {U"-3.2", 6, "   -3.2"},
      {U"", 3, "   "},
      // every point gets its own character in front
      {U"1..2", 6, "   1. .2"},
      {U"...", 4, "  . . ."},
      {U"1.2.", 3, " 1.2."},
      // a leading point lights the blank before the text
      {U".5", 3, "  .5"},
      // too long: the last N characters, points not counted
      {U"123456789", 5, "56789"},
      {U"1234.5678", 5, "4.5678"},
      {U"12.5", 1, "5"},
      // colons take cells of their own
      {U"00:01:05", 8, "00:01:05"},
      {U"00:00:00", 7, "0:00:00"},
      // no cells at all
      {U"12.5", 0, ""},
      {U"12.5", -3, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()) + " in " + std::to_string(c.cells));
    EXPECT_EQ(Shown(c.text, c.cells), c.shown);
  }
}

TEST(LcdLayout, UnknownCharactersShowEmptyCells) {
  // Lookup is case-sensitive; only "r" and "o" exist in lower case.
  for (char32_t ch : {U'b', U'h', U'x', U'a', U'R', U':', U'.', U'\0', U'\u00B0', U'\U0001F600'})
    EXPECT_EQ(lcd::SegmentsFor(ch), 0) << static_cast<unsigned>(ch);
  EXPECT_EQ(lcd::SegmentsFor(U'8'), 0x7F);
  EXPECT_EQ(lcd::SegmentsFor(U'1'), 0x14);
  EXPECT_EQ(lcd::SegmentsFor(U'-'), 0x40);
  EXPECT_EQ(lcd::SegmentsFor(U'r'), 0x48);
  EXPECT_EQ(lcd::SegmentsFor(U'o'), 0x78);
  EXPECT_EQ(lcd::SegmentsFor(U'^'), 0x47);
  EXPECT_EQ(lcd::SegmentsFor(U'H'), 0x5E);

  // An unknown character still takes its cell, and keeps a following point.
  const auto cells = lcd::LayoutCells(U"Err.x", 4);
  ASSERT_EQ(cells.size(), 4u);
  EXPECT_EQ(cells[0], (lcd::Cell{U'x', false}));
  EXPECT_EQ(cells[1], (lcd::Cell{U'r', true}));
  EXPECT_EQ(cells[3], (lcd::Cell{U'E', false}));
}

TEST(LcdLayout, DigitCountIsBounded) {
  EXPECT_EQ(lcd::LayoutCells(U"1", 1000000).size(), static_cast<size_t>(lcd::MAX_DIGIT_COUNT));
  EXPECT_EQ(lcd::LayoutCells(U"1", std::numeric_limits<int>::max()).size(),
            static_cast<size_t>(lcd::MAX_DIGIT_COUNT));
  EXPECT_EQ(lcd::ClampDigitCount(-1), 0);
  EXPECT_EQ(lcd::ClampDigitCount(7), 7);
}

TEST(LcdGeometry, CellsAndSegments) {
  lcd::Geometry g;  // L 40, W 11, S 5, N 5
  EXPECT_EQ(g.CellWidth(), 56);
  EXPECT_EQ(g.CellHeight(), 90);
  EXPECT_EQ(g.DrawingWidth(), 285);
  EXPECT_EQ(g.CellLeft(0), 229);
  EXPECT_EQ(g.CellLeft(4), 5);  // leftmost cell keeps the outer margin
  EXPECT_EQ(g.CellTop(), 5);
  g.digitCount = 6;
  EXPECT_EQ(g.DrawingWidth(), 341);

  // h = W / 2 truncated: 5 for the default thickness 11.
  const lcd::Polygon middle = g.SegmentPolygon(6);
  ASSERT_EQ(middle.count, 6);
  const lcd::Point expectedMiddle[] = {{0, 40}, {11, 35}, {29, 35}, {40, 40}, {29, 46}, {11, 46}};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(middle.points[k], expectedMiddle[k]) << k;
  EXPECT_EQ(g.SegmentPolygon(4).points[0], (lcd::Point{29, 45}));
  EXPECT_EQ(g.SegmentPolygon(3).points[3], (lcd::Point{11, 46}));
  EXPECT_EQ(g.SegmentPolygon(7).count, 0);

  // Every segment lies inside the glyph box L x 2L; the point sits between the lower right
  // segment and the next cell; the colon is centred on the glyph.
  for (int bit = 0; bit < lcd::SEGMENT_COUNT; ++bit) {
    const lcd::Polygon p = g.SegmentPolygon(bit);
    EXPECT_GE(p.count, 4) << bit;
    for (int k = 0; k < p.count; ++k) {
      EXPECT_TRUE(p.points[k].x >= 0 && p.points[k].x <= 40) << bit;
      EXPECT_TRUE(p.points[k].y >= 0 && p.points[k].y <= 80) << bit;
    }
  }
  EXPECT_EQ(g.DecimalPointBox(), (lcd::Rect{41, 69, 11, 11}));
  EXPECT_LE(g.DecimalPointBox().x + g.DecimalPointBox().width, g.CellWidth());
  const auto colon = g.ColonBoxes();
  EXPECT_EQ(colon[0], (lcd::Rect{9, 9, 22, 22}));
  EXPECT_EQ(colon[1], (lcd::Rect{9, 49, 22, 22}));
}

TEST(LcdGeometry, FitsAndCentresInWindow) {
  // Exact fit.
  lcd::Fit f = lcd::FitToWindow(285, 90, 285, 90);
  ASSERT_TRUE(f.valid);
  EXPECT_DOUBLE_EQ(f.scale, 1.0);
  EXPECT_EQ(f.originX, 0);
  EXPECT_EQ(f.originY, 0);

  // Twice as wide as high: height decides, drawing centred horizontally.
  const int w = 2 * 117 + 2 * 90;  // wider than the drawing's own 117:90 ratio
  f = lcd::FitToWindow(w, w / 2, 117, 90);
  ASSERT_TRUE(f.valid);
  EXPECT_DOUBLE_EQ(f.scale, (w / 2) / 90.0);
  EXPECT_EQ(f.originY, 0);
  const double right = w - (f.originX + f.scale * 117);
  EXPECT_NEAR(f.originX, right, 1.0);
  EXPECT_GT(f.originX, 0);

  // Tall window: width decides, centred vertically.
  f = lcd::FitToWindow(100, 400, 285, 90);
  EXPECT_DOUBLE_EQ(f.scale, 100.0 / 285);
  EXPECT_EQ(f.originX, 0);
  EXPECT_EQ(f.originY, 184);

  // The flow readout: 100 x 40 pixels, 6 cells; offsets truncate toward zero (6.8 -> 6).
  f = lcd::FitToWindow(100, 40, 341, 90);
  EXPECT_EQ(f.originX, 0);
  EXPECT_EQ(f.originY, 6);

  // Nothing to draw into or nothing to draw.
  EXPECT_FALSE(lcd::FitToWindow(0, 40, 285, 90).valid);
  EXPECT_FALSE(lcd::FitToWindow(100, -1, 285, 90).valid);
  EXPECT_FALSE(lcd::FitToWindow(100, 40, 0, 90).valid);
}

TEST(LcdClock, ElapsedText) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double seconds;
    const char* text;
  } cases[] = {
      {0, "00:00:00"},
      {65, "00:01:05"},
      {65.99, "00:01:05"},  // truncated, not rounded
      {3599.999, "00:59:59"},
      {90061, "01:01:01"},
      {86399, "23:59:59"},
      {86400, "00:00:00"},  // a day wraps to midnight
      {25 * 3600, "01:00:00"},
      {1e12, "01:46:40"},  // far beyond int range: still wraps
      {3e38, nullptr},
      {-0.5, "00:00:00"},
      {-65, "00:00:00"},
      {std::nan(""), "00:00:00"},
      {inf, "00:00:00"},
      {-inf, "00:00:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    const std::string text = lcd::ElapsedText(c.seconds);
    if (c.text) {
      EXPECT_EQ(text, c.text);
    } else {
      ASSERT_EQ(text.size(), 8u);
      EXPECT_EQ(text[2], ':');
      EXPECT_EQ(text[5], ':');
      EXPECT_LE(text, "23:59:59");
    }
  }
  // Start of a live recording on the 7-cell clock: the leading hour digit falls off.
  const std::string t = lcd::ElapsedText(0);
  EXPECT_EQ(Shown(std::u32string(t.begin(), t.end()), 7), "0:00:00");
}

}  // namespace
