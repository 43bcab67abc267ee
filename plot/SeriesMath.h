// The points of a series, the nearest-point search of measuring, and the reduction that
// turns a long series into the few pixels worth drawing.
#pragma once

#include <cstddef>
#include <vector>

#include "plot/PlotView.h"

namespace plotcore {

// Lowest and highest y of each whole block of BLOCK points (NaN as the lowest when the block
// holds one): a pixel column spanning many blocks reads two values a block instead of every
// point, which keeps the paint of a week of samples short. A few bytes per thousand points.
struct BlockRanges {
  static constexpr std::size_t BLOCK = 256;
  std::vector<float> lo, hi;
  void Clear() {
    lo.clear();
    hi.clear();
  }
  // Summarises the whole blocks of ys[0 .. n) not summarised yet; the earlier ones must not
  // have changed.
  void Grow(const float* ys, std::size_t n);
};

// Points of the vector-backed series; the series classes inherit it. The points are read
// through m_xs / m_ys (m_count of them): either the series' own copy (SetPoints) or the
// caller's arrays (ViewPoints), which a long recording needs: a copy would double its memory
// and cost a pass over it whenever it grows.
struct SeriesPoints {
  const float* m_xs = nullptr;
  const float* m_ys = nullptr;
  std::size_t m_count = 0;
  unsigned int m_cursor = 0;
  double m_boundMinX = -1.0, m_boundMaxX = 1.0, m_boundMinY = -1.0, m_boundMaxY = 1.0;
  bool m_xSorted = true;                  // x never decreases (and has no NaN): drawing may search columns
  bool m_haveX = false, m_haveY = false;  // the bounds come from data
  BlockRanges m_ranges;                   // of the y values

  // Copies the points. Vectors of unequal length are cut to the shorter one, so no point is
  // ever read past the end of y. Bounds cover the finite values only (a NaN or infinity from a
  // damaged file must not wreck the fit); without any they are (-1, 1, -1, 1).
  void SetPoints(const std::vector<float>& xs, const std::vector<float>& ys);
  // Takes the points beyond those already held, for data that only grew (a live recording):
  // the caller vouches that the first PointCount() points are unchanged. Shorter data loads
  // afresh.
  void ExtendPoints(const std::vector<float>& xs, const std::vector<float>& ys);
  // Reads the caller's arrays instead of copying them, with the same cut and bounds as
  // SetPoints. They must stay where they are, unchanged, until the next ViewPoints,
  // ExtendView, SetPoints or ViewNothing: whoever changes or frees them views them (or
  // nothing) again before anything draws. Temporaries would be gone at once, so they are
  // refused.
  void ViewPoints(const std::vector<float>& xs, const std::vector<float>& ys);
  void ViewPoints(std::vector<float>&&, const std::vector<float>&) = delete;
  void ViewPoints(const std::vector<float>&, std::vector<float>&&) = delete;
  void ViewPoints(std::vector<float>&&, std::vector<float>&&) = delete;
  // The viewed arrays only grew (and may have moved to a new buffer): the caller vouches that
  // the first PointCount() values are unchanged. Only the new points are looked at; shorter
  // data is viewed afresh.
  void ExtendView(const std::vector<float>& xs, const std::vector<float>& ys);
  void ExtendView(std::vector<float>&&, const std::vector<float>&) = delete;
  void ExtendView(const std::vector<float>&, std::vector<float>&&) = delete;
  void ExtendView(std::vector<float>&&, std::vector<float>&&) = delete;
  // No points, and nothing of the caller's is read any more.
  void ViewNothing();
  bool IsView() const { return m_viewing; }
  void ResetCursor() { m_cursor = 0; }
  bool NextPoint(double& x, double& y);
  // False for an index outside 0 .. count-1; the outputs are left alone then.
  bool PointAt(double& x, double& y, int index) const;
  int PointCount() const;

 private:
  void Clear();
  // Widens the bounds and sortedness by the points from .. m_count-1.
  void Grew(std::size_t from);

  std::vector<float> m_ownXs, m_ownYs;  // the copy SetPoints takes
  bool m_viewing = false;
};

// Index of the point whose x lies nearest to xQuery, the earlier one on ties; -1 when there is
// none (no points, or no finite x).
long FindNearest(const float* xs, std::size_t n, double xQuery);
// The same for x that never decreases and holds no NaN (see IsSorted), by bisection.
long FindNearestSorted(const float* xs, std::size_t n, double xQuery);

// World to pixel as the window maps it: px = (int)((x - centreX) * pxPerUnitX),
// py = (int)((centreY - y) * pxPerUnitY), relative to the window centre.
struct PixelMapping {
  double centreX, pxPerUnitX, centreY, pxPerUnitY;
};

struct PixelPoint {
  int x, y;
  bool operator==(const PixelPoint&) const = default;
};

// A line from a to b in pixels; a == b is a dot.
struct Segment {
  PixelPoint a, b;
  bool operator==(const Segment&) const = default;
};

// The connected line through all points, reduced to segments that cover the same pixels: per
// run of consecutive points in one pixel column, one vertical segment from the lowest to the
// highest pixel (every segment inside a column is vertical, so it covers them all), and one
// segment from each run's last pixel to the next run's first. Segments lying wholly beyond one
// side of the clip box are left out; a non-finite point breaks the line; a line of one pixel
// is a dot. Far-away points are clipped along their segment so that no coordinate overflows.
// Drawn as separate segments this gives the pixels of one line call per point; joined into a
// polyline it would not quite, because joins are drawn differently from line caps.
// xSorted: x never decreases, which lets the points of a column be found by search.
// ranges: the block ranges of ys, if known.
void ReduceLine(const float* xs, const float* ys, std::size_t n, const PixelMapping& map, const ClipBox& clip,
                std::vector<Segment>& out, bool xSorted = false, const BlockRanges* ranges = nullptr);
void ReduceLine(const double* xs, const double* ys, std::size_t n, const PixelMapping& map, const ClipBox& clip,
                std::vector<Segment>& out, bool xSorted = false);

// Whether x never decreases and holds no NaN.
bool IsSorted(const float* xs, std::size_t n);

// The pixels of the points inside the clip box, each once (drawing a dot twice changes
// nothing), in the order first seen; with xSorted (see IsSorted) column by column instead.
void ReduceDots(const float* xs, const float* ys, std::size_t n, const PixelMapping& map, const ClipBox& clip,
                std::vector<PixelPoint>& out, bool xSorted = false);
void ReduceDots(const double* xs, const double* ys, std::size_t n, const PixelMapping& map, const ClipBox& clip,
                std::vector<PixelPoint>& out);

// A row of pixels: length of them from (x, y) to the right.
struct PixelRun {
  int x, y, length;
  bool operator==(const PixelRun&) const = default;
};

// The pixels covered by a stamp (offsets from its point) at each dot, as non-overlapping runs
// row by row: what drawing the stamp at every dot covers, to be filled at once.
void StampRuns(const std::vector<PixelPoint>& dots, const std::vector<PixelPoint>& stamp, std::vector<PixelRun>& out);

}  // namespace plotcore
