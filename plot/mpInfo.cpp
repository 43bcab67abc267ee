#include "plot/mpInfo.h"

#include <vector>

#include "plot/PlotText.h"
#include "plot/PlotView.h"
#include "plot/mpWindow.h"

wxIMPLEMENT_DYNAMIC_CLASS(mpInfoLayer, mpLayer);
wxIMPLEMENT_DYNAMIC_CLASS(mpInfoLegend, mpInfoLayer);

mpInfoLayer::mpInfoLayer() : m_dim(0, 0, 1, 1), m_reference(0, 0) {
  m_brush = *wxTRANSPARENT_BRUSH;
  m_layerType = mpLAYER_INFO;
}

mpInfoLayer::mpInfoLayer(const wxRect& rect, const wxBrush* brush) : m_dim(rect), m_reference(rect.x, rect.y) {
  if (brush) m_brush = *brush;
  m_layerType = mpLAYER_INFO;
}

mpInfoLayer::~mpInfoLayer() = default;

void mpInfoLayer::UpdateFromEvent(mpWindow&, wxEvent&) {}

bool mpInfoLayer::Contains(const wxPoint& point) const {
  return m_dim.x <= point.x && point.x < m_dim.x + m_dim.width && m_dim.y <= point.y &&
         point.y < m_dim.y + m_dim.height;
}

void mpInfoLayer::MoveBy(const wxPoint& offset) {
  m_dim.x = m_reference.x + offset.x;
  m_dim.y = m_reference.y + offset.y;
}

void mpInfoLayer::CommitPosition() {
  m_reference.x = m_dim.x;
  m_reference.y = m_dim.y;
}

void mpInfoLayer::FollowWindowSize(int& x, int& y, int W, int H) {
  if (W == m_winX && H == m_winY) return;
  if (m_winX != 1) x = static_cast<int>(static_cast<long long>(x) * W / m_winX);
  if (m_winY != 1) y = static_cast<int>(static_cast<long long>(y) * H / m_winY);
  m_dim.x = x;
  m_dim.y = y;
  CommitPosition();
  m_winX = W;
  m_winY = H;
}

void mpInfoLayer::Plot(wxDC& dc, mpWindow& w) {
  if (!m_visible) return;
  const int W = w.GetPlotWidth() ? w.GetPlotWidth() : 1;
  const int H = w.GetPlotHeight() ? w.GetPlotHeight() : 1;
  int x = m_dim.x, y = m_dim.y;
  FollowWindowSize(x, y, W, H);
  dc.SetPen(m_pen);
  dc.SetBrush(m_brush);
  dc.DrawRectangle(m_dim.x, m_dim.y, m_dim.width, m_dim.height);
}

mpInfoLegend::mpInfoLegend() = default;

mpInfoLegend::mpInfoLegend(const wxRect& rect, const wxBrush* brush) : mpInfoLayer(rect, brush) {}

mpInfoLegend::~mpInfoLegend() = default;

void mpInfoLegend::Plot(wxDC&, mpWindow&) {}

void mpInfoLegend::PlotOverlay(wxDC& dc, mpWindow& w) {
  if (!m_visible) return;
  // A size of 0 counts as 1 here too: the next rescale divides by it.
  const int W = w.GetPlotWidth() ? w.GetPlotWidth() : 1;
  const int H = w.GetPlotHeight() ? w.GetPlotHeight() : 1;
  int x = plotcore::ToPixel(w.GetLegendX());
  int y = plotcore::ToPixel(w.GetLegendY());
  m_dim.x = x;
  m_dim.y = y;
  FollowWindowSize(x, y, W, H);

  dc.SetBrush(m_brush);
  dc.SetFont(m_font);
  std::vector<mpLayer*> entries;
  std::vector<wxString> texts;
  int boxWidth = 20, boxHeight = 5;
  for (mpLayer* layer : w.LayersInOrder()) {
    if (layer->GetLayerType() != mpLAYER_PLOT || !layer->IsVisible() || !layer->HasMarker()) continue;
    const wxString text = layer->GetSeriesLabel() +
                          wxString::FromUTF8(plotcore::FormatLegendValue(layer->GetMarkerValue())) +
                          layer->GetUnitText();
    wxCoord tw, th;
    dc.GetTextExtent(text, &tw, &th);
    boxWidth = plotcore::WidenLegendBox(boxWidth, tw);
    boxHeight += th;
    entries.push_back(layer);
    texts.push_back(text);
  }

  dc.SetPen(m_pen);
  dc.SetBrush(*wxLIGHT_GREY_BRUSH);
  m_dim.width = boxWidth;
  if (boxHeight == 5) return;
  m_dim.height = boxHeight + 5;
  dc.DrawRectangle(x, y, boxWidth, boxHeight + 5);

  for (std::size_t k = 0; k < entries.size(); ++k) {
    const wxPen pen(entries[k]->GetPen());
    wxCoord tw, th;
    dc.GetTextExtent(texts[k], &tw, &th);
    dc.SetPen(pen);
    const int row = th * static_cast<int>(k);
    const int yy = row + th / 2 + y + 5;
    dc.DrawLine(x + 5, yy, x + 15, yy);
    dc.DrawText(texts[k], x + 20, row + y + 5);
  }
}
