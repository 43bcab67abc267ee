// What the fuzz targets share: a check that survives NDEBUG, exactly-sized heap copies (so
// AddressSanitizer sees the first byte read past the input) and a private scratch directory.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#define FUZZ_CHECK(cond)                                                            \
  do {                                                                              \
    if (!(cond)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                 \
    }                                                                               \
  } while (0)

namespace fuzz {

// Exactly n bytes on the heap; a zero-size copy is a real zero-size allocation, so even one
// byte read from it is caught.
inline std::unique_ptr<uint8_t[]> HeapCopy(const uint8_t* data, size_t n) {
  std::unique_ptr<uint8_t[]> copy(new uint8_t[n]);
  if (n) std::memcpy(copy.get(), data, n);
  return copy;
}

// One directory per process, in TMPDIR when set (run.sh points it at its own scratch
// space), else in memory-backed /dev/shm, else /tmp. Removed at a normal exit; after a
// crash it stays, and run.sh removes its scratch space anyway.
inline const std::string& ScratchDir() {
  static const std::string dir = [] {
    const char* base = std::getenv("TMPDIR");
    struct stat st;
    if (!base || !*base)
      base = stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : "/tmp";
    std::string tmpl = std::string(base) + "/vrx-fuzz-XXXXXX";
    if (!mkdtemp(tmpl.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
    static std::string removeAtExit;
    removeAtExit = tmpl;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(removeAtExit, ec);
    });
    return tmpl;
  }();
  return dir;
}

inline void WriteFileOrDie(const std::string& path, const uint8_t* data, size_t n) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  FUZZ_CHECK(fd >= 0);
  size_t done = 0;
  while (done < n) {
    const ssize_t w = write(fd, data + done, n - done);
    FUZZ_CHECK(w > 0);
    done += static_cast<size_t>(w);
  }
  FUZZ_CHECK(close(fd) == 0);
}

// Same bits, or both NaN.
inline bool SameFloat(float a, float b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  uint32_t x, y;
  std::memcpy(&x, &a, 4);
  std::memcpy(&y, &b, 4);
  return x == y;
}

}  // namespace fuzz
