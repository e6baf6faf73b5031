#pragma once

#include <optional>

#include "Wire.h"

namespace sim {

// The line settings the program on the other end of a pseudo-terminal has
// chosen, read through any descriptor of the terminal's slave side.
std::optional<LineSettings> ReadClientLine(int slaveFd);

}  // namespace sim
