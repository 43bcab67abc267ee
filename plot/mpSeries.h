// Series layers. mpFXY draws against the x and primary y scales and carries the plot's title,
// subtitle and footnote; mpFXYVell draws against the second (right-hand) y scale. Both measure
// at the window's measuring column when their measuring mode is on and report the point with
// a MeasureEvent to the plot window's parent.
#pragma once

#include <vector>

#include "plot/SeriesMath.h"
#include "plot/mpLayer.h"

struct SeriesPainter;

// What both kinds of curve share: a point source, nearest-point search and the marker.
class mpCurve : public mpLayer {
 public:
  // titleAlign (low two bits): 0 centred at the top, 1 top left, 2 bottom left, 3 bottom right.
  explicit mpCurve(const wxString& name, int titleAlign);

  virtual void ResetCursor() = 0;
  virtual bool NextPoint(double& x, double& y) = 0;
  virtual bool PointAt(double& x, double& y, int index) = 0;
  virtual int PointCount() = 0;

  // The point whose x is nearest to xQuery (the earlier one on ties); false without points.
  bool FindNearest(double xQuery, double& x, double& y);

  // The marker is held in data coordinates, so it sits on its point after any zoom, pan or
  // resize; new points (the filter switched on or off) give it the value now at its x.
  void SetMarker(double x, double y);
  double GetMarkerX() const { return m_markerX; }
  void RefreshMarker();

  void MeasureAt(mpWindow& w, double x) override;
  void PlotOverlay(wxDC& dc, mpWindow& w) override;

  int GetTitleAlign() const { return m_titleAlign; }
  void SetTitleAlign(int align) { m_titleAlign = align; }

 protected:
  // Raw storage for the fast paths; null when a subclass only offers the cursor interface.
  virtual const float* RawXs() const { return nullptr; }
  virtual const float* RawYs() const { return nullptr; }
  virtual bool RawSorted() const { return false; }
  virtual const plotcore::BlockRanges* RawRanges() const { return nullptr; }
  // Drawn against the right-hand y scale.
  virtual bool OnSecondAxis() const = 0;

  int m_titleAlign;
  double m_markerX = 0.0;

  friend struct SeriesPainter;
};

// Drawn against the x and primary y scales; carries the titles.
class mpFXY : public mpCurve {
 public:
  explicit mpFXY(const wxString& name = wxEmptyString, int titleAlign = 0);
  void Plot(wxDC& dc, mpWindow& w) override;

 protected:
  bool OnSecondAxis() const override { return false; }

  wxDECLARE_ABSTRACT_CLASS(mpFXY);
};

// Drawn against the second (right-hand) y scale.
class mpFXYVell : public mpCurve {
 public:
  explicit mpFXYVell(const wxString& name = wxEmptyString, int titleAlign = 0);
  void Plot(wxDC& dc, mpWindow& w) override;

 protected:
  bool OnSecondAxis() const override { return true; }

  wxDECLARE_ABSTRACT_CLASS(mpFXYVell);
};

// A curve over two float vectors (see plotcore::SeriesPoints), on either kind of scale.
template <class Curve>
class mpVectorCurve : public Curve, protected plotcore::SeriesPoints {
 public:
  using Curve::Curve;

  void SetPoints(const std::vector<float>& xs, const std::vector<float>& ys) {
    plotcore::SeriesPoints::SetPoints(xs, ys);
    this->RefreshMarker();
  }
  void ExtendPoints(const std::vector<float>& xs, const std::vector<float>& ys) {
    plotcore::SeriesPoints::ExtendPoints(xs, ys);
  }
  // The caller's arrays, read where they are (see plotcore::SeriesPoints::ViewPoints).
  void ViewPoints(const std::vector<float>& xs, const std::vector<float>& ys) {
    plotcore::SeriesPoints::ViewPoints(xs, ys);
    this->RefreshMarker();
  }
  void ViewPoints(std::vector<float>&&, const std::vector<float>&) = delete;
  void ViewPoints(const std::vector<float>&, std::vector<float>&&) = delete;
  void ViewPoints(std::vector<float>&&, std::vector<float>&&) = delete;
  void ExtendView(const std::vector<float>& xs, const std::vector<float>& ys) {
    plotcore::SeriesPoints::ExtendView(xs, ys);
  }
  void ExtendView(std::vector<float>&&, const std::vector<float>&) = delete;
  void ExtendView(const std::vector<float>&, std::vector<float>&&) = delete;
  void ExtendView(std::vector<float>&&, std::vector<float>&&) = delete;
  void ViewNothing() { plotcore::SeriesPoints::ViewNothing(); }
  bool IsView() const { return plotcore::SeriesPoints::IsView(); }

  void ResetCursor() override { plotcore::SeriesPoints::ResetCursor(); }
  bool NextPoint(double& x, double& y) override { return plotcore::SeriesPoints::NextPoint(x, y); }
  bool PointAt(double& x, double& y, int index) override { return plotcore::SeriesPoints::PointAt(x, y, index); }
  int PointCount() override { return plotcore::SeriesPoints::PointCount(); }
  double MinX() const override { return m_boundMinX; }
  double MaxX() const override { return m_boundMaxX; }
  double MinY() const override { return m_boundMinY; }
  double MaxY() const override { return m_boundMaxY; }

 protected:
  const float* RawXs() const override { return m_xs; }
  const float* RawYs() const override { return m_ys; }
  bool RawSorted() const override { return m_xSorted; }
  const plotcore::BlockRanges* RawRanges() const override { return &m_ranges; }
};

class mpFXYVector : public mpVectorCurve<mpFXY> {
 public:
  explicit mpFXYVector(const wxString& name = wxEmptyString, int titleAlign = 0);
  ~mpFXYVector() override;

  wxDECLARE_DYNAMIC_CLASS(mpFXYVector);
};

class mpFXYVectorVell : public mpVectorCurve<mpFXYVell> {
 public:
  explicit mpFXYVectorVell(const wxString& name = wxEmptyString, int titleAlign = 0);
  ~mpFXYVectorVell() override;

  wxDECLARE_DYNAMIC_CLASS(mpFXYVectorVell);
};
