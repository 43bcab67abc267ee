#include "sim/SimBus.h"

#include <glib.h>
#include <sys/ioctl.h>
#include <linux/usbdevice_fs.h>
#include <umockdev.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace sim {

struct SimBus::Node {
  std::shared_ptr<SimLogger> logger;
  int devnum = 0;
  UMockdevIoctlBase* handler = nullptr;
};

namespace {

// Device descriptor and configuration 1 with one vendor-specific interface, as the node's
// read() returns them to libusb.
// The release number (bcdDevice, little-endian) between the two halves is "0001" for 1.00,
// or "00DE" for the demo.
constexpr const char* kDescriptorsHead = "12010002000000" "40" "D804" "FDFF";
constexpr const char* kDescriptorsTail = "01" "02" "00" "01" "0902120001010080" "32" "090400000000FF000000";

gboolean OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer user) {
  auto* node = static_cast<SimBus::Node*>(user);
  UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
  const gulong request = umockdev_ioctl_client_get_request(client);
  if (request == USBDEVFS_CONNECTINFO) {
    UMockdevIoctlData* ci = umockdev_ioctl_data_resolve(arg, 0, sizeof(struct usbdevfs_connectinfo), nullptr);
    if (ci) {
      auto* info = reinterpret_cast<struct usbdevfs_connectinfo*>(ci->data);
      info->devnum = static_cast<unsigned>(node->devnum);
      info->slow = 0;
      g_object_unref(ci);
    }
    umockdev_ioctl_client_complete(client, 0, 0);
    return TRUE;
  }
  if (request != USBDEVFS_CONTROL) return FALSE;  // the caller sees ENOTTY
  UMockdevIoctlData* cd = umockdev_ioctl_data_resolve(arg, 0, sizeof(struct usbdevfs_ctrltransfer), nullptr);
  if (!cd) {
    umockdev_ioctl_client_complete(client, -1, EFAULT);
    return TRUE;
  }
  auto* ct = reinterpret_cast<struct usbdevfs_ctrltransfer*>(cd->data);
  UMockdevIoctlData* data = nullptr;
  if (ct->wLength)
    data = umockdev_ioctl_data_resolve(cd, G_STRUCT_OFFSET(struct usbdevfs_ctrltransfer, data), ct->wLength, nullptr);
  const int rc = node->logger->Handle(ct->bRequestType, ct->bRequest, ct->wValue, ct->wIndex, ct->wLength,
                                      static_cast<int>(ct->timeout), data ? data->data : nullptr);
  if (rc < 0) umockdev_ioctl_client_complete(client, -1, -rc);
  else umockdev_ioctl_client_complete(client, rc, 0);
  if (data) g_object_unref(data);
  g_object_unref(cd);
  return TRUE;
}

}  // namespace

SimBus::SimBus() : m_testbed(umockdev_testbed_new()) {
  if (!m_testbed) throw std::runtime_error("cannot create the USB testbed");
}

SimBus::~SimBus() {
  for (auto& [slot, s] : m_slots)
    if (s.plugged) Detach(slot);
  g_object_unref(m_testbed);
}

bool SimBus::InMockEnvironment() {
  const char* preload = std::getenv("LD_PRELOAD");
  return preload && std::strstr(preload, "libumockdev-preload");
}

int SimBus::Plug(std::shared_ptr<SimLogger> logger) {
  const int slot = m_nextSlot++;
  m_slots[slot].logger = std::move(logger);
  Attach(slot);
  return slot;
}

void SimBus::Attach(int slot) {
  Slot& s = m_slots.at(slot);
  s.devnum = m_nextDevnum++;
  char sys[128], node[64], desc[512];
  const std::string descriptors =
      std::string(kDescriptorsHead) + (s.logger->IsDemo() ? "00DE" : "0001") + kDescriptorsTail;
  std::snprintf(sys, sizeof sys, "/devices/pci0000:00/0000:00:14.0/usb1/1-%d", s.devnum);
  std::snprintf(node, sizeof node, "/dev/bus/usb/001/%03d", s.devnum);
  std::snprintf(desc, sizeof desc, "P: %s\nN: bus/usb/001/%03d=%s\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n",
                sys, s.devnum, descriptors.c_str());
  GError* err = nullptr;
  if (!umockdev_testbed_add_from_string(m_testbed, desc, &err)) {
    std::string msg = err ? err->message : "unknown";
    if (err) g_error_free(err);
    throw std::runtime_error("cannot add the logger to the testbed: " + msg);
  }
  auto* n = new Node{s.logger, s.devnum, umockdev_ioctl_base_new()};
  g_signal_connect(n->handler, "handle-ioctl", G_CALLBACK(OnIoctl), n);
  if (!umockdev_testbed_attach_ioctl(m_testbed, node, n->handler, &err)) {
    std::string msg = err ? err->message : "unknown";
    if (err) g_error_free(err);
    g_object_unref(n->handler);
    delete n;
    throw std::runtime_error("cannot attach the logger's handler: " + msg);
  }
  s.sysPath = std::string("/sys") + sys;
  s.nodePath = node;
  s.node = n;
  s.plugged = true;
}

void SimBus::Detach(int slot) {
  Slot& s = m_slots.at(slot);
  if (!s.plugged) return;
  umockdev_testbed_detach_ioctl(m_testbed, s.nodePath.c_str(), nullptr);
  umockdev_testbed_remove_device(m_testbed, s.sysPath.c_str());
  // The kernel takes the node away with the device; the testbed leaves it behind.
  std::remove((RootDir() + s.nodePath).c_str());
  g_object_unref(s.node->handler);
  delete s.node;
  s.node = nullptr;
  s.plugged = false;
}

void SimBus::Unplug(int slot) { Detach(slot); }

void SimBus::Replug(int slot) {
  Detach(slot);
  Attach(slot);
}

void SimBus::DenyAccess(int slot, bool denied) {
  m_slots.at(slot).denied = denied;
  // A node opened read-only refuses transfers, as the kernel does.
  m_slots.at(slot).logger->SetReadOnlyAccess(denied);
  const std::string list = RootDir() + "/vrx-denied";
  std::FILE* f = std::fopen(list.c_str(), "w");
  if (!f) throw std::runtime_error("cannot write " + list);
  for (const auto& [id, s] : m_slots)
    if (s.denied && s.plugged) std::fprintf(f, "%s\n", s.nodePath.c_str());
  std::fclose(f);
}

bool SimBus::IsPlugged(int slot) const {
  auto it = m_slots.find(slot);
  return it != m_slots.end() && it->second.plugged;
}

std::string SimBus::NodePath(int slot) const { return m_slots.at(slot).nodePath; }

std::shared_ptr<SimLogger> SimBus::Logger(int slot) const { return m_slots.at(slot).logger; }

std::string SimBus::RootDir() const {
  gchar* dir = umockdev_testbed_get_root_dir(m_testbed);
  std::string out = dir ? dir : "";
  g_free(dir);
  return out;
}

std::vector<std::string> SimBus::ChildEnvironment() const {
  return {"LD_PRELOAD=libumockdev-preload.so.0", "UMOCKDEV_DIR=" + RootDir()};
}

}  // namespace sim
