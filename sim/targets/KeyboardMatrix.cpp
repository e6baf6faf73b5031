#include "KeyboardMatrix.h"

#include <algorithm>

namespace sim {

KeyboardMatrix::KeyboardMatrix(KeyboardSetup setup, Now now) : setup_(std::move(setup)), now_(std::move(now)) {}

std::vector<std::pair<int, int>> KeyboardMatrix::ClosedContacts() {
  const Clock::time_point now = now_();
  if (!firstScan_) firstScan_ = now;
  const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(now - *firstScan_);
  std::vector<std::pair<int, int>> closed;
  for (const KeyPress& key : setup_.presses)
    if (since >= key.from && (!key.until || since < *key.until)) closed.emplace_back(key.lineA, key.lineB);
  // Two keys on the same pair of lines close one contact.
  std::sort(closed.begin(), closed.end());
  closed.erase(std::unique(closed.begin(), closed.end()), closed.end());
  return closed;
}

}  // namespace sim
