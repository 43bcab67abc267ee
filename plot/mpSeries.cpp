#include "plot/mpSeries.h"

#include <wx/dc.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/window.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "plot/MeasureEvent.h"
#include "plot/PlotText.h"
#include "plot/PlotView.h"
#include "plot/mpWindow.h"

using plotcore::ToPixel;

wxIMPLEMENT_ABSTRACT_CLASS(mpFXY, mpLayer);
wxIMPLEMENT_ABSTRACT_CLASS(mpFXYVell, mpLayer);
wxIMPLEMENT_DYNAMIC_CLASS(mpFXYVector, mpFXY);
wxIMPLEMENT_DYNAMIC_CLASS(mpFXYVectorVell, mpFXYVell);

// Drawing and measuring shared by the primary- and second-axis series.
struct SeriesPainter {
  static bool FindNearest(mpCurve& s, double xQuery, double& x, double& y) {
    const int n = s.PointCount();
    if (n < 1) return false;
    long best = -1;
    if (const float* xs = s.RawXs()) {
      best = s.RawSorted() ? plotcore::FindNearestSorted(xs, static_cast<std::size_t>(n), xQuery)
                           : plotcore::FindNearest(xs, static_cast<std::size_t>(n), xQuery);
    } else {
      s.ResetCursor();
      double bestDist = 0.0, px, py;
      for (long i = 0; i < n && s.NextPoint(px, py); ++i) {
        const double d = std::fabs(xQuery - px);
        if (std::isnan(d)) continue;
        if (best < 0 || d < bestDist) {
          best = i;
          bestDist = d;
        }
      }
    }
    return best >= 0 && s.PointAt(x, y, static_cast<int>(best));
  }

  static plotcore::PixelMapping Mapping(const mpCurve& s, const mpWindow& w) {
    return s.OnSecondAxis()
               ? plotcore::PixelMapping{w.GetCentreX(), w.GetPxPerUnitX(), w.GetCentreY2(), w.GetPxPerUnitY2()}
               : plotcore::PixelMapping{w.GetCentreX(), w.GetPxPerUnitX(), w.GetCentreY(), w.GetPxPerUnitY()};
  }

  static bool Measuring(const mpCurve& s, const mpWindow& w) {
    return s.OnSecondAxis() ? w.IsPressureMeasuring() : w.IsFlowMeasuring();
  }

  static void Plot(mpCurve& s, wxDC& dc, mpWindow& w) {
    const int W = w.GetPlotWidth(), H = w.GetPlotHeight();
    const bool second = s.OnSecondAxis();
    dc.SetPen(s.m_pen);
    s.ResetCursor();
    {
      wxDCClipper clip(dc, w.GetPlotAreaRect());
      DrawPoints(s, dc, w.GetPlotArea(), Mapping(s, w));
    }
    if (s.m_continuous) {
      const int y = second ? 25 - H / 2 : 10 - H / 2;
      dc.DrawLine(55 - W / 2, y, 75 - W / 2, y);  // colour key
    }
    if (!second) DrawTitles(s, dc, W, H);  // the titles belong to the primary-axis curve
  }

  // The marker where its point is now, and while measuring the grey cross-hair through it,
  // across the plot area.
  static void PlotOverlay(mpCurve& s, wxDC& dc, mpWindow& w) {
    if (!s.m_hasMarker) return;
    const plotcore::PixelMapping map = Mapping(s, w);
    const double fx = (s.m_markerX - map.centreX) * map.pxPerUnitX;
    const double fy = (map.centreY - s.m_markerValue) * map.pxPerUnitY;
    const plotcore::ClipBox area = w.GetPlotArea();
    const auto inside = [](double v, int lo, int hi) { return v >= lo && v <= hi; };  // false for NaN
    wxDCClipper clip(dc, w.GetPlotAreaRect());
    const int px = ToPixel(fx), py = ToPixel(fy);
    if (Measuring(s, w)) {
      dc.SetPen(*wxGREY_PEN);
      if (inside(fx, area.left, area.right)) dc.DrawLine(px, area.top, px, area.bottom + 1);
      if (inside(fy, area.top, area.bottom)) dc.DrawLine(area.left, py, area.right + 1, py);
    }
    if (inside(fx, area.left - 6, area.right + 6) && inside(fy, area.top - 6, area.bottom + 6)) {
      dc.SetPen(wxPen(s.m_pen.GetColour(), 2));
      dc.SetBrush(*wxTRANSPARENT_BRUSH);
      dc.DrawRectangle(px - 5, py - 5, 10, 10);
    }
  }

  static void MeasureAt(mpCurve& s, mpWindow& w, double xQuery) {
    if (!Measuring(s, w)) return;
    double xn, yn;
    if (!FindNearest(s, xQuery, xn, yn)) return;
    s.SetMarker(xn, yn);
    SendMeasure(s, w, s.OnSecondAxis(), xn, yn);
  }

