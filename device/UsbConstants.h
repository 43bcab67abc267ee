#pragma once

#include <cstdint>

// Identity of the logger and the fixed shape of its requests.
constexpr int LOGGER_VENDOR_ID = 0x04D8;
constexpr int LOGGER_PRODUCT_ID = 0xFFFD;
// Device release number the simulated demo logger reports, so the program can say that the
// logger it talks to is the demo and not real hardware.
constexpr int DEMO_LOGGER_RELEASE = 0xDE00;

constexpr int USB_TYPE_IN = 0xC0;   // vendor, device-to-host, recipient device
constexpr int USB_TYPE_OUT = 0x40;  // vendor, host-to-device, recipient device

constexpr int USB_BUFFER_SIZE = 223;   // the longest transfer: the live block
constexpr int USB_MEMORY_CHUNK = 128;  // the longest single memory transfer

constexpr int USB_TIMEOUT_SHORT = 100;   // configuration, live block, clock configuration
constexpr int USB_TIMEOUT_NORMAL = 500;  // every other request
constexpr int USB_TIMEOUT_MEMORY = 1000; // per memory chunk

// Request codes.
enum LoggerRequest : int {
  REQ_GET_ERROR_CODE = 1,
  REQ_SET_AUTO_LOGGING = 3,
  REQ_SET_RATE = 4,
  REQ_SET_LIVE_MODE = 5,
  REQ_SET_PRESSURE_UNIT = 12,
  REQ_CLEAR_MEMORY = 13,
  REQ_READ_LIVE_BLOCK = 21,
  REQ_READ_MEMORY = 23,
  REQ_GET_CLOCK = 26,
  REQ_SET_CLOCK_TIME = 27,
  REQ_SET_CLOCK_DATE = 28,
  REQ_CONFIGURE_CLOCK = 29,
  REQ_SET_FLOW_ON = 30,
  REQ_SET_FLOW_OFF = 31,
  REQ_GET_MEMORY_STATUS = 34,
  REQ_GET_FIRMWARE_VERSION = 41,
};

// The standard request that selects configuration 1.
constexpr int USB_SET_CONFIGURATION = 9;

// Logger memory: 128 KiB; the table of contents ends just below the last address.
constexpr uint32_t LOGGER_MEMORY_SIZE = 0x20000;
constexpr uint32_t LOGGER_MEMORY_TOP = 0x1FFFF;
constexpr uint32_t TOC_ENTRY_SIZE = 9;
constexpr int LIVE_MAX_SAMPLE_BYTES = 222;  // 74 samples of 3 bytes
