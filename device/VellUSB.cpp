#include "device/VellUSB.h"

#include <usb.h>

#include <cerrno>
#include <cstring>

VellUSB::VellUSB() : m_handle(nullptr), m_device(nullptr) {
  std::memset(m_buffer, 0, sizeof m_buffer);
}

VellUSB::~VellUSB() = default;

bool VellUSB::IsDemoLogger() const {
  return m_device && m_device->descriptor.bcdDevice == DEMO_LOGGER_RELEASE;
}

bool VellUSB::FindDevice() {
  m_handle = nullptr;
  usb_init();
  usb_find_busses();
  usb_find_devices();
  for (struct usb_bus* bus = usb_get_busses(); bus; bus = bus->next) {
    for (struct usb_device* dev = bus->devices; dev; dev = dev->next) {
      if (dev->descriptor.idVendor != LOGGER_VENDOR_ID ||
          dev->descriptor.idProduct != LOGGER_PRODUCT_ID)
        continue;
      m_device = dev;
      m_handle = usb_open(dev);
      if (m_handle) {
        SelectConfiguration();
        usb_close(m_handle);
        m_handle = nullptr;
      }
      return true;
    }
  }
  return false;
}

int VellUSB::SelectConfiguration() {
  return usb_control_msg(m_handle, 0x00, USB_SET_CONFIGURATION, 1, 0, nullptr, 0,
                         USB_TIMEOUT_SHORT);
}

int VellUSB::ControlIn(int request, int value, int index, int length, int timeout) {
  return usb_control_msg(m_handle, USB_TYPE_IN, request & 0xFF, value & 0xFFFF, index & 0xFFFF,
                         reinterpret_cast<char*>(m_buffer), length, timeout);
}

int VellUSB::ControlOut(int request, int value, int index, int length, int timeout) {
  return usb_control_msg(m_handle, USB_TYPE_OUT, request & 0xFF, value & 0xFFFF, index & 0xFFFF,
                         reinterpret_cast<char*>(m_buffer), length, timeout);
}

VellUSB::OpenResult VellUSB::Open() {
  m_accessDenied = false;
  // Another link's bus search may have dropped our device record from libusb's lists (and
  // freed it): only use the record while the lists still hold it.
  if (m_device) {
    bool listed = false;
    for (struct usb_bus* bus = usb_get_busses(); bus && !listed; bus = bus->next)
      for (struct usb_device* dev = bus->devices; dev; dev = dev->next)
        if (dev == m_device) {
          listed = true;
          break;
        }
    if (!listed) m_device = nullptr;
  }
  if (!m_device && !FindDevice()) return OpenResult::NotFound;
  errno = 0;
  m_handle = usb_open(m_device);
  if (!m_handle) {
    m_accessDenied = errno == EACCES || errno == EPERM;
    m_device = nullptr;
    return OpenResult::OpenFailed;
  }
  return OpenResult::Opened;
}

void VellUSB::Close() {
  if (m_handle) usb_close(m_handle);
  m_handle = nullptr;
}

// Notes what a failed transfer says. A node that has gone (unplugged) would fail forever on
// the stale record; forgetting it lets the next operation find a replugged logger again.
// Other failures (a stall, a time-out) keep the device, as a refused request is not a loss.
// A node opened without write access refuses every transfer: the user lacks permission.
int VellUSB::Failed(int transferResult) {
  if (transferResult >= 0) return transferResult;
  switch (-transferResult) {
    case ENODEV:
    case EBADF:
    case ENOENT:
    case ENXIO:
    case ESHUTDOWN:
      m_device = nullptr;
      break;
    case EPERM:
    case EACCES:
      m_accessDenied = true;
      break;
    default:
      break;
  }
  return transferResult;
}

static UsbResult OpenFailure(bool notFound) { return notFound ? USB_NOT_FOUND : USB_OPEN_FAILED; }

// The generic request: one configuration re-selection and one repeat on failure.
UsbResult VellUSB::Generic(bool in, int request, int value, int index, int length, int timeout) {
  const OpenResult opened = Open();
  if (opened != OpenResult::Opened) return OpenFailure(opened == OpenResult::NotFound);
  const auto transfer = [&] {
    return in ? ControlIn(request, value, index, length, timeout) : ControlOut(request, value, index, length, timeout);
  };
  if (Failed(transfer()) < 0) {
    if (SelectConfiguration() < 0) {
      Close();
      return USB_CONFIG_FAILED;
    }
    if (Failed(transfer()) < 0) {
      Close();
      return USB_RETRY_FAILED;
    }
  }
  Close();
  return USB_OK;
}

UsbResult VellUSB::ReadCommand(int request, int value, int index, int length, int timeout) {
  return Generic(true, request, value, index, length, timeout);
}

UsbResult VellUSB::WriteCommand(int request, int value, int index, int length, int timeout) {
  return Generic(false, request, value, index, length, timeout);
}

bool VellUSB::ReadMemory(uint32_t address, uint32_t length, unsigned char* destination,
                         const ChunkProgress& progress) {
  if (length > 0 && !destination) return false;
  if (Open() != OpenResult::Opened) return false;
  uint32_t done = 0;
  while (done < length) {
    const uint32_t chunk = length - done < USB_MEMORY_CHUNK ? length - done : USB_MEMORY_CHUNK;
    const int value = static_cast<int>(address & 0xFFFF);
    const int index = static_cast<int>((chunk * 256 + (address >> 16)) & 0xFFFF);
    const int rc = ControlIn(REQ_READ_MEMORY, value, index, static_cast<int>(chunk),
                             USB_TIMEOUT_MEMORY);
    if (rc < 0) {
      Failed(rc);
      Close();
      return false;
    }
    // A short reply is not an error: the whole chunk is handed on from the buffer.
    std::memcpy(destination + done, m_buffer, chunk);
    address += chunk;
    done += chunk;
    if (progress && !progress(done)) {
      Close();
      return false;
    }
  }
  Close();
  return true;
}

unsigned char* VellUSB::ReadLiveBlock() {
  if (Open() != OpenResult::Opened) return nullptr;
  const int rc = ControlIn(REQ_READ_LIVE_BLOCK, 0, 0, USB_BUFFER_SIZE, USB_TIMEOUT_SHORT);
  if (rc < 0) Failed(rc);
  Close();
  return rc < 0 ? nullptr : m_buffer;
}

bool VellUSB::SetClockTime(const unsigned char* bytes) {
  if (Open() != OpenResult::Opened) return false;
  const int rc = ControlOut(REQ_SET_CLOCK_TIME, bytes[1] * 256 + bytes[0], bytes[3] * 256 + bytes[2],
                            4, USB_TIMEOUT_NORMAL);
  if (rc < 0) Failed(rc);
  Close();
  return rc >= 0;
}

bool VellUSB::SetClockDate(const unsigned char* bytes) {
  if (Open() != OpenResult::Opened) return false;
  const int rc =
      ControlOut(REQ_SET_CLOCK_DATE, bytes[1] * 256 + bytes[0], bytes[2], 4, USB_TIMEOUT_NORMAL);
  if (rc < 0) Failed(rc);
  Close();
  return rc >= 0;
}