 private:
  // The curve, reduced to what can show at this resolution: the pixels of one line call per
  // point at a few thousand calls, however long the recording. Curves are drawn aliased: the
  // reduced drawing then matches drawing every point pixel for pixel (blended edges of a
  // million overlapping segments cannot be reproduced by fewer), and a dot drawn twice
  // looks like a dot drawn once, which lets point mode draw each pixel once.
  static void DrawPoints(mpCurve& s, wxDC& dc, const plotcore::ClipBox& area, const plotcore::PixelMapping& map) {
    // Segments reaching into the area from just outside still show their ends.
    const plotcore::ClipBox clip = plotcore::Grown(area, std::max(1, s.m_pen.GetWidth()) + 2);

    std::vector<double> gx, gy;  // only for series without raw storage
    const float* xs = s.RawXs();
    const float* ys = s.RawYs();
    const std::size_t n = static_cast<std::size_t>(std::max(0, s.PointCount()));
    if (!xs || !ys) {
      double x, y;
      while (s.NextPoint(x, y)) {
        gx.push_back(x);
        gy.push_back(y);
      }
    }

    wxGraphicsContext* gc = dc.GetGraphicsContext();
    const wxAntialiasMode oldMode = gc ? gc->GetAntialiasMode() : wxANTIALIAS_DEFAULT;
    if (gc) gc->SetAntialiasMode(wxANTIALIAS_NONE);

    if (s.m_continuous) {
      static thread_local std::vector<plotcore::Segment> segments;
      segments.clear();
      if (xs && ys)
        plotcore::ReduceLine(xs, ys, n, map, clip, segments, s.RawSorted(), s.RawRanges());
      else
        plotcore::ReduceLine(gx.data(), gy.data(), gx.size(), map, clip, segments);
      StrokeSegments(dc, gc, segments, s.m_pen);
    } else {
      static thread_local std::vector<plotcore::PixelPoint> dots;
      dots.clear();
      if (xs && ys)
        plotcore::ReduceDots(xs, ys, n, map, clip, dots, s.RawSorted());
      else
        plotcore::ReduceDots(gx.data(), gy.data(), gx.size(), map, clip, dots);
      DrawDots(dc, gc, dots, s.m_pen);
    }
    if (gc) gc->SetAntialiasMode(oldMode);
  }

