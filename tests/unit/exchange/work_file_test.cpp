#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <random>

#include "Storage.h"
#include "TempDir.h"
#include "WorkFile.h"

namespace {

Storage ExampleRecording() {
  Storage s("9/03/2016 8:05:30", 1000, 1, false);
  s.SetPressureScaling(104, 2, 15, 'b');
  s.SetTitle("Speicher");
  s.SetSerialNumber(1234);
  s.AddSample(25, 319);
  s.AddSample(25, 319);
  return s;
}

// The same file as fprintf with the documented formats writes it.
std::string StdioWorkFile(const std::vector<Storage>& set, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fprintf(f, "%d\r\n%d\r\n", 430000, static_cast<int>(set.size()));
  for (const Storage& s : set) {
    std::fprintf(f, "%s\r\n%s\r\n%s\r\n%d\r\n%d\r\n%d\r\n%d\r\n%d\r\n%d\r\n", s.GetTitle().c_str(),
                 s.GetDateTime().c_str(), s.GetInfo().c_str(), s.GetSerialNumber(),
                 s.GetIntervalMs(), s.GetPressureUnit(), s.GetFlowUnitLitres(),
                 s.GetSpareFlag() ? 1 : 0, s.GetSampleCount());
    for (int i = 0; i < s.GetSampleCount(); ++i) {
      const Storage::Sample v = s.GetSample(i);
      std::fprintf(f, "%f %f %f %f\r\n", v.time, v.flow, v.pressure, v.volume);
    }
  }
  std::fclose(f);
  return ReadAll(path);
}

void ExpectSameRecording(const Storage& a, const Storage& b) {
  EXPECT_EQ(a.GetTitle(), b.GetTitle());
  EXPECT_EQ(a.GetDateTime(), b.GetDateTime());
  EXPECT_EQ(a.GetInfo(), b.GetInfo());
  EXPECT_EQ(a.GetSerialNumber(), b.GetSerialNumber());
  EXPECT_EQ(a.GetIntervalMs(), b.GetIntervalMs());
  EXPECT_EQ(a.GetPressureUnit(), b.GetPressureUnit());
  EXPECT_EQ(a.GetFlowUnitLitres(), b.GetFlowUnitLitres());
  EXPECT_EQ(a.GetSpareFlag(), b.GetSpareFlag());
  EXPECT_EQ(a.GetSampleCount(), b.GetSampleCount());
}

}  // namespace

TEST(WorkFile, ExampleIsWrittenByteForByte) {
  TempDir dir;
  const std::string path = dir.File("example.kdl");
  const FileWriteResult w = WriteWorkFile(path, std::vector<Storage>{ExampleRecording()});
  ASSERT_TRUE(w.ok) << w.message;
  EXPECT_EQ(ReadAll(path),
            "430000\r\n1\r\nSpeicher\r\n9/03/2016 8:05:30\r\n\r\n1234\r\n1000\r\n98\r\n1\r\n0\r\n"
            "2\r\n1.000000 25.000000 6.894649 0.416667\r\n"
            "2.000000 25.000000 6.894649 0.833333\r\n");
  EXPECT_EQ(dir.Count(), 1u);  // no temporary file left beside it

  const WorkFileReadResult r = ReadWorkFile(path);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.version, 2);
  ASSERT_EQ(r.recordings.size(), 1u);
  const Storage& s = r.recordings[0];
  ExpectSameRecording(s, ExampleRecording());
  // Only converted values are stored: no scaling, no time base.
  EXPECT_EQ(s.GetPressureZero(), 0);
  EXPECT_EQ(s.GetPressureRough(), 0);
  EXPECT_EQ(s.GetAddedSampleCount(), 0);
  EXPECT_EQ(s.GetSample(1).volume, 0.833333f);
  EXPECT_EQ(s.GetSample(0).pressure, 6.894649f);
}

