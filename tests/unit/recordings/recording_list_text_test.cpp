#include <gtest/gtest.h>

#include "RecordingListText.h"

TEST(RecordingListText, Duration) {
  struct Case {
    int64_t samples;
    int32_t intervalMs;
    const char* text;
  };
  const Case cases[] = {
      {3600, 1000, "01:00:00"},   {59, 1000, "00:59"},       {90, 500, "00:45"},
      {90000, 1000, "01:00:00"},  // 25 hours: the hours wrap past a day
      {0, 1000, "00:00"},         {86399, 1000, "23:59:59"}, {86400, 1000, "00:00"},
      {3, 333, "00:00"},  // 0.999 s truncates toward zero
      {43690, 60000, "08:10:00"}, {10, -1000, "00:00"},      {INT32_MAX, INT32_MAX, "22:33:41"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DurationText(c.samples, c.intervalMs), c.text) << c.samples << " " << c.intervalMs;
}

TEST(RecordingListText, DateAndTimeSplitAtFirstBlank) {
  EXPECT_EQ(ListDateText("9/03/2016 8:05:30"), "9/03/2016");
  EXPECT_EQ(ListTimeText("9/03/2016 8:05:30"), "8:05:30");
  EXPECT_EQ(ListDateText("a b c"), "a");
  EXPECT_EQ(ListTimeText("a b c"), "b c");
  EXPECT_EQ(ListDateText("heute"), "heute");
  EXPECT_EQ(ListTimeText("heute"), "");
  EXPECT_EQ(ListTimeText(""), "");
}

TEST(RecordingListText, VolumeColumn) {
  Storage s("", 1000, 1, false);
  EXPECT_EQ(VolumeText(s), "0");
  EXPECT_EQ(DurationText(s), "00:00");
  s.AppendSample(1, 1, 1, 12.9f);
  EXPECT_EQ(VolumeText(s), "12");
  EXPECT_EQ(VolumeColumnHeading(1), "Volumen (L)");
  EXPECT_EQ(VolumeColumnHeading(0), "Volumen (G)");
  EXPECT_EQ(VolumeColumnHeading(7), "Volumen (G)");
}
