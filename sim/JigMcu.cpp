#include "JigMcu.h"

#include <utility>

#include "firmwares/Programs.h"

namespace sim {

JigMcu::JigMcu(McuModel model, ApplicationFlash flash, std::vector<std::unique_ptr<Target>> targets,
               McuFaults faults, bool bootAtPowerUp)
    : model_(model),
      flash_(std::move(flash)),
      targets_(std::move(targets)),
      faults_(std::move(faults)),
      bootAtPowerUp_(bootAtPowerUp) {
  PowerUp();
}

bool JigMcu::IsSilent() const {
  return faults_.silent || (faults_.silentAfter && received_ > *faults_.silentAfter);
}

bool JigMcu::RunsApplication() const {
  const FirmwareKind kind = firmware_->Kind();
  return kind == FirmwareKind::Application || kind == FirmwareKind::UnknownApplication;
}

McuResponse JigMcu::Receive(std::uint8_t byte, const LineSettings& host, bool transmitting) {
  ++received_;
  pending_.clear();
  if (IsSilent()) return {};
  const std::uint8_t seen = LineMatches(host, firmware_->UartBaud()) ? byte : Garble(byte);
  transmitting_ = transmitting;
  const bool taken = firmware_->OnByte(seen, *this);
  if (next_) firmware_ = std::move(next_);
  return {taken, std::exchange(pending_, {})};
}

void JigMcu::PowerUp() {
  next_.reset();
  firmware_ = bootAtPowerUp_ || flash_.IsBlank() ? MakeBootloader(model_) : MakeApplication(flash_, model_);
}

void JigMcu::PressReset() {
  next_.reset();
  firmware_ = MakeBootloader(model_);
}

void JigMcu::RunBootloader() { next_ = MakeBootloader(model_); }

void JigMcu::RunApplication() { next_ = MakeApplication(flash_, model_); }

void JigMcu::Send(const Bytes& bytes, std::chrono::microseconds after) {
  for (const std::uint8_t b : bytes) pending_.push_back({after, b});
}

}  // namespace sim