TEST(WorkFile, OutputIsByteIdenticalToStdio) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> value(-5000.0f, 5000.0f);
  std::vector<Storage> set;
  for (int r = 0; r < 3; ++r) {
    Storage s("1/0" + std::to_string(r + 1) + "/2020 10:00:00", 250 * (r + 1), r % 2, r == 2);
    s.SetPressureScaling(0, 0, 0, r % 2 ? 'p' : 'b');
    s.SetTitle("Aufnahme " + std::to_string(r));
    s.SetInfo(r ? "Info" : "");
    s.SetSerialNumber(r * 1000);
    for (int i = 0; i < 3000; ++i) s.AppendSample(value(rng), value(rng), value(rng), value(rng));
    set.push_back(s);
  }
  set.back().AppendSample(1e30f, -0.0f, 3.4e38f, 1e-30f);
  set.push_back(Storage("", 0, 0, false));
  set.back().SetTitle("leer");
  TempDir dir;
  ASSERT_TRUE(WriteWorkFile(dir.File("mine.kdl"), set).ok);
  EXPECT_EQ(ReadAll(dir.File("mine.kdl")), StdioWorkFile(set, dir.File("stdio.kdl")));
}

TEST(WorkFile, OlderVersionsAndPlainLineEnds) {
  TempDir dir;
  const std::string v0 = dir.File("v0.kdl");
  WriteAll(v0,
           "3\r\nA\r\n1/01/2010 1:00:00\r\n1000\r\n112\r\n0\r\n0\r\n1\r\n"
           "1.000000 2.000000 3.000000 4.000000\r\n"
           "B\r\n\r\n500\r\n98\r\n1\r\n1\r\n0\r\n"
           "  \r\n\r\n  C\r\n2/01/2010\r\n60000\r\n112\r\n1\r\n0\r\n0\r\n");
  WorkFileReadResult r = ReadWorkFile(v0);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.version, 0);
  ASSERT_EQ(r.recordings.size(), 3u);
  EXPECT_EQ(r.recordings[0].GetTitle(), "A");
  EXPECT_EQ(r.recordings[0].GetInfo(), "");
  EXPECT_EQ(r.recordings[0].GetSerialNumber(), 0);
  EXPECT_EQ(r.recordings[0].GetPressureUnit(), 'p');
  EXPECT_EQ(r.recordings[0].GetSample(0).volume, 4.0f);
  EXPECT_EQ(r.recordings[1].GetDateTime(), "");
  EXPECT_TRUE(r.recordings[1].GetSpareFlag());
  EXPECT_EQ(r.recordings[2].GetTitle(), "C");  // white space before a title is skipped

  const std::string v1 = dir.File("v1.kdl");
  WriteAll(v1,
           "410000\n1\nMessung\n9/03/2016 8:05:30\nKeller \xFC"
           "berpr\xFC"
           "ft\n"
           "1000\n98\n1\n0\n1\n1.000000 25.000000 6.894649 0.416667");
  r = ReadWorkFile(v1);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.version, 1);
  ASSERT_EQ(r.recordings.size(), 1u);
  EXPECT_EQ(r.recordings[0].GetInfo(), "Keller überprüft");
  EXPECT_EQ(r.recordings[0].GetSerialNumber(), 0);
  EXPECT_EQ(r.recordings[0].GetSample(0).pressure, 6.894649f);

  WriteAll(v1, "430000\r\n0\r\n");
  r = ReadWorkFile(v1);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_TRUE(r.recordings.empty());
}

