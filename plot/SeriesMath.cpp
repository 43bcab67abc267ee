#include "plot/SeriesMath.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

#include "plot/PlotView.h"

namespace plotcore {

namespace {

// Lowest and highest finite value of v[0 .. n); false when there is none. Four at a time: a
// curve loaded from a week's recording passes over millions of values.
bool FiniteRange(const float* v, std::size_t n, float& lo, float& hi) {
  typedef float f4 __attribute__((vector_size(16)));
  const float inf = std::numeric_limits<float>::infinity();
  f4 a = {inf, inf, inf, inf}, b = -a;
  std::size_t k = 0;
  for (; k + 4 <= n; k += 4) {
    f4 x;
    std::memcpy(&x, v + k, sizeof x);
    const auto finite = (x - x) == 0;  // false for NaN and the infinities
    a = (finite & (x < a)) ? x : a;
    b = (finite & (x > b)) ? x : b;
  }
  float l = std::min(std::min(a[0], a[1]), std::min(a[2], a[3]));
  float h = std::max(std::max(b[0], b[1]), std::max(b[2], b[3]));
  for (; k < n; ++k) {
    const float x = v[k];
    if (!std::isfinite(x)) continue;
    l = std::min(l, x);
    h = std::max(h, x);
  }
  lo = l;
  hi = h;
  return l <= h;
}

}  // namespace

void SeriesPoints::Clear() {
  m_ranges.Clear();
  m_xs = m_ys = nullptr;
  m_count = 0;
  m_cursor = 0;
  m_xSorted = true;
  m_haveX = m_haveY = false;
  m_boundMinX = -1.0;
  m_boundMaxX = 1.0;
  m_boundMinY = -1.0;
  m_boundMaxY = 1.0;
}

void SeriesPoints::SetPoints(const std::vector<float>& xs, const std::vector<float>& ys) {
  Clear();
  m_viewing = false;
  m_ownXs.clear();
  m_ownYs.clear();
  ExtendPoints(xs, ys);
}

void SeriesPoints::ExtendPoints(const std::vector<float>& xs, const std::vector<float>& ys) {
  const std::size_t n = std::min(xs.size(), ys.size());
  const std::size_t from = m_count;
  if (m_viewing || n < from) {  // not an extension of our copy: load afresh
    SetPoints(xs, ys);
    return;
  }
  m_ownXs.insert(m_ownXs.end(), xs.begin() + static_cast<std::ptrdiff_t>(from),
                 xs.begin() + static_cast<std::ptrdiff_t>(n));
  m_ownYs.insert(m_ownYs.end(), ys.begin() + static_cast<std::ptrdiff_t>(from),
                 ys.begin() + static_cast<std::ptrdiff_t>(n));
  m_xs = m_ownXs.data();
  m_ys = m_ownYs.data();
  m_count = n;
  Grew(from);
}

void SeriesPoints::ViewPoints(const std::vector<float>& xs, const std::vector<float>& ys) {
  Clear();
  // Nothing of an earlier copy stays held beside the arrays viewed.
  std::vector<float>().swap(m_ownXs);
  std::vector<float>().swap(m_ownYs);
  m_viewing = true;
  ExtendView(xs, ys);
}

void SeriesPoints::ExtendView(const std::vector<float>& xs, const std::vector<float>& ys) {
  const std::size_t n = std::min(xs.size(), ys.size());
  const std::size_t from = m_count;
  if (!m_viewing || n < from) {
    ViewPoints(xs, ys);
    return;
  }
  m_xs = xs.data();
  m_ys = ys.data();
  m_count = n;
  Grew(from);
}

void SeriesPoints::ViewNothing() {
  static const std::vector<float> none;
  ViewPoints(none, none);
}

void SeriesPoints::Grew(std::size_t from) {
  const std::size_t n = m_count;
  if (n <= from) return;
  m_ranges.Grow(m_ys, n);

  // Sortedness of the whole: the old part's, and the new part's including the seam.
  const std::size_t seam = from > 0 ? from - 1 : 0;
  m_xSorted = m_xSorted && IsSorted(m_xs + seam, n - seam);
  const auto widen = [n, from](const float* v, double& lo, double& hi, bool& have) {
    float a, b;
    if (!FiniteRange(v + from, n - from, a, b)) return;
    lo = have ? std::min(lo, static_cast<double>(a)) : a;
    hi = have ? std::max(hi, static_cast<double>(b)) : b;
    have = true;
  };
  widen(m_xs, m_boundMinX, m_boundMaxX, m_haveX);
  widen(m_ys, m_boundMinY, m_boundMaxY, m_haveY);
}

bool SeriesPoints::NextPoint(double& x, double& y) {
  if (m_cursor >= m_count) return false;
  x = m_xs[m_cursor];
  y = m_ys[m_cursor];
  ++m_cursor;
  return true;
}

bool SeriesPoints::PointAt(double& x, double& y, int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_count) return false;
  x = m_xs[static_cast<std::size_t>(index)];
  y = m_ys[static_cast<std::size_t>(index)];
  return true;
}

