#pragma once

#include <cstdint>

#include "link/FtdiDriver.h"

namespace qjigbench {

// Passes every call on to another driver and counts the traffic: bytes each
// way, and the replies the host waited for (reads that brought bytes).
class CountingDriver final : public qjig::FtdiDriver {
 public:
  explicit CountingDriver(qjig::FtdiDriver& inner) : inner_(inner) {}

  std::uint64_t bytesOut = 0;
  std::uint64_t bytesIn = 0;
  std::uint64_t replies = 0;
  void ResetCounts() { bytesOut = bytesIn = replies = 0; }

  using FtStatus = qjig::FtStatus;
  using FtHandle = qjig::FtHandle;

  FtStatus CreateDeviceInfoList(std::uint32_t& count) override { return inner_.CreateDeviceInfoList(count); }
  FtStatus Open(int index, FtHandle& handle) override { return inner_.Open(index, handle); }
  FtStatus ResetDevice(FtHandle handle) override { return inner_.ResetDevice(handle); }
  FtStatus SetBaudRate(FtHandle handle, std::uint32_t baud) override { return inner_.SetBaudRate(handle, baud); }
  FtStatus SetDataCharacteristics(FtHandle handle, std::uint8_t wordLength, std::uint8_t stopBits,
                                  std::uint8_t parity) override {
    return inner_.SetDataCharacteristics(handle, wordLength, stopBits, parity);
  }
  FtStatus SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override {
    return inner_.SetTimeouts(handle, readMs, writeMs);
  }
  FtStatus SetLatencyTimer(FtHandle handle, std::uint8_t ms) override { return inner_.SetLatencyTimer(handle, ms); }
  FtStatus Write(FtHandle handle, const std::uint8_t* data, std::uint32_t count, std::uint32_t& written) override {
    const FtStatus status = inner_.Write(handle, data, count, written);
    bytesOut += written;
    return status;
  }
  FtStatus Read(FtHandle handle, std::uint8_t* data, std::uint32_t count, std::uint32_t& received) override {
    const FtStatus status = inner_.Read(handle, data, count, received);
    bytesIn += received;
    replies += received > 0;
    return status;
  }
  FtStatus GetStatus(FtHandle handle, std::uint32_t& rxQueue, std::uint32_t& txQueue,
                     std::uint32_t& eventWord) override {
    return inner_.GetStatus(handle, rxQueue, txQueue, eventWord);
  }
  FtStatus Purge(FtHandle handle, std::uint32_t mask) override { return inner_.Purge(handle, mask); }
  FtStatus GetDriverVersion(FtHandle handle, std::uint32_t& version) override {
    return inner_.GetDriverVersion(handle, version);
  }
  FtStatus Close(FtHandle handle) override { return inner_.Close(handle); }
  FtStatus WaitRxQueue(FtHandle handle, std::uint32_t minCount, std::chrono::milliseconds timeout,
                       std::uint32_t& rxQueue) override {
    return inner_.WaitRxQueue(handle, minCount, timeout, rxQueue);
  }
  FtStatus WaitTxEmpty(FtHandle handle, std::chrono::milliseconds timeout, std::uint32_t& txQueue) override {
    return inner_.WaitTxEmpty(handle, timeout, txQueue);
  }

 private:
  qjig::FtdiDriver& inner_;
};

}  // namespace qjigbench
