#pragma once

#include <chrono>
#include <cstdint>

namespace sim {

// The serial line as one side has set it up.
struct LineSettings {
  std::uint32_t baud = 921600;
  bool format8N1 = true;
};

inline constexpr std::uint32_t kApplicationBaud = 921600;

// A UART that samples a byte sent at another rate or format sees garbage;
// the garbage is deterministic so a test run repeats exactly.
inline bool LineMatches(const LineSettings& sender, std::uint32_t receiverBaud) {
  return sender.format8N1 && sender.baud == receiverBaud;
}

inline std::uint8_t Garble(std::uint8_t byte) {
  return static_cast<std::uint8_t>((byte * 7u + 0x35u) ^ 0xA5u);
}

// One byte on the wire: a start bit, eight data bits and a stop bit.
inline std::chrono::nanoseconds ByteTime(std::uint32_t baud) {
  return std::chrono::nanoseconds(10'000'000'000LL / (baud ? baud : 1));
}

}  // namespace sim
