// What the EDID window makes of an image: the hex dump, the image taken
// from a file, and the EDID base-block check.
#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "modes/edid/EdidImage.h"
#include "targets/EdidEeprom.h"

namespace {

using qjig::kEepromSize;
using Image = std::array<std::uint8_t, kEepromSize>;

Image Counting() {
  Image image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i);
  return image;
}

Image SamplePanel() {
  const sim::Bytes edid = sim::SamplePanelEdid();
  Image image{};
  std::copy(edid.begin(), edid.end(), image.begin());
  return image;
}

TEST(EdidHexDump, SixteenLinesOfSixteenBytesAfterAnEmptyLine) {
  const std::vector<std::string> lines = qjig::HexDumpLines(Counting());
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], "");
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i].size(), 1 + 16 * 3 + 1 + 16u) << i;
  EXPECT_EQ(lines[1], ": 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F ................");
  // Digits, letters, '.' and '_' show as themselves; blanks, other
  // punctuation and bytes from 0x80 up as dots.
  EXPECT_EQ(lines[3], ": 20 21 22 23 24 25 26 27 28 29 2A 2B 2C 2D 2E 2F ................");
  EXPECT_EQ(lines[4], ": 30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E 3F 0123456789......");
  EXPECT_EQ(lines[6], ": 50 51 52 53 54 55 56 57 58 59 5A 5B 5C 5D 5E 5F PQRSTUVWXYZ...._");
  EXPECT_EQ(lines[8], ": 70 71 72 73 74 75 76 77 78 79 7A 7B 7C 7D 7E 7F pqrstuvwxyz.....");
  EXPECT_EQ(lines[16], ": F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF ................");
}

TEST(EdidHexDump, AnEdidHeaderShowsAsEightDots) {
  const std::vector<std::string> lines = qjig::HexDumpLines(SamplePanel());
  EXPECT_TRUE(lines[1].starts_with(": 00 FF FF FF FF FF FF 00 ")) << lines[1];
  EXPECT_EQ(lines[1].substr(50, 8), "........");
}

TEST(EepromImageFile, ShortFilesLeaveErasedBytesLongOnesAreCut) {
  struct Case { std::size_t fileSize; std::size_t taken; };
  const Case cases[] = {{0, 0}, {128, 128}, {255, 255}, {256, 256}, {300, 256}};
  for (const Case& c : cases) {
    std::string bytes;
    for (std::size_t i = 0; i < c.fileSize; ++i) bytes += static_cast<char>(i % 251);
    std::istringstream file(bytes);
    Image image{};
    qjig::LoadEepromImage(file, image);
    for (std::size_t i = 0; i < image.size(); ++i)
      ASSERT_EQ(image[i], i < c.taken ? i % 251 : 0xFF) << c.fileSize << " bytes, at " << i;
  }
}

TEST(EdidBaseBlock, HeaderAndChecksumDecide) {
  struct Case { const char* what; std::size_t at; int change; bool headerRight; std::uint8_t sum; };
  const Case cases[] = {
      {"as the panel holds it", 0, 0, true, 0x00},
      {"checksum one too high", 127, +1, true, 0x01},
      {"a timing byte changed", 60, -3, true, 0xFD},
      {"header's first byte", 0, +1, false, 0x01},
      {"header's last byte", 7, +0x10, false, 0x10},
      // The second half is not the base block's.
      {"extension area", 200, +1, true, 0x00},
  };
  for (const Case& c : cases) {
    Image image = SamplePanel();
    image[c.at] = static_cast<std::uint8_t>(image[c.at] + c.change);
    const qjig::EdidBaseBlockCheck check = qjig::CheckEdidBaseBlock(image);
    EXPECT_EQ(check.headerRight, c.headerRight) << c.what;
    EXPECT_EQ(check.sum, c.sum) << c.what;
    EXPECT_EQ(check.Valid(), c.headerRight && c.sum == 0) << c.what;
  }
}

TEST(EdidBaseBlock, OneLineSaysWhy) {
  struct Case { bool headerRight; std::uint8_t sum; const char* line; };
  const Case cases[] = {
      {true, 0x00, "EDID base block is valid: header and checksum are right."},
      {true, 0x0A, "EDID base block is not valid: its 128 bytes sum to 0A (hex), not 00."},
      {false, 0x00, "EDID base block is not valid: its header is not 00 FF FF FF FF FF FF 00."},
      {false, 0x0A, "EDID base block is not valid: its header is not 00 FF FF FF FF FF FF 00."},
  };
  for (const Case& c : cases) EXPECT_EQ(qjig::EdidBaseBlockLine({c.headerRight, c.sum}), c.line);
}

TEST(EdidBaseBlock, AnErasedEepromIsNoEdid) {
  Image erased{};
  erased.fill(0xFF);
  EXPECT_FALSE(qjig::CheckEdidBaseBlock(erased).Valid());
}

}  // namespace
