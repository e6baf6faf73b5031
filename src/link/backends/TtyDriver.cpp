#include "TtyDriver.h"

#include <sys/utsname.h>

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

#include "TtyPort.h"

namespace qjig {

namespace {

// "6.1.0-18-amd64" -> 0x060100: here the kernel is the driver. A field past
// 255 is clamped so it cannot spill into the next one.
std::uint32_t KernelVersion() {
  utsname name{};
  if (uname(&name) != 0) return 0;
  std::string_view release = name.release;
  std::uint32_t version = 0;
  for (int field = 0; field < 3; ++field) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(release.data(), release.data() + release.size(), value);
    if (error == std::errc::result_out_of_range) value = 255;
    release.remove_prefix(static_cast<std::size_t>(end - release.data()));
    if (release.starts_with('.')) release.remove_prefix(1);
    version = (version << 8) | std::min(value, 255u);
  }
  return version;
}

}  // namespace

std::unique_ptr<TtyDriver> TtyDriver::Scanning(TtyPaths paths) {
  std::vector<TtyDevice> devices = ScanFtdiTtys(paths.sysfsRoot, paths.devRoot);
  return std::unique_ptr<TtyDriver>(new TtyDriver(std::move(paths), std::move(devices)));
}

std::unique_ptr<TtyDriver> TtyDriver::ForPorts(std::vector<std::string> ports) {
  std::vector<TtyDevice> devices;
  for (std::string& port : ports) {
    // A by-id link names the same tty; its real name finds the latency timer.
    std::error_code error;
    const std::string ttyName = std::filesystem::weakly_canonical(port, error).filename().string();
    devices.push_back({std::move(port), LatencyTimerPath(TtyPaths{}.sysfsRoot, ttyName)});
  }
  return std::unique_ptr<TtyDriver>(new TtyDriver(std::nullopt, std::move(devices)));
}

TtyDriver::TtyDriver(std::optional<TtyPaths> scan, std::vector<TtyDevice> devices)
    : scan_(std::move(scan)), devices_(std::move(devices)) {}

std::shared_ptr<TtyPort> TtyDriver::Find(FtHandle handle) const {
  std::lock_guard lock(mutex_);
  const auto found = ports_.find(handle);
  return found == ports_.end() ? nullptr : found->second;
}

template <typename Call>
FtStatus TtyDriver::OnPort(FtHandle handle, Call call) const {
  const std::shared_ptr<TtyPort> port = Find(handle);
  if (!port) return FtStatus::InvalidHandle;
  return call(*port);
}

FtStatus TtyDriver::CreateDeviceInfoList(std::uint32_t& count) {
  std::vector<TtyDevice> devices;
  if (scan_) devices = ScanFtdiTtys(scan_->sysfsRoot, scan_->devRoot);
  std::lock_guard lock(mutex_);
  if (scan_) devices_ = std::move(devices);
  count = static_cast<std::uint32_t>(devices_.size());
  return FtStatus::Ok;
}

FtStatus TtyDriver::Open(int index, FtHandle& handle) {
  handle = kNoHandle;
  TtyDevice device;
  {
    std::lock_guard lock(mutex_);
    if (index < 0 || static_cast<std::size_t>(index) >= devices_.size()) return FtStatus::DeviceNotFound;
    device = devices_[static_cast<std::size_t>(index)];
  }
  std::shared_ptr<TtyPort> port = TtyPort::Open(device.path, device.latencyTimer);
  if (!port) return FtStatus::DeviceNotOpened;
  std::lock_guard lock(mutex_);
  handle = nextHandle_++;
  ports_.emplace(handle, std::move(port));
  return FtStatus::Ok;
}

FtStatus TtyDriver::ResetDevice(FtHandle handle) {
  return OnPort(handle, [](TtyPort& port) { return port.Reset(); });
}

FtStatus TtyDriver::SetBaudRate(FtHandle handle, std::uint32_t baud) {
  return OnPort(handle, [baud](TtyPort& port) { return port.SetBaudRate(baud); });
}

FtStatus TtyDriver::SetDataCharacteristics(FtHandle handle, std::uint8_t wordLength,
                                           std::uint8_t stopBits, std::uint8_t parity) {
  return OnPort(handle,
                [=](TtyPort& port) { return port.SetDataCharacteristics(wordLength, stopBits, parity); });
}

FtStatus TtyDriver::SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) {
  return OnPort(handle, [=](TtyPort& port) {
    port.SetTimeouts(std::chrono::milliseconds(readMs), std::chrono::milliseconds(writeMs));
    return FtStatus::Ok;
  });
}

FtStatus TtyDriver::SetLatencyTimer(FtHandle handle, std::uint8_t ms) {
  return OnPort(handle, [ms](TtyPort& port) {
    port.SetLatencyTimer(ms);
    return FtStatus::Ok;
  });
}

FtStatus TtyDriver::Write(FtHandle handle, const std::uint8_t* data, std::uint32_t count,
                          std::uint32_t& written) {
  written = 0;
  return OnPort(handle, [&](TtyPort& port) { return port.Write(data, count, written); });
}

FtStatus TtyDriver::Read(FtHandle handle, std::uint8_t* data, std::uint32_t count,
                         std::uint32_t& received) {
  received = 0;
  return OnPort(handle, [&](TtyPort& port) { return port.Read(data, count, received); });
}

FtStatus TtyDriver::GetStatus(FtHandle handle, std::uint32_t& rxQueue, std::uint32_t& txQueue,
                              std::uint32_t& eventWord) {
  rxQueue = txQueue = eventWord = 0;
  return OnPort(handle, [&](TtyPort& port) { return port.GetStatus(rxQueue, txQueue); });
}

FtStatus TtyDriver::Purge(FtHandle handle, std::uint32_t mask) {
  return OnPort(handle, [mask](TtyPort& port) { return port.Purge(mask); });
}

FtStatus TtyDriver::GetDriverVersion(FtHandle handle, std::uint32_t& version) {
  version = 0;
  return OnPort(handle, [&](TtyPort&) {
    version = KernelVersion();
    return FtStatus::Ok;
  });
}

FtStatus TtyDriver::Close(FtHandle handle) {
  std::shared_ptr<TtyPort> port;
  {
    std::lock_guard lock(mutex_);
    const auto found = ports_.find(handle);
    if (found == ports_.end()) return FtStatus::InvalidHandle;
    port = std::move(found->second);
    ports_.erase(found);
  }
  return FtStatus::Ok;  // the tty closes with the last reference, outside the lock
}

FtStatus TtyDriver::WaitRxQueue(FtHandle handle, std::uint32_t minCount,
                                std::chrono::milliseconds timeout, std::uint32_t& rxQueue) {
  rxQueue = 0;
  return OnPort(handle, [&](TtyPort& port) { return port.WaitRxQueue(minCount, timeout, rxQueue); });
}

FtStatus TtyDriver::WaitTxEmpty(FtHandle handle, std::chrono::milliseconds timeout,
                                std::uint32_t& txQueue) {
  txQueue = 0;
  return OnPort(handle, [&](TtyPort& port) { return port.WaitTxEmpty(timeout, txQueue); });
}

}  // namespace qjig
