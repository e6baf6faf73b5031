#include "BrimexBoard.h"

namespace sim {

BrimexBoard::BrimexBoard(AdapterPins position, std::optional<SenseBytes> sense)
    : position_(position), sense_(sense) {}

SenseBytes BrimexBoard::Sense() const {
  if (sense_) return *sense_;
  SenseBytes sense = kIdleSense;
  if (position_ == AdapterPins::Pins1To2 || position_ == AdapterPins::Both) sense[0] &= ~kSensePins1To2;
  if (position_ == AdapterPins::Pins31To32 || position_ == AdapterPins::Both) sense[1] &= ~kSensePins31To32;
  return sense;
}

bool BrimexBoard::Passes(const AdapterLines& lines) const {
  const bool seated = position_ == AdapterPins::Pins1To2 || position_ == AdapterPins::Pins31To32;
  return seated && lines.on && lines.position == position_;
}

SenseBytes ReadSenseLines(const BrimexBoard* board) { return board ? board->Sense() : kIdleSense; }

bool ChipLinesReachTarget(const AdapterLines& lines, const BrimexBoard* board) {
  return board ? board->Passes(lines) : !lines.on;
}

}  // namespace sim
