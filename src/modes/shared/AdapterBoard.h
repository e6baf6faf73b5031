#pragma once

#include <cstdint>
#include <string_view>

#include "link/CheckProgrammer.h"
#include "link/JigLink.h"

namespace qjig {

// Where the BRIMEX adapter board sits on the motherboard connector. Each
// window remembers the position of its last successful detection; before
// the first one the board is taken to be at pins 31-32.
enum class AdapterOrientation { Pins1To2, Pins31To32 };

// The two jig firmwares ask for the sense lines and name the position with
// their own bytes.
struct AdapterVariant {
  std::string_view probe;       // asks for the three sense bytes R0 R1 R2
  std::uint8_t pins1To2;        // the argument of 'V' for a board at pins 1-2
  std::uint8_t pins31To32;      // ... at pins 31-32
};

inline constexpr AdapterVariant kKb90Adapter{"V9", '5', '6'};     // ENE_EDID_KB firmware
inline constexpr AdapterVariant kNpceSpiAdapter{"9", '0', '1'};   // NPCE firmware

// What the sense lines say: a board pulls bit 6 of R0 low at pins 1-2 and
// bit 1 of R1 low at pins 31-32. The values count the lines pulled, as
// the line texts of the detection are chosen by.
enum class AdapterSense { Absent = 0, Pins1To2 = 1, Pins31To32 = 2, Both = 3 };

AdapterSense ClassifyAdapterSense(std::uint8_t r0, std::uint8_t r1);

// Finds the board on an open link to a jig that runs the variant's firmware
// and tells the jig the position. Says what it found in `box`. On success
// `remembered` holds the position; otherwise it keeps its value. The link
// stays open.
//
// A jig that does not answer the probe or the position command within its
// bound is a failure, reported with the programmer's not-found line.
bool DetectAdapterBoard(JigLink& link, const AdapterVariant& variant, AdapterOrientation& remembered,
                        const LineSink& box);

}  // namespace qjig
