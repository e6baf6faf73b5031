#include <gtest/gtest.h>

#include "link/TextHelpers.h"

namespace {

using namespace qjig;

TEST(TextHelpers, PrintableCharTextKeepsOnlyLettersDigitsDotAndUnderscore) {
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    const bool kept = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                      c == '.' || c == '_';
    EXPECT_EQ(PrintableCharText(static_cast<std::uint8_t>(b)), std::string(1, kept ? c : ' ')) << b;
  }
}

TEST(TextHelpers, ReplyBecomesTagCharacterForCharacter) {
  const std::uint8_t reply[] = {'N', 'P', 'C', 'E', '-', 'v', '2', '.', '1', ' ', 0xE9, '\r', '\n'};
  EXPECT_EQ(PrintableText(reply, sizeof reply), "NPCE v2.1    ");
}

TEST(TextHelpers, HexPairToByte) {
  struct Case { char high, low; std::uint8_t value; };
  const Case cases[] = {
      {'0', '0', 0x00}, {'1', 'F', 0x1F}, {'F', 'F', 0xFF}, {'A', '9', 0xA9},
      {'1', 'f', 0x3F},  // lower case is not hex: 'f' counts 47
      {'G', '0', 0x00},  // 'G' counts 16: (16 * 16) mod 256
      {' ', '0', 0x90},  // below '0': (32 - 55) * 16 wraps
  };
  for (const Case& c : cases) EXPECT_EQ(HexPairToByte(c.high, c.low), c.value) << c.high << c.low;
}

TEST(TextHelpers, HexDigitCharAndHexText) {
  EXPECT_EQ(HexDigitChar(0), '0');
  EXPECT_EQ(HexDigitChar(10), 'A');
  EXPECT_EQ(HexDigitChar(0x1F), 'F');
  EXPECT_EQ(HexText(0x0A, 2), "0A");
  EXPECT_EQ(HexText(0xA0, 4), "00A0");
  EXPECT_EQ(HexText(0x17FF, 4), "17FF");
  EXPECT_EQ(HexText(0x12345, 4), "12345");
  EXPECT_EQ(HexText(0, 1), "0");
}

TEST(TextHelpers, DecimalText) {
  EXPECT_EQ(DecimalText(0), "0");
  EXPECT_EQ(DecimalText(131072), "131072");
  EXPECT_EQ(DecimalText(-42), "-42");
}

}  // namespace
