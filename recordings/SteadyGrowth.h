// Appending to a long float series without the pause of one big reallocation. A vector that
// doubles copies all of itself at once, tens of milliseconds at millions of samples, and then
// holds up to twice the room it needs. Here, ahead of need, a buffer an eighth larger is filled
// a slice per append and takes over once it holds everything; the old buffer goes back to the
// system a slice per append as well. Short series simply grow as vectors do.
#pragma once

#include <cstddef>
#include <vector>

class SteadyGrowth {
 public:
  SteadyGrowth() = default;
  // A copied or assigned series starts afresh: a half-filled buffer belongs to the old contents.
  SteadyGrowth(const SteadyGrowth&) noexcept {}
  SteadyGrowth& operator=(const SteadyGrowth&) noexcept {
    Reset();
    return *this;
  }
  SteadyGrowth(SteadyGrowth&&) noexcept = default;
  SteadyGrowth& operator=(SteadyGrowth&&) noexcept = default;

  // Appends x to v; v must change by nothing but these calls, or Reset() first.
  void Append(std::vector<float>& v, float x) {
    // Most appends: room to spare and nothing under way.
    if (m_next.capacity() == 0 && v.size() + v.capacity() / 32 < v.capacity()) {
      v.push_back(x);
      return;
    }
    AppendSlow(v, x);
  }
  // v was changed otherwise (filtered, replaced, reserved): forget the half-filled buffer.
  void Reset();

  // Series below this many values grow as vectors do.
  static constexpr size_t STEADY_FROM = size_t{1} << 16;

 private:
  void AppendSlow(std::vector<float>& v, float x);
  void ReleaseSlice();

  std::vector<float> m_next;  // the larger buffer being filled, or the old one going back
  size_t m_moved = 0;         // values already copied into m_next
  bool m_releasing = false;   // m_next is the old buffer
  size_t m_released = 0;      // bytes of it handed back, from its end
};
