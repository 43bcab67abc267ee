#include "settings/SettingsDialog.h"

#include "device/LoggerInfo.h"
#include "device/SettingsBlock.h"
#include "device/VellUSB.h"
#include "i18n/Tr.h"
#include "settings/DeviceInfo.h"
#include "settings/GtkTweaks.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <string>

wxBEGIN_EVENT_TABLE(SettingsDialog, wxDialog)
  EVT_COMMAND_SCROLL(SettingsDialog::ID_SAMPLE_RATE_SLIDER, SettingsDialog::OnSampleRateScroll)
  EVT_SPIN_UP(SettingsDialog::ID_SAMPLE_RATE_SPIN, SettingsDialog::OnSampleRateUp)
  EVT_SPIN_DOWN(SettingsDialog::ID_SAMPLE_RATE_SPIN, SettingsDialog::OnSampleRateDown)
  EVT_SPIN_UP(SettingsDialog::ID_HOURS_SPIN, SettingsDialog::OnHoursUp)
  EVT_SPIN_DOWN(SettingsDialog::ID_HOURS_SPIN, SettingsDialog::OnHoursDown)
  EVT_SPIN_UP(SettingsDialog::ID_MINUTES_SPIN, SettingsDialog::OnMinutesUp)
  EVT_SPIN_DOWN(SettingsDialog::ID_MINUTES_SPIN, SettingsDialog::OnMinutesDown)
  EVT_SPIN_UP(SettingsDialog::ID_SECONDS_SPIN, SettingsDialog::OnSecondsUp)
  EVT_SPIN_DOWN(SettingsDialog::ID_SECONDS_SPIN, SettingsDialog::OnSecondsDown)
  EVT_DATE_CHANGED(SettingsDialog::ID_DATE, SettingsDialog::OnDateChanged)
  EVT_CHECKBOX(SettingsDialog::ID_PSI, SettingsDialog::OnPsi)
  EVT_CHECKBOX(SettingsDialog::ID_BAR, SettingsDialog::OnBar)
  EVT_CHECKBOX(SettingsDialog::ID_AUTO_LOGGING, SettingsDialog::OnAutoLogging)
  EVT_TEXT(SettingsDialog::ID_THRESHOLD, SettingsDialog::OnThresholdText)
  EVT_BUTTON(SettingsDialog::ID_DOWNLOAD, SettingsDialog::OnSendSettings)
wxEND_EVENT_TABLE()

namespace {

const wxColour BACKGROUND(236, 233, 216);

// The spin buttons only tell up from down; a wide range keeps GTK from ever reaching an
// end, where it would stop reporting presses.
constexpr int SPIN_RANGE = 1000000;

const wxSize DEVICE_TEXT_SIZE(300, 30);
const wxSize CALIBRATION_TEXT_SIZE(200, 30);

enum ClockByte { CLOCK_SECONDS = 0, CLOCK_MINUTES = 1, CLOCK_HOURS = 2 };

wxString Utf8(const std::string& text) { return wxString::FromUTF8(text.c_str()); }
std::string ToUtf8(const wxString& text) { return std::string(text.utf8_str()); }

// A format string through the translation catalogue (the key is the untranslated text).
std::string Translated(const char* key) { return ToUtf8(Tr(key)); }

wxSpinButton* MakeSpin(wxWindow* parent, int id, const wxSize& size) {
  auto* spin = new wxSpinButton(parent, id, wxDefaultPosition, size, wxSP_VERTICAL);
  spin->SetRange(-SPIN_RANGE, SPIN_RANGE);
  spin->SetValue(0);
  MakeSpinCompact(spin, size.y);
  return spin;
}

// A label's text in a box of at least `size`; a longer text widens it rather than being cut.
void SetLabelAtLeast(wxStaticText* label, const wxString& text, const wxSize& size) {
  label->SetLabel(text);
  label->InvalidateBestSize();
  const wxSize best = label->GetBestSize();
  // A few pixels more than the text, so the two texts of the line do not run together.
  label->SetMinSize(wxSize(std::max(size.x, best.x + 8), std::max(size.y, best.y)));
}

// At least the given size, and wide enough for `sample` in the field's font: themes with
// wide padding would otherwise cut the digits off.
void FitField(wxTextCtrl* text, const wxSize& size, const wxString& sample) {
  const wxSize needed = text->GetSizeFromTextSize(text->GetTextExtent(sample));
  text->SetInitialSize(wxSize(std::max(size.x, needed.x), std::max(size.y, needed.y)));
}

}  // namespace

