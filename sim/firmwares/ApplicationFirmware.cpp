#include "ApplicationFirmware.h"

#include <utility>

#include "../JigMcu.h"

namespace sim {

namespace {
constexpr std::uint8_t kVersionQuery = 0x42;
constexpr std::uint8_t kBootRequest = '?';
constexpr std::uint8_t kBootAcknowledged = '!';
}  // namespace

ApplicationFirmware::ApplicationFirmware(std::string tag, std::unique_ptr<CommandSet> commands,
                                         bool answersBootRequest)
    : tag_(std::move(tag)), commands_(std::move(commands)), answersBootRequest_(answersBootRequest) {}

std::uint32_t ApplicationFirmware::UartBaud() const { return kApplicationBaud; }

bool ApplicationFirmware::OnByte(std::uint8_t byte, JigMcu& mcu) {
  if (commands_ && commands_->OnByte(byte, mcu)) return true;
  if (byte == kVersionQuery) {
    mcu.Send(Bytes(tag_.begin(), tag_.end()));
    return true;
  }
  if (byte == kBootRequest && answersBootRequest_ && !mcu.Faults().noBootAnswer) {
    mcu.Send({kBootAcknowledged});
    mcu.RunBootloader();
    return true;
  }
  return false;
}

}  // namespace sim
