#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "CsvExport.h"
#include "TempDir.h"

namespace {

std::vector<std::string> Lines(const std::string& data) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t nl; (nl = data.find("\r\n", start)) != std::string::npos; start = nl + 2)
    lines.push_back(data.substr(start, nl - start));
  EXPECT_EQ(start, data.size()) << "every line ends with CR LF";
  return lines;
}

}  // namespace

TEST(Csv, HeaderAndUnits) {
  struct Case {
    int32_t flowUnit;
    char pressureUnit;
    const char* flowLine;
    const char* pressureLine;
    const char* heading;
  };
  const Case cases[] = {
      {1, 'b', "Flow Measurement,,L/min", "Pressure Measurement,,Bar",
       "Zeit (s), Durchfluss (L/min), Volumen (L), Druck (Bar)"},
      {0, 'p', "Flow Measurement,,G/min", "Pressure Measurement,,psi",
       "Zeit (s), Durchfluss (G/min), Volumen (G), Druck (psi)"},
      {2, 0, "Flow Measurement,,G/min", "Pressure Measurement,,psi",
       "Zeit (s), Durchfluss (G/min), Volumen (G), Druck (psi)"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    Storage s("9/03/2016 8:05:30", 1000, c.flowUnit, false);
    s.SetPressureScaling(0, 0, 0, c.pressureUnit);
    s.SetTitle("Speicher");
    const std::string path = dir.File("out.csv");
    ASSERT_TRUE(WriteCsvFile(path, s).ok);
    const std::vector<std::string> lines = Lines(ReadAll(path));
    ASSERT_EQ(lines.size(), 6u);  // an empty record writes only the header
    EXPECT_EQ(lines[0], "File Name," + path);
    EXPECT_EQ(lines[1], "Title,Speicher 9/03/2016 8:05:30");
    EXPECT_EQ(lines[2], "Information,");
    EXPECT_EQ(lines[3], c.flowLine);
    EXPECT_EQ(lines[4], c.pressureLine);
    EXPECT_EQ(lines[5], c.heading);
  }
}

TEST(Csv, TextsAndSamples) {
  Storage s("9/03/2016 8:05:30", 1000, 1, false);
  s.SetPressureUnit('b');
  s.SetTitle("50% Durchfluss, Prüfung");
  s.SetInfo("Zeile 1\r\nZeile 2");
  s.SetFlowMeasurement("25.0");
  s.SetPressureMeasurement("6.9 水");
  s.AppendSample(1, 25, 6.894649f, 0.41667f);
  s.AppendSample(2.125f, 24.5f, -0.001f, 1.5f);
  TempDir dir;
  const std::string path = dir.File("texts.csv");
  ASSERT_TRUE(WriteCsvFile(path, s).ok);
  const std::vector<std::string> lines = Lines(ReadAll(path));
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[1],
            "Title,50% Durchfluss, Pr\xFC"
            "fung 9/03/2016 8:05:30");
  EXPECT_EQ(lines[2], "Information,Zeile 1  Zeile 2");  // breaks would split the header
  EXPECT_EQ(lines[3], "Flow Measurement,25.0,L/min");
  EXPECT_EQ(lines[4], "Pressure Measurement,6.9 ?,Bar");
  EXPECT_EQ(lines[6], "1.00,25,0,6.89");   // volume before pressure
  EXPECT_EQ(lines[7], "2.12,24,2,-0.00");  // halves round to even, as printf does
  // The same text for one sample alone (vrx-cli's live lines).
  EXPECT_EQ(CsvSampleText(s.GetSample(0)), lines[6]);
  EXPECT_EQ(CsvSampleText(s.GetSample(1)), lines[7]);
}

TEST(Csv, SampleLinesAreByteIdenticalToStdio) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<float> value(-3000.0f, 3000.0f);
  Storage s("", 1000, 1, false);
  for (int i = 0; i < 20000; ++i) s.AppendSample(value(rng), value(rng), value(rng), value(rng));
  s.AppendSample(0.125f, 0.5f, 2.5f, -0.5f);
  TempDir dir;
  ASSERT_TRUE(WriteCsvFile(dir.File("a.csv"), s).ok);
  const std::string mine = ReadAll(dir.File("a.csv"));
  std::string expected;
  char buf[256];
  for (int i = 0; i < s.GetSampleCount(); ++i) {
    const Storage::Sample v = s.GetSample(i);
    std::snprintf(buf, sizeof buf, "%.2f,%.0f,%.0f,%.2f\r\n", v.time, v.flow, v.volume, v.pressure);
    expected += buf;
  }
  ASSERT_GT(mine.size(), expected.size());
  EXPECT_EQ(mine.substr(mine.size() - expected.size()), expected);
}

TEST(Csv, NameRulesAndFailures) {
  EXPECT_EQ(CsvDefaultFileName("9/03/2016 8:05:30"), "9_03_2016 8_05_30");
  EXPECT_EQ(CsvDefaultFileName("a.b,c'd"), "a_b_c_d");
  EXPECT_EQ(CsvPathWithExtension("data"), "data.csv");
  EXPECT_EQ(CsvPathWithExtension("data.csv.bak"), "data.csv.bak");
  EXPECT_EQ(CsvPathWithExtension("DATA.CSV"), "DATA.CSV.csv");

  TempDir dir;
  const FileWriteResult w = WriteCsvFile(dir.File("missing/x.csv"), Storage("", 1, 1, false));
  EXPECT_FALSE(w.ok);
  EXPECT_EQ(w.message,
            "„" + dir.File("missing/x.csv") + "“ kann nicht gespeichert werden: der Ordner existiert nicht.");
  EXPECT_EQ(dir.Count(), 0u);
}
