// The logger's status in the main window and erasing its memory, against the simulated logger.
#include "MainFrameFixture.h"
#include "settings/SettingsDialog.h"

#include <wx/gauge.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>

TEST_F(MainFrameTest, StatusTickShowsTimeGaugesAndBatteryColour) {
  Open();
  struct Case {
    uint16_t rateWord;
    int64_t free;
    uint16_t battery;
    const char* text;
    int memoryGauge;
    int batteryGauge;
    wxColour bar;
  };
  const Case cases[] = {
      {0xF000, 131050, 200, "12:08 Stunden Speicherplatz vorhanden", 0, 600, wxColour(0, 255, 0)},
      {0xF000, 3000, 100, "00:16 Minuten Speicherplatz vorhanden", 683, 300, wxColour(240, 160, 0)},
      {0x6000, 131050, 50, "5 Days, 01:21 Minuten Speicherplatz vorhanden", 0, 150, wxColour(255, 0, 0)},
      {0xF000, 0, 117, "00:00 Minuten Speicherplatz vorhanden", 700, 351, wxColour(0, 255, 0)},
      {0xF000, 65535, 58, "06:04 Stunden Speicherplatz vorhanden", 350, 174, wxColour(255, 0, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    sim::BlockParams p;
    p.rateWord = c.rateWord;
    logger->SetBlock(p);
    logger->SetFreeMemoryOverride(c.free);
    logger->SetBattery(c.battery);
    StatusTick();
    EXPECT_EQ(frame->m_statusText->GetLabel(), wxString::FromUTF8(c.text));
    EXPECT_EQ(frame->m_memoryGauge->GetValue(), c.memoryGauge);
    EXPECT_EQ(frame->m_batteryGauge->GetValue(), c.batteryGauge);
    EXPECT_EQ(frame->m_batteryGauge->GetForegroundColour(), c.bar);
    EXPECT_EQ(frame->m_batteryGauge->GetBackgroundColour(), wxColour(236, 233, 216));
  }
  // Unplugged: the next tick blanks the text and drops both gauges, without a message.
  bus->Unplug(slot);
  StatusTick();
  EXPECT_EQ(frame->m_statusText->GetLabel(), " ");
  EXPECT_EQ(frame->m_memoryGauge->GetValue(), 0);
  EXPECT_EQ(frame->m_batteryGauge->GetValue(), 0);
  EXPECT_TRUE(guitest::LogCapture::Get().Errors().empty());
  // Plugged in again: the next tick finds it.
  bus->Replug(slot);
  StatusTick();
  EXPECT_NE(frame->m_statusText->GetLabel(), " ");
}

TEST_F(MainFrameTest, ClearMemoryAsksFirstAndReportsFailures) {
  Open();
  sim::Recording rec{{2026, 12, 1, 8, 0, 0}, std::vector<sim::RawSample>(10, {5, 300}), 0};
  logger->LoadRecordings({rec});
  const auto countClears = [&] {
    int n = 0;
    for (const auto& t : logger->Log()) n += t.request == 13 && t.result >= 0;
    return n;
  };

  // Cancelled: nothing is sent.
  wxTEST_DIALOG(Command(ID_CLEAR_MEMORY), wxExpectModal<wxMessageDialog>(wxID_CANCEL));
  EXPECT_EQ(countClears(), 0);
  EXPECT_EQ(logger->BlockWord(2), 1);

  // Confirmed: the logger's memory is cleared, nothing reported, the set is untouched.
  frame->m_recordings.Append(Storage("x", 1000, 1, false));
  wxTEST_DIALOG(Command(ID_CLEAR_MEMORY), wxExpectModal<wxMessageDialog>(wxID_OK));
  EXPECT_EQ(countClears(), 1);
  EXPECT_EQ(logger->BlockWord(2), 0);
  EXPECT_EQ(frame->m_recordings.size(), 1u);
  EXPECT_TRUE(guitest::LogCapture::Get().Errors().empty());

  // Refused by the logger: its error code is shown.
  logger->RefuseRequest(13, 9);
  wxTEST_DIALOG(Command(ID_CLEAR_MEMORY), wxExpectModal<wxMessageDialog>(wxID_OK));
  ASSERT_EQ(guitest::LogCapture::Get().Errors().size(), 1u);
  EXPECT_EQ(guitest::LogCapture::Get().Errors()[0], "Lesen fehlgeschlagen Fehlercode: 9");

  // Failing without a code (logger gone): the connection is blamed.
  guitest::LogCapture::Get().Clear();
  logger->ClearFaults();
  bus->Unplug(slot);
  wxTEST_DIALOG(Command(ID_CLEAR_MEMORY), wxExpectModal<wxMessageDialog>(wxID_OK));
  ASSERT_EQ(guitest::LogCapture::Get().Errors().size(), 1u);
  EXPECT_EQ(guitest::LogCapture::Get().Errors()[0], "USB-Verbindung fehlgeschlagen");
}

TEST_F(MainFrameTest, ClearMemoryDialogTexts) {
  Open();
  struct Check : wxExpectModal<wxMessageDialog> {
    Check() : wxExpectModal<wxMessageDialog>(wxID_CANCEL) {}
    int OnInvoked(wxMessageDialog* dlg) const override {
      EXPECT_EQ(dlg->GetMessage(), wxString::FromUTF8("Wählen Sie 'OK' um alle gespeicherten Daten auf dem Gerät zu löschen"));
      EXPECT_EQ(dlg->GetTitle(), wxString::FromUTF8("Achtung: Daten werden gelöscht"));
      return wxID_CANCEL;
    }
  };
  wxTEST_DIALOG(Command(ID_CLEAR_MEMORY), Check());
}

TEST_F(MainFrameTest, LoggerWithoutAccessPermissionNamesTheUdevRule) {
  Open();
  bus->DenyAccess(slot, true);
  StatusTick();
  EXPECT_TRUE(frame->m_statusText->GetLabel().Contains("udev-Regel"));
  EXPECT_EQ(frame->m_batteryGauge->GetValue(), 0);
  const auto warnings = [] {
    std::vector<wxString> out;
    for (const auto& e : guitest::LogCapture::Get().Entries())
      if (e.level <= wxLOG_Warning) out.push_back(e.text);
    return out;
  };
  ASSERT_EQ(warnings().size(), 1u);
  EXPECT_TRUE(warnings()[0].Contains("70-vrx-logger.rules"));
  EXPECT_TRUE(guitest::LogCapture::Get().Errors().empty());
  StatusTick();  // told once only
  EXPECT_EQ(warnings().size(), 1u);

  // A failed operation names the rule too, not the connection.
  guitest::LogCapture::Get().Clear();
  wxTEST_DIALOG(Command(ID_CLEAR_MEMORY), wxExpectModal<wxMessageDialog>(wxID_OK));
  ASSERT_EQ(guitest::LogCapture::Get().Errors().size(), 1u);
  EXPECT_TRUE(guitest::LogCapture::Get().Errors()[0].Contains("udev"));

  // Access granted: back to the ordinary status.
  bus->DenyAccess(slot, false);
  StatusTick();
  EXPECT_TRUE(frame->m_statusText->GetLabel().Contains("Speicherplatz vorhanden"));
}

TEST_F(MainFrameTest, SettingsButtonOpensTheLoggerSettings) {
  Open();
  logger->ClearLog();
  wxTEST_DIALOG(Command(ID_DEVICE_SETTINGS), guitest::ExpectDialog<SettingsDialog>(wxID_CANCEL));
  bool readFirmware = false;
  for (const auto& t : logger->Log()) readFirmware |= t.request == 41;
  EXPECT_TRUE(readFirmware);
}
