#pragma once

#include <cstdint>
#include <string>

#include "../Firmware.h"

namespace sim {

// The M328's bootloader on version-3 jigs. It listens at the application's
// 921600 baud and speaks in single bytes: '+' answers its sync reply, 'W'
// grants a block ('G') and takes the next 128 bytes into the application
// area, one block after the other from address 0, answering '+' after the
// last; 'X' jumps to the application. The first granted block erases the
// area, so what runs after 'X' is what was received. 'X' has no answer.
class M328Bootloader : public Firmware {
 public:
  FirmwareKind Kind() const override { return FirmwareKind::M328Bootloader; }
  std::uint32_t UartBaud() const override;
  std::string VersionTag() const override { return {}; }
  bool OnByte(std::uint8_t byte, JigMcu& mcu) override;

 private:
  void Sync(JigMcu& mcu);
  void RequestBlock(JigMcu& mcu);
  void TakeBlock(JigMcu& mcu);

  Bytes block_;
  bool receiving_ = false;
  bool erased_ = false;
  // Counted since the bootloader started.
  std::uint64_t syncs_ = 0;
  std::uint64_t requests_ = 0;
  std::uint64_t blocks_ = 0;
};

}  // namespace sim
