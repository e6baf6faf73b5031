#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qjig {

// The keyboard scan of the ENE_EDID_KB jig firmware: 'U' asks for one scan
// of the cable's 32 lines, and the jig answers with a report. A report holds
// groups separated by '>': the driving line A, then each line B found
// connected to it; '&' ends it, and a lone '&' means nothing is closed.
inline constexpr std::uint8_t kKeyboardScan = 'U';
inline constexpr std::uint8_t kReportGroupEnd = '>';
inline constexpr std::uint8_t kReportEnd = '&';
inline constexpr int kKeyboardLines = 32;
// Both the link buffer and the report buffer.
inline constexpr std::size_t kKeyboardBufferSize = 1024;

// Two lines of the matrix a report says are connected, A below B.
struct Contact {
  int a = 0;
  int b = 0;
  friend bool operator==(const Contact&, const Contact&) = default;
};

// The contacts of a report, in its order, up to its first '&'. A pair that
// has no place in the grid (B not above A, a line 0 or above 32) is skipped.
std::vector<Contact> DecodeReport(std::span<const std::uint8_t> report);

// Collects the pieces of one report as they arrive, in a buffer of fixed size.
class ReportAssembler {
 public:
  enum class Progress { Incomplete, Complete, Overflow };

  // Complete once the last byte held is '&'. Bytes that would not fit are
  // not taken (Overflow): a report that long is no report.
  Progress Append(std::span<const std::uint8_t> bytes);
  std::span<const std::uint8_t> Report() const { return {bytes_.data(), size_}; }
  void Clear() { size_ = 0; }

 private:
  std::array<std::uint8_t, kKeyboardBufferSize> bytes_{};
  std::size_t size_ = 0;
};

}  // namespace qjig
