#include "TextHelpers.h"

namespace qjig {

std::string PrintableCharText(std::uint8_t byte) {
  const bool printable = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
                         (byte >= 'a' && byte <= 'z') || byte == '.' || byte == '_';
  return std::string(1, printable ? static_cast<char>(byte) : ' ');
}

std::string PrintableText(const std::uint8_t* bytes, std::size_t count) {
  std::string text;
  text.reserve(count);
  for (std::size_t i = 0; i < count; ++i) text += PrintableCharText(bytes[i]);
  return text;
}

namespace {
int HexValue(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= '0' && u <= '9') ? u - 48 : u - 55;
}
}  // namespace

std::uint8_t HexPairToByte(char high, char low) {
  return static_cast<std::uint8_t>((HexValue(high) * 16 + HexValue(low)) & 0xFF);
}

char HexDigitChar(unsigned v) {
  const unsigned d = v % 16;
  return static_cast<char>(d < 10 ? '0' + d : 'A' + d - 10);
}

std::string DecimalText(long long value) { return std::to_string(value); }

std::string HexText(std::uint64_t value, int minDigits) {
  std::string digits;
  do {
    digits.insert(digits.begin(), HexDigitChar(static_cast<unsigned>(value & 0xF)));
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(digits.size()) < minDigits)
    digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
  return digits;
}

}  // namespace qjig
