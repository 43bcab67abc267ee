#pragma once

#include "device/UsbConstants.h"

#include <cstdint>
#include <functional>

struct usb_dev_handle;
struct usb_device;

// Result of the generic requests. Callers treat USB_OK as success, anything else as failure.
using UsbResult = int;
constexpr UsbResult USB_OPEN_FAILED = 0;
constexpr UsbResult USB_NOT_FOUND = 3;
constexpr UsbResult USB_OK = 4;
constexpr UsbResult USB_CONFIG_FAILED = 5;
constexpr UsbResult USB_RETRY_FAILED = 6;

// The link to the logger. Every operation finds the logger if needed, opens it, performs
// its transfers and closes it again, so several links can exist side by side. The link
// never shows a message: it reports through its results.
class VellUSB {
 public:
  VellUSB();
  virtual ~VellUSB();
  VellUSB(const VellUSB&) = delete;
  VellUSB& operator=(const VellUSB&) = delete;

  // Transport.
  bool FindDevice();
  int SelectConfiguration();
  int ControlIn(int request, int value, int index, int length, int timeout);
  int ControlOut(int request, int value, int index, int length, int timeout);
  UsbResult ReadCommand(int request, int value, int index, int length, int timeout);
  UsbResult WriteCommand(int request, int value, int index, int length, int timeout);
  // Called after each chunk with the bytes read so far; returning false stops the read, which
  // then fails (the caller knows it asked to stop).
  using ChunkProgress = std::function<bool(uint32_t done)>;
  bool ReadMemory(uint32_t address, uint32_t length, unsigned char* destination,
                  const ChunkProgress& progress = nullptr);
  unsigned char* ReadLiveBlock();
  bool SetClockTime(const unsigned char* bytes);  // seconds, minutes, hours, fourth byte (BCD)
  bool SetClockDate(const unsigned char* bytes);  // day, month, year - 2000 (BCD)

  // Logger requests.
  int GetErrorCode();
  bool SetAutoLogging(int on);
  bool SetRateAndUnit(int rateWord, int unit);
  bool SetLiveMode(int on);
  bool ClearMemory();
  unsigned char* GetClock();
  bool ConfigureClock(int first, int second);
  bool SetFlowOnThreshold(int threshold, int delay);
  bool SetFlowOffThreshold(int threshold, int delay);
  unsigned char* GetMemoryStatus();
  unsigned char* GetFirmwareVersion();

  // True when the last operation failed because this user may not use the logger (its
  // device node cannot be opened for writing), so the window can say so rather than blame
  // the connection.
  bool AccessDenied() const { return m_accessDenied; }
  // True when the logger last found is the simulated demo logger (by its release number).
  bool IsDemoLogger() const;

  // The buffer every IN transfer lands in and every OUT data stage comes from.
  unsigned char* Buffer() { return m_buffer; }

 private:
  enum class OpenResult { Opened, NotFound, OpenFailed };
  OpenResult Open();
  void Close();
  int Failed(int transferResult);
  UsbResult Generic(bool in, int request, int value, int index, int length, int timeout);

  usb_dev_handle* m_handle;
  struct usb_device* m_device;
  unsigned char m_buffer[USB_BUFFER_SIZE];
  bool m_accessDenied = false;
};
