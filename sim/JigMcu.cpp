#include "JigMcu.h"

#include <utility>

namespace sim {

JigMcu::JigMcu(std::unique_ptr<Firmware> firmware, std::vector<std::unique_ptr<Target>> targets,
               McuFaults faults)
    : firmware_(std::move(firmware)), targets_(std::move(targets)), faults_(faults) {}

bool JigMcu::IsSilent() const {
  return faults_.silent || (faults_.silentAfter && received_ > *faults_.silentAfter);
}

std::vector<McuReply> JigMcu::Receive(std::uint8_t byte, const LineSettings& host) {
  ++received_;
  pending_.clear();
  if (IsSilent()) return {};
  const std::uint8_t seen = LineMatches(host, firmware_->UartBaud()) ? byte : Garble(byte);
  firmware_->OnByte(seen, *this);
  if (next_) firmware_ = std::move(next_);
  return std::exchange(pending_, {});
}

void JigMcu::Send(const Bytes& bytes, std::chrono::microseconds after) {
  for (const std::uint8_t b : bytes) pending_.push_back({after, b});
}

}  // namespace sim
