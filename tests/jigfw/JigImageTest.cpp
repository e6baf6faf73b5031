#include <gtest/gtest.h>

#include <algorithm>

#include "jigfw/JigImage.h"
#include "support/HexText.h"
#include "support/TempDir.h"

namespace {

using namespace qjig;
using testsupport::HexRecord;
using testsupport::kHexEnd;

const std::vector<std::uint8_t> k16(16, 0x5A);

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) { return std::tolower(c); });
  return text;
}

TEST(JigImage, AcceptedAndRejectedTexts) {
  struct Case {
    const char* name;
    std::string text;
    bool accepted;
    std::size_t lastAddress = 0;
  };
  const Case cases[] = {
      {"records and end record", HexRecord(0, k16) + HexRecord(16, k16) + kHexEnd, true, 31},
      {"no end record", HexRecord(0, k16) + HexRecord(0x90, k16), true, 0x9F},
      {"text after the end record is ignored", HexRecord(0, {1}) + kHexEnd + "rubbish", true, 0},
      {"last byte at 17FF", HexRecord(0x17F0, k16) + kHexEnd, true, 0x17FF},
      {"last byte at 00A0", HexRecord(0x00A0, {0x12}) + kHexEnd, true, 0x00A0},
      {"trailing FF bytes do not count", HexRecord(0, {1, 0xFF, 0xFF}) + kHexEnd, true, 0},
      {"LF line ends fail at the second record", HexRecord(0, k16, 0, "\n") + HexRecord(16, k16, 0, "\n"),
       false},
      {"extended segment address", HexRecord(0, {0x10, 0x00}, 0x02) + HexRecord(0, k16) + kHexEnd, false},
      {"extended linear address", HexRecord(0, {0x00, 0x00}, 0x04) + HexRecord(0, k16) + kHexEnd, false},
      {"lower-case digits break the checksum", Lower(HexRecord(0, {0xAB, 0xCD})) + kHexEnd, false},
      {"bad checksum", ":0100000012EE\r\n" + kHexEnd, false},
      {"no colon", " " + HexRecord(0, k16), false},
      {"data beyond the M88's flash", HexRecord(0x17F8, k16) + kHexEnd, false},
      {"record cut short", HexRecord(0, k16).substr(0, 20), false},
      {"nothing but the end record", kHexEnd, false},
      {"empty text", "", false},
      {"only FF data", HexRecord(0, std::vector<std::uint8_t>(16, 0xFF)) + kHexEnd, false},
  };
  for (const Case& c : cases) {
    JigImage image;
    EXPECT_EQ(ParseJigImageText(c.text, image), c.accepted) << c.name;
    if (c.accepted) {
      EXPECT_EQ(image.lastAddress, c.lastAddress) << c.name;
    }
  }
}

TEST(JigImage, GapsStayErased) {
  JigImage image;
  ASSERT_TRUE(ParseJigImageText(HexRecord(0, {1, 2}) + HexRecord(0x20, {3}) + kHexEnd, image));
  EXPECT_EQ(image.bytes[0], 1);
  EXPECT_EQ(image.bytes[1], 2);
  for (std::size_t i = 2; i < 0x20; ++i) EXPECT_EQ(image.bytes[i], 0xFF) << i;
  EXPECT_EQ(image.bytes[0x20], 3);
  EXPECT_EQ(image.lastAddress, 0x20u);
}

TEST(JigImage, LoadReportsEachStep) {
  testsupport::TempDir dir;
  std::vector<std::string> lines;
  const auto say = [&lines](const std::string& line) { lines.push_back(line); };
  JigImage image;

  const auto missing = dir / "ENE_EDID_KB.hex";
  EXPECT_EQ(LoadJigImage(missing, image, say), ImageLoad::FileMissing);
  EXPECT_EQ(lines, std::vector<std::string>{"Not found .hex file -> " + missing.string() +
                                            " for M88 in the program folder "});

  lines.clear();
  const std::string text = HexRecord(0x17F0, k16) + kHexEnd;
  testsupport::WriteFile(dir / "good.hex", text);
  EXPECT_EQ(LoadJigImage(dir / "good.hex", image, say), ImageLoad::Loaded);
  EXPECT_EQ(lines, (std::vector<std::string>{"UPGRADE file loaded to buffer (" + (dir / "good.hex").string() + ")",
                                             "Bytes read from file " + std::to_string(text.size()),
                                             "HEX position_buff 17FF"}));

  lines.clear();
  testsupport::WriteFile(dir / "bad.hex", "nonsense");
  EXPECT_EQ(LoadJigImage(dir / "bad.hex", image, say), ImageLoad::WrongFormat);
  EXPECT_EQ(lines.back(), "Wrong file format!");
}

}  // namespace
