#include "EdidImage.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "link/TextHelpers.h"

namespace qjig {

namespace {

constexpr std::size_t kDumpWidth = 16;
constexpr std::size_t kBaseBlockSize = 128;
constexpr std::array<std::uint8_t, 8> kEdidHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

std::string DumpLine(EepromBytes image, std::size_t from) {
  std::string bytes = ":";
  std::string text;
  for (std::size_t i = from; i < from + kDumpWidth; ++i) {
    bytes += ' ' + HexText(image[i], 2);
    const std::string shown = PrintableCharText(image[i]);
    text += shown == " " ? "." : shown;
  }
  return bytes + ' ' + text;
}

}  // namespace

std::vector<std::string> HexDumpLines(EepromBytes image) {
  std::vector<std::string> lines{""};
  for (std::size_t from = 0; from < kEepromSize; from += kDumpWidth) lines.push_back(DumpLine(image, from));
  return lines;
}

void LoadEepromImage(std::istream& file, std::span<std::uint8_t, kEepromSize> image) {
  std::fill(image.begin(), image.end(), 0xFF);
  file.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
}

EdidBaseBlockCheck CheckEdidBaseBlock(EepromBytes image) {
  const auto block = image.first<kBaseBlockSize>();
  EdidBaseBlockCheck check;
  check.headerRight = std::equal(kEdidHeader.begin(), kEdidHeader.end(), block.begin());
  check.sum = static_cast<std::uint8_t>(std::accumulate(block.begin(), block.end(), 0u));
  return check;
}

std::string EdidBaseBlockLine(const EdidBaseBlockCheck& check) {
  if (!check.headerRight) return "EDID base block is not valid: its header is not 00 FF FF FF FF FF FF 00.";
  if (check.sum != 0)
    return "EDID base block is not valid: its 128 bytes sum to " + HexText(check.sum, 2) + " (hex), not 00.";
  return "EDID base block is valid: header and checksum are right.";
}

}  // namespace qjig