TEST(WorkFile, AwkwardTextsAndValuesReadBackFieldByField) {
  const std::string texts[][3] = {
      {"Prüfung Größe ß €", "9/03/2016 8:05:30", "Äußerst wichtig: Öl"},
      {"", "", ""},
      {" eingerückt", "\tTab", "Zeile 1\r\nZeile 2\nZeile 3\r"},
      {"\n", "\\u{41} C:\\temp", "水 😀 \\"},
      {std::string(198, 'x'), std::string(198, 'y'), std::string(198, 'z')},
      {"50% , ; \"quoted\"",
       "a\x1A"
       "b",
       std::string("nul\0byte", 8)},
  };
  std::vector<Storage> set;
  for (const auto& t : texts) {
    Storage s(t[1], 1000, 1, false);
    s.SetTitle(t[0]);
    s.SetInfo(t[2]);
    s.SetPressureUnit('b');
    s.AppendSample(1, std::numeric_limits<float>::infinity(), -0.0f, 2.5f);
    set.push_back(s);
  }
  set[1].AppendSample(std::nanf(""), 0, 0, 0);
  TempDir dir;
  const std::string path = dir.File("awkward.kdl");
  const FileWriteResult w = WriteWorkFile(path, set);
  ASSERT_TRUE(w.ok) << w.message;
  // Each field is still one line: 2 + 9 per recording + samples.
  const std::string data = ReadAll(path);
  EXPECT_EQ(std::count(data.begin(), data.end(), '\n'), 2 + 6 * 10 + 1);

  const WorkFileReadResult r = ReadWorkFile(path);
  ASSERT_TRUE(r.ok) << r.message;
  ASSERT_EQ(r.recordings.size(), set.size());
  for (size_t i = 0; i < set.size(); ++i) ExpectSameRecording(r.recordings[i], set[i]);
  EXPECT_TRUE(std::isinf(r.recordings[0].GetSample(0).flow));
  EXPECT_TRUE(std::signbit(r.recordings[0].GetSample(0).pressure));
  EXPECT_TRUE(std::isnan(r.recordings[1].GetSample(1).time));
}

TEST(WorkFile, LargeFileReadsBackAcrossBufferRefills) {
  // Several megabytes, so lines straddle the reader's buffer refills.
  std::mt19937 rng(11);
  std::uniform_real_distribution<float> value(-100000.0f, 100000.0f);
  std::vector<Storage> set(2, Storage("1/01/2020 0:00:00", 100, 1, false));
  for (Storage& s : set)
    for (int i = 0; i < 60000; ++i) s.AppendSample(value(rng), value(rng), value(rng), value(rng));
  TempDir dir;
  ASSERT_TRUE(WriteWorkFile(dir.File("big.kdl"), set).ok);
  const WorkFileReadResult r = ReadWorkFile(dir.File("big.kdl"));
  ASSERT_TRUE(r.ok) << r.message;
  ASSERT_EQ(r.recordings.size(), 2u);
  char buf[64];
  for (size_t k = 0; k < 2; ++k) {
    ASSERT_EQ(r.recordings[k].GetSampleCount(), 60000);
    for (int i = 0; i < 60000; ++i) {
      // What comes back is the six-decimal text, read as scanf's "%f" reads it.
      std::snprintf(buf, sizeof buf, "%f", set[k].GetFlow()[i]);
      ASSERT_EQ(r.recordings[k].GetFlow()[i], std::strtof(buf, nullptr)) << i;
      std::snprintf(buf, sizeof buf, "%f", set[k].GetVolume()[i]);
      ASSERT_EQ(r.recordings[k].GetVolume()[i], std::strtof(buf, nullptr)) << i;
    }
  }
}

