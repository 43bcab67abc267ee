#pragma once

// An emulated USB bus holding simulated loggers: each plugged logger gets a device node
// /dev/bus/usb/001/NNN in a umockdev testbed, behind which the real libusb-0.1 finds and
// talks to it. The program under test needs LD_PRELOAD=libumockdev-preload.so.0 (in this
// process, or in a child started with ChildEnvironment()).

#include "sim/SimLogger.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

typedef struct _UMockdevTestbed UMockdevTestbed;

namespace sim {

class SimBus {
 public:
  SimBus();
  ~SimBus();
  SimBus(const SimBus&) = delete;
  SimBus& operator=(const SimBus&) = delete;

  // True when this process runs under the umockdev preload (in-process testbeds work).
  static bool InMockEnvironment();

  // Plugs a logger in; returns its slot. Each plug (and replug) takes a new device number.
  int Plug(std::shared_ptr<SimLogger> logger);
  void Unplug(int slot);
  void Replug(int slot);
  bool IsPlugged(int slot) const;
  // Opening the logger's node fails with EACCES while denied (needs the vrx-denyopen
  // preload, which CTest sets for tests on the bus).
  void DenyAccess(int slot, bool denied);
  std::string NodePath(int slot) const;  // e.g. /dev/bus/usb/001/002
  std::shared_ptr<SimLogger> Logger(int slot) const;

  std::string RootDir() const;
  // LD_PRELOAD and UMOCKDEV_DIR for a child process that should see this bus.
  std::vector<std::string> ChildEnvironment() const;

  struct Node;  // one attached device node (public for the C callback)

 private:
  void Attach(int slot);
  void Detach(int slot);

  UMockdevTestbed* m_testbed;
  int m_nextDevnum = 2;
  struct Slot {
    std::shared_ptr<SimLogger> logger;
    int devnum = 0;
    bool plugged = false;
    bool denied = false;
    std::string sysPath, nodePath;
    Node* node = nullptr;
  };
  std::map<int, Slot> m_slots;
  int m_nextSlot = 0;
};

}  // namespace sim
