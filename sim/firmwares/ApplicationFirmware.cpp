#include "ApplicationFirmware.h"

#include <utility>

#include "../JigMcu.h"

namespace sim {

namespace {
constexpr std::uint8_t kVersionQuery = 0x42;
}

ApplicationFirmware::ApplicationFirmware(std::string tag, std::unique_ptr<CommandSet> commands)
    : tag_(std::move(tag)), commands_(std::move(commands)) {}

std::uint32_t ApplicationFirmware::UartBaud() const { return kApplicationBaud; }

void ApplicationFirmware::OnByte(std::uint8_t byte, JigMcu& mcu) {
  if (commands_ && commands_->OnByte(byte, mcu)) return;
  if (byte == kVersionQuery) mcu.Send(Bytes(tag_.begin(), tag_.end()));
}

}  // namespace sim
