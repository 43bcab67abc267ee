#include "kwxLCDDisplay.h"

#include "app/Accessible.h"

#include <wx/dcclient.h>

#include <string>

namespace {

const wxColour LCD_BACKGROUND(236, 233, 216);

std::u32string ToU32(const wxString& text) {
  std::u32string out;
  out.reserve(text.length());
  for (wxUniChar ch : text) out.push_back(static_cast<char32_t>(ch.GetValue()));
  return out;
}

}  // namespace

wxBEGIN_EVENT_TABLE(kwxLCDDisplay, wxWindow)
  EVT_PAINT(kwxLCDDisplay::OnPaint)
  EVT_SIZE(kwxLCDDisplay::OnSize)
wxEND_EVENT_TABLE()

kwxLCDDisplay::kwxLCDDisplay(wxWindow* parent, const wxPoint& pos, const wxSize& size) {
  // OnPaint clears and draws everything itself; no separate erase pass, so no flicker.
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Create(parent, wxID_ANY, pos, size, wxBORDER_NONE, "panel");
  SetBackgroundColour(LCD_BACKGROUND);
  MakeAccessibleReadout(this);
}

void kwxLCDDisplay::SetText(const wxString& text) {
  m_text = text;
  Refresh(false);
  UpdateAccessibleName();
}

void kwxLCDDisplay::SetAccessibleCaption(const wxString& caption) {
  m_accessibleCaption = caption;
  UpdateAccessibleName();
}

void kwxLCDDisplay::UpdateAccessibleName() {
  SetAccessibleName(this, m_accessibleCaption.empty() ? m_text : m_accessibleCaption + ": " + m_text);
}

void kwxLCDDisplay::SetDigitCount(int n) {
  m_digitCount = lcd::ClampDigitCount(n);
  Refresh(false);
}

void kwxLCDDisplay::SetOnColour(const wxColour& colour) {
  m_onColour = colour;
  Refresh(false);
}

void kwxLCDDisplay::SetOffColour(const wxColour& colour) {
  m_offColour = colour;
  Refresh(false);
}

lcd::Geometry kwxLCDDisplay::CurrentGeometry() const {
  return lcd::Geometry{m_segmentLength, m_segmentThickness, m_gap, m_digitCount};
}

void kwxLCDDisplay::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  Render(dc, GetClientSize());
}

void kwxLCDDisplay::Render(wxDC& dc, const wxSize& size) {
  dc.SetBackground(wxBrush(GetBackgroundColour()));
  dc.Clear();

  const lcd::Geometry geometry = CurrentGeometry();
  const lcd::Fit fit =
      lcd::FitToWindow(size.x, size.y, geometry.DrawingWidth(), geometry.CellHeight());
  if (!fit.valid) return;  // a zero scale would break the context's transform
  double oldScaleX = 1, oldScaleY = 1;
  dc.GetUserScale(&oldScaleX, &oldScaleY);
  const wxPoint oldOrigin = dc.GetDeviceOrigin();
  dc.SetUserScale(fit.scale, fit.scale);
  dc.SetDeviceOrigin(fit.originX, fit.originY);
  DrawAll(dc);
  // Leave a caller's context as it came.
  dc.SetUserScale(oldScaleX, oldScaleY);
  dc.SetDeviceOrigin(oldOrigin.x, oldOrigin.y);
}

void kwxLCDDisplay::OnSize(wxSizeEvent& event) {
  Refresh(false);
  event.Skip();
}

void kwxLCDDisplay::DrawAll(wxDC& dc) {
  const std::vector<lcd::Cell> cells = lcd::LayoutCells(ToU32(m_text), m_digitCount);
  for (std::size_t i = 0; i < cells.size(); ++i)
    DrawCharacter(dc, static_cast<int>(i), cells[i].ch, cells[i].point);
}

void kwxLCDDisplay::DrawCharacter(wxDC& dc, int i, char32_t ch, bool point) {
  if (ch == U':') {
    const lcd::Geometry geometry = CurrentGeometry();
    const int x = geometry.CellLeft(i);
    const int y = geometry.CellTop();
    dc.SetPen(wxPen(GetBackgroundColour(), 1, wxPENSTYLE_SOLID));
    dc.SetBrush(wxBrush(m_onColour));
    for (const lcd::Rect& r : geometry.ColonBoxes())
      dc.DrawEllipse(x + r.x, y + r.y, r.width, r.height);
    return;
  }
  const std::uint8_t mask = lcd::SegmentsFor(ch);
  for (int k = 0; k < lcd::SEGMENT_COUNT; ++k) DrawSegment(dc, i, k, (mask >> k) & 1);
  DrawSegment(dc, i, lcd::DECIMAL_POINT, point);
}

void kwxLCDDisplay::DrawSegment(wxDC& dc, int i, int segment, bool lit) {
  const lcd::Geometry geometry = CurrentGeometry();
  const int x = geometry.CellLeft(i);
  const int y = geometry.CellTop();
  dc.SetPen(wxPen(GetBackgroundColour(), 1, wxPENSTYLE_SOLID));
  dc.SetBrush(wxBrush(lit ? m_onColour : m_offColour));
  if (segment == lcd::DECIMAL_POINT) {
    // No outline: at the small sizes the point is a few pixels wide, and a one-unit outline in
    // the background colour would leave little of it.
    dc.SetPen(*wxTRANSPARENT_PEN);
    const lcd::Rect r = geometry.DecimalPointBox();
    dc.DrawEllipse(x + r.x, y + r.y, r.width, r.height);
    return;
  }
  const lcd::Polygon polygon = geometry.SegmentPolygon(segment);
  wxPoint points[6];
  for (int k = 0; k < polygon.count; ++k)
    points[k] = wxPoint(polygon.points[k].x, polygon.points[k].y);
  if (polygon.count > 0) dc.DrawPolygon(polygon.count, points, x, y, wxODDEVEN_RULE);
}

kwxLCDClock::kwxLCDClock(wxWindow* parent, const wxPoint& pos, const wxSize& size)
    : kwxLCDDisplay(parent, pos, size) {}

void kwxLCDClock::ShowElapsed(float seconds) { SetText(lcd::ElapsedText(seconds)); }
