#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Firmware.h"
#include "Target.h"
#include "Wire.h"

namespace sim {

// Faults of the microcontroller itself.
struct McuFaults {
  bool silent = false;                          // answers nothing at all
  std::optional<std::uint64_t> silentAfter;     // stops answering after n received bytes
};

// A reply leaving the MCU's UART, `delay` after the byte that caused it.
struct McuReply {
  std::chrono::microseconds delay{0};
  std::uint8_t byte = 0;
};

// The jig's microcontroller: the firmware it runs, the targets behind its
// cable and its buzzer. Not thread-safe: the bridge that owns it serialises
// every call.
class JigMcu {
 public:
  JigMcu(std::unique_ptr<Firmware> firmware, std::vector<std::unique_ptr<Target>> targets,
         McuFaults faults = {});

  // A byte reaches the UART, sent by a host whose line is set up as `host`.
  // Returns what the MCU sends back, at its own UART rate.
  std::vector<McuReply> Receive(std::uint8_t byte, const LineSettings& host);

  std::uint32_t UartBaud() const { return firmware_->UartBaud(); }
  std::string VersionTag() const { return firmware_->VersionTag(); }
  int BuzzerCount() const { return buzzerCount_; }
  std::uint64_t ReceivedCount() const { return received_; }

  // For firmwares: queue a reply, optionally after a processing delay.
  void Send(const Bytes& bytes, std::chrono::microseconds after = {});
  void SoundBuzzer() { ++buzzerCount_; }
  // Replaces the running program (the bootloader starting an application)
  // once the byte in hand has been handled.
  void Run(std::unique_ptr<Firmware> firmware) { next_ = std::move(firmware); }

  template <typename T>
  T* FindTarget() {
    for (auto& target : targets_)
      if (auto* found = dynamic_cast<T*>(target.get())) return found;
    return nullptr;
  }

 private:
  bool IsSilent() const;

  std::unique_ptr<Firmware> firmware_;
  std::unique_ptr<Firmware> next_;
  std::vector<std::unique_ptr<Target>> targets_;
  McuFaults faults_;
  std::vector<McuReply> pending_;
  std::uint64_t received_ = 0;
  int buzzerCount_ = 0;
};

}  // namespace sim
