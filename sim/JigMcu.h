#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ApplicationFlash.h"
#include "Firmware.h"
#include "Target.h"
#include "Wire.h"

namespace sim {

// Faults of the microcontroller itself and of the programs in it.
struct McuFaults {
  bool silent = false;                          // answers nothing at all
  std::optional<std::uint64_t> silentAfter;     // stops answering after n received bytes
  bool noBootAnswer = false;                    // the application ignores the bootloader request '?'
  bool badBanner = false;                       // the M88 bootloader's banner lacks its closing 0x11
  // M88 record k (counted since "pf") is answered with this text and 0x11, and not programmed.
  std::map<std::uint64_t, std::string> recordReplies;
  std::uint64_t badSyncs = 0;                   // the M328 bootloader's first n sync replies start with 0x55
  std::set<std::uint64_t> refusedBlockRequests; // M328 block request k is not granted
  std::set<std::uint64_t> refusedBlocks;        // M328 block k is not taken
};

// A reply leaving the MCU's UART, `delay` after the byte that caused it.
struct McuReply {
  std::chrono::microseconds delay{0};
  std::uint8_t byte = 0;
};

// What became of one received byte.
struct McuResponse {
  bool taken = false;  // false: the running program ignored it (or never heard it)
  std::vector<McuReply> replies;
};

// The jig's microcontroller: the program it runs, its application flash,
// the targets behind its cable and its buzzer. Not thread-safe: the bridge
// that owns it serialises every call.
class JigMcu {
 public:
  // Powers up at once. `bootAtPowerUp` holds it in its bootloader whenever
  // it powers up.
  JigMcu(McuModel model, ApplicationFlash flash, std::vector<std::unique_ptr<Target>> targets,
         McuFaults faults = {}, bool bootAtPowerUp = false);

  // A byte reaches the UART, sent by a host whose line is set up as `host`,
  // while the UART is (or is not) still sending earlier replies. The replies
  // leave at the MCU's own UART rate.
  McuResponse Receive(std::uint8_t byte, const LineSettings& host, bool transmitting = false);

  // Power-up starts the bootloader when held there or when the application
  // area is blank, the application in the flash otherwise.
  void PowerUp();
  // The reset button: the bootloader starts and waits for its host.
  void PressReset();

  McuModel Model() const { return model_; }
  FirmwareKind Kind() const { return firmware_->Kind(); }
  bool RunsApplication() const;
  std::uint32_t UartBaud() const { return firmware_->UartBaud(); }
  std::string VersionTag() const { return firmware_->VersionTag(); }
  int BuzzerCount() const { return buzzerCount_; }
  std::uint64_t ReceivedCount() const { return received_; }

  // For firmwares: queue a reply, optionally after a processing delay.
  void Send(const Bytes& bytes, std::chrono::microseconds after = {});
  void SoundBuzzer() { ++buzzerCount_; }
  // Whether the byte in hand arrived while earlier replies were still going out.
  bool Transmitting() const { return transmitting_; }
  const McuFaults& Faults() const { return faults_; }
  ApplicationFlash& Flash() { return flash_; }
  // Replace the running program once the byte in hand has been handled, so
  // its reply still leaves as the old program sent it.
  void RunBootloader();
  void RunApplication();  // jumps to whatever the flash holds

  template <typename T>
  T* FindTarget() {
    for (auto& target : targets_)
      if (auto* found = dynamic_cast<T*>(target.get())) return found;
    return nullptr;
  }

 private:
  bool IsSilent() const;

  McuModel model_;
  ApplicationFlash flash_;
  std::unique_ptr<Firmware> firmware_;
  std::unique_ptr<Firmware> next_;
  std::vector<std::unique_ptr<Target>> targets_;
  McuFaults faults_;
  bool bootAtPowerUp_;
  bool transmitting_ = false;
  std::vector<McuReply> pending_;
  std::uint64_t received_ = 0;
  int buzzerCount_ = 0;
};

}  // namespace sim
