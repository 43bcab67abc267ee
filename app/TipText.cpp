#include "TipText.h"

const char* const TIP_TEXTS[TIP_COUNT] = {
    "Reads and records live measurements from the Corvane while connected via the USB",
    "Change settings on the Corvane to control how data is recorded",
    "Download all recorded Flow and Pressure events from the Corvane via the USB",
    "Delete all recordings on the Corvane. This clears the memory, requires the USB to be "
    "connected",
    "Open previously saved work to view data and make additional edits",
    "Move cursor over an icon and help note will automatically appear",
    "Save an image of current plot. The saved image can be imported into an MS Word or Excel "
    "report",
};

namespace {

// Byte offset of the code point with index `count`, or text.size() when the text is shorter.
std::size_t OffsetOfCodePoint(std::string_view text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {  // not a continuation byte
      if (seen == count) return i;
      ++seen;
    }
  }
  return text.size();
}

std::size_t CodePoints(std::string_view text) {
  std::size_t n = 0;
  for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

}  // namespace

std::vector<std::string> BreakTipText(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    if (CodePoints(text) <= TIP_LINE_LENGTH) {
      lines.emplace_back(text);
      break;
    }
    const std::string_view head = text.substr(0, OffsetOfCodePoint(text, TIP_LINE_LENGTH));
    const std::size_t blank = head.rfind(' ');
    // A blank at code point 0 or 1 would give an empty or one-letter line: keep the rest whole.
    if (blank == std::string_view::npos || CodePoints(head.substr(0, blank)) < 2) {
      lines.emplace_back(text);
      break;
    }
    lines.emplace_back(text.substr(0, blank));
    text.remove_prefix(blank + 1);
  }
  return lines;
}
