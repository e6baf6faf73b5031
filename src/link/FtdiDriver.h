#pragma once

#include <chrono>
#include <cstdint>

namespace qjig {

// Status codes of the FTDI D2XX calls; 0 is success. The values are the
// driver's own, so a trace or a log line reads the same on every backend.
enum class FtStatus : std::uint32_t {
  Ok = 0,
  InvalidHandle = 1,
  DeviceNotFound = 2,
  DeviceNotOpened = 3,
  IoError = 4,
  InsufficientResources = 5,
  InvalidParameter = 6,
  InvalidBaudRate = 7,
  OtherError = 18,
};

// An open device as the driver hands it out; 0 is never a valid handle.
using FtHandle = std::uintptr_t;
inline constexpr FtHandle kNoHandle = 0;

// Purge mask bits: both are passed (3) to empty both buffers.
inline constexpr std::uint32_t kPurgeRx = 1;
inline constexpr std::uint32_t kPurgeTx = 2;

// The thirteen calls the program makes on the USB bridge, with the meaning it
// relies on, plus two waits that block inside the backend so no caller ever
// spins on GetStatus.
//
// - Devices are numbered 0 .. count-1 in the order of the last device list.
// - Read returns when `count` bytes arrived or the read time-out passed;
//   `received` tells how many came (0 when nothing did).
// - GetStatus reports the bytes waiting to be read and the bytes not yet sent.
// - A handle is used by one thread at a time; different handles may be used
//   from different threads at once.
class FtdiDriver {
 public:
  virtual ~FtdiDriver() = default;

  virtual FtStatus CreateDeviceInfoList(std::uint32_t& count) = 0;
  virtual FtStatus Open(int index, FtHandle& handle) = 0;
  virtual FtStatus ResetDevice(FtHandle handle) = 0;
  virtual FtStatus SetBaudRate(FtHandle handle, std::uint32_t baud) = 0;
  virtual FtStatus SetDataCharacteristics(FtHandle handle, std::uint8_t wordLength,
                                          std::uint8_t stopBits, std::uint8_t parity) = 0;
  virtual FtStatus SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) = 0;
  virtual FtStatus SetLatencyTimer(FtHandle handle, std::uint8_t ms) = 0;
  virtual FtStatus Write(FtHandle handle, const std::uint8_t* data, std::uint32_t count,
                         std::uint32_t& written) = 0;
  virtual FtStatus Read(FtHandle handle, std::uint8_t* data, std::uint32_t count,
                        std::uint32_t& received) = 0;
  virtual FtStatus GetStatus(FtHandle handle, std::uint32_t& rxQueue, std::uint32_t& txQueue,
                             std::uint32_t& eventWord) = 0;
  virtual FtStatus Purge(FtHandle handle, std::uint32_t mask) = 0;
  virtual FtStatus GetDriverVersion(FtHandle handle, std::uint32_t& version) = 0;
  virtual FtStatus Close(FtHandle handle) = 0;

  // Blocks until at least `minCount` bytes wait to be read or `timeout`
  // passed; `rxQueue` is the count at return. Ok even when the time ran out:
  // the caller compares the count.
  virtual FtStatus WaitRxQueue(FtHandle handle, std::uint32_t minCount,
                               std::chrono::milliseconds timeout, std::uint32_t& rxQueue) = 0;
  // Blocks until every written byte has left or `timeout` passed; `txQueue`
  // is the count at return.
  virtual FtStatus WaitTxEmpty(FtHandle handle, std::chrono::milliseconds timeout,
                               std::uint32_t& txQueue) = 0;
};

}  // namespace qjig
