#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "../Target.h"

namespace sim {

// The pin pairs of the motherboard connector the BRIMEX adapter board can
// sit on. A board on both pulls both sense lines: it is miswired.
enum class AdapterPins { None, Pins1To2, Pins31To32, Both };

// What the jig drives towards the adapter connector: whether it routes the
// chip lines there (adapter on) and which position it was told to use.
struct AdapterLines {
  bool on = false;
  AdapterPins position = AdapterPins::None;
  bool operator==(const AdapterLines&) const = default;
};

// The jig's three input ports as its probe reads them.
using SenseBytes = std::array<std::uint8_t, 3>;

// Without a board the sense lines float high on their pull-ups; the other
// pins of those ports are a mix of high inputs and low outputs.
inline constexpr SenseBytes kIdleSense{0xF3, 0x7F, 0x0B};
inline constexpr std::uint8_t kSensePins1To2 = 0x40;    // in R0, pulled low by a board at pins 1-2
inline constexpr std::uint8_t kSensePins31To32 = 0x02;  // in R1, pulled low by a board at pins 31-32

// The BRIMEX adapter board between the jig and the motherboard.
class BrimexBoard : public Target {
 public:
  // `sense` replaces what the probe reads, for a board with odd lines.
  BrimexBoard(AdapterPins position, std::optional<SenseBytes> sense);
  std::string Kind() const override { return "brimex"; }

  AdapterPins Position() const { return position_; }
  SenseBytes Sense() const;
  // The chip lines get through only when the jig routes them to the board
  // and chose the position the board really sits in.
  bool Passes(const AdapterLines& lines) const;

  // The board sees what the jig drives; tests look at it here.
  void Drive(const AdapterLines& lines) { driven_ = lines; }
  const AdapterLines& Driven() const { return driven_; }

 private:
  AdapterPins position_;
  std::optional<SenseBytes> sense_;
  AdapterLines driven_;
};

// What the jig's probe reads, with or without a board.
SenseBytes ReadSenseLines(const BrimexBoard* board);
// Whether the jig's chip lines reach the motherboard: through the board
// when there is one, straight through the cable only while the adapter is
// off when there is none.
bool ChipLinesReachTarget(const AdapterLines& lines, const BrimexBoard* board);

}  // namespace sim
