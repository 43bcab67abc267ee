// A day of live reading at 0.1 s: every sample the logger took arrives in the recording, in
// order, and memory grows with the recording's samples and nothing else.
#include <malloc.h>

#include <cstdio>

#include "MainFrameFixture.h"

namespace {

size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

}  // namespace

TEST_F(MainFrameTest, ADayOfLiveReadingAtATenthOfASecond) {
  bus->Unplug(slot);
  sim::BlockParams p;
  p.rateWord = 0xFE67;  // 0.1 s: 409 ticks of 1/4096 s per sample
  logger = std::make_shared<sim::SimLogger>(0x0403, p);
  slot = bus->Plug(logger);
  uint64_t produced = 0;
  // Flow counts the samples (modulo its 14 bits), so order and completeness can be checked.
  logger->SetSignal([&produced](double) { return sim::RawSample{static_cast<int>(produced++ % 16384), 300}; });
  Open();
  Command(ID_LIVE_START);
  ASSERT_TRUE(frame->m_liveTimer.IsRunning());
  ASSERT_EQ(frame->m_liveTimer.GetInterval(), 1000);

  // Each tick fetches a nearly full block (73 samples, 7.3 s of sampling): a day in 11,836 ticks,
  // with every sample still passing through the block, the decoding and the recording.
  const int tickMs = 7300;
  const int ticks = 24 * 3600 * 1000 / tickMs + 1;
  size_t heapAfterWarmUp = 0;
  uint64_t samplesAfterWarmUp = 0;
  for (int t = 1; t <= ticks; ++t) {
    logger->AdvanceMs(t < ticks ? tickMs : 24 * 3600 * 1000 - static_cast<int64_t>(ticks - 1) * tickMs);
    wxTimerEvent tick(frame->m_liveTimer);
    frame->GetEventHandler()->ProcessEvent(tick);
    if (t == 100) {
      heapAfterWarmUp = HeapInUse();
      samplesAfterWarmUp = frame->m_recordings.back().GetSampleCount();
    }
  }
  ASSERT_TRUE(guitest::LogCapture::Get().Errors().empty());
  const Storage& live = frame->m_recordings.back();
  const uint64_t received = live.GetSampleCount();
  // The logger's clock runs at 4096 ticks a second and samples every 409 of them.
  EXPECT_EQ(logger->LiveSamplesTaken(), 24ull * 3600 * 4096 / 409);
  EXPECT_EQ(received + logger->PendingLiveSamples(), logger->LiveSamplesTaken());
  EXPECT_LT(logger->PendingLiveSamples(), 75u);
  for (uint64_t i = 0; i < received; i += 997)
    ASSERT_EQ(static_cast<int>(live.GetSample(static_cast<int>(i)).flow), static_cast<int>(i % 16384)) << i;
  EXPECT_FLOAT_EQ(live.GetLastSample().time, static_cast<float>(received * 100 / 1000.0));

  const size_t growth = HeapInUse() - heapAfterWarmUp;
  const double perSample = static_cast<double>(growth) / static_cast<double>(received - samplesAfterWarmUp);
  std::printf("live day: %llu samples, heap growth %zu bytes, %.1f bytes per sample\n",
              static_cast<unsigned long long>(received), growth, perSample);
  // The recording holds four floats a sample with up to an eighth more room, and while its
  // arrays move to bigger buffers the old and the new one for a while: 16 * 2.25 = 36 bytes at
  // the very most. The plot reads the recording's arrays and holds no copy; anything beyond
  // is a leak or a copy.
  EXPECT_LT(perSample, 16 * 2.25 + 2);

  Command(ID_LIVE_STOP);
  EXPECT_EQ(frame->m_recordings.back().GetSampleCount(), static_cast<int>(received));
}
