#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BenchFile.h"
#include "VirtualJig.h"

namespace sim {

// The jigs on the virtual bench, in the order a bench file lists them.
struct VirtualBench {
  std::vector<std::shared_ptr<VirtualJig>> jigs;
};

struct BenchBuild {
  VirtualBench bench;
  std::optional<BenchError> error;
};

BenchBuild BuildBench(const BenchSpec& described);
// Parses and builds; errors name the file and the line.
BenchBuild LoadBenchFile(const std::string& path);
BenchBuild LoadBenchText(std::string_view text);

}  // namespace sim
