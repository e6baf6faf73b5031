#pragma once

#include <memory>

#include "../ApplicationFlash.h"
#include "../Firmware.h"

namespace sim {

// The programs a microcontroller starts by itself (at power-up, on the reset
// button, and when one program hands over to another).

// The board's bootloader: the M88's line protocol or the M328's block one.
std::unique_ptr<Firmware> MakeBootloader(McuModel model);

// Whatever the application area holds: a bench's known application, or the
// image's tag (see ImageTag.h) names a family built for this board. Anything
// else - no tag, a family of the other board, an empty area - still runs,
// as a program that answers nothing.
std::unique_ptr<Firmware> MakeApplication(const ApplicationFlash& flash, McuModel model);

}  // namespace sim
