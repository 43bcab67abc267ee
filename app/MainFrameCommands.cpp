// The main window's command table and the commands of the shell itself.
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/SettingsFile.h"
#include "app/TipsDialog.h"
#include "plot/MeasureEvent.h"
#include "settings/SettingsDialog.h"

#include <wx/dataview.h>
#include <wx/msgdlg.h>

// clang-format off
wxBEGIN_EVENT_TABLE(MainFrame, wxFrame)
  // shell and logger
  EVT_MENU(ID_QUIT, MainFrame::OnQuit)
  EVT_MENU(ID_SHOW_TIPS, MainFrame::OnShowTips)
  EVT_MENU(wxID_ABOUT, MainFrame::OnAbout)
  EVT_MENU_RANGE(wxID_FILE1, wxID_FILE9, MainFrame::OnRecentFile)
  EVT_COMMAND(wxID_ANY, vrxEVT_TIPS_FLAG, MainFrame::OnTipsFlag)
  EVT_BUTTON(ID_CLEAR_MEMORY, MainFrame::OnClearMemoryCommand)
  EVT_BUTTON(ID_DEVICE_SETTINGS, MainFrame::OnDeviceSettings)
  // plot views
  EVT_BUTTON(ID_VIEW_FLOW, MainFrame::OnViewFlow)
  EVT_BUTTON(ID_VIEW_VOLUME, MainFrame::OnViewVolume)
  EVT_BUTTON(ID_VIEW_PRESSURE, MainFrame::OnViewPressure)
  // recording list, filter, work files, CSV export, download
  EVT_DATAVIEW_SELECTION_CHANGED(ID_RECORDING_LIST, MainFrame::OnListItemSelected)
  EVT_DATAVIEW_ITEM_ACTIVATED(ID_RECORDING_LIST, MainFrame::OnListItemActivated)
  EVT_BUTTON(ID_CHANGE_TITLE, MainFrame::OnChangeTitle)
  EVT_BUTTON(ID_EDIT_INFO, MainFrame::OnEditInfo)
  EVT_BUTTON(ID_REMOVE_RECORDING, MainFrame::OnRemoveRecording)
  EVT_BUTTON(ID_FILTER, MainFrame::OnFilter)
  EVT_MENU(ID_FILTER_SETTINGS, MainFrame::OnFilterSettings)
  EVT_MENU(ID_OPEN, MainFrame::OnOpenWorkFile)
  EVT_BUTTON(ID_OPEN_BUTTON, MainFrame::OnOpenWorkFile)
  EVT_MENU(ID_SAVE, MainFrame::OnSaveWorkFile)
  EVT_BUTTON(ID_SAVE, MainFrame::OnSaveWorkFile)
  EVT_MENU(ID_SAVE_AS, MainFrame::OnSaveWorkFileAs)
  EVT_MENU(ID_EXPORT_CSV, MainFrame::OnExportCsv)
  EVT_BUTTON(ID_DOWNLOAD, MainFrame::OnDownload)
  // live reading
  EVT_BUTTON(ID_LIVE_START, MainFrame::OnLiveStart)
  EVT_BUTTON(ID_LIVE_STOP, MainFrame::OnLiveStop)
  EVT_TIMER(LIVE_TIMER_ID, MainFrame::OnLiveTimer)
  // line styles and measuring
  EVT_MENU(ID_COLOUR_FLOW, MainFrame::OnColourFlow)
  EVT_MENU(ID_COLOUR_VOLUME, MainFrame::OnColourVolume)
  EVT_MENU(ID_COLOUR_PRESSURE, MainFrame::OnColourPressure)
  EVT_MENU(ID_WIDTH_FLOW, MainFrame::OnWidthFlow)
  EVT_MENU(ID_WIDTH_VOLUME, MainFrame::OnWidthVolume)
  EVT_MENU(ID_WIDTH_PRESSURE, MainFrame::OnWidthPressure)
  EVT_BUTTON(ID_ZOOM_IN, MainFrame::OnZoomIn)
  EVT_BUTTON(ID_ZOOM_OUT, MainFrame::OnZoomOut)
  EVT_BUTTON(ID_ZOOM_FIT, MainFrame::OnZoomFit)
  EVT_BUTTON(ID_MEASURE_FLOW, MainFrame::OnMeasureFlow)
  EVT_BUTTON(ID_MEASURE_PRESSURE, MainFrame::OnMeasurePressure)
  EVT_BUTTON(ID_GRID, MainFrame::OnGrid)
  EVT_BUTTON(ID_POINTS, MainFrame::OnPoints)
  EVT_COMMAND(wxID_ANY, MeasureEvent, MainFrame::OnMeasure)
  // printing and image export
  EVT_BUTTON(ID_PRINT_BUTTON, MainFrame::OnPrintPreview)
  EVT_MENU(ID_PRINT_PREVIEW, MainFrame::OnPrintPreview)
  EVT_MENU(ID_PRINT, MainFrame::OnPrint)
  EVT_BUTTON(ID_SAVE_IMAGE, MainFrame::OnSaveImage)
  // logger status
  EVT_TIMER(STATUS_TIMER_ID, MainFrame::OnMemoryStatusTimer)
wxEND_EVENT_TABLE()
// clang-format on

// Not forced: a forced close cannot be vetoed, so answering Yes to the save question would
// still end the program and lose the unsaved recordings.
void MainFrame::OnQuit(wxCommandEvent&) { Close(); }

void MainFrame::OnClose(wxCloseEvent& event) {
  if (m_recordings.HasUnsavedRecordings() && event.CanVeto()) {
    const int answer = wxMessageBox("Do you wish to save data before closing?", "Before you close",
                                    wxYES_NO | wxCANCEL | wxICON_INFORMATION, this);
    // Yes saves first (asking for a name when there is no work file); the window closes only
    // once the recordings are in a file. Cancel keeps the window as it was.
    if (answer == wxCANCEL || (answer == wxYES && !OnSaveWorkFile())) {
      event.Veto();
      return;
    }
  }
  event.Skip();
}

void MainFrame::OnShowTips(wxCommandEvent&) { (new TipsDialog(this, g_showTips))->Show(); }

void MainFrame::OnTipsFlag(wxCommandEvent& event) { g_showTips = event.GetId() == 1; }

// The dialog reads and changes the logger through a link of its own.
void MainFrame::OnDeviceSettings(wxCommandEvent&) {
  SettingsDialog dialog(this);
  dialog.ShowModal();
}
