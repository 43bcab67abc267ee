// Live reading against the simulated logger, its virtual clock driven by the test.
#include "MainFrameFixture.h"
#include "RecordingsWindowSupport.h"
#include "device/LoggerInfo.h"
#include "live/kwxLCDDisplay.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/stattext.h>

#include "app/wxVellButton.h"

namespace {

class LiveTest : public MainFrameTest {
 protected:
  // A fresh logger with this sample interval (rate word) and firmware.
  void UseLogger(uint16_t rateWord, int firmware = 0x0403) {
    bus->Unplug(slot);
    sim::BlockParams p;
    p.rateWord = rateWord;
    logger = std::make_shared<sim::SimLogger>(firmware, p);
    slot = bus->Plug(logger);
  }
  void LiveTick() {
    wxTimerEvent event(frame->m_liveTimer);
    frame->GetEventHandler()->ProcessEvent(event);
  }
  const Storage& Live() { return frame->m_recordings.back(); }
  std::vector<wxString> Errors() { return guitest::LogCapture::Get().Errors(); }
};

}  // namespace

TEST_F(LiveTest, TenthSecondSamplesArriveTenPerTick) {
  UseLogger(0xFE67);
  Open();
  int n = 0;
  logger->SetSignal([&n](double) { return sim::RawSample{n++, 500}; });
  Command(ID_LIVE_START);
  ASSERT_EQ(frame->m_recordings.size(), 1u);
  EXPECT_FALSE(frame->m_startButton->IsEnabled());
  EXPECT_TRUE(frame->m_stopButton->IsEnabled());
  EXPECT_TRUE(frame->m_liveTimer.IsRunning());
  EXPECT_EQ(frame->m_liveTimer.GetInterval(), 1000);
  EXPECT_EQ(Live().GetTitle(), "Verbunden");
  EXPECT_EQ(Live().GetIntervalMs(), 100);
  EXPECT_EQ(Live().GetSerialNumber(), 4711);
  EXPECT_EQ(g_serialNumber, 4711);

  logger->AdvanceMs(1000);
  frame->m_recordings.MarkSaved();
  LiveTick();
  ASSERT_EQ(Live().GetSampleCount(), 10);
  for (int i = 0; i < 10; ++i) EXPECT_FLOAT_EQ(Live().GetSample(i).time, 0.1f * (i + 1));
  EXPECT_FALSE(frame->m_recordings.IsSaved());
  EXPECT_EQ(frame->m_recordings.Shown(), 0);
  EXPECT_EQ(frame->m_flowLcd->GetText(), "9");
  EXPECT_EQ(frame->m_clockLcd->GetText(), "00:00:01");

  logger->AdvanceMs(2000);
  LiveTick();
  EXPECT_EQ(Live().GetSampleCount(), 30);
  EXPECT_FLOAT_EQ(frame->m_elapsedSeconds, 3.0f);

  // Stop: idle again, one more block read and discarded, the recording keeps its samples.
  logger->AdvanceMs(500);
  logger->ClearLog();
  Command(ID_LIVE_STOP);
  EXPECT_TRUE(frame->m_startButton->IsEnabled());
  EXPECT_FALSE(frame->m_stopButton->IsEnabled());
  EXPECT_FALSE(frame->m_liveTimer.IsRunning());
  const auto log = logger->Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].request, 5);
  EXPECT_EQ(log[0].value, 0);
  EXPECT_EQ(log[1].request, 21);
  EXPECT_EQ(Live().GetSampleCount(), 30);
  EXPECT_FALSE(logger->LiveMode());
  // The displays keep their last values.
  EXPECT_EQ(frame->m_flowLcd->GetText(), "29");
  EXPECT_TRUE(Errors().empty());
}

TEST_F(LiveTest, SlowIntervalSetsTheTimerAndEmptyBlocksChangeNothingShown) {
  UseLogger(0xB000, 0x0402);  // 5 s, short block: no serial number
  Open();
  Command(ID_LIVE_START);
  EXPECT_EQ(frame->m_liveTimer.GetInterval(), 5000);
  EXPECT_EQ(Live().GetSerialNumber(), 0);
  frame->m_flowLcd->SetText("7");
  frame->m_recordings.MarkSaved();
  LiveTick();  // nothing sampled yet
  EXPECT_EQ(Live().GetSampleCount(), 0);
  EXPECT_EQ(frame->m_flowLcd->GetText(), "7");
  EXPECT_FALSE(frame->m_recordings.IsSaved());
  Command(ID_LIVE_STOP);
}

TEST_F(LiveTest, RawSampleDecodingAndUnitLabels) {
  sim::BlockParams p;
  p.pressureUnit = 'p';
  p.stateFlags = 0x00;  // gallons
  bus->Unplug(slot);
  logger = std::make_shared<sim::SimLogger>(0x0403, p);
  slot = bus->Plug(logger);
  Open();
  Command(ID_LIVE_START);
  EXPECT_EQ(frame->m_pressureUnitLabel->GetLabel(), "psi");
  EXPECT_EQ(g_flowUnitLitres, 0);
  EXPECT_EQ(Live().GetFlowUnitLitres(), 0);
  logger->SetLiveCountOverride(-1);
  // One sample with bytes 0x10, 0xC1, 0x20: flow 272, pressure raw 800.
  logger->SetSignal([](double) { return sim::RawSample{0x110, 0x320}; });
  logger->AdvanceMs(1000);
  LiveTick();
  ASSERT_EQ(Live().GetSampleCount(), 1);
  EXPECT_FLOAT_EQ(Live().GetSample(0).flow, 272.0f);
  const float gain = static_cast<float>(2 + 15 / 100.0);
  EXPECT_FLOAT_EQ(Live().GetSample(0).pressure, static_cast<float>((800 - 104) / gain));
  EXPECT_EQ(frame->m_flowLcd->GetText(), "272");
  Command(ID_LIVE_STOP);
}

