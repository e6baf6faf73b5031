#pragma once

namespace qjig::cli {

// What a command's exit status tells a script.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;       // the operation failed, or bad usage
inline constexpr int kExitNoJig = 2;         // no jig found, or none answered
inline constexpr int kExitWrongFirmware = 3; // the jig runs another firmware

}  // namespace qjig::cli
