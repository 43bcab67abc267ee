// Series layers. mpFXY draws against the x and primary y scales and carries the plot's title,
// subtitle and footnote; mpFXYVell draws against the second (right-hand) y scale. Both measure
// at the window's measuring column when their measuring mode is on and report the point with
// a MeasureEvent to the plot window's parent.
#pragma once

#include <vector>

#include "plot/SeriesMath.h"
#include "plot/mpLayer.h"

struct SeriesPainter;

class mpFXY : public mpLayer {
 public:
  // titleAlign (low two bits): 0 centred at the top, 1 top left, 2 bottom left, 3 bottom right.
  explicit mpFXY(const wxString& name = wxEmptyString, int titleAlign = 0);

  virtual void ResetCursor() = 0;
  virtual bool NextPoint(double& x, double& y) = 0;
  virtual bool PointAt(double& x, double& y, int index) = 0;
  virtual int PointCount() = 0;

  // The point whose x is nearest to xQuery (the earlier one on ties); false without points.
  bool FindNearest(double xQuery, double& x, double& y);
  void Plot(wxDC& dc, mpWindow& w) override;

  int GetTitleAlign() const { return m_titleAlign; }
  void SetTitleAlign(int align) { m_titleAlign = align; }

 protected:
  // Raw storage for the fast paths; null when a subclass only offers the cursor interface.
  virtual const float* RawXs() const { return nullptr; }
  virtual const float* RawYs() const { return nullptr; }
  virtual bool RawSorted() const { return false; }

  int m_titleAlign;
  int m_markPx = 0, m_markPy = 0;

  friend struct SeriesPainter;
  wxDECLARE_ABSTRACT_CLASS(mpFXY);
};

class mpFXYVell : public mpLayer {
 public:
  explicit mpFXYVell(const wxString& name = wxEmptyString, int titleAlign = 0);

  virtual void ResetCursor() = 0;
  virtual bool NextPoint(double& x, double& y) = 0;
  virtual bool PointAt(double& x, double& y, int index) = 0;
  virtual int PointCount() = 0;

  bool FindNearest(double xQuery, double& x, double& y);
  void Plot(wxDC& dc, mpWindow& w) override;

  int GetTitleAlign() const { return m_titleAlign; }
  void SetTitleAlign(int align) { m_titleAlign = align; }

 protected:
  virtual const float* RawXs() const { return nullptr; }
  virtual const float* RawYs() const { return nullptr; }
  virtual bool RawSorted() const { return false; }

  int m_titleAlign;
  int m_markPx = 0, m_markPy = 0;

  friend struct SeriesPainter;
  wxDECLARE_ABSTRACT_CLASS(mpFXYVell);
};

class mpFXYVector : public mpFXY, protected plotcore::SeriesPoints {
 public:
  explicit mpFXYVector(const wxString& name = wxEmptyString, int titleAlign = 0);
  ~mpFXYVector() override;

  void SetPoints(const std::vector<float>& xs, const std::vector<float>& ys);
  void ExtendPoints(const std::vector<float>& xs, const std::vector<float>& ys);

  void ResetCursor() override;
  bool NextPoint(double& x, double& y) override;
  bool PointAt(double& x, double& y, int index) override;
  int PointCount() override;
  double MinX() const override { return m_boundMinX; }
  double MaxX() const override { return m_boundMaxX; }
  double MinY() const override { return m_boundMinY; }
  double MaxY() const override { return m_boundMaxY; }

 protected:
  const float* RawXs() const override { return m_xs.data(); }
  const float* RawYs() const override { return m_ys.data(); }
  bool RawSorted() const override { return m_xSorted; }

  wxDECLARE_DYNAMIC_CLASS(mpFXYVector);
};

class mpFXYVectorVell : public mpFXYVell, protected plotcore::SeriesPoints {
 public:
  explicit mpFXYVectorVell(const wxString& name = wxEmptyString, int titleAlign = 0);
  ~mpFXYVectorVell() override;

  void SetPoints(const std::vector<float>& xs, const std::vector<float>& ys);
  void ExtendPoints(const std::vector<float>& xs, const std::vector<float>& ys);

  void ResetCursor() override;
  bool NextPoint(double& x, double& y) override;
  bool PointAt(double& x, double& y, int index) override;
  int PointCount() override;
  double MinX() const override { return m_boundMinX; }
  double MaxX() const override { return m_boundMaxX; }
  double MinY() const override { return m_boundMinY; }
  double MaxY() const override { return m_boundMaxY; }

 protected:
  const float* RawXs() const override { return m_xs.data(); }
  const float* RawYs() const override { return m_ys.data(); }
  bool RawSorted() const override { return m_xSorted; }

  wxDECLARE_DYNAMIC_CLASS(mpFXYVectorVell);
};
