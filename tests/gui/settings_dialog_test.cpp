// The logger settings dialog against the simulated logger: what it shows after opening,
// what each edit sends and in which order, its messages and failure reports.
#include "GuiHarness.h"
#include "device/LoggerInfo.h"
#include "device/SettingsBlock.h"
#include "device/VellUSB.h"
#include "settings/DeviceInfo.h"
#include "settings/SettingsDialog.h"
#include "sim/SimBus.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/msgdlg.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <memory>
#include <string>
#include <vector>

namespace {

wxString U(const char* text) { return wxString::FromUTF8(text); }

// A vendor request as it reached the logger (completed ones only: the retries of the
// generic path would repeat failed ones).
struct Req {
  int request, value, index;
  bool operator==(const Req&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Req& r) {
  return os << "{" << r.request << ", 0x" << std::hex << r.value << ", 0x" << r.index << std::dec << "}";
}

// A message box with this text and caption, the information icon and an OK button.
class ExpectMessage : public wxExpectModal<wxMessageDialog> {
 public:
  ExpectMessage(const wxString& text, const wxString& caption)
      : wxExpectModal<wxMessageDialog>(wxID_OK), m_text(text), m_caption(caption) {}

 protected:
  int OnInvoked(wxMessageDialog* dlg) const override {
    EXPECT_EQ(dlg->GetMessage(), m_text);
    EXPECT_EQ(dlg->GetTitle(), m_caption);
    EXPECT_TRUE(dlg->GetMessageDialogStyle() & wxICON_INFORMATION);
    EXPECT_TRUE(dlg->GetMessageDialogStyle() & wxOK);
    return wxID_OK;
  }

 private:
  wxString m_text, m_caption;
};

ExpectMessage Message(const char* text) { return ExpectMessage(U(text), "Message"); }

// The report of a failed send: noted, with the window it stands on.
using Report = guitest::MessageSeen;
using ExpectReport = guitest::NoteMessage;

// A logger whose calibration lasts far beyond any test run, so no notice interrupts.
sim::BlockParams Params() {
  sim::BlockParams p;
  p.rateWord = 0xF000;  // 1 s
  p.stateFlags = 0x03;  // litres, automatic logging on
  p.flowOnThreshold = 30;
  p.flowOnDelay = 7;
  p.flowOffThreshold = 20;
  p.flowOffDelay = 3;
  p.pressureUnit = 'p';
  p.serialNumber = 1234;
  p.calibrationDate[0] = 0x05;
  p.calibrationDate[1] = 0x09;
  p.calibrationDate[2] = 0x95;
  p.calibrationMonths = 12;
  return p;
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim::SimBus::InMockEnvironment()) << "run under LD_PRELOAD=libumockdev-preload.so.0";
    bus = std::make_unique<sim::SimBus>();
    guitest::LogCapture::Get().Clear();
  }

  void TearDown() override {
    if (dlg) dlg->Destroy();
    guitest::Pump();
    bus.reset();
  }

  std::shared_ptr<sim::SimLogger> Plug(int firmware = 0x0403, const sim::BlockParams& p = Params()) {
    logger = std::make_shared<sim::SimLogger>(firmware, p);
    logger->SetClock({2026, 12, 10, 14, 5, 30});
    slot = bus->Plug(logger);
    return logger;
  }

  void Open() { dlg = new SettingsDialog(nullptr); }

  // The completed vendor requests since the last call.
  std::vector<Req> Sent() {
    std::vector<Req> out;
    for (const auto& t : logger->Log())
      if (t.requestType != 0 && t.result >= 0) out.push_back({t.request, t.value, t.index});
    logger->ClearLog();
    return out;
  }

  void Download() {
    wxCommandEvent event(wxEVT_BUTTON, SettingsDialog::ID_DOWNLOAD);
    event.SetEventObject(dlg->m_downloadButton);
    dlg->m_downloadButton->GetEventHandler()->ProcessEvent(event);
  }

  // A click on a check box: it toggles, then tells the dialog.
  void Click(wxCheckBox* box) {
    box->SetValue(!box->GetValue());
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(box->GetValue());
    box->GetEventHandler()->ProcessEvent(event);
  }

  void Spin(wxSpinButton* spin, bool up, int times = 1) {
    for (int i = 0; i < times; ++i) {
      wxSpinEvent event(up ? wxEVT_SPIN_UP : wxEVT_SPIN_DOWN, spin->GetId());
      event.SetEventObject(spin);
      spin->GetEventHandler()->ProcessEvent(event);
    }
  }

