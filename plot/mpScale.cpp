#include "plot/mpScale.h"

#include <wx/settings.h>

#include <algorithm>

#include "plot/PlotText.h"
#include "plot/PlotView.h"
#include "plot/mpWindow.h"

using plotcore::ToPixel;

wxIMPLEMENT_DYNAMIC_CLASS(mpScaleX, mpLayer);
wxIMPLEMENT_DYNAMIC_CLASS(mpScaleY, mpLayer);
wxIMPLEMENT_DYNAMIC_CLASS(mpScaleYVell, mpLayer);

namespace {

wxPen WithStyle(const wxPen& pen, wxPenStyle style) {
  wxPen p(pen);
  p.SetStyle(style);
  return p;
}

wxString FromStd(const std::string& s) { return wxString::FromUTF8(s.c_str()); }

// The part of a title before its first blank.
wxString FirstWord(const wxString& s) { return s.BeforeFirst(' '); }

// Widest label drawn beside a vertical title centred on the middle of the window.
struct LabelsBesideTitle {
  int titleHalf;  // half the title's length
  int widest = 0;
  void Add(int p, int tw, int th) {
    if (p + th / 2 >= -titleHalf && p - th / 2 <= titleHalf) widest = std::max(widest, tw);
  }
};

}  // namespace

mpScale::mpScale(const wxString& name, int position, bool ticks, bool reserveRight, const wxFont& font) {
  m_name = name;
  m_position = position;
  m_ticks = ticks;
  m_reserveRight = reserveRight;
  m_layerType = mpLAYER_AXIS;
  m_font = font;
  m_pen = *wxGREY_PEN;
}

void mpScale::DrawTickOrGrid(wxDC& dc, wxPoint from, wxPoint to, wxPoint gridFrom, wxPoint gridTo) const {
  if (m_ticks) {
    dc.DrawLine(from, to);
    return;
  }
  dc.SetPen(WithStyle(m_pen, wxPENSTYLE_DOT));
  dc.DrawLine(gridFrom, gridTo);
  dc.SetPen(WithStyle(m_pen, wxPENSTYLE_SOLID));
}

void mpScale::LimitBesideLine(plotcore::ClipBox& area, int orgx) const {
  if (m_position == 2 || m_position == 4) area.left = std::max(area.left, orgx + 1);
  if (m_position == 0 || m_position == 5) area.right = std::min(area.right, orgx - 1);
}

mpScaleX::mpScaleX(const wxString& name, int position, bool ticks, bool reserveRight)
    : mpScale(name, position, ticks, reserveRight, *wxNORMAL_FONT) {}

int mpScaleX::LineY(const mpWindow& w) const {
  const int H = w.GetPlotHeight();
  switch (m_position) {
    case 0:
      return 10 - H / 2;
    case 1:
      return ToPixel(w.GetCentreY() * w.GetPxPerUnitY());
    case 4:
      return H / 2 - 1;
    case 5:
      return -H / 2;
    default:
      return H / 2 - 35;
  }
}

void mpScaleX::LimitPlotArea(plotcore::ClipBox& area, const mpWindow& w) const {
  const int orgy = LineY(w);
  if (m_position == 2 || m_position == 4) area.bottom = std::min(area.bottom, orgy - 1);
  if (m_position == 0 || m_position == 5) area.top = std::max(area.top, orgy + 1);
}

