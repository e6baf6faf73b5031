#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qjig {

// '0'-'9', 'A'-'Z', 'a'-'z', '.' and '_' stand for themselves; every other
// byte (space, punctuation, control and 0x80-0xFF bytes) becomes one space.
std::string PrintableCharText(std::uint8_t byte);
// The bytes of a reply, each through PrintableCharText.
std::string PrintableText(const std::uint8_t* bytes, std::size_t count);

// Two hex digits to a byte. Only '0'-'9' and 'A'-'F' have their hex value;
// any other character counts as c - 55, without an error, so a lower-case
// digit gives a wrong value that a checksum then catches.
std::uint8_t HexPairToByte(char high, char low);
// The upper-case hex digit of v mod 16.
char HexDigitChar(unsigned v);

// Decimal, with a minus sign when negative, no padding.
std::string DecimalText(long long value);
// Upper-case hex with at least `minDigits` digits, more when the value needs them.
std::string HexText(std::uint64_t value, int minDigits);

}  // namespace qjig
