#include "KeyboardScan.h"

#include <chrono>

#include "../JigMcu.h"
#include "../targets/KeyboardMatrix.h"

namespace sim {

namespace {

constexpr std::chrono::microseconds kScanTime{1000};
constexpr std::chrono::microseconds kPieceGap{1000};

}  // namespace

Bytes KeyboardReport(const std::vector<std::pair<int, int>>& closed) {
  Bytes report;
  for (int driven = KeyboardMatrix::kLines; driven >= 1; --driven) {
    Bytes group;
    for (const auto& [a, b] : closed)
      if (a == driven) group.push_back(static_cast<std::uint8_t>(b));
    if (group.empty()) continue;
    if (!report.empty()) report.push_back(kGroupSeparator);
    report.push_back(static_cast<std::uint8_t>(driven));
    report.insert(report.end(), group.begin(), group.end());
  }
  report.push_back(kReportEnd);
  return report;
}

void ScanKeyboard(JigMcu& mcu) {
  auto* keyboard = mcu.FindTarget<KeyboardMatrix>();
  const Bytes report = KeyboardReport(keyboard ? keyboard->ClosedContacts() : std::vector<std::pair<int, int>>{});
  const std::size_t pieces = keyboard ? std::min(keyboard->Pieces(), report.size()) : 1;
  // Piece k holds the bytes from k*size/pieces on, so no piece is empty.
  for (std::size_t k = 0; k < pieces; ++k) {
    const auto first = report.begin() + static_cast<std::ptrdiff_t>(k * report.size() / pieces);
    const auto last = report.begin() + static_cast<std::ptrdiff_t>((k + 1) * report.size() / pieces);
    mcu.Send(Bytes(first, last), kScanTime + static_cast<int>(k) * kPieceGap);
  }
}

}  // namespace sim
