#pragma once

#include <array>
#include <cstdint>

#include "FirmwareSwitch.h"
#include "JigImage.h"

namespace qjig {

inline constexpr std::size_t kDataRecordSize = 44;
// The bootloader's answer to a record ends in this byte.
inline constexpr std::uint8_t kBootReplyEnd = 0x11;

// ':' '1' '0' AAAA '0' '0', 16 data bytes, checksum, LF; upper-case hex.
std::array<std::uint8_t, kDataRecordSize> DataRecord(const JigImage& image, std::size_t address);

// A record's answer, up to and including its 0x11, counts as refused when
// the bytes before the 0x11 are neither 2 nor 3 and the second is '-'.
bool RecordRefused(const std::uint8_t* reply, std::size_t length);

// Sends the image to the M88 bootloader record by record, from address 0 to
// the image's last address, then the end record. False when the bootloader
// refused a record or stopped answering.
bool UploadJigImage(JigLink& link, const JigImage& image, UpdateWindowPort& window);

}  // namespace qjig