int SeriesPoints::PointCount() const {
  return m_count > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(m_count);
}

long FindNearest(const float* xs, std::size_t n, double xQuery) {
  long best = -1;
  double bestDist = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double d = std::fabs(xQuery - static_cast<double>(xs[i]));
    if (std::isnan(d)) continue;
    if (best < 0 || d < bestDist) {
      best = static_cast<long>(i);
      bestDist = d;
    }
  }
  return best;
}

long FindNearestSorted(const float* xs, std::size_t n, double xQuery) {
  if (n == 0 || std::isnan(xQuery)) return -1;
  const auto below = [](float x, double q) { return static_cast<double>(x) < q; };
  const std::size_t at = static_cast<std::size_t>(std::lower_bound(xs, xs + n, xQuery, below) - xs);
  std::size_t pick = at;
  if (at == n || (at > 0 && std::fabs(xQuery - static_cast<double>(xs[at - 1])) <=
                                std::fabs(xQuery - static_cast<double>(xs[at])))) {
    // The point before wins ties; of equal x, the first one.
    pick = static_cast<std::size_t>(std::lower_bound(xs, xs + at, static_cast<double>(xs[at - 1]), below) - xs);
  }
  return static_cast<long>(pick);
}

namespace {

// Pixel coordinates stay within this; farther points are clipped along their segment.
constexpr double FAR = 1 << 20;

enum : unsigned { LEFT = 1, RIGHT = 2, TOP = 4, BOTTOM = 8 };

inline unsigned OutCode(double fx, double fy, const ClipBox& c) {
  unsigned code = 0;
  if (fx < c.left) code |= LEFT;
  if (fx > c.right) code |= RIGHT;
  if (fy < c.top) code |= TOP;
  if (fy > c.bottom) code |= BOTTOM;
  return code;
}

inline bool IsFar(double fx, double fy) { return fx < -FAR || fx > FAR || fy < -FAR || fy > FAR; }

// Liang-Barsky against the box [-FAR, FAR]^2; false when the segment misses it.
bool ClipToFar(double& x0, double& y0, double& x1, double& y1) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = x1 - x0, dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 + FAR, FAR - x0, y0 + FAR, FAR - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const double ox = x0, oy = y0;
  x0 = ox + t0 * dx;
  y0 = oy + t0 * dy;
  x1 = ox + t1 * dx;
  y1 = oy + t1 * dy;
  return true;
}

// Turns the pixels of one connected line into segments, a column run at a time.
struct SegmentBuilder {
  explicit SegmentBuilder(std::vector<Segment>& out) : m_out(out) {}

  void Begin(PixelPoint p) {
    m_active = true;
    m_emitted = false;
    m_col = p.x;
    m_min = m_max = m_last = p.y;
  }

  void LineTo(PixelPoint p) {
    if (p.x == m_col) {
      m_min = std::min(m_min, p.y);
      m_max = std::max(m_max, p.y);
      m_last = p.y;
      return;
    }
    NextColumn(p);
  }

  // The current run ends: its span, and the step to the new column.
  void NextColumn(PixelPoint p) {
    if (m_min != m_max) m_out.push_back({{m_col, m_min}, {m_col, m_max}});
    m_out.push_back({{m_col, m_last}, p});
    m_emitted = true;
    m_col = p.x;
    m_min = m_max = m_last = p.y;
  }

