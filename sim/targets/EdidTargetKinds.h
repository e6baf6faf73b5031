#pragma once

#include <memory>
#include <string>

#include "TargetKinds.h"

namespace sim {

// The target of the EDID mode, from its bench line (docs/bench.md):
//   target = edid-eeprom [content=edid|erased|bad-checksum] [write-protect=yes|no]
//                        [absent=yes|no] [reply-pieces=N]
std::unique_ptr<Target> MakeEdidEeprom(const TargetParams& params, std::string& problem);

}  // namespace sim
