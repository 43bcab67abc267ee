#include <gtest/gtest.h>

#include "Cp1252.h"
#include "WorkFile.h"

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Cp1252ToUtf8("Pr\xFC"
                         "fung \x80"),
            "Prüfung €");
  EXPECT_EQ(Utf8ToCp1252("Größe ß Œ €"),
            "Gr\xF6\xDF"
            "e \xDF \x8C \x80");
  EXPECT_EQ(Utf8ToCp1252("水 😀"), "? ?");
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");          // cut sequence
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");       // overlong form
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");  // surrogate
}

TEST(WorkFileText, PlainTextsStayAsTheFormatWritesThem) {
  EXPECT_EQ(EncodeWorkFileText("Speicher", true), "Speicher");
  EXPECT_EQ(EncodeWorkFileText("9/03/2016 8:05:30", false), "9/03/2016 8:05:30");
  EXPECT_EQ(EncodeWorkFileText("Prüfung 50%, Tab\there", false),
            "Pr\xFC"
            "fung 50%, Tab\there");
  EXPECT_EQ(EncodeWorkFileText("C:\\daten\\neu", false), "C:\\daten\\neu");
  EXPECT_EQ(EncodeWorkFileText("", false), "");
  EXPECT_EQ(EncodeWorkFileText(" leading", false), " leading");  // only a title must not
  EXPECT_EQ(DecodeWorkFileText("C:\\daten\\neu \\u{ \\u{110000} \\u{D800} \\u{1234567}"),
            "C:\\daten\\neu \\u{ \\u{110000} \\u{D800} \\u{1234567}");
}

TEST(WorkFileText, AwkwardTextsAreEscapedAndComeBack) {
  struct Case {
    const char* text;
    bool title;
    const char* encoded;
  };
  const Case cases[] = {
      {"Zeile 1\nZeile 2", false, "Zeile 1\\u{A}Zeile 2"},
      {"a\r\nb\r", false, "a\\u{D}\\u{A}b\\u{D}"},
      {" Titel", true, "\\u{20}Titel"},
      {"\tTitel", true, "\\u{9}Titel"},
      {"\nTitel", true, "\\u{A}Titel"},
      {"", true, "\\u{}"},
      {"\\u{41}", false, "\\u{5C}u{41}"},
      {"\\\\u", false, "\\\\u{5C}u"},
      {"Wasser 水 😀", false, "Wasser \\u{6C34} \\u{1F600}"},
      {"\x1A"
       "eof",
       false, "\\u{1A}eof"},
  };
  for (const Case& c : cases) {
    const std::string enc = EncodeWorkFileText(c.text, c.title);
    EXPECT_EQ(enc, c.encoded) << c.text;
    EXPECT_EQ(DecodeWorkFileText(enc), c.text) << c.text;
  }
  const std::string withNul("a\0b", 3);
  EXPECT_EQ(EncodeWorkFileText(withNul, false), "a\\u{0}b");
  EXPECT_EQ(DecodeWorkFileText("a\\u{0}b"), withNul);
  // Not UTF-8 at all: the bad byte becomes U+FFFD rather than breaking the line.
  EXPECT_EQ(EncodeWorkFileText("x\xFFy", false), "x\\u{FFFD}y");
}

TEST(WorkFileText, LengthLimitCountsTheFileForm) {
  EXPECT_TRUE(WorkFileTextFits(std::string(198, 'a'), false));
  EXPECT_FALSE(WorkFileTextFits(std::string(199, 'a'), false));
  EXPECT_FALSE(WorkFileTextFits(std::string(198, ' '), true));  // first blank escaped
  // 198 umlauts are 396 UTF-8 bytes but 198 file bytes.
  std::string umlauts;
  for (int i = 0; i < 198; ++i) umlauts += "ä";
  EXPECT_TRUE(WorkFileTextFits(umlauts, false));
  EXPECT_FALSE(WorkFileTextFits(umlauts + "\n", false));
}
