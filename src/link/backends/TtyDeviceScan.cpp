#include "TtyDeviceScan.h"

#include <algorithm>
#include <fstream>

namespace qjig {

namespace fs = std::filesystem;

namespace {

fs::path UsbSerialDevices(const fs::path& sysfsRoot) {
  return sysfsRoot / "bus" / "usb-serial" / "devices";
}

// The tty's node links into the device tree below its USB device; the first
// ancestor with USB attributes is the chip itself. Its serial number, when it
// has one, is what identifies a jig across plug-ins.
std::optional<std::string> UsbSerialNumber(const fs::path& sysfsRoot, const std::string& ttyName) {
  std::error_code error;
  fs::path dir = fs::canonical(UsbSerialDevices(sysfsRoot) / ttyName, error);
  if (error) return std::nullopt;
  for (; dir.has_relative_path(); dir = dir.parent_path()) {
    const bool hasSerial = fs::exists(dir / "serial", error);
    if (!hasSerial && !fs::exists(dir / "idVendor", error)) continue;
    if (!hasSerial) return std::nullopt;
    std::ifstream in(dir / "serial");
    std::string serial;
    if (!std::getline(in, serial) || serial.empty()) return std::nullopt;
    return serial;
  }
  return std::nullopt;
}

}  // namespace

std::vector<TtyDevice> ScanFtdiTtys(const fs::path& sysfsRoot, const fs::path& devRoot) {
  struct Found {
    std::string key;
    std::string name;
  };
  std::vector<Found> found;
  std::error_code error;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(sysfsRoot / "bus" / "usb-serial" / "drivers" / "ftdi_sio", error)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with("ttyUSB")) continue;  // bind, unbind, module, new_id ...
    found.push_back({UsbSerialNumber(sysfsRoot, name).value_or(name), name});
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return a.key != b.key ? a.key < b.key : a.name < b.name;
  });
  std::vector<TtyDevice> devices;
  for (const Found& f : found) devices.push_back({devRoot / f.name, LatencyTimerPath(sysfsRoot, f.name)});
  return devices;
}

std::optional<fs::path> LatencyTimerPath(const fs::path& sysfsRoot, const std::string& ttyName) {
  if (ttyName.empty()) return std::nullopt;
  fs::path path = UsbSerialDevices(sysfsRoot) / ttyName / "latency_timer";
  std::error_code error;
  if (!fs::exists(path, error)) return std::nullopt;
  return path;
}

}  // namespace qjig