TEST(WorkFile, DamagedFilesAreRefusedNamingTheLine) {
  const std::string head = "430000\r\n1\r\nT\r\nD\r\nI\r\n7\r\n1000\r\n98\r\n1\r\n0\r\n";
  struct Case {
    const char* what;
    std::string data;
    int64_t line;
    const char* mentions;
  };
  const Case cases[] = {
      {"empty file", "", 1, "leer"},
      {"bad version number", "43O000\r\n1\r\n", 1, "43O000"},
      {"negative count", "430000\r\n-1\r\n", 2, "negative"},
      {"negative count, version 0", "-5\r\n", 1, "negative"},
      {"count out of range", "430000\r\n99999999999\r\n", 2, "99999999999"},
      {"missing recording", "430000\r\n2\r\nT\r\nD\r\nI\r\n7\r\n1000\r\n98\r\n1\r\n0\r\n0\r\n", 12,
       "endet vor Zeile 12, erwartet war der Titel der Aufzeichnung 2 von 2"},
      {"bad interval", "430000\r\n1\r\nT\r\nD\r\nI\r\n7\r\n1000ms\r\n", 7,
       "in Zeile 7 steht „1000ms“, erwartet war das Abtastintervall der Aufzeichnung 1 von 1 (eine ganze Zahl)"},
      {"bad serial", "430000\r\n1\r\nT\r\nD\r\nI\r\nx\r\n", 6, "Seriennummer"},
      {"missing info line", "410000\r\n1\r\nT\r\nD", 5, "Informationstext"},
      {"negative sample count", head + "-2\r\n", 11, "negative"},
      {"fewer samples than announced", head + "3\r\n1 2 3 4\r\n1 2 3 4\r\n", 14, "Messwert 3 von 3"},
      {"absurd sample count", head + "2000000000\r\n1 2 3 4\r\n", 13, "Messwert 2 von"},
      {"three numbers", head + "1\r\n1.0 2.0 3.0\r\n", 12, "vier Zahlen"},
      {"bad number in a sample", head + "1\r\n1.0 2.0 abc 4.0\r\n", 12, "abc"},
      {"trailing garbage", head + "1\r\n1 2 3 4 5\r\n", 12, "1 2 3 4 5"},
      {"numbers run together", head + "1\r\n1 2 3-4\r\n", 12, "vier Zahlen"},
      {"value beyond float", head + "1\r\n1 2 3 1e39\r\n", 12, "vier Zahlen"},
      {"text line too long", "430000\r\n1\r\n" + std::string(199, 'a') + "\r\n", 3, "länger als 198 Zeichen"},
      {"number line too long", "430000\r\n" + std::string(100000, '1') + "\r\n", 2, "Zeile 2 ist zu lang"},
      {"blank line for a number", "430000\r\n\r\n1\r\n", 2, "Anzahl der Aufzeichnungen"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    const std::string path = dir.File("damaged.kdl");
    WriteAll(path, c.data);
    const WorkFileReadResult r = ReadWorkFile(path);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_TRUE(r.recordings.empty()) << c.what;
    EXPECT_EQ(r.line, c.line) << c.what << ": " << r.message;
    // One sentence: the file first, then the line and what is wrong there.
    EXPECT_EQ(r.message.rfind("„" + path + "“ ist keine gültige Arbeitsdatei: ", 0), 0u) << c.what << ": " << r.message;
    if (c.line > 1) {
      EXPECT_NE(r.message.find("Zeile " + std::to_string(c.line)), std::string::npos) << c.what << ": " << r.message;
    }
    EXPECT_NE(r.message.find(c.mentions), std::string::npos) << c.what << ": " << r.message;
    EXPECT_EQ(r.message.back(), '.') << c.what;
    EXPECT_EQ(r.message.find('\n'), std::string::npos) << c.what;
  }
}

TEST(WorkFile, MutatedFilesNeverCrashAndAlwaysSayWhy) {
  std::vector<Storage> set{ExampleRecording(), ExampleRecording()};
  set[1].SetInfo("zweite Aufnahme");
  TempDir dir;
  const std::string path = dir.File("m.kdl");
  ASSERT_TRUE(WriteWorkFile(path, set).ok);
  const std::string good = ReadAll(path);
  std::mt19937 rng(5);
  for (int i = 0; i < 300; ++i) {
    std::string bad = good;
    const size_t at = rng() % bad.size();
    switch (rng() % 4) {
      case 0:
        bad[at] = static_cast<char>(rng());
        break;
      case 1:
        bad.resize(at);
        break;
      case 2:
        bad.insert(at, 1, "\r\n 0-.9x\\"[rng() % 10]);
        break;
      case 3:
        bad.erase(at, 1 + rng() % 8);
        break;
    }
    WriteAll(path, bad);
    const WorkFileReadResult r = ReadWorkFile(path);
    if (!r.ok) {
      EXPECT_GT(r.line, 0) << i;
      EXPECT_FALSE(r.message.empty()) << i;
      EXPECT_TRUE(r.recordings.empty()) << i;
    }
  }
}

TEST(WorkFile, FilesThatCannotBeOpened) {
  TempDir dir;
  const std::string fifo = dir.File("pipe.kdl");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, const char*> cases[] = {
      {dir.File("missing.kdl"), "die Datei existiert nicht"},
      {dir.Path(), "das ist ein Ordner"},
      {fifo, "das ist keine gewöhnliche Datei"},
  };
  for (const auto& [path, reason] : cases) {
    const WorkFileReadResult r = ReadWorkFile(path);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.line, 0);
    EXPECT_EQ(r.message, "„" + path + "“ kann nicht geöffnet werden: " + reason + ".");
  }
}

