#include "plot/mpWindow.h"

#include "i18n/Tr.h"

#include <wx/dcclient.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>

#include <algorithm>

wxIMPLEMENT_ABSTRACT_CLASS(mpWindow, wxScrolledWindow);

// clang-format off
wxBEGIN_EVENT_TABLE(mpWindow, wxScrolledWindow)
  EVT_PAINT(mpWindow::OnPaint)
  EVT_SIZE(mpWindow::OnSize)
  EVT_SCROLLWIN_TOP(mpWindow::OnScroll)
  EVT_SCROLLWIN_BOTTOM(mpWindow::OnScroll)
  EVT_SCROLLWIN_LINEUP(mpWindow::OnScroll)
  EVT_SCROLLWIN_LINEDOWN(mpWindow::OnScroll)
  EVT_SCROLLWIN_PAGEUP(mpWindow::OnScroll)
  EVT_SCROLLWIN_PAGEDOWN(mpWindow::OnScroll)
  EVT_SCROLLWIN_THUMBTRACK(mpWindow::OnScroll)
  EVT_SCROLLWIN_THUMBRELEASE(mpWindow::OnScroll)
  EVT_RIGHT_DOWN(mpWindow::OnMouseRightDown)
  EVT_RIGHT_UP(mpWindow::OnShowPopupMenu)
  EVT_MIDDLE_UP(mpWindow::OnShowPopupMenu)
  EVT_LEFT_DOWN(mpWindow::OnMouseLeftDown)
  EVT_LEFT_UP(mpWindow::OnMouseLeftRelease)
  EVT_MOUSEWHEEL(mpWindow::OnMouseWheel)
  EVT_MOTION(mpWindow::OnMouseMove)
  EVT_MENU(mpID_CENTER, mpWindow::OnCenter)
  EVT_MENU(mpID_FIT, mpWindow::OnFit)
  EVT_MENU(mpID_ZOOM_IN, mpWindow::OnZoomIn)
  EVT_MENU(mpID_ZOOM_OUT, mpWindow::OnZoomOut)
  EVT_MENU(mpID_LOCKASPECT, mpWindow::OnLockAspect)
  EVT_MENU(mpID_HELP_MOUSE, mpWindow::OnMouseHelp)
  EVT_CHAR(mpWindow::OnChar)
wxEND_EVENT_TABLE()
// clang-format on

mpWindow::mpWindow(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                   long style)
    : wxScrolledWindow(parent, id, pos, size, style | wxHSCROLL | wxVSCROLL, "mpWindow") {
  m_popmenu.Append(mpID_CENTER, Tr("Zentrieren"), Tr("Diagramm zu dieser Position zentrieren"));
  m_popmenu.Append(mpID_FIT, Tr("Passend "), Tr("Alles anzeigen"));
  m_popmenu.Append(mpID_ZOOM_IN, Tr("Vergrößern"), Tr("Diagramm vergrößern"));
  m_popmenu.Append(mpID_ZOOM_OUT, Tr("Verkleinern"), Tr("Diagramm verkleinern"));

  SetBackgroundColour(*wxWHITE);
  // The scroll bars move the view; the contents are never shifted by the toolkit.
  EnableScrolling(false, false);
  SetMinSize(wxSize(64, 64));
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  // The focus frame comes and goes with the keyboard; the picture under it stays.
  for (const auto& type : {wxEVT_SET_FOCUS, wxEVT_KILL_FOCUS})
    Bind(type, [this](wxFocusEvent& event) {
      RefreshOverlay();
      event.Skip();
    });
  UpdateView();
}

mpWindow::~mpWindow() {
  m_pictureDC.SelectObject(wxNullBitmap);
  m_buffDC.SelectObject(wxNullBitmap);
  delete m_buffBmp;
  m_layers.clear();
}

bool mpWindow::InsertLayer(mpLayer* layer) {
  if (!layer) return false;
  const int key = m_layers.empty() ? 0 : m_layers.rbegin()->first + 1;
  m_layers[key] = layer;
  UpdateView();
  return true;
}

bool mpWindow::RemoveLayer(int key) {
  m_layers.erase(key);
  UpdateView();
  return true;
}

mpLayer* mpWindow::LayerAt(int key) const {
  const auto it = m_layers.find(key);
  return it == m_layers.end() ? nullptr : it->second;
}

std::vector<mpLayer*> mpWindow::LayersInOrder() const {
  std::vector<mpLayer*> out;
  out.reserve(m_layers.size());
  for (const auto& [key, layer] : m_layers) out.push_back(layer);
  return out;
}

