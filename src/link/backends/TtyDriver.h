#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/FtdiDriver.h"
#include "link/backends/TtyDeviceScan.h"

namespace qjig {

class TtyPort;

struct TtyPaths {
  std::filesystem::path sysfsRoot = "/sys";
  std::filesystem::path devRoot = "/dev";
};

// The FTDI calls on the kernel's own driver: ftdi_sio ttys through termios,
// poll() and sysfs. No library and no USB permissions beyond the tty's.
class TtyDriver final : public FtdiDriver {
 public:
  // The ftdi_sio ttys sysfs lists; the default on Linux.
  static std::unique_ptr<TtyDriver> Scanning(TtyPaths paths = {});
  // Exactly these device paths, in this order (--port PATH...).
  static std::unique_ptr<TtyDriver> ForPorts(std::vector<std::string> ports);

  FtStatus CreateDeviceInfoList(std::uint32_t& count) override;
  FtStatus Open(int index, FtHandle& handle) override;
  FtStatus ResetDevice(FtHandle handle) override;
  FtStatus SetBaudRate(FtHandle handle, std::uint32_t baud) override;
  FtStatus SetDataCharacteristics(FtHandle handle, std::uint8_t wordLength, std::uint8_t stopBits,
                                  std::uint8_t parity) override;
  FtStatus SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override;
  FtStatus SetLatencyTimer(FtHandle handle, std::uint8_t ms) override;
  FtStatus Write(FtHandle handle, const std::uint8_t* data, std::uint32_t count,
                 std::uint32_t& written) override;
  FtStatus Read(FtHandle handle, std::uint8_t* data, std::uint32_t count,
                std::uint32_t& received) override;
  FtStatus GetStatus(FtHandle handle, std::uint32_t& rxQueue, std::uint32_t& txQueue,
                     std::uint32_t& eventWord) override;
  FtStatus Purge(FtHandle handle, std::uint32_t mask) override;
  FtStatus GetDriverVersion(FtHandle handle, std::uint32_t& version) override;
  FtStatus Close(FtHandle handle) override;
  FtStatus WaitRxQueue(FtHandle handle, std::uint32_t minCount, std::chrono::milliseconds timeout,
                       std::uint32_t& rxQueue) override;
  FtStatus WaitTxEmpty(FtHandle handle, std::chrono::milliseconds timeout,
                       std::uint32_t& txQueue) override;

 private:
  // Without a scan the device list is the given ports and never changes.
  TtyDriver(std::optional<TtyPaths> scan, std::vector<TtyDevice> devices);

  // The port behind a handle; it stays alive for a call even if another
  // thread closes the handle meanwhile.
  std::shared_ptr<TtyPort> Find(FtHandle handle) const;
  template <typename Call>
  FtStatus OnPort(FtHandle handle, Call call) const;

  const std::optional<TtyPaths> scan_;
  mutable std::mutex mutex_;
  std::vector<TtyDevice> devices_;
  std::map<FtHandle, std::shared_ptr<TtyPort>> ports_;
  FtHandle nextHandle_ = 1;
};

}  // namespace qjig
