#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "FtdiDriver.h"
#include "WaitBounds.h"

namespace qjig {

inline constexpr std::uint32_t kJigBaud = 921600;
inline constexpr std::uint32_t kBootloaderBaud = 115200;
inline constexpr std::uint8_t kJigLatencyMs = 2;
inline constexpr std::uint8_t kVersionQuery = 0x42;
inline constexpr std::uint32_t kVersionReplyMax = 32;

// Statuses of the set-up calls of one open, in the order they are made.
struct ConfigureStatus {
  FtStatus reset = FtStatus::Ok;
  FtStatus baud = FtStatus::Ok;
  FtStatus format = FtStatus::Ok;
  FtStatus timeouts = FtStatus::Ok;
};

// One window's link to the jig: its driver handle, its transfer buffer and
// the counts of the last transfer and status poll. Used by one thread at a
// time: the UI thread during a check, then the window's worker.
//
// Every wait is bounded: by the read time-out set on the device, or by one
// of the process's WaitBounds. A wait blocks inside the driver.
class JigLink {
 public:
  explicit JigLink(FtdiDriver& driver, std::size_t bufferSize = kVersionReplyMax);
  ~JigLink();
  JigLink(const JigLink&) = delete;
  JigLink& operator=(const JigLink&) = delete;

  FtdiDriver& Driver() { return driver_; }
  bool IsOpen() const { return handle_ != kNoHandle; }
  FtHandle Handle() const { return handle_; }

  // The link record.
  std::uint32_t DeviceCount() const { return deviceCount_; }
  std::vector<std::uint8_t>& Buffer() { return buffer_; }
  const std::vector<std::uint8_t>& Buffer() const { return buffer_; }
  std::uint32_t Written() const { return written_; }
  std::uint32_t Received() const { return received_; }
  std::uint32_t RxQueue() const { return rxQueue_; }
  std::uint32_t TxQueue() const { return txQueue_; }

  FtStatus ListDevices();
  // Opens device `index`. Once it is open, a device this link still held is
  // closed, so a link never holds more than one handle; a failed open keeps
  // the device held before.
  FtStatus Open(int index);
  void Close();
  // Reset, 921600 baud, 8N1, and the given read/write time-outs.
  ConfigureStatus Configure(std::uint32_t timeoutMs);
  FtStatus SetLatency(std::uint8_t ms = kJigLatencyMs);
  FtStatus SetBaud(std::uint32_t baud);
  FtStatus SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs);
  FtStatus Purge();

  FtStatus Write(const std::uint8_t* data, std::uint32_t count);
  FtStatus Write(const std::vector<std::uint8_t>& bytes);
  FtStatus WriteByte(std::uint8_t byte);
  // One read of up to `count` bytes into the buffer, under the read time-out.
  FtStatus Read(std::uint32_t count);
  FtStatus PollStatus();

  // Sends 0x42 and reads up to 32 bytes; returns the reply length (0 when
  // the jig kept silent). The reply is at the start of the buffer.
  std::uint32_t QueryVersion();

  // Bounded waits.
  // Reads one byte once it has arrived, or fails when the reply bound passes.
  bool AwaitByte(std::uint8_t& byte);
  // Writes `byte`, then awaits one reply byte, whose value is not used.
  bool SendByteAwaitReply(std::uint8_t byte);
  // Writes 'V' and `argument`, then awaits one reply byte.
  bool SendSwitchAwaitReply(std::uint8_t argument);
  // Until at least / exactly `count` bytes wait in the receive queue.
  bool WaitRxAtLeast(std::uint32_t count);
  bool WaitRxAtLeast(std::uint32_t count, std::chrono::milliseconds bound);
  bool WaitRxExactly(std::uint32_t count);
  // Until every written byte has left.
  bool WaitTxEmpty();

 private:
  FtdiDriver& driver_;
  FtHandle handle_ = kNoHandle;
  std::vector<std::uint8_t> buffer_;
  std::uint32_t deviceCount_ = 0;
  std::uint32_t written_ = 0;
  std::uint32_t received_ = 0;
  std::uint32_t rxQueue_ = 0;
  std::uint32_t txQueue_ = 0;
  std::uint32_t eventWord_ = 0;
};

}  // namespace qjig