SettingsDialog::SettingsDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, Tr("Geräteeinstellungen"), wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE) {
  CreateControls();
  LoadFromLogger();
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::CreateControls() {
  const wxFont fieldFont(wxFontInfo(11).Family(wxFONTFAMILY_SWISS).Bold());
  auto field = [&](wxWindow* parent, int id, const wxSize& size, long style, const char* sample) {
    auto* text = new wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, size, style);
    text->SetFont(fieldFont);
    FitField(text, size, sample);
    return text;
  };

  auto* mainColumn = new wxBoxSizer(wxVERTICAL);

  // Row 1, left: status picture, clock, sample interval.
  auto* topRow = new wxBoxSizer(wxHORIZONTAL);
  auto* left = new wxBoxSizer(wxVERTICAL);
  m_statusPicture = new wxStaticBitmap(this, wxID_ANY, vrxPicture(PictureUsbMissing),
                                       wxDefaultPosition, wxSize(280, 70));
  left->Add(m_statusPicture, 0, wxALL, 5);

  auto* clockGroup = new wxStaticBoxSizer(wxHORIZONTAL, this, Tr("Echtzeituhr"));
  wxWindow* clockBox = clockGroup->GetStaticBox();
  auto timeGroup = [&](const wxString& label, wxTextCtrl*& text, wxSpinButton*& spin, int id) {
    auto* group = new wxStaticBoxSizer(wxHORIZONTAL, clockBox, label);
    text = field(group->GetStaticBox(), wxID_ANY, wxSize(30, 25), wxTE_READONLY | wxTE_RIGHT, "88");
    spin = MakeSpin(group->GetStaticBox(), id, wxSize(15, 25));
    group->Add(text, 0, wxALIGN_CENTER_VERTICAL);
    group->Add(spin, 0, wxALIGN_CENTER_VERTICAL);
    clockGroup->Add(group, 0, wxALL | wxEXPAND, 2);
  };
  timeGroup(Tr("Stunden"), m_hoursText, m_hoursSpin, ID_HOURS_SPIN);
  timeGroup(Tr("Minuten"), m_minutesText, m_minutesSpin, ID_MINUTES_SPIN);
  timeGroup(Tr("Sekunden"), m_secondsText, m_secondsSpin, ID_SECONDS_SPIN);
  auto* dateGroup = new wxStaticBoxSizer(wxHORIZONTAL, clockBox, Tr("Datum"));
  m_datePicker = new wxDatePickerCtrl(dateGroup->GetStaticBox(), ID_DATE, wxDefaultDateTime, wxDefaultPosition,
                                      wxSize(100, 25), wxDP_DROPDOWN);
  m_datePicker->SetFont(fieldFont);
  m_datePicker->InvalidateBestSize();
  m_datePicker->SetInitialSize(wxSize(std::max(100, m_datePicker->GetBestSize().x), -1));
  // The logger keeps a two-digit year after 2000.
  m_datePicker->SetRange(wxDateTime(1, wxDateTime::Jan, CLOCK_FIRST_YEAR),
                         wxDateTime(31, wxDateTime::Dec, CLOCK_LAST_YEAR));
  dateGroup->Add(m_datePicker, 0, wxALIGN_CENTER_VERTICAL);
  clockGroup->Add(dateGroup, 0, wxALL | wxEXPAND, 2);
  left->Add(clockGroup, 0, wxALL | wxEXPAND, 5);

  auto* rateGroup = new wxStaticBoxSizer(wxHORIZONTAL, this, Tr("Abtastrate (Sekunden)"));
  wxWindow* rateBox = rateGroup->GetStaticBox();
  m_intervalSlider = new wxSlider(rateBox, ID_SAMPLE_RATE_SLIDER, INTERVAL_UNREAD_TENTHS,
                                  INTERVAL_MIN_TENTHS, INTERVAL_MAX_TENTHS, wxDefaultPosition,
                                  wxSize(180, -1), wxSL_HORIZONTAL | wxSL_AUTOTICKS);
  m_intervalSlider->SetTickFreq(10);
  m_intervalText = field(rateBox, wxID_ANY, wxSize(40, 25), wxTE_READONLY | wxTE_RIGHT, "88.8");
  m_intervalSpin = MakeSpin(rateBox, ID_SAMPLE_RATE_SPIN, wxSize(20, 25));
  rateGroup->Add(m_intervalSlider, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
  rateGroup->Add(m_intervalText, 0, wxALIGN_CENTER_VERTICAL);
  rateGroup->Add(m_intervalSpin, 0, wxALIGN_CENTER_VERTICAL);
  left->Add(rateGroup, 0, wxALL | wxEXPAND, 5);
  topRow->Add(left, 0, wxEXPAND);

  // Row 1, right: automatic logging with its start and stop conditions.
  auto* autoGroup = new wxStaticBoxSizer(wxVERTICAL, this, Tr("Automatische Datenlogfunktion"));
  wxWindow* autoBox = autoGroup->GetStaticBox();
  m_autoLoggingBox = new wxCheckBox(autoBox, ID_AUTO_LOGGING, Tr("Automatische Datenlogfunktion einschalten"));
  autoGroup->Add(m_autoLoggingBox, 0, wxALL, 5);
  auto condition = [&](const char* title, const char* flowLabel, const char* delayLabel, wxTextCtrl*& flowText,
                       wxStaticText*& unit, wxTextCtrl*& delayText) {
    auto* group = new wxStaticBoxSizer(wxVERTICAL, autoBox, Tr(title));
    wxWindow* box = group->GetStaticBox();
    auto* grid = new wxFlexGridSizer(3, 5, 5);
    flowText = field(box, ID_THRESHOLD, wxSize(50, 25), wxTE_RIGHT, "88888");
    unit = new wxStaticText(box, wxID_ANY, "L/min");
    delayText = field(box, ID_THRESHOLD, wxSize(50, 25), wxTE_RIGHT, "88888");
    grid->Add(new wxStaticText(box, wxID_ANY, Tr(flowLabel)), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(flowText, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(unit, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new wxStaticText(box, wxID_ANY, Tr(delayLabel)), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(delayText, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new wxStaticText(box, wxID_ANY, Tr("Sekunden ist")), 0, wxALIGN_CENTER_VERTICAL);
    group->Add(grid, 0, wxALL, 5);
    autoGroup->Add(group, 0, wxALL | wxEXPAND, 5);
  };
  condition(TrNoop("Schalte Datenlogger ein, wenn:"), TrNoop("die Durchflussmenge größer als:"), TrNoop("für mehr als"),
            m_flowOnText, m_flowOnUnit, m_flowOnDelayText);
  condition(TrNoop("Schalte Datenlogger aus, wenn:"), TrNoop("die Durchflussmenge kleiner als:"),
            TrNoop("für mehr als."), m_flowOffText, m_flowOffUnit, m_flowOffDelayText);
  topRow->Add(autoGroup, 0, wxALL | wxEXPAND, 5);
  mainColumn->Add(topRow, 0, wxEXPAND);

  // Row 2: pressure unit and the two buttons.
  auto* buttonRow = new wxBoxSizer(wxHORIZONTAL);
  auto* unitGroup = new wxStaticBoxSizer(wxHORIZONTAL, this, Tr("Druckeinheit"));
  m_psiBox = new wxCheckBox(unitGroup->GetStaticBox(), ID_PSI, "PSI");
  m_barBox = new wxCheckBox(unitGroup->GetStaticBox(), ID_BAR, "Bar");
  for (wxCheckBox* box : {m_psiBox, m_barBox}) {
    box->SetBackgroundColour(BACKGROUND);
    KeepCheckMarkVisible(box);
  }
  unitGroup->Add(m_psiBox, 0, wxALL, 5);
  unitGroup->Add(m_barBox, 0, wxALL, 5);
  m_downloadButton = new wxButton(this, ID_DOWNLOAD, "Download", wxDefaultPosition, wxSize(100, 30));
  m_downloadButton->SetBackgroundColour(BACKGROUND);
  m_closeButton = new wxButton(this, wxID_CANCEL, Tr("Schließen"), wxDefaultPosition, wxSize(100, 30));
  buttonRow->Add(unitGroup, 0, wxALIGN_CENTER_VERTICAL);
  buttonRow->AddSpacer(10);
  buttonRow->Add(m_downloadButton, 0, wxALIGN_CENTER_VERTICAL);
  buttonRow->AddSpacer(10);
  buttonRow->Add(m_closeButton, 0, wxALIGN_CENTER_VERTICAL);
  mainColumn->Add(buttonRow, 0, wxALL, 5);

  // Row 3: the device information line.
  auto* infoRow = new wxBoxSizer(wxHORIZONTAL);
  m_deviceText = new wxStaticText(this, wxID_ANY, wxEmptyString, wxDefaultPosition, DEVICE_TEXT_SIZE);
  m_calibrationText =
      new wxStaticText(this, wxID_ANY, wxEmptyString, wxDefaultPosition, CALIBRATION_TEXT_SIZE);

  infoRow->Add(m_deviceText, 0, wxLEFT | wxBOTTOM, 2);
  infoRow->Add(m_calibrationText, 0, wxLEFT | wxBOTTOM, 2);
  mainColumn->Add(infoRow, 0, wxALL, 3);

  SetSizerAndFit(mainColumn);
}

void SettingsDialog::LoadFromLogger() {
  m_link = std::make_unique<VellUSB>();
  SettingsBlock block;
  m_loaded = ReadLoggerState(block);
  if (!m_loaded) {
    ShowPicture(PictureUsbMissing);
    DisableLoggerControls();
  } else {
    ShowPicture(PictureUsbConnected);
    m_link->ConfigureClock(0, 0xAB);
    if (block.FirmwareVersion() == FIRMWARE_LONG_BLOCK && block.IsLong()) ShowDeviceInfo(block);
  }
  GetSizer()->SetSizeHints(this);
}

bool SettingsDialog::ReadLoggerState(SettingsBlock& block) {
  const bool blockRead = ReadSettingsBlock(*m_link, block);
  const unsigned char* clock = nullptr;
  if (blockRead) {
    g_firmwareVersion = block.FirmwareVersion();
    g_pressureUnit = block.pressureUnit();
    g_flowUnitLitres = block.flowUnitLitres() ? 1 : 0;
    // Without the clock there is nothing to show or send back: as bad as no block.
    clock = m_link->GetClock();
  }
  if (!clock) {
    m_intervalTenths = INTERVAL_UNREAD_TENTHS;
    ShowSampleRate();
    m_timeChanged = m_dateChanged = m_thresholdsChanged = false;
    return false;
  }
  std::copy(clock, clock + 4, m_clockTime);
  std::copy(clock + 4, clock + 8, m_clockDate);

  m_intervalTenths = IntervalTenths(block.rateWord());
  ShowSampleRate();

  m_pressureUnit = block.pressureUnit();
  // A unit the dialog does not know checks neither box: that is what the logger holds.
  m_psiBox->SetValue(m_pressureUnit == PRESSURE_UNIT_PSI);
  m_barBox->SetValue(m_pressureUnit == PRESSURE_UNIT_BAR);
  m_autoLoggingBox->SetValue(block.autoLogging());

  ShowClock();
  if (const auto date = DateFromBcd(m_clockDate[0], m_clockDate[1], m_clockDate[2]))
    m_datePicker->SetValue(wxDateTime(static_cast<wxDateTime::wxDateTime_t>(date->day),
                                      static_cast<wxDateTime::Month>(date->month - 1), date->year));

  m_flowOn = block.flowOnThreshold();
  m_flowOnDelay = block.flowOnDelay();
  m_flowOff = block.flowOffThreshold();
  m_flowOffDelay = block.flowOffDelay();
  m_flowOnText->SetValue(wxString::Format("%d", m_flowOn));
  m_flowOnDelayText->SetValue(Utf8(std::to_string(DelaySeconds(m_intervalTenths, m_flowOnDelay))));
  m_flowOffText->SetValue(wxString::Format("%d", m_flowOff));
  m_flowOffDelayText->SetValue(Utf8(std::to_string(DelaySeconds(m_intervalTenths, m_flowOffDelay))));

  const wxString unit = Tr(block.flowUnitLitres() ? settings_text::UNIT_LITRES : settings_text::UNIT_GALLONS);
  m_flowOnUnit->SetLabel(unit);
  m_flowOffUnit->SetLabel(unit);
  wxCommandEvent autoEvent(wxEVT_CHECKBOX, ID_AUTO_LOGGING);
  autoEvent.SetInt(m_autoLoggingBox->GetValue());
  OnAutoLogging(autoEvent);

  // Filling the controls marks them as edited; they show the logger, so nothing is edited.
  m_timeChanged = m_dateChanged = m_thresholdsChanged = false;
  return true;
}

void SettingsDialog::DisableLoggerControls() {
  wxWindow* controls[] = {m_downloadButton, m_psiBox,        m_barBox,          m_intervalSlider,
                          m_intervalSpin,   m_intervalText,  m_hoursText,       m_minutesText,
                          m_secondsText,    m_hoursSpin,     m_minutesSpin,     m_secondsSpin,
                          m_datePicker,     m_autoLoggingBox, m_flowOnText,     m_flowOnDelayText,
                          m_flowOffText,    m_flowOffDelayText};
  for (wxWindow* control : controls) control->Disable();
}

void SettingsDialog::ShowPicture(PictureId id) {
  m_statusPictureId = id;
  m_statusPicture->SetBitmap(vrxPicture(id));
}

void SettingsDialog::ShowClock() {
  m_hoursText->SetValue(Utf8(HoursText(m_clockTime[CLOCK_HOURS])));
  m_minutesText->SetValue(Utf8(MinutesText(m_clockTime[CLOCK_MINUTES])));
  m_secondsText->SetValue(Utf8(SecondsText(m_clockTime[CLOCK_SECONDS])));
}

void SettingsDialog::ShowSampleRate() {
  m_intervalSlider->SetValue(m_intervalTenths);
  m_rateWord = RateWordFromTenths(m_intervalTenths);
  m_intervalText->SetValue(Utf8(IntervalText(m_intervalTenths)));
  m_thresholdsChanged = true;  // the delays in seconds depend on the interval
}

void SettingsDialog::ShowDeviceInfo(const SettingsBlock& block) {
  g_serialNumber = block.serialNumber();
  SetLabelAtLeast(m_deviceText,
                  Utf8(DeviceText(block.serialNumber(), block.FirmwareVersion(),
                                  Translated(settings_text::SERIAL_FORMAT),
                                  Translated(settings_text::FIRMWARE_FORMAT))),
                  DEVICE_TEXT_SIZE);
  SetLabelAtLeast(m_calibrationText,
                  Utf8(CalibrationText(block.calibrationDate(), block.calibrationMonths(),
                                       Translated(settings_text::CALIBRATION_DATE_FORMAT),
                                       Translated(settings_text::CALIBRATION_MONTHS_FORMAT))),
                  CALIBRATION_TEXT_SIZE);
  CheckCalibration(block);
}

void SettingsDialog::CheckCalibration(const SettingsBlock& block) {
  const wxDateTime now = wxDateTime::Now();
  LocalTime local;
  local.date = {now.GetYear(), now.GetMonth() + 1, now.GetDay()};
  local.hour = now.GetHour();
  local.minute = now.GetMinute();
  local.second = now.GetSecond();
  if (CalibrationExpired(block.calibrationDate(), block.calibrationMonths(), local))
    wxMessageBox(settings_text::CALIBRATION_EXPIRED, settings_text::CALIBRATION_CAPTION,
                 wxOK | wxICON_INFORMATION, nullptr);
}

void SettingsDialog::ShowMessage(const wxString& text, const wxString& caption) {
  wxMessageBox(text, caption, wxOK | wxICON_INFORMATION, this);
}

// --- interval ---

void SettingsDialog::OnSampleRateScroll(wxScrollEvent&) {
  m_intervalTenths = m_intervalSlider->GetValue();
  ShowSampleRate();
}

void SettingsDialog::OnSampleRateUp(wxSpinEvent&) {
  const int next = IntervalUp(m_intervalTenths);
  if (next == m_intervalTenths) return;
  m_intervalTenths = next;
  ShowSampleRate();
}

void SettingsDialog::OnSampleRateDown(wxSpinEvent&) {
  const int next = IntervalDown(m_intervalTenths);
  if (next == m_intervalTenths) return;
  m_intervalTenths = next;
  ShowSampleRate();
}

// --- clock ---

void SettingsDialog::SpinClock(int byteIndex, bool up) {
  const ClockUnit unit = byteIndex == CLOCK_HOURS     ? ClockUnit::Hours
                         : byteIndex == CLOCK_MINUTES ? ClockUnit::Minutes
                                                      : ClockUnit::Seconds;
  m_clockTime[byteIndex] = SpinClockByte(m_clockTime[byteIndex], unit, up);
  ShowClock();
  m_timeChanged = true;
}

void SettingsDialog::OnHoursUp(wxSpinEvent&) { SpinClock(CLOCK_HOURS, true); }
void SettingsDialog::OnHoursDown(wxSpinEvent&) { SpinClock(CLOCK_HOURS, false); }
void SettingsDialog::OnMinutesUp(wxSpinEvent&) { SpinClock(CLOCK_MINUTES, true); }
void SettingsDialog::OnMinutesDown(wxSpinEvent&) { SpinClock(CLOCK_MINUTES, false); }
void SettingsDialog::OnSecondsUp(wxSpinEvent&) { SpinClock(CLOCK_SECONDS, true); }
void SettingsDialog::OnSecondsDown(wxSpinEvent&) { SpinClock(CLOCK_SECONDS, false); }

void SettingsDialog::OnDateChanged(wxDateEvent&) {
  const wxDateTime date = m_datePicker->GetValue();
  if (!date.IsValid()) return;
  uint8_t bytes[3];
  if (!BcdFromDate({date.GetYear(), date.GetMonth() + 1, date.GetDay()}, bytes)) return;
  std::copy(bytes, bytes + 3, m_clockDate);
  m_dateChanged = true;
}

// --- pressure unit, automatic logging, thresholds ---

// The two boxes choose one unit: a click on the checked one keeps it checked.
void SettingsDialog::OnPsi(wxCommandEvent&) {
  m_psiBox->SetValue(true);
  m_barBox->SetValue(false);
  m_pressureUnit = PRESSURE_UNIT_PSI;
  g_pressureUnit = PRESSURE_UNIT_PSI;
}

void SettingsDialog::OnBar(wxCommandEvent&) {
  m_barBox->SetValue(true);
  m_psiBox->SetValue(false);
  m_pressureUnit = PRESSURE_UNIT_BAR;
  g_pressureUnit = PRESSURE_UNIT_BAR;
}

void SettingsDialog::OnAutoLogging(wxCommandEvent&) {
  const bool on = m_autoLoggingBox->GetValue();
  for (wxTextCtrl* text : {m_flowOnText, m_flowOnDelayText, m_flowOffText, m_flowOffDelayText})
    text->Enable(on);
  m_thresholdsChanged = true;
}

void SettingsDialog::OnThresholdText(wxCommandEvent&) { m_thresholdsChanged = true; }

// --- sending ---

void SettingsDialog::OnSendSettings(wxCommandEvent&) {
  if (!m_loaded) return;  // nothing read, so nothing to send back

  // Every field is checked before anything goes out, so a refused value never leaves the
  // logger half changed (a new interval with the old delays counted in its samples).
  if (m_thresholdsChanged) {
    const ThresholdCheck check =
        CheckThresholds(ToUtf8(m_flowOnText->GetValue()), ToUtf8(m_flowOnDelayText->GetValue()),
                        ToUtf8(m_flowOffText->GetValue()), ToUtf8(m_flowOffDelayText->GetValue()), m_intervalTenths);
    for (const Notice& notice : check.notices) ShowMessage(Tr(notice.text), Utf8(notice.caption));
    if (!check.send) {
      ShowPicture(PictureUsbConnected);  // no success picture beside the refusal
      return;
    }
    m_flowOn = check.flowOn;
    m_flowOff = check.flowOff;
    m_flowOnDelay = check.flowOnDelay;
    m_flowOffDelay = check.flowOffDelay;
    // Show what the logger will really use: whole samples of the interval.
    m_flowOnDelayText->SetValue(Utf8(std::to_string(check.flowOnDelaySeconds)));
    m_flowOffDelayText->SetValue(Utf8(std::to_string(check.flowOffDelaySeconds)));
  }

  std::vector<SettingsStep> steps = {SettingsStep::RateAndUnit};
  if (m_timeChanged) steps.push_back(SettingsStep::Time);
  if (m_dateChanged) steps.push_back(SettingsStep::Date);
  if (m_thresholdsChanged)
    steps.insert(steps.end(), {SettingsStep::FlowOn, SettingsStep::FlowOff, SettingsStep::AutoLogging});

  // The first failure stops the rest: the delays only mean what the dialog shows with the
  // interval sent before them, and a link that failed once mostly fails again. The logger
  // is then read back, so the dialog shows what it really holds.
  for (SettingsStep step : steps) {
    if (SendStep(step)) continue;
    SettingsBlock block;
    const bool readBack = ReadLoggerState(block);
    if (readBack) {
      ShowPicture(PictureUsbConnected);
    } else {
      m_loaded = false;
      ShowPicture(PictureUsbMissing);
      DisableLoggerControls();
    }
    wxMessageBox(Utf8(PartialSendText(steps, step, readBack)), Tr(settings_text::SEND_FAILED_CAPTION),
                 wxOK | wxICON_ERROR, this);
    return;
  }
  m_timeChanged = m_dateChanged = m_thresholdsChanged = false;
  ShowPicture(PictureDownloadDone);
}

bool SettingsDialog::SendStep(SettingsStep step) {
  switch (step) {
    case SettingsStep::RateAndUnit:
      return m_link->SetRateAndUnit(m_rateWord, m_pressureUnit);
    case SettingsStep::Time:
      return m_link->SetClockTime(m_clockTime);
    case SettingsStep::Date:
      return m_link->SetClockDate(m_clockDate);
    case SettingsStep::FlowOn:
      return m_link->SetFlowOnThreshold(m_flowOn, m_flowOnDelay);
    case SettingsStep::FlowOff:
      return m_link->SetFlowOffThreshold(m_flowOff, m_flowOffDelay);
    case SettingsStep::AutoLogging:
      return m_link->SetAutoLogging(m_autoLoggingBox->GetValue() ? 1 : 0);
  }
  return false;
}