TEST_F(LiveTest, UnplugDuringLiveReportsAndKeepsTheSamples) {
  UseLogger(0xF000);
  Open();
  Command(ID_LIVE_START);
  logger->AdvanceMs(3000);
  LiveTick();
  ASSERT_EQ(Live().GetSampleCount(), 3);
  bus->Unplug(slot);
  LiveTick();
  const auto errors = Errors();
  ASSERT_GE(errors.size(), 1u);
  EXPECT_EQ(errors[0], "USB Connection Lost: STOP operation immediately and Restart Flowmeter AND software");
  ASSERT_EQ(errors.size(), 2u) << "the stop request cannot reach the logger either";
  EXPECT_EQ(errors[1], "USB Fehler: (Logging Fehlgeschlagen) Corvane ausschalten und Software neustarten");
  EXPECT_TRUE(frame->m_startButton->IsEnabled());
  EXPECT_FALSE(frame->m_stopButton->IsEnabled());
  EXPECT_FALSE(frame->m_liveTimer.IsRunning());
  EXPECT_EQ(Live().GetSampleCount(), 3);

  // Plugged in again, live reading starts afresh.
  bus->Replug(slot);
  logger->SetGone(false);
  guitest::LogCapture::Get().Clear();
  Command(ID_LIVE_START);  // the first open after the unplug may fail once
  if (!frame->m_liveTimer.IsRunning()) {
    guitest::LogCapture::Get().Clear();
    Command(ID_LIVE_START);
  }
  EXPECT_TRUE(frame->m_liveTimer.IsRunning());
  EXPECT_EQ(frame->m_recordings.size(), 2u);
  Command(ID_LIVE_STOP);
}

TEST_F(LiveTest, RefusedLiveModeAtStartAndStop) {
  Open();
  // No logger: nothing changes.
  bus->Unplug(slot);
  Command(ID_LIVE_START);
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0], "Keine USB-Verbindung erkannt: USB Kabel erneut einstecken");
  EXPECT_TRUE(frame->m_startButton->IsEnabled());
  EXPECT_TRUE(frame->m_recordings.empty());

  // Live mode refused: buttons in the live arrangement, no recording, no timer.
  bus->Replug(slot);
  guitest::LogCapture::Get().Clear();
  logger->StallRequest(5);
  Command(ID_LIVE_START);
  if (Errors().size() == 1 && Errors()[0].StartsWith("Keine")) {  // first open after replug
    guitest::LogCapture::Get().Clear();
    Command(ID_LIVE_START);
  }
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0], "USB-Kommunikation ausgefallen");
  EXPECT_FALSE(frame->m_startButton->IsEnabled());
  EXPECT_TRUE(frame->m_stopButton->IsEnabled());
  EXPECT_FALSE(frame->m_liveTimer.IsRunning());
  EXPECT_TRUE(frame->m_recordings.empty());

  // Stop refused too: reported, back to idle.
  guitest::LogCapture::Get().Clear();
  Command(ID_LIVE_STOP);
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0], "USB Fehler: (Logging Fehlgeschlagen) Corvane ausschalten und Software neustarten");
  EXPECT_TRUE(frame->m_startButton->IsEnabled());
}

TEST_F(LiveTest, CommandsThatReplaceRecordingsWaitForTheStop) {
  UseLogger(0xF000);
  Open();
  frame->m_recordings.Append(Storage("1/01/2026 1:00:00", 1000, 1, false));
  frame->RefreshRecordingList();
  rectest::ClickRow(frame->m_recordList, 0);
  ASSERT_TRUE(frame->m_removeButton->IsEnabled());
  Command(ID_LIVE_START);
  EXPECT_FALSE(frame->m_downloadButton->IsEnabled());
  EXPECT_FALSE(frame->m_openButton->IsEnabled());
  EXPECT_FALSE(frame->m_removeButton->IsEnabled());
  EXPECT_FALSE(frame->m_settingsButton->IsEnabled());
  logger->AdvanceMs(2000);
  LiveTick();
  EXPECT_EQ(frame->m_recordings[0].GetSampleCount(), 0);
  EXPECT_EQ(frame->m_recordings[1].GetSampleCount(), 2);
  Command(ID_LIVE_STOP);
  EXPECT_TRUE(frame->m_downloadButton->IsEnabled());
  EXPECT_TRUE(frame->m_openButton->IsEnabled());
  EXPECT_TRUE(frame->m_settingsButton->IsEnabled());
  // "Löschen" comes back like its neighbours, which keep the state of the last selection.
  EXPECT_TRUE(frame->m_titleButton->IsEnabled());
  EXPECT_TRUE(frame->m_removeButton->IsEnabled());
}
