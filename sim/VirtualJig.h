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
//
// `resetPress`: the technician presses the reset button this long after the
// host first sends the running application a byte it does not take - one at
// a rate it does not listen at, or, on an M328 board (whose bootloader
// listens at the application's rate), one it ignores. That is when the
// program starts asking for the bootloader. Once per plug-in.
class VirtualJig {
 public:
  using Clock = std::chrono::steady_clock;

  VirtualJig(std::string serial, JigMcu mcu, BridgeFaults faults = {}, bool wireTime = false,
             std::optional<std::chrono::milliseconds> resetPress = std::nullopt);

  const std::string& Serial() const { return serial_; }

  // Bench controls.
  bool IsPlugged() const;
  // Plugging an unplugged jig powers its microcontroller up.
  void Plug();
  void Unplug();
  // The jig's reset button: its microcontroller starts the bootloader.
  void PressReset();
  int BuzzerCount() const;
  // Bytes the host has sent since the jig was plugged in.
  std::uint64_t HostByteCount() const;
  // What the microcontroller runs: "application", "unknown application",
  // "M88 bootloader" or "M328 bootloader", and its version tag.
  std::string RunningFirmware();
  std::string FirmwareTag();
  // A look at the microcontroller and its targets between two host bytes,
  // e.g. `jig.Inspect([](JigMcu& mcu) { return mcu.FindTarget<Kb9012>()->Contents(); })`.
  template <typename Look>
  auto Inspect(Look&& look) {
    std::lock_guard lock(mutex_);
    return look(mcu_);
  }

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
  // When the count-th byte for the host lands, as far as the bytes are
  // scheduled yet (never, when fewer are on their way).
  Clock::time_point RxDueLocked(std::uint32_t count) const;
  // When the last byte the host sent has left.
  Clock::time_point TxDueLocked() const;
  // Sleeps until the deadline, until what is awaited is `due`, until the
  // technician presses the reset button, or until a write, unplug or close
  // changes the picture - never once per passing byte.
  void WaitUntilLocked(std::unique_lock<std::mutex>& lock, Clock::time_point deadline,
                       Clock::time_point due);
  void DeliverLocked(std::uint8_t byte, Clock::time_point sent, Clock::time_point reachesMcu);
  // The technician's press happens lazily, the first time the jig is
  // touched after its moment.
  void CatchUpLocked(Clock::time_point now);
  void PressResetLocked();
  void ClearQueuesLocked();

  const std::string serial_;
  const BridgeFaults faults_;
  const bool wireTime_;
  const std::optional<std::chrono::milliseconds> resetPress_;

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
  bool pressScheduled_ = false;              // this plug-in's press is (or was) due
  std::optional<Clock::time_point> pressAt_; // the technician's press still to come
};

}  // namespace sim
