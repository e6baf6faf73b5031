#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

using Bytes = std::vector<std::uint8_t>;

class JigMcu;

// The program running in the jig's microcontroller: an application firmware
// or a bootloader. It sees the bytes its UART receives, one at a time, and
// answers through the MCU.
class Firmware {
 public:
  virtual ~Firmware() = default;

  // The rate the microcontroller's UART runs at while this firmware runs.
  virtual std::uint32_t UartBaud() const = 0;
  // The text of the firmware's version reply (empty when it has none).
  virtual std::string VersionTag() const = 0;
  virtual void OnByte(std::uint8_t byte, JigMcu& mcu) = 0;
};

}  // namespace sim
