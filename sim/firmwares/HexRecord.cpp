#include "HexRecord.h"

#include <algorithm>

namespace sim {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";
constexpr std::size_t kRecordLength = 1 + 2 * (4 + kRecordDataSize + 1);

int UpperHexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void PutHex(std::uint8_t value, std::string& text) {
  text += kDigits[value >> 4];
  text += kDigits[value & 0x0F];
}

}  // namespace

std::string FormatDataRecord(const DataRecord& record) {
  std::array<std::uint8_t, 4 + kRecordDataSize> bytes{kRecordDataSize,
                                                     static_cast<std::uint8_t>(record.address >> 8),
                                                     static_cast<std::uint8_t>(record.address), 0x00};
  std::copy(record.data.begin(), record.data.end(), bytes.begin() + 4);
  std::string text = ":";
  std::uint8_t sum = 0;
  for (const std::uint8_t b : bytes) {
    sum = static_cast<std::uint8_t>(sum + b);
    PutHex(b, text);
  }
  PutHex(static_cast<std::uint8_t>(-sum), text);
  return text;
}

std::optional<DataRecord> ParseDataRecord(std::string_view text) {
  if (text.size() != kRecordLength || text[0] != ':') return std::nullopt;
  std::array<std::uint8_t, kRecordLength / 2> bytes{};
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const int high = UpperHexValue(text[1 + 2 * i]);
    const int low = UpperHexValue(text[2 + 2 * i]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    sum = static_cast<std::uint8_t>(sum + bytes[i]);
  }
  // With its checksum a good record's bytes add up to zero.
  if (bytes[0] != kRecordDataSize || bytes[3] != 0x00 || sum != 0) return std::nullopt;
  DataRecord record;
  record.address = static_cast<std::uint16_t>(bytes[1] << 8 | bytes[2]);
  for (std::size_t i = 0; i < kRecordDataSize; ++i) record.data[i] = bytes[4 + i];
  return record;
}

}  // namespace sim