  void Slide(int tenths) {
    dlg->m_intervalSlider->SetValue(tenths);
    wxScrollEvent event(wxEVT_SCROLL_THUMBRELEASE, SettingsDialog::ID_SAMPLE_RATE_SLIDER, tenths, wxHORIZONTAL);
    event.SetEventObject(dlg->m_intervalSlider);
    dlg->m_intervalSlider->GetEventHandler()->ProcessEvent(event);
  }

  void PickDate(const wxDateTime& date) {
    dlg->m_datePicker->SetValue(date);
    wxDateEvent event(dlg->m_datePicker, date, wxEVT_DATE_CHANGED);
    dlg->m_datePicker->GetEventHandler()->ProcessEvent(event);
  }

  std::vector<wxString> Errors() const { return guitest::LogCapture::Get().Errors(); }

  std::unique_ptr<sim::SimBus> bus;
  std::shared_ptr<sim::SimLogger> logger;
  int slot = -1;
  SettingsDialog* dlg = nullptr;
};

}  // namespace

TEST_F(SettingsDialogTest, Screenshot) {
  Plug();
  Open();
  dlg->Move(0, 0);
  dlg->Show();
  guitest::Pump(20);
  const wxBitmap shot = guitest::Capture(dlg);
  EXPECT_TRUE(guitest::SavePng(shot, "/tmp/settings_dialog.png"));
  // Nothing is cut off: every control lies inside the dialog.
  const wxSize client = dlg->GetClientSize();
  for (wxWindow* w : dlg->GetChildren()) {
    const wxRect r = w->GetRect();
    EXPECT_LE(r.GetRight(), client.x) << w->GetClassInfo()->GetClassName() << " " << w->GetLabel();
    EXPECT_LE(r.GetBottom(), client.y) << w->GetClassInfo()->GetClassName() << " " << w->GetLabel();
  }
}

