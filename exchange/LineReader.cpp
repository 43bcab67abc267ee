#include "LineReader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

LineReader::LineReader(int fd, size_t maxLine)
    : m_fd(fd),
      m_maxLine(maxLine),
      m_size(std::max<size_t>(256 * 1024, 2 * maxLine + 2)),
      m_buf(new char[m_size]) {}

bool LineReader::Fill() {
  // Keep the unfinished line, make room behind it.
  if (m_pos > 0) {
    std::memmove(m_buf.get(), m_buf.get() + m_pos, m_end - m_pos);
    m_end -= m_pos;
    m_pos = 0;
  }
  while (m_end < m_size) {
    const ssize_t n = read(m_fd, m_buf.get() + m_end, m_size - m_end);
    if (n < 0) {
      if (errno == EINTR) continue;
      m_errno = errno;
      return false;
    }
    if (n == 0) {
      m_eof = true;
      break;
    }
    m_end += static_cast<size_t>(n);
    break;
  }
  return true;
}

LineReader::Status LineReader::Next(std::string_view& line) {
  if (m_errno) return READ_ERROR;
  size_t scanned = m_pos;
  for (;;) {
    const char* data = m_buf.get();
    const void* nl = std::memchr(data + scanned, '\n', m_end - scanned);
    size_t stop;
    size_t next;
    if (nl) {
      stop = static_cast<size_t>(static_cast<const char*>(nl) - data);
      next = stop + 1;
    } else if (m_eof) {
      if (m_pos == m_end) return END;
      stop = next = m_end;
    } else {
      if (m_end - m_pos > m_maxLine + 1) return TOO_LONG;
      const size_t offset = m_end - m_pos;  // all of it searched already
      if (!Fill()) return READ_ERROR;
      scanned = m_pos + offset;
      continue;
    }
    size_t len = stop - m_pos;
    if (len > 0 && data[stop - 1] == '\r') --len;
    if (len > m_maxLine) return TOO_LONG;
    line = std::string_view(data + m_pos, len);
    m_pos = next;
    ++m_line;
    return LINE;
  }
}