bool mpWindow::CollectBounds() {
  std::vector<plotcore::LayerBounds> bounded;
  for (const auto& [key, layer] : m_layers)
    if (layer->HasBounds()) bounded.push_back({layer->MinX(), layer->MaxX(), layer->MinY(), layer->MaxY()});
  return plotcore::CollectBounds(*this, bounded);
}

void mpWindow::UpdateView() {
  if (CollectBounds()) {
    int w, h;
    GetClientSize(&w, &h);
    const plotcore::ScrollbarSetup s = plotcore::ComputeScrollbars(*this, w, h);
    SetScrollbars(1, 1, s.virtualW, s.virtualH, s.posX, s.posY, true);
  }
  // FitInside() would size the scrolled area to the children; without any it would shrink
  // the area set above to the window and hide the scroll bars.
  if (!GetChildren().empty()) FitInside();
  Refresh(false);
}

void mpWindow::Fit() {
  if (!CollectBounds()) return;
  int w, h;
  GetClientSize(&w, &h);
  plotcore::FitView(*this, w, h);
  UpdateView();
}

void mpWindow::ZoomInStep() {
  plotcore::ZoomIn(*this);
  UpdateView();
}

void mpWindow::ZoomOutStep() {
  plotcore::ZoomOut(*this);
  UpdateView();
}

void mpWindow::SetAspectLock(bool on) {
  m_aspectLock = on;
  // The stock menu has no such item; checking a missing one would assert.
  if (m_popmenu.FindItem(mpID_LOCKASPECT)) m_popmenu.Check(mpID_LOCKASPECT, on);
  if (on) plotcore::LockAspect(*this);
  UpdateView();
}

void mpWindow::SetFlowMeasuring(bool on) {
  m_measureFlow = on;
  UpdateCursor();
  RefreshOverlay();  // the cross-hair comes or goes
}

void mpWindow::SetPressureMeasuring(bool on) {
  m_measurePressure = on;
  UpdateCursor();
  RefreshOverlay();
}

void mpWindow::MeasureAtColumn(int column) {
  const plotcore::ClipBox area = GetPlotArea();
  const int mx = column - m_width / 2;
  // Left of the y axis or right of the right-hand one the nearest point would lie out of
  // sight: the readouts would show a value with no marker to go with it.
  if (mx < area.left || mx > area.right) return;
  const double x = mx / m_pxPerUnitX + m_centreX;
  for (const auto& [key, layer] : m_layers) layer->MeasureAt(*this, x);
  RefreshOverlay();
}

// The cross-hair shows while either measuring mode is on, so switching one mode off does not
// hide it while the other is still measuring.
void mpWindow::UpdateCursor() {
  SetCursor(m_measureFlow || m_measurePressure ? wxCursor(wxCURSOR_CROSS) : wxCursor(wxCURSOR_ARROW));
}

void mpWindow::SetPxPerUnit(double x, double y, double y2) {
  m_pxPerUnitX = x;
  m_pxPerUnitY = y;
  m_pxPerUnitY2 = y2;
  UpdateView();
}

void mpWindow::SetCentre(double x, double y, double y2) {
  m_centreX = x;
  m_centreY = y;
  m_centreY2 = y2;
  UpdateView();
}

plotcore::ClipBox mpWindow::GetPlotArea() const {
  plotcore::ClipBox area = plotcore::WholeWindow(m_width, m_height);
  for (const auto& [key, layer] : m_layers) layer->LimitPlotArea(area, *this);
  return area;
}

wxRect mpWindow::GetPlotAreaRect() const {
  const plotcore::ClipBox a = GetPlotArea();
  return wxRect(a.left, a.top, std::max(0, a.right - a.left + 1), std::max(0, a.bottom - a.top + 1));
}

void mpWindow::DrawBackground(wxDC& dc) {
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(GetBackgroundColour(), wxBRUSHSTYLE_SOLID));
  dc.DrawRectangle(0, 0, m_width, m_height);
}

void mpWindow::DrawOverlays(wxDC& dc) {
  for (const auto& [key, layer] : m_layers) layer->PlotOverlay(dc, *this);
}

void mpWindow::RenderLayers(wxDC& dc) {
  DrawBackground(dc);
  for (const auto& [key, layer] : m_layers) layer->Plot(dc, *this);
  DrawOverlays(dc);
}

void mpWindow::DrawPicture(wxDC& dc) {
  dc.SetDeviceOrigin(0, 0);
  DrawBackground(dc);
  dc.SetDeviceOrigin(m_width / 2, m_height / 2);
  for (const auto& [key, layer] : m_layers) layer->Plot(dc, *this);
}