  void End() {
    if (!m_active) return;
    if (m_min != m_max) {
      m_out.push_back({{m_col, m_min}, {m_col, m_max}});
      m_emitted = true;
    }
    if (!m_emitted) m_out.push_back({{m_col, m_min}, {m_col, m_min}});
    m_active = false;
  }

  std::vector<Segment>& m_out;
  bool m_active = false, m_emitted = false;
  int m_col = 0, m_min = 0, m_max = 0, m_last = 0;
};

// Widens [lo, hi] over y[0 .. n) and notes a NaN in gap.
template <class T>
inline void WidenRange(const T* y, std::size_t n, T& lo, T& hi, bool& gap) {
  for (std::size_t k = 0; k < n; ++k) {
    const T v = y[k];
    gap |= v != v;
    lo = v < lo ? v : lo;
    hi = v > hi ? v : hi;
  }
}

// Lowest and highest value of y[0 .. n), and whether one is NaN (then lo and hi mean nothing).
template <class T>
inline void ColumnRange(const T* y, std::size_t n, T& lo, T& hi, bool& gap) {
  lo = hi = y[0];
  gap = false;
  WidenRange(y, n, lo, hi, gap);
}

// The same four floats at a time: this is the one pass over the data that every paint makes,
// and the scalar loop runs at a quarter of the speed the memory allows.
template <>
inline void ColumnRange<float>(const float* y, std::size_t n, float& lo, float& hi, bool& gap) {
  typedef float f4 __attribute__((vector_size(16)));
  typedef int i4 __attribute__((vector_size(16)));
  std::size_t k = 0;
  float a = y[0], b = y[0];
  bool g = false;
  if (n >= 8) {
    f4 a0, a1;
    std::memcpy(&a0, y, sizeof a0);
    a1 = a0;
    f4 b0 = a0, b1 = a0;
    i4 g0 = {0, 0, 0, 0}, g1 = g0;
    for (; k + 8 <= n; k += 8) {
      f4 v, w;
      std::memcpy(&v, y + k, sizeof v);
      std::memcpy(&w, y + k + 4, sizeof w);
      g0 |= v != v;
      g1 |= w != w;
      a0 = v < a0 ? v : a0;
      b0 = v > b0 ? v : b0;
      a1 = w < a1 ? w : a1;
      b1 = w > b1 ? w : b1;
    }
    a0 = a1 < a0 ? a1 : a0;
    b0 = b1 > b0 ? b1 : b0;
    g0 |= g1;
    for (int j = 0; j < 4; ++j) {
      a = a0[j] < a ? a0[j] : a;
      b = b0[j] > b ? b0[j] : b;
      g |= g0[j] != 0;
    }
  }
  WidenRange(y + k, n - k, a, b, g);
  lo = a;
  hi = b;
  gap = g;
}

// ColumnRange of ys[i .. end), from the block ranges where whole blocks lie inside.
template <class T>
inline void RangeOf(const T* ys, std::size_t i, std::size_t end, const BlockRanges*, T& lo, T& hi, bool& gap) {
  ColumnRange(ys + i, end - i, lo, hi, gap);
}

template <>
inline void RangeOf<float>(const float* ys, std::size_t i, std::size_t end, const BlockRanges* r, float& lo, float& hi,
                           bool& gap) {
  constexpr std::size_t B = BlockRanges::BLOCK;
  const std::size_t b0 = (i + B - 1) / B;
  const std::size_t b1 = r ? std::min(end / B, r->lo.size()) : 0;
  if (!r || b0 + 2 > b1) {
    ColumnRange(ys + i, end - i, lo, hi, gap);
    return;
  }
  float a = r->lo[b0], b = r->hi[b0];
  bool g = false;
  for (std::size_t k = b0; k < b1; ++k) {
    const float l = r->lo[k], h = r->hi[k];
    g |= l != l;
    a = l < a ? l : a;
    b = h > b ? h : b;
  }
  const auto widen = [&](std::size_t from, std::size_t to) {
    if (from >= to) return;
    float pa, pb;
    bool pg;
    ColumnRange(ys + from, to - from, pa, pb, pg);
    g |= pg;
    a = pa < a ? pa : a;
    b = pb > b ? pb : b;
  };
  widen(i, b0 * B);
  widen(b1 * B, end);
  lo = a;
  hi = b;
  gap = g;
}

