#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <span>
#include <string_view>
#include <vector>

#include "KeyboardReport.h"

namespace qjig {

// Every contact has one indicator in the window's triangle, named "Shape"
// and its index: (A - 1) * 32 + B, from 2 (lines 1 and 2) to 992 (31 and 32).
inline constexpr int kLastContactIndex = 992;
inline constexpr int kIndicatorCount = 496;

int ContactIndex(const Contact& contact);
Contact ContactOf(int index);
// Every contact of the grid, row by row: A = 1 .. 31, B = A + 1 .. 32.
std::vector<Contact> AllContacts();

// Where an indicator sits in the window: columns and rows come in groups of
// five lines with wider gaps between the groups.
struct IndicatorPlace {
  int left = 0;
  int top = 0;
};
IndicatorPlace PlaceOf(const Contact& contact);
inline constexpr int kIndicatorWidth = 17;
inline constexpr int kIndicatorHeight = 10;

enum class IndicatorColour { Aqua, Red, Yellow, Black };

// Every report of a contact turns red into yellow and any other colour into
// red, so a key held down blinks between the two.
IndicatorColour ReportedColour(IndicatorColour current);
std::string_view ColourName(IndicatorColour colour);  // "aqua", "red", ...
std::uint32_t ColourRgb(IndicatorColour colour);       // 0xRRGGBB

struct IndicatorChange {
  int index = 0;
  IndicatorColour colour = IndicatorColour::Aqua;
};

// The colours of all indicators as the scan keeps them; the window paints
// what changes. Aqua at first and after a clear.
class IndicatorBoard {
 public:
  IndicatorBoard() { colours_.fill(IndicatorColour::Aqua); }
  IndicatorColour Colour(int index) const { return colours_.at(static_cast<std::size_t>(index)); }
  void Set(int index, IndicatorColour colour) { colours_.at(static_cast<std::size_t>(index)) = colour; }
  // All aqua; the changes cover every indicator.
  std::vector<IndicatorChange> Clear();

 private:
  std::array<IndicatorColour, kLastContactIndex + 1> colours_{};
};

// "Hide current": NONE (no hiding), START (hide the contacts of the next
// report) or END (hiding in force).
enum class HideMode { None, Start, End };

// The contacts hidden by "Hide current", at most 1000; repeats are kept.
class HiddenContacts {
 public:
  static constexpr std::size_t kCapacity = 1000;
  void Add(int index);
  bool Contains(int index) const;
  std::size_t Count() const { return indices_.size(); }
  void Clear() { indices_.clear(); }

 private:
  std::vector<int> indices_;
};

// What one report does to the board: the changes to paint, in report order.
// A report changed something when the list is not empty.
std::vector<IndicatorChange> ApplyReport(std::span<const Contact> contacts, HideMode mode, HiddenContacts& hidden,
                                         IndicatorBoard& board);

// The hiding state the window's check box sets and the scan consults, from
// two threads; each call is one step under the lock.
class ContactHiding {
 public:
  void Start();  // box ticked: hide the next report's contacts
  void Off();    // box cleared, or the scan ended; the list is left alone
  HideMode Mode() const;
  // Applies one report; the first report with a contact after Start puts the
  // hiding in force.
  std::vector<IndicatorChange> Apply(std::span<const Contact> contacts, IndicatorBoard& board);

 private:
  mutable std::mutex mutex_;
  HideMode mode_ = HideMode::None;
  HiddenContacts hidden_;
};

}  // namespace qjig
