#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

#include "JigMcu.h"
#include "Wire.h"

namespace sim {

// Faults of the USB side.
struct BridgeFaults {
  bool openFails = false;                      // another program holds the device
  std::optional<std::uint64_t> unplugAfter;    // the cable comes out after n host bytes
};

enum class PortResult { Ok, Gone, Busy };

// One virtual jig as the host sees it through its FTDI bridge: line settings,
// time-outs, latency timer, both queues, purge, plug and unplug, and the
// microcontroller behind it. Every call is thread-safe; a Read blocks on a
// condition variable, never in a loop.
//
// A session number ties an open to the calls made with it: once the jig was
// unplugged or closed, an old session only gets `Gone`.
class VirtualJig {
 public:
  using Clock = std::chrono::steady_clock;

  VirtualJig(std::string serial, JigMcu mcu, BridgeFaults faults = {}, bool wireTime = false);

  const std::string& Serial() const { return serial_; }

  // Bench controls.
  bool IsPlugged() const;
  void Plug();
  void Unplug();
  int BuzzerCount() const;
  // Bytes the host has sent since the jig was plugged in.
  std::uint64_t HostByteCount() const;
  std::string FirmwareTag() const;

  // The bridge, for the host. Open gives a session number, 0 on failure.
  PortResult Open(std::uint64_t& session);
  void Close(std::uint64_t session);
  PortResult Reset(std::uint64_t session);
  PortResult SetBaud(std::uint64_t session, std::uint32_t baud);
  PortResult SetFormat(std::uint64_t session, bool format8N1);
  PortResult SetTimeouts(std::uint64_t session, std::uint32_t readMs, std::uint32_t writeMs);
  PortResult SetLatency(std::uint64_t session, std::uint8_t ms);
  PortResult Write(std::uint64_t session, const std::uint8_t* data, std::uint32_t count,
                   std::uint32_t& written);
  // Returns when `count` bytes arrived or the read time-out passed; a
  // time-out of 0 returns at once with what has arrived.
  PortResult Read(std::uint64_t session, std::uint8_t* data, std::uint32_t count,
                  std::uint32_t& received);
  PortResult Queues(std::uint64_t session, std::uint32_t& rx, std::uint32_t& tx);
  PortResult Purge(std::uint64_t session, bool rx, bool tx);
  PortResult WaitRx(std::uint64_t session, std::uint32_t minCount, std::chrono::milliseconds timeout,
                    std::uint32_t& rx);
  PortResult WaitTxEmpty(std::uint64_t session, std::chrono::milliseconds timeout,
                         std::uint32_t& tx);

 private:
  struct Arrival {
    Clock::time_point at;
    std::uint8_t byte;
  };

  bool Usable(std::uint64_t session) const;
  void UnplugLocked();
  std::uint32_t ArrivedLocked(Clock::time_point now) const;
  std::uint32_t PendingTxLocked(Clock::time_point now);
  // Wakes at the deadline or when the next scheduled byte lands.
  void WaitUntilLocked(std::unique_lock<std::mutex>& lock, Clock::time_point deadline);
  void DeliverLocked(std::uint8_t byte, Clock::time_point reachesMcu);
  void ClearQueuesLocked();

  const std::string serial_;
  const BridgeFaults faults_;
  const bool wireTime_;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  JigMcu mcu_;
  bool plugged_ = true;
  std::uint64_t session_ = 0;  // 0: not open
  std::uint64_t nextSession_ = 1;
  std::uint64_t hostBytes_ = 0;
  LineSettings line_{9600, true};
  std::chrono::milliseconds readTimeout_{0};
  std::chrono::milliseconds latency_{16};
  std::deque<Arrival> toHost_;               // ordered by arrival time
  std::deque<Clock::time_point> departures_; // host bytes still in the transmit queue
  Clock::time_point lineFreeAt_{};           // host -> jig wire busy until
  Clock::time_point mcuLineFreeAt_{};        // jig -> host wire busy until
};

}  // namespace sim
