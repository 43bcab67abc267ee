#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "recordings/RecordingSet.h"

namespace {

Storage Rec(const std::string& title) {
  Storage s("1/01/2024 0:00:00", 1000, 1, false);
  s.SetTitle(title);
  return s;
}

std::vector<Storage> Recs(int n, int& next) {
  std::vector<Storage> v;
  for (int i = 0; i < n; ++i) v.push_back(Rec("r" + std::to_string(next++)));
  return v;
}

}  // namespace

TEST(RecordingSet, RemovingTheShownRecordShowsItsNeighbour) {
  struct Case {
    int count, shown, removed, shownAfter;
  } cases[] = {
      {5, 4, 4, 3},   // the last: the one before it
      {5, 0, 0, 0},   // the first: the one that moves up
      {5, 2, 2, 2},   // a middle one: the one that moves into its place
      {1, 0, 0, -1},  // the only one: none
      {5, 3, 1, 2},   // another row above: the shown record moves up with its row
      {5, 1, 3, 1},   // another row below: nothing moves
  };
  for (const Case& c : cases) {
    int next = 0;
    RecordingSet set;
    set.Replace(Recs(c.count, next), "a.kdl", true);
    set.Show(c.shown);
    const std::string shownTitle = set[static_cast<size_t>(c.shown)].GetTitle();
    unsigned seen = 0;
    set.SetListener([&](unsigned changes) { seen |= changes; });
    ASSERT_TRUE(set.Remove(c.removed));
    EXPECT_EQ(set.Shown(), c.shownAfter) << c.count << " " << c.removed;
    EXPECT_FALSE(set.IsSaved());
    EXPECT_TRUE(seen & RecordingSet::ROWS);
    EXPECT_TRUE(seen & RecordingSet::SAVED);
    EXPECT_EQ((seen & RecordingSet::SHOWN) != 0, c.shown == c.removed);
    if (c.shown != c.removed) {
      EXPECT_EQ(set[static_cast<size_t>(set.Shown())].GetTitle(), shownTitle);
    }
  }
}

TEST(RecordingSet, LiveRecordingStaysLastAndCannotBeReplacedOrRemoved) {
  int next = 0;
  RecordingSet set;
  set.Replace(Recs(2, next), "a.kdl", true);
  set.StartLive(Rec("live"));
  EXPECT_TRUE(set.IsLive());
  EXPECT_EQ(set.Shown(), 2);
  EXPECT_FALSE(set.IsSaved());
  EXPECT_FALSE(set.Replace(Recs(3, next), "", false));
  EXPECT_FALSE(set.Remove(2));
  EXPECT_TRUE(set.Remove(0));
  EXPECT_EQ(set.back().GetTitle(), "live");
  EXPECT_EQ(set.Shown(), 1);  // still the live recording
  set.StopLive();
  EXPECT_TRUE(set.HasUnsavedRecordings());
  EXPECT_TRUE(set.Remove(1));
}

// Thousands of random operations against a plain model of what the set must
// hold.
TEST(RecordingSet, RandomOperationsKeepTheInvariants) {
  std::mt19937 rng(20261210);
  RecordingSet set;
  std::vector<std::string> model;  // titles in order
  std::string modelShown;          // title on show, empty for none
  bool modelSaved = false, modelLive = false;
  std::string modelPath;
  std::string liveTitle;
  int next = 0;
  unsigned notified = 0;
  set.SetListener([&](unsigned changes) { notified |= changes; });
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(-1, n)(rng); };

  for (int step = 0; step < 20000; ++step) {
    notified = 0;
    const bool wasSaved = set.IsSaved();
    const int op = std::uniform_int_distribution<int>(0, 8)(rng);
    const int n = static_cast<int>(model.size());
    switch (op) {
      case 0: {  // download or open
        const int count = std::uniform_int_distribution<int>(0, 6)(rng);
        const bool saved = rng() % 2;
        const int first = next;
        const bool ok = set.Replace(Recs(count, next), saved ? "f.kdl" : "", saved);
        EXPECT_EQ(ok, !modelLive);
        if (ok) {
          model.clear();
          for (int i = first; i < next; ++i) model.push_back("r" + std::to_string(i));
          modelShown = model.empty() ? "" : model[0];
          modelSaved = saved;
          modelPath = saved ? "f.kdl" : "";
        }
        break;
      }
      case 1: {
        const int i = pick(n);
        set.Show(i);
        modelShown = i >= 0 && i < n ? model[static_cast<size_t>(i)] : "";
        break;
      }
      case 2: {
        const int i = pick(n);
        const bool allowed = i >= 0 && i < n && !(modelLive && i == n - 1);
        EXPECT_EQ(set.Remove(i), allowed);
        if (allowed) {
          const bool wasShown = model[static_cast<size_t>(i)] == modelShown;
          model.erase(model.begin() + i);
          if (wasShown)
            modelShown =
                model.empty() ? "" : model[static_cast<size_t>(std::min(i, static_cast<int>(model.size()) - 1))];
          modelSaved = false;
        }
        break;
      }
      case 3: {
        const int i = pick(n);
        set.SetTitle(i, "t" + std::to_string(next));
        if (i >= 0 && i < n) {
          if (modelShown == model[static_cast<size_t>(i)]) modelShown = "t" + std::to_string(next);
          if (liveTitle == model[static_cast<size_t>(i)]) liveTitle = "t" + std::to_string(next);
          model[static_cast<size_t>(i)] = "t" + std::to_string(next);
          modelSaved = false;
        }
        ++next;
        break;
      }
      case 4:
        set.MarkSaved("s.kdl");
        modelSaved = true;
        modelPath = "s.kdl";
        break;
      case 5:
        if (!modelLive) {
          set.StartLive(Rec("live" + std::to_string(next)));
          model.push_back("live" + std::to_string(next++));
          liveTitle = model.back();
          modelShown = model.back();
          modelLive = true;
          modelSaved = false;
        }
        break;
      case 6:
        if (modelLive) {
          set.LiveRecording().AppendSample(1, 2, 3, 4);
          set.LiveSamplesAdded();
          modelSaved = false;
          EXPECT_TRUE(notified & RecordingSet::SAMPLES);
        }
        break;
      case 7:
        set.StopLive();
        modelLive = false;
        break;
      case 8:
        set.SetInfo(pick(n), "info");
        if (notified) modelSaved = false;
        break;
    }
    ASSERT_EQ(set.size(), model.size()) << "step " << step;
    for (size_t i = 0; i < model.size(); ++i) ASSERT_EQ(set[i].GetTitle(), model[i]) << "step " << step;
    ASSERT_TRUE(set.Shown() >= -1 && set.Shown() < static_cast<int>(set.size()));
    ASSERT_EQ(set.Shown() < 0 ? std::string() : set[static_cast<size_t>(set.Shown())].GetTitle(), modelShown)
        << "step " << step;
    ASSERT_EQ(set.IsLive(), modelLive);
    if (modelLive) {
      ASSERT_EQ(set.back().GetTitle(), liveTitle);
    }
    ASSERT_EQ(set.IsSaved(), modelSaved) << "step " << step << " op " << op;
    ASSERT_EQ(set.WorkFilePath(), modelPath);
    // A listener hears of every change of the saved flag.
    if (set.IsSaved() != wasSaved) {
      ASSERT_TRUE(notified & RecordingSet::SAVED) << "step " << step;
    }
  }
}
