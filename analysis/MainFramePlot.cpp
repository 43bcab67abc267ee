// The plot assembly: the ten layers, the three views, loading a recording and the units.
#include <wx/stattext.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/ToggleLook.h"
#include "app/wxVellButton.h"
#include "device/LoggerInfo.h"
#include "i18n/Tr.h"
#include "live/kwxLCDDisplay.h"
#include "plot/Plot.h"

namespace {

wxFont LayerFont(int points) { return wxFont(wxFontInfo(points).Family(wxFONTFAMILY_SWISS).Bold()); }

struct FlowUnitTexts {
  const char* flowAxis;
  const char* volumeAxis;
  const char* flowUnit;
  const char* volumeUnit;
};

FlowUnitTexts FlowUnits(int flowUnitLitres) {
  if (flowUnitLitres == 1) return {TrNoop("Durchfluss (Liter/min)"), TrNoop("Liter"), "l/min", TrNoop("Liter")};
  return {TrNoop("Durchfluss (Gallone/min)"), TrNoop("Gallone"), "g/min", TrNoop("Gallone")};
}

}  // namespace

void MainFrame::CreatePlotLayers() {
  const wxPen grey = *wxGREY_PEN;
  m_timeAxis = std::make_unique<mpScaleX>(Tr("Zeit (mm:ss)"), 2, true, false);
  m_flowAxis = std::make_unique<mpScaleY>(Tr("Durchfluss"), 2, true, false);
  m_volumeAxis = std::make_unique<mpScaleY>(Tr("Volumen"), 2, true, false);
  m_pressureAxisRight = std::make_unique<mpScaleYVell>(Tr("Druck"), 5, true);
  m_pressureAxis = std::make_unique<mpScaleY>(Tr("Druck"), 2, true, false);
  m_flowAxis->SetCaption(Tr("Durchfluss"));
  m_volumeAxis->SetCaption(Tr("Volumen"));
  m_pressureAxis->SetCaption(Tr("Druck"));

  m_flowSeries = std::make_unique<mpFXYVector>(wxEmptyString, 0);
  m_volumeSeries = std::make_unique<mpFXYVector>(wxEmptyString, 0);
  m_pressureSeries = std::make_unique<mpFXYVector>(wxEmptyString, 0);
  m_pressureSeriesRight = std::make_unique<mpFXYVectorVell>(wxEmptyString, 0);
  m_flowSeries->SetPen(wxPen(wxColour(0, 0, 255), 2, wxPENSTYLE_SOLID));
  m_volumeSeries->SetPen(wxPen(wxColour(0, 0, 255), 2, wxPENSTYLE_SOLID));
  m_pressureSeries->SetPen(wxPen(wxColour(255, 0, 0), 2, wxPENSTYLE_SOLID));
  m_pressureSeriesRight->SetPen(wxPen(wxColour(255, 0, 0), 2, wxPENSTYLE_SOLID));

  m_legend = std::make_unique<mpInfoLegend>(wxRect(200, 20, 40, 40), wxTRANSPARENT_BRUSH);

  for (mpLayer* axis : std::initializer_list<mpLayer*>{m_timeAxis.get(), m_flowAxis.get(), m_volumeAxis.get(),
                                                       m_pressureAxisRight.get(), m_pressureAxis.get()}) {
    axis->SetPen(grey);
    axis->SetFont(LayerFont(9));
  }
  for (mpLayer* series : std::initializer_list<mpLayer*>{m_flowSeries.get(), m_volumeSeries.get(),
                                                         m_pressureSeries.get(), m_pressureSeriesRight.get()}) {
    series->SetFont(LayerFont(9));
    series->SetContinuity(true);
  }
  m_legend->SetFont(LayerFont(10));
  m_plot->InsertLayer(m_timeAxis.get());
}

void MainFrame::RebuildPlotLayers() {
  for (int key = 0; key <= 5; ++key) m_plot->RemoveLayer(key);
  for (mpLayer* axis :
       std::initializer_list<mpLayer*>{m_timeAxis.get(), m_flowAxis.get(), m_volumeAxis.get(), m_pressureAxis.get()})
    axis->SetTicks(!m_showGrid);

  if (m_showFlow || m_showVolume) {
    mpScaleY* axis = m_showFlow ? m_flowAxis.get() : m_volumeAxis.get();
    mpFXYVector* series = m_showFlow ? m_flowSeries.get() : m_volumeSeries.get();
    m_timeAxis->SetReserveRight(m_showPressure);
    axis->SetReserveRight(m_showPressure);
    series->SetSeriesLabel(m_showFlow ? Tr("Durchfluss") : Tr("Volumen"));
    m_plot->InsertLayer(m_timeAxis.get());
    m_plot->InsertLayer(axis);
    m_plot->InsertLayer(series);
    if (m_showPressure) {
      m_pressureSeriesRight->SetSeriesLabel(Tr("Druck"));
      m_plot->InsertLayer(m_pressureAxisRight.get());
      m_plot->InsertLayer(m_pressureSeriesRight.get());
    }
    m_plot->InsertLayer(m_legend.get());
  } else if (m_showPressure) {
    m_timeAxis->SetReserveRight(false);
    m_pressureAxis->SetCaption(Tr("Druck"));
    m_pressureSeries->SetSeriesLabel(Tr("Druck"));
    m_plot->InsertLayer(m_timeAxis.get());
    m_plot->InsertLayer(m_pressureAxis.get());
    m_plot->InsertLayer(m_pressureSeries.get());
    m_plot->InsertLayer(m_legend.get());
  }
}

