#include "LcdLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lcd {

namespace {

struct CharMask {
  char32_t ch;
  std::uint8_t mask;
};

constexpr CharMask CHARACTER_TABLE[] = {
    {U'0', 0x3F}, {U'1', 0x14}, {U'2', 0x6D}, {U'3', 0x75}, {U'4', 0x56}, {U'5', 0x73},
    {U'6', 0x7B}, {U'7', 0x15}, {U'8', 0x7F}, {U'9', 0x77}, {U' ', 0x00}, {U'-', 0x40},
    {U'r', 0x48}, {U'o', 0x78}, {U'^', 0x47}, {U'A', 0x5F}, {U'B', 0x7A}, {U'C', 0x2B},
    {U'D', 0x7C}, {U'E', 0x6B}, {U'F', 0x4B}, {U'H', 0x5E},
};

constexpr int SECONDS_PER_DAY = 24 * 60 * 60;

}  // namespace

std::uint8_t SegmentsFor(char32_t ch) {
  for (const auto& entry : CHARACTER_TABLE)
    if (entry.ch == ch) return entry.mask;
  return 0;
}

int ClampDigitCount(int n) { return std::clamp(n, 0, MAX_DIGIT_COUNT); }

std::vector<Cell> LayoutCells(std::u32string_view text, int cellCount) {
  // Give every decimal point a character of its own in front: "1..2" -> "1. .2".
  std::u32string s;
  s.reserve(text.size() * 2);
  for (char32_t ch : text) {
    if (ch == U'.' && !s.empty() && s.back() == U'.') s.push_back(U' ');
    s.push_back(ch);
  }

  const int n = ClampDigitCount(cellCount);
  std::vector<Cell> cells;
  cells.reserve(static_cast<std::size_t>(n));
  const auto at = [&s](std::ptrdiff_t j) -> char32_t {
    return j >= 0 && j < static_cast<std::ptrdiff_t>(s.size()) ? s[static_cast<std::size_t>(j)]
                                                               : U' ';
  };
  // Walk from the last character leftwards. Past the start the cells are blank, but the blank
  // just left of the text still takes a leading point (".5" shows as a blank with its point).
  for (std::ptrdiff_t j = static_cast<std::ptrdiff_t>(s.size()) - 1;
       static_cast<int>(cells.size()) < n; --j) {
    const char32_t ch = at(j);
    if (ch == U'.' && j >= 0) continue;
    cells.push_back(Cell{ch, at(j + 1) == U'.'});
  }
  return cells;
}

Polygon Geometry::SegmentPolygon(int bit) const {
  const int L = segmentLength;
  const int W = segmentThickness;
  const int h = W / 2;
  switch (bit) {
    case 0:  // top
      return {{{{0, 0}, {L, 0}, {L - W, W}, {W, W}}}, 4};
    case 1:  // upper left
      return {{{{0, 0}, {0, L}, {W, L - h}, {W, W}}}, 4};
    case 2:  // upper right
      return {{{{L - W, W}, {L, 0}, {L, L}, {L - W, L - h}}}, 4};
    case 3:  // lower left
      return {{{{0, L}, {0, 2 * L}, {W, 2 * L - W}, {W, L + W - h}}}, 4};
    case 4:  // lower right
      return {{{{L - W, L + h}, {L, L}, {L, 2 * L}, {L - W, 2 * L - W}}}, 4};
    case 5:  // bottom
      return {{{{W, 2 * L - W}, {L - W, 2 * L - W}, {L, 2 * L}, {0, 2 * L}}}, 4};
    case 6:  // middle
      return {{{{0, L},
                {W, L - h},
                {L - W, L - h},
                {L, L},
                {L - W, L - h + W},
                {W, L - h + W}}},
              6};
    default:
      return {};
  }
}

Rect Geometry::DecimalPointBox() const {
  const int L = segmentLength;
  const int W = segmentThickness;
  return {L + 1, 2 * L - W, W, W};
}

std::array<Rect, 2> Geometry::ColonBoxes() const {
  const int L = segmentLength;
  const int W = segmentThickness;
  const int inset = L / 2 - W;
  return {Rect{inset, inset, 2 * W, 2 * W}, Rect{inset, inset + L, 2 * W, 2 * W}};
}

Fit FitToWindow(int width, int height, int drawingWidth, int drawingHeight) {
  Fit fit;
  if (width <= 0 || height <= 0 || drawingWidth <= 0 || drawingHeight <= 0) return fit;
  const double sx = static_cast<double>(width) / drawingWidth;
  const double sy = static_cast<double>(height) / drawingHeight;
  fit.scale = std::min(sx, sy);
  fit.originX = static_cast<int>((width - fit.scale * drawingWidth) * 0.5);
  fit.originY = static_cast<int>((height - fit.scale * drawingHeight) * 0.5);
  fit.valid = true;
  return fit;
}

std::string ElapsedText(double seconds) {
  int secs = 0;
  // Anything that is not a real, non-negative span would make the cast below undefined or
  // show a nonsense time of day; treat it as the start.
  if (std::isfinite(seconds) && seconds > 0)
    secs = static_cast<int>(std::fmod(std::trunc(seconds), SECONDS_PER_DAY));
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", secs / 3600, secs / 60 % 60, secs % 60);
  return buf;
}

}  // namespace lcd