void mpScaleX::Plot(wxDC& dc, mpWindow& w) {
  dc.SetPen(m_pen);
  dc.SetFont(m_font);
  const int W = w.GetPlotWidth(), H = w.GetPlotHeight();
  const double scale = w.GetPxPerUnitX(), centre = w.GetCentreX();
  const int orgy = LineY(w);
  dc.DrawLine(-W / 2, orgy, W / 2, orgy);

  // Digits are equally wide in the axis fonts, so these stand for every label.
  const int shortWidth = dc.GetTextExtent("00:00").x, longWidth = dc.GetTextExtent("00:00:00").x;
  plotcore::XLabelSpacing spacing;  // a guard for fonts whose labels differ in width
  for (const plotcore::TimeTick& t : plotcore::TimeTicks(scale, centre, W, m_reserveRight, shortWidth, longWidth)) {
    const int p = t.px;
    DrawTickOrGrid(dc, {p, orgy}, {p, m_position == 4 ? orgy - 4 : orgy + 4}, {p, 30 - H / 2}, {p, orgy});
    const wxString label = FromStd(plotcore::FormatClock(t.seconds));
    wxCoord tw, th;
    dc.GetTextExtent(label, &tw, &th);
    if (spacing.Accept(p, tw)) dc.DrawText(label, p - tw / 2, m_position == 4 ? orgy - th - 4 : orgy + 4);
  }

  if (m_position != 0) {
    wxCoord tw, th;
    dc.GetTextExtent(m_name, &tw, &th);
    // Below the label row (labels take orgy + 4 .. orgy + 4 + th), so the two never touch.
    if (m_position == 4)
      dc.DrawText(m_name, W / 2 - tw - 4, orgy - 2 * th - 4);
    else
      dc.DrawText(m_name, 0, orgy + th + 4);
  }
}

mpScaleY::mpScaleY(const wxString& name, int position, bool ticks, bool reserveRight)
    : mpScale(name, position, ticks, reserveRight, *wxSMALL_FONT) {
  m_caption = FirstWord(name);
}

int mpScaleY::LineX(const mpWindow& w) const {
  const int W = w.GetPlotWidth();
  switch (m_position) {
    case 0:
      return W / 2 - 20;
    case 1:
      return -ToPixel(w.GetCentreX() * w.GetPxPerUnitX());
    case 4:
      return -W / 2;
    case 5:
      return W / 2 - 1;
    default:
      return 50 - W / 2;
  }
}

// Beside the line, and below the 30 pixels at the top that the axis keeps free of ticks
// (the titles and the colour keys live there).
void mpScaleY::LimitPlotArea(plotcore::ClipBox& area, const mpWindow& w) const {
  LimitBesideLine(area, LineX(w));
  if (m_position != 1) area.top = std::max(area.top, 30 - w.GetPlotHeight() / 2);
}

void mpScaleY::Plot(wxDC& dc, mpWindow& w) {
  dc.SetPen(m_pen);
  dc.SetFont(m_font);
  const int W = w.GetPlotWidth(), H = w.GetPlotHeight();
  const double scale = w.GetPxPerUnitY(), centre = w.GetCentreY();
  const int orgx = LineX(w);
  dc.DrawLine(orgx, -H / 2, orgx, H / 2);

  const double n = plotcore::ComputeTickStep(scale).n;
  const int gridEnd = m_reserveRight ? W / 2 - 50 : W / 2;
  plotcore::YLabelSpacing spacing;
  LabelsBesideTitle beside{dc.GetTextExtent(m_name).x / 2};
  for (double v : plotcore::TickValues(scale, centre, H / 2)) {
    const int p = ToPixel((centre - v) * scale);
    if (!(30 - H / 2 < p && p < H / 2 - 30)) continue;
    if (m_position == 4)
      DrawTickOrGrid(dc, {orgx, p}, {orgx + 4, p}, {orgx, p}, {gridEnd, p});
    else
      DrawTickOrGrid(dc, {orgx - 4, p}, {orgx, p}, {orgx, p}, {gridEnd, p});
    const wxString label = FromStd(plotcore::FormatPrimaryY(v, n));
    wxCoord tw, th;
    dc.GetTextExtent(label, &tw, &th);
    if (spacing.Accept(p, th)) {
      dc.DrawText(label, m_position == 4 ? orgx + 4 : orgx - tw - 4, p - th / 2);
      beside.Add(p, tw, th);
    }
  }

  if (m_position == 0) return;
  wxCoord tw, th;
  dc.GetTextExtent(m_name, &tw, &th);
  if (m_position == 4) {
    dc.DrawText(m_name, orgx - tw - 4, th - H / 2 + 4);
    return;
  }
  if (m_position == 5) {
    dc.DrawText(m_name, orgx - tw - 4, 4 - H / 2);
  } else {
    // 48 px left of the axis; further left (up to the window edge) when wide labels beside
    // it would run into it.
    const int needed = (orgx - 4 - beside.widest - 2) - (orgx - 48 + th);
    const int x = needed < 0 ? std::max(-W / 2, orgx - 48 + needed) : orgx - 48;
    dc.DrawRotatedText(m_name, x, tw / 2, 90);
  }
  dc.GetTextExtent(m_caption, &tw, &th);
  dc.DrawText(m_caption, 80 - W / 2, 10 - H / 2 - th / 2);
}

