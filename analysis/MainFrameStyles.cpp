// Line colours and widths of the curves.
#include "analysis/PenDialog.h"
#include "app/MainFrame.h"
#include "plot/Plot.h"

#include <wx/colordlg.h>

#include <initializer_list>

namespace {

void SetColour(std::initializer_list<mpLayer*> curves, const wxColour& colour) {
  // A colour change gives a fresh pen; the earlier width is not kept.
  for (mpLayer* curve : curves) curve->SetPen(wxPen(colour, 5, wxPENSTYLE_SOLID));
}

void SetWidth(std::initializer_list<mpLayer*> curves, const wxPen& from, int width) {
  wxPen pen = from;
  pen.SetWidth(width);
  for (mpLayer* curve : curves) curve->SetPen(pen);
}

}  // namespace

// The chooser opens on the curve's present colour.
bool MainFrame::ChoosePlotColour(const wxColour& current) {
  wxColourData data;
  data.SetChooseFull(true);
  data.SetColour(current);
  for (int i = 0; i < 16; ++i) data.SetCustomColour(i, wxColour(16 * i, 16 * i, 16 * i));
  wxColourDialog dialog(this, &data);
  if (dialog.ShowModal() != wxID_OK) return false;
  m_chosenColour = dialog.GetColourData().GetColour();
  return true;
}

bool MainFrame::ChooseLineWidth(int width, int& chosen) {
  PenDialog dialog(this, width);
  if (dialog.ShowModal() != PEN_DIALOG_OK) return false;
  chosen = dialog.GetWidth();
  return true;
}

void MainFrame::OnColourFlow(wxCommandEvent&) {
  if (!ChoosePlotColour(m_flowSeries->GetPen().GetColour())) return;
  SetColour({m_flowSeries.get()}, m_chosenColour);
  m_plot->UpdateView();
}

void MainFrame::OnColourVolume(wxCommandEvent&) {
  if (!ChoosePlotColour(m_volumeSeries->GetPen().GetColour())) return;
  SetColour({m_volumeSeries.get()}, m_chosenColour);
  m_plot->UpdateView();
}

void MainFrame::OnColourPressure(wxCommandEvent&) {
  if (!ChoosePlotColour(m_pressureSeries->GetPen().GetColour())) return;
  SetColour({m_pressureSeries.get(), m_pressureSeriesRight.get()}, m_chosenColour);
  m_plot->UpdateView();
}

// Flow and volume widths are remembered for the drawing mode in force, so the points toggle
// applies them to every curve later.
void MainFrame::OnWidthFlow(wxCommandEvent&) {
  int width = 0;
  if (!ChooseLineWidth(m_flowSeries->GetPen().GetWidth(), width)) return;
  (m_pointsMode ? m_pointWidth : m_lineWidth) = width;
  SetWidth({m_flowSeries.get()}, m_flowSeries->GetPen(), width);
  m_plot->UpdateView();
}

void MainFrame::OnWidthVolume(wxCommandEvent&) {
  int width = 0;
  if (!ChooseLineWidth(m_volumeSeries->GetPen().GetWidth(), width)) return;
  (m_pointsMode ? m_pointWidth : m_lineWidth) = width;
  SetWidth({m_volumeSeries.get()}, m_volumeSeries->GetPen(), width);
  m_plot->UpdateView();
}

// The pressure width applies to both pressure curves only; the points toggle does not take it.
void MainFrame::OnWidthPressure(wxCommandEvent&) {
  int width = 0;
  if (!ChooseLineWidth(m_pressureSeries->GetPen().GetWidth(), width)) return;
  SetWidth({m_pressureSeries.get(), m_pressureSeriesRight.get()}, m_pressureSeries->GetPen(), width);
  m_plot->UpdateView();
}