  // A dot is what one point call (a one-pixel square in the pen's colour) or, for a wider
  // pen, one zero-length line call draws. A call per dot costs a draw each, a hundred thousand
  // of them at a million samples. Aliased, each call covers the same pixels around its point
  // (the stamp, taken once from a real call), so the dots' pixels are filled at once as rows,
  // the same pixels in the same colour. A scaled DC (the printout) draws a dot differently and
  // takes the calls.
  static void DrawDots(wxDC& dc, wxGraphicsContext* gc, const std::vector<plotcore::PixelPoint>& dots,
                       const wxPen& pen) {
    const bool wide = pen.GetWidth() > 1;
    double scaleX = 1, scaleY = 1, logicalX = 1, logicalY = 1;
    dc.GetUserScale(&scaleX, &scaleY);
    dc.GetLogicalScale(&logicalX, &logicalY);
    const std::vector<plotcore::PixelPoint>* stamp =
        gc && scaleX == 1 && scaleY == 1 && logicalX == 1 && logicalY == 1 ? &DotStamp(pen) : nullptr;
    if (!stamp || stamp->empty()) {
      for (const plotcore::PixelPoint& p : dots) {
        if (wide)
          dc.DrawLine(p.x, p.y, p.x, p.y);
        else
          dc.DrawPoint(p.x, p.y);
      }
      return;
    }
    static thread_local std::vector<plotcore::PixelRun> runs;
    runs.clear();
    plotcore::StampRuns(dots, *stamp, runs);
    const wxBrush oldBrush = dc.GetBrush();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(pen.GetColour()));
    wxGraphicsPath path = gc->CreatePath();
    for (const plotcore::PixelRun& r : runs) path.AddRectangle(r.x, r.y, r.length, 1);
    gc->FillPath(path);
    dc.SetBrush(oldBrush);
    dc.SetPen(pen);
  }

  // The pixels one aliased dot call of this pen covers, relative to its point, by drawing one
  // into a small bitmap; kept per pen shape.
  static const std::vector<plotcore::PixelPoint>& DotStamp(const wxPen& pen) {
    static std::map<std::tuple<int, int, int>, std::vector<plotcore::PixelPoint>> stamps;
    const int width = std::max(1, pen.GetWidth());
    const auto key = std::make_tuple(width, static_cast<int>(pen.GetCap()), static_cast<int>(pen.GetStyle()));
    const auto known = stamps.find(key);
    if (known != stamps.end()) return known->second;
    std::vector<plotcore::PixelPoint>& stamp = stamps[key];
    const int r = width + 2, size = 2 * r + 1;
    wxBitmap bmp(size, size, 24);
    {
      wxMemoryDC mdc(bmp);
      mdc.SetBackground(*wxWHITE_BRUSH);
      mdc.Clear();
      wxGraphicsContext* g = mdc.GetGraphicsContext();
      if (!g) return stamp;  // no stamp: the caller draws call by call
      g->SetAntialiasMode(wxANTIALIAS_NONE);
      wxPen black(pen);
      black.SetColour(*wxBLACK);
      mdc.SetPen(black);
      if (width > 1)
        mdc.DrawLine(r, r, r, r);
      else
        mdc.DrawPoint(r, r);
    }
    const wxImage img = bmp.ConvertToImage();
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        if (img.GetRed(x, y) < 128) stamp.push_back({x - r, y - r});
    return stamp;
  }

  // Strokes that cross each other come out a little differently when they share one path
  // (their overlap is filled as one shape), so only segments lying well apart in x share a
  // path: the pixels stay those of separate line calls, at a fraction of the per-stroke cost.
  static void StrokeSegments(wxDC& dc, wxGraphicsContext* gc, const std::vector<plotcore::Segment>& segments,
                             const wxPen& pen) {
    if (!gc) {
      for (const plotcore::Segment& g : segments) dc.DrawLine(g.a.x, g.a.y, g.b.x, g.b.y);
      return;
    }
    const int penWidth = pen.GetWidth();
    // A vertical stroke one or two pixels wide with round caps covers a rectangle of pixels
    // exactly (two wide, its caps reach one row beyond each end; one wide, none), and a
    // rectangle fills at a fraction of what a stroke costs to build: the column spans, half
    // of a dense curve's segments, go as rectangles.
    const bool spansAsRectangles =
        (penWidth == 1 || penWidth == 2) && pen.GetStyle() == wxPENSTYLE_SOLID && pen.GetCap() == wxCAP_ROUND;
    if (spansAsRectangles) {
      const wxBrush oldBrush = dc.GetBrush();
      dc.SetPen(*wxTRANSPARENT_PEN);
      dc.SetBrush(wxBrush(pen.GetColour()));
      for (const plotcore::Segment& g : segments) {
        if (g.a.x != g.b.x) continue;
        const int top = std::min(g.a.y, g.b.y), bottom = std::max(g.a.y, g.b.y);
        if (penWidth == 2)
          dc.DrawRectangle(g.a.x - 1, top - 1, 2, bottom - top + 2);
        else
          dc.DrawRectangle(g.a.x, top, 1, bottom - top + 1);
      }
      dc.SetBrush(oldBrush);
      dc.SetPen(pen);
    }
    constexpr std::size_t MAX_PATHS = 32;
    const int reach = std::max(1, penWidth) / 2 + 2;
    struct Batch {
      int right;
      wxGraphicsPath path;
    };
    std::vector<Batch> batches;
    for (const plotcore::Segment& g : segments) {
      if (spansAsRectangles && g.a.x == g.b.x) continue;
      const int lo = std::min(g.a.x, g.b.x) - reach, hi = std::max(g.a.x, g.b.x) + reach;
      Batch* fit = nullptr;
      for (Batch& b : batches)
        if (b.right < lo) {
          fit = &b;
          break;
        }
      if (!fit) {
        if (batches.size() == MAX_PATHS) {
          dc.DrawLine(g.a.x, g.a.y, g.b.x, g.b.y);
          continue;
        }
        batches.push_back({hi, gc->CreatePath()});
        fit = &batches.back();
      }
      fit->right = hi;
      fit->path.MoveToPoint(g.a.x, g.a.y);
      fit->path.AddLineToPoint(g.b.x, g.b.y);
    }
    for (Batch& b : batches) gc->StrokePath(b.path);
  }

  // A text wider than maxWidth in the font selected, shortened with an ellipsis.
  static wxString Shortened(wxDC& dc, const wxString& text, int maxWidth) {
    if (dc.GetTextExtent(text).x <= maxWidth) return text;
    const wxString dots = wxString::FromUTF8("\xE2\x80\xA6");
    const auto start = [&](std::size_t n) { return wxString(text.Left(n)).Trim(true) + dots; };
    const std::size_t n =
        plotcore::FittingLength(text.length(), maxWidth, [&](std::size_t k) { return dc.GetTextExtent(start(k)).x; });
    return n > 0 || dc.GetTextExtent(dots).x <= maxWidth ? start(n) : wxString();
  }

  // Title and subtitle centred at the top keep clear of the colour keys and headings in the
  // top-left corner (up to 160 pixels from the left edge), on both sides so they stay centred;
  // longer ones are shortened with an ellipsis (the list keeps the whole text).
  static void DrawTitles(mpCurve& s, wxDC& dc, int W, int H) {
    if (s.m_name.empty()) return;
    const bool centred = (s.m_titleAlign & 3) == 0;
    const int maxWidth = std::max(0, centred ? W - 300 : W - 16);
    s.m_font.SetPointSize(11);
    dc.SetFont(s.m_font);
    const wxString title = Shortened(dc, s.m_name, maxWidth);
    wxCoord tw, th;
    dc.GetTextExtent(title, &tw, &th);
    switch (s.m_titleAlign & 3) {
      case 0:
        dc.DrawText(title, 10 - tw / 2, 6 - H / 2);
        break;
      case 1:
        dc.DrawText(title, 8 - W / 2, 6 - H / 2);
        break;
      case 2:
        dc.DrawText(title, 8 - W / 2, H / 2 - th - 6);
        break;
      default:
        dc.DrawText(title, W / 2 - tw - 8, H / 2 - th - 6);
        break;
    }
    const int titleBottom = 6 - H / 2 + th;
    if (!s.m_subtitle.empty()) {
      s.m_font.SetPointSize(10);
      dc.SetFont(s.m_font);
      const wxString subtitle = Shortened(dc, s.m_subtitle, maxWidth);
      // Centred on its width in the title's font, as it always was.
      s.m_font.SetPointSize(11);
      dc.SetFont(s.m_font);
      dc.GetTextExtent(subtitle, &tw, &th);
      s.m_font.SetPointSize(10);
      dc.SetFont(s.m_font);
      // Under a title centred at the top, start where the title ends so the lines do not touch.
      const int y = centred ? std::max(20 - H / 2, titleBottom) : 20 - H / 2;
      dc.DrawText(subtitle, 10 - tw / 2, y);
    }
    if (!s.m_footnote.empty()) {
      dc.GetTextExtent(s.m_footnote, &tw, &th);
      s.m_font.SetPointSize(8);
      dc.SetFont(s.m_font);
      dc.DrawText(Shortened(dc, s.m_footnote, std::max(0, W - 68)), 60 - W / 2, H / 2 - th);
    }
  }

  // "x y" from a left-axis curve; "y x" from the right-hand one, whose value comes first.
  static void SendMeasure(mpCurve& s, mpWindow& w, bool second, double xn, double yn) {
    wxCommandEvent event(MeasureEvent, wxID_ANY);
    event.SetEventObject(&s);
    event.SetInt(second ? 2 : 1);
    const std::string x = plotcore::FormatFixed6(xn), y = plotcore::FormatFixed6(yn);
    event.SetString(wxString::FromUTF8((second ? y + " " + x : x + " " + y).c_str()));
    wxWindow* target = w.GetParent() ? w.GetParent() : &w;
    target->GetEventHandler()->ProcessEvent(event);
  }
};

