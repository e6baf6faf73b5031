#include "KeyboardReport.h"

#include <algorithm>

namespace qjig {

std::vector<Contact> DecodeReport(std::span<const std::uint8_t> report) {
  std::vector<Contact> contacts;
  int a = 0;
  for (const std::uint8_t byte : report) {
    if (byte == kReportEnd) break;
    if (byte == kReportGroupEnd) {
      a = 0;
      continue;
    }
    if (a == 0) {
      a = byte;
      continue;
    }
    // The group's line A stays for every B that follows it.
    const int b = byte;
    if (a >= 1 && b > a && b <= kKeyboardLines) contacts.push_back({a, b});
  }
  return contacts;
}

ReportAssembler::Progress ReportAssembler::Append(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > bytes_.size() - size_) return Progress::Overflow;
  std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(size_));
  size_ += bytes.size();
  return size_ > 0 && bytes_[size_ - 1] == kReportEnd ? Progress::Complete : Progress::Incomplete;
}

}  // namespace qjig
