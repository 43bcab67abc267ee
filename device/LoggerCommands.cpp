// The logger's requests: each fixes its code, packing, data length, time-out and path.
#include "device/VellUSB.h"

int VellUSB::GetErrorCode() {
  if (ReadCommand(REQ_GET_ERROR_CODE, 0, 0, 1, USB_TIMEOUT_NORMAL) != USB_OK) return 0;
  return m_buffer[0];
}

bool VellUSB::SetAutoLogging(int on) {
  return WriteCommand(REQ_SET_AUTO_LOGGING, on == 1 ? 2 : 0, 0, 1, USB_TIMEOUT_NORMAL) == USB_OK;
}

bool VellUSB::SetRateAndUnit(int rateWord, int unit) {
  if (WriteCommand(REQ_SET_RATE, rateWord & 0xFFFF, 0, 1, USB_TIMEOUT_NORMAL) != USB_OK)
    return false;
  return WriteCommand(REQ_SET_PRESSURE_UNIT, unit & 0xFF, 0, 1, USB_TIMEOUT_NORMAL) == USB_OK;
}

bool VellUSB::SetLiveMode(int on) {
  return WriteCommand(REQ_SET_LIVE_MODE, on > 0 ? 1 : 0, 0, 1, USB_TIMEOUT_NORMAL) == USB_OK;
}

bool VellUSB::ClearMemory() {
  return WriteCommand(REQ_CLEAR_MEMORY, 0, 0, 1, USB_TIMEOUT_NORMAL) == USB_OK;
}

unsigned char* VellUSB::GetClock() {
  return ReadCommand(REQ_GET_CLOCK, 0, 0, 8, USB_TIMEOUT_NORMAL) == USB_OK ? m_buffer : nullptr;
}

bool VellUSB::ConfigureClock(int first, int second) {
  return WriteCommand(REQ_CONFIGURE_CLOCK, (second & 0xFF) * 256 + (first & 0xFF), 0, 2,
                      USB_TIMEOUT_SHORT) == USB_OK;
}

bool VellUSB::SetFlowOnThreshold(int threshold, int delay) {
  return WriteCommand(REQ_SET_FLOW_ON, threshold & 0xFFFF, delay & 0xFFFF, 4,
                      USB_TIMEOUT_NORMAL) == USB_OK;
}

bool VellUSB::SetFlowOffThreshold(int threshold, int delay) {
  return WriteCommand(REQ_SET_FLOW_OFF, threshold & 0xFFFF, delay & 0xFFFF, 4,
                      USB_TIMEOUT_NORMAL) == USB_OK;
}

unsigned char* VellUSB::GetMemoryStatus() {
  return ReadCommand(REQ_GET_MEMORY_STATUS, 0, 0, 7, USB_TIMEOUT_NORMAL) == USB_OK ? m_buffer
                                                                                 : nullptr;
}

unsigned char* VellUSB::GetFirmwareVersion() {
  m_buffer[0] = 0;
  m_buffer[1] = 0;
  return ReadCommand(REQ_GET_FIRMWARE_VERSION, 0, 0, 2, USB_TIMEOUT_NORMAL) == USB_OK ? m_buffer
                                                                                     : nullptr;
}
