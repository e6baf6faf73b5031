#pragma once

#include <cstdint>

#include "../Firmware.h"

namespace sim {

class JigMcu;

// The ENE_EDID_KB firmware's EDID EEPROM commands (docs/bench.md): 'E' 'r'
// reads the whole EEPROM, 'E' 'w' writes it. They keep their own state, so
// the firmware's other commands hand them every byte from an 'E' to the end
// of the command.
class EepromCommands {
 public:
  bool Takes(std::uint8_t byte) const { return expect_ != Expect::Command || byte == kCommand; }
  void OnByte(std::uint8_t byte, JigMcu& mcu);

 private:
  static constexpr std::uint8_t kCommand = 'E';
  enum class Expect { Command, Subcommand, Image };

  void Subcommand(std::uint8_t byte, JigMcu& mcu);
  void Read(JigMcu& mcu);
  void TakeImageByte(std::uint8_t byte, JigMcu& mcu);

  Expect expect_ = Expect::Command;
  Bytes image_;
};

}  // namespace sim
