#include "HexText.h"

#include <algorithm>

#include "link/TextHelpers.h"

namespace testsupport {

std::string HexRecord(std::uint16_t address, const std::vector<std::uint8_t>& data, std::uint8_t type,
                      const std::string& lineEnd) {
  std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(data.size()),
                                     static_cast<std::uint8_t>(address >> 8),
                                     static_cast<std::uint8_t>(address), type};
  bytes.insert(bytes.end(), data.begin(), data.end());
  std::uint8_t sum = 0;
  for (const std::uint8_t b : bytes) sum = static_cast<std::uint8_t>(sum + b);
  bytes.push_back(static_cast<std::uint8_t>(-sum));
  std::string text = ":";
  for (const std::uint8_t b : bytes) text += qjig::HexText(b, 2);
  return text + lineEnd;
}

}  // namespace testsupport

#include "firmwares/ImageTag.h"

namespace testsupport {

std::string JigImageHex(const std::string& tag, std::uint16_t lastAddress) {
  std::vector<std::uint8_t> image(lastAddress + 1u);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 13 + 7);
  image.back() = 0x3C;
  // A tiny image has no room for its tag: the jig then runs nothing useful.
  const std::string marker = sim::ImageTagBytes(tag);
  if (marker.size() + 0x10 < image.size()) std::copy(marker.begin(), marker.end(), image.begin() + 0x10);
  std::string text;
  for (std::size_t address = 0; address < image.size(); address += 16) {
    const std::size_t end = std::min(image.size(), address + 16);
    text += HexRecord(static_cast<std::uint16_t>(address),
                      std::vector<std::uint8_t>(image.begin() + address, image.begin() + end));
  }
  return text + kHexEnd;
}

}  // namespace testsupport
