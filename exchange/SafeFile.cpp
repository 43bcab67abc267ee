#include "SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "FileErrors.h"

namespace {

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Rename replaces a symbolic link itself; write beside the file it points to instead.
std::string ResolveTarget(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved)) return resolved;
  }
  return path;
}

}  // namespace

SafeFileWriter::SafeFileWriter(const std::string& path)
    : m_target(ResolveTarget(path)), m_buf(new char[BUFFER_SIZE]) {
  const std::string dir = DirectoryOf(m_target);
  const size_t slash = m_target.rfind('/');
  const std::string name = slash == std::string::npos ? m_target : m_target.substr(slash + 1);
  if (name.empty()) {
    Fail(path, EISDIR);
    return;
  }
  struct stat st;
  // Only a regular file may be replaced: renaming over a device or a pipe would swap
  // the node itself for our file.
  if (stat(m_target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    Fail(path, S_ISDIR(st.st_mode) ? EISDIR : NOT_A_REGULAR_FILE);
    return;
  }
  std::string tmpl = dir + "/." + name + ".XXXXXX";
  m_fd = mkostemp(tmpl.data(), O_CLOEXEC);
  if (m_fd < 0) {
    const int err = errno;
    // "No such file" from a folder that is there: it takes no files of ours.
    Fail(path, err == ENOENT && stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? CANNOT_CREATE_HERE : err);
    return;
  }
  m_temp = tmpl;
  // mkostemp makes the file private; give it the mode the target has or would get.
  mode_t mode;
  if (stat(m_target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(m_fd, mode);
}

SafeFileWriter::~SafeFileWriter() {
  if (m_fd >= 0) close(m_fd);
  if (!m_done && !m_temp.empty()) unlink(m_temp.c_str());
}

void SafeFileWriter::Fail(const std::string& what, int err) {
  if (!m_error.empty()) return;
  m_error = what + ": " + (err < 0 ? "cannot create this file" : std::strerror(err));
  m_errno = err;
}

void SafeFileWriter::Write(std::string_view s) {
  while (!s.empty()) {
    if (m_used == BUFFER_SIZE) Flush();
    if (!Ok()) return;
    const size_t n = std::min(s.size(), BUFFER_SIZE - m_used);
    std::memcpy(m_buf.get() + m_used, s.data(), n);
    m_used += n;
    s.remove_prefix(n);
  }
}

void SafeFileWriter::Flush() {
  // After a failure the buffer is only recycled; Finish() reports the error.
  if (Ok()) {
    const char* p = m_buf.get();
    size_t left = m_used;
    while (left > 0) {
      const ssize_t n = write(m_fd, p, left);
      if (n < 0) {
        if (errno == EINTR) continue;
        Fail(m_target, errno);
        break;
      }
      p += n;
      left -= static_cast<size_t>(n);
    }
  }
  m_used = 0;
}

bool SafeFileWriter::Finish() {
  if (m_fd < 0) return false;
  Flush();
  if (Ok() && fsync(m_fd) != 0) Fail(m_target, errno);
  if (close(m_fd) != 0) Fail(m_target, errno);
  m_fd = -1;
  if (Ok() && rename(m_temp.c_str(), m_target.c_str()) != 0) Fail(m_target, errno);
  if (!Ok()) return false;
  m_done = true;
  // Make the rename itself durable; the data is already safe if this fails.
  const int dirFd = open(DirectoryOf(m_target).c_str(), O_RDONLY | O_DIRECTORY);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
  return true;
}