inline bool InColumn(double f, int column) {
  return f > -2147483648.0 && f < 2147483648.0 && static_cast<int>(f) == column;
}

// The end of the run of points from i that lie in pixel column `column` (i does), for x that
// never decreases: by doubling steps, then bisection.
template <class FxOf>
std::size_t ColumnEnd(const FxOf& fxOf, std::size_t i, std::size_t n, int column) {
  std::size_t lo = i, hi = i + 1, stride = 1;
  while (hi < n && InColumn(fxOf(hi), column)) {
    lo = hi;
    stride *= 2;
    hi = std::min(n, lo + stride);
  }
  while (hi - lo > 1) {  // lo in the column, hi not (or the end)
    const std::size_t mid = lo + (hi - lo) / 2;
    (InColumn(fxOf(mid), column) ? lo : hi) = mid;
  }
  return hi;
}

template <class T>
void ReduceLineT(const T* xs, const T* ys, std::size_t n, const PixelMapping& map, const ClipBox& clip, bool xSorted,
                 const BlockRanges* ranges, std::vector<Segment>& out) {
  SegmentBuilder line(out);
  bool havePrev = false;
  double px = 0.0, py = 0.0;  // the previous point in pixels, unrounded
  unsigned pcode = 0;
  const double left = clip.left, right = clip.right, top = clip.top, bottom = clip.bottom;
  const double cx = map.centreX, sx = map.pxPerUnitX, cy = map.centreY, sy = map.pxPerUnitY;
  auto fxOf = [&](std::size_t k) { return (static_cast<double>(xs[k]) - cx) * sx; };
  auto fyOf = [&](double y) { return (cy - y) * sy; };

  // One point, every case.
  auto step = [&](std::size_t k) {
    const double fx = fxOf(k), fy = fyOf(static_cast<double>(ys[k]));
    if (!std::isfinite(fx) || !std::isfinite(fy)) {
      line.End();
      havePrev = false;
      pcode = 0;
      return;
    }
    const unsigned code = OutCode(fx, fy, clip);
    if (!havePrev) {
      if (code == 0) line.Begin({ToPixel(fx), ToPixel(fy)});  // a line starts with a dot
    } else if ((pcode & code) != 0) {
      line.End();  // wholly beyond one side: nothing of it shows
    } else if (!IsFar(px, py) && !IsFar(fx, fy)) {
      if (!line.m_active) line.Begin({ToPixel(px), ToPixel(py)});
      line.LineTo({ToPixel(fx), ToPixel(fy)});
    } else {
      // Rare (deep zoom): the segment goes out on its own, clipped, so that no coordinate
      // overflows.
      line.End();
      double x0 = px, y0 = py, x1 = fx, y1 = fy;
      if (ClipToFar(x0, y0, x1, y1)) out.push_back({{ToPixel(x0), ToPixel(y0)}, {ToPixel(x1), ToPixel(y1)}});
    }
    havePrev = true;
    px = fx;
    py = fy;
    pcode = code;
  };

  // With x sorted, the points of one pixel column are found by search and only their y is
  // scanned: a million points cost a few thousand searches and one pass over y.
  const bool byColumn = xSorted && sx > 0;
  std::size_t i = 0;
  while (i < n) {
    if (!(line.m_active && pcode == 0)) {
      step(i++);
      continue;
    }
    if (byColumn) {
      const double f0 = fxOf(i);
      if (!(f0 >= left && f0 <= right)) {
        step(i++);
        continue;
      }
      const int column = static_cast<int>(f0);
      const std::size_t end = ColumnEnd(fxOf, i, n, column);
      T ymin, ymax;
      bool gap;
      RangeOf(ys, i, end, ranges, ymin, ymax, gap);
      const double fa = fyOf(static_cast<double>(ymax)), fb = fyOf(static_cast<double>(ymin));
      const double fyLo = std::min(fa, fb), fyHi = std::max(fa, fb);
      if (!gap && fyLo >= top && fyHi <= bottom) {
        const double fyLast = fyOf(static_cast<double>(ys[end - 1]));
        line.LineTo({column, static_cast<int>(fyOf(static_cast<double>(ys[i])))});
        line.m_min = std::min(line.m_min, static_cast<int>(fyLo));
        line.m_max = std::max(line.m_max, static_cast<int>(fyHi));
        line.m_last = static_cast<int>(fyLast);
        px = fxOf(end - 1);
        py = fyLast;
        i = end;
      } else {
        while (i < end) step(i++);  // leaves the box or has a gap: point by point
      }
      continue;
    }
    // Unsorted: points inside the box continuing a line, with the column run in registers
    // until the column changes.
    int col = line.m_col, mn = line.m_min, mx = line.m_max, last = line.m_last;
    for (; i < n; ++i) {
      const double fx = fxOf(i), fy = fyOf(static_cast<double>(ys[i]));
      if (!(fx >= left && fx <= right && fy >= top && fy <= bottom)) break;  // NaN too
      const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
      px = fx;
      py = fy;
      if (ix == col) {
        mn = std::min(mn, iy);
        mx = std::max(mx, iy);
        last = iy;
        continue;
      }
      line.m_min = mn;
      line.m_max = mx;
      line.m_last = last;
      line.NextColumn({ix, iy});
      col = ix;
      mn = mx = last = iy;
    }
    line.m_min = mn;
    line.m_max = mx;
    line.m_last = last;
    if (i < n) step(i++);
  }
  line.End();
}