void MainFrame::ApplyUnitLabels(int index) {
  const bool fromRecording = index >= 0 && index < static_cast<int>(m_recordings.size());
  const Storage* rec = fromRecording ? &m_recordings[static_cast<size_t>(index)] : nullptr;
  const int flowUnit = rec ? rec->GetFlowUnitLitres() : g_flowUnitLitres;
  const unsigned char pressureUnit = rec ? static_cast<unsigned char>(rec->GetPressureUnit()) : g_pressureUnit;

  const FlowUnitTexts flow = FlowUnits(flowUnit);
  m_flowAxis->SetName(Tr(flow.flowAxis));
  m_volumeAxis->SetName(Tr(flow.volumeAxis));
  m_flowSeries->SetUnitText(flow.flowUnit);
  m_volumeSeries->SetUnitText(Tr(flow.volumeUnit));
  if (m_showFlow) m_flowUnitLabel->SetLabel(flow.flowUnit);
  if (m_showVolume) m_flowUnitLabel->SetLabel(Tr(flow.volumeUnit));

  const bool psi = pressureUnit == 'p';
  const wxString pressureAxis = psi ? Tr("Druck (psi)") : Tr("Druck (bar)");
  const wxString pressureText = psi ? "psi" : "Bar";
  m_pressureAxisRight->SetName(pressureAxis);
  m_pressureAxis->SetName(pressureAxis);
  m_pressureSeries->SetUnitText(pressureText);
  m_pressureSeriesRight->SetUnitText(pressureText);
  m_pressureUnitLabel->SetLabel(pressureText);
}

void MainFrame::ShowRecording(int index) {
  if (index < 0 || index >= static_cast<int>(m_recordings.size())) return;
  // The set announces a change of the shown recording; showing the same one again (after the
  // filter changed its values) reloads it here.
  if (index == m_recordings.Shown())
    LoadShownRecording();
  else
    m_recordings.Show(index);
}

void MainFrame::LoadShownRecording() {
  const int index = m_recordings.Shown();
  const bool extend = m_seriesOnlyGrew && index == m_lastMarkedRecording && index >= 0;
  m_seriesOnlyGrew = false;
  static const std::vector<float> none;
  const Storage* rec = index >= 0 ? &m_recordings[static_cast<size_t>(index)] : nullptr;
  const std::vector<float>& time = rec ? rec->GetTime() : none;
  // The curves read the recording's own arrays (a week of live samples is too much to hold
  // twice). Whatever changes the set notifies, and every notification comes here before
  // anything draws, so the curves never read arrays that have moved or gone. A live tick only
  // appended to the recording already on show: the curves look at the new samples only.
  for (auto [series, values] : {std::pair{m_flowSeries.get(), rec ? &rec->GetFlow() : &none},
                                std::pair{m_volumeSeries.get(), rec ? &rec->GetVolume() : &none},
                                std::pair{m_pressureSeries.get(), rec ? &rec->GetPressure() : &none}}) {
    if (extend)
      series->ExtendView(time, *values);
    else
      series->ViewPoints(time, *values);
  }
  if (extend)
    m_pressureSeriesRight->ExtendView(time, rec->GetPressure());
  else
    m_pressureSeriesRight->ViewPoints(time, rec ? rec->GetPressure() : none);

  const wxString title =
      rec ? wxString::FromUTF8(rec->GetTitle()) + " " + wxString::FromUTF8(rec->GetDateTime()) : wxString();
  const wxString subtitle = rec ? wxString::FromUTF8(rec->GetInfo()) : wxString();
  const wxString footnote = rec && rec->GetSerialNumber() != 0
                                ? wxString::Format(Tr("Corvane Serial No. %d"), rec->GetSerialNumber())
                                : wxString();
  const bool newRecording = index != m_lastMarkedRecording || !rec;
  for (mpLayer* series : std::initializer_list<mpLayer*>{m_flowSeries.get(), m_volumeSeries.get(),
                                                         m_pressureSeries.get(), m_pressureSeriesRight.get()}) {
    series->SetName(title);
    series->SetSubtitle(subtitle);
    if (newRecording) series->SetHasMarker(false);
    series->SetFootnote(footnote);
  }
  if (newRecording) {
    m_lastMarkedRecording = index;
    // Readouts of a measurement belong to the recording it was made on.
    if (!IsLive()) {
      m_clockLcd->ShowElapsed(0);
      m_flowLcd->SetText("0");
      m_pressureLcd->SetText("0.0");
    }
  }
  ApplyUnitLabels(index);
  m_plot->UpdateView();
  m_plot->Fit();
}

// Ends every view command: the units, the layers of the new view, a fit. The units are
// those of the recording on show (its values are stored in them), else the logger's.
static void FinishViewCommand(MainFrame& frame) {
  frame.ApplyUnitLabels(frame.m_recordings.Shown());
  frame.RebuildPlotLayers();
  frame.m_plot->Fit();
}

void MainFrame::OnViewFlow(wxCommandEvent&) {
  m_showFlow = !m_showFlow;
  m_showVolume = false;
  ShowToggleState(m_viewFlowButton, PictureViewFlow, m_showFlow);
  ShowToggleState(m_viewVolumeButton, PictureViewVolume, false);
  FinishViewCommand(*this);
}

void MainFrame::OnViewVolume(wxCommandEvent&) {
  if (!m_showVolume) {
    m_showVolume = true;
    m_showFlow = false;
    ShowToggleState(m_viewVolumeButton, PictureViewVolume, true);
    ShowToggleState(m_viewFlowButton, PictureViewFlow, false);
  }
  FinishViewCommand(*this);
}

void MainFrame::OnViewPressure(wxCommandEvent&) {
  m_showPressure = !m_showPressure;
  ShowToggleState(m_viewPressureButton, PictureViewPressure, m_showPressure);
  FinishViewCommand(*this);
}
