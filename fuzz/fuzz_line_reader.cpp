// The line reader under the work file, fed in chunks: a work file on disk arrives in one
// read, so keeping an unfinished line and scanning on after a refill is only reached when
// reads come back short. A SOCK_SEQPACKET pair gives one chunk per read whatever the
// timing, so each input replays the same way. The lines must be the input's, split as
// documented: LF or CR LF ends a line, the last may lack its end, longer than maxLine is
// refused.
//
// Input: byte 0 sets maxLine (1..256), byte 1 the chunk sizes, the rest is the stream.
#include <sys/socket.h>

#include <string_view>
#include <thread>
#include <vector>

#include "FuzzSupport.h"
#include "LineReader.h"

namespace {

struct Expected {
  std::vector<std::string_view> lines;
  bool tooLong = false;  // the line after them is refused
};

Expected Split(std::string_view s, size_t maxLine) {
  Expected e;
  while (!s.empty()) {
    const size_t nl = s.find('\n');
    std::string_view line = s.substr(0, nl);
    s = nl == std::string_view::npos ? std::string_view() : s.substr(nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > maxLine) {
      e.tooLong = true;
      break;
    }
    e.lines.push_back(line);
  }
  return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t maxLine = size_t{data[0]} + 1;
  uint32_t seed = data[1] * 2654435761u + 1;
  const auto stream = fuzz::HeapCopy(data + 2, size - 2);
  const std::string_view text(reinterpret_cast<const char*>(stream.get()), size - 2);

  int fds[2];
  FUZZ_CHECK(socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) == 0);
  std::thread writer([&] {
    size_t at = 0;
    while (at < text.size()) {
      seed = seed * 1103515245u + 12345u;
      const size_t n = std::min<size_t>(text.size() - at, 1 + (seed >> 16) % 40);
      // Stops when the reader has closed its end after a refusal.
      if (send(fds[1], text.data() + at, n, MSG_NOSIGNAL) != static_cast<ssize_t>(n)) break;
      at += n;
    }
    shutdown(fds[1], SHUT_WR);
  });

  const Expected expected = Split(text, maxLine);
  LineReader reader(fds[0], maxLine);
  std::string_view line;
  size_t k = 0;
  LineReader::Status st;
  while ((st = reader.Next(line)) == LineReader::LINE) {
    FUZZ_CHECK(k < expected.lines.size());
    FUZZ_CHECK(line == expected.lines[k]);
    ++k;
    FUZZ_CHECK(reader.LineNumber() == static_cast<int64_t>(k));
  }
  FUZZ_CHECK(k == expected.lines.size());
  FUZZ_CHECK(st == (expected.tooLong ? LineReader::TOO_LONG : LineReader::END));
  if (st == LineReader::END) FUZZ_CHECK(reader.Next(line) == LineReader::END);

  close(fds[0]);
  writer.join();
  close(fds[1]);
  return 0;
}
