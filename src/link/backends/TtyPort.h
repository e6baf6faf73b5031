#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>

#include "link/FtdiDriver.h"

namespace qjig {

// One open tty as the FTDI calls see it. The kernel's receive count
// (FIONREAD) stops at 4095, so every byte that has arrived is drained into
// `rx_` and counted there. Time-outs live here too: VTIME/VMIN cannot say
// "this many bytes or this many milliseconds". Used by one thread at a time.
class TtyPort {
 public:
  using Clock = std::chrono::steady_clock;

  // Opens exclusively and switches to raw bytes; null when the path cannot be
  // opened as a tty.
  static std::unique_ptr<TtyPort> Open(const std::filesystem::path& path,
                                       std::optional<std::filesystem::path> latencyTimer);
  ~TtyPort();
  TtyPort(const TtyPort&) = delete;
  TtyPort& operator=(const TtyPort&) = delete;

  FtStatus Reset();
  FtStatus SetBaudRate(std::uint32_t baud);
  FtStatus SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity);
  void SetTimeouts(std::chrono::milliseconds read, std::chrono::milliseconds write);
  void SetLatencyTimer(std::uint8_t ms);
  FtStatus Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t& written);
  FtStatus Read(std::uint8_t* data, std::uint32_t count, std::uint32_t& received);
  FtStatus GetStatus(std::uint32_t& rxQueue, std::uint32_t& txQueue);
  FtStatus Purge(std::uint32_t mask);
  FtStatus WaitRxQueue(std::uint32_t minCount, std::chrono::milliseconds timeout, std::uint32_t& rxQueue);
  FtStatus WaitTxEmpty(std::chrono::milliseconds timeout, std::uint32_t& txQueue);

 private:
  TtyPort(int fd, std::optional<std::filesystem::path> latencyTimer);

  // Moves every byte the kernel holds into `rx_` without blocking.
  FtStatus Drain();
  // Drains until `rx_` holds `count` bytes or the deadline passed.
  FtStatus FillUntil(std::uint32_t count, Clock::time_point deadline);
  std::uint32_t RxCount() const;

  const int fd_;
  const std::optional<std::filesystem::path> latencyTimer_;
  std::deque<std::uint8_t> rx_;
  std::chrono::milliseconds readTimeout_{0};
  std::chrono::milliseconds writeTimeout_{0};
};

}  // namespace qjig
