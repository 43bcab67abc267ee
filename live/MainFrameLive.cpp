// Live reading: the logger samples continuously, each tick fetches what it took since the
// last one, shows the newest values and appends everything to the live recording.
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/wxVellButton.h"
#include "device/LiveBlock.h"
#include "device/LoggerInfo.h"
#include "device/SettingsBlock.h"
#include "device/VellUSB.h"
#include "i18n/Tr.h"
#include "live/kwxLCDDisplay.h"
#include "recordings/LiveRecording.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <ctime>
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
  // Back on, "Löschen" follows the recording on show again.
  m_removeButton->Enable(on && m_recordings.Shown() >= 0);
}

void MainFrame::OnLiveStart(wxCommandEvent&) {
  if (IsLive()) return;
  m_elapsedSeconds = 0;
  SettingsBlock block;
  if (!ReadSettingsBlock(*m_link, block)) {
    wxLogError("%s", Tr("Keine USB-Verbindung erkannt: USB Kabel erneut einstecken"));
    return;
  }
  RememberLogger(block);
  m_startButton->Enable(false);
  m_stopButton->Enable(true);

  const int intervalMs = IntervalMilliseconds(block.rateWord());
  if (!m_link->SetLiveMode(1)) {
    wxLogError("%s", Tr("USB-Kommunikation ausgefallen"));
    return;
  }
  EnableSetChanges(false);

  m_recordings.StartLive(NewLiveRecording(block, LiveStartStamp(std::time(nullptr))));
  m_liveIntervalMs = std::max(intervalMs, LIVE_MIN_INTERVAL_MS);
  m_liveTimer.Start(m_liveIntervalMs, wxTIMER_CONTINUOUS);
}

void MainFrame::OnLiveTimer(wxTimerEvent&) {
  if (!IsLive()) return;
  const unsigned char* block = m_link->ReadLiveBlock();
  if (!block) {
    wxLogError("USB Connection Lost: STOP operation immediately and Restart Flowmeter AND software");
    StopLive();
    return;
  }
  const std::vector<LoggerSample> samples = DecodeLiveBlock(block);
  Storage& rec = m_recordings.LiveRecording();
  for (const LoggerSample& s : samples) rec.AddSample(s.flowRaw, s.pressureRaw);
  // Every sample passes through the readouts in turn; only the newest stays visible.
  if (!samples.empty()) {
    const Storage::Sample newest = rec.GetLastSample();
    m_elapsedSeconds = newest.time;
    m_clockLcd->ShowElapsed(newest.time);
    m_flowLcd->SetText(wxString::Format("%.0f", newest.flow));
    m_pressureLcd->SetText(wxString::Format("%.1f", newest.pressure));
  }
  // Each tick shows the live recording again, as it grows.
  m_recordings.Show(static_cast<int>(m_recordings.size()) - 1);
  m_recordings.LiveSamplesAdded();
}

void MainFrame::OnLiveStop(wxCommandEvent&) { StopLive(); }

void MainFrame::StopLive() {
  m_startButton->Enable(true);
  m_stopButton->Enable(false);
  m_liveTimer.Stop();
  if (IsLive()) {
    m_recordings.StopLive();
    EnableSetChanges(true);
  }
  if (!m_link->SetLiveMode(0)) {
    wxLogError("%s", Tr("USB Fehler: (Logging Fehlgeschlagen) Corvane ausschalten und Software neustarten"));
    return;
  }
  m_link->ReadLiveBlock();  // samples taken since the last tick are not recorded
  RefreshRecordingList();
}
