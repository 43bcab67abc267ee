// The layer base: what the plot window needs from every axis, series and info box.
#pragma once

#include <wx/brush.h>
#include <wx/dc.h>
#include <wx/font.h>
#include <wx/object.h>
#include <wx/pen.h>
#include <wx/string.h>

#include "plot/PlotView.h"

class mpWindow;

enum mpLayerType { mpLAYER_AXIS = 1, mpLAYER_PLOT = 2, mpLAYER_INFO = 3 };

class mpLayer : public wxObject {
 public:
  mpLayer();
  ~mpLayer() override;

  virtual bool HasBounds() const { return true; }
  virtual double MinX() const { return -1.0; }
  virtual double MaxX() const { return 1.0; }
  virtual double MinY() const { return -1.0; }
  virtual double MaxY() const { return 1.0; }
  // Draws with the device origin at the middle of the window.
  virtual void Plot(wxDC& dc, mpWindow& w) = 0;
  // Drawn over every layer's Plot, from a cached picture of those while only these change:
  // what measuring shows (markers, cross-hair, the legend).
  virtual void PlotOverlay(wxDC& /*dc*/, mpWindow& /*w*/) {}
  // A click at x in measuring mode: curves of the mode take their nearest point as the marker
  // and report it.
  virtual void MeasureAt(mpWindow& /*w*/, double /*x*/) {}
  // Axes narrow the area where the data is drawn (the window's plot area) to the part
  // between their lines; other layers leave it alone.
  virtual void LimitPlotArea(plotcore::ClipBox& /*area*/, const mpWindow& /*w*/) const {}

  // Legend entry of a series: label, measured value, unit.
  const wxString& GetSeriesLabel() const { return m_seriesLabel; }
  void SetSeriesLabel(const wxString& s) { m_seriesLabel = s; }
  const wxString& GetUnitText() const { return m_unitText; }
  void SetUnitText(const wxString& s) { m_unitText = s; }
  bool HasMarker() const { return m_hasMarker; }
  void SetHasMarker(bool on) { m_hasMarker = on; }
  // The measured point: its x (held by the curves) and y.
  double GetMarkerValue() const { return m_markerValue; }

  const wxFont& GetFont() const { return m_font; }
  void SetFont(const wxFont& f) { m_font = f; }
  const wxPen& GetPen() const { return m_pen; }
  void SetPen(const wxPen& p) { m_pen = p; }
  const wxBrush& GetBrush() const { return m_brush; }
  void SetBrush(const wxBrush& b) { m_brush = b; }

  const wxString& GetName() const { return m_name; }
  void SetName(const wxString& s) { m_name = s; }
  const wxString& GetSubtitle() const { return m_subtitle; }
  void SetSubtitle(const wxString& s) { m_subtitle = s; }
  const wxString& GetFootnote() const { return m_footnote; }
  void SetFootnote(const wxString& s) { m_footnote = s; }

  // Series: connected line (true) or separate points.
  bool GetContinuity() const { return m_continuous; }
  void SetContinuity(bool on) { m_continuous = on; }
  int GetLayerType() const { return m_layerType; }
  bool IsVisible() const { return m_visible; }
  void SetVisible(bool on) { m_visible = on; }

  // Axes: where the line sits, ticks or grid lines, room kept for a right-hand axis, heading.
  int GetPosition() const { return m_position; }
  void SetPosition(int code) { m_position = code; }
  bool GetTicks() const { return m_ticks; }
  void SetTicks(bool on) { m_ticks = on; }
  bool GetReserveRight() const { return m_reserveRight; }
  void SetReserveRight(bool on) { m_reserveRight = on; }
  const wxString& GetCaption() const { return m_caption; }
  void SetCaption(const wxString& s) { m_caption = s; }

 protected:
  wxString m_seriesLabel;
  wxString m_unitText;
  bool m_hasMarker = false;
  double m_markerValue = 0.0;
  wxFont m_font;
  wxPen m_pen;
  wxString m_name;
  wxString m_subtitle;
  wxString m_footnote;
  bool m_continuous = false;
  wxBrush m_brush;
  int m_layerType = 0;
  bool m_visible = true;

  int m_position = 0;
  bool m_ticks = true;
  bool m_reserveRight = false;
  wxString m_caption;

  wxDECLARE_ABSTRACT_CLASS(mpLayer);
};
