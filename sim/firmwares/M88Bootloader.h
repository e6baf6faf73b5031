#pragma once

#include <cstdint>
#include <string>

#include "../Firmware.h"

namespace sim {

// The M88's bootloader. It listens at 115200 baud and speaks in lines that
// end in LF: "pf" erases the application area and starts programming, each
// Intel HEX data record (see HexRecord.h) programs 16 bytes, the end record
// closes, and "g" jumps to the application. Every answer ends in 0x11, the
// bootloader's prompt.
//
// 'U' is the host's sync byte, sent back to back until something answers:
// it drops any partial line and answers the banner - but only while the
// UART has nothing left to send. The bootloader reads its UART between
// replies, so the 'U's that come in while a banner is still going out are
// lost instead of piling up banners behind it.
class M88Bootloader : public Firmware {
 public:
  FirmwareKind Kind() const override { return FirmwareKind::M88Bootloader; }
  std::uint32_t UartBaud() const override;
  std::string VersionTag() const override { return {}; }
  bool OnByte(std::uint8_t byte, JigMcu& mcu) override;

 private:
  void OnLine(JigMcu& mcu);
  void OnRecord(JigMcu& mcu);

  std::string line_;
  bool programming_ = false;
  std::uint64_t records_ = 0;  // data records since "pf"
};

}  // namespace sim