mpScaleYVell::mpScaleYVell(const wxString& name, int position, bool ticks)
    : mpScale(name, position, ticks, false, *wxSMALL_FONT) {}

int mpScaleYVell::LineX(const mpWindow& w) const {
  const int W = w.GetPlotWidth();
  switch (m_position) {
    case 0:
      return W / 2 - 20;
    case 1:
      return -ToPixel(w.GetCentreX() * w.GetPxPerUnitX());
    case 2:
      return 40 - W / 2;
    case 4:
      return -W / 2;
    default:
      return W / 2 - 50;
  }
}

void mpScaleYVell::LimitPlotArea(plotcore::ClipBox& area, const mpWindow& w) const { LimitBesideLine(area, LineX(w)); }

void mpScaleYVell::Plot(wxDC& dc, mpWindow& w) {
  m_pen = *wxGREY_PEN;
  dc.SetPen(m_pen);
  dc.SetFont(m_font);
  const int W = w.GetPlotWidth(), H = w.GetPlotHeight();
  const double scale = w.GetPxPerUnitY2(), centre = w.GetCentreY2();
  const int orgx = LineX(w);
  dc.DrawLine(orgx, -H / 2, orgx, H / 2);

  plotcore::YLabelSpacing spacing;
  LabelsBesideTitle beside{dc.GetTextExtent(m_name).x / 2};
  for (double v : plotcore::TickValues(scale, centre, H / 2)) {
    const int p = ToPixel(scale * (centre - v));
    if (!(p < H / 2 - 30)) continue;
    // A tick pointing right, never a grid line: two sets of grid lines at unrelated heights
    // would only confuse.
    if (m_position == 4)
      dc.DrawLine(orgx, p, orgx + 4, p);
    else
      dc.DrawLine(orgx + 4, p, orgx, p);
    const wxString label = FromStd(plotcore::FormatSecondY(v));
    wxCoord tw, th;
    dc.GetTextExtent(label, &tw, &th);
    if (spacing.Accept(p, th)) {
      dc.DrawText(label, m_position == 4 ? orgx + 4 : orgx + 6, p - th / 2);
      beside.Add(p, tw, th);
    }
  }

  if (m_position == 0) return;
  wxCoord tw, th;
  dc.GetTextExtent(m_name, &tw, &th);
  if (m_position == 4) {
    dc.DrawText(m_name, orgx - tw - 4, th - H / 2 + 4);
    return;
  }
  if (m_position == 5) {
    // At the right edge; moved right (up to the edge itself) when wide labels beside it would
    // run into it.
    const int needed = (orgx + 6 + beside.widest + 2) - (W / 2 - 5 - th);
    const int x = needed > 0 ? std::min(W / 2, W / 2 - 5 + needed) : W / 2 - 5;
    dc.DrawRotatedText(m_name, x, -tw / 2, -90);
  } else
    dc.DrawText(m_name, orgx + 4, 4 - H / 2);
  const wxString heading = FirstWord(m_name);
  dc.GetTextExtent(heading, &tw, &th);
  dc.DrawText(heading, 80 - W / 2, 25 - H / 2 - th / 2);
}
