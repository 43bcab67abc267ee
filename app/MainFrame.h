#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include <memory>
#include <vector>

#include "recordings/RecordingSet.h"

class VellUSB;
class mpWindow;
class mpScaleX;
class mpScaleY;
class mpScaleYVell;
class mpFXYVector;
class mpFXYVectorVell;
class mpInfoLegend;
class kwxLCDDisplay;
class kwxLCDClock;
class wxVellButton;
class wxBitmapButton;
class wxButton;
class wxGauge;
class wxDataViewListCtrl;
class wxDataViewEvent;
class wxPanel;
class wxStaticText;

// The main window: owner of the recording set, the device link, the plot, the live displays
// and the two timers.
class MainFrame : public wxFrame {
 public:
  // `settingsDirectory` is where the settings file lives; empty means beside the executable.
  MainFrame(const wxString& title, const wxPoint& pos, const wxSize& size,
            const wxString& settingsDirectory = wxEmptyString);
  ~MainFrame() override;

  // --- shell ---
  void OnQuit(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnShowTips(wxCommandEvent& event);
  void OnTipsFlag(wxCommandEvent& event);

  // --- logger memory status and erase ---
  void OnMemoryStatusTimer(wxTimerEvent& event);
  void OnClearMemoryCommand(wxCommandEvent& event);
  void OnClearMemory();
  void ReportReadFailure();

  // --- logger settings ---
  void OnDeviceSettings(wxCommandEvent& event);

  // --- plot assembly, views and units (analysis/MainFramePlot.cpp) ---
  void CreatePlotLayers();
  void RebuildPlotLayers();
  void ApplyUnitLabels(int index);
  // Shows record `index` (the set's owner decides; a repeat reloads the curves).
  void ShowRecording(int index);
  // Loads the recording on show into the curves, title and readouts; an empty plot for none.
  void LoadShownRecording();
  void OnViewFlow(wxCommandEvent& event);
  void OnViewVolume(wxCommandEvent& event);
  void OnViewPressure(wxCommandEvent& event);
  // The ten layers, created once and owned here; the plot window only refers to them.
  std::unique_ptr<mpScaleX> m_timeAxis;
  std::unique_ptr<mpScaleY> m_flowAxis, m_volumeAxis, m_pressureAxis;
  std::unique_ptr<mpScaleYVell> m_pressureAxisRight;
  std::unique_ptr<mpFXYVector> m_flowSeries, m_volumeSeries, m_pressureSeries;
  std::unique_ptr<mpFXYVectorVell> m_pressureSeriesRight;
  std::unique_ptr<mpInfoLegend> m_legend;
  int m_lastMarkedRecording = -1;  // recording whose measuring markers are kept
  bool m_seriesOnlyGrew = false;   // set by a live tick: the shown recording only got samples

  // --- recording list, filter, work files, CSV export, download ---
  // (recordings/MainFrameRecordingList.cpp, recordings/MainFrameDownload.cpp,
  //  exchange/MainFrameWorkFile.cpp, exchange/MainFrameCsv.cpp, analysis/MainFrameFilter.cpp)
  void SetUpRecordingList();
  // Rebuilds the rows from the set, then highlights the row on show.
  void RefreshRecordingList();
  // Highlights exactly the row on show (none when nothing is shown).
  void SyncListSelection();
  // The one place that follows the set: list, plot, readouts, buttons and title.
  void OnRecordingsChanged(unsigned changes);
  void UpdateTitle();
  // Before recordings no work file holds are replaced or dropped: save, discard or cancel.
  // True when the caller may go on.
  bool ConfirmDropRecordings();
  // The list reports one selection change; with no row left selected it was a deselection.
  void OnListItemSelected(wxDataViewEvent& event);
  void OnListItemDeselected();
  void OnListItemActivated(wxDataViewEvent& event);
  void OnChangeTitle(wxCommandEvent& event);
  void OnChangeTitle();
  void OnEditInfo(wxCommandEvent& event);
  void OnRemoveRecording(wxCommandEvent& event);
  void EnableRecordingCommands(bool enable);
  // Asks for a text until it fits a work file or the user cancels; false on cancel.
  bool AskRecordingText(const wxString& caption, const wxString& current, bool title, wxString& entered);
  void FilterAction();
  void ShowFilterState();  // the Filter button's picture after m_filterOn
  void OnFilter(wxCommandEvent& event);
  void OnFilterSettings(wxCommandEvent& event);
  void OnOpenWorkFile(wxCommandEvent& event);
  void OnSaveWorkFile(wxCommandEvent& event);
  // Both return true when the work file was written (false: cancelled or failed).
  bool OnSaveWorkFile();
  void OnSaveWorkFileAs(wxCommandEvent& event);
  bool OnSaveWorkFileAs();
  bool ReadWorkFile(const wxString& path);
  bool WriteWorkFile(const wxString& path);
  void OnExportCsv(wxCommandEvent& event);
  void OnDownload(wxCommandEvent& event);
  // How long a download runs before its progress window shows (tests and benchmarks set 0 to
  // see the window at once).
  int m_progressDelayMs = 500;

  // --- live reading (live/MainFrameLive.cpp) ---
  void OnLiveStart(wxCommandEvent& event);
  void OnLiveTimer(wxTimerEvent& event);
  void OnLiveStop(wxCommandEvent& event);
  void StopLive();
  bool IsLive() const { return m_recordings.IsLive(); }
  // While live reading runs, the commands that replace or remove recordings are disabled, so
  // the live recording stays the last one and keeps receiving its samples.
  void EnableSetChanges(bool on);

  // --- line styles and measuring (analysis/MainFrameStyles.cpp, analysis/MainFrameMeasure.cpp) ---
  bool ChoosePlotColour(const wxColour& current);
  bool ChooseLineWidth(int width, int& chosen);
  void OnColourFlow(wxCommandEvent& event);
  void OnColourVolume(wxCommandEvent& event);
  void OnColourPressure(wxCommandEvent& event);
  void OnWidthFlow(wxCommandEvent& event);
  void OnWidthVolume(wxCommandEvent& event);
  void OnWidthPressure(wxCommandEvent& event);
  void OnZoomIn(wxCommandEvent& event);
  void OnZoomOut(wxCommandEvent& event);
  void OnZoomFit(wxCommandEvent& event);
  void OnMeasureFlow(wxCommandEvent& event);
  void OnMeasurePressure(wxCommandEvent& event);
  void OnGrid(wxCommandEvent& event);
  void OnPoints(wxCommandEvent& event);
  void OnMeasure(wxCommandEvent& event);
  void ShowMeasurement(int which, double x, double y);
  void RefreshMeasuredReadouts();
  int m_lineWidth = 2;   // curve width applied when switching to lines
  int m_pointWidth = 6;  // curve width applied when switching to points
  wxColour m_chosenColour;

  // --- printing and image export (print/MainFramePrint.cpp) ---
  void OnPrintPreview(wxCommandEvent& event);
  void OnPrint(wxCommandEvent& event);
  void OnSaveImage(wxCommandEvent& event);
  // Opens the preview frame for `preview` (taken over), or reports why it cannot.
  void ShowPrintPreview(class wxPrintPreview* preview);
  // Prints the plot with `printer`, its print dialog shown; reports a printer error.
  bool PrintPlot(class wxPrinterBase& printer);

  // --- state other parts of the window work with ---
  // The one owner of the recordings, the one on show, the saved flag and the work file.
  RecordingSet m_recordings;
  wxString WorkFilePath() const { return wxString::FromUTF8(m_recordings.WorkFilePath()); }

  std::unique_ptr<VellUSB> m_link;
  wxTimer m_liveTimer;
  wxTimer m_statusTimer;

  wxPanel* m_panel = nullptr;
  mpWindow* m_plot = nullptr;
  wxDataViewListCtrl* m_recordList = nullptr;
  kwxLCDClock* m_clockLcd = nullptr;
  kwxLCDDisplay* m_flowLcd = nullptr;
  kwxLCDDisplay* m_pressureLcd = nullptr;
  wxStaticText* m_flowUnitLabel = nullptr;
  wxStaticText* m_pressureUnitLabel = nullptr;
  wxGauge* m_batteryGauge = nullptr;
  wxGauge* m_memoryGauge = nullptr;
  wxStaticText* m_statusText = nullptr;
  wxBitmapButton* m_startButton = nullptr;
  wxBitmapButton* m_stopButton = nullptr;
  int m_liveIntervalMs = 1000;
  float m_elapsedSeconds = 0;

  // Tool buttons other parts enable, disable or toggle.
  wxVellButton* m_openButton = nullptr;
  wxVellButton* m_saveButton = nullptr;
  wxVellButton* m_printButton = nullptr;
  wxVellButton* m_imageButton = nullptr;
  wxVellButton* m_versionBadge = nullptr;
  wxVellButton* m_zoomInButton = nullptr;
  wxVellButton* m_zoomOutButton = nullptr;
  wxVellButton* m_fitButton = nullptr;
  wxVellButton* m_measureFlowButton = nullptr;
  wxVellButton* m_measurePressureButton = nullptr;
  wxVellButton* m_gridButton = nullptr;
  wxVellButton* m_pointsButton = nullptr;
  wxVellButton* m_filterButton = nullptr;
  wxVellButton* m_viewFlowButton = nullptr;
  wxVellButton* m_viewVolumeButton = nullptr;
  wxVellButton* m_viewPressureButton = nullptr;
  wxBitmapButton* m_settingsButton = nullptr;
  wxBitmapButton* m_clearButton = nullptr;
  wxBitmapButton* m_downloadButton = nullptr;
  wxButton* m_removeButton = nullptr;
  wxButton* m_titleButton = nullptr;
  wxButton* m_infoButton = nullptr;

  // Plot toggles.
  bool m_showFlow = false, m_showVolume = false, m_showPressure = false;
  bool m_measureFlowOn = false, m_measurePressureOn = false, m_showGrid = false, m_pointsMode = false;
  bool m_filterOn = false;
  int m_filterHalfWidth = 2;

  const wxString& SettingsDirectory() const { return m_settingsDirectory; }

  // --- desktop conventions (app/MainFrameDesktop.cpp) ---
  // Opens a work file named from outside the file dialog (command line, a file dropped on the
  // window, the recent files): asks first when unsaved recordings would go.
  bool OpenWorkFileFrom(const wxString& path);
  void InstallDropTargets();
  void OnRecentFile(wxCommandEvent& event);
  void OnAbout(wxCommandEvent& event);
  // The recent work files, kept in a file of their own beside the settings file.
  void LoadRecentFiles();
  void SaveRecentFiles() const;
  void RememberRecentFile(const wxString& path);
  wxString RecentFilesPath() const;
  std::unique_ptr<class wxFileHistory> m_recentFiles;

 private:
  void BuildMenuBar();
  void BuildControls();
  void Initialise();
  void ShowSplash();
  void ApplySettingsUnitLabels();
  void MakeAccessible();

  wxString m_settingsDirectory;
  wxString m_baseTitle;        // the title while no work file is open
  bool m_syncingList = false;  // the list's selection events come from SyncListSelection
  bool m_accessHintShown = false;

  wxDECLARE_EVENT_TABLE();
};
