#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

// The Intel HEX records the M88 bootloader takes: data records of exactly 16
// bytes in upper-case hex, and the end record.
inline constexpr std::size_t kRecordDataSize = 16;
inline constexpr std::string_view kEndRecord = ":00000001FF";

struct DataRecord {
  std::uint16_t address = 0;
  std::array<std::uint8_t, kRecordDataSize> data{};
};

// ':' "10" AAAA "00", 32 digits and the checksum (the two's complement of
// the sum of the other bytes); no line end.
std::string FormatDataRecord(const DataRecord& record);

// Only a record exactly as FormatDataRecord writes it: lower-case digits,
// another length, count or type, or a wrong checksum give nothing.
std::optional<DataRecord> ParseDataRecord(std::string_view text);

}  // namespace sim
