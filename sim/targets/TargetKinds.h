#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "../Target.h"

namespace sim {

using TargetParams = std::map<std::string, std::string>;

// Builds a target from its bench-file parameters; on bad parameters returns
// null and says why in `problem`.
using TargetFactory =
    std::function<std::unique_ptr<Target>(const TargetParams& params, std::string& problem)>;

// The target kinds a bench file may name; each mode adds its own.
const TargetFactory* FindTargetKind(std::string_view kind);

}  // namespace sim
