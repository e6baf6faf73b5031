#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "EdidImage.h"
#include "link/JigLink.h"

namespace qjig {

// The EDID window's link buffer: the EEPROM image lives in its second half,
// so a piece of the read reply can land at the buffer's start and be
// appended to the image without overlapping it.
inline constexpr std::size_t kEdidLinkBuffer = 600;
inline constexpr std::size_t kEdidImageAt = 300;

// How the jig answered an EEPROM command.
enum class EepromStatus {
  Ok,        // "OK"
  Error,     // "ER": the EEPROM did not answer, or refused the write
  Other,     // any other pair of bytes
  NoAnswer,  // the jig stopped answering (or the cable came out) within the bound
};

// The image in the link buffer.
std::span<std::uint8_t, kEepromSize> EepromImage(JigLink& link);

// 'E' 'r': the jig's 258 bytes are collected, as they come, into the image
// and the two status bytes after it. The whole reply has one deadline,
// WaitBounds::queue, however many pieces it comes in.
EepromStatus ReadEeprom(JigLink& link);

// 'E' 'w' and the jig's one ready byte, whose value does not matter.
bool AnnounceEepromWrite(JigLink& link);

// The image, then the jig's two status bytes once the EEPROM has taken it
// (bounded by WaitBounds::queue, which covers a byte-by-byte write of a
// 24C02 several times over).
EepromStatus SendEepromImage(JigLink& link);

// The success or failure signal; the jig's echo is not awaited, since the
// link is closed right after.
void SignalEepromResult(JigLink& link, bool succeeded);

}  // namespace qjig
