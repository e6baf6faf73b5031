#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../Target.h"

namespace sim {

// One key of the bench's keyboard: while it is held it connects two of the
// cable's 32 lines. It is held from `from` until `until` (not included),
// counted from the jig's first scan; without `until` it is never released.
struct KeyPress {
  int lineA = 0;  // 1 to 32, below lineB
  int lineB = 0;
  std::chrono::milliseconds from{0};
  std::optional<std::chrono::milliseconds> until;
};

struct KeyboardSetup {
  std::vector<KeyPress> presses;
  std::size_t pieces = 1;  // the report leaves the jig in this many parts
};

// A laptop keyboard on the jig's cable: a matrix of 32 lines in which each
// held key connects its two lines. Each key has its own contact, so holding
// several keys shows exactly those pairs.
class KeyboardMatrix : public Target {
 public:
  using Clock = std::chrono::steady_clock;
  using Now = std::function<Clock::time_point()>;

  static constexpr int kLines = 32;

  // `now` tells the time; tests pass their own.
  explicit KeyboardMatrix(KeyboardSetup setup, Now now = Clock::now);
  std::string Kind() const override { return "keyboard"; }

  // The pairs of lines (A below B) closed at this moment. The first call is
  // the first scan: the presses' times count from it.
  std::vector<std::pair<int, int>> ClosedContacts();
  std::size_t Pieces() const { return setup_.pieces; }

 private:
  KeyboardSetup setup_;
  Now now_;
  std::optional<Clock::time_point> firstScan_;
};

}  // namespace sim
