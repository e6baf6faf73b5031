#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <span>
#include <string>
#include <vector>

namespace qjig {

// The panel's EEPROM, a 24C02, and so the image file: 256 bytes, no header.
inline constexpr std::size_t kEepromSize = 256;
using EepromBytes = std::span<const std::uint8_t, kEepromSize>;

// An empty line, then 16 lines of 16 bytes each: ':', each byte as a blank
// and two hex digits, a blank, and the bytes as text, where letters, digits,
// '.' and '_' stand for themselves and every other byte is a '.'.
std::vector<std::string> HexDumpLines(EepromBytes image);

// Fills the image with 0xFF and reads up to its size from `file`: a short
// file leaves the rest erased, a longer one is cut.
void LoadEepromImage(std::istream& file, std::span<std::uint8_t, kEepromSize> image);

// What a panel needs of its EDID's first 128 bytes before a graphics driver
// trusts them: the fixed header, and a last byte that makes the block sum to
// 0 mod 256.
struct EdidBaseBlockCheck {
  bool headerRight = false;
  std::uint8_t sum = 0;  // of the 128 bytes, mod 256
  bool Valid() const { return headerRight && sum == 0; }
};

EdidBaseBlockCheck CheckEdidBaseBlock(EepromBytes image);
// The check as one line of the message box.
std::string EdidBaseBlockLine(const EdidBaseBlockCheck& check);

}  // namespace qjig
