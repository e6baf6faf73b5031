#pragma once

#include <memory>

#include "ApplicationFirmware.h"

namespace sim {

// The KB90xx commands of the ENE_EDID_KB firmware (docs/bench.md, "ENE_EDID_KB
// commands"): chip connect, block reads and writes of a kb9012 target, the
// buzzer signals, the BRIMEX adapter commands, the keyboard scan and the
// EDID EEPROM's read and write.
std::unique_ptr<CommandSet> MakeEneCommands();

}  // namespace sim
