#include "PtyBench.h"

namespace testsupport {

PtyBench::PtyBench(const sim::VirtualBench& bench) {
  for (const auto& jig : bench.jigs) {
    if (!jig->IsPlugged()) continue;
    servers_.push_back(std::make_unique<sim::PtyJigServer>(jig));
    ports_.push_back(servers_.back()->SlavePath());
  }
}

}  // namespace testsupport
