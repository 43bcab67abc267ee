// The moving-average filter: the Filter button and the settings command.
#include "analysis/FilterDialog.h"
#include "app/MainFrame.h"
#include "app/ToggleLook.h"
#include "app/wxVellButton.h"
#include "resources/Pictures.h"

void MainFrame::OnFilter(wxCommandEvent&) { FilterAction(); }

void MainFrame::ShowFilterState() { ShowToggleState(m_filterButton, PictureFilter, m_filterOn); }

// Works on the recording on show; without one nothing changes.
void MainFrame::FilterAction() {
  const int i = m_recordings.Shown();
  if (i < 0) return;
  m_filterOn = !m_filterOn;
  ShowFilterState();
  m_recordings[static_cast<size_t>(i)].ApplyFilter(m_filterOn, m_filterHalfWidth);
  ShowRecording(i);
  RefreshMeasuredReadouts();  // the markers kept their points; the readouts take their new values
}

void MainFrame::OnFilterSettings(wxCommandEvent&) {
  FilterDialog dialog(this, m_filterHalfWidth);
  if (dialog.ShowModal() != FILTER_DIALOG_OK) return;
  m_filterHalfWidth = dialog.GetHalfWidth();
  const int i = m_recordings.Shown();
  if (i < 0) return;
  // Unfiltered first, then the button's action filters again with the new width if it was on.
  m_recordings[static_cast<size_t>(i)].ApplyFilter(false, m_filterHalfWidth);
  m_filterOn = !m_filterOn;
  FilterAction();
}
