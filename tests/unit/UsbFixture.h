#pragma once

// A fresh emulated bus per test, with one simulated logger plugged in unless a test says
// otherwise. Needs the umockdev preload (set by CTest).
#include "sim/SimBus.h"

#include <gtest/gtest.h>

#include <memory>

class UsbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim::SimBus::InMockEnvironment()) << "run under LD_PRELOAD=libumockdev-preload.so.0";
    bus = std::make_unique<sim::SimBus>();
  }
  void TearDown() override { bus.reset(); }

  std::shared_ptr<sim::SimLogger> PlugLogger(int firmware = 0x0403, const sim::BlockParams& p = {}) {
    auto logger = std::make_shared<sim::SimLogger>(firmware, p);
    slot = bus->Plug(logger);
    return logger;
  }

  std::unique_ptr<sim::SimBus> bus;
  int slot = -1;
};

// What a transfer looked like on the wire, for comparing with the log.
struct Wire {
  int type, request, value, index, length, timeout;
};

inline bool operator==(const Wire& w, const sim::Transfer& t) {
  return w.type == t.requestType && w.request == t.request && w.value == t.value &&
         w.index == t.index && w.length == t.length && w.timeout == t.timeout;
}

namespace sim {
inline std::ostream& operator<<(std::ostream& os, const Transfer& t) {
  return os << "{type 0x" << std::hex << t.requestType << std::dec << ", req " << t.request
            << ", value 0x" << std::hex << t.value << ", index 0x" << t.index << std::dec
            << ", len " << t.length << ", " << t.timeout << " ms, result " << t.result << "}";
}
}  // namespace sim

inline void ExpectWire(const std::vector<sim::Transfer>& log, const std::vector<Wire>& expected) {
  ASSERT_EQ(log.size(), expected.size()) << ::testing::PrintToString(log);
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_TRUE(expected[i] == log[i]) << "transfer " << i << ": " << log[i];
}

constexpr Wire SET_CONFIG{0x00, 9, 1, 0, 0, 100};
