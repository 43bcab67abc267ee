// Line breaking of the startup tips (no GUI code, so it is tested without a display).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The tips in the order the dialog shows them (UTF-8).
inline constexpr std::size_t TIP_COUNT = 7;
extern const char* const TIP_TEXTS[TIP_COUNT];

// Longest line the tips dialog draws before it looks for a blank to break at.
inline constexpr std::size_t TIP_LINE_LENGTH = 40;

// Splits a tip text into the lines the tips dialog draws. While the rest is longer than
// TIP_LINE_LENGTH characters, it breaks at the last blank among the first
// TIP_LINE_LENGTH characters (the blank itself is dropped); when that blank is missing or
// sits at position 0 or 1, the whole rest becomes one line, however long. Characters are
// counted as UTF-8 code points. An empty text gives no lines.
std::vector<std::string> BreakTipText(std::string_view text);
