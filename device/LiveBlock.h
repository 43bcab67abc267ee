#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One 3-byte logger sample, as stored in memory and sent in live blocks.
struct LoggerSample {
  int flowRaw;      // 14 bits
  int pressureRaw;  // 10 bits
};

inline LoggerSample DecodeLoggerSample(const unsigned char* b) {
  return {(b[1] & 0x3F) * 256 + b[0], (b[1] >> 6) * 256 + b[2]};
}

// The samples of a live block (223 bytes: a count of sample bytes, then the samples). A count
// above 222 cannot be true of a 223-byte block; it is clamped to the 74 samples the block
// holds, so nothing beyond the block is read.
std::vector<LoggerSample> DecodeLiveBlock(const unsigned char* block);
