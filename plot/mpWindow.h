// The plot window: a table of layers drawn over one another through an off-screen bitmap,
// three world-to-pixel scales (x, primary y, right-hand y), and mouse, wheel, scroll bar and
// popup menu navigation.
#pragma once

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/scrolwin.h>

#include <map>
#include <vector>

#include "plot/PlotView.h"
#include "plot/mpLayer.h"

enum {
  mpID_FIT = 2000,
  mpID_ZOOM_IN,
  mpID_ZOOM_OUT,
  mpID_CENTER,
  mpID_LOCKASPECT,
  mpID_HELP_MOUSE,
};

class mpWindow : public wxScrolledWindow, protected plotcore::ViewState {
 public:
  mpWindow(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
           long style = 0);
  ~mpWindow() override;

  // The window does not own its layers. A layer goes under the key after the highest one in
  // use (0 in an empty table), so inserting never pushes another layer out.
  bool InsertLayer(mpLayer* layer);
  bool RemoveLayer(int key);
  mpLayer* LayerAt(int key) const;  // nullptr when the key is not in the table
  int CountLayers() const { return static_cast<int>(m_layers.size()); }
  std::vector<mpLayer*> LayersInOrder() const;

  void UpdateView();
  void Fit() override;
  void ZoomInStep();
  void ZoomOutStep();
  void SetAspectLock(bool on);
  bool IsAspectLocked() const { return m_aspectLock; }
  void SetFlowMeasuring(bool on);
  void SetPressureMeasuring(bool on);
  // Measures at a pixel column (counted from the left edge), as a click in measuring mode
  // does: the curves of the mode take their nearest point there. A column outside the plot
  // area measures nothing.
  void MeasureAtColumn(int column);

  // Background and every layer on a device context whose origin the caller has set.
  void RenderLayers(wxDC& dc);
  // Everything a paint shows, drawn afresh on any device context of the window's size:
  // background, then the layers with the origin in the middle, then their overlays.
  void DrawView(wxDC& dc);
  // The same picture as a paint makes it: the layers from a cached picture, redrawn only
  // after the view or a layer changed (any Refresh), and the overlays over it.
  void DrawCachedView(wxDC& dc);
  // Repaints only what measuring changes: the overlays over the cached picture.
  void RefreshOverlay();
  // Every repaint asked for from outside redraws the layers too.
  void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;
  // The pixels the window shows now (no repaint); an invalid bitmap for an empty window.
  wxBitmap SnapshotBitmap();

  // Read access for the layers.
  double GetPxPerUnitX() const { return m_pxPerUnitX; }
  double GetPxPerUnitY() const { return m_pxPerUnitY; }
  double GetPxPerUnitY2() const { return m_pxPerUnitY2; }
  double GetCentreX() const { return m_centreX; }
  double GetCentreY() const { return m_centreY; }
  double GetCentreY2() const { return m_centreY2; }
  int GetPlotWidth() const { return m_width; }
  int GetPlotHeight() const { return m_height; }
  int GetMarkX() const { return m_markX; }
  int GetMarkY() const { return m_markY; }
  double GetLegendX() const { return m_legendX; }
  double GetLegendY() const { return m_legendY; }
  // Where the data is drawn: the pixels between the axes (the whole window without axes),
  // relative to the window centre. Curves, points, markers and the cross-hair stay inside.
  plotcore::ClipBox GetPlotArea() const;
  wxRect GetPlotAreaRect() const;
  bool IsFlowMeasuring() const { return m_measureFlow; }
  bool IsPressureMeasuring() const { return m_measurePressure; }
  const plotcore::ViewState& GetView() const { return *this; }

  // For callers that place the view themselves (and for tests).
  void SetPxPerUnit(double x, double y, double y2);
  void SetCentre(double x, double y, double y2);
  void SetMouseNavigation(bool on) { m_mouseNavigation = on; }
  void SetDoubleBuffer(bool on) { m_doubleBuffer = on; }

 protected:
  // Opens the popup menu; a hook so that tests can see it open without a nested menu loop.
  virtual void ShowPopupMenu(int x, int y);
  wxMenu& GetPopupMenu() { return m_popmenu; }

  void OnPaint(wxPaintEvent& event);
  void OnSize(wxSizeEvent& event);
  void OnScroll(wxScrollWinEvent& event);
  void OnMouseRightDown(wxMouseEvent& event);
  void OnShowPopupMenu(wxMouseEvent& event);
  void OnMouseLeftDown(wxMouseEvent& event);
  void OnMouseLeftRelease(wxMouseEvent& event);
  void OnMouseWheel(wxMouseEvent& event);
  void OnMouseMove(wxMouseEvent& event);
  void OnFit(wxCommandEvent& event);
  void OnZoomIn(wxCommandEvent& event);
  void OnZoomOut(wxCommandEvent& event);
  void OnCenter(wxCommandEvent& event);
  void OnLockAspect(wxCommandEvent& event);
  void OnMouseHelp(wxCommandEvent& event);
  void OnChar(wxKeyEvent& event);

 private:
  bool CollectBounds();
  void UpdateCursor();
  void DrawBackground(wxDC& dc);
  // Background and the layers, the origin left in the middle.
  void DrawPicture(wxDC& dc);
  void DrawOverlays(wxDC& dc);
  void DrawFocusFrame(wxDC& dc);

  std::map<int, mpLayer*> m_layers;
  wxMenu m_popmenu;
  int m_width = 64;
  int m_height = 64;
  // The outer size the scales were last kept for on a resize (0 before the first size event).
  // Not the client size: scroll bars coming and going must not rescale the view.
  wxSize m_keptSize{0, 0};
  int m_popupX = 0, m_popupY = 0;
  int m_buffWidth = 0, m_buffHeight = 0;
  wxMemoryDC m_buffDC;
  wxBitmap* m_buffBmp = nullptr;
  // The layers without their overlays, as last drawn.
  wxMemoryDC m_pictureDC;
  wxBitmap m_picture;
  bool m_pictureStale = true;
  bool m_doubleBuffer = true;
  bool m_mouseNavigation = true;
  bool m_movedSinceRightDown = false;
  int m_panX = 0, m_panY = 0;
  int m_markX = 0, m_markY = 0;
  double m_legendX = 0.0, m_legendY = 0.0;
  bool m_measureFlow = false;
  bool m_measurePressure = false;

  wxDECLARE_DYNAMIC_CLASS_NO_COPY(mpWindow);
  wxDECLARE_EVENT_TABLE();
};