void mpWindow::DrawView(wxDC& dc) {
  DrawPicture(dc);
  DrawOverlays(dc);
  dc.SetDeviceOrigin(0, 0);
}

void mpWindow::DrawCachedView(wxDC& dc) {
  if (m_width <= 0 || m_height <= 0) return;
  if (m_pictureStale || !m_picture.IsOk() || m_picture.GetWidth() != m_width || m_picture.GetHeight() != m_height) {
    if (!m_picture.IsOk() || m_picture.GetWidth() != m_width || m_picture.GetHeight() != m_height) {
      m_pictureDC.SelectObject(wxNullBitmap);
      m_picture = wxBitmap(m_width, m_height);
      m_pictureDC.SelectObject(m_picture);
    }
    DrawPicture(m_pictureDC);
    m_pictureDC.SetDeviceOrigin(0, 0);
    m_pictureStale = false;
  }
  dc.SetDeviceOrigin(0, 0);
  dc.Blit(0, 0, m_width, m_height, &m_pictureDC, 0, 0);
  dc.SetDeviceOrigin(m_width / 2, m_height / 2);
  DrawOverlays(dc);
  dc.SetDeviceOrigin(0, 0);
}

void mpWindow::RefreshOverlay() { wxScrolledWindow::Refresh(false); }

void mpWindow::Refresh(bool eraseBackground, const wxRect* rect) {
  m_pictureStale = true;
  wxScrolledWindow::Refresh(eraseBackground, rect);
}

void mpWindow::OnPaint(wxPaintEvent&) {
  wxPaintDC paintDC(this);
  // The client size, not the paint DC's: on GTK3 the DC can still report the size from before
  // a resize (or include the scroll bars), and the layers must fit what is shown.
  GetClientSize(&m_width, &m_height);
  if (m_width <= 0 || m_height <= 0) return;  // nothing to show, and no 0-pixel bitmap
  if (!m_doubleBuffer) {
    DrawView(paintDC);
    DrawFocusFrame(paintDC);
    return;
  }
  // Through the off-screen bitmap, so the overlays never flicker over the picture.
  if (m_buffWidth != m_width || m_buffHeight != m_height || !m_buffBmp) {
    m_buffDC.SelectObject(wxNullBitmap);
    delete m_buffBmp;
    m_buffBmp = new wxBitmap(m_width, m_height);
    m_buffDC.SelectObject(*m_buffBmp);
    m_buffWidth = m_width;
    m_buffHeight = m_height;
  }
  DrawCachedView(m_buffDC);
  paintDC.Blit(0, 0, m_width, m_height, &m_buffDC, 0, 0);
  DrawFocusFrame(paintDC);
}

// On screen only, never in a snapshot or a printout: the frame the other controls show while
// they have the keyboard (the same blue), so a keyboard user sees that Home, + and - go here.
void mpWindow::DrawFocusFrame(wxDC& dc) {
  if (!HasFocus()) return;
  dc.SetPen(wxPen(wxColour(0x1a, 0x5f, 0xb4), 2));
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.DrawRectangle(1, 1, m_width - 1, m_height - 1);
}

// Drawn off screen as a paint would draw it, not copied from the screen: a dialog over the
// window, or a part not yet painted after a resize, would otherwise end up in the picture.
wxBitmap mpWindow::SnapshotBitmap() {
  GetClientSize(&m_width, &m_height);
  if (m_width <= 0 || m_height <= 0) return wxBitmap();
  wxBitmap bmp(m_width, m_height);
  wxMemoryDC mem(bmp);
  DrawView(mem);
  mem.SelectObject(wxNullBitmap);
  return bmp;
}

void mpWindow::OnSize(wxSizeEvent&) {
  // A resize keeps the data range in view, not the pixel scale: a fitted plot stays fitted.
  const wxSize size = GetSize();
  if (m_keptSize.x > 0 && m_keptSize.y > 0 && size != m_keptSize && size.x > 0 && size.y > 0)
    plotcore::KeepRangeOnResize(*this, m_keptSize.x, m_keptSize.y, size.x, size.y);
  if (size.x > 0 && size.y > 0) m_keptSize = size;
  // The next paint reads the size again; taking it now lets a printout or a snapshot made
  // before that paint use the new size.
  GetClientSize(&m_width, &m_height);
  UpdateView();
}

