// Live reading: the logger samples continuously, each tick fetches what it took since the
// last one, shows the newest values and appends everything to the live recording.
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/wxVellButton.h"
#include "device/LiveBlock.h"
#include "device/LoggerInfo.h"
#include "device/SettingsBlock.h"
#include "device/VellUSB.h"
#include "live/kwxLCDDisplay.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/datetime.h>
#include <wx/listctrl.h>
#include <wx/log.h>
#include <wx/menu.h>

#include <algorithm>

namespace {
constexpr int LIVE_MIN_INTERVAL_MS = 1000;
}

void MainFrame::EnableSetChanges(bool on) {
  m_downloadButton->Enable(on);
  m_settingsButton->Enable(on);
  m_openButton->Enable(on);
  if (wxMenuBar* bar = GetMenuBar()) bar->Enable(ID_OPEN, on);
  // Back on, "Löschen" takes the state its two neighbours kept from the last selection.
  m_removeButton->Enable(on && m_titleButton->IsEnabled());
}

void MainFrame::OnLiveStart(wxCommandEvent&) {
  m_elapsedSeconds = 0;
  SettingsBlock block;
  if (!ReadSettingsBlock(*m_link, block)) {
    wxLogError("Keine USB-Verbindung erkannt: USB Kabel erneut einstecken");
    return;
  }
  g_firmwareVersion = block.FirmwareVersion();
  m_startButton->Enable(false);
  m_stopButton->Enable(true);

  const int intervalMs = IntervalMilliseconds(block.rateWord());
  g_flowUnitLitres = block.flowUnitLitres() ? 1 : 0;
  g_pressureUnit = block.pressureUnit();
  if (!m_link->SetLiveMode(1)) {
    wxLogError("USB-Kommunikation ausgefallen");
    return;
  }
  m_live = true;
  EnableSetChanges(false);

  const wxString stamp = wxDateTime::Now().ToUTC().Format("%d/%m/%Y %H:%M:%S");
  m_recordings.emplace_back(std::string(stamp.utf8_str()), intervalMs, block.flowUnitLitres() ? 1 : 0, false);
  Storage& rec = m_recordings.back();
  rec.SetPressureScaling(block.pressureZero(), block.pressureRough(), block.pressureFine(),
                         static_cast<char>(block.pressureUnit()));
  rec.SetTitle("Verbunden");
  if (block.FirmwareVersion() == FIRMWARE_LONG_BLOCK) {
    g_serialNumber = block.serialNumber();
    rec.SetSerialNumber(block.serialNumber());
  }
  ApplyUnitLabels(static_cast<int>(m_recordings.size()) - 1);
  m_liveIntervalMs = std::max(intervalMs, LIVE_MIN_INTERVAL_MS);
  m_liveTimer.Start(m_liveIntervalMs, wxTIMER_CONTINUOUS);
  RefreshRecordingList();
}

void MainFrame::OnLiveTimer(wxTimerEvent&) {
  const unsigned char* block = m_link->ReadLiveBlock();
  if (!block) {
    wxLogError("USB Connection Lost: STOP operation immediately and Restart Flowmeter AND software");
    StopLive();
    return;
  }
  const std::vector<LoggerSample> samples = DecodeLiveBlock(block);
  const int last = static_cast<int>(m_recordings.size()) - 1;
  if (last >= 0) {
    Storage& rec = m_recordings[last];
    for (const LoggerSample& s : samples) rec.AddSample(s.flowRaw, s.pressureRaw);
    // Every sample passes through the readouts in turn; only the newest stays visible.
    if (!samples.empty()) {
      const Storage::Sample newest = rec.GetLastSample();
      m_elapsedSeconds = newest.time;
      m_clockLcd->ShowElapsed(newest.time);
      m_flowLcd->SetText(wxString::Format("%.0f", newest.flow));
      m_pressureLcd->SetText(wxString::Format("%.1f", newest.pressure));
    }
  }
  RefreshRecordingList();
  m_seriesOnlyGrew = true;
  ShowRecording(last);
  m_saved = false;
}

void MainFrame::OnLiveStop(wxCommandEvent&) { StopLive(); }

void MainFrame::StopLive() {
  m_startButton->Enable(true);
  m_stopButton->Enable(false);
  m_liveTimer.Stop();
  if (m_live) {
    m_live = false;
    EnableSetChanges(true);
  }
  if (!m_link->SetLiveMode(0)) {
    wxLogError("USB Fehler: (Logging Fehlgeschlagen) Corvane ausschalten und Software neustarten");
    return;
  }
  m_link->ReadLiveBlock();  // samples taken since the last tick are not recorded
  RefreshRecordingList();
}
