// The live block: whatever the logger sends is cut or zero-padded to the 223 bytes of a
// block, in an exactly-sized heap buffer, and must give at most 74 samples, each the three
// bytes at its place.
#include "FuzzSupport.h"
#include "device/LiveBlock.h"
#include "device/UsbConstants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<uint8_t[]> block(new uint8_t[USB_BUFFER_SIZE]());
  std::memcpy(block.get(), data, std::min<size_t>(size, USB_BUFFER_SIZE));

  const std::vector<LoggerSample> samples = DecodeLiveBlock(block.get());
  const int bytes = std::min<int>(block[0], LIVE_MAX_SAMPLE_BYTES);
  FUZZ_CHECK(samples.size() == static_cast<size_t>(bytes / 3));
  for (size_t i = 0; i < samples.size(); ++i) {
    const uint8_t* b = block.get() + 1 + 3 * i;
    FUZZ_CHECK(samples[i].flowRaw == ((b[1] & 0x3F) << 8 | b[0]));
    FUZZ_CHECK(samples[i].pressureRaw == ((b[1] >> 6) << 8 | b[2]));
  }
  return 0;
}
