#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// One Intel HEX record, upper-case, with a correct checksum and the given
// line end.
std::string HexRecord(std::uint16_t address, const std::vector<std::uint8_t>& data,
                      std::uint8_t type = 0x00, const std::string& lineEnd = "\r\n");
inline const std::string kHexEnd = ":00000001FF\r\n";

}  // namespace testsupport

namespace testsupport {

// A jig application image as Intel HEX with CR LF line ends: a filler
// pattern from address 0 to `lastAddress` (whose byte is not 0xFF), the
// version tag marker the virtual jig reads (when it fits), and an end
// record.
std::string JigImageHex(const std::string& tag, std::uint16_t lastAddress);

}  // namespace testsupport