// With x sorted, a column at a time: its points mark their rows in a column of bytes without
// a branch each, and the marked pixels are read off top to bottom. The same pixels as the
// general way, in another order.
template <class T>
void ReduceDotsByColumn(const T* xs, const T* ys, std::size_t n, const PixelMapping& map, const ClipBox& clip,
                        std::vector<PixelPoint>& out) {
  const long h = static_cast<long>(clip.bottom) - clip.top + 1;
  static thread_local std::vector<unsigned char> marks;
  marks.assign(static_cast<std::size_t>(h) + 1, 0);  // the last one takes the points outside
  const double cx = map.centreX, sx = map.pxPerUnitX, cy = map.centreY, sy = map.pxPerUnitY;
  const double left = clip.left, right = clip.right, top = clip.top, bottom = clip.bottom;
  const auto fxOf = [&](std::size_t k) { return (static_cast<double>(xs[k]) - cx) * sx; };
  for (std::size_t i = 0; i < n;) {
    const double f0 = fxOf(i);
    if (!(f0 >= left && f0 <= right)) {
      ++i;
      continue;
    }
    const int column = static_cast<int>(f0);
    const std::size_t end = ColumnEnd(fxOf, i, n, column);
    // The rightmost column also holds points just beyond the box's edge (x truncates).
    const bool edge = column == clip.right;
    for (; i < end; ++i) {
      const double fy = (cy - static_cast<double>(ys[i])) * sy;
      const bool inside = fy >= top && fy <= bottom && (!edge || fxOf(i) <= right);
      // Inside the box, so within int range: the cast is ToPixel's. NaN goes to the spare row.
      const long row = inside ? static_cast<long>(static_cast<int>(fy)) - clip.top : h;
      marks[static_cast<std::size_t>(row)] = 1;
    }
    for (long row = 0; row < h; ++row) {
      if (!marks[static_cast<std::size_t>(row)]) continue;
      marks[static_cast<std::size_t>(row)] = 0;
      out.push_back({column, static_cast<int>(clip.top + row)});
    }
  }
}

template <class T>
void ReduceDotsT(const T* xs, const T* ys, std::size_t n, const PixelMapping& map, const ClipBox& clip,
                 std::vector<PixelPoint>& out, bool xSorted) {
  const long w = static_cast<long>(clip.right) - clip.left + 1;
  const long h = static_cast<long>(clip.bottom) - clip.top + 1;
  if (w <= 0 || h <= 0) return;
  if (xSorted && map.pxPerUnitX > 0) {
    ReduceDotsByColumn(xs, ys, n, map, clip, out);
    return;
  }
  // One byte per pixel of the box: each dot is drawn once, in the order first seen.
  const bool useSeen = w * h <= (1L << 26);
  static thread_local std::vector<unsigned char> seen;
  seen.assign(useSeen ? static_cast<std::size_t>(w * h) : 0, 0);
  const double cx = map.centreX, sx = map.pxPerUnitX, cy = map.centreY, sy = map.pxPerUnitY;
  const double left = clip.left, right = clip.right, top = clip.top, bottom = clip.bottom;
  for (std::size_t i = 0; i < n; ++i) {
    const double fx = (static_cast<double>(xs[i]) - cx) * sx;
    const double fy = (cy - static_cast<double>(ys[i])) * sy;
    if (!(fx >= left && fx <= right && fy >= top && fy <= bottom)) continue;  // also drops NaN
    // Inside the box, so within int range: the cast is ToPixel's.
    const PixelPoint p{static_cast<int>(fx), static_cast<int>(fy)};
    if (useSeen) {
      unsigned char& mark = seen[static_cast<std::size_t>((p.y - clip.top) * w + (p.x - clip.left))];
      if (mark) continue;
      mark = 1;
    } else if (!out.empty() && out.back() == p) {
      continue;
    }
    out.push_back(p);
  }
}

}  // namespace

