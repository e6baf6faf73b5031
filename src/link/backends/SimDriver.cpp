#include "SimDriver.h"

#include <utility>

namespace qjig {

namespace {

// The sim's own version number, shown in the start log like the driver's.
constexpr std::uint32_t kSimDriverVersion = 0x00020C18;

FtStatus ToStatus(sim::PortResult result) {
  switch (result) {
    case sim::PortResult::Ok: return FtStatus::Ok;
    case sim::PortResult::Gone: return FtStatus::IoError;
    case sim::PortResult::Busy: return FtStatus::DeviceNotOpened;
  }
  return FtStatus::OtherError;
}

}  // namespace

SimDriver::SimDriver(sim::VirtualBench bench) : bench_(std::move(bench)) {}

FtStatus SimDriver::CreateDeviceInfoList(std::uint32_t& count) {
  std::lock_guard lock(mutex_);
  listed_.clear();
  for (const auto& jig : bench_.jigs)
    if (jig->IsPlugged()) listed_.push_back(jig);
  count = static_cast<std::uint32_t>(listed_.size());
  return FtStatus::Ok;
}

FtStatus SimDriver::Open(int index, FtHandle& handle) {
  std::lock_guard lock(mutex_);
  handle = kNoHandle;
  if (index < 0 || static_cast<std::size_t>(index) >= listed_.size()) return FtStatus::DeviceNotFound;
  OpenJig entry{listed_[static_cast<std::size_t>(index)], 0};
  const sim::PortResult result = entry.jig->Open(entry.session);
  if (result != sim::PortResult::Ok) return FtStatus::DeviceNotOpened;
  handle = nextHandle_++;
  open_.emplace(handle, std::move(entry));
  return FtStatus::Ok;
}

bool SimDriver::Find(FtHandle handle, OpenJig& found) {
  std::lock_guard lock(mutex_);
  const auto it = open_.find(handle);
  if (it == open_.end()) return false;
  found = it->second;
  return true;
}

template <typename Call>
FtStatus SimDriver::OnJig(FtHandle handle, Call call) {
  OpenJig entry;
  if (!Find(handle, entry)) return FtStatus::InvalidHandle;
  return ToStatus(call(*entry.jig, entry.session));
}

FtStatus SimDriver::ResetDevice(FtHandle handle) {
  return OnJig(handle, [](sim::VirtualJig& jig, std::uint64_t s) { return jig.Reset(s); });
}

FtStatus SimDriver::SetBaudRate(FtHandle handle, std::uint32_t baud) {
  if (baud == 0) return FtStatus::InvalidBaudRate;
  return OnJig(handle, [baud](sim::VirtualJig& jig, std::uint64_t s) { return jig.SetBaud(s, baud); });
}

FtStatus SimDriver::SetDataCharacteristics(FtHandle handle, std::uint8_t wordLength,
                                           std::uint8_t stopBits, std::uint8_t parity) {
  const bool format8N1 = wordLength == 8 && stopBits == 0 && parity == 0;
  return OnJig(handle,
               [format8N1](sim::VirtualJig& jig, std::uint64_t s) { return jig.SetFormat(s, format8N1); });
}

FtStatus SimDriver::SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) {
  return OnJig(handle, [=](sim::VirtualJig& jig, std::uint64_t s) {
    return jig.SetTimeouts(s, readMs, writeMs);
  });
}

FtStatus SimDriver::SetLatencyTimer(FtHandle handle, std::uint8_t ms) {
  return OnJig(handle, [ms](sim::VirtualJig& jig, std::uint64_t s) { return jig.SetLatency(s, ms); });
}

FtStatus SimDriver::Write(FtHandle handle, const std::uint8_t* data, std::uint32_t count,
                          std::uint32_t& written) {
  written = 0;
  return OnJig(handle, [&](sim::VirtualJig& jig, std::uint64_t s) {
    return jig.Write(s, data, count, written);
  });
}

FtStatus SimDriver::Read(FtHandle handle, std::uint8_t* data, std::uint32_t count,
                         std::uint32_t& received) {
  received = 0;
  return OnJig(handle, [&](sim::VirtualJig& jig, std::uint64_t s) {
    return jig.Read(s, data, count, received);
  });
}

FtStatus SimDriver::GetStatus(FtHandle handle, std::uint32_t& rxQueue, std::uint32_t& txQueue,
                              std::uint32_t& eventWord) {
  rxQueue = txQueue = eventWord = 0;
  return OnJig(handle,
               [&](sim::VirtualJig& jig, std::uint64_t s) { return jig.Queues(s, rxQueue, txQueue); });
}

FtStatus SimDriver::Purge(FtHandle handle, std::uint32_t mask) {
  return OnJig(handle, [mask](sim::VirtualJig& jig, std::uint64_t s) {
    return jig.Purge(s, (mask & kPurgeRx) != 0, (mask & kPurgeTx) != 0);
  });
}

FtStatus SimDriver::GetDriverVersion(FtHandle handle, std::uint32_t& version) {
  OpenJig entry;
  if (!Find(handle, entry)) return FtStatus::InvalidHandle;
  version = kSimDriverVersion;
  return FtStatus::Ok;
}

FtStatus SimDriver::Close(FtHandle handle) {
  OpenJig entry;
  {
    std::lock_guard lock(mutex_);
    const auto it = open_.find(handle);
    if (it == open_.end()) return FtStatus::InvalidHandle;
    entry = it->second;
    open_.erase(it);
  }
  entry.jig->Close(entry.session);
  return FtStatus::Ok;
}

FtStatus SimDriver::WaitRxQueue(FtHandle handle, std::uint32_t minCount,
                                std::chrono::milliseconds timeout, std::uint32_t& rxQueue) {
  rxQueue = 0;
  return OnJig(handle, [&](sim::VirtualJig& jig, std::uint64_t s) {
    return jig.WaitRx(s, minCount, timeout, rxQueue);
  });
}

FtStatus SimDriver::WaitTxEmpty(FtHandle handle, std::chrono::milliseconds timeout,
                                std::uint32_t& txQueue) {
  txQueue = 0;
  return OnJig(handle, [&](sim::VirtualJig& jig, std::uint64_t s) {
    return jig.WaitTxEmpty(s, timeout, txQueue);
  });
}

}  // namespace qjig
