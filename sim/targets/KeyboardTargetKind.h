#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "KeyboardMatrix.h"
#include "TargetKinds.h"

namespace sim {

// The keys of a `press` list, separated by commas, each "A-B" (held
// throughout), "A-B@T1.." (held from T1 on) or "A-B@T1..T2" (held from T1
// until T2): lines 1 to 32 in either order, times in ms from the first scan.
// Nothing when a key is wrong; `wrong` then holds it.
std::optional<std::vector<KeyPress>> ParseKeyPresses(std::string_view list, std::string& wrong);

// The keyboard tester's target, from its bench line (docs/bench.md):
//   target = keyboard [press=KEY[,KEY...]] [pieces=N]
std::unique_ptr<Target> MakeKeyboard(const TargetParams& params, std::string& problem);

}  // namespace sim
