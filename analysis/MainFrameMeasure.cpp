// Measuring on the curves, the zoom buttons and the grid and data-point toggles.
#include <cmath>
#include <initializer_list>

#include "app/MainFrame.h"
#include "app/ToggleLook.h"
#include "app/wxVellButton.h"
#include "live/kwxLCDDisplay.h"
#include "plot/Plot.h"

namespace {

// The event's numbers always use a decimal point; an unreadable one drops the measurement.
bool ReadNumber(const wxString& text, double& value) {
  wxString t = text;
  t.Trim(true).Trim(false);
  return !t.empty() && t.ToCDouble(&value);
}

// Readouts and stored texts use a decimal point whatever the locale: the LCDs and the work
// file expect one.
wxString Fixed(double value, int decimals) { return wxString::FromCDouble(value, decimals); }

}  // namespace

void MainFrame::OnZoomIn(wxCommandEvent&) { m_plot->ZoomInStep(); }

void MainFrame::OnZoomOut(wxCommandEvent&) { m_plot->ZoomOutStep(); }

void MainFrame::OnZoomFit(wxCommandEvent&) { m_plot->Fit(); }

// The two measuring modes exclude each other.
void MainFrame::OnMeasureFlow(wxCommandEvent& event) {
  if (m_measureFlowOn) {
    ShowToggleState(m_measureFlowButton, PictureMeasureFlow, false);
    m_measureFlowOn = false;
    m_plot->SetFlowMeasuring(false);
  } else {
    ShowToggleState(m_measureFlowButton, PictureMeasureFlow, true);
    m_measureFlowOn = true;
    m_plot->SetFlowMeasuring(true);
    if (m_measurePressureOn) OnMeasurePressure(event);
  }
  RebuildPlotLayers();
}

void MainFrame::OnMeasurePressure(wxCommandEvent& event) {
  if (m_measurePressureOn) {
    ShowToggleState(m_measurePressureButton, PictureMeasurePressure, false);
    m_measurePressureOn = false;
    m_plot->SetPressureMeasuring(false);
  } else {
    ShowToggleState(m_measurePressureButton, PictureMeasurePressure, true);
    m_measurePressureOn = true;
    m_plot->SetPressureMeasuring(true);
    if (m_measureFlowOn) OnMeasureFlow(event);
  }
  RebuildPlotLayers();
}

void MainFrame::OnGrid(wxCommandEvent&) {
  m_showGrid = !m_showGrid;
  ShowToggleState(m_gridButton, PictureGrid, m_showGrid);
  RebuildPlotLayers();
}

// Every curve keeps its colour and style and takes the width of the new drawing mode.
void MainFrame::OnPoints(wxCommandEvent&) {
  m_pointsMode = !m_pointsMode;
  ShowToggleState(m_pointsButton, PicturePoints, m_pointsMode);
  const int width = m_pointsMode ? m_pointWidth : m_lineWidth;
  for (mpLayer* curve : std::initializer_list<mpLayer*>{m_flowSeries.get(), m_volumeSeries.get(),
                                                        m_pressureSeries.get(), m_pressureSeriesRight.get()}) {
    wxPen pen = curve->GetPen();
    pen.SetWidth(width);
    curve->SetPen(pen);
    curve->SetContinuity(!m_pointsMode);
  }
  RebuildPlotLayers();
}

// A curve reports the point it measured: 1 from a left-axis curve ("x y"), 2 from the
// right-hand pressure curve ("y x").
void MainFrame::OnMeasure(wxCommandEvent& event) {
  const wxString text = event.GetString();
  const int blank = text.Find(' ');
  if (blank == wxNOT_FOUND) return;
  const int which = event.GetInt();
  double first = 0, second = 0;
  if (!ReadNumber(text.Left(blank), first)) return;
  const bool haveSecond = ReadNumber(text.Mid(blank + 1), second);
  if (which == 1 && haveSecond)
    ShowMeasurement(1, first, second);
  else if (which == 2)
    ShowMeasurement(2, haveSecond ? second : std::nan(""), first);
}

// Readouts and the recording's stored texts for a measured point; x is NaN when unknown.
void MainFrame::ShowMeasurement(int which, double x, double y) {
  const int shown = m_recordings.Shown();
  const bool stored = shown >= 0;
  // Both modes show the point's time, so the clock never keeps the other mode's.
  if (!std::isnan(x)) m_clockLcd->ShowElapsed(static_cast<float>(x));
  if (which == 1) {
    if (m_showFlow) {
      const wxString flow = Fixed(y, 0);
      m_flowLcd->SetText(flow);
      if (stored) m_recordings[static_cast<size_t>(shown)].SetFlowMeasurement(std::string(flow.utf8_str()));
    } else if (m_showPressure && !m_showVolume) {
      const wxString pressure = Fixed(y, 2);
      m_pressureLcd->SetText(pressure);
      if (stored) m_recordings[static_cast<size_t>(shown)].SetPressureMeasurement(std::string(pressure.utf8_str()));
    } else if (m_showVolume) {
      m_flowLcd->SetText(Fixed(y, 0));
    }
  } else if (which == 2) {
    const wxString pressure = Fixed(y, 2);
    m_pressureLcd->SetText(pressure);
    if (stored) m_recordings[static_cast<size_t>(shown)].SetPressureMeasurement(std::string(pressure.utf8_str()));
  }
}

// After the curves took new values (the filter switched on or off), the readouts show the
// marked points' values as the curves now draw them. The curve of the measuring mode in use
// comes last, so the clock shows its time.
void MainFrame::RefreshMeasuredReadouts() {
  mpFXYVector* left = m_showFlow       ? m_flowSeries.get()
                      : m_showVolume   ? m_volumeSeries.get()
                      : m_showPressure ? m_pressureSeries.get()
                                       : nullptr;
  mpFXYVectorVell* right = (m_showFlow || m_showVolume) && m_showPressure ? m_pressureSeriesRight.get() : nullptr;
  const auto showLeft = [&] {
    if (left && left->HasMarker()) ShowMeasurement(1, left->GetMarkerX(), left->GetMarkerValue());
  };
  const auto showRight = [&] {
    if (right && right->HasMarker()) ShowMeasurement(2, right->GetMarkerX(), right->GetMarkerValue());
  };
  if (m_measurePressureOn) {
    showLeft();
    showRight();
  } else {
    showRight();
    showLeft();
  }
}
