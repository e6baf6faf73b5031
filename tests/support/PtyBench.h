#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "PtyJigServer.h"
#include "VirtualBench.h"

namespace testsupport {

// Serves every plugged jig of a virtual bench on its own pseudo-terminal.
class PtyBench {
 public:
  explicit PtyBench(const sim::VirtualBench& bench);

  const std::vector<std::string>& Ports() const { return ports_; }  // slave paths in bench order
  sim::PtyJigServer& Server(std::size_t i) { return *servers_.at(i); }

 private:
  std::vector<std::unique_ptr<sim::PtyJigServer>> servers_;
  std::vector<std::string> ports_;
};

}  // namespace testsupport
