#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "../Firmware.h"
#include "../Target.h"

namespace sim {

struct EdidEepromSetup {
  Bytes content;               // all of the EEPROM, kSize bytes
  bool writeProtected = false; // WP, pin 7, held high on the panel side
  bool absent = false;         // nothing on the panel's EEPROM lines
  std::size_t replyPieces = 1; // the jig's read reply leaves in this many pieces
};

// The 256-byte I2C EEPROM (a 24C02) that holds an LCD panel's EDID, as the
// jig reaches it through the panel's DDC lines. With its write-protect pin
// high it refuses every write: it does not acknowledge the data, and
// nothing changes. An absent EEPROM acknowledges nothing at all.
//
// `replyPieces` is the bus rather than the chip: on a slow or stretched
// clock the jig sends what it has read while it reads on, so the host sees
// the reply in several pieces with gaps between them.
class EdidEeprom : public Target {
 public:
  static constexpr std::size_t kSize = 256;

  explicit EdidEeprom(EdidEepromSetup setup);
  std::string Kind() const override { return "edid-eeprom"; }

  // The jig's side: the whole EEPROM, or nothing when it does not answer.
  std::optional<Bytes> Read() const;
  // False when the EEPROM did not take the data; nothing is changed then.
  bool Write(std::span<const std::uint8_t, kSize> data);
  std::size_t ReplyPieces() const { return setup_.replyPieces; }

  // For tests and the bench.
  const Bytes& Contents() const { return setup_.content; }

 private:
  EdidEepromSetup setup_;
};

// What a laptop panel's EEPROM holds: a valid EDID 1.4 base block of a
// 1366x768 panel ("QX PANEL", maker code QMX), then 128 bytes of 0xFF.
Bytes SamplePanelEdid();

}  // namespace sim
