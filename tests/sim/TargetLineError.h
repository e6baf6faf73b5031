#pragma once

#include <string>

#include "VirtualBench.h"

namespace simtest {

// What a bench says of one target line behind an ENE_EDID_KB jig, without
// the "line 3: " it always starts with; empty when the bench builds.
inline std::string TargetLineError(const std::string& target) {
  const sim::BenchBuild built = sim::LoadBenchText("[jig]\nfirmware = ENE_EDID_KB\ntarget = " + target + "\n");
  if (!built.error) return "";
  const std::string text = sim::FormatBenchError(*built.error);
  const std::string prefix = "line 3: ";
  return text.rfind(prefix, 0) == 0 ? text.substr(prefix.size()) : "(not on line 3) " + text;
}

}  // namespace simtest