TEST_F(SettingsDialogTest, ControlsLabelsAndFonts) {
  Plug();
  Open();
  EXPECT_EQ(dlg->GetTitle(), U("Geräteeinstellungen"));
  EXPECT_EQ(dlg->m_downloadButton->GetLabel(), "Download");
  EXPECT_EQ(dlg->m_downloadButton->GetId(), 5);
  EXPECT_EQ(dlg->m_closeButton->GetLabel(), U("Schließen"));
  EXPECT_EQ(dlg->m_closeButton->GetId(), wxID_CANCEL);
  EXPECT_EQ(dlg->m_psiBox->GetLabel(), "PSI");
  EXPECT_EQ(dlg->m_barBox->GetLabel(), "Bar");
  EXPECT_EQ(dlg->m_autoLoggingBox->GetLabel(), "Automatische Datenlogfunktion einschalten");
  for (wxWindow* w : {(wxWindow*)dlg->m_psiBox, (wxWindow*)dlg->m_barBox, (wxWindow*)dlg->m_downloadButton})
    EXPECT_EQ(w->GetBackgroundColour(), wxColour(236, 233, 216));
  for (wxWindow* w : {(wxWindow*)dlg->m_hoursText, (wxWindow*)dlg->m_minutesText, (wxWindow*)dlg->m_secondsText,
                      (wxWindow*)dlg->m_datePicker, (wxWindow*)dlg->m_intervalText, (wxWindow*)dlg->m_flowOnText,
                      (wxWindow*)dlg->m_flowOnDelayText, (wxWindow*)dlg->m_flowOffText, (wxWindow*)dlg->m_flowOffDelayText}) {
    EXPECT_EQ(w->GetFont().GetPointSize(), 11);
    EXPECT_EQ(w->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
  }
  for (wxTextCtrl* t : {dlg->m_flowOnText, dlg->m_flowOnDelayText, dlg->m_flowOffText, dlg->m_flowOffDelayText})
    EXPECT_EQ(t->GetId(), 13);
  EXPECT_FALSE(dlg->m_hoursText->IsEditable());
  EXPECT_FALSE(dlg->m_intervalText->IsEditable());
  EXPECT_EQ(dlg->m_intervalSlider->GetMin(), 1);
  EXPECT_EQ(dlg->m_intervalSlider->GetMax(), 159);
  EXPECT_EQ(dlg->m_statusPicture->GetBitmap().GetSize(), wxSize(280, 70));
}

TEST_F(SettingsDialogTest, OpensWithTheLoggersSettings) {
  struct Case {
    uint16_t rateWord;
    uint8_t flags, unit;
    const char* interval;
    bool psi, bar, autoOn;
    const char* onDelay;
    const char* offDelay;
    const char* unitCaption;
  };
  const Case cases[] = {
      {0xF000, 0x03, 'p', "1.0", true, false, true, "7", "3", " L/min"},
      {0x6000, 0x00, 'b', "10.0", false, true, false, "70", "30", "G/min"},
      {0xFE67, 0x02, 0, "0.1", false, false, true, "0", "0", "G/min"},  // an unknown unit checks neither box
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.interval);
    sim::BlockParams p = Params();
    p.rateWord = c.rateWord;
    p.stateFlags = c.flags;
    p.pressureUnit = c.unit;
    Plug(0x0403, p);
    // A fourth clock byte that the dialog must keep.
    VellUSB other;
    const unsigned char clock[4] = {0x30, 0x05, 0x14, 0x80};
    ASSERT_TRUE(other.SetClockTime(clock));
    logger->ClearLog();
    g_pressureUnit = 'x';
    g_flowUnitLitres = 7;
    Open();
    EXPECT_EQ(Sent(), (std::vector<Req>{{41, 0, 0}, {23, 0, 41 * 256}, {26, 0, 0}, {29, 0xAB00, 0}}));
    EXPECT_TRUE(dlg->IsLoaded());
    EXPECT_EQ(dlg->StatusPicture(), PictureUsbConnected);
    EXPECT_EQ(dlg->m_intervalText->GetValue(), c.interval);
    EXPECT_EQ(dlg->m_intervalSlider->GetValue(), IntervalTenths(c.rateWord));
    EXPECT_EQ(dlg->m_rateWord, c.rateWord);
    EXPECT_EQ(dlg->m_psiBox->GetValue(), c.psi);
    EXPECT_EQ(dlg->m_barBox->GetValue(), c.bar);
    EXPECT_EQ(dlg->m_pressureUnit, c.unit);
    EXPECT_EQ(g_pressureUnit, c.unit);
    EXPECT_EQ(g_flowUnitLitres, c.flags & 1);
    EXPECT_EQ(g_firmwareVersion, 0x0403);
    EXPECT_EQ(dlg->m_autoLoggingBox->GetValue(), c.autoOn);
    EXPECT_EQ(dlg->m_flowOnText->IsEnabled(), c.autoOn);
    EXPECT_EQ(dlg->m_flowOffDelayText->IsEnabled(), c.autoOn);
    EXPECT_EQ(dlg->m_hoursText->GetValue(), "14");
    EXPECT_EQ(dlg->m_minutesText->GetValue(), "05");
    EXPECT_EQ(dlg->m_secondsText->GetValue(), "30");
    EXPECT_EQ(dlg->m_clockTime[3], 0x80);
    EXPECT_EQ(dlg->m_datePicker->GetValue(), wxDateTime(10, wxDateTime::Dec, 2026));
    EXPECT_EQ(dlg->m_flowOnText->GetValue(), "30");
    EXPECT_EQ(dlg->m_flowOnDelayText->GetValue(), c.onDelay);
    EXPECT_EQ(dlg->m_flowOffText->GetValue(), "20");
    EXPECT_EQ(dlg->m_flowOffDelayText->GetValue(), c.offDelay);
    EXPECT_EQ(dlg->m_flowOnUnit->GetLabel(), c.unitCaption);
    EXPECT_EQ(dlg->m_flowOffUnit->GetLabel(), c.unitCaption);
    EXPECT_FALSE(dlg->m_timeChanged || dlg->m_dateChanged || dlg->m_thresholdsChanged);
    EXPECT_TRUE(Errors().empty());
    dlg->Destroy();
    dlg = nullptr;
    bus->Unplug(slot);
  }
}

