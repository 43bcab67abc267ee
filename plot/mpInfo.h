// Boxes drawn on top of the plot: the plain info layer and the legend of measured values.
#pragma once

#include <wx/event.h>
#include <wx/gdicmn.h>

#include "plot/mpLayer.h"

class mpInfoLayer : public mpLayer {
 public:
  mpInfoLayer();
  mpInfoLayer(const wxRect& rect, const wxBrush* brush = wxTRANSPARENT_BRUSH);
  ~mpInfoLayer() override;

  virtual void UpdateFromEvent(mpWindow& w, wxEvent& event);
  virtual bool IsInfoLayer() const { return true; }
  // Whether the point lies inside the box (right and bottom edges excluded).
  virtual bool Contains(const wxPoint& point) const;
  // Box corner = reference position + offset.
  virtual void MoveBy(const wxPoint& offset);
  // Reference position = box corner.
  virtual void CommitPosition();

  bool HasBounds() const override { return false; }
  void Plot(wxDC& dc, mpWindow& w) override;

  const wxRect& GetRectangle() const { return m_dim; }
  const wxPoint& GetReference() const { return m_reference; }

 protected:
  // Scales the box corner to a new window size (the first size seen counts as 1).
  void FollowWindowSize(int& x, int& y, int W, int H);

  wxRect m_dim;
  wxPoint m_reference;
  int m_winX = 1, m_winY = 1;

  wxDECLARE_DYNAMIC_CLASS(mpInfoLayer);
};

// Lists "label value unit" with a sample of the pen for every visible series that has a
// measured point; draws nothing while there is none. Its corner is the window's legend offset
// from the centre, which a left-button drag moves. It changes with every measurement, so it
// is drawn over the plot (PlotOverlay), not with it.
class mpInfoLegend : public mpInfoLayer {
 public:
  mpInfoLegend();
  mpInfoLegend(const wxRect& rect, const wxBrush* brush = wxTRANSPARENT_BRUSH);
  ~mpInfoLegend() override;

  void Plot(wxDC& dc, mpWindow& w) override;
  void PlotOverlay(wxDC& dc, mpWindow& w) override;

  wxDECLARE_DYNAMIC_CLASS(mpInfoLegend);
};
