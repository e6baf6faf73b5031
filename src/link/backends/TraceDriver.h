#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>

#include "link/FtdiDriver.h"

namespace qjig {

// Wraps any driver and records each call that changes or moves something, one
// line per event, in call order (format in docs/trace.md):
//   O <index>   a device opened        C   the device closed
//   B <baud>    baud rate set          P   purge
//   W <hex>     the bytes one write call sent
//   R <hex>     the bytes one read call returned (no line when none)
// Lines are flushed at once so a trace survives a crash.
class TraceDriver final : public FtdiDriver {
 public:
  TraceDriver(std::unique_ptr<FtdiDriver> inner, const std::filesystem::path& file);

  bool IsRecording() const { return static_cast<bool>(out_); }

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
  void Record(const std::string& line);
  void RecordBytes(char kind, const std::uint8_t* data, std::uint32_t count);

  std::unique_ptr<FtdiDriver> inner_;
  std::mutex mutex_;
  std::ofstream out_;
};

}  // namespace qjig