TEST(WorkFile, FailedWritesLeaveTheOldFile) {
  TempDir dir;
  const std::string path = dir.File("keep.kdl");
  WriteAll(path, "old contents");
  const std::vector<Storage> set{ExampleRecording()};

  // Refused before anything is written: a text the format cannot hold.
  std::vector<Storage> tooLong = set;
  tooLong[0].SetInfo(std::string(199, 'i'));
  FileWriteResult w = WriteWorkFile(path, tooLong);
  EXPECT_FALSE(w.ok);
  EXPECT_EQ(w.message, "„" + path +
                           "“ kann nicht gespeichert werden: der Informationstext der Aufzeichnung 1 („Speicher“) ist "
                           "für eine Arbeitsdatei zu lang (höchstens 198 Zeichen).");

  // A folder that does not exist, a folder, a pipe: nothing is created or replaced.
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, const char*> cases[] = {
      {dir.File("no/such/dir.kdl"), "der Ordner existiert nicht"},
      {dir.Path(), "das ist ein Ordner"},
      {fifo, "das ist keine gewöhnliche Datei"},
  };
  for (const auto& [bad, reason] : cases) {
    w = WriteWorkFile(bad, set);
    EXPECT_FALSE(w.ok) << bad;
    EXPECT_EQ(w.message, "„" + bad + "“ kann nicht gespeichert werden: " + reason + ".");
  }
  EXPECT_FALSE(std::filesystem::is_regular_file(fifo));
  std::filesystem::remove(fifo);

  // The disk fills up half way: the file size limit makes write() fail the same way.
  std::vector<Storage> big = set;
  for (int i = 0; i < 200000; ++i) big[0].AppendSample(1, 2, 3, 4);
  struct rlimit old;
  getrlimit(RLIMIT_FSIZE, &old);
  struct rlimit small = old;
  small.rlim_cur = 64 * 1024;
  signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  w = WriteWorkFile(path, big);
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, SIG_DFL);
  EXPECT_FALSE(w.ok);
  EXPECT_EQ(w.message, "„" + path + "“ kann nicht gespeichert werden: die Datei wird zu groß.");

  EXPECT_EQ(ReadAll(path), "old contents");
  EXPECT_EQ(dir.Count(), 1u);  // no temporary file left behind

  // And a good write replaces it, through a symbolic link without replacing the link.
  const std::string link = dir.File("link.kdl");
  std::filesystem::create_symlink(path, link);
  ASSERT_TRUE(WriteWorkFile(link, set).ok);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadAll(path).substr(0, 8), "430000\r\n");
}

TEST(WorkFile, ExtensionRule) {
  EXPECT_EQ(WorkFilePathWithExtension("/home/u/test"), "/home/u/test.kdl");
  EXPECT_EQ(WorkFilePathWithExtension("test.kdl"), "test.kdl");
  EXPECT_EQ(WorkFilePathWithExtension("test.kdl.old"), "test.kdl.old");
  EXPECT_EQ(WorkFilePathWithExtension("test.KDL"), "test.KDL.kdl");
}
