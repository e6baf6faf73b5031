#pragma once

#include <utility>

#include "../Firmware.h"

namespace sim {

// The ENE_EDID_KB firmware's keyboard scan 'U': the jig drives each of the
// 32 cable lines in turn, from line 32 down to line 1, and reads which lines
// above the driven one follow it. The report holds one group per driven
// line that found any: the line, then the lines found, groups separated by
// '>', the whole ended by '&' (a lone '&' when nothing is closed).
//
// Driving the lines takes the jig kScanTime; the report then leaves in the
// keyboard's number of pieces, kPieceGap apart. With no keyboard on the
// cable every line is open.
inline constexpr std::uint8_t kGroupSeparator = '>';
inline constexpr std::uint8_t kReportEnd = '&';

Bytes KeyboardReport(const std::vector<std::pair<int, int>>& closed);
void ScanKeyboard(JigMcu& mcu);

}  // namespace sim