mpCurve::mpCurve(const wxString& name, int titleAlign) : m_titleAlign(titleAlign) {
  m_name = name;
  m_layerType = mpLAYER_PLOT;
  m_hasMarker = false;
}

bool mpCurve::FindNearest(double xQuery, double& x, double& y) {
  return SeriesPainter::FindNearest(*this, xQuery, x, y);
}

void mpCurve::SetMarker(double x, double y) {
  m_markerX = x;
  m_markerValue = y;
  m_hasMarker = true;
}

void mpCurve::RefreshMarker() {
  double x, y;
  if (m_hasMarker && FindNearest(m_markerX, x, y)) SetMarker(x, y);
}

void mpCurve::MeasureAt(mpWindow& w, double x) { SeriesPainter::MeasureAt(*this, w, x); }

void mpCurve::PlotOverlay(wxDC& dc, mpWindow& w) { SeriesPainter::PlotOverlay(*this, dc, w); }

mpFXY::mpFXY(const wxString& name, int titleAlign) : mpCurve(name, titleAlign) {}

void mpFXY::Plot(wxDC& dc, mpWindow& w) { SeriesPainter::Plot(*this, dc, w); }

mpFXYVell::mpFXYVell(const wxString& name, int titleAlign) : mpCurve(name, titleAlign) {}

void mpFXYVell::Plot(wxDC& dc, mpWindow& w) { SeriesPainter::Plot(*this, dc, w); }

mpFXYVector::mpFXYVector(const wxString& name, int titleAlign) : mpVectorCurve(name, titleAlign) {}
mpFXYVector::~mpFXYVector() = default;

mpFXYVectorVell::mpFXYVectorVell(const wxString& name, int titleAlign) : mpVectorCurve(name, titleAlign) {}
mpFXYVectorVell::~mpFXYVectorVell() = default;