TEST_F(SettingsDialogTest, DownloadSendsOnlyWhatWasEditedInOrder) {
  Plug();
  VellUSB other;
  const unsigned char clock[4] = {0x30, 0x05, 0x14, 0x80};
  ASSERT_TRUE(other.SetClockTime(clock));
  Open();
  Sent();

  // Nothing edited: rate and unit only, and the picture says so.
  Download();
  EXPECT_EQ(Sent(), (std::vector<Req>{{4, 0xF000, 0}, {12, 'p', 0}}));
  EXPECT_EQ(dlg->StatusPicture(), PictureDownloadDone);

  // The time, with the fourth clock byte as read.
  Spin(dlg->m_hoursSpin, false);
  Spin(dlg->m_minutesSpin, true);
  EXPECT_EQ(dlg->m_hoursText->GetValue(), "13");
  EXPECT_EQ(dlg->m_minutesText->GetValue(), "06");
  Download();
  EXPECT_EQ(Sent(), (std::vector<Req>{{4, 0xF000, 0}, {12, 'p', 0}, {27, 0x0630, 0x8013}}));

  // The date.
  PickDate(wxDateTime(9, wxDateTime::Mar, 2016));
  Download();
  EXPECT_EQ(Sent(), (std::vector<Req>{{4, 0xF000, 0}, {12, 'p', 0}, {28, 0x0309, 0x16}}));

  // The thresholds, with automatic logging as checked.
  dlg->m_flowOnText->SetValue("35");
  Download();
  EXPECT_EQ(Sent(), (std::vector<Req>{{4, 0xF000, 0}, {12, 'p', 0}, {30, 35, 7}, {31, 20, 3}, {3, 2, 0}}));

  // Everything at once, in the fixed order; switching automatic logging off marks the thresholds.
  Spin(dlg->m_secondsSpin, true);
  PickDate(wxDateTime(31, wxDateTime::Dec, 2099));
  Click(dlg->m_autoLoggingBox);
  EXPECT_FALSE(dlg->m_flowOnText->IsEnabled());
  Download();
  EXPECT_EQ(Sent(), (std::vector<Req>{{4, 0xF000, 0}, {12, 'p', 0}, {27, 0x0631, 0x8013}, {28, 0x1231, 0x99},
                                      {30, 35, 7}, {31, 20, 3}, {3, 0, 0}}));
  EXPECT_EQ(logger->BlockWord(SettingsBlock::OFF_FLOW_ON_THRESHOLD), 35);
  EXPECT_EQ(logger->BlockByte(SettingsBlock::OFF_STATE_FLAGS) & 2, 0);

  // Sent is sent: the next press repeats rate and unit only.
  Download();
  EXPECT_EQ(Sent(), (std::vector<Req>{{4, 0xF000, 0}, {12, 'p', 0}}));
  EXPECT_TRUE(Errors().empty());
}

TEST_F(SettingsDialogTest, IntervalChangeResendsAndRevalidatesThresholds) {
  Plug();  // 1 s; flow-on delay 7 s, flow-off delay 3 s
  Open();
  Sent();
  Spin(dlg->m_intervalSpin, true, 15);
  EXPECT_EQ(dlg->m_intervalText->GetValue(), "2.5");
  EXPECT_EQ(dlg->m_intervalSlider->GetValue(), 25);
  Download();
  // 7 s are 2 samples of 2.5 s, 3 s are 1 sample: the fields show what the logger uses.
  EXPECT_EQ(Sent(), (std::vector<Req>{{4, RateWordFromTenths(25), 0}, {12, 'p', 0}, {30, 30, 2}, {31, 20, 1}, {3, 2, 0}}));
  EXPECT_EQ(dlg->m_flowOnDelayText->GetValue(), "5");
  EXPECT_EQ(dlg->m_flowOffDelayText->GetValue(), "2");
  EXPECT_FALSE(dlg->m_thresholdsChanged);

  // An interval longer than the delays: refused before anything went out, and kept for the next try.
  Slide(80);
  EXPECT_EQ(dlg->m_intervalText->GetValue(), "8.0");
  wxTEST_DIALOG(Download(), Message("Abtastrate muss verringert werden und diese Verzögerungseinstellung zu erreichen"));
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(logger->BlockWord(SettingsBlock::OFF_RATE_WORD), RateWordFromTenths(25));
  EXPECT_TRUE(dlg->m_thresholdsChanged);
  dlg->m_flowOnDelayText->SetValue("16");
  dlg->m_flowOffDelayText->SetValue("8");
  Download();
  EXPECT_EQ(Sent(), (std::vector<Req>{{4, RateWordFromTenths(80), 0}, {12, 'p', 0}, {30, 30, 2}, {31, 20, 1}, {3, 2, 0}}));

  // The ends of the range hold.
  Slide(1);
  Spin(dlg->m_intervalSpin, false, 3);
  EXPECT_EQ(dlg->m_intervalTenths, 1);
  EXPECT_EQ(dlg->m_intervalText->GetValue(), "0.1");
  EXPECT_EQ(dlg->m_rateWord, 0xFE67);
  Slide(159);
  Spin(dlg->m_intervalSpin, true, 3);
  EXPECT_EQ(dlg->m_intervalTenths, 159);
  EXPECT_EQ(dlg->m_intervalText->GetValue(), "15.9");
  EXPECT_EQ(dlg->m_rateWord, 0x019A);
}

