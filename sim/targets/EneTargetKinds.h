#pragma once

#include <memory>
#include <string>

#include "TargetKinds.h"

namespace sim {

// The targets of the ENE KB90xx mode, from their bench lines (docs/bench.md):
//   target = kb9012 [debug-version=N] [content=pattern|erased] [lost-at-block=K]
//                   [stuck=ADDR:MASK:LEVEL[,ADDR:MASK:LEVEL...]] [absent=yes|no]
//   target = brimex position=1-2|31-32|none|both [sense=R0,R1,R2]
std::unique_ptr<Target> MakeKb9012(const TargetParams& params, std::string& problem);
std::unique_ptr<Target> MakeBrimex(const TargetParams& params, std::string& problem);

}  // namespace sim
