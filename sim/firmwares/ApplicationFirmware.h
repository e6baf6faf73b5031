#pragma once

#include <memory>
#include <string>

#include "../Firmware.h"

namespace sim {

// The commands an application firmware understands besides the version
// query. Each firmware family brings its own. A command set sees every byte
// first and returns false only for a byte it does not take, so a 0x42 inside
// a command's arguments or data stays the command's.
class CommandSet {
 public:
  virtual ~CommandSet() = default;
  virtual bool OnByte(std::uint8_t byte, JigMcu& mcu) = 0;
};

// An application firmware in the jig's M88 (or M328): it answers the version
// query 0x42 with its tag and hands the other bytes to its command set.
// An M88 application also leaves for its bootloader when the host asks with
// '?': it answers '!' and jumps. Without a command set it ignores everything
// else.
class ApplicationFirmware : public Firmware {
 public:
  ApplicationFirmware(std::string tag, std::unique_ptr<CommandSet> commands, bool answersBootRequest);

  FirmwareKind Kind() const override { return FirmwareKind::Application; }
  std::uint32_t UartBaud() const override;
  std::string VersionTag() const override { return tag_; }
  bool OnByte(std::uint8_t byte, JigMcu& mcu) override;

 private:
  std::string tag_;
  std::unique_ptr<CommandSet> commands_;
  bool answersBootRequest_;
};

}  // namespace sim
