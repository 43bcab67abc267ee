// Buffered output that replaces a file only once all of it is on disk: the data goes to a
// temporary file beside the target, which is synced and renamed over it at Finish().
// Until then, and on any failure, the old file stays as it was.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "NumberFormat.h"

// Outcome of writing a file; message says what failed, for the user.
struct FileWriteResult {
  bool ok = false;
  std::string message;
};

class SafeFileWriter {
 public:
  explicit SafeFileWriter(const std::string& path);
  ~SafeFileWriter();  // removes the temporary file unless Finish() succeeded
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  // False once anything failed; Error() then says what (for logs), ErrorNumber() why: the
  // errno of the first failure, or NOT_A_REGULAR_FILE or CANNOT_CREATE_HERE (FileErrors.h).
  bool Ok() const { return m_error.empty(); }
  const std::string& Error() const { return m_error; }
  int ErrorNumber() const { return m_errno; }

  // Space for n more bytes (n <= 64 KiB); Commit() tells how many were used.
  char* Reserve(size_t n) {
    if (BUFFER_SIZE - m_used < n) Flush();
    return m_buf.get() + m_used;
  }
  void Commit(char* end) { m_used = static_cast<size_t>(end - m_buf.get()); }
  void Write(std::string_view s);
  // One line of four numbers, each as printf("%.*f") writes it with its decimals, `separator`
  // between them, CR LF at the end: the sample lines of work files and CSV exports.
  void WriteNumberLine(const float (&values)[4], const int (&decimals)[4], char separator) {
    char* p = Reserve(4 * FIXED_MAX_CHARS + 8);
    for (int i = 0; i < 4; ++i) {
      if (i > 0) *p++ = separator;
      p = FormatFixed(p, values[i], decimals[i]);
    }
    *p++ = '\r';
    *p++ = '\n';
    Commit(p);
  }

  // Flushes, syncs, closes and renames over the target; false with Error() on failure.
  bool Finish();

 private:
  void Flush();
  void Fail(const std::string& what, int err);

  std::string m_target;
  std::string m_temp;
  int m_fd = -1;
  static constexpr size_t BUFFER_SIZE = 256 * 1024;
  std::unique_ptr<char[]> m_buf;  // not zeroed: only what was put in is written
  size_t m_used = 0;
  std::string m_error;
  int m_errno = 0;
  bool m_done = false;
};
