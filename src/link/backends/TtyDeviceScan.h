#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qjig {

// A USB-serial tty of the ftdi_sio driver, as sysfs describes it.
struct TtyDevice {
  std::filesystem::path path;                        // e.g. /dev/ttyUSB0
  std::optional<std::filesystem::path> latencyTimer; // sysfs attribute, when there is one
};

// Finds the ftdi_sio ttys under `sysfsRoot` and names them under `devRoot`.
// They come sorted by the USB serial number (the tty name when a chip has
// none), so a jig keeps its number however the kernel numbered the ttys.
std::vector<TtyDevice> ScanFtdiTtys(const std::filesystem::path& sysfsRoot,
                                    const std::filesystem::path& devRoot);

// The latency_timer attribute of a usb-serial tty such as "ttyUSB0"; none for
// a tty that has no such attribute (a pseudo-terminal, an on-board UART).
std::optional<std::filesystem::path> LatencyTimerPath(const std::filesystem::path& sysfsRoot,
                                                      const std::string& ttyName);

}  // namespace qjig