void mpWindow::OnScroll(wxScrollWinEvent& event) {
  // Let the scroll helper move the view start first, so the centre follows the scroll bar's
  // new position rather than the one before this event.
  HandleOnScroll(event);
  int w, h, vx, vy;
  GetClientSize(&w, &h);
  GetViewStart(&vx, &vy);
  if (event.GetOrientation() == wxHORIZONTAL)
    m_centreX = plotcore::CentreXFromScroll(*this, w, vx);
  else
    plotcore::MoveYTo(*this, plotcore::CentreYFromScroll(*this, h, vy));
  if (!GetChildren().empty()) FitInside();
  Refresh(false);
}

void mpWindow::OnMouseRightDown(wxMouseEvent& event) {
  SetFocus();  // for the keys
  m_movedSinceRightDown = false;
  m_panX = event.GetX();
  m_panY = event.GetY();
  if (m_mouseNavigation) SetCursor(wxCursor(wxCURSOR_SIZING));
}

void mpWindow::OnShowPopupMenu(wxMouseEvent& event) {
  if (m_mouseNavigation) UpdateCursor();  // back to the arrow, or the cross-hair while measuring
  if (m_movedSinceRightDown) return;
  m_popupX = event.GetX();
  m_popupY = event.GetY();
  ShowPopupMenu(m_popupX, m_popupY);
}

void mpWindow::ShowPopupMenu(int x, int y) { PopupMenu(&m_popmenu, x, y); }

void mpWindow::OnMouseLeftDown(wxMouseEvent& event) {
  SetFocus();  // for the keys
  m_markX = event.GetX();
  m_markY = event.GetY();
  if (m_measureFlow || m_measurePressure) MeasureAtColumn(m_markX);
  event.Skip();
}

void mpWindow::OnMouseLeftRelease(wxMouseEvent& event) { event.Skip(); }

void mpWindow::OnMouseMove(wxMouseEvent& event) {
  if (!m_mouseNavigation) {
    event.Skip();
    return;
  }
  if (event.RightIsDown()) {
    m_movedSinceRightDown = true;
    const int dx = m_panX - event.GetX();
    const int dy = m_panY - event.GetY();
    m_panX = event.GetX();
    m_panY = event.GetY();
    plotcore::PanBy(*this, dx, dy);
    UpdateView();
  }
  if (event.LeftIsDown()) {
    // The legend follows the pointer; while measuring, so does the cross-hair.
    m_legendX -= m_markX - event.GetX();
    m_legendY -= m_markY - event.GetY();
    m_markX = event.GetX();
    m_markY = event.GetY();
    if (m_measureFlow || m_measurePressure) MeasureAtColumn(m_markX);
    RefreshOverlay();
  }
}

void mpWindow::OnMouseWheel(wxMouseEvent& event) {
  if (!m_mouseNavigation) {
    event.Skip();
    return;
  }
  const int rotation = event.GetWheelRotation();
  if (event.ControlDown()) {
    if (rotation > 0)
      ZoomInStep();
    else
      ZoomOutStep();
    return;
  }
  plotcore::WheelScroll(*this, rotation, event.ShiftDown());
  UpdateView();
}

void mpWindow::OnCenter(wxCommandEvent&) {
  int w, h;
  GetClientSize(&w, &h);
  plotcore::CentreOnPixel(*this, m_popupX, m_popupY, w, h);
  UpdateView();
}

void mpWindow::OnFit(wxCommandEvent&) { Fit(); }

void mpWindow::OnZoomIn(wxCommandEvent&) {
  int w, h;
  GetClientSize(&w, &h);
  plotcore::CentreOnPixel(*this, m_popupX, m_popupY, w, h);
  ZoomInStep();
}

void mpWindow::OnZoomOut(wxCommandEvent&) { ZoomOutStep(); }

void mpWindow::OnLockAspect(wxCommandEvent&) { SetAspectLock(!m_aspectLock); }

// Home shows everything, + and - zoom, as the popup does. Handled here, before the scroll
// helper would take Home to scroll to the start.
void mpWindow::OnChar(wxKeyEvent& event) {
  switch (event.GetKeyCode()) {
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
      Fit();
      break;
    case '+':
    case WXK_ADD:
    case WXK_NUMPAD_ADD:
      ZoomInStep();
      break;
    case '-':
    case WXK_SUBTRACT:
    case WXK_NUMPAD_SUBTRACT:
      ZoomOutStep();
      break;
    default:
      event.Skip();
  }
}

void mpWindow::OnMouseHelp(wxCommandEvent&) {
  wxMessageBox(Tr("Unterstützte Mausbefehle"), Tr("Diagramm Hilfe"), wxOK, this);
}
