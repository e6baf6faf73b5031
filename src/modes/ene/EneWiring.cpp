#include "EneWiring.h"

#include <array>

#include "link/TextHelpers.h"
#include "modes/shared/ConnectionBase.h"

namespace qjig {

namespace {

struct Wire {
  char letter;
  std::string_view key;
};

// The jig's wires and the motherboard lines they carry, in the order the
// label names them.
constexpr std::array<Wire, 5> kWires{{
    {'A', "KSO3="},
    {'B', "KSI4="},
    {'C', "KSI7="},
    {'D', "KSI6="},
    {'E', "KSI5="},
}};

WiringText Outcome(WiringText::Kind kind, std::string text) { return {kind, std::move(text)}; }

}  // namespace

WiringText ComposeWiringText(std::string_view entry, std::string_view cableSize, CableOrientation orientation) {
  std::array<int, kWires.size()> pins{};
  for (std::size_t i = 0; i < kWires.size(); ++i) {
    const auto value = KeyValueText(entry, kWires[i].key);
    if (!value) return Outcome(WiringText::Kind::MissingKey, "Error data format!");
    const auto pin = DecimalValue(*value);
    if (!pin) return Outcome(WiringText::Kind::BadNumber, *value);
    pins[i] = *pin;
  }
  const std::string sizeDigits(cableSize.substr(0, 2));
  const auto size = DecimalValue(sizeDigits);
  if (!size) return Outcome(WiringText::Kind::BadNumber, sizeDigits);

  std::string label = "Please connect GND and: ";
  for (std::size_t i = 0; i < kWires.size(); ++i) {
    if (pins[i] > *size) return Outcome(WiringText::Kind::CableTooShort, "Please select big pins FFC!");
    const int pin = orientation == CableOrientation::Straight ? pins[i] : *size - pins[i] + 1;
    label += ' ';
    label += kWires[i].letter;
    label += DecimalText(pin);
  }
  return Outcome(WiringText::Kind::Wiring, label);
}

}  // namespace qjig
