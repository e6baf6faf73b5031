#pragma once

#include <string>
#include <string_view>

namespace qjig {

// The connection base of the KB90xx window, looked for in the current folder.
inline constexpr std::string_view kEneConnectionBaseFile = "MB connection ENE.txt";

// Straight: cable pin k is connector pin k. Reversed: the cable is turned
// over, so connector pin p is cable pin N - p + 1.
enum class CableOrientation { Straight, Reversed };

struct WiringText {
  enum class Kind {
    Wiring,         // "Please connect GND and:  A.. B.. C.. D.. E.."
    MissingKey,     // "Error data format!"
    CableTooShort,  // "Please select big pins FFC!"
    BadNumber,      // a value is not a number: the label is left as it is
  };
  Kind kind;
  // The label's new text; for BadNumber the value that is not a number.
  std::string text;
};

// Which FFC pin each of the jig's wires A to E goes to, for a connection
// base entry and a cable size text such as "30 pin".
WiringText ComposeWiringText(std::string_view entry, std::string_view cableSize, CableOrientation orientation);

}  // namespace qjig
