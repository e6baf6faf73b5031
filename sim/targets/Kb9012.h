#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "../Firmware.h"
#include "../Target.h"

namespace sim {

// Bits of one flash byte that read at a fixed level whatever was programmed:
// a broken cell, or a pin that shorts a data line.
struct StuckBits {
  std::size_t address = 0;
  std::uint8_t mask = 0;
  bool level = false;  // what the masked bits read as
};

struct Kb9012Setup {
  std::uint8_t debugVersion = 0x0C;
  bool erased = false;  // all 0xFF; otherwise a fill no two blocks share
  std::optional<std::size_t> lostAtBlock;
  std::vector<StuckBits> stuck;
  bool absent = false;  // nothing answers on the keyboard lines
};

// The 128 KB NOR flash of an ENE KB9012 embedded controller, as the jig
// reaches it over the keyboard-matrix debug lines. It erases by 4 KB
// sectors to 0xFF; programming can only clear bits.
//
// Contact can be lost once, at the block `lostAtBlock`: that block fails
// and the chip answers nothing more until the jig connects again.
class Kb9012 : public Target {
 public:
  static constexpr std::size_t kFlashSize = 0x20000;
  static constexpr std::size_t kBlockSize = 256;
  static constexpr std::size_t kBlockCount = kFlashSize / kBlockSize;
  static constexpr std::size_t kSectorSize = 0x1000;
  static constexpr std::size_t kSectorCount = kFlashSize / kSectorSize;
  using Block = std::array<std::uint8_t, kBlockSize>;

  explicit Kb9012(Kb9012Setup setup);
  std::string Kind() const override { return "kb9012"; }

  // The jig's side. Connect gives the embedded debug version, or nothing
  // when the chip does not answer; it restores a lost contact.
  std::optional<std::uint8_t> Connect();
  std::optional<Block> ReadBlock(std::size_t block);
  // Erases the block's sector first when asked. False when the chip did not
  // answer; nothing is changed then.
  bool WriteBlock(std::size_t block, std::span<const std::uint8_t, kBlockSize> data, bool eraseSectorFirst);

  // For tests and the bench: the flash as a read sees it, stuck bits and all.
  Bytes Contents() const;
  bool Answers() const { return !setup_.absent && inContact_; }

 private:
  // False when the chip does not answer for this block; the planned loss
  // of contact happens here.
  bool Reach(std::size_t block);
  std::uint8_t ReadCell(std::size_t address) const;

  Kb9012Setup setup_;
  Bytes cells_;
  bool inContact_ = true;
  bool contactLossDone_ = false;
};

}  // namespace sim
