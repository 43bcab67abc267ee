#include "device/LiveBlock.h"

#include "device/UsbConstants.h"

std::vector<LoggerSample> DecodeLiveBlock(const unsigned char* block) {
  std::vector<LoggerSample> samples;
  if (!block) return samples;
  int bytes = block[0];
  if (bytes > LIVE_MAX_SAMPLE_BYTES) bytes = LIVE_MAX_SAMPLE_BYTES;
  const int count = bytes / 3;
  samples.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) samples.push_back(DecodeLoggerSample(block + 1 + 3 * i));
  return samples;
}
