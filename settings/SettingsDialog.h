// The logger settings dialog: clock, sample interval, pressure unit and automatic logging
// with its thresholds, read from the logger once as the dialog opens and sent on
// "Download" (only what was edited). Its bottom line names the logger and its calibration.
//
// The main window opens it from command 19 and needs nothing afterwards:
//   SettingsDialog dlg(this);
//   dlg.ShowModal();
// The dialog updates g_firmwareVersion, g_serialNumber, g_flowUnitLitres and
// g_pressureUnit itself; nothing else outside it changes.
#pragma once

#include "Pictures.h"
#include "settings/SettingsLogic.h"

#include <wx/dialog.h>

#include <cstdint>
#include <memory>

class VellUSB;
class wxButton;
class wxCheckBox;
class wxDateEvent;
class wxDatePickerCtrl;
class wxScrollEvent;
class wxSlider;
class wxSpinButton;
class wxSpinEvent;
class wxStaticBitmap;
class wxStaticText;
class wxTextCtrl;
class SettingsBlock;

class SettingsDialog : public wxDialog {
 public:
  enum : int {
    ID_SAMPLE_RATE_SLIDER = 3,
    ID_SAMPLE_RATE_SPIN = 4,
    ID_DOWNLOAD = 5,
    ID_PSI = 6,
    ID_BAR = 7,
    ID_MINUTES_SPIN = 8,
    ID_HOURS_SPIN = 9,
    ID_DATE = 10,
    ID_SECONDS_SPIN = 11,
    ID_AUTO_LOGGING = 12,
    ID_THRESHOLD = 13,  // all four threshold fields
  };

  // Builds and lays out the dialog, then reads the logger (LoadFromLogger). An expired
  // calibration is announced here, before the dialog is shown.
  explicit SettingsDialog(wxWindow* parent);
  ~SettingsDialog() override;

  // The status picture shown now.
  PictureId StatusPicture() const { return m_statusPictureId; }
  // False when the logger could not be read as the dialog opened: then nothing can be sent.
  bool IsLoaded() const { return m_loaded; }

  // State (public so tests can watch it).
  std::unique_ptr<VellUSB> m_link;
  int m_intervalTenths = INTERVAL_UNREAD_TENTHS;
  uint16_t m_rateWord = 0;
  unsigned char m_pressureUnit = 'p';
  unsigned char m_clockTime[4] = {};  // seconds, minutes, hours, fourth byte (BCD)
  unsigned char m_clockDate[4] = {};  // day, month, year, eighth byte (BCD)
  uint16_t m_flowOn = 0, m_flowOnDelay = 0, m_flowOff = 0, m_flowOffDelay = 0;
  bool m_timeChanged = false, m_dateChanged = false, m_thresholdsChanged = false;

  // Controls.
  wxStaticBitmap* m_statusPicture = nullptr;
  wxTextCtrl* m_hoursText = nullptr;
  wxTextCtrl* m_minutesText = nullptr;
  wxTextCtrl* m_secondsText = nullptr;
  wxSpinButton* m_hoursSpin = nullptr;
  wxSpinButton* m_minutesSpin = nullptr;
  wxSpinButton* m_secondsSpin = nullptr;
  wxDatePickerCtrl* m_datePicker = nullptr;
  wxSlider* m_intervalSlider = nullptr;
  wxTextCtrl* m_intervalText = nullptr;
  wxSpinButton* m_intervalSpin = nullptr;
  wxCheckBox* m_psiBox = nullptr;
  wxCheckBox* m_barBox = nullptr;
  wxButton* m_downloadButton = nullptr;
  wxButton* m_closeButton = nullptr;
  wxCheckBox* m_autoLoggingBox = nullptr;
  wxTextCtrl* m_flowOnText = nullptr;
  wxTextCtrl* m_flowOnDelayText = nullptr;
  wxTextCtrl* m_flowOffText = nullptr;
  wxTextCtrl* m_flowOffDelayText = nullptr;
  wxStaticText* m_flowOnUnit = nullptr;
  wxStaticText* m_flowOffUnit = nullptr;
  wxStaticText* m_deviceText = nullptr;
  wxStaticText* m_calibrationText = nullptr;

 private:
  void CreateControls();
  void LoadFromLogger();
  // Reads the settings block and the clock into the controls; false when either failed.
  bool ReadLoggerState(SettingsBlock& block);
  void DisableLoggerControls();
  void ShowPicture(PictureId id);
  void ShowClock();
  void ShowSampleRate();
  void ShowDeviceInfo(const SettingsBlock& block);
  void CheckCalibration(const SettingsBlock& block);
  void SpinClock(int byteIndex, bool up);
  void ShowMessage(const wxString& text, const wxString& caption);
  bool SendStep(SettingsStep step);

  void OnSampleRateScroll(wxScrollEvent& event);
  void OnSampleRateUp(wxSpinEvent& event);
  void OnSampleRateDown(wxSpinEvent& event);
  void OnHoursUp(wxSpinEvent& event);
  void OnHoursDown(wxSpinEvent& event);
  void OnMinutesUp(wxSpinEvent& event);
  void OnMinutesDown(wxSpinEvent& event);
  void OnSecondsUp(wxSpinEvent& event);
  void OnSecondsDown(wxSpinEvent& event);
  void OnDateChanged(wxDateEvent& event);
  void OnPsi(wxCommandEvent& event);
  void OnBar(wxCommandEvent& event);
  void OnAutoLogging(wxCommandEvent& event);
  void OnThresholdText(wxCommandEvent& event);
  void OnSendSettings(wxCommandEvent& event);

  PictureId m_statusPictureId = PictureUsbMissing;
  bool m_loaded = false;

  wxDECLARE_EVENT_TABLE();
};