void ReduceLine(const float* xs, const float* ys, std::size_t n, const PixelMapping& map, const ClipBox& clip,
                std::vector<Segment>& out, bool xSorted, const BlockRanges* ranges) {
  ReduceLineT(xs, ys, n, map, clip, xSorted, ranges, out);
}
void ReduceLine(const double* xs, const double* ys, std::size_t n, const PixelMapping& map, const ClipBox& clip,
                std::vector<Segment>& out, bool xSorted) {
  ReduceLineT(xs, ys, n, map, clip, xSorted, static_cast<const BlockRanges*>(nullptr), out);
}

void BlockRanges::Grow(const float* ys, std::size_t n) {
  for (std::size_t k = lo.size(); (k + 1) * BLOCK <= n; ++k) {
    float a, b;
    bool gap;
    ColumnRange(ys + k * BLOCK, BLOCK, a, b, gap);
    lo.push_back(gap ? std::numeric_limits<float>::quiet_NaN() : a);
    hi.push_back(b);
  }
}

bool IsSorted(const float* xs, std::size_t n) {
  if (n > 0 && xs[0] != xs[0]) return false;
  // A chunk at a time without a branch per value, so that the loop runs four values a step.
  for (std::size_t i = 1; i < n;) {
    const std::size_t end = std::min(n, i + 4096);
    bool bad = false;
    for (; i < end; ++i) bad |= !(xs[i - 1] <= xs[i]);  // NaN also ends it
    if (bad) return false;
  }
  return true;
}
void ReduceDots(const float* xs, const float* ys, std::size_t n, const PixelMapping& map, const ClipBox& clip,
                std::vector<PixelPoint>& out, bool xSorted) {
  ReduceDotsT(xs, ys, n, map, clip, out, xSorted);
}
void ReduceDots(const double* xs, const double* ys, std::size_t n, const PixelMapping& map, const ClipBox& clip,
                std::vector<PixelPoint>& out) {
  ReduceDotsT(xs, ys, n, map, clip, out, false);
}

void StampRuns(const std::vector<PixelPoint>& dots, const std::vector<PixelPoint>& stamp, std::vector<PixelRun>& out) {
  if (dots.empty() || stamp.empty()) return;
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  for (const PixelPoint& p : dots) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  int sl = 0, sr = 0, st = 0, sb = 0;
  for (const PixelPoint& o : stamp) {
    sl = std::min(sl, o.x);
    sr = std::max(sr, o.x);
    st = std::min(st, o.y);
    sb = std::max(sb, o.y);
  }
  left += sl;
  top += st;
  const long w = static_cast<long>(right) + sr - left + 1, h = static_cast<long>(bottom) + sb - top + 1;
  std::vector<unsigned char> mask(static_cast<std::size_t>(w * h));
  for (const PixelPoint& p : dots)
    for (const PixelPoint& o : stamp) mask[static_cast<std::size_t>((p.y + o.y - top) * w + (p.x + o.x - left))] = 1;
  for (long y = 0; y < h; ++y) {
    const unsigned char* row = mask.data() + y * w;
    for (long x = 0; x < w;) {
      if (!row[x]) {
        ++x;
        continue;
      }
      const long start = x;
      while (x < w && row[x]) ++x;
      out.push_back({static_cast<int>(left + start), static_cast<int>(top + y), static_cast<int>(x - start)});
    }
  }
}

}  // namespace plotcore
