#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "link/FtdiDriver.h"
#include "VirtualBench.h"

namespace qjig {

// The driver over a virtual bench: its plugged jigs are the devices, in the
// order the bench lists them.
class SimDriver final : public FtdiDriver {
 public:
  explicit SimDriver(sim::VirtualBench bench);

  const sim::VirtualBench& Bench() const { return bench_; }

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
  struct OpenJig {
    std::shared_ptr<sim::VirtualJig> jig;
    std::uint64_t session = 0;
  };

  // Looks the handle up; the jig itself is thread-safe, so the table lock
  // is not held while a call blocks.
  bool Find(FtHandle handle, OpenJig& found);
  template <typename Call>
  FtStatus OnJig(FtHandle handle, Call call);

  sim::VirtualBench bench_;
  std::mutex mutex_;
  std::vector<std::shared_ptr<sim::VirtualJig>> listed_;
  std::map<FtHandle, OpenJig> open_;
  FtHandle nextHandle_ = 1;
};

}  // namespace qjig
