#include "SteadyGrowth.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace {

// Per append: values copied into the new buffer, bytes of the old one handed back. The copy
// starts when a thirty-second of the room is left, and at 64 values per append it is done
// after a sixty-third of the series has been appended.
constexpr size_t MOVE_SLICE = 64;
constexpr size_t RELEASE_SLICE = 64 * 1024;

uintptr_t PageSize() {
  static const uintptr_t size = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  return size;
}

}  // namespace

void SteadyGrowth::Reset() {
  m_next = std::vector<float>();
  m_moved = 0;
  m_releasing = false;
  m_released = 0;
}

void SteadyGrowth::ReleaseSlice() {
  // Whole pages inside the old buffer go back now; the rest, and the block itself, when the
  // buffer is freed, which is then cheap.
  const uintptr_t page = PageSize();
  const auto begin = reinterpret_cast<uintptr_t>(m_next.data());
  const uintptr_t lo = (begin + page - 1) & ~(page - 1);
  const uintptr_t hi = (begin + m_next.capacity() * sizeof(float)) & ~(page - 1);
  const uintptr_t end = hi - std::min<uintptr_t>(m_released, hi > lo ? hi - lo : 0);
  const uintptr_t start = end - std::min<uintptr_t>(RELEASE_SLICE, end > lo ? end - lo : 0);
  if (start < end) madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
  m_released += end - start;
  if (start <= lo) Reset();
}

void SteadyGrowth::AppendSlow(std::vector<float>& v, float x) {
  if (m_releasing) {
    ReleaseSlice();
  } else if (m_next.capacity() == 0) {
    const size_t room = v.capacity();
    if (room >= STEADY_FROM && v.size() >= room - room / 32) m_next.reserve(room + room / 8);
  }
  v.push_back(x);
  if (m_releasing || m_next.capacity() == 0) return;

  const size_t n = std::min(MOVE_SLICE, v.size() - m_moved);
  m_next.insert(m_next.end(), v.begin() + static_cast<std::ptrdiff_t>(m_moved),
                v.begin() + static_cast<std::ptrdiff_t>(m_moved + n));
  m_moved += n;
  if (m_moved == v.size()) {
    v.swap(m_next);
    m_moved = 0;
    m_releasing = true;
    m_released = 0;
  }
}
