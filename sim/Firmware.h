#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

using Bytes = std::vector<std::uint8_t>;

class JigMcu;

enum class FirmwareKind {
  Application,         // an application firmware of a known family
  UnknownApplication,  // whatever else the flash holds: it runs and answers nothing
  M88Bootloader,
  M328Bootloader,
};

// For tests and the bench window.
inline std::string_view FirmwareKindName(FirmwareKind kind) {
  switch (kind) {
    case FirmwareKind::Application: return "application";
    case FirmwareKind::UnknownApplication: return "unknown application";
    case FirmwareKind::M88Bootloader: return "M88 bootloader";
    case FirmwareKind::M328Bootloader: return "M328 bootloader";
  }
  return "";
}

// The program running in the jig's microcontroller: an application firmware
// or a bootloader. It sees the bytes its UART receives, one at a time, and
// answers through the MCU.
class Firmware {
 public:
  virtual ~Firmware() = default;

  virtual FirmwareKind Kind() const = 0;
  // The rate the microcontroller's UART runs at while this firmware runs.
  virtual std::uint32_t UartBaud() const = 0;
  // The text of the firmware's version reply (empty when it has none).
  virtual std::string VersionTag() const = 0;
  // False for a byte the firmware ignored.
  virtual bool OnByte(std::uint8_t byte, JigMcu& mcu) = 0;
};

}  // namespace sim
