// Reads a file line by line through a fixed buffer, so memory stays bounded whatever
// the file holds. Lines end with LF or CR LF; the last line may lack its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

class LineReader {
 public:
  enum Status { LINE, END, TOO_LONG, READ_ERROR };

  // Lines longer than maxLine bytes are refused with TOO_LONG.
  explicit LineReader(int fd, size_t maxLine = 16 * 1024);

  // The next line without its end; valid until the next call.
  Status Next(std::string_view& line);
  // Number of the line last returned (1-based).
  int64_t LineNumber() const { return m_line; }
  int Errno() const { return m_errno; }

 private:
  bool Fill();

  int m_fd;
  size_t m_maxLine;
  size_t m_size;
  std::unique_ptr<char[]> m_buf;  // not zeroed: only read bytes are looked at
  size_t m_pos = 0;
  size_t m_end = 0;
  bool m_eof = false;
  int m_errno = 0;
  int64_t m_line = 0;
};
