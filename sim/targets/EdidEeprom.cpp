#include "EdidEeprom.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace sim {

EdidEeprom::EdidEeprom(EdidEepromSetup setup) : setup_(std::move(setup)) { setup_.content.resize(kSize, 0xFF); }

std::optional<Bytes> EdidEeprom::Read() const {
  if (setup_.absent) return std::nullopt;
  return setup_.content;
}

bool EdidEeprom::Write(std::span<const std::uint8_t, kSize> data) {
  if (setup_.absent || setup_.writeProtected) return false;
  std::copy(data.begin(), data.end(), setup_.content.begin());
  return true;
}

Bytes SamplePanelEdid() {
  Bytes edid = {
      0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00,  // header
      0x45, 0xB8,                                      // maker "QMX", five bits a letter
      0x60, 0x15,                                      // product 0x1560
      0x00, 0x00, 0x00, 0x00,                          // no serial number
      0x01, 0x1B,                                      // week 1 of 2017
      0x01, 0x04,                                      // EDID 1.4
      0xA5, 0x22, 0x13, 0x78, 0x0A,                    // 8-bit DisplayPort, 34 x 19 cm, gamma 2.2
      0xEE, 0x95, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54,  // colour points
      0x00, 0x00, 0x00,                                // no established timings
      0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,  // no standard timings
      0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
      // 1366x768 at 60 Hz, 76 MHz, 344 x 194 mm
      0xB0, 0x1D, 0x56, 0xA0, 0x50, 0x00, 0x16, 0x30, 0x30, 0x20, 0x35, 0x00, 0x58, 0xC2, 0x10, 0x00, 0x00, 0x18,
      // the panel's name
      0x00, 0x00, 0x00, 0xFC, 0x00, 'Q', 'X', ' ', 'P', 'A', 'N', 'E', 'L', '\n', ' ', ' ', ' ', ' ',
  };
  // Two empty descriptors.
  for (int i = 0; i < 2; ++i) {
    const Bytes dummy = {0x00, 0x00, 0x00, 0x10, 0x00};
    edid.insert(edid.end(), dummy.begin(), dummy.end());
    edid.insert(edid.end(), 13, 0x00);
  }
  edid.push_back(0x00);  // no extension blocks
  const unsigned sum = std::accumulate(edid.begin(), edid.end(), 0u);
  edid.push_back(static_cast<std::uint8_t>(-sum));
  edid.resize(EdidEeprom::kSize, 0xFF);
  return edid;
}

}  // namespace sim