// Every field is checked before anything is sent: one refused value sends nothing at all,
// and the picture of an earlier success goes.
TEST_F(SettingsDialogTest, AnInvalidFieldSendsNothing) {
  struct Case {
    const char* what;
    int tenths;  // 0: the interval as read (1 s)
    const char *on, *onDelay, *off, *offDelay;
    const char* text;
    const char* caption;
  };
  const char* const retype = "Wert neu eintippen";
  const Case cases[] = {
      {"flow-on not a number", 0, "abc", "7", "20", "3", retype, "abc"},
      {"flow-on delay empty", 0, "30", "", "20", "3", retype, ""},
      {"flow-off with trailing letters", 0, "30", "7", "12x", "3", retype, "12x"},
      {"flow-off delay negative", 0, "30", "7", "20", "-3", retype, "-3"},
      {"end above start", 0, "30", "7", "31", "3", "Startwert für den Datenlogger muss größer sein als der Endwert",
       "Message"},
      // The case that left the logger at 5.8 s with its delays turned into 17 s.
      {"interval above the delays", 58, "30", "3", "20", "3",
       "Abtastrate muss verringert werden und diese Verzögerungseinstellung zu erreichen", "Message"},
      {"delay beyond the logger's count", 1, "30", "6554", "20", "3", "Achtung zu hohe Verzögerungsgrenzwerte",
       "Message"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Plug();
    Open();
    Download();
    ASSERT_EQ(dlg->StatusPicture(), PictureDownloadDone);
    Sent();
    Spin(dlg->m_hoursSpin, true);
    PickDate(wxDateTime(9, wxDateTime::Mar, 2016));
    Click(dlg->m_barBox);
    if (c.tenths) Slide(c.tenths);
    dlg->m_flowOnText->SetValue(c.on);
    dlg->m_flowOnDelayText->SetValue(c.onDelay);
    dlg->m_flowOffText->SetValue(c.off);
    dlg->m_flowOffDelayText->SetValue(c.offDelay);
    wxTEST_DIALOG(Download(), ExpectMessage(U(c.text), U(c.caption)));
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(dlg->StatusPicture(), PictureUsbConnected);
    EXPECT_TRUE(dlg->m_timeChanged && dlg->m_dateChanged && dlg->m_thresholdsChanged);  // kept for the next try
    EXPECT_EQ(logger->BlockWord(SettingsBlock::OFF_RATE_WORD), 0xF000);
    EXPECT_EQ(logger->BlockByte(SettingsBlock::OFF_PRESSURE_UNIT), 'p');
    EXPECT_TRUE(Errors().empty());
    dlg->Destroy();
    dlg = nullptr;
    bus->Unplug(slot);
  }
}

TEST_F(SettingsDialogTest, HighValuesOnlyWarnAndAreSent) {
  Plug();
  Open();
  Sent();
  dlg->m_flowOnText->SetValue("2500");
  dlg->m_flowOffText->SetValue("2500");  // equal values are accepted
  wxTEST_DIALOG(Download(), Message("Achtung zu hohe Grenzwerte!"), Message("Achtung zu hohe Grenzwerte!"));
  EXPECT_EQ(Sent(), (std::vector<Req>{{4, 0xF000, 0}, {12, 'p', 0}, {30, 2500, 7}, {31, 2500, 3}, {3, 2, 0}}));
  EXPECT_EQ(dlg->StatusPicture(), PictureDownloadDone);
  EXPECT_FALSE(dlg->m_thresholdsChanged);
}

TEST_F(SettingsDialogTest, PressureUnitBoxes) {
  Plug();  // psi
  Open();
  Sent();
  // PSI clicked while checked: it stays checked, so one unit is always chosen.
  Click(dlg->m_psiBox);
  EXPECT_TRUE(dlg->m_psiBox->GetValue());
  EXPECT_FALSE(dlg->m_barBox->GetValue());
  EXPECT_EQ(dlg->m_pressureUnit, 'p');
  EXPECT_EQ(g_pressureUnit, 'p');

  Click(dlg->m_barBox);
  EXPECT_FALSE(dlg->m_psiBox->GetValue());
  EXPECT_TRUE(dlg->m_barBox->GetValue());
  EXPECT_EQ(g_pressureUnit, 'b');
  Click(dlg->m_barBox);
  EXPECT_TRUE(dlg->m_barBox->GetValue());
  EXPECT_FALSE(dlg->m_psiBox->GetValue());
  Download();
  EXPECT_EQ(Sent(), (std::vector<Req>{{4, 0xF000, 0}, {12, 'b', 0}}));
  EXPECT_EQ(logger->BlockByte(SettingsBlock::OFF_PRESSURE_UNIT), 'b');
}

TEST_F(SettingsDialogTest, UnreadableLoggerDisablesEverythingAndSendsNothing) {
  struct Case {
    const char* what;
    bool plugged;
    int stalled;  // request that fails, 0 for none
    std::vector<int> tried;
  };
  const Case cases[] = {
      {"no logger", false, 0, {}},
      {"block unreadable", true, 23, {41}},
      {"clock unreadable", true, 26, {41, 23}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.plugged) {
      Plug();
      if (c.stalled) logger->StallRequest(c.stalled);
    }
    g_serialNumber = 99;
    Open();
    EXPECT_FALSE(dlg->IsLoaded());
    EXPECT_EQ(dlg->StatusPicture(), PictureUsbMissing);
    wxWindow* controls[] = {dlg->m_downloadButton, dlg->m_psiBox,      dlg->m_barBox,       dlg->m_intervalSlider,
                            dlg->m_intervalSpin,   dlg->m_intervalText, dlg->m_hoursText,   dlg->m_minutesText,
                            dlg->m_secondsText,    dlg->m_hoursSpin,   dlg->m_minutesSpin,  dlg->m_secondsSpin,
                            dlg->m_datePicker,     dlg->m_autoLoggingBox, dlg->m_flowOnText, dlg->m_flowOnDelayText,
                            dlg->m_flowOffText,    dlg->m_flowOffDelayText};
    for (wxWindow* w : controls) EXPECT_FALSE(w->IsEnabled()) << w->GetClassInfo()->GetClassName();
    EXPECT_TRUE(dlg->m_closeButton->IsEnabled());
    EXPECT_EQ(dlg->m_intervalText->GetValue(), "10.0");
    EXPECT_EQ(dlg->m_intervalSlider->GetValue(), 100);
    EXPECT_EQ(dlg->m_deviceText->GetLabel(), "");
    EXPECT_EQ(g_serialNumber, 99);
    EXPECT_FALSE(dlg->m_timeChanged || dlg->m_dateChanged || dlg->m_thresholdsChanged);
    if (logger) {
      std::vector<int> completed;
      for (const Req& r : Sent()) completed.push_back(r.request);
      EXPECT_EQ(completed, c.tried);
    }
    // Even a press that got through would send nothing.
    Download();
    if (logger) {
      EXPECT_TRUE(Sent().empty());
    }
    EXPECT_TRUE(Errors().empty());
    dlg->Destroy();
    dlg = nullptr;
    if (c.plugged) bus->Unplug(slot);
  }
}

TEST_F(SettingsDialogTest, DeviceLineAndCalibrationNotice) {
  // Calibrated on 5 September 2016 for 12 months: long expired, announced as the dialog opens.
  sim::BlockParams p = Params();
  p.calibrationDate[2] = 0x16;
  Plug(0x0403, p);
  wxTEST_DIALOG(Open(), ExpectMessage("Calibration Expired", "Calibration"));
  EXPECT_EQ(dlg->m_deviceText->GetLabel(), U("Geräteeinstellungen     Serial No: 1234\nFirmware Version: 4.3"));
  EXPECT_EQ(dlg->m_calibrationText->GetLabel(), "Kalibrierdatum: \t 5:9:2016 \nKalibrierung Dauer: \t 12 Monat");
  EXPECT_EQ(g_serialNumber, 1234);
  EXPECT_TRUE(dlg->m_downloadButton->IsEnabled());  // only a notice
  dlg->Destroy();
  dlg = nullptr;
  bus->Unplug(slot);

  // Still valid (2095), or a date that is none: no notice (an unexpected one fails the test).
  for (uint8_t year : {0x95, 0x00}) {
    p.calibrationDate[0] = year ? 0x05 : 0x00;
    p.calibrationDate[1] = year ? 0x09 : 0x00;
    p.calibrationDate[2] = year;
    Plug(0x0403, p);
    Open();
    EXPECT_TRUE(dlg->IsLoaded());
    EXPECT_EQ(dlg->m_calibrationText->GetLabel(), year ? wxString("Kalibrierdatum: \t 5:9:2095 \nKalibrierung Dauer: \t 12 Monat")
                                                         : wxString("Kalibrierdatum: \t 0:0:2000 \nKalibrierung Dauer: \t 12 Monat"));
    dlg->Destroy();
    dlg = nullptr;
    bus->Unplug(slot);
  }

  // A short block (any other firmware) has no line and no notice, even with old bytes behind it.
  p.calibrationDate[2] = 0x16;
  Plug(0x0402, p);
  g_serialNumber = 99;
  Open();
  EXPECT_TRUE(dlg->IsLoaded());
  EXPECT_EQ(dlg->m_deviceText->GetLabel(), "");
  EXPECT_EQ(dlg->m_calibrationText->GetLabel(), "");
  EXPECT_EQ(g_serialNumber, 99);
  EXPECT_EQ(g_firmwareVersion, 0x0402);
}

// A request that fails stops the send; the dialog reads the logger back, shows what it
// really holds and says, on top of the dialog, what got there.
TEST_F(SettingsDialogTest, AFailedRequestIsReportedWithWhatReachedTheLogger) {
  const Req readBack[] = {{41, 0, 0}, {23, 0, 41 * 256}, {26, 0, 0}};
  // 2.5 s, bar, one hour back, 9 March 2016, flow-on 35: 7 s and 3 s are 2 and 1 samples.
  const std::vector<Req> all = {{4, RateWordFromTenths(25), 0},
                                {12, 'b', 0},
                                {27, 0x0530, 0x0013},
                                {28, 0x0309, 0x16},
                                {30, 35, 2},
                                {31, 20, 1},
                                {3, 2, 0}};
  struct Case {
    int request;
    const char* failure;
    const char* sent;
    const char* interval;  // what the logger holds afterwards
    bool bar;
    const char* hours;
    const char* flowOn;
  };
  const char* const rateFailed = "Herunterladen der Einstellungen fehlgeschlagen: USB-Kabelverbindung überprüfen";
  const char* const thresholdFailed = "Änderung des Druchflussgrenzwertes fehlgeschlagen";
  const Case cases[] = {
      {4, rateFailed, "nichts", "1.0", false, "14", "30"},
      // The rate got there, the unit did not: the dialog shows exactly that.
      {12, rateFailed, "nichts", "2.5", false, "14", "30"},
      {27, "Uhrzeiteinstellung fehlgeschlagen", "Abtastrate und Druckeinheit", "2.5", true, "14", "30"},
      {28, "Uhrzeiteinstellung fehlgeschlagen", "Abtastrate und Druckeinheit, Uhrzeit", "2.5", true, "13", "30"},
      {30, thresholdFailed, "Abtastrate und Druckeinheit, Uhrzeit, Datum", "2.5", true, "13", "30"},
      {31, thresholdFailed, "Abtastrate und Druckeinheit, Uhrzeit, Datum, Einschaltbedingung", "2.5", true, "13", "35"},
      {3, "Automatische Datenlogfunktion fehlgeschlagen",
       "Abtastrate und Druckeinheit, Uhrzeit, Datum, Einschaltbedingung, Ausschaltbedingung", "2.5", true, "13", "35"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.request);
    Plug();
    Open();
    // On screen, as when the user presses the button: a message can stand only on a shown window.
    dlg->Move(0, 0);
    dlg->Show();
    Slide(25);
    Click(dlg->m_barBox);
    Spin(dlg->m_hoursSpin, false);
    PickDate(wxDateTime(9, wxDateTime::Mar, 2016));
    dlg->m_flowOnText->SetValue("35");
    Sent();
    logger->StallRequest(c.request);
    Report report;
    wxTEST_DIALOG(Download(), ExpectReport(&report));

    std::vector<Req> expected;
    for (const Req& r : all) {
      if (r.request == c.request) break;
      expected.push_back(r);
    }
    expected.insert(expected.end(), std::begin(readBack), std::end(readBack));
    EXPECT_EQ(Sent(), expected);

    ASSERT_EQ(report.count, 1);
    EXPECT_EQ(report.parent, dlg);
    EXPECT_TRUE(report.style & wxICON_ERROR);
    EXPECT_EQ(report.caption, U("Geräteeinstellungen"));
    EXPECT_TRUE(report.text.StartsWith(U(c.failure))) << report.text;
    EXPECT_TRUE(report.text.Contains(U("\nÜbertragen: ") + U(c.sent) + ".\n")) << report.text;
    EXPECT_TRUE(report.text.Contains(U("tatsächlich hat"))) << report.text;

    EXPECT_EQ(dlg->StatusPicture(), PictureUsbConnected);
    EXPECT_EQ(dlg->m_intervalText->GetValue(), c.interval);
    EXPECT_EQ(dlg->m_barBox->GetValue(), c.bar);
    EXPECT_EQ(dlg->m_psiBox->GetValue(), !c.bar);
    EXPECT_EQ(dlg->m_flowOnText->GetValue(), c.flowOn);
    EXPECT_EQ(dlg->m_hoursText->GetValue(), c.hours);
    EXPECT_FALSE(dlg->m_timeChanged || dlg->m_dateChanged || dlg->m_thresholdsChanged);
    EXPECT_TRUE(dlg->m_downloadButton->IsEnabled());
    if (c.request == 30) {
      // GTK animates the check mark; the picture waits until Bar shows its mark.
      wxBitmap shot;
      const wxRect bar(dlg->ScreenToClient(dlg->m_barBox->GetScreenPosition()), dlg->m_barBox->GetSize());
      const bool marked = guitest::PumpUntil([&] {
        shot = guitest::Capture(dlg);
        const wxImage image = shot.ConvertToImage();
        for (int y = bar.GetTop(); y <= bar.GetBottom(); ++y)
          for (int x = bar.GetLeft(); x < bar.GetLeft() + bar.height; ++x)
            if (image.GetRed(x, y) < 80 && image.GetGreen(x, y) < 80 && image.GetBlue(x, y) < 80) return true;
        return false;
      });
      EXPECT_TRUE(marked);
      EXPECT_TRUE(guitest::SavePng(shot, "/tmp/settings_dialog_failed.png"));
      // And the report as GTK shows it, on top of the dialog: /tmp/settings_dialog_report.png.
      logger->ClearFaults();
      dlg->m_flowOnText->SetValue("36");
      logger->StallRequest(31);
      guitest::RealModalDialogs real;
      guitest::ScreenshotAndAnswer screen("/tmp/settings_dialog_report.png", GTK_RESPONSE_OK);
      Download();
      EXPECT_TRUE(screen.shot);
      Sent();
    }
    dlg->Destroy();
    dlg = nullptr;
    bus->Unplug(slot);
  }
  EXPECT_TRUE(Errors().empty());
}

TEST_F(SettingsDialogTest, ALoggerGoneDuringTheSendLeavesNothingToSend) {
  Plug();
  Open();
  dlg->Show();
  Spin(dlg->m_secondsSpin, true);
  Sent();
  logger->GoneAfter(2);  // rate and unit, then nothing more
  Report report;
  wxTEST_DIALOG(Download(), ExpectReport(&report));
  EXPECT_EQ(Sent(), (std::vector<Req>{{4, 0xF000, 0}, {12, 'p', 0}}));
  EXPECT_TRUE(report.text.StartsWith("Uhrzeiteinstellung fehlgeschlagen")) << report.text;
  EXPECT_TRUE(report.text.Contains(U("\nÜbertragen: Abtastrate und Druckeinheit.\nNicht übertragen: Uhrzeit.")))
      << report.text;
  EXPECT_TRUE(report.text.Contains(U("nicht zurückgelesen"))) << report.text;
  EXPECT_EQ(report.parent, dlg);
  EXPECT_EQ(dlg->StatusPicture(), PictureUsbMissing);
  EXPECT_FALSE(dlg->IsLoaded());
  EXPECT_FALSE(dlg->m_downloadButton->IsEnabled());
  EXPECT_FALSE(dlg->m_flowOnText->IsEnabled());
}

TEST_F(SettingsDialogTest, RealClicksOnTheIntervalSpinButton) {
  Plug();
  Open();
  dlg->Move(0, 0);
  dlg->Show();
  guitest::Pump(20);
  wxUIActionSimulator sim;
  const wxRect r = dlg->m_intervalSpin->GetScreenRect();
  // GTK draws "-" on the left half and "+" on the right half.
  for (int i = 0; i < 3; ++i) {
    sim.MouseMove(r.GetRight() - r.width / 4, r.GetTop() + r.height / 2);
    guitest::Pump();
    sim.MouseClick();
    guitest::Pump();
  }
  sim.MouseMove(r.GetLeft() + r.width / 4, r.GetTop() + r.height / 2);
  guitest::Pump();
  sim.MouseClick();
  guitest::Pump();
  EXPECT_EQ(dlg->m_intervalTenths, 12);
  EXPECT_EQ(dlg->m_intervalText->GetValue(), "1.2");
}
