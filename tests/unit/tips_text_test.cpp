// Line breaking of the startup tips.
#include "TipText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

TEST(TipText, TipThreeTakesThreeLines) {
  EXPECT_EQ(BreakTipText(TIP_TEXTS[3]),
            (Lines{"Delete all recordings on the Corvane.", "This clears the memory, requires the",
                   "USB to be connected"}));
}

TEST(TipText, BreakingRules) {
  const std::string noBlank(70, 'x');
  const std::string forty(40, 'a');
  struct Case {
    std::string text;
    Lines lines;
  };
  const Case cases[] = {
      {"", {}},
      {"short tip", {"short tip"}},
      {forty, {forty}},                                        // exactly 40: one line
      {noBlank, {noBlank}},                                    // no blank: one line, however long
      {forty + " tail", {forty + " tail"}},                    // first blank only at position 40
      {std::string(39, 'a') + " tail", {std::string(39, 'a'), "tail"}},  // blank at 39
      {"a " + noBlank, {"a " + noBlank}},                      // last blank at position 1
      {" " + noBlank, {" " + noBlank}},                        // last blank at position 0
      {"ab " + noBlank, {"ab", noBlank}},                      // blank at position 2 breaks
      {"ab " + noBlank + " cd", {"ab", noBlank + " cd"}},      // the rest has no early blank
      {std::string(38, 'a') + "  b" + forty, {std::string(38, 'a') + " ", "b" + forty}},
  };
  for (const Case& c : cases) EXPECT_EQ(BreakTipText(c.text), c.lines) << '"' << c.text << '"';
}

TEST(TipText, CountsCharactersNotBytes) {
  // 30 umlauts are 60 bytes but 30 characters: still one line.
  std::string umlauts;
  for (int i = 0; i < 30; ++i) umlauts += "\xC3\xA4";
  EXPECT_EQ(BreakTipText(umlauts + " end"), Lines{umlauts + " end"});
  // 39 umlauts and a blank are exactly 40 characters; the break falls on that blank.
  std::string head;
  for (int i = 0; i < 39; ++i) head += "\xC3\xA4";
  EXPECT_EQ(BreakTipText(head + " more text"), (Lines{head, "more text"}));
}

TEST(TipText, EveryTipFitsItsLines) {
  for (const char* tip : TIP_TEXTS) {
    const Lines lines = BreakTipText(tip);
    ASSERT_FALSE(lines.empty()) << tip;
    for (const std::string& line : lines) EXPECT_LE(line.size(), TIP_LINE_LENGTH) << tip;
    EXPECT_LE(lines.size(), 4u) << "more lines than the band above the buttons holds: " << tip;
  }
}
